// Documents, their templates, frames and views: the file life cycle (new,
// open, save, close with its question), titles, the recent files, and the
// routing of commands from the active view to its document and frame.

#include "platform/archive.h"
#include "platform/profile.h"
#include "platform/savefile.h"
#include "platform/ui/childframe.h"
#include "platform/ui/commandids.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"
#include "platform/ui/printsetup.h"
#include "platform/ui/view.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QPrinter>
#include <QTimer>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <ostream>

namespace {

using platform::Answer;

// A document holding one number, stored as schema 1 followed by the number.
class NumberDoc : public platform::Document {
public:
    int value = 0;
    int deleteCalls = 0;

    void Serialize(platform::Archive& ar) override
    {
        if (ar.IsStoring()) {
            ar << std::int32_t(1) << std::int32_t(value);
            return;
        }
        std::int32_t v = 0;
        ar.readSchema(1, 1);
        ar >> v;
        value = v;
    }
    void DeleteContents() override
    {
        value = 0;
        ++deleteCalls;
    }
};

class NumberView : public QLabel, public platform::View {
public:
    explicit NumberView(QWidget* parent) : QLabel(parent), platform::View(this) {}
    int updates = 0;
    std::vector<bool> activations;
    void OnUpdate(platform::View*, long) override { ++updates; }
    void OnActivateView(bool active, platform::View*, platform::View*) override
    {
        activations.push_back(active);
    }
};

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

class DocView : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::openProfile()->clear();
        area.resize(600, 400);
        manager = std::make_unique<platform::DocManager>();
        manager->setMdiArea(&area);
        docTemplate = manager->AddDocTemplate(std::make_unique<platform::DocTemplate>(
            129, QStringLiteral("\n数字\n数字\n数字文件 (*.num)\n.num\nrodo.Document\n数字文件"),
            [] { return std::make_unique<NumberDoc>(); },
            [] { return new platform::MdiChildWnd; },
            [](QWidget* parent) { return new NumberView(parent); }));
        manager->setFileDialog([this](bool open, const QString&, const QString& filter,
                                      const QString& proposed) {
            dialogs << QStringLiteral("%1|%2|%3").arg(open ? "open" : "save", filter, proposed);
            return dialogAnswer;
        });
    }
    void TearDown() override
    {
        manager.reset();
        flushDeletes();
    }

    QString path(const char* name) const { return dir.filePath(QString::fromUtf8(name)); }
    void writeNumber(const QString& file, const char* hexBytes)
    {
        ASSERT_TRUE(platform::saveFile(file, test::hex(hexBytes)));
    }
    NumberDoc* open(const QString& file)
    {
        return static_cast<NumberDoc*>(manager->OpenDocumentFile(file));
    }
    NumberDoc* fresh() { return static_cast<NumberDoc*>(docTemplate->OpenDocumentFile(QString())); }

    test::HostScope host;
    QTemporaryDir dir;
    QMdiArea area;
    std::unique_ptr<platform::DocManager> manager;
    platform::DocTemplate* docTemplate = nullptr;
    QStringList dialogs;
    QString dialogAnswer;
};

TEST_F(DocView, TheOpenDialogOffersEveryKindOfDocumentAtOnceFirst)
{
    manager->OnFileOpen();
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs.last(), "open|数字文件 (*.num);;所有文件 (*)|") << "one kind needs no sum";

    manager->AddDocTemplate(std::make_unique<platform::DocTemplate>(
        130, QStringLiteral("\n列表\n列表\n列表文件 (*.lst)\n.lst\nrodo.List\n列表文件"),
        [] { return std::make_unique<NumberDoc>(); }, [] { return new platform::MdiChildWnd; },
        [](QWidget* parent) { return new NumberView(parent); }));
    manager->OnFileOpen();
    EXPECT_EQ(dialogs.last(),
              "open|全部表格 (*.num *.lst);;数字文件 (*.num);;列表文件 (*.lst);;所有文件 (*)|");
}

