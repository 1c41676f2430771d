// The data check over many small made-up lists full of what it looks for:
// numbers shared by different bars, equal bars with other numbers, typed
// lengths a little off the shape's, incomplete and unprocessed bars, graded
// bars and couplers. The findings of the bar list and of the quantity sheet
// made from it must stay those the fixture holds, finding for finding.
//
// After an intended change of the findings the fixture is written anew by
// running this test with RODO_RECORD_CHECK_FIXTURE set to its path.

#include "checklists.h"

#include "tables/barlist/setuptable.h"
#include "tables/quantity/sltable.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {

constexpr int kLists = 16;

using test::CheckList;

// One line a list and sheet: the seed, the sheet, the result and the
// findings with their line breaks written as "\n".
QString findingLine(int seed, const char* sheet, int result, QString findings)
{
    findings.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    return QStringLiteral("%1 %2 %3 %4").arg(seed).arg(QLatin1String(sheet)).arg(result).arg(findings);
}

QStringList checkAll()
{
    QStringList lines;
    for (int seed = 1; seed <= kLists; ++seed) {
        CVes_SetupTable list;
        CheckList(unsigned(seed)).fill(list);
        QString findings;
        const int clean = list.CheckData(findings);
        lines << findingLine(seed, "barlist", clean, findings);

        CVes_SLTable sheet;
        sheet.clearnAllLine();
        sheet.m_rowNum = 10;
        for (CVes_SLTableLine* row : list.transformSL(0))
            sheet.appendLine(row);
        sheet.refreshCurPage();
        findings.clear();
        const int sheetClean = sheet.CheckData(findings);
        lines << findingLine(seed, "quantity", sheetClean, findings);
    }
    return lines;
}

TEST(DataCheckLists, FindingsStayThoseOfTheFixture)
{
    const QStringList found = checkAll();
    if (const QByteArray record = qgetenv("RODO_RECORD_CHECK_FIXTURE"); !record.isEmpty()) {
        QFile out(QString::fromLocal8Bit(record));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(found.join(QLatin1Char('\n')).toUtf8() + '\n');
    }
    QFile file(QStringLiteral(RODO_FIXTURES_DIR "/datacheck_findings.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList expected =
        QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(found.size(), expected.size());
    int withFindings = 0;
    for (qsizetype i = 0; i < found.size(); ++i) {
        EXPECT_EQ(found[i].toStdString(), expected[i].toStdString());
        withFindings += found[i].contains(QStringLiteral("<LI>")) ? 1 : 0;
    }
    // The lists are made to be found fault with.
    EXPECT_GT(withFindings, kLists);
}

} // namespace
