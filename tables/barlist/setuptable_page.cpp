// The bar list's printed page: every row of the current page laid into the
// page form (numbers, grades, spacings, shapes, cut lengths, counts, totals
// and remarks of the bars; element, unit, text and sketch rows), the page
// summary at its foot, and the cover's quantity texts.

#include "tables/barlist/setuptable.h"

#include "envora/usercustom.h"
#include "platform/dc.h"
#include "platform/saturate.h"
#include "tables/barlist/bartexts.h"
#include "tables/framework/counttext.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/shared/sumhelpers.h"

#include <algorithm>
#include <cmath>
#include <vector>

using platform::COLORREF;
using platform::RGB;

namespace {

using Line = CVes_SetupTableLine;

constexpr COLORREF kLockedColour = RGB(217, 217, 217);
constexpr COLORREF kSelectedColour = RGB(255, 255, 140);
constexpr COLORREF kCurrentCellColour = RGB(224, 254, 8);
constexpr COLORREF kElementColour = RGB(239, 255, 250);
constexpr COLORREF kTextRowColour = RGB(224, 250, 170);
constexpr COLORREF kSummaryColour = RGB(227, 227, 227);
constexpr COLORREF kWarningColour = RGB(255, 0, 0);
constexpr COLORREF kOverLongColour = RGB(0, 0, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

constexpr int kBoldWeight = 700;
// Shapes of this library are bar groups whatever their own mark says.
// Each further line of a remark makes its text this much smaller (0.1 mm of
// paper), never below a quarter of the page's text height.
constexpr double kRemarkLineShrink = 7.0;

const QString kHei = QStringLiteral("黑体");
const QString kSong = QStringLiteral("宋体");

constexpr unsigned kLeft = CVes_Cell::kAlignLeft;
constexpr unsigned kCentre = CVes_Cell::kAlignCentre;

bool isValueGrouped(const CVes_Steel& bar)
{
    return bar.isSteelGroup() || bar.getRecordId().m_mainId == CSteelRecordId::kGroupLibrary;
}

// The lengths of a bar's value groups (which 0: the first bar of a
// multi-value bar, 1 the last), in the cut-length unit, and how many bars
// have each.
struct ValueGroups {
    std::vector<float> lengths;
    std::vector<int> counts;
};

ValueGroups valueGroups(CVes_Steel& bar, unsigned int which, const barlist::ColumnFactors& f)
{
    ValueGroups groups;
    bar.calculateGroupLength(groups.lengths, groups.counts, which, f.toShape);
    groups.counts.resize(groups.lengths.size(), 1);
    for (float& length : groups.lengths)
        length = float(length * f.cutFactor);
    return groups;
}

class PageFiller {
public:
    PageFiller(CVes_SetupTable& table, platform::Dc* dc)
        : t(table),
          form(*table.m_form),
          printing(dc->IsPrinting()),
          english(table.m_language == 1),
          f(barlist::ColumnFactors::of(table)),
          // In 0.1 mm at the drawing's scale. A page layout may hold any
          // height: it is held to what a stored layout may hold, as the
          // page's frame holds it.
          exactHeight(std::clamp(table.m_tableTextHeight, -CVes_Template::kMaxPaperSize,
                                 CVes_Template::kMaxPaperSize)
                      * 10.0 * table.m_drawScale),
          height(platform::saturatedInt(exactHeight)),
          segmentedSetting(Info_UserCustomSteelGroupShow() == 1)
    {
    }

    void fill()
    {
        form.setAllCellTxtHigh(height);
        t.m_selLineWeight = 0.0;
        int r = 1;
        for (CVes_TableBaseLine* base : std::as_const(t.m_pageLines)) {
            fillRow(r, static_cast<Line&>(*base));
            ++r;
        }
        closeGroup();
        if (t.m_pageSummary && t.m_summaryRowHeight > 0)
            pageSummary();
    }

private:
    bool visible(int column) const { return t.m_widths.value(column, 0) > 0; }
    int lastColumn() const { return form.GetColumnCount() - 1; }

    void text(int r, int column, const QString& value, unsigned align, const QString& font = {},
              int textHeight = -1)
    {
        if (visible(column))
            form.setCellText(r, column, value, align, textHeight < 0 ? height : textHeight,
                             QPoint(0, 0), font);
    }
    // Red on screen for a value that cannot be right; otherwise `normal`.
    COLORREF warn(bool wrong, COLORREF normal) const
    {
        return !printing && wrong ? kWarningColour : normal;
    }
    // The first visible column among 2, 3 and 4 (2 when none is).
    int firstFreeColumn() const
    {
        for (int c : {CVes_SetupTable::kColSpacing, CVes_SetupTable::kColStart,
                      CVes_SetupTable::kColShape})
            if (visible(c))
                return c;
        return CVes_SetupTable::kColSpacing;
    }

    void resetRow(int r)
    {
        for (int c = 0; c <= lastColumn(); ++c)
            if (CVes_Cell* cell = form.GetCell(r, c))
                cell->setTxtWeight(0);
    }

    // Locked and selected rows on screen; while printing, nothing of the
    // editing state shows.
    void highlight(int r, const Line& line)
    {
        if (printing) {
            if (CVes_BarCore* bar = t.getSteel(t.m_curRow))
                bar->clearVarStatus();
            return;
        }
        form.setRowBkColor(r, kLockedColour);
        form.setRowDrawBk(r, line.getLock() ? 1 : 0);
        if (t.isSelected(r)) {
            form.setRowBkColor(r, kSelectedColour);
            form.setRowDrawBk(r, 1);
        }
    }
    // The current cell, over whatever background its row has.
    void markCurrentCell(int r, const Line& line)
    {
        if (printing || line.getType() == Line::kUnitLine || r != t.m_curRow || t.m_curCol < 0
            || t.m_curCol > CVes_SetupTable::kColRemark)
            return;
        form.setCellBkColor(r, t.m_curCol, kCurrentCellColour);
        form.setCellDrawBk(r, t.m_curCol, 1);
    }
    // The background of a row kind on screen, unless the row is selected
    // (or, with `lockShows`, locked).
    void kindBackground(int r, const Line& line, COLORREF colour, bool lockShows)
    {
        if (printing || t.isSelected(r) || (lockShows && line.getLock()))
            return;
        form.setRowBkColor(r, colour);
        form.setRowDrawBk(r, 1);
    }

    void fillRow(int r, Line& line)
    {
        resetRow(r);
        highlight(r, line);
        layOut(r, line);
        markCurrentCell(r, line);
    }

    void layOut(int r, Line& line)
    {
        if (line.isNull()) {
            closeGroup();
            return;
        }
        form.setRowTxtColor(r, line.getTextColor());
        switch (line.getType()) {
        case Line::kSteelLine: barRow(r, line); return;
        case Line::kElementLine: elementRow(r, line); break;
        case Line::kUnitLine: unitRow(r, line); break;
        case Line::kTextLine: textRow(r, line); break;
        case Line::kImageLine: imageRow(r, line); break;
        default: break;
        }
        closeGroup();
    }

    // Rows of other kinds

    void elementRow(int r, Line& line)
    {
        kindBackground(r, line, kElementColour, true);
        pieces = line.getEleNum();
        text(r, 0, english ? QStringLiteral("Element No. ：") : QStringLiteral("构件编号"), kCentre,
             kHei);
        form.setCellMerge(1, r, 0, r, 1);
        const int numberColumn = firstFreeColumn();
        text(r, numberColumn, line.getElement(), kLeft, kHei);
        form.setCellMerge(1, r, numberColumn, r, CVes_SetupTable::kColShape);
        text(r, CVes_SetupTable::kColCutLength,
             english ? QStringLiteral("Num：") : QStringLiteral("件数"), kCentre,
             english ? QString() : kHei);
        form.setCellTxtColor(r, CVes_SetupTable::kColCutLength, kBlack);
        text(r, CVes_SetupTable::kColCount,
             english ? QString::number(pieces) : QStringLiteral("%1件").arg(pieces), kCentre);
        form.setCellTxtColor(r, CVes_SetupTable::kColCount, warn(pieces < 1, kBlack));
        text(r, CVes_SetupTable::kColTotalWeight,
             QString::asprintf("%.3f", t.getEleSteelweight(&line)), kCentre);
        remark(r, line.getEleRemark());
    }

    void unitRow(int r, Line& line)
    {
        text(r, 0, QStringLiteral("构件单元："), kLeft, kHei);
        form.setCellMerge(1, r, 0, r, 1);
        text(r, CVes_SetupTable::kColSpacing, barlist::unitLineText(t, line), kLeft, kHei);
        form.setCellMerge(1, r, CVes_SetupTable::kColSpacing, r, lastColumn());
        for (int c : {0, int(CVes_SetupTable::kColSpacing)})
            if (CVes_Cell* cell = form.GetCell(r, c))
                cell->setTxtWeight(kBoldWeight);
    }

    void textRow(int r, Line& line)
    {
        kindBackground(r, line, kTextRowColour, false);
        const QStringList texts = line.m_texts;
        for (int c = 0; c < texts.size() && c <= lastColumn(); ++c)
            text(r, c, texts[c], kLeft);
    }

    void imageRow(int r, Line& line)
    {
        form.setCellMerge(1, r, 0, r, lastColumn());
        form.setCellModel(r, 0, line.getImage(), kCentre);
    }

    // Bar rows

    void barRow(int r, Line& line)
    {
        CVes_Steel& bar = line.m_steel;
        remarkGroup(r, line);
        if (pieces < 1)
            pieces = t.piecesBefore(&line);
        barlist::refreshAnchorage(t, bar, f);
        const COLORREF rowColour = line.getTextColor();

        text(r, CVes_SetupTable::kColNumber, bar.number, kCentre);
        text(r, CVes_SetupTable::kColGrade,
             Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType), kCentre, kSong);
        form.setCellTxtColor(r, CVes_SetupTable::kColGrade, warn(bar.DN < 1, rowColour));
        text(r, CVes_SetupTable::kColSpacing, barlist::spacingText(bar), kCentre);
        if (visible(CVes_SetupTable::kColStart))
            form.setCellModel(r, CVes_SetupTable::kColStart, &bar.start, kCentre);
        if (visible(CVes_SetupTable::kColShape))
            form.setCellModel(r, CVes_SetupTable::kColShape, &bar, kCentre);
        cutLength(r, line);
        counts(r, bar, rowColour);

        const barlist::BarQuantity q = barlist::barQuantity(bar, pieces, f);
        text(r, CVes_SetupTable::kColTotalLength, QString::asprintf("%.2f", q.shownLength),
             kCentre);
        text(r, CVes_SetupTable::kColTotalWeight, QString::asprintf("%.3f", q.weight), kCentre);
        if (t.isSelected(r))
            t.m_selLineWeight += q.weight;
        remark(r, bar.remark);
    }

    void counts(int r, CVes_Steel& bar, COLORREF rowColour)
    {
        const auto grouped = [this](int perGroup, int groups) {
            return counttext::grouped(perGroup, groups, english);
        };
        const bool multi = bar.isMultiVal();
        const int perGroup = bar.getMultiGroup();
        text(r, CVes_SetupTable::kColCount,
             multi ? grouped(perGroup, bar.count) : QString::number(bar.count), kCentre);
        form.setCellTxtColor(r, CVes_SetupTable::kColCount, warn(bar.count < 1, rowColour));
        const int total = platform::saturatedMul(bar.count, pieces);
        text(r, CVes_SetupTable::kColTotalCount,
             multi ? grouped(perGroup, total) : QString::number(total), kCentre,
             multi ? kSong : QString());
    }

    // Cut length

    bool metres() const { return f.cutUnit == CVes_Template::kMetre; }
    // A length as the cut-length column shows it: two decimals in metres,
    // else a whole number.
    QString length(double value) const
    {
        return metres() ? QString::asprintf("%.2f", value)
                        : QString::number(barlist::roundHalfUp(value));
    }
    static int middleGroup(std::size_t n) { return int(n * 0.5 + 0.6); }
    // What goes before value group i of n.
    static QString separator(std::size_t i, std::size_t n, const QString& sofar)
    {
        if (int(i) == middleGroup(n) && n > 2)
            return QStringLiteral("\n");
        if (i > 0 && !sofar.endsWith(u'\n'))
            return QStringLiteral("/");
        return {};
    }
    QString lengthTimes(double value, int count) const
    {
        return count > 1 ? length(value) + QStringLiteral("×%1").arg(count) : length(value);
    }

    void cutLength(int r, Line& line)
    {
        CVes_Steel& bar = line.m_steel;
        const bool grouped = isValueGrouped(bar);
        const bool segmented = segmentedSetting && grouped && bar.calcLength;
        CVes_MidConnect* joint = bar.getFirstMidConnect();
        const int stock = joint->fixedLength;
        QString value;
        COLORREF colour = kBlack;
        if (bar.isMultiVal()) {
            const int perGroup = bar.getMultiGroup();
            const double first = bar.getLength(0, f.toShape);
            const double last = bar.getLength(1, f.toShape);
            const double from = first * f.cutFactor;
            const double to = last * f.cutFactor;
            const auto stepOf = [perGroup](double a, double z) {
                return perGroup > 1 ? std::fabs(z - a) / (perGroup - 1) : 0.0;
            };
            if (segmented) {
                const ValueGroups a = valueGroups(bar, 0, f);
                const ValueGroups z = valueGroups(bar, 1, f);
                for (std::size_t i = 0; i < a.lengths.size(); ++i) {
                    const double ai = a.lengths[i];
                    const double zi = i < z.lengths.size() ? z.lengths[i] : ai;
                    const double step = stepOf(ai, zi);
                    value += separator(i, a.lengths.size(), value);
                    if (step < 0.01)
                        value += lengthTimes(ai, a.counts[i]);
                    else
                        value += QStringLiteral("%1～%2 △%3\n")
                                     .arg(length(ai), length(zi), length(step));
                }
            } else {
                value = QStringLiteral("%1～%2\n△%3")
                            .arg(length(from), length(to), length(stepOf(from, to)));
            }
            // Over-long when the first or the last bar is longer than the stock.
            const int firstMm = barsum::truncated(first / f.toShape);
            const int lastMm = barsum::truncated(last / f.toShape);
            bar.work = firstMm > stock || lastMm > stock ? 1 : 0;
            if (!printing && !grouped)
                colour = bar.work ? kOverLongColour : kBlack;
            else
                colour = warn(from < 1 || to < 1, kBlack);
        } else {
            const double single =
                bar.calcLength ? double(bar.getLength(0, f.toShape)) : double(bar.length);
            if (segmented) {
                const ValueGroups groups = valueGroups(bar, 0, f);
                for (std::size_t i = 0; i < groups.lengths.size(); ++i) {
                    value += separator(i, groups.lengths.size(), value);
                    value += lengthTimes(groups.lengths[i], groups.counts[i]);
                }
            } else {
                value = length(single * f.cutFactor);
            }
            const int mm = barsum::truncated(single / f.toShape);
            if (mm > stock && !grouped) {
                bar.work = 1;
                if (joint->autoCount)
                    joint->countText = QString::number(joint->autoCalNum(mm));
                colour = printing ? kBlack : kOverLongColour;
            } else {
                bar.work = 0;
                colour = warn(mm < 1, line.getTextColor());
                // A typed count stays; only an automatic one goes back to 0.
                if (!grouped && joint->autoCount)
                    joint->countText = QStringLiteral("0");
            }
        }
        text(r, CVes_SetupTable::kColCutLength, value, kCentre);
        form.setCellTxtColor(r, CVes_SetupTable::kColCutLength, colour);
    }

    // Remarks

    // A remark takes one line per "|" or line break; with more than two
    // lines its text gets smaller.
    void remark(int r, const QString& value)
    {
        const int breaks = int(value.count(QStringLiteral("\r\n")));
        const int bars = int(value.count(u'|'));
        const QString shown = remarkText(value);
        double shrink = 0.0;
        for (int n : {breaks, bars})
            if (n > 1)
                shrink += kRemarkLineShrink * (n - 1) * t.m_drawScale;
        const int smallest = std::max(1, height / 4);
        text(r, CVes_SetupTable::kColRemark, shown, kLeft, kSong,
             std::max(int(height - shrink), smallest));
    }

    // Rows marked 1 and then 2 share one remark cell showing the first row's
    // remark, which the following rows take over.
    void remarkGroup(int r, Line& line)
    {
        CVes_Steel& bar = line.m_steel;
        switch (line.getRemarkMerge()) {
        case Line::kRemarkMergeFirst:
            closeGroup();
            groupFirst = groupLast = r;
            groupRemark = bar.remark;
            break;
        case Line::kRemarkMergeNext:
            if (groupFirst == 0) {
                // The first row of a merged remark that began on an earlier
                // page, or of one whose first row is missing.
                groupFirst = r;
                groupRemark = headRemark(line);
                bar.remark = groupRemark;
            } else {
                bar.remark = groupRemark;
            }
            groupLast = r;
            break;
        default: closeGroup(); break;
        }
    }

    // The remark of the row that begins the merge `line` continues: walking
    // back over the rows that continue it; the line's own remark when no
    // first row is found.
    QString headRemark(Line& line) const
    {
        for (qsizetype i = t.m_lines.indexOf(&line) - 1; i >= 0; --i) {
            auto* before = static_cast<Line*>(t.m_lines[i]);
            if (before->isNull() || before->getType() != Line::kSteelLine)
                break;
            if (before->getRemarkMerge() == Line::kRemarkMergeFirst)
                return before->m_steel.remark;
            if (before->getRemarkMerge() != Line::kRemarkMergeNext)
                break;
        }
        return line.m_steel.remark;
    }

    void closeGroup()
    {
        if (groupFirst > 0 && groupLast > groupFirst)
            form.setCellMerge(1, groupFirst, CVes_SetupTable::kColRemark, groupLast,
                              CVes_SetupTable::kColRemark);
        groupFirst = groupLast = 0;
        groupRemark.clear();
    }

    // Page summary

    // At the foot of the form, over the summary row height.
    void pageSummary()
    {
        const int n = t.m_summaryRowHeight;
        const int r = form.GetRowCount() - n;
        if (r < 1)
            return;
        const int last = lastColumn();
        resetRow(r);
        form.setRowTxtColor(r, kBlack);
        form.setCellText(r, 0, english ? QStringLiteral("Summary in\n this page")
                                       : QStringLiteral("本页汇总"),
                         kCentre, height, QPoint(0, 0), kSong);
        form.setCellMerge(1, r, 0, r + n - 1, 1);
        const int c = firstFreeColumn();
        const int width = form.GetCellRect(r + n - 1, last).right - form.GetCellRect(r, c).left;
        const int perLine = exactHeight > 0 ? platform::saturatedInt(width / (exactHeight * 0.45)) : 0;
        form.setCellText(r, c, t.AmountOfCurPage(perLine), kLeft, height, QPoint(0, 0), QString());
        form.setCellMerge(1, r, c, r + n - 1, last);
        if (t.m_titleColorBk) {
            form.setRowBkColor(r, kSummaryColour);
            form.setRowDrawBk(r, 1);
        }
    }

    CVes_SetupTable& t;
    CVes_Form& form;
    const bool printing;
    const bool english;
    const barlist::ColumnFactors f;
    const double exactHeight;
    const int height;
    const bool segmentedSetting;

    int pieces = -1;
    int groupFirst = 0;
    int groupLast = 0;
    QString groupRemark;
};

} // namespace

