// A detailer's day: a new project with a building and a storey, a bar list
// typed into it, the list checked and edited, every sheet derived from it,
// printed and exported, saved and opened again.

#include "tests/e2e/day.h"

#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/processdoc.h"
#include "app/documents/processmainview.h"
#include "app/documents/sldoc.h"
#include "app/documents/slmainview.h"
#include "app/panes/barpropertyitems.h"
#include "app/panes/barpropertypanewnd.h"
#include "app/shell/resourceids.h"
#include "shapeui/selectshapedlg.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/themedtabctrl.h"
#include "tables/quantity/ui/cutoptimizesizedlg.h"
#include "tests/app/support/toolbarreach.h"
#include "tests/support/exportedbook.h"
#include "tests/support/modal.h"
#include "tests/support/pdftext.h"
#include "widgara/propertygrid.h"
#include "widgara/propertygriditem.h"

#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTabBar>
#include <QPrintDialog>
#include <QPrinter>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

#include <numeric>

namespace {

using e2e::Day;
using T = CVes_SetupTable;
using Tab = CRODO_SetUpMainView::TabIndex;

// Where the typed bars lie: page and row of the first bar of each element.
constexpr int kColumnBarsRow = 2;  // page 1: KZ1's bars from row 2
constexpr int kStraightC20Row = 6; // KZ1's 190-001, C20, 3000 mm, 6 a piece
constexpr int kBeamBarsRow = 10;   // page 1: KL1's bars

// The numbers of a page's texts that follow `label` ("总计：409.39" → 409.39);
// a label starting with "|" is a whole text.
std::vector<double> numbersAfter(const QStringList& texts, const QString& label)
{
    std::vector<double> numbers;
    const QRegularExpression pattern(QRegularExpression::escape(label) + QStringLiteral("[|]?([0-9]+\\.?[0-9]*)"));
    for (auto it = pattern.globalMatch(u'|' + texts.join(u'|')); it.hasNext();)
        numbers.push_back(it.next().captured(1).toDouble());
    return numbers;
}

double sum(const std::vector<double>& numbers)
{
    return std::accumulate(numbers.begin(), numbers.end(), 0.0);
}

// The texts and numbers of a worksheet's cells, in order, as a spreadsheet
// shows them (a number in its number format).
QStringList cellTexts(const test::ExportedBook& book)
{
    QStringList texts;
    const QRegularExpression cell(QStringLiteral("<c r=\"([A-Z]+[0-9]+)\"[^>]*?(/>|>(.*?)</c>)"));
    for (auto it = cell.globalMatch(book.sheet()); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.captured(3).contains(QStringLiteral("<v>")))
            texts << book.shown(match.captured(1));
    }
    return texts;
}

class TypedDay : public Day {
protected:
    void SetUp() override
    {
        Day::SetUp();
        if (!HasFatalFailure())
            startTheDay();
    }
    // The bar lines that hold a bar, in list order.
    std::vector<CVes_SetupTableLine*> bars() const
    {
        std::vector<CVes_SetupTableLine*> found;
        for (CVes_TableBaseLine* row : barList()->lines())
            if (auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
                line && line->getType() == CVes_SetupTableLine::kSteelLine && !line->isNull())
                found.push_back(line);
        return found;
    }
    // The texts of every page of the sheet shown, page by page.
    std::vector<QStringList> sheetPages()
    {
        std::vector<QStringList> pages;
        CVes_TableBase* table = activeSheet() ? activeSheet()->getTable() : nullptr;
        if (!table)
            return pages;
        for (int page = 1; page <= table->getPages(); ++page) {
            table->setPageTo(page, 1);
            pages.push_back(pageTexts(*table));
        }
        return pages;
    }
    QStringList allTexts()
    {
        QStringList all;
        for (const QStringList& page : sheetPages())
            all += page;
        return all;
    }
    // With $RODO_SCREENSHOT_DIR set, the first printed page as a picture.
    static void keepFirstPage(const QString& pdf, const QString& name)
    {
        const QString folder = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
        if (folder.isEmpty())
            return;
        QProcess::execute(QStringLiteral("pdftoppm"),
                          {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("70"),
                           QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
                           QStringLiteral("-l"), QStringLiteral("1"), pdf,
                           QDir(folder).filePath(QStringLiteral("printed-") + name)});
    }
    // The print button of the main window's toolbar; in its dialog, the
    // PDF file is chosen (the only printer without printers installed), its
    // name typed and 打印 pressed. The text of that file.
    QString printToPdf(const QString& name)
    {
        const QString pdf = dir.filePath(name + QStringLiteral(".pdf"));
        test::onNextModal<QPrintDialog>([this, pdf](QPrintDialog* dialog) {
            if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("filename")))
                proposedPdf = name->text();
            e2e::printToFile(dialog, pdf);
        });
        EXPECT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_PRINT)) << name.toStdString();
        keepFirstPage(pdf, name);
        return test::pdfText(pdf);
    }
    // The PDF file the last print dialog proposed.
    QString proposedPdf;
    // The folder of the day's bar list.
    QString listFolder() const { return projectFolder + QStringLiteral("/第1层/柱/"); }
    // The weight of the bar list: the sum of its pages' totals.
    double barListWeight()
    {
        chooseTab(Tab::kBarList);
        double weight = 0;
        for (const QStringList& page : sheetPages())
            weight += sum(numbersAfter(page, QStringLiteral("总计：")));
        return weight;
    }
    // 表单 → 第一页 when the page lies before, then 后一页 until the page.
    void goToPage(int page)
    {
        if (barList()->getCurPage() > page) {
            ASSERT_TRUE(chooseMenu({QStringLiteral("表单"), QStringLiteral("第一页")}));
        }
        while (barList()->getCurPage() < page) {
            ASSERT_TRUE(chooseMenu({QStringLiteral("表单"), QStringLiteral("后一页")}));
        }
        ASSERT_EQ(barList()->getCurPage(), page);
    }
};

