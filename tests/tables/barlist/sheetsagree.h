#pragma once
// Every sheet made from one bar list tells the same quantities: the bar
// list's pages and cover, the bar summary, the joint summary, the purchase
// list, the sorted sheet with its source notes, the processing sheet and
// its summary, the bar tags, the cutting list of every size, and the
// quantity sheet with its summaries. Their lengths, counts
// and weights by grade and diameter, their joints by kind and size and the
// texts of graded bars must agree with what the list holds.
//
// Lengths are compared within a millimetre a bar: the sheets round or cut
// a bar's length to whole millimetres each by its own rule.

#include "tables/barlist/setuptable.h"

#include "core/model/connecttext.h"
#include "core/model/modelreference.h"
#include "core/model/recordcache.h"
#include "core/model/modelrecord.h"
#include "core/geometry/datafolder.h"
#include "core/geometry/text.h"
#include "envora/steelyuancaidata.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/tabletextline.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"
#include "tables/processing/processtableeditline.h"
#include "tables/processing/processtablelistline.h"
#include "tables/processing/processtexts.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/youhuaduanliaotable.h"
#include "tests/tables/barlist/barlist_pages.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

namespace test::sheets {

// Published unit weights of the sizes the lists use, kg/m.
inline const std::map<float, double> kUnitWeight = {
    {6.0f, 0.222}, {6.5f, 0.260}, {8.0f, 0.395},  {10.0f, 0.617}, {12.0f, 0.888},
    {14.0f, 1.21}, {16.0f, 1.58}, {18.0f, 2.00},  {20.0f, 2.47},  {22.0f, 2.98},
    {25.0f, 3.85}, {28.0f, 4.83}, {32.0f, 6.31},
};
// Quantities by size

struct Size {
    int grade;
    float d;
    int coating;
    auto operator<=>(const Size&) const = default;
};

struct Amount {
    double metres = 0.0;
    double kg = 0.0;
    double bars = 0.0;
};

using BySize = std::map<Size, Amount>;

// What the list holds, worked out here from each bar's cut length: bars,
// metres and kilograms by size, without loss; and how many bars each size
// has, for the rounding the sheets may do.
struct Reference {
    BySize sizes;
    // The bars of some length by grade and diameter: those a cutting list
    // cuts (a bar measuring 0 is none).
    std::map<std::pair<int, float>, Amount> toCut;
    std::map<QString, Size> byText;  // the sizes by their grade-and-size text

    explicit Reference(CVes_SetupTable& list)
    {
        int pieces = list.getDefaultEleNum();
        for (CVes_TableBaseLine* base : list.lines()) {
            auto* line = static_cast<CVes_SetupTableLine*>(base);
            if (line->isNull())
                continue;
            if (line->isElementLine()) {
                pieces = line->getEleNum();
                continue;
            }
            if (!line->isSteelLine())
                continue;
            CVes_Steel& bar = line->m_steel;
            const Size size{bar.grade, bar.DN, bar.steelType};
            byText[Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType)] = size;
            Amount& a = sizes[size];
            double bars = double(bar.count) * pieces;
            double mm = 0.0;
            if (bar.isMultiVal()) {
                bars *= bar.getMultiGroup();
                mm = (double(bar.getLength(0, 1.0)) + bar.getLength(1, 1.0)) * 0.5;
            } else {
                mm = bar.calcLength ? bar.getLength(0, 1.0) : bar.length;
            }
            a.bars += bars;
            a.metres += bars * mm * 0.001;
            a.kg += bars * mm * 0.001 * kUnitWeight.at(bar.DN);
            if (mm > 0.0) {
                Amount& cut = toCut[{bar.grade, bar.DN}];
                cut.bars += bars;
                cut.metres += bars * mm * 0.001;
            }
        }
    }

