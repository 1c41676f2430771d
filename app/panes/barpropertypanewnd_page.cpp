// The page and cover items of the bar-property pane: the page layout, the
// columns, the title block and the page summary of a table page, and the
// rows of the cover; an edit goes straight into the table's settings.

#include "app/panes/barpropertypanewnd.h"

#include "app/panes/barpropertyitems.h"

#include "core/geometry/text.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tablebase.h"
#include "tables/quantity/sltable.h"
#include "widgara/propertygrid.h"

#include <QDataStream>
#include <QIODevice>
#include <QRegularExpression>

using namespace barprop;

namespace {

constexpr Choice kGutterPlaces[] = {{"左", 0}, {"上", 1}};
constexpr Choice kOrientations[] = {{"横向", 2}, {"纵向", 1}};
constexpr Choice kRowModes[] = {{"指定行高", 0}, {"指定行数", 1}};
constexpr Choice kShowHide[] = {{"不显示", 0}, {"显示", 1}};
constexpr Choice kLanguages[] = {{"简体中文", 0}, {"English", 1}};
constexpr Choice kSummaryHeights[] = {{"单行", 1}, {"两行", 2}};
constexpr Choice kWeightUnits[] = {{"克(g)", 3}, {"公斤(kg)", 4}, {"吨(t)", 5}};
constexpr Choice kLengthUnits[] = {{"毫米(mm)", 0}, {"厘米(cm)", 1}, {"米(m)", 2}};
constexpr Choice kAlignments[] = {{"左对齐", 0}, {"居中对齐", 6}, {"右对齐", 2}};

// The ids of a column's items run to the next kind's first id.
constexpr int kMaxShownColumns = kColumnWidth - kColumnCaption;
// The row mode that fixes the row count.
constexpr int kFixedRowCount = 1;
// Cover text sizes are stored in tenths.
constexpr double kCoverSizeScale = 10.0;
constexpr int kShapeTextScale = 10;

// A column heading on one line.
QString headingText(QString caption)
{
    static const QRegularExpression blanks(QStringLiteral("[\\r\\n ]"));
    return caption.remove(blanks);
}

// The value of a check box, number or choice item as a whole number.
int wholeOf(const CXTPPropertyGridItem* item)
{
    if (auto* b = dynamic_cast<const Check*>(item))
        return b->GetBool() ? 1 : 0;
    if (auto* n = dynamic_cast<const Number*>(item))
        return int(n->GetNumber());
    if (auto* choice = dynamic_cast<const Choices*>(item))
        return choice->GetEnum();
    if (auto* d = dynamic_cast<const Real*>(item))
        return int(d->GetDouble());
    return 0;
}

double realOf(const CXTPPropertyGridItem* item)
{
    if (auto* d = dynamic_cast<const Real*>(item))
        return d->GetDouble();
    return wholeOf(item);
}

// A size in tenths, cut as stored sizes are, but 5.3 gives 53 and not the
// 52 of its binary neighbour.
int tenthsOf(double value)
{
    return int(value * kCoverSizeScale + 1e-6);
}

// Highlights an item and the items under it.
void highlightAll(CXTPPropertyGridItem* item)
{
    highlight(item);
    for (int i = 0; i < item->GetChilds()->GetCount(); ++i)
        highlightAll(item->GetChilds()->GetAt(i));
}

} // namespace

// The page grid

void CBarPropertyPaneWnd::buildPageGrid()
{
    addMarginItems();
    addRowItems();
    addColumnItems();
    addTableItems();
    addSummaryItems();
    // The user is at a column heading: its item is the one selected.
    const CVes_TableBase& t = *m_pTable;
    if (t.m_curRow == 0 && t.m_curCol >= 0 && t.m_curCol < kMaxShownColumns) {
        if (CXTPPropertyGridItem* column = findItem(kColumnCaption + t.m_curCol))
            column->Select();
    }
}

