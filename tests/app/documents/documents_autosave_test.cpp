// What auto-saving leaves behind and what it keeps: an automatic save into
// the file leaves Undo and Redo as they were (a save the user asks for
// starts the undo history afresh), and a step away from what it saved makes
// the document changed again; the auto-save and recovery files go when
// the document is closed or saved and no longer need them; and new bar
// lists that a program ended without closing are offered at the next start.

#include "app/documents/documentfiles.h"
#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "core/geometry/datafolder.h"
#include "platform/profile.h"
#include "platform/ui/commandids.h"
#include "tables/framework/ui/tableview.h"
#include "tests/app/support/documents_support.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::Answer;

using test::kNow;
using test::setSetting;

class AutoSaving : public test::DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        host->setNow(kNow);
    }
    // The grade the two selected bars share; -1 when they differ.
    static int selectedGrade(CRODOSetUpDoc* doc)
    {
        selectTwoBars(*doc->setupTable());
        return doc->setupTable()->isSameGradeOfSelLine();
    }
    static void setGrade(CRODOSetUpDoc* doc, int command)
    {
        selectTwoBars(*doc->setupTable());
        runCommand(doc, command);
    }
};

// undo and redo across saves

TEST_F(AutoSaving, AnAutomaticSaveIntoTheFileKeepsUndoAndRedo)
{
    setSetting("autoSaveType", 0);
    const QString file = saveBarList("a.pld");
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    CVes_SetupTable& list = *doc->setupTable();
    const int first = selectedGrade(doc);
    setGrade(doc, ID_GRADE_2);
    setGrade(doc, ID_GRADE_3);
    ASSERT_EQ(selectedGrade(doc), 3);
    list.Undo();
    ASSERT_EQ(selectedGrade(doc), 2);
    doc->SetModifiedFlag(true);

    doc->AutoSave();
    EXPECT_FALSE(doc->IsModified()) << "the file holds the edits";
    CVes_SetupTable saved;
    ASSERT_EQ(saved.OpenFile(file), 1);
    selectTwoBars(saved);
    EXPECT_EQ(saved.isSameGradeOfSelLine(), 2);

    // Both ways are still open: redo to grade 3, undo twice to the start.
    ASSERT_EQ(list.CanRedo(), 1);
    list.Redo();
    EXPECT_EQ(selectedGrade(doc), 3);
    list.Undo();
    ASSERT_EQ(list.CanUndo(), 1);
    list.Undo();
    EXPECT_EQ(selectedGrade(doc), first);
}

TEST_F(AutoSaving, ASaveTheUserAsksForStartsTheUndoHistoryAfresh)
{
    const QString file = saveBarList("a.pld");
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    setGrade(doc, ID_GRADE_2);
    ASSERT_EQ(doc->setupTable()->CanUndo(), 1);
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_EQ(doc->setupTable()->CanUndo(), 0);
    EXPECT_EQ(doc->setupTable()->CanRedo(), 0);
    // The first edit after the save goes back to what was saved.
    setGrade(doc, ID_GRADE_3);
    doc->setupTable()->Undo();
    EXPECT_EQ(selectedGrade(doc), 2);
}

// Whether the document is changed after Undo and Redo: it is whenever what
// it shows differs from what its file holds, the automatic saves into the
// file included. The steps are the user's: a count typed into the bar
// list, the auto-save timer, Ctrl+Z and Ctrl+Y through the main window,
// the Save command, the delivery note (kept beside the undo steps).

enum class Step { Type, Type2, Tick, Undo, Redo, Save, DeliveryNote };

struct UndoCase {
    const char* name;
    int autoSaveType;
    std::vector<Step> steps;
    bool changed;     // the `*`, and the question on closing
    int countOnDisk;  // the count the file holds at the end
};