TEST_F(DocView, NewDocumentsAreNumberedAfterTheTemplateName)
{
    NumberDoc* first = fresh();
    NumberDoc* second = fresh();
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->GetTitle(), QStringLiteral("数字1"));
    EXPECT_EQ(second->GetTitle(), QStringLiteral("数字2"));
    EXPECT_TRUE(first->GetPathName().isEmpty());
    EXPECT_EQ(area.subWindowList().size(), 2);
    EXPECT_EQ(area.subWindowList().at(0)->windowTitle(), QStringLiteral("数字1[*]"));
    EXPECT_EQ(manager->activeDocument(), second);
}

TEST_F(DocView, OpenReadsTheFileAndTitlesTheWindowWithItsName)
{
    writeNumber(path("a.num"), "01 00 00 00 2A 00 00 00");
    NumberDoc* doc = open(path("a.num"));
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->value, 42);
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("a.num"));
    EXPECT_FALSE(doc->IsModified());
    // Opening the same file again shows the open document.
    EXPECT_EQ(open(path("a.num")), doc);
    EXPECT_EQ(manager->documents().size(), 1u);
}

struct BadFile {
    const char* name;
    const char* bytes; // null: no file at all
    const char* message;
};

void PrintTo(const BadFile& c, std::ostream* os)
{
    *os << c.name;
}

class DocViewBadFile : public DocView, public ::testing::WithParamInterface<BadFile> {};

TEST_P(DocViewBadFile, FailsWithAMessageAndLeavesNoDocumentOrWindow)
{
    const BadFile& c = GetParam();
    const QString file = path(c.name);
    if (c.bytes)
        writeNumber(file, c.bytes);
    EXPECT_EQ(open(file), nullptr);
    flushDeletes();
    EXPECT_TRUE(manager->documents().empty());
    EXPECT_TRUE(area.subWindowList().isEmpty());
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().first().contains(QString::fromUtf8(c.message)))
        << host->messageTexts().first().toStdString();
    EXPECT_EQ(host->messages().front().icon, platform::MessageIcon::Stop);
    // A file that failed is not offered again among the recent files.
    EXPECT_TRUE(manager->recentFiles().entries().isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, DocViewBadFile,
    ::testing::Values(BadFile{"missing.num", nullptr, "打开文件"},
                      BadFile{"truncated.num", "01 00 00 00 2A 00", "已损坏"},
                      BadFile{"newer.num", "07 00 00 00 2A 00 00 00", "更新版本"},
                      // Numbers no later version gives: damage, not a newer file.
                      BadFile{"schema0.num", "00 00 00 00 2A 00 00 00", "已损坏"},
                      BadFile{"negative.num", "FF FF FF FF 2A 00 00 00", "已损坏"},
                      BadFile{"farbeyond.num", "00 00 20 41 2A 00 00 00", "已损坏"},
                      BadFile{"picture.png", "89 50 4E 47", "不认识这种文件"}));

TEST_F(DocView, SaveWritesTheBytesAndClearsTheModifiedFlag)
{
    NumberDoc* doc = fresh();
    doc->value = 7;
    doc->SetModifiedFlag();
    EXPECT_TRUE(area.subWindowList().first()->isWindowModified());
    dialogAnswer = path("seven"); // the extension is added
    ASSERT_TRUE(doc->OnCmdMsg(ID_FILE_SAVE, nullptr));
    ASSERT_EQ(dialogs.size(), 1);
    EXPECT_EQ(dialogs.first(), QStringLiteral("save|数字文件 (*.num)|数字1.num"));
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(path("seven.num"), &bytes));
    EXPECT_EQ(test::toHex(bytes), QStringLiteral("01 00 00 00 07 00 00 00"));
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(area.subWindowList().first()->isWindowModified());
    EXPECT_EQ(doc->GetTitle(), QStringLiteral("seven.num"));
    // Saving a titled document asks nothing.
    doc->SetModifiedFlag();
    doc->OnFileSave();
    EXPECT_EQ(dialogs.size(), 1);
    EXPECT_FALSE(doc->IsModified());
}

