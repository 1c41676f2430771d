// The end of a day that goes wrong: an edit is saved by the auto-save into
// its recovery file, the program is ended without saving, and when the bar
// list is opened again the edit is offered back and restored; a program
// ended right after taking it back leaves it to be offered once more.
// Worse still, the list itself is damaged afterwards: opening it says so
// and offers the recovery file in its place.
//
// The program that is ended runs in a child process: this test program
// again, told by $RODO_E2E_EDIT_FILE which bar list to open and edit, with a
// short auto-save interval ($RODO_AUTOSAVE_MS), or by $RODO_E2E_RECOVER_FILE
// which one to open and recover. It says when it is done and waits to be
// killed.

#include "tests/e2e/day.h"

#include "app/panes/resourceids.h"
#include "app/shell/autosavedlg.h"
#include "tests/support/modal.h"

#include <QDeadlineTimer>
#include <QCheckBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QProcess>
#include <QRadioButton>
#include <QTest>

#include <cstdio>
#include <gtest/gtest.h>

namespace {

using T = CVes_SetupTable;

constexpr const char* kEditFileVariable = "RODO_E2E_EDIT_FILE";
constexpr const char* kAutoSavedLine = "RODO-E2E-AUTOSAVED";
constexpr const char* kRecoverFileVariable = "RODO_E2E_RECOVER_FILE";
constexpr const char* kRecoveredLine = "RODO-E2E-RECOVERED";
// The row of KZ1's first bar, and the count the edit types there.
constexpr int kEditedRow = 2;
constexpr int kEditedCount = 7;

class Recovery : public e2e::Day {
protected:
    // The child: opens the file, sets the auto-save into a recovery file,
    // types a count, and reports once the recovery file is there.
    void editUntilAutoSaved(const QString& file)
    {
        autoSaveIntoRecoveryFiles();
        ASSERT_TRUE(open(file));
        clickCell(kEditedRow, T::kColCount);
        typeEntry(QString::number(kEditedCount));
        const QString recovery = file + QStringLiteral("$$$");
        QDeadlineTimer deadline(60000);
        while (!QFileInfo::exists(recovery) && !deadline.hasExpired())
            QTest::qWait(50);
        ASSERT_TRUE(QFileInfo::exists(recovery)) << "no auto-save into " << recovery.toStdString();
        waitToBeEnded(kAutoSavedLine);
    }

    // The child of a second run: opens the file, answers 是 to recovering
    // its recovery file, and is ended right after the answer.
    void recoverAndBeEnded(const QString& file)
    {
        // Each run starts with the settings of a new user, whose auto-save
        // would save the recovered edit into the list itself.
        autoSaveIntoRecoveryFiles();
        host->script({platform::Answer::Yes});
        ASSERT_TRUE(open(file));
        ASSERT_EQ(editedCount(), kEditedCount);
        waitToBeEnded(kRecoveredLine);
    }

    // 设置 → 自动保存与备份: auto-save on, into a recovery file beside the list.
    void autoSaveIntoRecoveryFiles()
    {
        test::onNextModal<CAutoSaveDlg>([](CAutoSaveDlg* dialog) {
            e2e::clickToState(dialog->m_autoSave, true);
            e2e::clickToState(dialog->m_intoRecoveryFile, true);
            ASSERT_TRUE(e2e::clickButton(dialog, QStringLiteral("确定")));
        });
        ASSERT_TRUE(chooseMenu({QStringLiteral("设置"), QStringLiteral("自动保存与备份...")}));
    }

    // Says `line` and waits to be ended from outside, without saving.
    static void waitToBeEnded(const char* line)
    {
        std::printf("%s\n", line);
        std::fflush(stdout);
        for (;;)
            QTest::qWait(1000);
    }

    // 文件 → 打开, the file's path typed into the file dialog.
    bool open(const QString& file)
    {
        test::onNextModal<QFileDialog>([file](QFileDialog* dialog) { e2e::chooseFile(dialog, file); });
        if (!chooseMenu({QStringLiteral("文件"), QStringLiteral("打开...")}))
            return false;
        doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().activeDocument());
        return doc && doc->GetPathName() == QFileInfo(file).absoluteFilePath();
    }