class UndoAgainstTheFile : public AutoSaving, public ::testing::WithParamInterface<UndoCase> {
protected:
    static constexpr int kRow = 2; // KL1(2)'s first bar on page 1
    void SetUp() override
    {
        AutoSaving::SetUp();
        setSetting("autoSaveType", GetParam().autoSaveType);
        file = saveBarList("a.pld");
        doc = open<CRODOSetUpDoc>(file);
        ASSERT_TRUE(doc);
        container = containerOf(doc);
        ASSERT_TRUE(container);
        view = container->sheetView(0);
        ASSERT_TRUE(view);
        originalCount = countIn(*doc->setupTable());
    }
    static int countIn(CVes_SetupTable& list)
    {
        list.setPageTo(1, 1);
        const CVes_BarCore* bar = list.getSteel(kRow);
        return bar ? bar->count : -1;
    }
    int countOnDisk() const
    {
        CVes_SetupTable saved;
        return saved.OpenFile(file) == 1 ? countIn(saved) : -1;
    }
    void type(const char* count)
    {
        CVes_SetupTable& list = *doc->setupTable();
        list.setPageTo(1, 1);
        list.clearSelect();
        list.AddSelect(kRow, 0);
        list.setCurRow(kRow);
        list.setCurCol(CVes_SetupTable::kColCount);
        view->EndCellEdit(kRow, CVes_SetupTable::kColCount, QString::fromUtf8(count));
    }
    void run(Step step)
    {
        switch (step) {
        case Step::Type: type("7"); break;
        case Step::Type2: type("9"); break;
        case Step::Tick: frame()->OnAutoSaveTimer(); break;
        case Step::Undo: ASSERT_TRUE(app->mainFrame()->routeCommand(ID_EDIT_UNDO, nullptr)); break;
        case Step::Redo: ASSERT_TRUE(app->mainFrame()->routeCommand(ID_EDIT_REDO, nullptr)); break;
        case Step::Save: runCommand(doc, ID_FILE_SAVE); break;
        case Step::DeliveryNote:
            // A text of the purchase sheet, which no undo step holds.
            doc->setupTable()->setJinHuoText(0, QStringLiteral("钢筋进货单（改）"));
            doc->SetModifiedFlag(true);
            break;
        }
    }
    DocumentFrame* frame() const { return container->frame(); }

    QString file;
    CRODOSetUpDoc* doc = nullptr;
    SheetContainerView* container = nullptr;
    CVes_TableViewBase* view = nullptr;
    int originalCount = 0;
};

TEST_P(UndoAgainstTheFile, TheDocumentIsChangedWheneverItDiffersFromItsFile)
{
    const UndoCase& c = GetParam();
    for (Step step : c.steps) {
        run(step);
        ASSERT_FALSE(HasFatalFailure());
    }
    const int expectedOnDisk = c.countOnDisk < 0 ? originalCount : c.countOnDisk;
    EXPECT_EQ(countOnDisk(), expectedOnDisk);
    EXPECT_EQ(doc->IsModified(), c.changed);
    EXPECT_EQ(frame()->isWindowModified(), c.changed) << "the * in the title";
    EXPECT_EQ(doc->setupTable()->isModified() != 0, c.changed);

    // Closing asks exactly when the document is changed; declined, the file
    // stays as it is.
    host->clear();
    host->script({Answer::No});
    const QByteArray before = bytesOf(file);
    ASSERT_TRUE(app->mainFrame()->routeCommand(ID_FILE_CLOSE, nullptr));
    const QStringList asked = host->messageTexts();
    ASSERT_EQ(asked.size(), c.changed ? 1 : 0) << asked.join(u'\n').toStdString();
    if (c.changed) {
        EXPECT_TRUE(asked.front().contains(QStringLiteral("a.pld"))) << asked.front().toStdString();
    }
    EXPECT_EQ(bytesOf(file), before);
}

using S = Step;
INSTANTIATE_TEST_SUITE_P(
    Steps, UndoAgainstTheFile,
    ::testing::Values(
        // The auto-save wrote 7 into the file; 7 is taken back.
        UndoCase{"UndoAfterAnAutoSaveIntoTheFile", 0, {S::Type, S::Tick, S::Undo}, true, 7},
        UndoCase{"RedoBackToWhatWasAutoSaved", 0, {S::Type, S::Tick, S::Undo, S::Redo}, false, 7},
        UndoCase{"UndoAfterTwoEditsOneAutoSaved", 0, {S::Type, S::Tick, S::Type2, S::Undo}, false, 7},
        UndoCase{"UndoBackToWhatWasOpened", 0, {S::Type, S::Undo}, false, -1},
        UndoCase{"UndoBackToTheStateSaved", 0, {S::Type, S::Save, S::Type2, S::Undo}, false, 7},
        UndoCase{"UndoBackToTheFileBesideANewText", 0, {S::DeliveryNote, S::Type, S::Undo}, true, -1},
        // Into a recovery file the user's file stays as it was opened.
        UndoCase{"UndoAfterAnAutoSaveIntoARecoveryFile", 1, {S::Type, S::Tick, S::Undo}, false, -1},
        UndoCase{"RecoveryFileKeepsTheEditChanged", 1, {S::Type, S::Tick}, true, -1}),
    [](const auto& info) { return std::string(info.param.name); });

// files left behind

struct CloseCase {
    const char* name;
    bool titled;
};

