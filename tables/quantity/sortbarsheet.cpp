#include "tables/quantity/sortbarsheet.h"

#include "core/model/barlimits.h"

#include "core/geometry/steeltext.h"
#include "core/model/steel.h"
#include "platform/dc.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/form.h"
#include "tables/framework/lengthtext.h"
#include "tables/framework/sheetsetup.h"
#include "tables/framework/tablehelpers.h"
#include "tables/shared/sumhelpers.h"

#include <algorithm>
#include <cmath>

using platform::gdi::RGB;

const QString CVes_SortBarSheet::kMergeInfo = QStringLiteral("归并信息");

namespace {

using sheetsetup::Column;

constexpr platform::COLORREF kBlack = RGB(0, 0, 0);
constexpr platform::COLORREF kRed = RGB(255, 0, 0);
constexpr platform::COLORREF kLockedRow = RGB(204, 255, 204);
constexpr platform::COLORREF kSelectedRow = RGB(255, 255, 140);
constexpr platform::COLORREF kCurrentCell = RGB(224, 254, 8);
constexpr int kLastCurrentColumn = 9;
constexpr int kFirstSortedRow = 6;

constexpr Column kSortedColumns[] = {
    {"加工\n \n序号", "No.", 8, CVes_Template::kNoUnit},
    {"钢筋\n \n规格", "Diam", 6, CVes_Template::kNoUnit},
    {"钢筋形状\n", "Bar Sharp\n", 22, CVes_Template::kMillimetre},
    {"断料\n长度", "Cut \nLength", 13, CVes_Template::kMillimetre},
    {"总\n\n根数", "Total\nNum", 6, CVes_Template::kNoUnit},
    {"总长度\n", "Total\nLength", 14, CVes_Template::kMetre},
    {"总重量\n", "Total\nWeight", 15, CVes_Template::kKilogram},
    {"备注", "Remarks", 18, CVes_Template::kNoUnit},
};

// The page: the eight columns on portrait A4, 28 rows of 4 mm text.
constexpr sheetsetup::Page kSortedPage = {15, 15, 15, 15, 4, 10, 16, 90, 28, 1, 7};

// Texts 3 and 4 have no name until a producer gives it one.
constexpr sheetsetup::TitleText kSortedTitleTexts[] = {
    {2, "工程名称", " ", 40, 24}, {3, "", "", 40, 24},         {4, "", "", 40, 24},
    {5, "编制", " ", 30, 0},     {6, "审核", " ", 30, 0},     {7, "编制日期", " ", 30, 2},
};

// The selection bit of a grade; 0 for a grade the filter does not know.
unsigned int gradeBit(int grade)
{
    switch (grade) {
    case 1: return CVes_SortRules::kGrade1;
    case 2: return CVes_SortRules::kGrade2;
    case 3: return CVes_SortRules::kGrade3;
    case 4: return CVes_SortRules::kGrade4;
    case 5: return CVes_SortRules::kGrade5;
    case 12: return CVes_SortRules::kGradeL;
    case 14: return CVes_SortRules::kGradeN;
    default: return 0;
    }
}

QString sizeText(const CVes_BarCore& bar)
{
    return Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType == 1 ? 1 : 0);
}

// A subtotal: one bar size and its total length.
struct SizeTotal {
    int grade;
    float diameter;
    int type;
    double length;
};

} // namespace

// Rows

CVes_SortBarSheetLine::CVes_SortBarSheetLine(const CVes_BarCore& bar) : m_steel(bar) {}

CVes_SortBarSheetLine::CVes_SortBarSheetLine(const QStringList& texts)
{
    setStringArray(texts);
}

void CVes_SortBarSheetLine::setSteel(const CVes_Steel* bar)
{
    if (bar)
        m_steel.set(bar);
}

void CVes_SortBarSheetLine::setStringArray(const QStringList& texts)
{
    m_isString = 1;
    m_strArray = texts;
}

bool CVes_SortBarSheetLine::lessthan(CVes_TableBaseLine* const& other) const
{
    const auto* row = dynamic_cast<const CVes_SortBarSheetLine*>(other);
    return row && *this < *row;
}

bool CVes_SortBarSheetLine::operator<(const CVes_SortBarSheetLine& other) const
{
    return m_steel < other.m_steel;
}

// The sheet

std::unique_ptr<CVes_TableBase> CVes_SortBarSheet::CreateObject()
{
    return std::make_unique<CVes_SortBarSheet>();
}

