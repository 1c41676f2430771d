// Cutting lengths of every default shape at its default values, computed
// the way a bar list computes them, under the settings a new data folder
// starts with (geometric bend deductions, dimensions outside the bar, no
// rounding of the length's end).

#include "core/model/modelrecord.h"
#include "core/model/modelrecordlib.h"
#include "core/model/steel.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct LengthRow {
    const char* key;
    float d;
    int grade;
    float shown;  // getLength: hooks in whole mm, each piece rounded
    float stored; // calculateLength: one piece, hooks as real numbers
};

std::ostream& operator<<(std::ostream& os, const LengthRow& r)
{
    return os << r.key << " d" << r.d << " grade " << r.grade;
}

// Worked out by hand. D is the bend's inner diameter (2.5d for grade 1, 4d
// for grades 2 and 3); a bend of the included angle A between two straight
// sides adds (d+D)/2·B·π/180 − 2·(D/2+d)·(tan(B/2) when A > 90), B = 180 − A;
// a hook of θ adds S + (D+d)·θ·π/360 − (D/2+d), S the straight length after
// it (3d at 180°; 12d at 90° and 5d at 135° for bars; 5d at 90° and 10d,
// at least 75 mm, at 135° for stirrups). Examples:
//   191-001 d20 grade 3: 1500 − 41.46 = 1458.54 → 1459
//   190-002 d12 grade 1: 3000 + 2·74 = 3148 shown, 3000 + 2·74.97 → 3150 stored
//   191-002 d16 grade 3: 1600 − 2·33.17 → 1534
//   191-005 d20 grade 3: 4130 − 4·10.44 → 4088
//   192-001 d8 grade 1: 1600 − 3·14.01 + 2·94 → 1746 shown, + 2·94.99 → 1748 stored
//   193-001 d8 grade 1: 300 + 2·94 = 488 shown, 300 + 2·94.99 → 490 stored
//   195-002 d25 grade 3: pieces 500 + 6000 − 51.83 → 6448 and 3000, 9448
const LengthRow kLengths[] = {
    {"190-001", 25, 3, 6000, 6000},
    {"190-002", 12, 1, 3148, 3150},
    {"190-003", 12, 1, 3074, 3075},
    {"190-004", 20, 3, 3516, 3517},
    {"190-005", 20, 3, 3258, 3259},
    {"190-006", 14, 3, 3230, 3231},
    {"190-007", 16, 3, 3126, 3126},
    {"191-001", 20, 3, 1459, 1459},
    {"191-002", 16, 3, 1534, 1534},
    {"191-003", 10, 3, 2259, 2259},
    {"191-004", 20, 3, 1717, 1717},
    {"191-005", 20, 3, 4088, 4088},
    {"191-006", 20, 3, 3044, 3044},
    {"191-007", 20, 3, 2522, 2522}, // the legs are 20d = 400
    {"191-008", 12, 1, 1353, 1354},
    {"191-009", 16, 3, 1492, 1492},
    {"191-010", 12, 3, 4057, 4057},
    {"192-001", 8, 1, 1746, 1748},
    {"192-002", 8, 1, 1460, 1462},
    {"192-003", 8, 1, 1644, 1646},
    {"192-004", 10, 3, 2094, 2096}, // arcs in line: no deduction
    {"192-005", 10, 1, 50897, 50897},
    {"192-006", 8, 1, 1160, 1162},
    {"193-001", 8, 1, 488, 490},
    {"193-002", 8, 1, 437, 439},
    {"193-003", 8, 1, 386, 388},
    {"194-001", 10, 3, 1617, 1617},
    {"194-002", 12, 3, 750, 750},
    {"194-003", 10, 3, 2316, 2316},
    {"195-001", 25, 3, 9000, 9000},
    {"195-002", 25, 3, 9448, 9448},
    {"195-003", 22, 3, 6000, 6000},
};

class DefaultLength : public ::testing::TestWithParam<LengthRow> {};

TEST_P(DefaultLength, ShownAndStoredLengthsMatchTheHandComputedOnes)
{
    const LengthRow& row = GetParam();
    CVes_Steel bar;
    bar.setRecordId(CSteelRecordId::setId(QLatin1String(row.key)));
    ASSERT_NE(bar.getRecord(), nullptr);
    ASSERT_GT(bar.getRecord()->getSideArraySize(), 0) << "the shape is missing";
    bar.setSteel(row.grade, row.d, 0);
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), row.shown);
    EXPECT_FLOAT_EQ(bar.calculateLength(0, 1.0), row.stored);
}

INSTANTIATE_TEST_SUITE_P(Library, DefaultLength, ::testing::ValuesIn(kLengths),
                         [](const auto& info) {
                             std::string name = info.param.key;
                             name.erase(std::remove(name.begin(), name.end(), '-'), name.end());
                             return "K" + name;
                         });

TEST(DefaultLengthTable, CoversEveryShapeOfTheLibrary)
{
    std::set<QString> tabled;
    for (const LengthRow& r : kLengths)
        tabled.insert(QLatin1String(r.key));
    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(QString(), 1), 1);
    std::set<QString> stored;
    for (const auto& sub : lib.getSyslibArray())
        for (const auto& r : sub->getModelArray())
            stored.insert(r->getID().ToString());
    EXPECT_EQ(stored, tabled);
}

} // namespace
