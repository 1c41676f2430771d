// A bar list of 30 bars of the shipped shapes converted into a processing
// sheet, shown in the edit view with its summary in the list view, and
// printed to PDF: every page prints, the view shows the page's bars. With
// RODO_SHOTS_DIR set, the views' pictures and the PDF are kept there to be
// looked at.

#include "tests/tables/processing/processing_support.h"

#include "core/model/modelrecord.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/form.h"
#include "tables/processing/ui/processtableeditview.h"
#include "tables/processing/ui/processtablelistview.h"

#include <QDir>
#include <QFile>
#include <QPdfWriter>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct ShippedBar {
    CSteelRecordId shape;
    const char* dimension;
    double value;
    float d;
    int count;
};

// Straight, L-shaped, U-shaped bars and closed stirrups of the shipped
// shape library.
const ShippedBar kBars[] = {
    {{190, 1}, "L", 6000, 25.0f, 4}, {{191, 1}, "L2", 3200, 20.0f, 6},
    {{191, 2}, "L2", 2400, 16.0f, 8}, {{192, 1}, "H", 550, 8.0f, 24},
    {{190, 1}, "L", 4500, 22.0f, 2},
};

// Three elements of 1, 2 and 1 pieces with 30 bars between them.
void fillBarList(CVes_SetupTable& list)
{
    list.m_texts[2].m_formula = QStringLiteral("综合楼");
    list.m_texts[3].m_formula = QStringLiteral("三层");
    list.m_texts[4].m_formula = QString();
    list.clearnAllLineOnly();
    const char* elements[] = {"KZ1", "KL2", "B3"};
    for (int e = 0; e < 3; ++e) {
        auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        element->setNull(0);
        element->setElement(QString::fromUtf8(elements[e]));
        element->setEleNum(e == 1 ? 2 : 1);
        list.appendLine(element);
        for (int i = 0; i < 10; ++i) {
            const ShippedBar& b = kBars[(e * 10 + i) % 5];
            auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
            line->setNull(0);
            CVes_Steel& bar = line->m_steel;
            bar.number = QString::number(e * 10 + i + 1);
            bar.grade = b.d > 10.0f ? 3 : 1;
            bar.DN = b.d;
            bar.count = b.count + i % 3;
            bar.setRecordId(b.shape);
            bar.calcLength = 1;
            bar.setVarValue(QString::fromUtf8(b.dimension), b.value + 100 * i);
            if (i == 4)
                bar.remark = QStringLiteral("见详图");
            list.appendLine(line);
        }
    }
}

class ProcessSheetScreens : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_shots = qEnvironmentVariable("RODO_SHOTS_DIR");
        CVes_SetupTable list;
        fillBarList(list);
        sheet.m_texts[3].m_formula = QStringLiteral("JG-2024-07");
        sheet.import(list.transformProcess());
    }
    void keep(const QPixmap& picture, const QString& name) const
    {
        if (!m_shots.isEmpty()) {
            EXPECT_TRUE(picture.save(QDir(m_shots).filePath(name)));
        }
    }
    QString outputFolder() const { return m_shots.isEmpty() ? m_dir.path() : m_shots; }

    CVes_ProcessTable sheet;
    QTemporaryDir m_dir;
    QString m_shots;
};

TEST_F(ProcessSheetScreens, ThirtyBarsAreShownAndPrinted)
{
    // Headings, three elements and 30 bars, each bar drawn with its shape.
    int bars = 0;
    for (CVes_TableBaseLine* row : sheet.lines()) {
        if (row->isNull() || !row->isSteelLine())
            continue;
        ++bars;
        const CVes_ModelRecord* record = row->getSteel()->getRecord();
        ASSERT_NE(record, nullptr);
        EXPECT_FALSE(isPlaceholderRecord(*record)) << row->getSteel()->getRecordId().ToString().toStdString();
    }
    EXPECT_EQ(bars, 30);
    // The sheet as the document saves it reads back whole.
    const QString file = QDir(outputFolder()).filePath(QStringLiteral("processing-sheet.jgd"));
    ASSERT_EQ(sheet.SaveFile(file), 1);
    CVes_ProcessTable reread;
    ASSERT_EQ(reread.OpenFile(file), 1);
    EXPECT_EQ(test::lineTexts(reread), test::lineTexts(sheet));
    // And a sheet of its first rows only, a small file of every row kind.
    while (reread.lines().size() > 6)
        CVes_TableBase::disposeLine(reread.m_lines.takeLast());
    ASSERT_EQ(reread.SaveFile(QDir(outputFolder()).filePath(QStringLiteral("processing-short.jgd"))), 1);

    CVes_ProcessTableEditView view;
    view.resize(1400, 1000);
    view.setTable(&sheet);
    sheet.firstPage();
    sheet.AddSelect(4, 1);
    sheet.setCurRow(4);
    sheet.setCurCol(CVes_ProcessTable::kColCount);
    view.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
    const QPixmap page = view.grab();
    ASSERT_FALSE(page.isNull());
    keep(page, QStringLiteral("processing-view.png"));
    EXPECT_EQ(sheet.getForm()->GetCell(1, 0)->text(), "工程名称：");
    // An edit box open over a count.
    view.EditCell(5, CVes_ProcessTable::kColCount, QPoint());
    auto* box = view.viewport()->findChild<CVes_InPlaceEdit*>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->initialText(), "7");
    keep(view.grab(), QStringLiteral("processing-view-editing.png"));
    view.endEdit();

    const QString pdf = QDir(outputFolder()).filePath(QStringLiteral("processing-sheet.pdf"));
    {
        QPdfWriter writer(pdf);
        EXPECT_TRUE(view.printTo(&writer, 1, sheet.getPages()));
    }
    EXPECT_GE(sheet.getPages(), 2);
    EXPECT_GT(QFile(pdf).size(), 1000);
    EXPECT_EQ(sheet.getCurPage(), 1) << "the view shows its page of before";

    const std::unique_ptr<CVes_ProcessListTable> summary(sheet.toListSheet(nullptr));
    CVes_ProcessTableListView listView;
    listView.resize(1400, 1000);
    listView.setTable(summary.get());
    summary->firstPage();
    listView.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&listView));
    keep(listView.grab(), QStringLiteral("processing-summary-view.png"));
    const QString summaryPdf = QDir(outputFolder()).filePath(QStringLiteral("processing-summary.pdf"));
    QPdfWriter writer(summaryPdf);
    EXPECT_TRUE(listView.printTo(&writer, 1, summary->getPages()));
}

} // namespace
