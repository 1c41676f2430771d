// Every sheet made from one bar list tells the same quantities: a few
// hundred lists made up from a seed (every default shape, grades 1 to 4,
// coil and stock bar sizes, epoxy-coated bars, graded bars, bar groups,
// lap, weld and coupler joints at the ends and along the bars with counts
// worked out or typed, the reverse-thread coupler rule on and off, several
// elements and pieces, equal bars merged within an element and tags split
// by piece or not) are turned into the bar list's pages and cover, the bar
// summary, the joint summary, the purchase list, the sorted sheet with its
// source notes, the processing sheet and its summary, the bar tags, the
// cutting list of every size, and the quantity sheet with its summaries.
// Their lengths, counts and weights by grade and diameter, their joints by
// kind and size and the texts of graded bars (rising or falling) must
// agree. A disagreement names the list's seed.
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
#include <random>
#include <vector>

namespace {

constexpr int kShards = 10;
constexpr int kListsPerShard = 30;

// Published unit weights of the sizes the lists use, kg/m.
const std::map<float, double> kUnitWeight = {
    {6.0f, 0.222}, {6.5f, 0.260}, {8.0f, 0.395},  {10.0f, 0.617}, {12.0f, 0.888},
    {14.0f, 1.21}, {16.0f, 1.58}, {18.0f, 2.00},  {20.0f, 2.47},  {22.0f, 2.98},
    {25.0f, 3.85}, {28.0f, 4.83}, {32.0f, 6.31},
};

// The lists

struct DefaultShape {
    CSteelRecordId id;
    std::vector<std::pair<QString, double>> lengths; // the dimensions in mm
    std::vector<std::pair<QString, double>> others;  // angles and whole numbers
};

// Every shape of the default libraries with the dimensions the user gives.
const std::vector<DefaultShape>& defaultShapes()
{
    static const std::vector<DefaultShape> shapes = [] {
        std::vector<DefaultShape> all;
        for (int library = 190; library <= 195; ++library) {
            for (int number = 1;; ++number) {
                const CSteelRecordId id(library, number);
                const CVes_ModelRecord* record = getUseModelRecord(id);
                if (!record || isPlaceholderRecord(*record))
                    break;
                DefaultShape shape{id, {}, {}};
                for (const auto& v : record->m_arrVar) {
                    if (v->m_type == CVes_Variable::kGiven && v->m_unit == CVes_Variable::kPlain)
                        shape.lengths.emplace_back(v->m_text, v->m_value);
                    else if (v->m_type == CVes_Variable::kGiven
                             || v->m_type == CVes_Variable::kWholeNumber)
                        shape.others.emplace_back(v->m_text, v->m_value);
                }
                all.push_back(shape);
            }
        }
        return all;
    }();
    return shapes;
}

// The list of a seed; the program's stock file gets a record for each size,
// coil for some, stock bars of 9 or 12 m for the others.
class RandomList {
public:
    explicit RandomList(unsigned seed) : m_rng(seed) {}

    void fill(CVes_SetupTable& list)
    {
        list.clearnAllLine();
        list.m_rowNum = 12;
        list.m_sumWeight = list.m_sumLength = list.m_sumJoint = 1;
        list.m_summaryRowHeight = 1;
        list.setDefaultEleNum(1 + below(3));
        fillRules(list.getSortRules());
        list.setLiaoPaiGuibing(below(2));
        list.setLiaoPaiEleChaifen(below(2));
        CVes_SteelYuanCaiDataLib stock;
        for (const auto& [d, weight] : kUnitWeight) {
            for (int grade = 1; grade <= 4; ++grade) {
                for (int coating = 0; coating <= 1; ++coating) {
                    CVes_SteelYuanCaiData record;
                    record.DN = d;
                    record.grade = grade;
                    record.steelType = coating;
                    record.length = d <= 10.0f && below(2) ? -1 : (below(2) ? 9000 : 12000);
                    record.price = below(4) ? float(3000 + 100 * below(20)) : 0.0f;
                    stock.append(record);
                }
            }
        }
        stock.writeFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));

        // Some bars before the first element take the list's default pieces.
        for (int i = below(3); i > 0; --i)
            list.Add(bar());
        for (int e = 1 + below(4); e > 0; --e) {
            test::addElement(list, QStringLiteral("KL%1").arg(e).toUtf8().constData(), 1 + below(4));
            for (int i = 2 + below(8); i > 0; --i) {
                const CVes_Steel made = bar();
                list.Add(made);
                // The same bar again under another number: one to merge.
                if (oneIn(4))
                    list.Add(again(made));
            }
        }
        list.refreshCurPage();
    }

