// A table's change count: what changes the table's contents moves it (the
// sheets made from the table are made again then), and what only looks at
// the table or moves about it leaves it, so a sheet made from an unchanged
// table is kept.

#include "tables/barlist/setuptable.h"
#include "tests/support/datafolder.h"
#include "tests/tables/barlist/barlist_pages.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

struct CountCase {
    const char* name;
    bool moves;
    std::function<void(CVes_SetupTable&, const QString& folder)> act;
    // Done before the count is taken.
    std::function<void(CVes_SetupTable&)> prepare = {};
};

const CountCase kCases[] = {
    {"ChangedFlagSet", true, [](CVes_SetupTable& t, const QString&) { t.setModified(1); }},
    {"UndoStepRecorded", true, [](CVes_SetupTable& t, const QString&) { t.AddUndo(); }},
    {"Undo", true, [](CVes_SetupTable& t, const QString&) { t.Undo(); },
     [](CVes_SetupTable& t) {
         t.getSteel(2)->count = 40;
         t.AddUndo();
     }},
    {"Redo", true, [](CVes_SetupTable& t, const QString&) { t.Redo(); },
     [](CVes_SetupTable& t) {
         t.getSteel(2)->count = 40;
         t.AddUndo();
         t.Undo();
     }},
    {"RowAppended", true,
     [](CVes_SetupTable& t, const QString&) { t.appendLine(new CVes_SetupTableLine); }},
    {"EveryRowCleared", true, [](CVes_SetupTable& t, const QString&) { t.clearnAllLineOnly(); }},
    {"FileRead", true,
     [](CVes_SetupTable& t, const QString& folder) {
         const QString file = folder + QStringLiteral("/read.pld");
         ASSERT_EQ(t.SaveFile(file), 1);
         ASSERT_EQ(t.OpenFile(file), 1);
     }},
    {"PagesTurned", false,
     [](CVes_SetupTable& t, const QString&) {
         t.setPageTo(2, 1);
         t.firstPage();
         t.nextPage();
     }},
    {"RowsSelected", false,
     [](CVes_SetupTable& t, const QString&) {
         t.AddSelect(2, 0);
         t.setCurCol(CVes_SetupTable::kColCount);
         t.clearSelect();
     }},
    {"Saved", false,
     [](CVes_SetupTable& t, const QString& folder) {
         ASSERT_EQ(t.SaveFile(folder + QStringLiteral("/saved.pld")), 1);
     }},
    {"ChangedFlagCleared", false, [](CVes_SetupTable& t, const QString&) { t.setModified(0); }},
    {"SettingsRead", false, [](CVes_SetupTable& t, const QString&) { (void)t.derivedSettings(); }},
};

class ChangeCount : public ::testing::TestWithParam<CountCase> {};

TEST_P(ChangeCount, MovesOnlyWithAChangeOfTheContents)
{
    const test::FreshDataFolder data;
    QTemporaryDir dir;
    CVes_SetupTable table;
    test::fillDemoList(table);
    table.setPageTo(1, 1);
    table.AddUndo();
    const CountCase& c = GetParam();
    if (c.prepare)
        c.prepare(table);
    const std::uint64_t before = table.changeCount();
    c.act(table, dir.path());
    if (c.moves) {
        EXPECT_GT(table.changeCount(), before);
    } else {
        EXPECT_EQ(table.changeCount(), before);
    }
}

INSTANTIATE_TEST_SUITE_P(Acts, ChangeCount, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DerivedSettings, FollowWhatTheSheetsReadBesidesTheRows)
{
    const test::FreshDataFolder data;
    CVes_SetupTable table;
    test::fillDemoList(table);
    const QByteArray settings = table.derivedSettings();
    ASSERT_FALSE(settings.isEmpty());
    EXPECT_EQ(table.derivedSettings(), settings) << "reading them changes nothing";
    EXPECT_EQ(table.lines().size(), 33) << "the rows are back";

    // A row's change is the change count's to see, not the settings'.
    table.setPageTo(1, 1);
    table.getSteel(2)->count = 99;
    EXPECT_EQ(table.derivedSettings(), settings);
    // Nor does a drawing that places and sizes the title texts anew.
    table.m_texts[2].m_position.set(1485, 150);
    table.m_texts[0].m_position.set(400, 659);
    table.m_texts[0].m_height = 23;
    EXPECT_EQ(table.derivedSettings(), settings);
    EXPECT_EQ(table.m_texts[2].m_position.ToPoint(), QPoint(1485, 150)) << "the places are back";
    EXPECT_EQ(table.m_texts[0].m_height, 23);

    const std::function<void(CVes_SetupTable&)> changes[] = {
        // The summaries' order of sizes turned round.
        [](CVes_SetupTable& t) { t.getSortOrder() == 0 ? t.sortDown() : t.sortUp(); },
        [](CVes_SetupTable& t) { t.setJinHuoText(2, QStringLiteral("城建公司")); },
        [](CVes_SetupTable& t) { t.m_texts[2].m_formula = QStringLiteral("滨江花园4号楼"); },
        [](CVes_SetupTable& t) { t.getHuizongRules().m_mode = CVes_HuizongRules::kBarNumberKey; },
        [](CVes_SetupTable& t) { t.getHuizongRules().m_key = QStringLiteral("1"); },
        [](CVes_SetupTable& t) { t.setLiaoPaiGuibing(1); },
        [](CVes_SetupTable& t) { t.setLiaoPaiDirect(1); },
        [](CVes_SetupTable& t) {
            CVes_SteelYuanCaiData stock;
            stock.DN = 20.0f;
            stock.grade = 3;
            stock.length = 9000;
            t.getYuanCaiLib().append(stock);
        },
    };
    QByteArray last = settings;
    for (std::size_t i = 0; i < std::size(changes); ++i) {
        changes[i](table);
        const QByteArray now = table.derivedSettings();
        EXPECT_NE(now, last) << "change " << i;
        last = now;
    }
}

} // namespace
