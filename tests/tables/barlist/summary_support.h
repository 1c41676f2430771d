#pragma once
// Shared pieces of the summary-sheet tests: element and bar rows built field
// by field, end connections, a sheet's rows as text, and the program's stock
// file taken away for a test and written with records of its own.

#include "core/geometry/connect.h"
#include "core/geometry/datafolder.h"
#include "envora/steelyuancaidata.h"
#include "tables/barlist/setuptableline.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tabletextline.h"

#include <QByteArray>
#include <QFile>

#include <gtest/gtest.h>

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

// An element row of `pieces` pieces.
inline CVes_SetupTableLine* elementLine(const QString& name, int pieces)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    line->setNull(0);
    line->setElement(name);
    line->setEleNum(pieces);
    return line;
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

// An end connection that is on: its type, the other bar's diameter and the
// threads of this end and of the other bar's (1 forwards, 0 reversed).
inline CVes_Connect coupler(int type, float farDN, int direction, int farDirection)
{
    CVes_Connect c;
    c.type = type;
    c.flag = 1;
    c.direction = direction;
    c.farDirection = farDirection;
    c.farDN = farDN;
    return c;
}

// The program's stock file ("KUCUN.xml") is taken away for the scope and
// put back after it.
class StockFileAway {
public:
    StockFileAway()
    {
        QFile file(path());
        m_had = file.open(QIODevice::ReadOnly);
        if (m_had)
            m_bytes = file.readAll();
        QFile::remove(path());
    }
    ~StockFileAway()
    {
        QFile::remove(path());
        if (m_had) {
            QFile file(path());
            if (file.open(QIODevice::WriteOnly))
                file.write(m_bytes);
        }
    }
    StockFileAway(const StockFileAway&) = delete;
    StockFileAway& operator=(const StockFileAway&) = delete;

    static QString path() { return GetRODOFilePath() + QStringLiteral("KUCUN.xml"); }

private:
    bool m_had = false;
    QByteArray m_bytes;
};

// Writes the program's stock file with these records (take it away first
// with StockFileAway).
inline void writeStock(const std::vector<CVes_SteelYuanCaiData>& records)
{
    CVes_SteelYuanCaiDataLib lib;
    for (const auto& r : records)
        lib.append(r);
    ASSERT_TRUE(lib.writeFile(StockFileAway::path()));
}

} // namespace test