TEST_F(TypedDay, TheBarsTypedIntoANewProjectShowTheirLengthsAndWeights)
{
    // The project's tree shows the bar list where it was made.
    EXPECT_TRUE(treeItem(storeyPath() << QStringLiteral("钢筋下料表单") << QStringLiteral("一层柱梁板.pld")));
    EXPECT_TRUE(QFileInfo::exists(projectFolder + QStringLiteral("/第1层/柱/一层柱梁板.pld")));

    const std::vector<CVes_SetupTableLine*> typed = bars();
    ASSERT_EQ(typed.size(), 20u);
    QSet<QString> shapes;
    for (CVes_SetupTableLine* line : typed)
        shapes.insert(line->m_steel.getRecordId().ToString());
    EXPECT_GE(shapes.size(), 8);

    goToPage(1);
    e2e::shot(frame(), "bar-list");
    const QStringList first = pageTexts(*barList());
    // KZ1 (2 pieces): 190-004, C25, 3600 mm between two 90° hooks, 8 a
    // piece: 16 bars of 4246 mm, 67.94 m, at 3.85 kg/m 261.554 kg.
    for (const char* text : {"KZ1", "4246", "16", "67.94", "261.554",
                             // the coupled bar group: 6000 + 3000 mm, 8 bars, 72 m, 277.2 kg
                             "9000", "72.00", "277.200",
                             // 190-001, C20, 3000 mm, 12 bars: 36 m at 2.47 kg/m
                             "3000", "36.00", "88.920", "KL1"})
        EXPECT_TRUE(first.contains(QString::fromUtf8(text))) << text;
    // 放大 makes the page larger by a fifth, 缩小 takes it back to 100 %.
    ASSERT_DOUBLE_EQ(barList()->getScale(), 1.0);
    ASSERT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_ZOOM_IN));
    EXPECT_NEAR(barList()->getScale(), 1.2, 1e-6);
    ASSERT_TRUE(chooseMenu({QStringLiteral("视图"), QStringLiteral("缩小")}));
    EXPECT_NEAR(barList()->getScale(), 1.0, 1e-6);
    setZoom(QStringLiteral("100%"));
    goToPage(2);
    const QStringList second = pageTexts(*barList());
    // LB1 (3 pieces): the bar of varying length and the remarks.
    for (const char* text : {"LB1", "2000～3000", "变长筋", "分布筋", "3件"}) {
        EXPECT_TRUE(second.contains(QString::fromUtf8(text))) << text;
    }
}

} // namespace