QByteArray CBarPropertyPaneWnd::pageGridKey() const
{
    const CVes_TableBase& t = *m_pTable;
    QByteArray key;
    QDataStream out(&key, QIODevice::WriteOnly);
    out << quintptr(m_pTable) << t.m_curRow << t.m_curCol << t.rowsPerPage();
    out << t.m_leftMargin << t.m_rightMargin << t.m_topMargin << t.m_bottomMargin << t.m_gutter
        << t.m_gutterPos << t.m_orientation;
    out << t.m_rowMode << t.m_rowHeight << t.m_rowNum << t.m_tableTextHeight << t.m_shapeTextHeight
        << t.m_titleColorBk;
    out << t.m_columnNum << t.m_stretchColumn << t.m_captions << t.m_widths << t.m_units;
    out << t.m_language << t.m_showTitle;
    for (const CVes_Variable& text : t.m_texts)
        out << text.m_text << text.m_formula;
    if (auto* barList = dynamic_cast<const CVes_SetupTable*>(m_pTable))
        out << barList->getDefaultEleNum();
    out << t.m_pageSummary << t.m_summaryRowHeight << t.m_sumWeight << t.m_sumLength << t.m_sumJoint;
    return key;
}

void CBarPropertyPaneWnd::addMarginItems()
{
    const CVes_TableBase& t = *m_pTable;
    CXTPPropertyGridItemCategory* margins = m_pGrid->AddCategory(QStringLiteral("页边距（毫米）"));
    addItem<Number>(margins, kMarginLeft, QStringLiteral("左"), t.m_leftMargin);
    addItem<Number>(margins, kMarginRight, QStringLiteral("右"), t.m_rightMargin);
    addItem<Number>(margins, kMarginTop, QStringLiteral("上"), t.m_topMargin);
    addItem<Number>(margins, kMarginBottom, QStringLiteral("下"), t.m_bottomMargin);
    addItem<Number>(margins, kGutter, QStringLiteral("装订线"), t.m_gutter);
    addChoiceItem(margins, kGutterPos, QStringLiteral("装订线位置"), kGutterPlaces)->SetEnum(t.m_gutterPos);
    margins->Expand();

    CXTPPropertyGridItemCategory* paper = m_pGrid->AddCategory(QStringLiteral("页面方向"));
    addChoiceItem(paper, kOrientation, QStringLiteral("方向"), kOrientations)->SetEnum(t.m_orientation);
    paper->Expand();
}

void CBarPropertyPaneWnd::addRowItems()
{
    const CVes_TableBase& t = *m_pTable;
    CXTPPropertyGridItemCategory* rows = m_pGrid->AddCategory(QStringLiteral("表格行设定"));
    addChoiceItem(rows, kRowMode, QStringLiteral("行高与行数"), kRowModes)->SetEnum(t.m_rowMode);
    addItem<Number>(rows, kRowHeight, QStringLiteral("行高(mm)"), t.m_rowHeight);
    addItem<Number>(rows, kRowsPerPage, QStringLiteral("行数"), t.m_rowNum);
    addItem<Number>(rows, kTableTextHeight, QStringLiteral("表格字高(mm)"), t.m_tableTextHeight);
    addItem<Number>(rows, kShapeTextHeight, QStringLiteral("大样字高"),
                    t.m_shapeTextHeight / kShapeTextScale);
    addChoiceItem(rows, kTitleBackground, QStringLiteral("标题行背景"), kShowHide)
        ->SetEnum(t.m_titleColorBk);
    showRowMeasureItems(t.m_rowMode);
    rows->Expand();
}

