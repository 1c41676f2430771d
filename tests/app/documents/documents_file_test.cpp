// The sheet documents' files in a temporary folder: the ".bak" copy, the
// auto-saves of titled and untitled bar lists, recovery from "path$$$"
// (asked, and what is recovered is modified), an auto-save copy that outlives
// a failed save, the template companions, files of a newer program, and the
// names an untitled document proposes.

#include "app/documents/documentfiles.h"
#include "app/documents/documentids.h"
#include "app/shell/myrdapp.h"
#include "core/geometry/datafolder.h"
#include "platform/profile.h"
#include "platform/ui/commandids.h"
#include "tables/processing/processlisttable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tests/app/support/documents_support.h"
#include "app/documents/setupmainview.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using platform::Answer;

using test::kNow;
using test::setSetting;

// The element rows of a bar list, by name.
QStringList elementNames(const CVes_SetupTable& list)
{
    QStringList names;
    for (CVes_TableBaseLine* row : list.lines())
        if (auto* line = dynamic_cast<CVes_SetupTableLine*>(row); line && line->isElementLine())
            names << line->getElement();
    return names;
}

class DocumentFiles : public test::DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        host->setNow(kNow);
    }
    // Gives the first two bars of the open bar list grade 2.
    static void edit(CRODOSetUpDoc* doc)
    {
        selectTwoBars(*doc->setupTable());
        runCommand(doc, ID_GRADE_2);
        ASSERT_TRUE(doc->IsModified());
    }
};

// backup

struct BackupCase {
    const char* name;
    int autoBak;
    bool changed;
    bool backup;
};

class Backup : public DocumentFiles, public ::testing::WithParamInterface<BackupCase> {};