namespace {

TEST_F(TypedDay, EditedWithTheChooserAndTheToolbarsUndoneAndRedone)
{
    goToPage(1);
    // Space on a stirrup's shape opens the chooser: a stirrup with 90° hooks.
    const CSteelRecordId chosen(192, 3);
    const int stirrupRow = kBeamBarsRow + 3;
    bool offered = false;
    test::onNextModal<CVes_SelectShapeDlg>([&](CVes_SelectShapeDlg* dialog) {
        // Each category's tab is clicked until one shows the stirrup; the
        // stirrup is clicked, then OK.
        QTabBar* tabs = dialog->tabCtrl()->tabBar();
        for (int tab = 0; tab < int(dialog->categories().names().size()) && !offered; ++tab) {
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(tab).center());
            CVes_ShapeListCtrl* list = dialog->shapeList();
            for (int i = 0; i < list->count() && !offered; ++i)
                if (list->getRecord(i) && list->getRecord(i)->getID() == chosen) {
                    offered = true;
                    ASSERT_TRUE(e2e::scrollIntoView(list, [list, i] { return list->visualItemRect(list->item(i)); }));
                    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                      list->visualItemRect(list->item(i)).center());
                    e2e::shot(dialog, "shape-chooser");
                }
        }
        ASSERT_TRUE(e2e::clickButton(dialog, QStringLiteral("确定")));
    });
    clickCell(stirrupRow, T::kColShape);
    QTest::keyClick(activeSheet(), Qt::Key_Space);
    ASSERT_TRUE(offered) << "the chooser offers no 192-003";
    auto* stirrup = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(stirrupRow - 1));
    ASSERT_TRUE(stirrup);
    EXPECT_EQ(stirrup->m_steel.getRecordId(), chosen);

    // The coupler of the toolbar joins a straight bar's ends.
    clickCell(kStraightC20Row, T::kColNumber);
    auto* frame = container()->frame();
    ASSERT_TRUE(clickToolbar(frame->GetCommandBars(), 32934));
    auto* straight = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(kStraightC20Row - 1));
    ASSERT_TRUE(straight);
    const int coupler = straight->m_steel.getLConnect()->type;
    EXPECT_NE(coupler, 0);

    // Undo takes back the coupler, then the shape; redo brings both back.
    ASSERT_TRUE(chooseMenu({QStringLiteral("编辑"), QStringLiteral("撤消")}));
    straight = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(kStraightC20Row - 1));
    EXPECT_EQ(straight->m_steel.getLConnect()->type, 0);
    ASSERT_TRUE(chooseMenu({QStringLiteral("编辑"), QStringLiteral("撤消")}));
    stirrup = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(stirrupRow - 1));
    EXPECT_EQ(stirrup->m_steel.getRecordId(), CSteelRecordId(192, 1));
    ASSERT_TRUE(chooseMenu({QStringLiteral("编辑"), QStringLiteral("重做")}));
    ASSERT_TRUE(chooseMenu({QStringLiteral("编辑"), QStringLiteral("重做")}));
    stirrup = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(stirrupRow - 1));
    straight = dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(kStraightC20Row - 1));
    EXPECT_EQ(stirrup->m_steel.getRecordId(), chosen);
    EXPECT_EQ(straight->m_steel.getLConnect()->type, coupler);
    EXPECT_TRUE(doc->IsModified());

    // The joint summary counts the couplers: 12 bars, one joint each.
    chooseTab(Tab::kJoints);
    const QString joints = pageTexts(*activeSheet()->getTable()).join(u'|');
    EXPECT_TRUE(joints.contains(QStringLiteral("KZ1 (2件)|1|直螺纹套筒|20|12"))) << joints.toStdString();
}

} // namespace

namespace {

TEST_F(TypedDay, EveryDerivedSheetAgreesWithTheBarList)
{
    const double listTotal = barListWeight();
    EXPECT_NEAR(listTotal, 1345.28, 0.02);

    chooseTab(Tab::kSort);
    e2e::shot(frame(), "sorted-sheet");
    const QStringList sorted = allTexts();
    ASSERT_EQ(numbersAfter(sorted, QStringLiteral("|总重")).size(), 1u);
    EXPECT_NEAR(numbersAfter(sorted, QStringLiteral("|总重")).front(), listTotal, 0.02);
    // Every bar is in it once, the two C20 bars of 190-001 merged by length.
    EXPECT_TRUE(sorted.contains(QStringLiteral("2000～3000")));

    chooseTab(Tab::kSummary);
    e2e::shot(frame(), "summary");
    const QStringList summary = allTexts();
    // Each element's weight, then the sizes' total with the losses of the
    // summary settings (2.5 %).
    const double elements = sum(numbersAfter(summary, QStringLiteral("KZ1 (2件)")))
                            + sum(numbersAfter(summary, QStringLiteral("KL1 (1件)")))
                            + sum(numbersAfter(summary, QStringLiteral("LB1 (3件)")));
    EXPECT_NEAR(elements, listTotal, 0.01);
    ASSERT_EQ(numbersAfter(summary, QStringLiteral("|总重")).size(), 1u);
    EXPECT_NEAR(numbersAfter(summary, QStringLiteral("|总重")).front(), listTotal * 1.025, 0.05);

    chooseTab(Tab::kPurchase);
    const QStringList purchase = allTexts();
    // Stock is bought in whole bars and coils: at least what the list needs.
    ASSERT_EQ(numbersAfter(purchase, QStringLiteral("|总重量")).size(), 1u);
    EXPECT_GE(numbersAfter(purchase, QStringLiteral("|总重量")).front(), listTotal * 1.025);

    chooseTab(Tab::kTags);
    e2e::shot(frame(), "bar-tags");
    const QStringList tags = allTexts();
    // One tag a bar.
    EXPECT_EQ(numbersAfter(tags, QStringLiteral("料牌")).size(), 20u);

    // The cutting list of the C20 bars.
    test::onNextModal<CCutOptimizeSpecDlg>([](CCutOptimizeSpecDlg* dialog) {
        e2e::chooseCuttingSize(dialog, QStringLiteral("三级钢"), QStringLiteral("20"));
    });
    chooseTab(Tab::kCutting);
    e2e::shot(frame(), "cutting-list");
    const QStringList cutting = allTexts();
    // 12 × 3 m + 2 × 4.459 m + 2 × 4.088 m of C20 bars are cut: 53.094 m.
    for (const char* piece : {"4.459×", "4.088×", "53.094"}) {
        EXPECT_TRUE(cutting.join(u'|').contains(QString::fromUtf8(piece))) << piece << cutting.join(u'|').toStdString();
    }

    chooseTab(Tab::kContents);
    const QString contents = allTexts().join(u'|');
    for (const char* element : {"KZ1(2件)", "KL1(1件)", "LB1(3件)"}) {
        EXPECT_TRUE(contents.contains(QString::fromUtf8(element))) << element;
    }
}

} // namespace