TEST_F(DocView, SaveThatFailsIsReportedAndKeepsTheDocumentModified)
{
    NumberDoc* doc = fresh();
    doc->SetModifiedFlag();
    EXPECT_FALSE(doc->DoSave(path("no/such/folder/x.num")));
    EXPECT_TRUE(doc->IsModified());
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().first().contains(QStringLiteral("保存文件")));
    EXPECT_TRUE(doc->GetPathName().isEmpty());
}

TEST_F(DocView, CancelledSaveAsChangesNothing)
{
    NumberDoc* doc = fresh();
    doc->SetModifiedFlag();
    dialogAnswer.clear();
    doc->OnFileSaveAs();
    EXPECT_TRUE(doc->IsModified());
    EXPECT_TRUE(doc->GetPathName().isEmpty());
}

struct CloseCase {
    Answer answer;
    bool closes;
    bool saved;
};

void PrintTo(const CloseCase& c, std::ostream* os)
{
    *os << "answer " << int(c.answer);
}

class DocViewClose : public DocView, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(DocViewClose, ClosingTheWindowOfAModifiedDocumentAsksFirst)
{
    const CloseCase& c = GetParam();
    writeNumber(path("b.num"), "01 00 00 00 05 00 00 00");
    NumberDoc* doc = open(path("b.num"));
    ASSERT_TRUE(doc);
    doc->value = 6;
    doc->SetModifiedFlag();
    host->script({c.answer});
    area.subWindowList().first()->close();
    flushDeletes();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("是否保存对“b.num”的更改？")});
    EXPECT_EQ(area.subWindowList().isEmpty(), c.closes);
    EXPECT_EQ(manager->documents().empty(), c.closes);
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(path("b.num"), &bytes));
    EXPECT_EQ(bytes.at(4), c.saved ? 6 : 5);
}

INSTANTIATE_TEST_SUITE_P(Answers, DocViewClose,
                         ::testing::Values(CloseCase{Answer::Yes, true, true},
                                           CloseCase{Answer::No, true, false},
                                           CloseCase{Answer::Cancel, false, false}));

TEST_F(DocView, UnmodifiedDocumentsCloseWithoutAQuestion)
{
    fresh();
    fresh()->SetModifiedFlag();
    host->script({Answer::No});
    EXPECT_TRUE(manager->SaveAllModified());
    EXPECT_EQ(host->messageTexts().size(), 1);
    manager->CloseAllDocuments();
    flushDeletes();
    EXPECT_TRUE(area.subWindowList().isEmpty());
    EXPECT_TRUE(manager->documents().empty());
}

TEST_F(DocView, RecentFilesKeepTheLastFourAndAreStoredAtOnce)
{
    for (const char* name : {"1.num", "2.num", "3.num", "4.num", "5.num", "2.num"}) {
        writeNumber(path(name), "01 00 00 00 00 00 00 00");
        ASSERT_TRUE(open(path(name)));
    }
    const QStringList expected{path("2.num"), path("5.num"), path("4.num"), path("3.num")};
    EXPECT_EQ(manager->recentFiles().entries(), expected);
    const auto profile = platform::openProfile();
    EXPECT_EQ(profile->value(QStringLiteral("Recent File List/File1")).toString(), path("2.num"));
    EXPECT_EQ(profile->value(QStringLiteral("Recent File List/File4")).toString(), path("3.num"));
    EXPECT_FALSE(profile->contains(QStringLiteral("Recent File List/File5")));
}

