// A change made in a settings dialog reaches the bar lengths at once: the
// same bar, asked again after OK, gives the length that the changed rule
// gives when set directly.

#include "core/model/barcore.h"
#include "envora/ui/rulesdialogs.h"
#include "tests/core/model/barcore_shapes.h"

#include <QComboBox>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

using envora::BarFamily;
using Rules = std::function<void(envora::Settings&)>;

struct LengthDialogCase {
    const char* name;
    Rules preset;  // rules in force before the dialog opens
    std::function<std::unique_ptr<envora::SettingsDialog>()> open;
    std::function<void(envora::SettingsDialog&)> edit;
    Rules same;  // the dialog's edit, set directly
};

std::ostream& operator<<(std::ostream& os, const LengthDialogCase& c)
{
    return os << c.name;
}

template <typename Dialog>
Dialog& as(envora::SettingsDialog& d)
{
    return static_cast<Dialog&>(d);
}

void setCell(QTableWidget* table, int row, int column, const QString& text)
{
    table->item(row, column)->setText(text);
}

void noPreset(envora::Settings&) {}
void byGradeTables(envora::Settings& s) { s.steel.adjustType = 1; }

const LengthDialogCase kCases[] = {
    {"DataEnd", noPreset, [] { return std::make_unique<envora::DataEndDialog>(); },
     [](envora::SettingsDialog& d) {
         as<envora::DataEndDialog>(d).rounding(BarFamily::Steel)->setCurrentIndex(envora::dataend::kUp10);
     },
     [](envora::Settings& s) { s.steel.dataEnd = envora::dataend::kUp10; }},
    {"CalcType", noPreset, [] { return std::make_unique<envora::CalcTypeDialog>(); },
     [](envora::SettingsDialog& d) { as<envora::CalcTypeDialog>(d).calcType(BarFamily::Steel)->setCurrentIndex(2); },
     [](envora::Settings& s) { s.steel.calcType = 2; }},
    {"BendDiameter", noPreset, [] { return std::make_unique<envora::BendDiameterDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendDiameterDialog>(d).diameters(), 2, 0, "8"); },
     [](envora::Settings& s) { s.steel.bendDiameter[2][0] = 8; }},
    {"BendAdjust", byGradeTables, [] { return std::make_unique<envora::BendAdjustDialog>(BarFamily::Steel); },
     [](envora::SettingsDialog& d) { setCell(as<envora::BendAdjustDialog>(d).bendsByGrade(), 2, 3, "-3.5"); },
     [](envora::Settings& s) { s.steel.bendAdjust[2][3] = -3.5; }},
};

class SettingsDialogLengths : public ::testing::TestWithParam<LengthDialogCase> {
protected:
    // A 1000 + 500 bar bent at 90°, 12 mm of grade 3.
    void prepare(CVes_BarCore& bar)
    {
        const CVes_ModelRecord* record = scope.add(test::ShapeBuilder({150, 3})
                                                       .var("L1", 1003)
                                                       .var("L2", 500)
                                                       .from({250, 60})
                                                       .straight({250, 220}, "0", "L1")
                                                       .straight({1250, 220}, "90", "L2")
                                                       .build());
        bar.setRecordId(record->getID());
        bar.setSteel(3, 12.0f, 0);
    }

    test::CacheScope scope;
};

TEST_P(SettingsDialogLengths, TheSameBarSeesTheChangeAtOnce)
{
    const LengthDialogCase& c = GetParam();
    test::CacheScope::resetRules([&c](envora::Settings& s) {
        c.preset(s);
        c.same(s);
    });
    CVes_BarCore oracle;
    prepare(oracle);
    const float expected = oracle.getLength(0, 1.0);

    test::CacheScope::resetRules(c.preset);
    CVes_BarCore bar;
    prepare(bar);
    const float before = bar.getLength(0, 1.0);
    ASSERT_NE(before, expected) << "the edit must change the length";

    std::unique_ptr<envora::SettingsDialog> dialog = c.open();
    dialog->show();
    c.edit(*dialog);
    dialog->accept();
    ASSERT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), expected);
}

INSTANTIATE_TEST_SUITE_P(EachRule, SettingsDialogLengths, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