CVes_SortBarSheet::CVes_SortBarSheet()
{
    m_orientation = kPortrait;
    sheetsetup::applyPage(*this, kSortedPage, QStringLiteral("钢筋规格排序表"));
    sheetsetup::applyTitleTexts(*this, kSortedTitleTexts);
    sheetsetup::applyColumns(*this, kSortedColumns, 0);
    if (!m_form)
        m_form = std::make_unique<CVes_Form>();
}

// The base owns the page form and deletes it.
CVes_SortBarSheet::~CVes_SortBarSheet() = default;

std::unique_ptr<CVes_TableBase> CVes_SortBarSheet::createEmpty() const
{
    return CreateObject();
}

bool CVes_SortBarSheet::passes(CVes_BarCore& bar) const
{
    const unsigned int bit = gradeBit(bar.grade);
    if (bit && !(m_rules.m_sortGrade & bit))
        return false;
    switch (m_rules.m_dnStateStyle) {
    case 1:
        if (!(bar.DN < m_rules.m_guigeDN))
            return false;
        break;
    case 2:
        if (bar.DN != m_rules.m_guigeDN)
            return false;
        break;
    case 3:
        if (!(bar.DN > m_rules.m_guigeDN))
            return false;
        break;
    default:
        break;
    }
    unsigned int kind = CVes_SortRules::kBent;
    if (bar.isGuJin())
        kind = CVes_SortRules::kStirrups;
    else if (!bar.isHaveLeftHook() && !bar.isHaveRightHook() && bar.isOneSide())
        kind = CVes_SortRules::kStraight;
    return (m_rules.m_state & kind) != 0;
}

void CVes_SortBarSheet::Add(CVes_BarCore* bar)
{
    if (!bar || !passes(*bar))
        return;
    auto copy = std::make_unique<CVes_BarCore>(*bar);
    if (m_rules.m_mergeSame) {
        const SameBarIndex::Key key = SameBarIndex::keyOf(*copy);
        // A row stands for no more bars than a row holds: beyond, the bar
        // makes a row of its own.
        CVes_BarCore* kept = sameBar(*copy, key);
        if (kept && barlimits::joinable(barlimits::kRowCount, kept->count, copy->count)) {
            kept->count += copy->count;
            kept->remark = QStringLiteral("多件归并");
            return;
        }
        // Every bar before it is indexed now; it is indexed by the key it
        // was looked up by.
        m_sameBars.add(key, m_indexedBars++);
    }
    m_barList.push_back(std::move(copy));
}

CVes_BarCore* CVes_SortBarSheet::sameBar(CVes_BarCore& bar, const SameBarIndex::Key& key)
{
    // The first equal bar of the list, as comparing with each in turn would
    // find it; only bars of the same merging key are compared.
    if (m_indexedBars > m_barList.size())
        forgetSameBars();
    for (; m_indexedBars < m_barList.size(); ++m_indexedBars)
        m_sameBars.add(SameBarIndex::keyOf(*m_barList[m_indexedBars]), m_indexedBars);
    for (const std::size_t at : m_sameBars.candidates(key))
        if (m_barList[at]->isSame(bar))
            return m_barList[at].get();
    return nullptr;
}

void CVes_SortBarSheet::Add(const QStringList& texts)
{
    appendLine(std::make_unique<CVes_SortBarSheetLine>(texts));
}

unsigned int CVes_SortBarSheet::sortKey(const CVes_SortRules& rules)
{
    unsigned int key = rules.m_dnOrder ? CVes_BarCore::kSortAscending : 8u;
    if (rules.m_lenOrder == 0)
        key |= CVes_BarCore::kSortLengthDown;
    else if (rules.m_lenOrder == 1)
        key |= CVes_BarCore::kSortLengthUp;
    else
        key |= 16u;
    if (rules.m_sortZheshu == 1)
        key |= CVes_BarCore::kSortByBends;
    return key;
}

void CVes_SortBarSheet::CalSteelZheshu()
{
    for (const std::unique_ptr<CVes_BarCore>& bar : m_barList)
        bar->getZheshu();
}

double CVes_SortBarSheet::totalLength(CVes_BarCore& bar) const
{
    const int cutUnit = m_units.value(kColCutLength, kMillimetre);
    const double lengthFactor = transUnit(cutUnit, m_units.value(kColTotalLength, kMetre));
    if (bar.isMultiVal() == 1) {
        const double first = lengthOf(bar, 0);
        const double last = lengthOf(bar, 1);
        bar.length = float(first);
        return (first + last) * bar.getMultiGroup() * bar.count * 0.5 * lengthFactor;
    }
    return totalOfCut(bar, cutLength(bar));
}