    // Saves the day's list, closes it, and runs the child on it until the
    // child's auto-save wrote the recovery file; the child is then ended
    // without saving. Answers the list's path.
    QString autoSaveAnEditInAChild(const char* test)
    {
        startTheDay();
        if (HasFatalFailure())
            return {};
        EXPECT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_SAVE));
        const QString file = doc->GetPathName();
        EXPECT_NE(editedCount(), kEditedCount);
        EXPECT_TRUE(chooseMenu({QStringLiteral("文件"), QStringLiteral("关闭")}));
        return runChildUntilEnded(test, kEditFileVariable, file, kAutoSavedLine) ? file : QString();
    }

    // Runs this test program as a child told by `variable` which file to
    // work on, until it says `line`; then ends it as a crash would. True
    // when it said it.
    static bool runChildUntilEnded(const char* test, const char* variable, const QString& file,
                                   const char* line)
    {
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(variable), file);
        environment.insert(QStringLiteral("RODO_AUTOSAVE_MS"), QStringLiteral("300"));
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::MergedChannels);
        program.start(QCoreApplication::applicationFilePath(),
                      {QStringLiteral("--gtest_filter=Recovery.") + QString::fromLatin1(test)});
        EXPECT_TRUE(program.waitForStarted(30000));
        QByteArray output;
        QDeadlineTimer deadline(120000);
        while (!output.contains(line) && program.state() == QProcess::Running && !deadline.hasExpired()) {
            program.waitForReadyRead(500);
            output += program.readAll();
        }
        program.kill();
        program.waitForFinished(30000);
        EXPECT_TRUE(output.contains(line)) << output.toStdString();
        return output.contains(line);
    }

    int editedCount() const
    {
        barList()->setPageTo(1, 1);
        const auto* line = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(kEditedRow - 1));
        return line ? line->m_steel.count : -1;
    }
};

TEST_F(Recovery, AnAutoSavedEditIsOfferedBackAfterTheProgramWasEndedWithoutSaving)
{
    const QString child = qEnvironmentVariable(kEditFileVariable);
    if (!child.isEmpty()) {
        editUntilAutoSaved(child);
        return;
    }

    const QString file = autoSaveAnEditInAChild("AnAutoSavedEditIsOfferedBackAfterTheProgramWasEndedWithoutSaving");
    ASSERT_FALSE(file.isEmpty());

    // The file itself still holds what was saved; opening it offers the
    // edit back.
    host->script({platform::Answer::Yes});
    ASSERT_TRUE(open(file));
    ASSERT_FALSE(host->messageTexts().isEmpty());
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("恢复"))) << host->messageTexts().front().toStdString();
    EXPECT_EQ(editedCount(), kEditedCount);
    EXPECT_TRUE(doc->IsModified()) << "what was recovered is not saved yet";
}

TEST_F(Recovery, AProgramEndedRightAfterRecoveringOffersTheRecoveryFileAgain)
{
    const QString child = qEnvironmentVariable(kEditFileVariable);
    if (!child.isEmpty()) {
        editUntilAutoSaved(child);
        return;
    }
    const QString recovering = qEnvironmentVariable(kRecoverFileVariable);
    if (!recovering.isEmpty()) {
        recoverAndBeEnded(recovering);
        return;
    }

    const char* const test = "AProgramEndedRightAfterRecoveringOffersTheRecoveryFileAgain";
    const QString file = autoSaveAnEditInAChild(test);
    ASSERT_FALSE(file.isEmpty());
    // A second run takes the edit back and ends before it is saved.
    ASSERT_TRUE(runChildUntilEnded(test, kRecoverFileVariable, file, kRecoveredLine));

    // The third run is offered the edit again.
    host->script({platform::Answer::Yes});
    ASSERT_TRUE(open(file));
    ASSERT_FALSE(host->messageTexts().isEmpty());
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("恢复"))) << host->messageTexts().front().toStdString();
    EXPECT_EQ(editedCount(), kEditedCount);
}

TEST_F(Recovery, ADamagedListOffersItsRecoveryFileInItsPlace)
{
    const QString child = qEnvironmentVariable(kEditFileVariable);
    if (!child.isEmpty()) {
        editUntilAutoSaved(child);
        return;
    }

    const QString file = autoSaveAnEditInAChild("ADamagedListOffersItsRecoveryFileInItsPlace");
    ASSERT_FALSE(file.isEmpty());
    // The disk spoils the list itself: its second half is gone.
    QFile list(file);
    ASSERT_TRUE(list.open(QIODevice::ReadWrite));
    ASSERT_TRUE(list.resize(list.size() / 2));
    list.close();

    host->script({platform::Answer::Yes});
    ASSERT_TRUE(open(file));
    ASSERT_EQ(host->messages().size(), 1u);
    const QString question = host->messages().front().text;
    EXPECT_TRUE(question.contains(QStringLiteral("已损坏"))) << question.toStdString();
    EXPECT_TRUE(question.contains(QStringLiteral("自动保存"))) << question.toStdString();
    EXPECT_EQ(host->messages().front().buttons, platform::Buttons::YesNo);
    EXPECT_EQ(editedCount(), kEditedCount) << "the edit the program auto-saved";
    EXPECT_TRUE(doc->IsModified()) << "what was recovered is not saved yet";

    // Saved, the list is whole again and opens without a question.
    ASSERT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_SAVE));
    ASSERT_TRUE(chooseMenu({QStringLiteral("文件"), QStringLiteral("关闭")}));
    host->clear();
    ASSERT_TRUE(open(file));
    EXPECT_TRUE(host->messages().empty());
    EXPECT_EQ(editedCount(), kEditedCount);
}

} // namespace