namespace {

// What each printed sheet must show: texts of its bars and its totals.
struct PrintedSheet {
    int tab;
    const char* name;
    std::vector<const char*> texts;
};

TEST_F(TypedDay, EverySheetPrintsToPdfAndTheListExportsToAWorkbook)
{
    if (!test::hasPdfText())
        GTEST_SKIP() << "pdftotext is not installed";
    test::onNextModal<CCutOptimizeSpecDlg>([](CCutOptimizeSpecDlg* dialog) {
        e2e::chooseCuttingSize(dialog, QStringLiteral("三级钢"), QStringLiteral("25"));
    });
    const PrintedSheet sheets[] = {
        {Tab::kBarList, "barlist", {"钢筋配料单", "KZ1", "4246", "261.554", "9000", "△250", "变长筋", "409.39"}},
        {Tab::kSort, "sorted", {"钢筋规格排序表", "6000/3000", "277.200", "1345.28"}},
        {Tab::kSummary, "summary", {"钢筋配料汇总表", "736.424", "199.458", "409.394", "1378.907"}},
        {Tab::kJoints, "joints", {"钢筋接头类型汇总表", "KZ1", "LB1"}},
        {Tab::kPurchase, "purchase", {"钢筋进(提)货单", "盘圆", "1454.672"}},
        {Tab::kTags, "tags", {"钢筋料牌", "261.55", "4246"}},
        {Tab::kCutting, "cutting", {"优化断料单", "4.246"}},
        {Tab::kContents, "contents", {"目", "KZ1(2件)", "LB1(3件)"}},
    };
    for (const PrintedSheet& sheet : sheets) {
        chooseTab(sheet.tab);
        const QString text = printToPdf(QString::fromUtf8(sheet.name));
        // The dialog proposed the file beside the list, named after it and the sheet.
        if (sheet.tab == Tab::kBarList) {
            EXPECT_EQ(proposedPdf.toStdString(),
                      QString(listFolder() + QStringLiteral("一层柱梁板_钢筋配料单.pdf")).toStdString());
        }
        EXPECT_TRUE(proposedPdf.startsWith(QString(listFolder() + QStringLiteral("一层柱梁板_")))) << proposedPdf.toStdString();
        for (const char* expected : sheet.texts) {
            EXPECT_TRUE(text.contains(QString::fromUtf8(expected)))
                << sheet.name << ": " << expected << "\n" << text.toStdString();
        }
    }

    // The bar list's workbook: the list and three of its sheets, saved
    // where the user said, proposed beside the list; the user is told where.
    chooseTab(Tab::kBarList);
    host->clear();
    const QString chosen = dir.filePath(QStringLiteral("交给工地.xlsx"));
    host->scriptSaveFile(chosen);
    ASSERT_TRUE(chooseFromSheetMenu(kColumnBarsRow, T::kColNumber, QStringLiteral("导出到Excel")));
    EXPECT_EQ(host->proposedSaves(), QStringList{listFolder() + QStringLiteral("一层柱梁板_钢筋配料单.xlsx")});
    ASSERT_EQ(host->opened(), QStringList{chosen});
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("工作簿已保存到：\n") + chosen});
    const QString workbook = host->opened().front();
    const test::ExportedBook list(workbook, 1);
    EXPECT_EQ(list.sheetNames(), (QStringList{QStringLiteral("配料单"), QStringLiteral("钢筋排序表"),
                                              QStringLiteral("钢筋汇总表"), QStringLiteral("钢筋接头汇总表")}));
    const QStringList listCells = cellTexts(list);
    for (const char* text : {"KZ1", "KL1", "LB1", "4246", "261.554", "9000", "277.200", "变长筋", "分布筋"}) {
        EXPECT_TRUE(listCells.contains(QString::fromUtf8(text))) << text << listCells.join(u"|").toStdString();
    }
    const QStringList sortedCells = cellTexts(test::ExportedBook(workbook, 2));
    EXPECT_TRUE(sortedCells.contains(QStringLiteral("1345.28"))) << sortedCells.join(u'|').toStdString();
    const QStringList summaryCells = cellTexts(test::ExportedBook(workbook, 3));
    for (const char* text : {"736.424", "199.458", "409.394"}) {
        EXPECT_TRUE(summaryCells.contains(QString::fromUtf8(text))) << text << summaryCells.join(u'|').toStdString();
    }
}

} // namespace

