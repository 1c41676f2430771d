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

#include "tests/tables/barlist/sheetsagree.h"

#include <random>

namespace {

using namespace test::sheets;

constexpr int kShards = 10;
constexpr int kListsPerShard = 30;

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
        expectSheetsAgree(list, &seen);
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
