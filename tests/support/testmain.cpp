// Every test program starts here: a QApplication on the offscreen platform,
// a recorder in place of the desktop's dialogs, and a fresh data folder for
// every test, so that no test sees the files another one changed, whatever
// the order they run in.

#include "tests/support/datafolder.h"
#include "tests/support/recordinghost.h"

#include "platform/folders.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class DataFolderPerTest final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { m_folder = std::make_unique<test::FreshDataFolder>(); }
    void OnTestEnd(const ::testing::TestInfo&) override { m_folder.reset(); }

    std::unique_ptr<test::FreshDataFolder> m_folder;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Whatever runs before the first test (the application's start) has a
    // data folder of its own too.
    test::FreshDataFolder home;

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));

    test::RecordingHost host;
    platform::setHost(&host);

    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DataFolderPerTest);
    const int rc = RUN_ALL_TESTS();
    platform::setHost(nullptr);
    return rc;
}
