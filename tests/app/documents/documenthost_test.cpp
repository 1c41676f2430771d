// The documents reach the main window only through what it serves them:
// the sheet shown, the commands their windows leave, a document saved under
// a new name. Each must still arrive at the running main window. And the
// documents' own files include nothing from the folders above them.

#include "app/documents/documentframe.h"
#include "app/documents/setupmainview.h"
#include "platform/ui/commandids.h"
#include "tables/framework/ui/tableview.h"
#include "tables/quantity/slsumarytable.h"
#include "tests/app/support/documents_support.h"
#include "widgara/cmdui.h"
#include "widgara/controlcombobox.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace {

class DocumentHostReach : public test::DocumentsFixture {
protected:
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        doc = open<CRODOSetUpDoc>(saveBarList("一层.pld"));
        ASSERT_TRUE(doc);
        view = dynamic_cast<CRODO_SetUpMainView*>(containerOf(doc));
        ASSERT_TRUE(view && view->frame());
    }

    CRODOSetUpDoc* doc = nullptr;
    CRODO_SetUpMainView* view = nullptr;
};

TEST_F(DocumentHostReach, ChoosingASheetShowsItsZoomInTheMainWindow)
{
    ASSERT_TRUE(g_pZoomCombo);
    doc->summaryTable()->setScale(1.5);
    view->selectTab(CRODO_SetUpMainView::kSummary);
    doc->finishBuilds();
    EXPECT_EQ(g_pZoomCombo->GetEditText(), QStringLiteral("150%"));
    view->selectTab(CRODO_SetUpMainView::kBarList);
    EXPECT_EQ(g_pZoomCombo->GetEditText(), QStringLiteral("100%"));
}

TEST_F(DocumentHostReach, CommandsTheWindowLeavesGoOnToTheMainWindowAndTheProgram)
{
    DocumentFrame* frame = view->frame();
    // New is the program's: the main window's chain handles it, so it stays
    // enabled; a command nobody handles is disabled.
    CCmdUI fileNew(ID_FILE_NEW, nullptr);
    frame->OnUpdateCommandUI(&fileNew);
    EXPECT_TRUE(fileNew.enabled());
    CCmdUI nobody(1, nullptr);
    frame->OnUpdateCommandUI(&nobody);
    EXPECT_FALSE(nobody.enabled());

    const std::size_t before = app->docManager().documents().size();
    frame->OnCommand(ID_FILE_NEW);
    EXPECT_EQ(app->docManager().documents().size(), before + 1);
}

TEST_F(DocumentHostReach, SavingAnUntitledDocumentTellsTheMainWindowOfTheNewFile)
{
    QSignalSpy refreshed(app->mainFrame(), &CMainFrame::projectFilesChanged);
    CRODOSetUpDoc* untitled = newBarList();
    ASSERT_TRUE(untitled);
    fileAnswers.push_back(path("新建.pld"));
    runCommand(untitled, ID_FILE_SAVE);
    EXPECT_EQ(untitled->GetPathName(), path("新建.pld"));
    EXPECT_EQ(refreshed.count(), 1);
}

// Each source folder of the program and the folders that build on it: none
// of its files may include a header of those.
struct LayerCase {
    const char* folder;
    std::vector<const char*> above;
};

void PrintTo(const LayerCase& c, std::ostream* os)
{
    *os << c.folder;
}

class Layers : public ::testing::TestWithParam<LayerCase> {};

TEST_P(Layers, AFolderIncludesNothingFromTheFoldersAboveIt)
{
    const LayerCase& c = GetParam();
    const QString root = QStringLiteral(RODO_SOURCE_DIR);
    QStringList alternatives;
    for (const char* above : c.above)
        alternatives << QRegularExpression::escape(QString::fromUtf8(above));
    const QRegularExpression upward(QStringLiteral("^\\s*#\\s*include\\s*[\"<](%1)/")
                                        .arg(alternatives.join(u'|')),
                                    QRegularExpression::MultilineOption);
    int files = 0;
    QDirIterator it(QDir(root).filePath(QString::fromUtf8(c.folder)), {"*.h", "*.cpp"}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
        ++files;
        const QRegularExpressionMatch found = upward.match(QString::fromUtf8(file.readAll()));
        EXPECT_FALSE(found.hasMatch())
            << file.fileName().toStdString() << ": " << found.captured(0).toStdString();
    }
    EXPECT_GT(files, 0) << c.folder;
}

INSTANTIATE_TEST_SUITE_P(Program, Layers,
                         ::testing::Values(LayerCase{"app/documents",
                                                     {"app/shell", "app/views", "app/projects"}}),
                         [](const auto& info) {
                             QString name = QString::fromUtf8(info.param.folder);
                             return name.replace(u'/', u'_').toStdString();
                         });

} // namespace