TEST_P(Backup, ABakIsMadeOnlyWhenAskedAndTheBarListChanged)
{
    const BackupCase& c = GetParam();
    setSetting("autoBak", c.autoBak);
    const QString file = saveBarList("a.pld");
    const QByteArray before = bytesOf(file);
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    if (c.changed)
        edit(doc);
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_FALSE(doc->IsModified());
    const QString bak = path("a.bak");
    ASSERT_EQ(QFileInfo::exists(bak), c.backup);
    if (c.backup) {
        EXPECT_EQ(bytesOf(bak), before) << "the backup holds the file as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Backup,
    ::testing::Values(BackupCase{"ChangedWithBackupOn", 1, true, true},
                      BackupCase{"UnchangedWithBackupOn", 1, false, false},
                      BackupCase{"ChangedWithBackupOff", 0, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

// auto-save

TEST_F(DocumentFiles, AnUnmodifiedDocumentAutoSavesNothing)
{
    for (int type : {0, 1}) {
        setSetting("autoSaveType", type);
        const QString file = saveBarList(type ? "b.pld" : "a.pld");
        const QByteArray before = bytesOf(file);
        CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
        ASSERT_TRUE(doc);
        doc->AutoSave();
        EXPECT_EQ(bytesOf(file), before);
        EXPECT_FALSE(QFileInfo::exists(docfiles::recoveryPath(file)));
    }
}

TEST_F(DocumentFiles, AutoSaveIntoTheFileIsASave)
{
    setSetting("autoSaveType", 0);
    const QString file = saveBarList("a.pld");
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    edit(doc);
    doc->AutoSave();
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(QFileInfo::exists(path("a.bak")));
    EXPECT_FALSE(QFileInfo::exists(docfiles::recoveryPath(file)));
    CVes_SetupTable reread;
    ASSERT_EQ(reread.OpenFile(file), 1);
    selectTwoBars(reread);
    EXPECT_EQ(reread.isSameGradeOfSelLine(), 2);
}

TEST_F(DocumentFiles, AutoSaveIntoARecoveryFileLeavesTheFileAndTheDocumentModified)
{
    setSetting("autoSaveType", 1);
    const QString file = saveBarList("a.pld");
    const QByteArray before = bytesOf(file);
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    edit(doc);
    doc->AutoSave();
    const QString recovery = file + QStringLiteral("$$$");
    EXPECT_EQ(bytesOf(file), before);
    ASSERT_TRUE(QFileInfo::exists(recovery));
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(doc->autoSavePath(), recovery);
    CVes_SetupTable saved;
    ASSERT_EQ(saved.OpenFile(recovery), 1);
    selectTwoBars(saved);
    EXPECT_EQ(saved.isSameGradeOfSelLine(), 2);

    // The real save makes the recovery file unnecessary.
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_FALSE(QFileInfo::exists(recovery));
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocumentFiles, UntitledDocumentsAutoSaveEachIntoAFileOfItsOwn)
{
    CRODOSetUpDoc* first = newBarList();
    CRODOSetUpDoc* second = newBarList();
    ASSERT_TRUE(first && second);
    for (CRODOSetUpDoc* doc : {first, second}) {
        doc->setupTable()->setPageTo(1, 1);
        doc->setupTable()->AddSelect(1, 1);
        doc->SetModifiedFlag(true);
        doc->AutoSave();
    }
    const QString folder = GetRODOFilePath() + QStringLiteral("autosave/");
    EXPECT_EQ(first->autoSavePath(), folder + QStringLiteral("2026年03月18日10时30分05秒autoSave.$pld"));
    EXPECT_NE(second->autoSavePath(), first->autoSavePath()) << "saved within the same second";
    for (CRODOSetUpDoc* doc : {first, second}) {
        EXPECT_TRUE(QFileInfo::exists(doc->autoSavePath()));
        EXPECT_TRUE(doc->IsModified());
    }
    // The name is kept for the life of the document.
    const QString name = first->autoSavePath();
    host->setNow(kNow.addSecs(300));
    first->AutoSave();
    EXPECT_EQ(first->autoSavePath(), name);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 2);
}

TEST_F(DocumentFiles, AFailedSaveKeepsTheAutoSaveCopy)
{
    setSetting("autoSaveType", 1);
    const QString file = saveBarList("a.pld");
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    edit(doc);
    doc->AutoSave();
    const QString recovery = doc->autoSavePath();
    ASSERT_TRUE(QFileInfo::exists(recovery));

    // The file cannot be written: a folder took its place.
    ASSERT_TRUE(QFile::remove(file));
    ASSERT_TRUE(QDir().mkdir(file));
    host->clear();
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_TRUE(doc->IsModified());
    EXPECT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(QFileInfo::exists(recovery)) << "the only copy of the edits";

    // An untitled document whose Save As fails keeps its file too.
    CRODOSetUpDoc* untitled = newBarList();
    untitled->SetModifiedFlag(true);
    untitled->AutoSave();
    const QString copy = untitled->autoSavePath();
    fileAnswers.push_back(path("没有的目录/b.pld"));
    runCommand(untitled, ID_FILE_SAVE);
    EXPECT_TRUE(QFileInfo::exists(copy));
    EXPECT_TRUE(untitled->GetPathName().isEmpty());
    // Saved at last, the copy goes.
    fileAnswers.push_back(path("b.pld"));
    runCommand(untitled, ID_FILE_SAVE);
    EXPECT_EQ(untitled->GetPathName(), path("b.pld"));
    EXPECT_FALSE(QFileInfo::exists(copy));
}

// recovery

struct RecoveryCase {
    const char* name;
    Answer answer;
    bool damaged;
    bool recovered;
};

class Recovery : public DocumentFiles, public ::testing::WithParamInterface<RecoveryCase> {};

TEST_P(Recovery, IsOfferedAndWhatIsRecoveredIsModified)
{
    const RecoveryCase& c = GetParam();
    const QString file = saveBarList("a.pld");
    const QString recovery = file + QStringLiteral("$$$");
    saveBarList("a.pld$$$", [](CVes_SetupTable& list) { test::addElement(list, "恢复的构件", 1); });
    if (c.damaged) {
        QByteArray bytes = bytesOf(recovery);
        bytes.truncate(bytes.size() / 2);
        ASSERT_TRUE(platform::saveFile(recovery, bytes));
    }
    host->script({c.answer});
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    const auto questions = host->messages();
    ASSERT_FALSE(questions.empty());
    EXPECT_EQ(questions.front().buttons, platform::Buttons::YesNo);
    EXPECT_TRUE(questions.front().text.contains(QStringLiteral("自动保存")));

    EXPECT_EQ(elementNames(*doc->setupTable()).contains(QStringLiteral("恢复的构件")), c.recovered);
    EXPECT_EQ(elementNames(*doc->setupTable()).size(), c.recovered ? 4 : 3);
    EXPECT_EQ(doc->IsModified(), c.recovered);
    EXPECT_EQ(doc->GetPathName(), file);
    // Recovered, the file stays where it is until what it held is saved
    // (should the program end first, it is offered again); declined or
    // unreadable, it is set aside, not to be offered again.
    EXPECT_EQ(QFileInfo::exists(recovery), c.recovered);
    EXPECT_EQ(QFileInfo::exists(recovery + QStringLiteral("2026-03-18-10-30")), !c.recovered);
    if (c.damaged) {
        EXPECT_EQ(host->messages().size(), 2u) << "the damaged file is reported";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, Recovery,
    ::testing::Values(RecoveryCase{"Yes", Answer::Yes, false, true},
                      RecoveryCase{"No", Answer::No, false, false},
                      RecoveryCase{"YesToADamagedFile", Answer::Yes, true, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFiles, ARecoveredDocumentSavedLosesTheRecoveryFile)
{
    const QString file = saveBarList("a.pld");
    const QString recovery = saveBarList("a.pld$$$");
    host->script({Answer::Yes});
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    ASSERT_TRUE(QFileInfo::exists(recovery));
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_FALSE(QFileInfo::exists(recovery));
    EXPECT_TRUE(QDir(dir.path()).entryList({QStringLiteral("a.pld$$$*")}, QDir::Files).isEmpty());
}

// What a recovery file held and the user took back is kept until it is
// saved: closing without saving (the user declined to save changes, not to
// keep that file) leaves the recovery file to be offered at the next open,
// with the same bytes; so does a program that ends right after the answer.
struct KeptCase {
    const char* name;
    bool listDamaged; // the list itself cannot be read: the recovery file is offered in its place
};

class RecoveredAndNotSaved : public DocumentFiles, public ::testing::WithParamInterface<KeptCase> {};

TEST_P(RecoveredAndNotSaved, KeepsTheRecoveryFileToBeOfferedAgain)
{
    const QString file = saveBarList("a.pld");
    const QString recovery =
        saveBarList("a.pld$$$", [](CVes_SetupTable& list) { test::addElement(list, "恢复的构件", 1); });
    if (GetParam().listDamaged) {
        QByteArray half = bytesOf(file);
        half.truncate(half.size() / 2);
        ASSERT_TRUE(platform::saveFile(file, half));
    }
    const QByteArray listBytes = bytesOf(file);
    const QByteArray recoveryBytes = bytesOf(recovery);

    host->script({Answer::Yes});
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    EXPECT_TRUE(elementNames(*doc->setupTable()).contains(QStringLiteral("恢复的构件")));
    // The program could end here: what is on disk is offered again.
    EXPECT_EQ(bytesOf(recovery), recoveryBytes);

    host->clear();
    host->script({Answer::No}); // do not save the changes
    doc->OnFileClose();
    ASSERT_EQ(host->messages().size(), 1u) << "closing asks to save";
    EXPECT_EQ(bytesOf(recovery), recoveryBytes) << "the recovery file stays";
    EXPECT_EQ(bytesOf(file), listBytes);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // Opened again, it is offered again; taken back and saved, it goes.
    host->clear();
    host->script({Answer::Yes});
    doc = open<CRODOSetUpDoc>(file);
    ASSERT_TRUE(doc);
    ASSERT_FALSE(host->messages().empty());
    EXPECT_TRUE(host->messages().front().text.contains(QDir::toNativeSeparators(recovery)));
    EXPECT_TRUE(elementNames(*doc->setupTable()).contains(QStringLiteral("恢复的构件")));
    runCommand(doc, ID_FILE_SAVE);
    EXPECT_FALSE(QFileInfo::exists(recovery));
    CVes_SetupTable saved;
    ASSERT_EQ(saved.OpenFile(file), 1);
    EXPECT_TRUE(elementNames(saved).contains(QStringLiteral("恢复的构件")));
}

INSTANTIATE_TEST_SUITE_P(Lists, RecoveredAndNotSaved,
                         ::testing::Values(KeptCase{"BesideItsList", false},
                                           KeptCase{"InPlaceOfADamagedList", true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A bar list that cannot be read beside a recovery file: the recovery file
// is offered in its place, with the reason the list itself was not opened.
struct UnreadCase {
    const char* name;
    const char* damage;   // what happens to a.pld: "truncated", "schema99", "missing"
    bool recoveryReads;
    Answer answer;
    const char* reason;   // in the message or question
};

class RecoveryOfAnUnreadList : public DocumentFiles, public ::testing::WithParamInterface<UnreadCase> {};

TEST_P(RecoveryOfAnUnreadList, IsOfferedWhenItReads)
{
    const UnreadCase& c = GetParam();
    const QString file = saveBarList("a.pld");
    const QString recovery = file + QStringLiteral("$$$");
    saveBarList("a.pld$$$", [](CVes_SetupTable& list) { test::addElement(list, "恢复的构件", 1); });
    QByteArray bytes = bytesOf(file);
    const QString damage = QString::fromUtf8(c.damage);
    if (damage == QStringLiteral("truncated"))
        bytes.truncate(bytes.size() / 2);
    else if (damage == QStringLiteral("schema99"))
        bytes[0] = 99;
    if (damage == QStringLiteral("missing"))
        ASSERT_TRUE(QFile::remove(file));
    else
        ASSERT_TRUE(platform::saveFile(file, bytes));
    if (!c.recoveryReads) {
        QByteArray half = bytesOf(recovery);
        half.truncate(half.size() / 2);
        ASSERT_TRUE(platform::saveFile(recovery, half));
    }
    const QByteArray recoveryBytes = bytesOf(recovery);

    host->script({c.answer});
    CRODOSetUpDoc* doc = open<CRODOSetUpDoc>(file);
    const auto messages = host->messages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_TRUE(messages[0].text.contains(QString::fromUtf8(c.reason))) << messages[0].text.toStdString();
    const bool offered = c.recoveryReads;
    EXPECT_EQ(messages[0].buttons, offered ? platform::Buttons::YesNo : platform::Buttons::Ok);
    if (offered) {
        EXPECT_TRUE(messages[0].text.contains(QDir::toNativeSeparators(recovery)));
    }

    const bool opened = offered && c.answer == Answer::Yes;
    ASSERT_EQ(doc != nullptr, opened);
    if (opened) {
        EXPECT_EQ(doc->GetPathName(), QFileInfo(file).absoluteFilePath());
        EXPECT_TRUE(elementNames(*doc->setupTable()).contains(QStringLiteral("恢复的构件")));
        EXPECT_TRUE(doc->IsModified()) << "what was recovered is not saved yet";
        EXPECT_EQ(bytesOf(recovery), recoveryBytes) << "kept until what it holds is saved";
    } else {
        // Nothing is changed: the recovery file stays to be offered again.
        EXPECT_EQ(bytesOf(recovery), recoveryBytes);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(app->docManager().documents().empty() ||
                    app->docManager().documents().front()->GetPathName() != file);
    }
    if (damage != QStringLiteral("missing")) {
        EXPECT_EQ(bytesOf(file), bytes) << "the list's own file is left as it was";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RecoveryOfAnUnreadList,
    ::testing::Values(UnreadCase{"DamagedYes", "truncated", true, Answer::Yes, "已损坏"},
                      UnreadCase{"DamagedNo", "truncated", true, Answer::No, "已损坏"},
                      UnreadCase{"NewerYes", "schema99", true, Answer::Yes, "版本不符"},
                      UnreadCase{"MissingYes", "missing", true, Answer::Yes, "打开文件"},
                      UnreadCase{"BothDamaged", "truncated", false, Answer::Yes, "已损坏"}),
    [](const auto& info) { return std::string(info.param.name); });

// companions

// Writes a template file whose title names it.
void saveTemplate(CVes_Template& sheet, const QString& file)
{
    sheet.setTitle(QFileInfo(file).fileName());
    ASSERT_TRUE(sheet.saveTemplateFile(file));
}

QString titleOf(const CVes_TableBase* sheet)
{
    return sheet->m_texts[0].m_formula;
}

TEST_F(DocumentFiles, ADefaultBarListTemplateBringsItsFourCompanions)
{
    CVes_SetupTable main;
    saveTemplate(main, path("a.jtm"));
    CVes_SortBarSheet sorted;
    saveTemplate(sorted, path("a.jtm2"));
    CVes_SLSumaryTable summary;
    saveTemplate(summary, path("a.jtm3"));
    CVes_SLSumaryJTtable joints;
    saveTemplate(joints, path("a.jtm4"));
    CVes_SteelJinHuoSumaryTable purchase;
    saveTemplate(purchase, path("a.jtm5"));
    platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("配料单"), path("a.jtm"));

    CRODOSetUpDoc* doc = newBarList();
    ASSERT_TRUE(doc);
    EXPECT_EQ(titleOf(doc->setupTable()), QStringLiteral("a.jtm"));
    EXPECT_EQ(titleOf(doc->sortTable()), QStringLiteral("a.jtm2"));
    EXPECT_EQ(titleOf(doc->summaryTable()), QStringLiteral("a.jtm3"));
    EXPECT_EQ(titleOf(doc->summaryJTTable()), QStringLiteral("a.jtm4"));
    EXPECT_EQ(titleOf(doc->jinHuoTable()), QStringLiteral("a.jtm5"));
    EXPECT_TRUE(host->messageTexts().isEmpty());

    // A template without an extension has no companions.
    QFile::copy(path("a.jtm"), path("plain"));
    QFile::copy(path("a.jtm2"), path("plain.jtm2"));
    platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("配料单"), path("plain"));
    CRODOSetUpDoc* plain = newBarList();
    EXPECT_EQ(titleOf(plain->setupTable()), QStringLiteral("a.jtm"));
    EXPECT_EQ(titleOf(plain->sortTable()), CVes_SortBarSheet().m_texts[0].m_formula);
}

TEST_F(DocumentFiles, ADefaultQuantityTemplateBringsItsThreeCompanions)
{
    CVes_SLTable main;
    saveTemplate(main, path("q.jstm"));
    CVes_SLSumaryTable summary;
    saveTemplate(summary, path("q.jstm2"));
    CVes_SLSumaryJTtable joints;
    saveTemplate(joints, path("q.jstm3"));
    CVes_SortBarSheet sorted;
    saveTemplate(sorted, path("q.jstm4"));
    platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("算量单"), path("q.jstm"));

    auto* doc = dynamic_cast<CRODOSLDoc*>(app->m_pSLTemplate->OpenDocumentFile(QString()));
    ASSERT_TRUE(doc);
    EXPECT_EQ(titleOf(doc->slTable()), QStringLiteral("q.jstm"));
    EXPECT_EQ(titleOf(doc->summaryTable()), QStringLiteral("q.jstm2"));
    EXPECT_EQ(titleOf(doc->summaryJTTable()), QStringLiteral("q.jstm3"));
    EXPECT_EQ(titleOf(doc->sortTable()), QStringLiteral("q.jstm4"));
}

TEST_F(DocumentFiles, ABadDefaultTemplateIsReportedOnceAndTheDefaultsStay)
{
    CVes_ProcessTable main;
    saveTemplate(main, path("p.jptm"));
    QByteArray newer = bytesOf(path("p.jptm"));
    newer[0] = 99; // the template's schema
    ASSERT_TRUE(platform::saveFile(path("p.jptm2"), newer));
    platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("加工单"), path("p.jptm"));

    auto* doc = dynamic_cast<CRODOProcessDoc*>(app->m_pProcessTemplate->OpenDocumentFile(QString()));
    ASSERT_TRUE(doc);
    EXPECT_EQ(titleOf(doc->processTable()), QStringLiteral("p.jptm"));
    EXPECT_EQ(titleOf(doc->processListTable()), CVes_ProcessListTable().m_texts[0].m_formula);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("p.jptm2")));
    app->m_pProcessTemplate->OpenDocumentFile(QString());
    EXPECT_EQ(host->messageTexts().size(), 1) << "reported once";
}

// A main template file holds the whole sheet it was saved from; a bar
// list's is cut short in its rows, after the template part.
TEST_F(DocumentFiles, AMainTemplateDamagedAfterItsTemplatePartIsReported)
{
    CVes_SetupTable main;
    test::fillDemoList(main);
    saveTemplate(main, path("t.jtm"));
    QByteArray bytes = bytesOf(path("t.jtm"));
    bytes.chop(bytes.size() / 3);
    ASSERT_TRUE(platform::saveFile(path("t.jtm"), bytes));
    CVes_Template part;
    ASSERT_TRUE(part.loadTemplateFromFile(path("t.jtm"))) << "the template part itself is whole";

    const QString defaultTitle = titleOf(newBarList()->setupTable());
    platform::setProfileValue(QStringLiteral("模板"), QStringLiteral("配料单"), path("t.jtm"));
    host->clear();
    CRODOSetUpDoc* doc = newBarList();
    ASSERT_TRUE(doc);
    EXPECT_EQ(titleOf(doc->setupTable()), defaultTitle) << "nothing of a damaged file is applied";
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QDir::toNativeSeparators(path("t.jtm"))));

    // 加载模板 says so as well.
    host->clear();
    fileAnswers.push_back(path("t.jtm"));
    runCommand(doc, ID_TEMPLATE_LOAD);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("t.jtm")));
    EXPECT_EQ(titleOf(doc->setupTable()), defaultTitle);
}