class ClosingDiscarded : public AutoSaving, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(ClosingDiscarded, TakesTheAutoSaveFileWithIt)
{
    setSetting("autoSaveType", 1);
    CRODOSetUpDoc* doc = GetParam().titled ? open<CRODOSetUpDoc>(saveBarList("a.pld")) : newBarList();
    ASSERT_TRUE(doc);
    setGrade(doc, ID_GRADE_2);
    doc->AutoSave();
    const QString autoSaved = doc->autoSavePath();
    ASSERT_TRUE(QFileInfo::exists(autoSaved));

    host->script({Answer::No}); // do not save the changes
    doc->OnFileClose();
    EXPECT_FALSE(QFileInfo::exists(autoSaved));
}

INSTANTIATE_TEST_SUITE_P(Documents, ClosingDiscarded,
                         ::testing::Values(CloseCase{"Titled", true}, CloseCase{"Untitled", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(AutoSaving, ASaveRemovesTheRenamedRecoveryFilesOfItsFileOnly)
{
    const QString file = saveBarList("a.pld");
    const QStringList used = {file + QStringLiteral("$$$2026-03-01-08-15"),
                              file + QStringLiteral("$$$2026-03-01-08-15-2")};
    const QStringList others = {file + QStringLiteral("$$$说明"), file + QStringLiteral("$$$2026-03"),
                                path("b.pld$$$2026-03-01-08-15"), path("a.pld.bak")};
    for (const QString& name : used + others)
        ASSERT_TRUE(platform::saveFile(name, "x"));
    EXPECT_EQ(docfiles::usedRecoveryFiles(file), used);

    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    for (const QString& name : used)
        EXPECT_TRUE(QFileInfo::exists(name)) << "opening alone removes nothing";
    setGrade(doc, ID_GRADE_2);
    runCommand(doc, ID_FILE_SAVE);
    for (const QString& name : used)
        EXPECT_FALSE(QFileInfo::exists(name)) << name.toStdString();
    for (const QString& name : others)
        EXPECT_TRUE(QFileInfo::exists(name)) << name.toStdString();
}

TEST_F(AutoSaving, ADeclinedRecoveryFileGoesWithTheNextSave)
{
    const QString file = saveBarList("a.pld");
    saveBarList("a.pld$$$");
    host->script({Answer::No});
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    const QString used = file + QStringLiteral("$$$2026-03-18-10-30");
    ASSERT_TRUE(QFileInfo::exists(used)) << "kept until the user has saved";
    setGrade(doc, ID_GRADE_2);
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_FALSE(QFileInfo::exists(used));
}

// new bar lists a program left

class LeftAutoSaves : public test::AppFixture {
protected:
    void TearDown() override
    {
        app->docManager().CloseAllDocuments();
        AppFixture::TearDown();
    }
    // An auto-save file of a new bar list in the auto-save folder; a
    // damaged one holds half a list.
    QString leave(const char* stamp, const char* element, bool damaged = false)
    {
        CVes_SetupTable list;
        test::fillDemoList(list);
        test::addElement(list, element, 1);
        EXPECT_TRUE(EnsureFolder(docfiles::autoSaveFolder()));
        const QString file =
            docfiles::autoSaveFolder() + u'/' + QString::fromUtf8(stamp) + QStringLiteral("autoSave.$pld");
        EXPECT_EQ(list.SaveFile(file), 1);
        if (damaged) {
            QByteArray bytes;
            platform::readFile(file, &bytes);
            bytes.truncate(bytes.size() / 2);
            EXPECT_TRUE(platform::saveFile(file, bytes));
        }
        return file;
    }
    std::vector<CRODOSetUpDoc*> barLists() const
    {
        std::vector<CRODOSetUpDoc*> lists;
        for (platform::Document* doc : app->docManager().documents())
            if (auto* list = dynamic_cast<CRODOSetUpDoc*>(doc))
                lists.push_back(list);
        return lists;
    }
    // Saves an untitled list as `name` in a folder of the test's own.
    void saveAs(CRODOSetUpDoc* doc, const char* name)
    {
        const QString path = saved.filePath(QString::fromUtf8(name));
        app->docManager().setFileDialog(
            [path](bool, const QString&, const QString&, const QString&) { return path; });
        doc->OnCmdMsg(ID_FILE_SAVE, nullptr);
        EXPECT_EQ(doc->GetPathName(), path);
    }
    static bool holdsElement(CRODOSetUpDoc* doc, const char* name)
    {
        for (CVes_TableBaseLine* row : doc->setupTable()->lines())
            if (auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
                line && line->isElementLine() && line->getElement() == QString::fromUtf8(name))
                return true;
        return false;
    }

    QTemporaryDir saved;
};

TEST_F(LeftAutoSaves, AreOfferedAtStartAndOpenedAsModifiedNewBarLists)
{
    const QString first = leave("2026年03月17日17时02分11秒", "留下的构件一");
    const QString second = leave("2026年03月17日17时40分00秒", "留下的构件二");
    const QString damaged = leave("2026年03月17日18时00分00秒", "坏的", true);
    host->script({Answer::Yes});
    ASSERT_TRUE(app->InitInstance({}));

    const auto messages = host->messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(messages[0].text.contains(QStringLiteral("3个"))) << messages[0].text.toStdString();
    EXPECT_TRUE(messages[1].text.contains(QFileInfo(damaged).fileName()));
    EXPECT_TRUE(messages[1].text.contains(QStringLiteral("保留"))) << messages[1].text.toStdString();

    const std::vector<CRODOSetUpDoc*> lists = barLists();
    ASSERT_EQ(lists.size(), 2u);
    EXPECT_TRUE(holdsElement(lists[0], "留下的构件一"));
    EXPECT_TRUE(holdsElement(lists[1], "留下的构件二"));
    for (CRODOSetUpDoc* list : lists) {
        EXPECT_TRUE(list->GetPathName().isEmpty());
        EXPECT_TRUE(list->IsModified()) << "nothing of it is saved yet";
    }
    // Each keeps auto-saving into its file until it is saved or closed.
    EXPECT_EQ(lists[0]->autoSavePath(), first);
    EXPECT_EQ(lists[1]->autoSavePath(), second);
    EXPECT_TRUE(QFileInfo::exists(first));
    EXPECT_TRUE(QFileInfo::exists(damaged)) << "asked for, it is not thrown away";

    // Closed without saving, what it holds is still offered at the next
    // start; saved, the file goes.
    host->script({Answer::No});
    lists[0]->OnFileClose();
    EXPECT_TRUE(QFileInfo::exists(first));
    saveAs(lists[1], "二.pld");
    EXPECT_FALSE(QFileInfo::exists(second));
    EXPECT_EQ(docfiles::untitledAutoSaves(), (QStringList{first, damaged}));
}

// Auto-saves of new bar lists that cannot be read: one cut short, one of a
// newer program. Asked for, they stay where they are and the user is told;
// declined, they go.
struct UnreadableCase {
    const char* name;
    const char* fixture;
    Answer answer;
};

class UnreadableLeftAutoSave : public LeftAutoSaves, public ::testing::WithParamInterface<UnreadableCase> {};

TEST_P(UnreadableLeftAutoSave, IsKeptWhenRecoveryIsAskedFor)
{
    const UnreadableCase& c = GetParam();
    const QByteArray bytes = test::fixture(QStringLiteral(RODO_FIXTURES_DIR), QString::fromUtf8(c.fixture));
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(EnsureFolder(docfiles::autoSaveFolder()));
    const QString file = docfiles::autoSaveFolder() + QStringLiteral("/2026年03月17日17时02分11秒autoSave.$pld");
    ASSERT_TRUE(platform::saveFile(file, bytes));

    host->script({c.answer});
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_TRUE(barLists().empty());
    const auto messages = host->messages();
    if (c.answer == Answer::No) {
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_FALSE(QFileInfo::exists(file)) << "the user said to drop it";
        return;
    }
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[1].icon, platform::MessageIcon::Stop);
    EXPECT_TRUE(messages[1].text.contains(QDir::toNativeSeparators(file))) << messages[1].text.toStdString();
    QByteArray kept;
    EXPECT_TRUE(platform::readFile(file, &kept));
    EXPECT_EQ(kept, bytes) << "left as it was";
    EXPECT_EQ(docfiles::untitledAutoSaves(), QStringList{file}) << "offered again at the next start";
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnreadableLeftAutoSave,
    ::testing::Values(UnreadableCase{"CutShortYes", "autosave_untitled_cut_short.$pld", Answer::Yes},
                      UnreadableCase{"NewerYes", "autosave_untitled_newer.$pld", Answer::Yes},
                      UnreadableCase{"CutShortNo", "autosave_untitled_cut_short.$pld", Answer::No}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LeftAutoSaves, DeclinedTheyAreDeleted)
{
    const QString file = leave("2026年03月17日17时02分11秒", "留下的构件");
    host->script({Answer::No});
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(barLists().empty());
    EXPECT_FALSE(QFileInfo::exists(file));
}

TEST_F(LeftAutoSaves, NoneMeansNoQuestion)
{
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_TRUE(host->messages().empty());
}

} // namespace
