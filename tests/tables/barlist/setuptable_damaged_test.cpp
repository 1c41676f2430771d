// Bar-list files that a damaged disk, a foreign program or a fuzzer made:
// each is refused (and named to the user by whoever reads it) and leaves the
// open bar list as it was, or it is opened and drawn as its lines say. The sound file the damaged ones
// were made from opens and draws.

#include "tables/barlist/setuptable.h"

#include "core/model/recordcache.h"
#include "platform/recordingdc.h"
#include "tables/framework/form.h"
#include "tables/quantity/sltableline.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

QString fixturePath(const char* name)
{
    return QDir(QStringLiteral(RODO_FIXTURES_DIR)).filePath(QString::fromLatin1(name));
}

// The texts a screen drawing of the current page puts out.
QStringList drawnTexts(CVes_SetupTable& table)
{
    platform::RecordingDc dc;
    table.Draw(&dc, platform::Rect(0, 0, 1200, 850));
    return dc.texts();
}

// Opens a sound fixture: read whole, and nothing told to the user.
void openFixture(CVes_SetupTable& table, const char* name)
{
    test::HostScope host;
    ASSERT_EQ(table.OpenFile(fixturePath(name)), 1);
    EXPECT_TRUE(host->messages().empty());
}

void expectPageDrawn(CVes_SetupTable& table, const QString& pageNumber)
{
    const QStringList texts = drawnTexts(table);
    EXPECT_TRUE(texts.contains(pageNumber)) << texts.join(u'|').toStdString();
}

struct DamagedCase {
    const char* file;
    const char* damage;
};
void PrintTo(const DamagedCase& c, std::ostream* os) { *os << c.file; }

class DamagedBarList : public ::testing::TestWithParam<DamagedCase> {};

// Opening refuses the file and changes nothing; importing it (the bar list's
// own way of reading other lists) tells the user which file it could not
// read.
TEST_P(DamagedBarList, IsRefusedWithAMessageAndChangesNothing)
{
    test::HostScope host;
    CVes_SetupTable table;
    table.setUnitArray({QStringLiteral("keep")});
    table.setScale(1.5);
    const qsizetype lines = table.m_lines.size();

    const QString path = fixturePath(GetParam().file);
    EXPECT_EQ(table.OpenFile(path), 0);
    EXPECT_EQ(table.m_unitNames, QStringList{QStringLiteral("keep")});
    EXPECT_EQ(table.m_lines.size(), lines);
    EXPECT_EQ(table.getScale(), 1.5);
    EXPECT_EQ(table.getRowNum(), 16);

    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(path, folder.filePath(QStringLiteral("damaged.pld"))));
    EXPECT_EQ(table.importFromFile(folder.path()), 0);
    const QStringList messages = host->messageTexts();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(QStringLiteral("damaged.pld"))) << messages[0].toStdString();
    EXPECT_EQ(table.m_lines.size(), lines);
    clearTheUseRecordArray();
}

INSTANTIATE_TEST_SUITE_P(
    Fixtures, DamagedBarList,
    ::testing::Values(DamagedCase{"barlist_rows_per_page_max.pld", "rows per page 2^31-1"},
                      DamagedCase{"barlist_zoom_nan.pld", "a NaN zoom"},
                      DamagedCase{"barlist_diameter_2000.pld", "bar 1 of diameter 2000"},
                      // More bars than the count cell takes (once shown as 0).
                      DamagedCase{"barlist_count_int_max.pld", "bar 1 of 2^31-1 bars"},
                      DamagedCase{"barlist_line_rows_int_min.pld", "a line of INT_MIN rows"}),
    [](const auto& info) {
        std::string name = info.param.file;
        return name.substr(0, name.find('.'));
    });

// The file the damaged ones were made from: four rows a page, two bars.
TEST(SoundBarList, OpensAndDraws)
{
    CVes_SetupTable table;
    openFixture(table, "barlist_small.pld");
    EXPECT_EQ(table.getRowNum(), 4);
    ASSERT_EQ(table.m_lines.size(), 3);
    EXPECT_TRUE(table.lineAt(0)->isElementLine());
    EXPECT_EQ(table.lineAt(1)->getSetupSteel()->number, QStringLiteral("1"));
    EXPECT_EQ(table.lineAt(2)->getSetupSteel()->number, QStringLiteral("2"));
    table.firstPage();
    EXPECT_EQ(table.getPages(), 1);
    expectPageDrawn(table, QStringLiteral("第 1 页 ／ 共 1 页"));
    clearTheUseRecordArray();
}