double CVes_SortBarSheet::totalOfCut(const CVes_BarCore& bar, double cut) const
{
    const double lengthFactor = transUnit(m_units.value(kColCutLength, kMillimetre),
                                          m_units.value(kColTotalLength, kMetre));
    return double(bar.count) * cut * lengthFactor;
}

double CVes_SortBarSheet::lengthOf(CVes_BarCore& bar, unsigned int which) const
{
    // Shapes measure in the unit of the shape column, as in the bar list.
    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    return double(bar.getLength(which, transUnit(kMillimetre, shapeUnit)))
        * transUnit(shapeUnit, m_units.value(kColCutLength, kMillimetre));
}

double CVes_SortBarSheet::cutLength(CVes_BarCore& bar) const
{
    if (bar.calcLength) {
        bar.length = float(lengthOf(bar, 0));
        return bar.length;
    }
    // A typed length is in the unit of the shape column, as the bar list
    // holds it.
    return bar.length
        * transUnit(m_units.value(kColShape, kMillimetre), m_units.value(kColCutLength, kMillimetre));
}

double CVes_SortBarSheet::weightOf(const CVes_BarCore& bar, double total) const
{
    // Unit weights are per metre, whatever the unit of the length column.
    const double metres = total * transUnit(m_units.value(kColTotalLength, kMetre), kMetre);
    return barsum::weightOf(bar.grade, bar.DN, metres,
                            transUnit(kKilogram, m_units.value(kColWeight, kKilogram)));
}

void CVes_SortBarSheet::sortSteel()
{
    const unsigned int key = sortKey(m_rules);
    if (key & CVes_BarCore::kSortByBends)
        CalSteelZheshu();
    // The list changes its order: what merging kept of it is redone.
    forgetSameBars();
    if (m_barList.size() >= 2) {
        std::stable_sort(m_barList.begin(), m_barList.end(),
                         [key](const std::unique_ptr<CVes_BarCore>& a,
                               const std::unique_ptr<CVes_BarCore>& b) {
                             return CVes_BarCore::lessThan(*a, *b, key);
                         });
    }

    clearnAllLineOnly();
    std::vector<SizeTotal> sizes;
    for (const std::unique_ptr<CVes_BarCore>& bar : m_barList) {
        if (!m_rules.m_showZeroNum && bar->count == 0)
            continue;
        auto added = std::make_unique<CVes_SortBarSheetLine>(*bar);
        CVes_SortBarSheetLine* row = added.get();
        appendLine(std::move(added));
        CVes_BarCore& shown = row->m_steel;
        // A remark listing several origins ("…; …") is shown as one word, and
        // the origins in a row of their own when asked.
        if (shown.remark.indexOf(u';') > 0) {
            const QString origins = shown.remark;
            shown.remark = QStringLiteral("多项归并");
            if (m_rules.m_guibingShow > 0)
                Add(QStringList{kMergeInfo, origins});
        }
        const double total = totalLength(shown);
        auto same = std::find_if(sizes.begin(), sizes.end(), [&](const SizeTotal& s) {
            return s.grade == shown.grade && s.diameter == shown.DN && s.type == shown.steelType;
        });
        if (same == sizes.end())
            sizes.push_back({shown.grade, shown.DN, shown.steelType, total});
        else
            same->length += total;
    }

    std::stable_sort(sizes.begin(), sizes.end(), [](const SizeTotal& a, const SizeTotal& b) {
        if (a.diameter != b.diameter)
            return a.diameter < b.diameter;
        if (a.grade != b.grade)
            return a.grade < b.grade;
        return a.type < b.type;
    });
    if (m_rules.m_dnOrder == 0)
        std::reverse(sizes.begin(), sizes.end());

    if (!sizes.empty()) {
        Add(QStringList{QString(), QStringLiteral("合计")});
        double weightSum = 0.0;
        for (const SizeTotal& size : sizes) {
            CVes_BarCore bar;
            bar.grade = size.grade;
            bar.DN = size.diameter;
            bar.steelType = size.type;
            const double weight = weightOf(bar, size.length);
            weightSum += weight;
            Add(QStringList{QString(), sizeText(bar), QString(), QString(), QString(),
                            QString::asprintf("%.2f", size.length),
                            QString::asprintf("%.2f", weight)});
        }
        if (weightSum > 0.0)
            Add(QStringList{QString(), QStringLiteral("总重"), QString(), QString(), QString(),
                            QString(), QString::asprintf("%.2f", weightSum)});
    }
    setModified(1);
    if (m_curPage >= 1)
        setPageTo(m_curPage, 1);
}