void CBarPropertyPaneWnd::addColumnItems()
{
    const CVes_TableBase& t = *m_pTable;
    CXTPPropertyGridItemCategory* columns = m_pGrid->AddCategory(QStringLiteral("表格列设定"));
    auto* stretch = addItem<Choices>(columns, kStretchColumn, QStringLiteral("自动调节列"), -1);
    const int count = std::min({t.m_columnNum, int(t.m_captions.size()), int(t.m_widths.size()),
                                kMaxShownColumns});
    for (int i = 0; i < t.m_columnNum; ++i)
        stretch->GetConstraints()->AddConstraint(QStringLiteral("第%1列").arg(i + 1), i);
    stretch->SetEnum(t.m_stretchColumn);
    columns->Expand();

    const bool inHeading = t.m_curRow == 0;
    for (int i = 0; i < count; ++i) {
        auto* column = addItem<CXTPPropertyGridItem>(columns, kColumnCaption + i,
                                                     QStringLiteral("第%1列").arg(i + 1),
                                                     headingText(t.m_captions[i]));
        setBlack(column);
        auto* width = addItem<Number>(column, kColumnWidth + i, QStringLiteral("本列宽度（%）"),
                                      t.m_widths[i]);
        width->SetReadOnly(i == t.m_stretchColumn);
        const int unit = i < t.m_units.size() ? t.m_units[i] : CVes_Template::kNoUnit;
        if (unit != CVes_Template::kNoUnit) {
            auto* units = addChoiceItem(column, kColumnUnit + i, QStringLiteral("本列单位"),
                                        unit > CVes_Template::kMetre ? std::span<const Choice>(kWeightUnits)
                                                                     : std::span<const Choice>(kLengthUnits));
            units->SetEnum(unit);
        }
        if (inHeading && t.m_curCol == i) {
            highlightAll(column);
            column->Expand();
        }
    }
}

void CBarPropertyPaneWnd::addTableItems()
{
    const CVes_TableBase& t = *m_pTable;
    CXTPPropertyGridItemCategory* table = m_pGrid->AddCategory(QStringLiteral("表格属性"));
    addChoiceItem(table, kLanguage, QStringLiteral("表格语言"), kLanguages)->SetEnum(int(t.m_language));
    auto* title = addItem<CXTPPropertyGridItem>(table, kTitle, t.m_texts[0].m_text, t.m_texts[0].m_formula);
    addCheckBox(table, kShowTitle, QStringLiteral("显示标题"))->SetBool(t.m_showTitle != 0);
    // Heading field f is title-block text f + 1 (text 1 is the page number).
    for (int field = 1; field <= kHeadingFields; ++field) {
        const CVes_Variable& text = t.m_texts[std::size_t(field + 1)];
        if (!text.m_text.isEmpty())
            addItem<CXTPPropertyGridItem>(table, kTitle + field, text.m_text, text.m_formula);
    }
    if (auto* barList = dynamic_cast<const CVes_SetupTable*>(m_pTable))
        addItem<Number>(table, kDefaultPieces, QStringLiteral("默认构件数量"), barList->getDefaultEleNum());
    table->Expand();
    title->Select();
    if (t.m_curRow == CVes_TableBase::kTitleTextRow && t.m_curCol >= 0 && t.m_curCol <= kHeadingFields) {
        if (CXTPPropertyGridItem* field = findItem(kTitle + t.m_curCol))
            highlight(field);
    }
}

