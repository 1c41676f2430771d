#include "platform/folders.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <gtest/gtest.h>

namespace {

// A new data folder holds the program's data and nothing of the build.
TEST(ShippedData, SeedsOnlyDataFiles)
{
    const QString folder = platform::dataFolder();
    for (const char* name : {"STeelStyleSys.jlb", "STeelStyleUse.jlb", "STeelStartStyleSys.jlb",
                             "steelLib.xml", "KUCUN.xml", "EnvoraSettings.xml"})
        EXPECT_TRUE(QFileInfo::exists(folder + QString::fromLatin1(name))) << name;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        EXPECT_FALSE(file.contains(QStringLiteral("CMake")) || file.endsWith(QStringLiteral(".cmake")))
            << file.toStdString();
    }
}

} // namespace