TEST_F(DocView, UpdateAllViewsSkipsTheSenderAndActivationReachesTheView)
{
    NumberDoc* doc = fresh();
    auto* shown = static_cast<NumberView*>(doc->views().front());
    EXPECT_EQ(shown->activations, std::vector<bool>{true});
    auto* second = new NumberView(nullptr);
    doc->AddView(second);
    doc->UpdateAllViews(shown);
    EXPECT_EQ(shown->updates, 1); // only the initial update
    EXPECT_EQ(second->updates, 1);
    delete second;
    EXPECT_EQ(doc->views().size(), 1u);
}

// command routing

class Target : public platform::CommandTarget {
public:
    Target(QString name, QStringList* log) : m_name(std::move(name)), m_log(log) {}
    void handle(int id) { commandMap().add(id, [this] { *m_log << m_name; }); }
    void disable(int id)
    {
        commandMap().addUpdate(id, [](platform::CommandState& s) { s.Enable(false); });
    }

private:
    QString m_name;
    QStringList* m_log;
};

struct RouteCase {
    const char* name;
    std::vector<int> viewHandles, docHandles, frameHandles, frameDisables;
    const char* ranBy; // empty: nobody
    bool enabled;
};

class Routing : public ::testing::TestWithParam<RouteCase> {};

TEST_P(Routing, TheFirstTargetThatKnowsTheCommandTakesIt)
{
    const RouteCase& c = GetParam();
    QStringList log;
    Target view(QStringLiteral("view"), &log), doc(QStringLiteral("doc"), &log),
        frame(QStringLiteral("frame"), &log);
    for (int id : c.viewHandles)
        view.handle(id);
    for (int id : c.docHandles)
        doc.handle(id);
    for (int id : c.frameHandles)
        frame.handle(id);
    for (int id : c.frameDisables)
        frame.disable(id);
    constexpr int kId = 33771;
    platform::CommandState state(kId);
    const bool known = platform::routeCommand({&view, nullptr, &doc, &frame}, kId, &state);
    EXPECT_EQ(known && state.enabled(), c.enabled);
    const bool ran = platform::routeCommand({&view, nullptr, &doc, &frame}, kId, nullptr);
    EXPECT_EQ(ran, QString::fromUtf8(c.ranBy).size() > 0);
    EXPECT_EQ(log.join(u','), QString::fromUtf8(c.ranBy));
}

INSTANTIATE_TEST_SUITE_P(
    Chains, Routing,
    ::testing::Values(RouteCase{"nobody", {}, {}, {}, {}, "", false},
                      RouteCase{"view first", {33771}, {33771}, {33771}, {}, "view", true},
                      RouteCase{"document before frame", {}, {33771}, {33771}, {}, "doc", true},
                      RouteCase{"frame", {}, {}, {33771}, {}, "frame", true},
                      RouteCase{"other command", {33772}, {}, {}, {}, "", false},
                      // An update handler alone decides the state; running
                      // the command goes on along the chain.
                      RouteCase{"disabled by its update", {}, {}, {}, {33771}, "", false}),
    [](const auto& info) {
        QString name = QString::fromUtf8(info.param.name);
        name.replace(u' ', u'_');
        return name.toStdString();
    });

TEST(CommandMap, ALaterEntryOverridesAnEarlierOneAndRangesPassTheNumber)
{
    platform::CommandMap map;
    QStringList log;
    map.addRange(32892, 32896, [&log](int id) { log << QString::number(id - 32892); });
    map.add(32894, [&log] { log << QStringLiteral("override"); });
    EXPECT_TRUE(map.dispatch(32893, nullptr));
    EXPECT_TRUE(map.dispatch(32894, nullptr));
    EXPECT_FALSE(map.dispatch(32897, nullptr));
    EXPECT_EQ(log, (QStringList{QStringLiteral("1"), QStringLiteral("override")}));
}

// recent-file lists

