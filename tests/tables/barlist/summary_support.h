#pragma once
// Shared pieces of the summary-sheet tests: bar rows built field by field,
// and a sheet's rows as text.

#include "tables/barlist/setuptableline.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tabletextline.h"

#include <string>
#include <vector>

namespace test {

using SheetRows = std::vector<std::string>;

// The rows of a sheet, each as its texts joined by '|'.
inline SheetRows rowsOf(const CVes_TableBase& sheet)
{
    SheetRows rows;
    for (CVes_TableBaseLine* line : sheet.lines()) {
        auto* text = dynamic_cast<CVes_TableTextLine*>(line);
        rows.push_back(text ? text->getTexts().join(u'|').toStdString() : std::string("<not text>"));
    }
    return rows;
}

// A bar row with a typed length and no intermediate joints.
inline CVes_SetupTableLine* barLine(const char* number, int grade, float d, int count, float length,
                                    int coating = 0)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    CVes_Steel& bar = line->m_steel;
    bar.number = QString::fromUtf8(number);
    bar.grade = grade;
    bar.DN = d;
    bar.steelType = coating;
    bar.count = count;
    bar.calcLength = 0;
    bar.length = length;
    bar.getFirstMidConnect()->stat = 0;
    return line;
}

} // namespace test
