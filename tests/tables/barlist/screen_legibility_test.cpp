// A bar list shown on a screen at the zoom a sheet opens with (the whole page
// in the window): a shape's dimension values read as large as the sheet's
// own texts there, 8 pixels of a 96-dpi screen, where the cell leaves them
// room; they once came out 4 pixels high ("2950" read "2050"). The title
// block's texts read at that size too.

#include "drawn_records.h"
#include "every_sheet.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;

struct ScreenTextCase {
    const char* text;
};

void PrintTo(const ScreenTextCase& c, std::ostream* os) { *os << c.text; }

class ScreenLegibility : public ::testing::TestWithParam<ScreenTextCase> {};

TEST_P(ScreenLegibility, AtLeastEightPixels)
{
    CVes_SetupTable list;
    list.clearnAllLine();
    list.m_texts[5].m_formula = QStringLiteral("张工");
    auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    element->setNull(0);
    element->setElement(QStringLiteral("KL1"));
    element->setEleNum(1);
    list.appendLine(element);
    CVes_Steel bar;
    bar.setRecordId(CSteelRecordId(190, 1));
    bar.setDN(20);
    bar.grade = 3;
    bar.setVarValue(QStringLiteral("L"), 2950);
    bar.count = 2;
    bar.number = QStringLiteral("1");
    list.Add(bar);
    list.refreshCurPage();

    RecordingDc dc = test::deviceFor(test::Device::Screen);
    test::drawPage(dc, list, 1, test::Device::Screen);
    const QString text = QString::fromUtf8(GetParam().text);
    bool found = false;
    for (const DcRecord& r : dc.records(DcOp::TextOut)) {
        if (!r.text.contains(text))
            continue;
        found = true;
        const double pixels = std::abs(r.font.logFont().lfHeight * test::mappingOf(r)->scaleY());
        EXPECT_GE(pixels, 7.9) << r.text.toStdString();
    }
    EXPECT_TRUE(found) << dc.texts().join(u'|').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Texts, ScreenLegibility,
                         ::testing::Values(ScreenTextCase{"2950"}, ScreenTextCase{"张工"}));

} // namespace