void CVes_SetupTable::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    if (!dc || !m_form || m_curPage < 1)
        return;
    fillTable(dc);
    m_form->OnDraw(dc);
}

void CVes_SetupTable::fillTable(platform::Dc* dc)
{
    if (!dc || !m_form || m_curPage < 1)
        return;
    PageFiller(*this, dc).fill();
}

std::vector<int> CVes_SetupTable::rowsDrawnWith(int row) const
{
    const qsizetype count = m_pageLines.size();
    if (m_curPage < 1 || row < 1 || row > count || !m_form)
        return {};
    const auto lineAt = [this](int r) { return static_cast<Line*>(m_pageLines[r - 1]); };
    const auto isA = [&](int r, unsigned type) {
        return !lineAt(r)->isNull() && lineAt(r)->getType() == type;
    };
    const auto merge = [&](int r) {
        return isA(r, Line::kSteelLine) ? lineAt(r)->getRemarkMerge() : 0;
    };
    std::vector<int> rows{row};
    if (isA(row, Line::kSteelLine)) {
        // Up to the row that begins its merged remark, down over the rows
        // that continue it.
        for (int r = row; r > 1 && merge(r) == Line::kRemarkMergeNext; --r)
            rows.push_back(r - 1);
        for (int r = row + 1; r <= count && merge(r) == Line::kRemarkMergeNext; ++r)
            rows.push_back(r);
        for (int r = row - 1; r >= 1; --r)
            if (isA(r, Line::kElementLine)) {
                rows.push_back(r);
                break;
            }
    } else if (isA(row, Line::kElementLine)) {
        for (int r = row + 1; r <= count && !isA(r, Line::kElementLine); ++r)
            rows.push_back(r);
    } else if (!isA(row, Line::kTextLine)) {
        return {};
    }
    const int formRows = m_form->GetRowCount();
    if (m_pageSummary && m_summaryRowHeight > 0)
        for (int r = std::max(formRows - m_summaryRowHeight, 1); r < formRows; ++r)
            rows.push_back(r);
    return rows;
}

void CVes_SetupTable::setPageToCover()
{
    m_curPage = 0;
    m_pageLines.clear();
    m_cover.m_barSummaryTexts.clear();
    m_cover.m_jointSummaryTexts.clear();
    AmountToString(m_cover.m_barSummaryTexts, m_cover.m_jointSummaryTexts);
}

int CVes_SetupTable::piecesBefore(const CVes_TableBaseLine* row) const
{
    for (qsizetype i = m_lines.indexOf(const_cast<CVes_TableBaseLine*>(row)) - 1; i >= 0; --i) {
        auto* before = static_cast<Line*>(m_lines[i]);
        if (!before->isNull() && before->isElementLine())
            return before->getEleNum();
    }
    return m_defaultEleNum;
}