namespace {

TEST_F(TypedDay, SavedClosedAndReopenedEverySheetIsTheSame)
{
    // What every sheet shows now (the cutting list of the C25 bars).
    const auto everySheet = [this] {
        std::vector<std::vector<QStringList>> sheets;
        for (int tab = 0; tab < container()->tabCount(); ++tab) {
            if (tab == Tab::kCutting)
                test::onNextModal<CCutOptimizeSpecDlg>([](CCutOptimizeSpecDlg* dialog) {
        e2e::chooseCuttingSize(dialog, QStringLiteral("三级钢"), QStringLiteral("25"));
    });
            chooseTab(tab);
            sheets.push_back(sheetPages());
        }
        chooseTab(Tab::kBarList);
        return sheets;
    };
    const auto before = everySheet();
    const QString path = doc->GetPathName();
    ASSERT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_SAVE));
    EXPECT_FALSE(doc->IsModified());
    ASSERT_TRUE(chooseMenu({QStringLiteral("文件"), QStringLiteral("关闭")}));
    EXPECT_TRUE(host->messageTexts().isEmpty()) << host->messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(app->docManager().documents().size() <= 1u) << "only the start page is left";

    // The recent files of the file menu open it again.
    ASSERT_TRUE(chooseMenuItem({QStringLiteral("文件")}, [](QAction* action) {
        return action->data().toInt() == ID_FILE_MRU_FILE1
               && action->text().endsWith(QStringLiteral("一层柱梁板.pld"));
    })) << path.toStdString();
    doc = dynamic_cast<CRODOSetUpDoc*>(app->docManager().activeDocument());
    ASSERT_TRUE(doc);
    EXPECT_EQ(doc->GetPathName(), path);
    const auto after = everySheet();
    ASSERT_EQ(after.size(), before.size());
    for (std::size_t tab = 0; tab < before.size(); ++tab) {
        EXPECT_EQ(after[tab], before[tab]) << "tab " << tab;
    }
}

} // namespace

