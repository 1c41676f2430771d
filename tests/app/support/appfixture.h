#pragma once
// A test with the program's application object: the profile is cleared
// before the application reads its lists, and the application with its
// windows and documents is gone after the test.

#include "app/shell/myrdapp.h"
#include "platform/profile.h"
#include "tests/support/recordinghost.h"

#include <QCoreApplication>
#include <QSettings>
#include <gtest/gtest.h>
#include <memory>

namespace test {

class AppFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::openProfile()->clear();
        app = std::make_unique<CMyRdApp>();
    }
    void TearDown() override
    {
        app.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    test::HostScope host;
    std::unique_ptr<CMyRdApp> app;
};

} // namespace test