    double lossPercent(const CVes_SortRules& r, float d) const
    {
        if (r.m_calcLossBar && d > r.m_wireDN)
            return r.m_lossBar;
        if (r.m_calcLossWire && d <= r.m_wireDN)
            return r.m_lossWire;
        return 0.0;
    }
    double totalKg() const
    {
        double sum = 0.0;
        for (const auto& [size, a] : sizes)
            sum += a.kg;
        return sum;
    }
    double totalKgWithLoss(const CVes_SortRules& r) const
    {
        double sum = 0.0;
        for (const auto& [size, a] : sizes)
            sum += a.kg * (1.0 + lossPercent(r, size.d) * 0.01);
        return sum;
    }
    double totalBars() const
    {
        double sum = 0.0;
        for (const auto& [size, a] : sizes)
            sum += a.bars;
        return sum;
    }
    Size sizeOf(const QString& text) const
    {
        const auto found = byText.find(text.trimmed());
        EXPECT_NE(found, byText.end()) << "no size " << text.toStdString();
        return found == byText.end() ? Size{} : found->second;
    }
};

inline double number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    EXPECT_TRUE(ok) << "not a number: " << text.toStdString();
    return value;
}

// Lengths within a millimetre a bar and the printed rounding of each of the
// sheet's `printed` values; weights alike at the size's unit weight.
inline void expectMetres(const Reference& ref, const BySize& got, const char* sheet, double printed)
{
    for (const auto& [size, a] : ref.sizes) {
        const auto found = got.find(size);
        const double metres = found == got.end() ? 0.0 : found->second.metres;
        EXPECT_NEAR(metres, a.metres, a.bars * 0.001 + printed)
            << sheet << ": metres of " << size.grade << "/" << size.d << "/" << size.coating;
    }
    for (const auto& [size, a] : got)
        EXPECT_TRUE(ref.sizes.count(size)) << sheet << ": a size the list has not";
}

inline void expectKg(double got, double expected, double bars, double printed, const char* what)
{
    // 6.31 kg/m is the heaviest size: a millimetre a bar weighs at most that.
    EXPECT_NEAR(got, expected, bars * 0.001 * 6.31 + printed) << what;
}

inline void expectBars(const Reference& ref, const BySize& got, const char* sheet)
{
    for (const auto& [size, a] : ref.sizes) {
        const auto found = got.find(size);
        EXPECT_EQ(found == got.end() ? 0.0 : found->second.bars, a.bars)
            << sheet << ": bars of " << size.grade << "/" << size.d << "/" << size.coating;
    }
}

// Joints

// Joints by kind and by the diameters the size text names, in order.
using Joints = std::map<std::pair<int, std::vector<int>>, long long>;

inline int typeOfName(const QString& name)
{
    for (int type = 1; type <= 8; ++type) {
        if (barcore_getConnectString(type) == name || barcore_getConnectString2(type) == name)
            return type;
    }
    ADD_FAILURE() << "no joint kind " << name.toStdString();
    return 0;
}

inline std::pair<int, std::vector<int>> jointKey(int type, const QString& sizeText)
{
    std::vector<int> diameters;
    static const QRegularExpression digits(QStringLiteral("\\d+"));
    for (const auto& m : digits.globalMatch(sizeText))
        diameters.push_back(m.captured().toInt());
    std::sort(diameters.begin(), diameters.end());
    diameters.erase(std::unique(diameters.begin(), diameters.end()), diameters.end());
    return {type, diameters};
}

// "{直:25→20反, 3个} " or "直:25, 3个": a kind's short name, the size and the count.
inline void addJointText(Joints& joints, const QString& text)
{
    static const QRegularExpression entry(QStringLiteral("(\\S+?):(\\S+), (\\d+)个"));
    const auto m = entry.match(text);
    ASSERT_TRUE(m.hasMatch()) << text.toStdString();
    joints[jointKey(typeOfName(m.captured(1)), m.captured(2))] += m.captured(3).toLongLong();
}

inline Joints withoutLaps(Joints joints)
{
    std::erase_if(joints, [](const auto& j) { return j.first.first < 2; });
    return joints;
}

// The sheets

inline QStringList textsOf(CVes_TableBaseLine* line)
{
    auto* text = dynamic_cast<CVes_TableTextLine*>(line);
    return text ? text->getTexts() : QStringList();
}