TEST_F(DocumentFiles, SavingAsATemplateWritesTheCompanionsAndMayMakeItTheDefault)
{
    CRODOSetUpDoc* doc = newBarList();
    doc->sortTable()->setTitle(QStringLiteral("排序"));
    fileAnswers.push_back(path("t.jtm"));
    host->script({Answer::Yes});
    runCommand(doc, ID_TEMPLATE_SAVE);
    for (const char* name : {"t.jtm", "t.jtm2", "t.jtm3", "t.jtm4", "t.jtm5"})
        EXPECT_TRUE(QFileInfo::exists(path(name))) << name;
    EXPECT_EQ(platform::profileValue(QStringLiteral("模板"), QStringLiteral("配料单")).toString(), path("t.jtm"));
    CVes_SortBarSheet reread;
    ASSERT_TRUE(reread.loadTemplateFromFile(path("t.jtm2")));
    EXPECT_EQ(titleOf(&reread), QStringLiteral("排序"));
}

// The files every document reads: the system shape library and the raw
// stock. Damaged, the user is told at start-up, once for each state of the
// file; a file damaged while the program runs is told when a sheet is made
// from a bar list next.
struct SharedFileCase {
    const char* name;
    const char* fixture;
    const char* file; // in the data folder
};

class DamagedSharedFile : public test::AppFixture, public ::testing::WithParamInterface<SharedFileCase> {
protected:
    void TearDown() override
    {
        app->docManager().CloseAllDocuments();
        AppFixture::TearDown();
    }
    QString target() const { return GetRODOFilePath() + QString::fromUtf8(GetParam().file); }
    QByteArray damaged() const
    {
        return test::fixture(QStringLiteral(RODO_FIXTURES_DIR), QString::fromUtf8(GetParam().fixture));
    }
    void chooseTab(CRODO_SetUpMainView* view, int tab)
    {
        view->selectTab(tab);
        dynamic_cast<SheetDocument*>(view->GetDocument())->finishBuilds();
    }
};