CVes_SortBarSheet::BarTexts CVes_SortBarSheet::barTexts(CVes_BarCore& bar) const
{
    BarTexts texts;
    const int cutUnit = m_units.value(kColCutLength, kMillimetre);
    const bool metres = cutUnit == kMetre;
    if (bar.isMultiVal() == 1) {
        texts.graded = true;
        const double first = lengthOf(bar, 0);
        const double last = lengthOf(bar, 1);
        const int perGroup = bar.getMultiGroup();
        const double step = perGroup > 1 ? std::fabs(last - first) / (perGroup - 1) : 0.0;
        texts.cutLength = lengthtext::rangeText(first, last, step, metres);
        texts.badLength = first < 0.0001 || last < 0.001;
        texts.count = bar.count < 1 ? QStringLiteral("0")
                                    : QString::asprintf("%d根/组\n共%d组", perGroup, bar.count);
    } else {
        std::vector<float> lengths;
        std::vector<int> counts;
        const int shapeUnit = m_units.value(kColShape, kMillimetre);
        if (bar.calcLength) {
            // Computed once for every text: the pieces' lengths add up to
            // the cut length, which the bar keeps as cutLength would.
            const float whole =
                bar.calculateGroupLength(lengths, counts, 0, transUnit(kMillimetre, shapeUnit));
            bar.length = float(double(whole) * transUnit(shapeUnit, cutUnit));
        }
        if (lengths.size() > 1) {
            QStringList parts;
            for (float length : lengths)
                parts << lengthtext::number(length * transUnit(shapeUnit, cutUnit), metres);
            texts.cutLength = parts.join(u'/');
        }
        texts.count = bar.count < 1 ? QStringLiteral("0") : QString::number(bar.count);
    }
    double total = 0.0;
    if (texts.graded) {
        total = totalLength(bar);
    } else {
        const double cut = bar.calcLength ? double(bar.length) : cutLength(bar);
        total = totalOfCut(bar, cut);
        if (texts.cutLength.isEmpty())
            texts.cutLength = lengthtext::number(cut, metres);
        texts.badLength = bar.length < 0.0001;
    }
    texts.totalLength = QString::asprintf("%.2f", total);
    texts.weight = QString::asprintf("%.3f", weightOf(bar, total));
    texts.remark = remarkText(bar.remark);
    return texts;
}

// Drawing

void CVes_SortBarSheet::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    if (!dc || !m_form || m_curPage < 1)
        return;
    CVes_Form& form = *m_form;
    const bool screen = !dc->IsPrinting();
    // The scale is 1 on paper, so printed text never follows the screen zoom.
    const int height = int(m_tableTextHeight * 10 * m_drawScale);
    int k = 1;
    for (CVes_TableBaseLine* line : std::as_const(m_pageLines)) {
        if (screen && line->getLock()) {
            form.setRowBkColor(k, kLockedRow);
            form.setRowDrawBk(k, 1);
        } else if (screen && isSelected(k)) {
            form.setRowBkColor(k, kSelectedRow);
            form.setRowDrawBk(k, 1);
        }
        if (screen && k == m_curRow && m_curCol >= 0 && m_curCol <= kLastCurrentColumn) {
            form.setCellBkColor(k, m_curCol, kCurrentCell);
            form.setCellDrawBk(k, m_curCol, 1);
        }
        auto* row = dynamic_cast<CVes_SortBarSheetLine*>(line);
        if (row && !line->isNull()) {
            if (row->m_isString)
                drawTextRow(form, k, *row, height);
            else
                drawBarRow(form, k, *row, height, screen);
        }
        ++k;
    }
    form.OnDraw(dc);
}

void CVes_SortBarSheet::drawBarRow(CVes_Form& form, int k, CVes_SortBarSheetLine& row, int height,
                                   bool screen)
{
    CVes_BarCore& bar = row.m_steel;
    const BarTexts texts = barTexts(bar);
    const auto put = [&](int column, const QString& text, int textHeight, bool red) {
        if (m_widths.value(column, 0) <= 0)
            return;
        form.setCellText(k, column, text, CVes_Cell::kAlignCentre, textHeight, QPoint(0, 0),
                         QString());
        form.setCellTxtColor(k, column, screen && red ? kRed : kBlack);
    };
    const int small = int(0.8 * height);
    put(kColNumber, bar.number, height, false);
    put(kColSize, sizeText(bar), height, bar.DN < 1.0f);
    if (m_widths.value(kColShape, 0) > 0)
        form.setCellModel(k, kColShape, &bar, CVes_Cell::kAlignCentre);
    put(kColCutLength, texts.cutLength, texts.graded ? small : height, texts.badLength);
    put(kColCount, texts.count, texts.graded ? small : height, bar.count < 1);
    put(kColTotalLength, texts.totalLength, height, false);
    put(kColWeight, texts.weight, height, false);
    // A remark of several lines is drawn smaller, never vanishing.
    const int breaks = int(texts.remark.count(u'\n'));
    const int remarkHeight = breaks > 1 ? std::max(43 - 7 * breaks, 8) : 36;
    put(kColRemark, texts.remark, int(remarkHeight * m_drawScale), false);
}