// The rows of a summary after the row whose first text is `heading`, up to
// the first empty row or the end.
inline std::vector<QStringList> rowsAfter(const CVes_TableBase& sheet, const QString& heading)
{
    std::vector<QStringList> rows;
    bool in = false;
    for (CVes_TableBaseLine* line : sheet.lines()) {
        const QStringList texts = textsOf(line);
        if (in && (texts.isEmpty() || texts.join(QString()).isEmpty()))
            break;
        if (in)
            rows.push_back(texts);
        if (texts.value(0) == heading)
            in = true;
    }
    return rows;
}

inline QString rowWith(const CVes_TableBase& sheet, int column, const QString& caption, int valueColumn)
{
    for (CVes_TableBaseLine* line : sheet.lines()) {
        const QStringList texts = textsOf(line);
        if (texts.value(column) == caption)
            return texts.value(valueColumn);
    }
    return {};
}

// The total of a sheet's row whose first text is `caption`; a sheet of no
// bars has no such row, and its total is 0.
inline double totalIn(const CVes_TableBase& sheet, const QString& caption, int valueColumn)
{
    const QString text = rowWith(sheet, 0, caption, valueColumn);
    return text.isEmpty() ? 0.0 : number(text);
}

// Whether a bar of the list follows the same bar: one the tags may merge.
inline bool repeated(CVes_SetupTable& list)
{
    CVes_Steel* previous = nullptr;
    for (CVes_TableBaseLine* base : list.lines()) {
        auto* line = static_cast<CVes_SetupTableLine*>(base);
        CVes_Steel* bar = line->isSteelLine() ? &line->m_steel : nullptr;
        if (bar && previous && previous->isSame(*bar))
            return true;
        previous = bar;
    }
    return false;
}

// A source note "KL1-3(30根); 5(6根)" names as many bars as its row holds.
inline void expectNoteBars(const QString& note, double bars)
{
    static const QRegularExpression entry(QStringLiteral("\\((\\d+)根\\)"));
    double named = 0.0;
    for (const auto& m : entry.globalMatch(note))
        named += m.captured(1).toDouble();
    EXPECT_EQ(named, bars) << "source note " << note.toStdString();
}

// The bars and metres of the pieces a cutting list names: those of its
// patterns, as often as each is cut, and those it left out ("13.5×4\n(7)").
inline Amount cutPieces(const CVes_YouhuaDuanLiaoTable& table)
{
    Amount sum;
    for (CVes_TableBaseLine* line : table.lines()) {
        auto* row = static_cast<CVes_YouhuaDuanLiaoTableLine*>(line);
        for (const CVes_OptimizeUnit& piece : row->m_combine.pieces) {
            sum.bars += double(piece.count) * row->m_combine.useCount;
            sum.metres += piece.getTotalLen() * row->m_combine.useCount * 0.001;
        }
        if (!row->m_leftOut)
            continue;
        static const QRegularExpression piece(QStringLiteral("^([0-9.]+)×(\\d+)\n"));
        const auto m = piece.match(row->m_strArray.value(CVes_YouhuaDuanLiaoTable::kColPieces));
        EXPECT_TRUE(m.hasMatch()) << row->m_strArray.join(u'|').toStdString();
        sum.bars += m.captured(2).toDouble();
        sum.metres += m.captured(1).toDouble() * m.captured(2).toDouble();
    }
    return sum;
}

// The graded texts "5支/组\n共6组" and the like: bars a group first, then groups.
inline void expectGroupText(const QString& text, const QString& form, CVes_BarCore& bar, int groups,
                     const char* sheet)
{
    if (groups < 1)
        return;
    EXPECT_EQ(text, form.arg(bar.getMultiGroup()).arg(groups)) << sheet;
}

// The most bars a list whose cutting list is checked holds.
inline constexpr double kMostBarsToCut = 1e6;