TEST_P(DamagedSharedFile, IsReportedAtStartAndWhenItChanges)
{
    ASSERT_TRUE(platform::saveFile(target(), damaged()));
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_EQ(host->messages()[0].icon, platform::MessageIcon::Stop);
    EXPECT_TRUE(host->messages()[0].text.contains(QDir::toNativeSeparators(target())))
        << host->messages()[0].text.toStdString();

    // A sheet made from a bar list reads it again: told once is enough.
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("a.pld"));
    CVes_SetupTable list;
    test::fillDemoList(list);
    ASSERT_EQ(list.SaveFile(file), 1);
    auto* doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().OpenDocumentFile(file));
    ASSERT_TRUE(doc);
    auto* view = dynamic_cast<CRODO_SetUpMainView*>(doc->views().front());
    ASSERT_TRUE(view);
    host->clear();
    chooseTab(view, CRODO_SetUpMainView::kSummary);
    EXPECT_TRUE(host->messages().empty());

    // Damaged otherwise while the program runs, it is told again.
    QByteArray other = damaged();
    other.chop(10);
    ASSERT_TRUE(platform::saveFile(target(), other));
    chooseTab(view, CRODO_SetUpMainView::kPurchase);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messages()[0].text.contains(QDir::toNativeSeparators(target())));
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedSharedFile,
    ::testing::Values(SharedFileCase{"SystemShapeLibrary", "steelstylesys_cut_short.jlb", "STeelStyleSys.jlb"},
                      SharedFileCase{"RawStock", "kucun_cut_short.xml", "KUCUN.xml"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFiles, SoundSharedFilesAreNotMentioned)
{
    // The fixture's start-up read the data folder's own files.
    EXPECT_TRUE(host->messages().empty());
}

// files of a newer program

struct NewerCase {
    const char* name;
    const char* file;
    const char* ending;
};

class NewerFile : public DocumentFiles, public ::testing::WithParamInterface<NewerCase> {};

TEST_P(NewerFile, IsNotOpenedAndTheVersionMessageShows)
{
    const NewerCase& c = GetParam();
    const QString file = QString::fromUtf8(c.file).endsWith(QStringLiteral(".pld"))   ? saveBarList(c.file)
                         : QString::fromUtf8(c.file).endsWith(QStringLiteral(".jgd")) ? saveProcessSheet(c.file)
                                                                                      : saveQuantitySheet(c.file);
    QByteArray bytes = bytesOf(file);
    bytes[0] = 99; // the table part's schema
    ASSERT_TRUE(platform::saveFile(file, bytes));
    EXPECT_EQ(app->docManager().OpenDocumentFile(file), nullptr);
    const QString expected = QStringLiteral("此文件版本与您使用的程序版本不符，无法正常显示。\n若想正常显示表格内容，请升级Rodo表到") + QString::fromUtf8(c.ending);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_EQ(host->messageTexts().front(), expected);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (platform::Document* doc : app->docManager().documents())
        EXPECT_NE(doc->GetPathName(), file) << "nothing half-read stays open";
    EXPECT_EQ(bytesOf(file), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, NewerFile,
    ::testing::Values(NewerCase{"BarList", "a.pld", "最新的版本！"},
                      NewerCase{"ProcessingSheet", "a.jgd", "最新的版本！"},
                      NewerCase{"QuantitySheet", "a.ylb", "最新版本！"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file whose schema number no version of the program writes is damaged,
// whatever the kind of document: the user is not sent to upgrade.
struct DamagedCase {
    const char* name;
    const char* file;
    std::int32_t schema; // put in the table part's first schema
};

class DamagedFile : public DocumentFiles, public ::testing::WithParamInterface<DamagedCase> {};

TEST_P(DamagedFile, IsNotOpenedAndSaysSo)
{
    const DamagedCase& c = GetParam();
    const QString name = QString::fromUtf8(c.file);
    const QString file = name.endsWith(QStringLiteral(".pld"))   ? saveBarList(c.file)
                         : name.endsWith(QStringLiteral(".jgd")) ? saveProcessSheet(c.file)
                                                                 : saveQuantitySheet(c.file);
    QByteArray bytes = bytesOf(file);
    bytes.replace(0, 4, QByteArray(reinterpret_cast<const char*>(&c.schema), 4));
    ASSERT_TRUE(platform::saveFile(file, bytes));
    EXPECT_EQ(app->docManager().OpenDocumentFile(file), nullptr);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("已损坏")))
        << host->messageTexts().front().toStdString();
    EXPECT_FALSE(host->messageTexts().front().contains(QStringLiteral("升级")));
    EXPECT_EQ(bytesOf(file), bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedFile,
    ::testing::Values(DamagedCase{"BarListSchemaZero", "a.pld", 0},
                      DamagedCase{"BarListNegative", "a.pld", -1},
                      DamagedCase{"ProcessingSheetFarBeyond", "a.jgd", 0x41200000},
                      DamagedCase{"QuantitySheetBelowTheOldest", "a.ylb", 2}),
    [](const auto& info) { return std::string(info.param.name); });

// A file over a megabyte is read behind the progress window (here a list
// followed by more bytes than that, which readers pass over): what is read,
// and what a damaged file is told, are those of the same file read at once.
struct BigFileCase {
    const char* name;
    std::int32_t schema; // put in the table part's first schema; 0: left
    const char* reason;  // in the message; nullptr: opened
};

class BigFile : public DocumentFiles, public ::testing::WithParamInterface<BigFileCase> {};

TEST_P(BigFile, IsReadBehindTheProgressWindowAsAnyOther)
{
    const BigFileCase& c = GetParam();
    const QString file = saveBarList("a.pld", [](CVes_SetupTable& list) {
        test::addElement(list, "大文件的构件", 3);
    });
    QByteArray bytes = bytesOf(file);
    if (c.schema != 0)
        bytes.replace(0, 4, QByteArray(reinterpret_cast<const char*>(&c.schema), 4));
    for (const bool big : {false, true}) {
        SCOPED_TRACE(big ? "over a megabyte" : "small");
        const QString name = QStringLiteral("%1.pld").arg(big ? "big" : "small");
        const QString path = QFileInfo(file).absoluteDir().filePath(name);
        ASSERT_TRUE(platform::saveFile(path, big ? bytes + QByteArray(1 << 20, '\0') : bytes));
        host->clear();
        auto* doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().OpenDocumentFile(path));
        const auto runs = host->progressRuns();
        ASSERT_EQ(runs.size(), big ? 1u : 0u);
        if (big)
            EXPECT_EQ(runs[0].text, QStringLiteral("正在打开文件……"));
        if (!c.reason) {
            ASSERT_NE(doc, nullptr);
            EXPECT_TRUE(elementNames(*doc->setupTable()).contains(QStringLiteral("大文件的构件")));
            EXPECT_FALSE(doc->IsModified());
            EXPECT_TRUE(host->messageTexts().empty());
            continue;
        }
        EXPECT_EQ(doc, nullptr);
        ASSERT_EQ(host->messageTexts().size(), 1);
        EXPECT_TRUE(host->messageTexts().front().contains(QString::fromUtf8(c.reason)))
            << host->messageTexts().front().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BigFile,
    ::testing::Values(BigFileCase{"Sound", 0, nullptr}, BigFileCase{"Newer", 99, "版本不符"},
                      BigFileCase{"Damaged", -1, "已损坏"}),
    [](const auto& info) { return std::string(info.param.name); });

// names of untitled documents

struct NameCase {
    const char* name;
    std::vector<const char*> texts; // title-block texts 2, 3 and 4
    const char* proposed;
};

class ProposedName : public DocumentFiles, public ::testing::WithParamInterface<NameCase> {};

TEST_P(ProposedName, FollowsTheTitleBlock)
{
    const NameCase& c = GetParam();
    app->m_strCurProject = dir.path();
    CRODOSetUpDoc* doc = newBarList();
    for (int i = 0; i < 3; ++i)
        doc->setupTable()->m_texts[std::size_t(2 + i)].m_formula = QString::fromUtf8(c.texts[std::size_t(i)]);
    runCommand(doc, ID_FILE_SAVE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_FALSE(asked[0].open);
    EXPECT_EQ(asked[0].proposed, dir.filePath(QString::fromUtf8(c.proposed)));
    EXPECT_EQ(asked[0].filter, QStringLiteral("钢筋配料单(*.pld)"));
    EXPECT_EQ(asked[0].title, doc->GetTitle());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ProposedName,
    ::testing::Values(NameCase{"ProjectAndPart", {"XX工程", "第一层", " "}, "XX工程_第一层.pld"},
                      NameCase{"LeadingBlanksGo", {"  XX工程", "  第一层", "梁"}, "XX工程_第一层_梁.pld"},
                      NameCase{"AllBlankGivesTheTitle", {"", " ", ""}, "翻样任务1.pld"},
                      NameCase{"SeparatorsAreReplaced", {"A/B", "..", "C:D"}, "A_B_.._C_D.pld"},
                      NameCase{"EmptyMiddleKept", {"A", "", "C"}, "A__C.pld"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DocumentFiles, TheProcessingSheetProposesItsFirstTwoItems)
{
    auto* doc = dynamic_cast<CRODOProcessDoc*>(app->m_pProcessTemplate->OpenDocumentFile(QString()));
    ASSERT_TRUE(doc);
    for (int i : {2, 3, 4})
        doc->processTable()->m_texts[std::size_t(i)].m_formula = QString();
    runCommand(doc, ID_FILE_SAVE);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].proposed, doc->GetTitle() + QStringLiteral(".jgd"));
    EXPECT_EQ(asked[0].title, doc->GetTitle() + QStringLiteral("  保存为"));
}

} // namespace