void CVes_SortBarSheet::drawTextRow(CVes_Form& form, int k, const CVes_SortBarSheetLine& row,
                                    int height)
{
    const QStringList& texts = row.m_strArray;
    if (texts.value(0) == kMergeInfo) {
        // The origins of the merged bar above, under its number cell.
        if (k > 1)
            form.setCellMerge(1, k - 1, kColNumber, k, kColNumber);
        form.setCellMerge(1, k, kColSize, k, kColRemark);
        const QString origins = texts.value(1);
        form.setCellText(k, kColSize, origins, CVes_Cell::kAlignCentre,
                         origins.contains(u'\n') ? int(0.9 * height) : height, QPoint(0, 0),
                         QString());
        form.setCellTxtColor(k, kColSize, kBlack);
        return;
    }
    const int n = std::min(int(texts.size()), kColumnCount);
    for (int i = 0; i < n; ++i) {
        if (m_widths.value(i, 0) <= 0)
            continue;
        form.setCellText(k, i, texts[i], CVes_Cell::kAlignCentre, height, QPoint(0, 0), QString());
        form.setCellTxtColor(k, i, kBlack);
    }
}

// Workbook

int CVes_SortBarSheet::fillExcel(platform::xlsx::Worksheet& sheet)
{
    // Captions whose unit is not the template's own name their unit.
    static constexpr struct {
        int column;
        int templateUnit;
    } kUnitColumns[] = {{kColShape, kMillimetre},
                        {kColCutLength, kMillimetre},
                        {kColTotalLength, kMetre},
                        {kColWeight, kKilogram}};
    for (const auto& entry : kUnitColumns) {
        const int unit = m_units.value(entry.column, entry.templateUnit);
        if (unit != entry.templateUnit && m_widths.value(entry.column, 0) > 0)
            sheet.setText(5, entry.column + 1, unitCaption(m_captions.value(entry.column), unit));
    }

    int sheetRow = kFirstSortedRow - 1;
    for (CVes_TableBaseLine* line : std::as_const(m_lines)) {
        ++sheetRow;
        auto* row = dynamic_cast<CVes_SortBarSheetLine*>(line);
        if (!row || line->isNull())
            continue;
        // Lengths, counts and weights, the totals' too, are numbers a
        // spreadsheet adds up.
        const auto put = [&](int column, const QString& text) {
            if (m_widths.value(column, 0) <= 0)
                return;
            if (column >= kColCutLength && column <= kColWeight)
                sheet.setValue(sheetRow, column + 1, text);
            else
                sheet.setText(sheetRow, column + 1, text);
        };
        if (row->m_isString) {
            const int n = std::min(int(row->m_strArray.size()), kColumnCount);
            for (int i = 0; i < n; ++i) {
                QString text = row->m_strArray[i];
                Steel_ReplaceTableStringToExcelString(text);
                put(i, text);
            }
            // The origins of a merged bar span the columns they span on paper.
            if (row->m_strArray.value(0) == kMergeInfo)
                sheet.merge(sheetRow, kColSize + 1, kColRemark + 1);
            continue;
        }
        CVes_BarCore& bar = row->m_steel;
        const BarTexts texts = barTexts(bar);
        put(kColNumber, bar.number);
        put(kColSize, Steel_GradeDNToExcelString(bar.grade, bar.DN, bar.steelType == 1 ? 1 : 0));
        put(kColCutLength, texts.cutLength);
        put(kColCount, texts.count);
        put(kColTotalLength, texts.totalLength);
        put(kColWeight, texts.weight);
        put(kColRemark, texts.remark);
        if (m_widths.value(kColShape, 0) > 0)
            insertBarPicture(sheet, sheetRow, kColShape + 1, bar);
    }
    return int(m_lines.size()) + 1;
}
