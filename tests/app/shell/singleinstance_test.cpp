// One running copy: a second copy of the program hands its files to the
// running one, which opens them, and ends; the message between them.

#include "app/shell/myrdapp.h"
#include "app/shell/openrequest.h"
#include "app/shell/singleinstance.h"
#include "platform/profile.h"
#include "platform/ui/document.h"
#include "tables/barlist/setuptable.h"
#include "tests/support/recordinghost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QThread>
#include "tests/app/support/appfixture.h"

#include <gtest/gtest.h>

namespace {

// Starts the program as a second copy with `arguments` and waits for it to
// end, serving the running copy meanwhile. Answers its exit code, or -1
// when it did not end by itself (it is then killed).
int runSecondCopy(const QStringList& arguments)
{
    QProcess copy;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    copy.setProcessEnvironment(env);
    copy.start(QCoreApplication::applicationDirPath() + QStringLiteral("/Rd"), arguments);
    if (!copy.waitForStarted(10000))
        return -2;
    QElapsedTimer timer;
    timer.start();
    while (copy.state() != QProcess::NotRunning && timer.elapsed() < 30000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    if (copy.state() != QProcess::NotRunning) {
        copy.kill();
        copy.waitForFinished(5000);
        return -1;
    }
    return copy.exitStatus() == QProcess::NormalExit ? copy.exitCode() : -3;
}

class TwoCopies : public test::AppFixture {
protected:

    QTemporaryDir dir;
};

TEST_F(TwoCopies, ASecondCopyHandsItsFileToTheRunningOneAndEnds)
{
    ASSERT_TRUE(app->InitInstance({}));
    const QString path = dir.filePath(QStringLiteral("转交.pld"));
    CVes_SetupTable table;
    ASSERT_EQ(table.SaveFile(path), 1);
    EXPECT_EQ(runSecondCopy({path}), 0);
    QCoreApplication::processEvents();
    ASSERT_EQ(app->docManager().documents().size(), 2u);
    platform::Document* opened = app->docManager().activeDocument();
    ASSERT_TRUE(opened);
    EXPECT_EQ(opened->GetPathName(), path);
}

TEST_F(TwoCopies, ASecondCopyWithoutAFileOnlyEnds)
{
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(runSecondCopy({}), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(app->docManager().documents().size(), 1u);
}

TEST_F(TwoCopies, AfterTheRunningCopyEndsANewOneMayRun)
{
    ASSERT_TRUE(app->InitInstance({}));
    app.reset();
    SingleInstance next;
    EXPECT_TRUE(next.claim({}));
    EXPECT_TRUE(next.isRunningCopy());
}

// the message

TEST(OpenRequest, CarriesAbsolutePathsInUtf8)
{
    const QStringList files{QStringLiteral("/工程/一层/梁.pld"), QStringLiteral("/tmp/a b.jgd")};
    const QByteArray message = encodeOpenRequest(files);
    EXPECT_EQ(message, QByteArray("RODO-OPEN 1\n") + files[0].toUtf8() + "\n/tmp/a b.jgd\n\n");
    EXPECT_EQ(decodeOpenRequest(message), files);
    EXPECT_EQ(decodeOpenRequest(encodeOpenRequest({})), QStringList());
}

struct BadRequest {
    const char* name;
    QByteArray bytes;
};

class OpenRequestRefused : public ::testing::TestWithParam<BadRequest> {};

TEST_P(OpenRequestRefused, IsNotTakenForOne)
{
    EXPECT_FALSE(decodeOpenRequest(GetParam().bytes).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Messages, OpenRequestRefused,
    ::testing::Values(BadRequest{"empty", QByteArray()},
                      BadRequest{"other_program", QByteArray("HELLO\n/a.pld\n\n")},
                      BadRequest{"unfinished", QByteArray("RODO-OPEN 1\n/a.pld\n")},
                      BadRequest{"relative_path", QByteArray("RODO-OPEN 1\na.pld\n\n")},
                      BadRequest{"not_utf8", QByteArray("RODO-OPEN 1\n/\xff\xfe.pld\n\n")},
                      BadRequest{"too_long", QByteArray("RODO-OPEN 1\n/") + QByteArray(kMaxOpenRequest, 'a') + "\n\n"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