private:
    int below(int n) { return int(m_rng() % unsigned(n)); }
    bool oneIn(int n) { return below(n) == 0; }

    void fillRules(CVes_SortRules& r)
    {
        r.m_autoMidConnect = below(2);
        r.m_reverseSleeve = below(2);
        r.m_calcLossBar = below(2);
        r.m_calcLossWire = below(2);
        r.m_lossBar = 1.0 + below(4);
        r.m_lossWire = 1.0 + below(4);
        r.m_wireDN = below(2) ? 10.0f : 12.0f;
        r.m_lossPlace = below(2);
        r.m_dnOrder = below(2);
        r.m_mergeSame = below(2);
        r.m_sumInEleType = below(2);
        r.m_autoPrice = below(2);
    }

    float size()
    {
        auto it = kUnitWeight.begin();
        std::advance(it, below(int(kUnitWeight.size())));
        return it->first;
    }

    CVes_Connect connection(float d)
    {
        CVes_Connect c;
        c.type = 1 + below(8);
        c.flag = oneIn(6) ? 0 : 1;
        c.direction = below(2);
        c.farDirection = below(2);
        c.farDN = below(2) ? d : size();
        return c;
    }

    CVes_Steel bar()
    {
        const auto& shapes = defaultShapes();
        const DefaultShape& shape = shapes[std::size_t(below(int(shapes.size())))];
        CVes_Steel b;
        b.setRecordId(shape.id);
        b.setDN(size());
        b.grade = 1 + below(4);
        b.steelType = oneIn(6) ? 1 : 0;
        b.count = 1 + below(6);
        b.number = QString::number(++m_number);
        for (const auto& [name, value] : shape.lengths)
            b.setVarValue(name, std::round(value * (0.5 + below(20) * 0.1) / 10.0) * 10.0);
        for (const auto& [name, value] : shape.others)
            b.setVarValue(name, value);
        if (!shape.lengths.empty() && !b.isSteelGroup() && oneIn(5)) {
            // A graded bar: its first dimension grows or falls group by group.
            const auto& [name, value] = shape.lengths.front();
            b.setMultiVal(1);
            b.setMultiGroup(2 + below(5));
            const double low = b.getVarValue(name);
            const double high = low + (1 + below(8)) * 50.0 * (b.getMultiGroup() - 1);
            if (oneIn(2)) {
                b.setVarValue(name, high);
                b.setVarValueE(name, low);
            } else {
                b.setVarValueE(name, high);
            }
        } else if (oneIn(6)) {
            b.calcLength = 0;
            b.length = float(1000 + 250 * below(100));
        }
        if (oneIn(3)) {
            const CVes_Connect c = connection(b.DN);
            b.setLConnect(&c);
        }
        if (oneIn(3)) {
            const CVes_Connect c = connection(b.DN);
            b.setRConnect(&c);
        }
        CVes_MidConnect* mid = b.getFirstMidConnect();
        mid->style = below(9);
        mid->stat = below(3) ? 1 : 0;
        mid->fixedLength = below(2) ? 9000 : 12000;
        mid->autoCount = below(2);
        mid->countText = QString::number(below(4));
        mid->valueC = below(2);
        return b;
    }

    CVes_Steel again(const CVes_Steel& made)
    {
        CVes_Steel b(made);
        b.count = 1 + below(6);
        b.number = QString::number(++m_number);
        return b;
    }

    std::mt19937 m_rng;
    int m_number = 0;
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

double number(const QString& text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    EXPECT_TRUE(ok) << "not a number: " << text.toStdString();
    return value;
}

// Lengths within a millimetre a bar and the printed rounding of each of the
// sheet's `printed` values; weights alike at the size's unit weight.
void expectMetres(const Reference& ref, const BySize& got, const char* sheet, double printed)
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

void expectKg(double got, double expected, double bars, double printed, const char* what)
{
    // 6.31 kg/m is the heaviest size: a millimetre a bar weighs at most that.
    EXPECT_NEAR(got, expected, bars * 0.001 * 6.31 + printed) << what;
}

void expectBars(const Reference& ref, const BySize& got, const char* sheet)
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