// Every sheet of `list` agrees with what the list holds; `seen`, when
// given, counts the joint kinds the list's cover shows.
inline void expectSheetsAgree(CVes_SetupTable& list, std::map<std::string, int>* seen = nullptr)
{
    const CVes_SortRules& rules = list.getSortRules();
    const Reference ref(list);
    const double allBars = ref.totalBars();

    // The pages: each bar row's total count, length and weight, and the
    // page summary under them.
    BySize pageRows;
    BySize pageSums;
    Joints pageJoints;
    double pageKg = 0.0;
    int pageItems = 0;
    for (int page = 1; page <= list.getPages(); ++page) {
        list.setPageTo(page, 1);
        test::LaidOutPage laid(list, true);
        for (int r = 0; r < list.pageLines().size(); ++r) {
            auto* line = static_cast<CVes_SetupTableLine*>(list.pageLines()[r]);
            if (line->isNull() || !line->isSteelLine())
                continue;
            CVes_Steel& bar = line->m_steel;
            Amount& a = pageRows[{bar.grade, bar.DN, bar.steelType}];
            const QString count = laid.text(r + 1, CVes_SetupTable::kColTotalCount);
            if (bar.isMultiVal()) {
                static const QRegularExpression graded(QStringLiteral("(\\d+)支/组\\n共(\\d+)组"));
                const auto m = graded.match(count);
                ASSERT_TRUE(m.hasMatch()) << count.toStdString();
                EXPECT_EQ(m.captured(1).toInt(), bar.getMultiGroup()) << "bars a group, page";
                a.bars += m.captured(1).toDouble() * m.captured(2).toDouble();
            } else {
                a.bars += number(count);
            }
            a.metres += number(laid.text(r + 1, CVes_SetupTable::kColTotalLength));
            a.kg += number(laid.text(r + 1, CVes_SetupTable::kColTotalWeight));
        }
        const QString summary = list.AmountOfCurPage(1 << 20);
        static const QRegularExpression item(QStringLiteral("\\{([^：{}]+)：([0-9.]+)\\(([0-9.]+)\\) ?\\}"));
        for (const auto& m : item.globalMatch(summary)) {
            if (m.captured(1) == QStringLiteral("总计")) {
                pageKg += number(m.captured(2));
                continue;
            }
            Amount& a = pageSums[ref.sizeOf(m.captured(1))];
            a.metres += number(m.captured(3));
            a.kg += number(m.captured(2));
            ++pageItems;
        }
        const qsizetype joints = summary.indexOf(QStringLiteral("连接方式："));
        ASSERT_GE(joints, 0);
        static const QRegularExpression jointEntry(QStringLiteral("\\{([^{}]+)\\}"));
        for (const auto& m : jointEntry.globalMatch(summary.mid(joints)))
            addJointText(pageJoints, m.captured(1));
    }
    expectBars(ref, pageRows, "page rows");
    expectMetres(ref, pageRows, "page rows", 0.01 * allBars);
    expectMetres(ref, pageSums, "page summaries", 0.01 * pageItems);
    expectKg(pageKg, ref.totalKg(), allBars, 0.01 * list.getPages(), "page totals");

    // The cover: weights with the loss, the joints.
    QStringList coverWeights;
    QStringList coverJointTexts;
    list.AmountToString(coverWeights, coverJointTexts);
    ASSERT_FALSE(coverWeights.isEmpty());
    static const QRegularExpression coverTotal(QStringLiteral("^总重量(\\(含损耗\\))?: ([0-9.]+) kg$"));
    const auto total = coverTotal.match(coverWeights.last());
    ASSERT_TRUE(total.hasMatch()) << coverWeights.last().toStdString();
    expectKg(number(total.captured(2)), ref.totalKgWithLoss(rules), allBars, 0.01, "cover total");
    if (ref.totalKg() > 0.0)
        EXPECT_EQ(total.captured(1).isEmpty(),
                  std::abs(ref.totalKgWithLoss(rules) - ref.totalKg()) < 1e-9)
            << "the cover says whether it holds a loss";
    Joints coverJoints;
    for (const QString& text : coverJointTexts)
        addJointText(coverJoints, text);
    EXPECT_EQ(coverJoints, pageJoints) << "cover and pages";
    for (const auto& [key, count] : coverJoints) {
        if (seen)
                (*seen)["joint kind " + std::to_string(key.first)] += 1;
        if (seen)
                (*seen)["reducing coupler"] += key.second.size() > 1;
    }
    for (const QString& text : coverJointTexts)
        if (seen)
                (*seen)["reverse coupler"] += text.contains(QStringLiteral("反"));

    // The bar summary: metres and weights of the whole list, and the
    // total with the loss.
    {
        CVes_SLSumaryTable summary;
        list.SummarySTeel(&summary, 0);
        BySize sums;
        for (const QStringList& row : rowsAfter(summary, QStringLiteral("各规格合计"))) {
            const Size size = ref.sizeOf(row.value(2));
            Amount& a = sums[size];
            a.metres += number(row.value(3));
            // The rows show the loss when it is added in the subtotals.
            const double loss = rules.m_lossPlace == 1 ? ref.lossPercent(rules, size.d) : 0.0;
            a.kg += number(row.value(4)) / (1.0 + loss * 0.01);
        }
        expectMetres(ref, sums, "bar summary", 0.01 * double(sums.size()));
        double kg = 0.0;
        for (const auto& [size, a] : sums)
            kg += a.kg;
        expectKg(kg, ref.totalKg(), allBars, 0.001 * double(sums.size()), "bar summary rows");
        expectKg(totalIn(summary, QStringLiteral("总重"), 4),
                 ref.totalKgWithLoss(rules), allBars, 0.001 * double(sums.size()),
                 "bar summary total with loss");
    }

    // The joint summary: every joint the pages and the cover count.
    Joints summaryJoints;
    {
        CVes_SLSumaryJTtable joints;
        list.SummaryJT(&joints);
        for (const QStringList& row : rowsAfter(joints, QStringLiteral("各规格总计")))
            summaryJoints[jointKey(typeOfName(row.value(2)), row.value(3))] += row.value(4).toLongLong();
        EXPECT_EQ(summaryJoints, pageJoints) << "joint summary and pages";
    }

    // The purchase list: the metres with their loss, in whole stock bars
    // or coil, less than one stock bar more.
    {
        CVes_SteelJinHuoSumaryTable purchase;
        list.JinHuo(&purchase);
        double kg = 0.0;
        for (CVes_TableBaseLine* line : purchase.lines()) {
            const QStringList row = textsOf(line);
            if (row.size() < 7 || row.value(0).toInt() < 1)
                continue;
            const Size size = ref.sizeOf(row.value(1));
            const Amount& a = ref.sizes.at(size);
            const double wanted = a.metres * (1.0 + ref.lossPercent(rules, size.d) * 0.01);
            const double bought = number(row.value(2));
            // Stock is counted in whole bars, a hundredth of one let go; the
            // largest lists' metres are as exact as a double holds them.
            const double exact = wanted * 1e-12;
            EXPECT_GE(bought, wanted - 0.01 * 12.0 - a.bars * 0.001 - 0.01 - exact)
                << "purchase of " << size.d;
            EXPECT_LT(bought, wanted + 12.0 + 0.01 + exact) << "purchase of " << size.d;
            kg += number(row.value(5));
        }
        EXPECT_NEAR(totalIn(purchase, QStringLiteral("总重量"), 5), kg, 0.001 * 60);
    }

    // The sorted sheet: bars, metres and weights by size.
    {
        std::unique_ptr<CVes_SortBarSheet> sorted(list.SortSteel(nullptr, 0));
        BySize rows;
        BySize subtotals;
        bool inTotals = false;
        double totalKg = 0.0;
        for (CVes_TableBaseLine* line : sorted->lines()) {
            auto* row = static_cast<CVes_SortBarSheetLine*>(line);
            if (row->m_isString) {
                const QStringList& t = row->m_strArray;
                if (t.value(1) == QStringLiteral("合计")) {
                    inTotals = true;
                } else if (t.value(1) == QStringLiteral("总重")) {
                    totalKg = number(t.value(6));
                } else if (inTotals) {
                    Amount& a = subtotals[ref.sizeOf(t.value(1))];
                    a.metres += number(t.value(5));
                    a.kg += number(t.value(6));
                }
                continue;
            }
            CVes_BarCore& bar = row->m_steel;
            const CVes_SortBarSheet::BarTexts texts = sorted->barTexts(bar);
            Amount& a = rows[{bar.grade, bar.DN, bar.steelType}];
            const double bars = bar.isMultiVal() ? double(bar.getMultiGroup()) * bar.count : bar.count;
            if (bar.isMultiVal())
                expectGroupText(texts.count, QStringLiteral("%1根/组\n共%2组"), bar, bar.count, "sorted");
            a.bars += bars;
            a.metres += number(texts.totalLength);
            // The source note under the row or in its remark counts the
            // row's bars.
            const int next = sorted->lines().indexOf(line) + 1;
            auto* below = static_cast<CVes_SortBarSheetLine*>(sorted->lines().value(next));
            const QString note = bar.remark == QStringLiteral("多项归并") && below && below->m_isString
                ? below->m_strArray.value(1)
                : bar.remark;
            if (note.contains(QStringLiteral("根)"))) {
                expectNoteBars(note, bars);
                if (seen)
                    ++(*seen)["source notes"];
            }
        }
        expectBars(ref, rows, "sorted rows");
        expectMetres(ref, rows, "sorted rows", 0.01 * allBars);
        expectMetres(ref, subtotals, "sorted subtotals", 0.01 * double(subtotals.size()));
        expectKg(totalKg, ref.totalKg(), allBars,
                 0.01 * double(subtotals.size()), "sorted total");
    }

    // The processing sheet, its summary and the bar tags.
    {
        CVes_ProcessTable processing;
        processing.clearnAllLine();
        processing.import(list.transformProcess(0, 1));
        BySize rows;
        for (CVes_TableBaseLine* line : processing.lines()) {
            auto* row = dynamic_cast<CVes_ProcessTableEditLine*>(line);
            if (!row || row->isNull() || row->getType() != CVes_ProcessTableEditLine::kSteelRow)
                continue;
            CVes_ProcessSteel& bar = *row->getProcessSteel();
            Amount& a = rows[{bar.grade, bar.DN, bar.steelType}];
            if (bar.isMultiVal()) {
                expectGroupText(processtext::countText(bar), QStringLiteral("%1支/组\n共%2组"), bar,
                                bar.count, "processing sheet");
                a.bars += double(bar.getMultiGroup()) * bar.count;
            } else {
                a.bars += bar.count;
            }
        }
        expectBars(ref, rows, "processing sheet");

        processing.m_filter = CVes_ProcessListTable::kStirrups | CVes_ProcessListTable::kBent
            | CVes_ProcessListTable::kStraight;
        std::unique_ptr<CVes_ProcessListTable> summary(processing.toListSheet(nullptr));
        BySize blocks;
        double blockKg = 0.0;
        int blockItems = 0;
        int blockTotals = 0;
        QString grandTotal;
        for (CVes_TableBaseLine* line : summary->lines()) {
            auto* row = dynamic_cast<CVes_ProcessTableListLine*>(line);
            QStringList* texts = row ? row->getTextArray() : nullptr;
            if (!texts)
                continue;
            if (texts->value(0) == QStringLiteral("合计总重")) {
                grandTotal = texts->value(6);
            } else if (texts->value(0).endsWith(QStringLiteral("总重"))) {
                blockKg += number(texts->value(6));
                ++blockTotals;
            } else if (texts->size() >= 7 && texts->value(0).toInt() >= 1) {
                Amount& a = blocks[ref.sizeOf(texts->value(1))];
                a.metres += number(texts->value(5));
                ++blockItems;
            }
        }
        expectMetres(ref, blocks, "processing summary", 0.01 * blockItems);
        expectKg(blockKg, ref.totalKg(), allBars, 0.05 * blockItems, "processing summary total");
        // Two kinds or more end with the weight of them all.
        EXPECT_EQ(grandTotal.isEmpty(), blockTotals < 2);
        if (!grandTotal.isEmpty())
            expectKg(number(grandTotal), ref.totalKg(), allBars, 0.05, "processing grand total");
    }
    {
        std::unique_ptr<CVes_LiaoPaiTable> tags(list.toLiaoPaiTable(nullptr));
        double kg = 0.0;
        BySize counted;
        for (CVes_LiaoPaiTableLine& tag : tags->m_lpList) {
            const QStringList& t = tag.texts();
            if (t.size() < 11)
                continue;
            kg += number(t[10]);
            Amount& a = counted[{tag.grade(), tag.diameter(), tag.barType()}];
            if (tag.shape()->isMultiVal()) {
                // Bars a group, then the groups when there are any, as every
                // sheet words them.
                static const QRegularExpression grouped(QStringLiteral("^(\\d+)支/组\\n共(\\d+)组$"));
                const QRegularExpressionMatch m = grouped.match(t[7]);
                if (m.hasMatch()) {
                    EXPECT_EQ(m.captured(1).toInt(), tag.shape()->getMultiGroup()) << "bars a group, tag";
                    a.bars += m.captured(1).toDouble() * m.captured(2).toDouble();
                } else {
                    EXPECT_EQ(t[7].toInt(), tag.shape()->getMultiGroup()) << "bars a group, tag " << t[7].toStdString();
                }
            } else {
                a.bars += number(t[7]);
            }
        }
        expectBars(ref, counted, "bar tags");
        expectKg(kg, ref.totalKg(), allBars, 0.005 * double(tags->m_lpList.size()), "bar tags");
    }

    // The cutting list of every grade and diameter: the pieces it cuts
    // and those it names as left out are the size's bars. Checked on lists
    // of the bars a site cuts: on the largest lists a list can hold, the
    // optimiser's search runs for longer than a test may.
    if (allBars <= kMostBarsToCut) {
        CuttingJob job = list.prepareDuanLiao();
        for (const auto& [size, a] : ref.toCut) {
            job.choose(size.first, size.second, list.getYuanCaiLib());
            ASSERT_TRUE(job.cut());
            CVes_YouhuaDuanLiaoTable table;
            job.fill(table);
            const Amount cut = cutPieces(table);
            EXPECT_EQ(cut.bars, a.bars) << "cutting list of " << size.first << "/" << size.second;
            EXPECT_NEAR(cut.metres, a.metres, a.bars * 0.001)
                << "cutting list of " << size.first << "/" << size.second;
            if (seen)
                (*seen)["left out of the cutting"] += job.problems().isEmpty() ? 0 : 1;
        }
    }

    // The quantity sheet of the list, with the list's rules.
    {
        CVes_SLTable sheet;
        sheet.clearnAllLine();
        sheet.m_rules = rules;
        for (CVes_SLTableLine* row : list.transformSL(0))
            sheet.appendLine(row);
        sheet.refreshCurPage();
        BySize rows;
        int pieces = 1;
        for (CVes_TableBaseLine* line : sheet.lines()) {
            auto* row = static_cast<CVes_SLTableLine*>(line);
            if (row->isNull())
                continue;
            if (row->isEleRow()) {
                pieces = row->getEleNum();
                continue;
            }
            CVes_Steel* bar = row->getSLSteel();
            if (!bar)
                continue;
            const CVes_SLTable::BarTexts texts = sheet.barTexts(*bar, pieces, false);
            Amount& a = rows[{bar->grade, bar->DN, bar->steelType}];
            if (bar->isMultiVal()) {
                expectGroupText(texts.totalCount, QStringLiteral("%1支/组\n共%2组"), *bar,
                                bar->count * pieces, "quantity sheet");
                a.bars += double(bar->getMultiGroup()) * bar->count * pieces;
            } else {
                a.bars += double(bar->count) * pieces;
            }
            a.metres += texts.totalLength;
            a.kg += texts.weight;
        }
        expectBars(ref, rows, "quantity sheet");
        expectMetres(ref, rows, "quantity sheet", 0.0);

        CVes_SLSumaryTable summary;
        sheet.SummarySTeel(&summary);
        BySize sums;
        for (const QStringList& row : rowsAfter(summary, QStringLiteral("各规格合计")))
            sums[ref.sizeOf(row.value(2))].metres += number(row.value(3));
        expectMetres(ref, sums, "quantity summary", 0.01 * double(sums.size()));
        expectKg(totalIn(summary, QStringLiteral("总重"), 4), ref.totalKgWithLoss(rules),
                 allBars, 0.001 * double(sums.size()), "quantity summary total with loss");

        CVes_SLSumaryJTtable joints;
        sheet.SummaryJT(&joints);
        Joints quantityJoints;
        for (const QStringList& row : rowsAfter(joints, QStringLiteral("合计")))
            quantityJoints[jointKey(typeOfName(row.value(2)), row.value(3))] += row.value(4).toLongLong();
        EXPECT_EQ(quantityJoints, withoutLaps(summaryJoints)) << "quantity joints";
    }
}

} // namespace test::sheets