void CBarPropertyPaneWnd::addSummaryItems()
{
    const CVes_TableBase& t = *m_pTable;
    CXTPPropertyGridItemCategory* summary = m_pGrid->AddCategory(QStringLiteral("本页汇总属性"));
    if (!dynamic_cast<const CVes_SetupTable*>(m_pTable) && !dynamic_cast<const CVes_SLTable*>(m_pTable))
        return;
    Check* shown = addCheckBox(summary, kShowSummary, QStringLiteral("显示汇总行"));
    shown->SetBool(t.m_pageSummary != 0);
    addChoiceItem(shown, kSummaryHeight, QStringLiteral("汇总行高"), kSummaryHeights)
        ->SetEnum(t.m_summaryRowHeight);
    addCheckBox(shown, kSumWeight, QStringLiteral("重量汇总"))->SetBool(t.m_sumWeight != 0);
    addCheckBox(shown, kSumLength, QStringLiteral("长度汇总"))->SetBool(t.m_sumLength != 0);
    addCheckBox(shown, kSumJoint, QStringLiteral("接头汇总"))->SetBool(t.m_sumJoint != 0);
    shown->Expand();
    showSummaryRowItems(t.m_pageSummary != 0);

    // The user is at the page's summary rows.
    const int rows = t.rowsPerPage();
    if (t.m_curRow > rows && t.m_curRow <= rows + t.m_summaryRowHeight) {
        highlightAll(summary);
        shown->Select();
        if (CXTPPropertyGridItem* language = findItem(kLanguage))
            language->GetParentItem()->Collapse();
        summary->Expand();
    }
}

void CBarPropertyPaneWnd::showRowMeasureItems(int mode)
{
    setItemHidden(*m_pGrid, kRowHeight, mode == kFixedRowCount);
    setItemHidden(*m_pGrid, kRowsPerPage, mode == 0);
}

void CBarPropertyPaneWnd::showSummaryRowItems(bool shown)
{
    for (int id : {kSummaryHeight, kSumWeight, kSumLength, kSumJoint})
        setItemHidden(*m_pGrid, id, !shown);
}

// The cover grid

void CBarPropertyPaneWnd::buildCoverGrid()
{
    CVes_TableBase& t = *m_pTable;
    CXTPPropertyGridItemCategory* print = m_pGrid->AddCategory(QStringLiteral("打印属性"));
    addCheckBox(print, kCoverPrinted, QStringLiteral("封面是否打印"))->SetBool(t.haveFengmian() != 0);
    print->Expand();
    const CVes_TableCover& cover = t.m_cover;
    for (int i = 0; i < int(cover.m_variables.size()); ++i) {
        const CVes_Variable* text = cover.m_variables[std::size_t(i)].get();
        if (!text)
            continue;
        const int id = i * kCoverRowStep;
        CXTPPropertyGridItemCategory* row = m_pGrid->AddCategory(QStringLiteral("第%1行").arg(i + 1));
        addItem<CXTPPropertyGridItem>(row, kCoverText + id, QStringLiteral("内容"), text->m_text);
        addChoiceItem(row, kCoverAlign + id, QStringLiteral("对齐方式"), kAlignments)->SetEnum(int(text->m_align));
        addItem<Real>(row, kCoverSize + id, QStringLiteral("文字大小"), text->m_height / kCoverSizeScale,
                      QStringLiteral("%.1f"));
        addItem<Number>(row, kCoverHeight + id, QStringLiteral("行高（%）"), cover.m_percents.value(i, 0));
        if (i == cover.m_curVar) {
            highlightAll(row);
            row->Expand();
            row->Select();
        }
    }
}

// Edits

void CBarPropertyPaneWnd::applyPageEdit(CXTPPropertyGridItem* item)
{
    // The table may take the value otherwise than typed: the next rebuild
    // shows what it took.
    m_pageKey.clear();
    const int id = item->GetID();
    CVes_TableBase& t = *m_pTable;
    if (id == kStretchColumn) {
        t.m_stretchColumn = wholeOf(item);
        t.setModified(1);
        Rebuild();
        return;
    }
    if (id >= kTitle && id <= kTitle + kHeadingFields) {
        const int field = id - kTitle;
        t.m_texts[std::size_t(field == 0 ? 0 : field + 1)].m_formula = item->GetValue();
    } else if (id >= kColumnCaption && id < kStretchColumn) {
        applyColumnEdit(id, item);
    } else {
        applyPageLayoutEdit(id, item);
    }
    t.setModified(1);
}