namespace {

TEST_F(TypedDay, NumberedCheckedAndEditedInThePropertyPane)
{
    goToPage(1);
    clickCell(kColumnBarsRow, T::kColNumber);
    host->script({platform::Answer::Yes});
    ASSERT_TRUE(chooseFromSheetMenu(kColumnBarsRow, T::kColNumber,
                                    QStringLiteral("钢筋编号 > 全部钢筋行编号且归并")));
    // Twenty bars, twenty numbers (no two bars are the same).
    QSet<QString> numbers;
    for (CVes_SetupTableLine* line : bars())
        numbers.insert(line->m_steel.number);
    EXPECT_EQ(numbers.size(), 20);
    EXPECT_FALSE(numbers.contains(QString()));

    // The printed list and the workbook carry the numbers: each bar row
    // starts with its number.
    const QSet<QString> expected = [] {
        QSet<QString> all;
        for (int n = 1; n <= 20; ++n)
            all.insert(QString::number(n));
        return all;
    }();
    if (test::hasPdfText()) {
        QSet<QString> printed;
        const QRegularExpression rowStart(QStringLiteral("^\\s*(\\d+)\\s"), QRegularExpression::MultilineOption);
        for (auto it = rowStart.globalMatch(printToPdf(QStringLiteral("numbered"))); it.hasNext();)
            printed.insert(it.next().captured(1));
        EXPECT_TRUE(printed.contains(expected)) << QStringList(printed.values()).join(u' ').toStdString();
    }
    ASSERT_TRUE(chooseFromSheetMenu(kColumnBarsRow, T::kColNumber, QStringLiteral("导出到Excel")));
    ASSERT_EQ(host->opened().size(), 1);
    QSet<QString> exported;
    const test::ExportedBook book(host->opened().front(), 1);
    const QRegularExpression numberCell(QStringLiteral("<c r=\"(A[0-9]+)\""));
    for (auto it = numberCell.globalMatch(book.sheet()); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        exported.insert(book.text(match.captured(1)));
        const auto number = QRegularExpression(QStringLiteral("<v>([0-9]+)</v>")).match(book.cell(match.captured(1)));
        if (number.hasMatch() && !book.cell(match.captured(1)).contains(QStringLiteral("t=\"s\"")))
            exported.insert(number.captured(1));
    }
    EXPECT_TRUE(exported.contains(expected)) << QStringList(exported.values()).join(u' ').toStdString();

    host->clear();
    QTest::keyClick(activeSheet(), Qt::Key_F3);
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("钢筋行数据检查通过！")});
    for (const QString& report : host->opened()) {
        QFile file(report);
        file.open(QIODevice::ReadOnly);
        ADD_FAILURE() << "the check reports: " << file.readAll().toStdString();
    }

    // The property pane shows the bar clicked; its count is typed there.
    clickCell(kStraightC20Row, T::kColNumber);
    auto* pane = container()->frame()->findChild<CBarPropertyPaneWnd*>();
    ASSERT_TRUE(pane);
    CXTPPropertyGridItem* count = pane->grid()->FindItem(barprop::kCount);
    ASSERT_TRUE(count);
    EXPECT_EQ(count->GetValue(), QStringLiteral("6"));
    e2e::shot(frame(), "property-pane");
    // A click on its value opens the value's editor.
    auto* grid = pane->grid()->view();
    const QModelIndex value = grid->indexFromItem(count->node(), 1);
    ASSERT_TRUE(e2e::scrollIntoView(grid, [grid, value] { return grid->visualRect(value); }));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(value).center());
    QApplication::processEvents();
    auto* edit = qobject_cast<QLineEdit*>(grid->indexWidget(value));
    ASSERT_TRUE(edit) << "a click on the count opens no editor";
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    e2e::typeText(edit, QStringLiteral("9"));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    const auto straightBar = [this] {
        return dynamic_cast<CVes_SetupTableLine*>(barList()->pageLines().value(kStraightC20Row - 1));
    };
    EXPECT_EQ(straightBar()->m_steel.count, 9);
    EXPECT_TRUE(doc->IsModified());
    // 2 pieces of 9 bars of 3000 mm at 2.47 kg/m.
    EXPECT_TRUE(pageTexts(*barList()).contains(QStringLiteral("133.380")));
    ASSERT_TRUE(chooseMenu({QStringLiteral("编辑"), QStringLiteral("撤消")}));
    EXPECT_EQ(straightBar()->m_steel.count, 6);
    ASSERT_TRUE(chooseMenu({QStringLiteral("编辑"), QStringLiteral("重做")}));
    EXPECT_EQ(straightBar()->m_steel.count, 9);
}

} // namespace