int typeOfName(const QString& name)
{
    for (int type = 1; type <= 8; ++type) {
        if (barcore_getConnectString(type) == name || barcore_getConnectString2(type) == name)
            return type;
    }
    ADD_FAILURE() << "no joint kind " << name.toStdString();
    return 0;
}

std::pair<int, std::vector<int>> jointKey(int type, const QString& sizeText)
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
void addJointText(Joints& joints, const QString& text)
{
    static const QRegularExpression entry(QStringLiteral("(\\S+?):(\\S+), (\\d+)个"));
    const auto m = entry.match(text);
    ASSERT_TRUE(m.hasMatch()) << text.toStdString();
    joints[jointKey(typeOfName(m.captured(1)), m.captured(2))] += m.captured(3).toLongLong();
}

Joints withoutLaps(Joints joints)
{
    std::erase_if(joints, [](const auto& j) { return j.first.first < 2; });
    return joints;
}

// The sheets

QStringList textsOf(CVes_TableBaseLine* line)
{
    auto* text = dynamic_cast<CVes_TableTextLine*>(line);
    return text ? text->getTexts() : QStringList();
}

// The rows of a summary after the row whose first text is `heading`, up to
// the first empty row or the end.
std::vector<QStringList> rowsAfter(const CVes_TableBase& sheet, const QString& heading)
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

QString rowWith(const CVes_TableBase& sheet, int column, const QString& caption, int valueColumn)
{
    for (CVes_TableBaseLine* line : sheet.lines()) {
        const QStringList texts = textsOf(line);
        if (texts.value(column) == caption)
            return texts.value(valueColumn);
    }
    return {};
}

// Whether a bar of the list follows the same bar: one the tags may merge.
bool repeated(CVes_SetupTable& list)
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
void expectNoteBars(const QString& note, double bars)
{
    static const QRegularExpression entry(QStringLiteral("\\((\\d+)根\\)"));
    double named = 0.0;
    for (const auto& m : entry.globalMatch(note))
        named += m.captured(1).toDouble();
    EXPECT_EQ(named, bars) << "source note " << note.toStdString();
}

// The graded texts "5支/组\n共6组" and the like: bars a group first, then groups.
void expectGroupText(const QString& text, const QString& form, CVes_BarCore& bar, int groups,
                     const char* sheet)
{
    if (groups < 1)
        return;
    EXPECT_EQ(text, form.arg(bar.getMultiGroup()).arg(groups)) << sheet;
}

// The bars and metres of the pieces a cutting list names: those of its
// patterns, as often as each is cut, and those it left out ("13.5×4\n(7)").
Amount cutPieces(const CVes_YouhuaDuanLiaoTable& table)
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

class SheetsAgree : public testing::TestWithParam<int> {};

