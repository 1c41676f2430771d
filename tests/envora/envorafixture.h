#pragma once
// Starts each test from the default settings written to the data folder and
// leaves them so, whatever the test changed.

#include "envora/settings.h"

#include "platform/savefile.h"

#include <gtest/gtest.h>

namespace test {

class DefaultSettings : public ::testing::Test {
protected:
    void SetUp() override { restore(); }
    void TearDown() override { restore(); }

    static void restore()
    {
        ASSERT_TRUE(platform::saveFile(envora::settingsFilePath(),
                                       envora::toXml(envora::Settings::defaults())));
        envora::reloadSettings();
    }

    // Changes the settings, failing the test when the change is refused.
    static void change(const std::function<void(envora::Settings&)>& edit)
    {
        QString error;
        ASSERT_TRUE(envora::updateSettings(edit, &error)) << error.toStdString();
    }
};

} // namespace test