void CBarPropertyPaneWnd::applyPageLayoutEdit(int id, CXTPPropertyGridItem* item)
{
    CVes_TableBase& t = *m_pTable;
    const int value = wholeOf(item);
    switch (id) {
    case kDefaultPieces:
        if (auto* barList = dynamic_cast<CVes_SetupTable*>(m_pTable))
            barList->setDefaultEleNum(value);
        break;
    case kShowSummary:
        t.m_pageSummary = value;
        showSummaryRowItems(value != 0);
        item->Expand();
        break;
    case kSummaryHeight: t.m_summaryRowHeight = value; break;
    case kSumWeight: t.m_sumWeight = value; break;
    case kSumLength: t.m_sumLength = value; break;
    case kSumJoint: t.m_sumJoint = value; break;
    case kLanguage: t.setLanguage(unsigned(value)); break;
    case kShowTitle: t.m_showTitle = value; break;
    case kMarginLeft: t.m_leftMargin = value; break;
    case kMarginRight: t.m_rightMargin = value; break;
    case kMarginTop: t.m_topMargin = value; break;
    case kMarginBottom: t.m_bottomMargin = value; break;
    case kGutter: t.m_gutter = value; break;
    case kGutterPos: t.m_gutterPos = value; break;
    case kOrientation: t.m_orientation = value; break;
    case kRowMode:
        t.m_rowMode = value;
        showRowMeasureItems(value);
        break;
    case kRowHeight: t.m_rowHeight = value; break;
    case kRowsPerPage: t.m_rowNum = value; break;
    case kTitleBackground: t.m_titleColorBk = value; break;
    case kTableTextHeight: t.m_tableTextHeight = value; break;
    case kShapeTextHeight:
        t.m_shapeTextHeight = value * kShapeTextScale;
        t.setAllLineSteelTextHigh(t.m_shapeTextHeight);
        break;
    default:
        break;
    }
}

void CBarPropertyPaneWnd::applyColumnEdit(int id, CXTPPropertyGridItem* item)
{
    CVes_TableBase& t = *m_pTable;
    if (id < kColumnWidth) {
        const int column = id - kColumnCaption;
        if (column < t.m_columnNum && column < t.m_captions.size())
            t.m_captions[column] = item->GetValue();
    } else if (id < kColumnUnit) {
        const int column = id - kColumnWidth;
        if (column >= t.m_widths.size())
            return;
        t.m_widths[column] = wholeOf(item);
        t.adjustColWidth();
        // The stretched column took up the difference: show every width anew.
        for (int i = 0; i < t.m_widths.size(); ++i)
            setNumber(*m_pGrid, kColumnWidth + i, t.m_widths[i]);
    } else {
        const int column = id - kColumnUnit;
        if (column < t.m_units.size())
            t.m_units[column] = wholeOf(item);
    }
}

void CBarPropertyPaneWnd::applyCoverEdit(CXTPPropertyGridItem* item)
{
    CVes_TableBase& t = *m_pTable;
    const int id = item->GetID();
    if (id == kCoverPrinted) {
        t.setFengmian(wholeOf(item));
    } else {
        const int row = (id - kCoverText) / kCoverRowStep;
        const int field = (id - kCoverText) % kCoverRowStep + kCoverText;
        CVes_TableCover& cover = t.m_cover;
        if (id < kCoverText || row >= int(cover.m_variables.size()) || !cover.m_variables[std::size_t(row)])
            return;
        CVes_Variable& text = *cover.m_variables[std::size_t(row)];
        switch (field) {
        case kCoverText: text.m_text = item->GetValue(); break;
        case kCoverAlign: text.setTxtAlign(unsigned(wholeOf(item))); break;
        case kCoverSize: text.setTxtHigh(tenthsOf(realOf(item))); break;
        case kCoverHeight:
            if (row < cover.m_percents.size())
                cover.m_percents[row] = wholeOf(item);
            break;
        default: return;
        }
    }
    t.setModified(1);
}