namespace {

TEST_F(TypedDay, TheStoreysQuantitySheetAgreesWithTheBarList)
{
    const double listWeight = barListWeight();
    ASSERT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_SAVE));
    // 本目录下汇总 on the storey sums every bar list under it into a
    // quantity sheet.
    CProjectTreeCtrl* tree = projectTree();
    QTreeWidgetItem* storey = treeItem({QStringLiteral("项目"), QStringLiteral("滨江花园"), QStringLiteral("第1层")});
    ASSERT_TRUE(storey);
    ASSERT_TRUE(chooseFromContextMenu(tree->viewport(), tree->visualItemRect(storey).center(),
                                      QStringLiteral("本目录下汇总")));
    auto* sheet = dynamic_cast<CRODOSLDoc*>(activeDocument());
    ASSERT_TRUE(sheet);
    EXPECT_TRUE(QFileInfo(sheet->GetPathName()).fileName().endsWith(QStringLiteral(".ylb")));
    // Its detail, summary and sorted sheets weigh what the bar list weighs.
    chooseTab(sheet, CRODO_SLMainView::kDetail);
    const QStringList detail = allTexts();
    EXPECT_TRUE(detail.contains(QStringLiteral("变长筋")));
    // The 23 rows fill one page; no empty page follows them.
    EXPECT_EQ(activeSheet()->getTable()->getPages(), 1);
    chooseTab(sheet, CRODO_SLMainView::kSummary);
    const std::vector<double> summary = numbersAfter(allTexts(), QStringLiteral("|总重"));
    ASSERT_EQ(summary.size(), 1u);
    EXPECT_NEAR(summary.front(), listWeight * 1.025, 0.05);
    chooseTab(sheet, CRODO_SLMainView::kSort);
    const std::vector<double> sorted = numbersAfter(allTexts(), QStringLiteral("|总重"));
    ASSERT_EQ(sorted.size(), 1u);
    EXPECT_NEAR(sorted.front(), listWeight, 0.02);
    chooseTab(sheet, CRODO_SLMainView::kJoints);
    EXPECT_TRUE(allTexts().contains(QStringLiteral("合计")));

    // Printed and exported.
    chooseTab(sheet, CRODO_SLMainView::kDetail);
    if (test::hasPdfText()) {
        // Each printed page ends with its length and weight.
        const QString printed = printToPdf(QStringLiteral("quantity"));
        double weight = 0;
        const QRegularExpression pageTotal(QStringLiteral("本页汇总\\s+[0-9.]+\\s+([0-9.]+)"));
        for (auto it = pageTotal.globalMatch(printed); it.hasNext();)
            weight += it.next().captured(1).toDouble();
        EXPECT_NEAR(weight, listWeight, 0.02) << printed.toStdString();
    }
    ASSERT_TRUE(chooseFromSheetMenu(1, 0, QStringLiteral("导出到excel")));
    ASSERT_EQ(host->opened().size(), 1);
    EXPECT_TRUE(cellTexts(test::ExportedBook(host->opened().front(), 1)).contains(QStringLiteral("变长筋")));
}

} // namespace

namespace {

TEST_F(TypedDay, TheProcessingSheetImportsTheBarListAndAgreesWithIt)
{
    const double listWeight = barListWeight();
    ASSERT_TRUE(clickToolbar(frame()->GetCommandBars(), ID_FILE_SAVE));
    const QString list = doc->GetPathName();
    auto* sheet = dynamic_cast<CRODOProcessDoc*>(
        newSheetIn(storeyPath(), QStringLiteral("新建钢筋加工单"), "柱梁板加工"));
    ASSERT_TRUE(sheet);
    // 从钢筋配料单导入: the bar list is picked in the file dialog; equal bars
    // are merged into one processing row.
    test::onNextModal<QFileDialog>([list](QFileDialog* dialog) { e2e::chooseFile(dialog, list); });
    host->script({platform::Answer::Yes});
    ASSERT_TRUE(chooseFromSheetMenu(1, 0, QStringLiteral("从钢筋配料单导入")));
    // Every bar got its tag number in the detail sheet.
    chooseTab(sheet, CRODO_ProcessMainView::kDetail);
    const QStringList detail = allTexts();
    for (int tag = 1; tag <= 20; ++tag) {
        EXPECT_TRUE(detail.contains(QStringLiteral("料牌 %1").arg(tag))) << tag;
    }
    EXPECT_TRUE(detail.contains(QStringLiteral("变长筋")));
    // The summary weighs stirrups, bent and straight bars apart: together
    // what the bar list weighs.
    chooseTab(sheet, CRODO_ProcessMainView::kList);
    const QStringList summary = allTexts();
    const double parts = sum(numbersAfter(summary, QStringLiteral("|箍筋总重")))
                         + sum(numbersAfter(summary, QStringLiteral("|弯曲（带拐）钢筋总重")))
                         + sum(numbersAfter(summary, QStringLiteral("|直条钢筋总重")));
    EXPECT_NEAR(parts, listWeight, 0.2);
    chooseTab(sheet, CRODO_ProcessMainView::kTags);
    EXPECT_TRUE(allTexts().contains(QStringLiteral("料牌20")));

    if (test::hasPdfText()) {
        const char* const names[] = {"processing", "processing-summary", "processing-tags"};
        for (int tab : {CRODO_ProcessMainView::kDetail, CRODO_ProcessMainView::kList, CRODO_ProcessMainView::kTags}) {
            chooseTab(sheet, tab);
            const QString printed = printToPdf(QString::fromUtf8(names[tab]));
            EXPECT_TRUE(printed.contains(QStringLiteral("4246"))) << names[tab];
        }
    }
    chooseTab(sheet, CRODO_ProcessMainView::kDetail);
    ASSERT_TRUE(chooseFromSheetMenu(1, 0, QStringLiteral("导出到excel")));
    ASSERT_EQ(host->opened().size(), 1);
    const test::ExportedBook book(host->opened().front(), 1);
    EXPECT_EQ(book.sheetNames(), (QStringList{QStringLiteral("加工明细单"), QStringLiteral("加工汇总单")}));
    const QStringList cells = cellTexts(book);
    for (const char* text : {"构件编号：KZ1", "4246", "料牌 20", "变长筋"}) {
        EXPECT_TRUE(cells.contains(QString::fromUtf8(text))) << text;
    }
}

// The six layouts of the bar tags and the tags a page holds.
struct TagLayout {
    const char* name;
    int tagsPerPage;
};

TEST_F(TypedDay, TheBarTagsComeInSixLayouts)
{
    chooseTab(Tab::kTags);
    const TagLayout layouts[] = {{"料牌模式一", 8}, {"料牌模式二", 8}, {"料牌模式三", 16},
                                 {"料牌模式四", 8}, {"料牌模式五", 8}, {"料牌模式六", 10}};
    for (const TagLayout& layout : layouts) {
        ASSERT_TRUE(chooseFromSheetMenu(1, 0, QStringLiteral("料牌模式 > ") + QString::fromUtf8(layout.name)));
        CVes_TableBase* tags = activeSheet()->getTable();
        ASSERT_TRUE(tags);
        EXPECT_EQ(tags->getPages(), (20 + layout.tagsPerPage - 1) / layout.tagsPerPage) << layout.name;
        if (test::hasPdfText()) {
            const QString printed = printToPdf(QString::fromUtf8(layout.name));
            for (const char* text : {"KZ1", "4246", "滨江花园"}) {
                EXPECT_TRUE(printed.contains(QString::fromUtf8(text))) << layout.name << ": " << text;
            }
        }
    }
}

} // namespace