TEST(RecentFileList, ReadsWritesAndDropsDuplicatesOfTheProfile)
{
    platform::openProfile()->clear();
    platform::setProfileValue(QStringLiteral("Recent Project List"), QStringLiteral("Project1"), QStringLiteral("/p/a"));
    platform::setProfileValue(QStringLiteral("Recent Project List"), QStringLiteral("Project2"), QStringLiteral("/p/a/"));
    platform::setProfileValue(QStringLiteral("Recent Project List"), QStringLiteral("Project4"), QStringLiteral("/p/b"));
    platform::RecentFileList list(0, QStringLiteral("Recent Project List"), QStringLiteral("Project%d"), 10, 30);
    list.ReadList();
    EXPECT_EQ(list.entries(), (QStringList{QStringLiteral("/p/a"), QStringLiteral("/p/b")}));
    list.Add(QStringLiteral("/p/c"));
    list.Add(QStringLiteral("/p/b"));
    list.WriteList();
    const auto profile = platform::openProfile();
    EXPECT_EQ(profile->value(QStringLiteral("Recent Project List/Project1")).toString(), QStringLiteral("/p/b"));
    EXPECT_EQ(profile->value(QStringLiteral("Recent Project List/Project3")).toString(), QStringLiteral("/p/a"));
    EXPECT_FALSE(profile->contains(QStringLiteral("Recent Project List/Project4")));
}

struct AbbreviateCase {
    const char* path;
    int length;
    const char* shown;
};

void PrintTo(const AbbreviateCase& c, std::ostream* os)
{
    *os << c.path << " in " << c.length;
}

class Abbreviate : public ::testing::TestWithParam<AbbreviateCase> {};

TEST_P(Abbreviate, LeavesOutMiddleFoldersButNeverTheName)
{
    const AbbreviateCase& c = GetParam();
    EXPECT_EQ(platform::abbreviatePath(QString::fromUtf8(c.path), c.length), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Abbreviate,
    ::testing::Values(AbbreviateCase{"/home/a/b.pld", 30, "/home/a/b.pld"},
                      AbbreviateCase{"/home/user/工程/某小区/1号楼/配料单.pld", 20, "/…/某小区/1号楼/配料单.pld"},
                      AbbreviateCase{"/home/user/工程/某小区/1号楼/配料单.pld", 12, "/…/配料单.pld"},
                      AbbreviateCase{"/home/user/工程/某小区/1号楼/配料单.pld", 8, "配料单.pld"},
                      AbbreviateCase{"D:\\工程\\很长很长的文件夹名字\\表.pld", 12, "D:\\…\\表.pld"}));


// the chosen printer

TEST(PrintSetup, APrinterThatIsNotInstalledIsNotForcedOnAJob)
{
    platform::setChosenPrinter(QStringLiteral("没有这台打印机"));
    QPrinter printer;
    const QString before = printer.printerName();
    platform::applyPrintSetup(printer);
    EXPECT_EQ(printer.printerName().toStdString(), before.toStdString());
    QPrinter pdf;
    pdf.setOutputFormat(QPrinter::PdfFormat);
    platform::applyPrintSetup(pdf);
    EXPECT_EQ(pdf.outputFormat(), QPrinter::PdfFormat);
    platform::setChosenPrinter(QString());
}

TEST(PrintSetup, TheDialogKeepsTheChoiceOnlyWhenAccepted)
{
    platform::setChosenPrinter(QStringLiteral("甲"));
    // Closes the dialog once it runs, so that a failure cannot leave it open.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    EXPECT_FALSE(platform::runPrintSetupDialog(nullptr));
    EXPECT_EQ(platform::chosenPrinter(), QStringLiteral("甲"));
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            auto* list = dialog->findChild<QComboBox*>();
            list->setCurrentIndex(0); // the system's default printer
            dialog->accept();
        }
    });
    EXPECT_TRUE(platform::runPrintSetupDialog(nullptr));
    EXPECT_TRUE(platform::chosenPrinter().isEmpty());
}

} // namespace
