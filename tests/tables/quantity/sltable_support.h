#pragma once
// Rows of the quantity-sheet tests built field by field, a sheet emptied
// for a test, and file paths in the test process's own data folder.

#include "tables/quantity/sltable.h"

#include <QDir>
#include <QString>

namespace test {

// A bar row with a typed length and no intermediate joints.
inline CVes_SLTableLine* slBar(const char* number, int grade, float d, int count, float length,
                               const char* location = "")
{
    auto* line = new CVes_SLTableLine(CVes_SLTableLine::kSteelRow);
    line->setNull(0);
    line->setLocString(QString::fromUtf8(location));
    CVes_Steel& bar = line->m_steel;
    bar.number = QString::fromUtf8(number);
    bar.grade = grade;
    bar.DN = d;
    bar.count = count;
    bar.calcLength = 0;
    bar.length = length;
    bar.getFirstMidConnect()->stat = 0;
    return line;
}

inline CVes_SLTableLine* slElement(const char* name, int pieces)
{
    auto* line = new CVes_SLTableLine(CVes_SLTableLine::kEleRow);
    line->setNull(0);
    line->setElement(QString::fromUtf8(name));
    line->setEleNum(pieces);
    return line;
}

inline CVes_SLTableLine* slEleType(const char* name)
{
    auto* line = new CVes_SLTableLine(CVes_SLTableLine::kEleTypeRow);
    line->setNull(0);
    line->setEleType(QString::fromUtf8(name));
    return line;
}

inline CVes_SLTableLine* slEmpty()
{
    return new CVes_SLTableLine();
}

// The sheet's row at a table position.
inline CVes_SLTableLine& slRow(const CVes_SLTable& t, int index)
{
    return *t.lineAt(index);
}

// In the test process's own data folder: cases run in parallel processes.
inline QString slTempPath(const char* name)
{
    return QDir(qEnvironmentVariable("RODO_HOME")).filePath(QString::fromUtf8(name));
}

} // namespace test
