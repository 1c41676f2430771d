// Every test program starts here: a QApplication on the offscreen platform,
// a fresh data folder, and a recorder in place of the desktop's dialogs.

#include "tests/support/recordinghost.h"

#include "platform/folders.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("RODO_HOME", home.path().toUtf8() + '/');

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));

    test::RecordingHost host;
    platform::setHost(&host);

    ::testing::InitGoogleTest(&argc, argv);
    const int rc = RUN_ALL_TESTS();
    platform::setHost(nullptr);
    return rc;
}
