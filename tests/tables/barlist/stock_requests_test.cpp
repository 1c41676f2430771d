// The raw-stock and summary-settings commands of the bar list and the
// quantity sheet: each asks its dialog on the table's own stock and rules,
// and only OK marks the table changed (and its sorted and cut sheets stale).
// The user is played by scripted answers, so no dialog comes up.

#include "tables/barlist/setuptable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/rulessheet.h"
#include "tables/quantity/stockrequests.h"

#include "tests/support/recordinghost.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <ostream>

namespace {

struct StockCommand {
    const char* name;
    std::function<std::unique_ptr<CVes_TableBase>()> make;
    std::function<void(CVes_TableBase&)> run;
    bool sumSettings; // else the raw stock
};

void PrintTo(const StockCommand& c, std::ostream* out)
{
    *out << c.name;
}

template <typename Table>
StockCommand command(const char* name, void (Table::*member)(), bool sumSettings)
{
    return {name, [] { return std::unique_ptr<CVes_TableBase>(new Table); },
            [member](CVes_TableBase& t) { (static_cast<Table&>(t).*member)(); }, sumSettings};
}

class StockRequests : public ::testing::TestWithParam<std::tuple<StockCommand, bool>> {
protected:
    test::HostScope host;
};

TEST_P(StockRequests, AskOnTheTablesOwnStockAndMarkItOnlyOnOk)
{
    const auto& [command, ok] = GetParam();
    std::unique_ptr<CVes_TableBase> t = command.make();
    t->setModified(0);
    t->setSortSteel(0);
    t->setYouhuaSteel(0);
    const CVes_SteelYuanCaiDataLib* stock = nullptr;
    const CVes_SortRules* rules = nullptr;
    int asked = 0;
    if (command.sumSettings)
        host->answerDialog<SumSettingsRequest>([&, ok = ok](SumSettingsRequest& r) {
            ++asked;
            stock = &r.stock;
            rules = &r.rules;
            return ok;
        });
    else
        host->answerDialog<RawStockRequest>([&, ok = ok](RawStockRequest& r) {
            ++asked;
            stock = &r.stock;
            return ok;
        });
    command.run(*t);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(host->askedDialogs().size(), 1u);
    EXPECT_EQ(stock, &t->getYuanCaiLib());
    if (command.sumSettings) {
        EXPECT_EQ(rules, &dynamic_cast<RulesSheet&>(*t).getSortRules());
    }
    EXPECT_EQ(t->isModified(), ok ? 1 : 0);
    EXPECT_EQ(t->isCanSortSteel(), ok ? 1 : 0);
    EXPECT_EQ(t->isCanYouhuaSteel(), ok ? 1 : 0);
    EXPECT_FALSE(t->CanUndo()) << "no undo step";
}

INSTANTIATE_TEST_SUITE_P(
    Commands, StockRequests,
    ::testing::Combine(::testing::Values(command("barListStock", &CVes_SetupTable::setYuanCai, false),
                                         command("barListSummary", &CVes_SetupTable::setSumray, true),
                                         command("quantitySummary", &CVes_SLTable::setSumray, true)),
                       ::testing::Bool()),
    [](const auto& info) {
        return std::string(std::get<0>(info.param).name) + (std::get<1>(info.param) ? "Ok" : "Cancel");
    });

} // namespace