// A bar list of the second file form holding lines of the first line form:
// 20 bytes each (an element line of that form holds nothing of its own).
TEST(OldBarList, SchemaTwoOfTwentyByteLinesOpensAndPages)
{
    CVes_SetupTable table;
    openFixture(table, "barlist_schema2_schema1_lines.pld");
    EXPECT_EQ(table.getDefaultEleNum(), 5);
    ASSERT_EQ(table.m_lines.size(), 6);
    const unsigned int kinds[] = {4, 3, 3, 4, 3, 3};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(table.lineAt(i)->getType(), kinds[i]) << i;
        EXPECT_EQ(table.lineAt(i)->getRows(), 1) << i;
    }
    // Four rows a page: the last page is filled up with empty rows.
    table.endPage();
    EXPECT_EQ(table.getPages(), 2);
    EXPECT_EQ(table.pageLines().size(), 4);
    expectPageDrawn(table, QStringLiteral("第 2 页 ／ 共 2 页"));
}

// Rows per page beyond any page, as a dialog might leave them: the last page
// is filled up to a page at most, and the page is drawn on a bounded form.
TEST(PageOutOfRange, RowsPerPageBeyondAnyPageAddAtMostAPage)
{
    CVes_SetupTable table;
    table.m_rowNum = 0x7FFFFFFF;
    table.m_summaryRowHeight = 0x7FFFFFFF;
    table.firstPage();
    EXPECT_EQ(table.m_lines.size(), CVes_Template::kMaxRowsPerPage);
    EXPECT_EQ(table.getPages(), 1);
    drawnTexts(table);
    EXPECT_LE(table.getForm()->GetRowCount(), 2 * CVes_Template::kMaxRowsPerPage + 1);
}

// An element of a hundred million pieces whose bar is set a hundred times
// in each: the total count passes the int range and is shown held at the
// top of the range, never wrapped to a negative count.
TEST(PageOutOfRange, TotalCountBeyondTheIntRangeIsHeldAtItsTop)
{
    CVes_SetupTable table;
    table.lineAt(0)->setEleNum(100000000);
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    CVes_Steel* bar = line->getSetupSteel();
    bar->setRecordId({190, 1});
    bar->number = QStringLiteral("1");
    bar->DN = 12;
    bar->count = 100;
    table.appendLine(line);
    table.firstPage();
    const QStringList texts = drawnTexts(table);
    EXPECT_TRUE(texts.contains(QStringLiteral("2147483647"))) << texts.join(u'|').toStdString();
    for (const QString& text : texts)
        EXPECT_FALSE(text.startsWith(u'-')) << text.toStdString();
    clearTheUseRecordArray();
}

// A bar of any values the user may type (a diameter of 28 km, every count
// at its largest, lengths at either end of what a bar may measure) is drawn,
// totalled and checked without any value reaching past what an int holds.
struct TypedLengths {
    const char* name;
    double first;
    double last;
};
void PrintTo(const TypedLengths& c, std::ostream* os) { *os << c.name; }

class BarOfAnyTypedValues : public ::testing::TestWithParam<TypedLengths> {};

TEST_P(BarOfAnyTypedValues, IsDrawnTotalledAndChecked)
{
    CVes_SetupTable table;
    CVes_Steel bar;
    bar.setRecordId(CSteelRecordId(190, 1));
    bar.setSteelId(QStringLiteral("1"));
    bar.setSteel(2, -2.8e10f, 0);
    bar.setNum(0x7FFFFFFF);
    bar.setMultiVal(1);
    bar.setMultiGroup(0x7FFFFFFF);
    bar.setVarValue(QStringLiteral("L"), GetParam().first);
    bar.setVarValueE(QStringLiteral("L"), GetParam().last);
    table.Add(bar);
    table.lineAt(0)->setEleNum(0x7FFFFFFF);
    table.firstPage();
    expectPageDrawn(table, QStringLiteral("第 1 页 ／ 共 1 页"));
    QString findings;
    EXPECT_EQ(table.CheckData(findings), 0);
    clearTheUseRecordArray();
}

// Lengths of a graded row whose sum passes an int either way.
INSTANTIATE_TEST_SUITE_P(
    Lengths, BarOfAnyTypedValues,
    ::testing::Values(TypedLengths{"BeyondAnyLength", 1e300, -1e300},
                      TypedLengths{"TwoLongLengths", 1.5e9, 1.5e9},
                      TypedLengths{"TwoLongNegativeLengths", -1.5e9, -1.5e9}),
    [](const auto& info) { return std::string(info.param.name); });