TEST_P(SheetsAgree, OnEveryList)
{
    const int shard = GetParam();
    // What the shard's lists held, so that the lists keep covering it.
    std::map<std::string, int> seen;
    for (int n = 0; n < kListsPerShard; ++n) {
        const unsigned seed = unsigned(shard * kListsPerShard + n + 1);
        SCOPED_TRACE(QStringLiteral("the list of seed %1").arg(seed).toStdString());
        CVes_SetupTable list;
        RandomList(seed).fill(list);
        const CVes_SortRules& rules = list.getSortRules();
        const Reference ref(list);
        const double allBars = ref.totalBars();
        seen["tags merged"] += list.getLiaoPaiGuibing() && repeated(list);
        seen["tags split"] += list.getLiaoPaiEleChaifen();
        for (CVes_TableBaseLine* base : list.lines()) {
            auto* line = static_cast<CVes_SetupTableLine*>(base);
            if (line->isNull() || !line->isSteelLine())
                continue;
            CVes_Steel& bar = line->m_steel;
            seen["graded"] += bar.isMultiVal();
            seen["falling graded"] += bar.isMultiVal() && bar.getLength(1, 1.0) < bar.getLength(0, 1.0);
            seen["bar group"] += bar.isSteelGroup() || bar.getRecordId().m_mainId == 109;
            seen["epoxy"] += bar.steelType == 1;
            seen["typed length"] += bar.calcLength == 0;
            seen["stirrup"] += bar.isGuJin();
        }

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
        EXPECT_EQ(total.captured(1).isEmpty(),
                  std::abs(ref.totalKgWithLoss(rules) - ref.totalKg()) < 1e-9)
            << "the cover says whether it holds a loss";
        Joints coverJoints;
        for (const QString& text : coverJointTexts)
            addJointText(coverJoints, text);
        EXPECT_EQ(coverJoints, pageJoints) << "cover and pages";
        for (const auto& [key, count] : coverJoints) {
            seen["joint kind " + std::to_string(key.first)] += 1;
            seen["reducing coupler"] += key.second.size() > 1;
        }
        for (const QString& text : coverJointTexts)
            seen["reverse coupler"] += text.contains(QStringLiteral("反"));

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
            expectKg(number(rowWith(summary, 0, QStringLiteral("总重"), 4)),
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
                // Stock is counted in whole bars, a hundredth of one let go.
                EXPECT_GE(bought, wanted - 0.01 * 12.0 - a.bars * 0.001 - 0.01)
                    << "purchase of " << size.d;
                EXPECT_LT(bought, wanted + 12.0 + 0.01) << "purchase of " << size.d;
                kg += number(row.value(5));
            }
            EXPECT_NEAR(number(rowWith(purchase, 0, QStringLiteral("总重量"), 5)), kg, 0.001 * 60);
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
                    ++seen["source notes"];
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
                    // Bars a group, then groups, as every sheet words them.
                    static const QRegularExpression grouped(QStringLiteral("^(\\d+)支/组\\n共(\\d+)组$"));
                    const QRegularExpressionMatch m = grouped.match(t[7]);
                    ASSERT_TRUE(m.hasMatch()) << t[7].toStdString();
                    EXPECT_EQ(m.captured(1).toInt(), tag.shape()->getMultiGroup()) << "bars a group, tag";
                    a.bars += m.captured(1).toDouble() * m.captured(2).toDouble();
                } else {
                    a.bars += number(t[7]);
                }
            }
            expectBars(ref, counted, "bar tags");
            expectKg(kg, ref.totalKg(), allBars, 0.005 * double(tags->m_lpList.size()), "bar tags");
        }

        // The cutting list of every grade and diameter: the pieces it cuts
        // and those it names as left out are the size's bars.
        {
            std::map<std::pair<int, float>, Amount> bySize;
            for (const auto& [size, a] : ref.sizes) {
                Amount& sum = bySize[{size.grade, size.d}];
                sum.bars += a.bars;
                sum.metres += a.metres;
            }
            CuttingJob job = list.prepareDuanLiao();
            for (const auto& [size, a] : bySize) {
                job.choose(size.first, size.second, list.getYuanCaiLib());
                ASSERT_TRUE(job.cut());
                CVes_YouhuaDuanLiaoTable table;
                job.fill(table);
                const Amount cut = cutPieces(table);
                EXPECT_EQ(cut.bars, a.bars) << "cutting list of " << size.first << "/" << size.second;
                EXPECT_NEAR(cut.metres, a.metres, a.bars * 0.001)
                    << "cutting list of " << size.first << "/" << size.second;
                seen["left out of the cutting"] += job.problems().isEmpty() ? 0 : 1;
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
            expectKg(number(rowWith(summary, 0, QStringLiteral("总重"), 4)), ref.totalKgWithLoss(rules),
                     allBars, 0.001 * double(sums.size()), "quantity summary total with loss");

            CVes_SLSumaryJTtable joints;
            sheet.SummaryJT(&joints);
            Joints quantityJoints;
            for (const QStringList& row : rowsAfter(joints, QStringLiteral("合计")))
                quantityJoints[jointKey(typeOfName(row.value(2)), row.value(3))] += row.value(4).toLongLong();
            EXPECT_EQ(quantityJoints, withoutLaps(summaryJoints)) << "quantity joints";
        }
        if (testing::Test::HasFailure())
            return;
    }
    for (const char* what : {"graded", "falling graded", "bar group", "epoxy", "typed length",
                             "stirrup", "reducing coupler", "reverse coupler", "tags merged",
                             "tags split", "source notes", "left out of the cutting"})
        EXPECT_GT(seen[what], 0) << what;
    for (int type = 1; type <= 8; ++type)
        EXPECT_GT(seen["joint kind " + std::to_string(type)], 0) << "joint kind " << type;
}

INSTANTIATE_TEST_SUITE_P(Lists, SheetsAgree, testing::Range(0, kShards));

} // namespace
