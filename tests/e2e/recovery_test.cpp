// The end of a day that goes wrong: an edit is saved by the auto-save into
// its recovery file, the program is ended without saving, and when the bar
// list is opened again the edit is offered back and restored.
//
// The program that is ended runs in a child process: this test program
// again, told by $RODO_E2E_EDIT_FILE which bar list to open and edit, with a
// short auto-save interval ($RODO_AUTOSAVE_MS). It says when the recovery
// file is written and waits to be killed.

#include "tests/e2e/day.h"

#include "app/shell/autosavedlg.h"
#include "app/shell/resourceids.h"
#include "tests/support/modal.h"

#include <QDeadlineTimer>
#include <QCheckBox>
#include <QFile>
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
// The row of KZ1's first bar, and the count the edit types there.
constexpr int kEditedRow = 2;
constexpr int kEditedCount = 7;

class Recovery : public e2e::Day {
protected:
    // The child: opens the file, sets the auto-save into a recovery file,
    // types a count, and reports once the recovery file is there.
    void editUntilAutoSaved(const QString& file)
    {
        test::onNextModal<CAutoSaveDlg>([](CAutoSaveDlg* dialog) {
            dialog->m_autoSave->setChecked(true);
            QTest::mouseClick(dialog->m_intoRecoveryFile, Qt::LeftButton, {}, QPoint(4, 4));
            dialog->accept();
        });
        ASSERT_TRUE(chooseMenu({QStringLiteral("设置"), QStringLiteral("自动保存与备份...")}));
        ASSERT_TRUE(open(file));
        clickCell(kEditedRow, T::kColCount);
        typeEntry(QString::number(kEditedCount));
        const QString recovery = file + QStringLiteral("$$$");
        QDeadlineTimer deadline(60000);
        while (!QFileInfo::exists(recovery) && !deadline.hasExpired())
            QTest::qWait(50);
        ASSERT_TRUE(QFileInfo::exists(recovery)) << "no auto-save into " << recovery.toStdString();
        std::printf("%s\n", kAutoSavedLine);
        std::fflush(stdout);
        // Ended from outside, without saving.
        for (;;)
            QTest::qWait(1000);
    }

    // 文件 → 打开 with the file dialog answered.
    bool open(const QString& file)
    {
        app->docManager().setFileDialog([file](bool, const QString&, const QString&, const QString&) { return file; });
        if (!chooseMenu({QStringLiteral("文件"), QStringLiteral("打开...")}))
            return false;
        doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().activeDocument());
        return doc && doc->GetPathName() == QFileInfo(file).absoluteFilePath();
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

    startTheDay();
    ASSERT_FALSE(HasFatalFailure());
    ASSERT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_SAVE));
    const QString file = doc->GetPathName();
    const int saved = editedCount();
    ASSERT_NE(saved, kEditedCount);
    ASSERT_TRUE(chooseMenu({QStringLiteral("文件"), QStringLiteral("关闭")}));

    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(kEditFileVariable), file);
    environment.insert(QStringLiteral("RODO_AUTOSAVE_MS"), QStringLiteral("300"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(QCoreApplication::applicationFilePath(),
                  {QStringLiteral("--gtest_filter=Recovery.AnAutoSavedEditIsOfferedBackAfterTheProgramWasEndedWithoutSaving")});
    ASSERT_TRUE(program.waitForStarted(30000));
    QByteArray output;
    QDeadlineTimer deadline(120000);
    while (!output.contains(kAutoSavedLine) && program.state() == QProcess::Running && !deadline.hasExpired()) {
        program.waitForReadyRead(500);
        output += program.readAll();
    }
    program.kill();
    program.waitForFinished(30000);
    ASSERT_TRUE(output.contains(kAutoSavedLine)) << output.toStdString();

    // The file itself still holds what was saved; opening it offers the
    // edit back.
    host->script({platform::Answer::Yes});
    ASSERT_TRUE(open(file));
    ASSERT_FALSE(host->messageTexts().isEmpty());
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("恢复"))) << host->messageTexts().front().toStdString();
    EXPECT_EQ(editedCount(), kEditedCount);
    EXPECT_TRUE(doc->IsModified()) << "what was recovered is not saved yet";
}

} // namespace