namespace {

// A new bar list's property pane shows the header the project gave it; the
// pane, once closed, comes back from the 视图 menu.
TEST_F(Day, ANewBarListsPropertyPaneShowsTheProjectsHeaderAndComesBackFromTheViewMenu)
{
    projectFolder = newProject("滨江花园");
    doc = newBarListIn(storeyPath(), "一层柱梁板");
    ASSERT_TRUE(doc);
    auto* pane = container()->frame()->findChild<CBarPropertyPaneWnd*>();
    ASSERT_TRUE(pane);
    QApplication::processEvents();
    // The sheet's header and the pane agree.
    for (const int field : {1, 2}) {
        CXTPPropertyGridItem* item = pane->grid()->FindItem(barprop::kTitle + field);
        ASSERT_TRUE(item) << field;
        EXPECT_EQ(item->GetValue(), barList()->m_texts[std::size_t(field + 1)].m_formula) << field;
    }
    EXPECT_EQ(pane->grid()->FindItem(barprop::kTitle + 1)->GetValue(), QStringLiteral("滨江花园"));
    EXPECT_TRUE(pane->grid()->FindItem(barprop::kTitle + 2)->GetValue().startsWith(QStringLiteral("第1层")));
    e2e::shot(frame(), "property-pane-new-list");

    const auto paneShown = [this] {
        CXTPDockingPane* dock = container()->frame()->paneManager()->FindPane(IDP_BAR_PROPERTY);
        return dock && !dock->IsClosed();
    };
    QAction* item = menuItem({QStringLiteral("视图"), QStringLiteral("钢筋属性窗口")});
    ASSERT_TRUE(item);
    EXPECT_TRUE(item->isChecked());
    ASSERT_TRUE(chooseMenu({QStringLiteral("视图"), QStringLiteral("钢筋属性窗口")}));
    EXPECT_FALSE(paneShown());
    ASSERT_TRUE(chooseMenu({QStringLiteral("视图"), QStringLiteral("钢筋属性窗口")}));
    EXPECT_TRUE(paneShown());
}

// On a small laptop's screen every toolbar command stays within reach, the
// document window's side toolbars too.
TEST_F(Day, OnASmallScreenEveryToolbarCommandIsWithinReach)
{
    projectFolder = newProject("滨江花园");
    doc = newBarListIn(storeyPath(), "一层柱梁板");
    ASSERT_TRUE(doc);
    frame()->showNormal();
    for (const QSize size : {QSize(1366, 768), QSize(1366, 640)}) {
        frame()->resize(size);
        QTest::qWait(50);
        EXPECT_EQ(frame()->size(), size);
        EXPECT_TRUE(test::everyCommandReachable(*frame()->GetCommandBars(), *frame())) << size.height();
        EXPECT_TRUE(test::everyCommandReachable(*container()->frame()->GetCommandBars(), *frame()->mdiArea()))
            << size.height();
    }
    e2e::shot(frame(), "small-screen");
}

} // namespace