// A stored bar list holds its dimensions and angles as written, whatever
// they are (an older file, or another program, may have written values no
// cell takes): it opens as it is, and every shape of the libraries with such
// values is paged, drawn, checked, saved the same and turned into the
// processing and quantity rows without a crash, a hang or a count that
// wrapped.
struct StoredDimension {
    const char* name;
    double length;
    double angle;
    double lengthRead; // what a dimension holds once read: a value that is
    double angleRead;  // no number at all is read as 0
};
void PrintTo(const StoredDimension& c, std::ostream* os) { *os << c.name; }

class StoredDimensionsBeyondTheirRange : public ::testing::TestWithParam<StoredDimension> {};

TEST_P(StoredDimensionsBeyondTheirRange, OpenAndAreUsedAsStored)
{
    const StoredDimension& c = GetParam();
    constexpr int kShapes[][2] = {{190, 7}, {191, 10}, {192, 6}, {193, 3}, {194, 3}, {195, 3}};
    CVes_SetupTable written;
    for (const auto& [library, count] : kShapes) {
        for (int shape = 1; shape <= count; ++shape) {
            CVes_Steel bar;
            bar.setRecordId(CSteelRecordId(library, shape));
            bar.setSteel(3, 20.0f, 0);
            bar.setNum(2);
            std::vector<std::pair<QString, bool>> names;
            for (const auto& v : bar.getVarArray())
                names.emplace_back(v->m_text, v->m_unit == CVes_Variable::kDegrees);
            for (const auto& [name, angle] : names) {
                bar.setVarValue(name, angle ? c.angle : c.length);
                bar.setVarValueE(name, angle ? c.angle : c.length);
            }
            written.Add(bar);
        }
    }
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("stored.pld"));
    ASSERT_EQ(written.SaveFile(path), 1);

    test::HostScope host;
    CVes_SetupTable table;
    ASSERT_EQ(table.OpenFile(path), 1);
    EXPECT_TRUE(host->messages().empty());
    table.firstPage();
    for (int page = 1; page <= table.getPages(); ++page) {
        table.setPageTo(page, 1);
        for (const QString& text : drawnTexts(table))
            EXPECT_FALSE(text.contains(QStringLiteral("-2147483648"))) << text.toStdString();
    }
    QString findings;
    table.CheckData(findings);
    const TableLineList processRows = table.transformProcess();
    EXPECT_FALSE(processRows.isEmpty());
    qDeleteAll(processRows);
    const QList<CVes_SLTableLine*> quantityRows = table.transformSL(0);
    EXPECT_FALSE(quantityRows.isEmpty());
    qDeleteAll(quantityRows);

    // Every dimension holds what was stored, and saving it again and
    // opening that gives the same values.
    const QString again = dir.filePath(QStringLiteral("again.pld"));
    ASSERT_EQ(table.SaveFile(again), 1);
    CVes_SetupTable reopened;
    ASSERT_EQ(reopened.OpenFile(again), 1);
    int bars = 0;
    int shapes = 0;
    for (const auto& [library, count] : kShapes)
        shapes += count;
    for (CVes_TableBaseLine* row : reopened.lines()) {
        const CVes_BarCore* bar = row->getSteel();
        if (!bar || row->isNull())
            continue;
        ++bars;
        for (const auto& v : bar->getVarArray()) {
            if (v->m_type != CVes_Variable::kGiven)
                continue;
            const bool angle = v->m_unit == CVes_Variable::kDegrees;
            EXPECT_EQ(v->m_value, angle ? c.angleRead : c.lengthRead) << v->m_text.toStdString();
        }
    }
    EXPECT_EQ(bars, shapes);
    clearTheUseRecordArray();
}

INSTANTIATE_TEST_SUITE_P(
    Values, StoredDimensionsBeyondTheirRange,
    ::testing::Values(StoredDimension{"BeyondAnyBar", 1e300, 1e9, 1e300, 1e9},
                      StoredDimension{"BeyondAnyBarNegative", -1e300, -1e9, -1e300, -1e9},
                      StoredDimension{"NotANumber", std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::quiet_NaN(), 0, 0},
                      StoredDimension{"PastTheFieldsByOne", 1000001, 361, 1000001, 361}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
