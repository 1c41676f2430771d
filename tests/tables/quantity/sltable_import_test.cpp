// The amounts of one bar of the quantity sheet, the bar list turned into
// quantity rows, and the imports of bar-list files.

#include "tables/quantity/sltable.h"

#include "platform/archive.h"
#include "platform/savefile.h"
#include "sltable_support.h"
#include "tables/barlist/setuptable.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>

namespace {

const CSteelRecordId kStraight{150, 24};

// Amounts of one bar

struct AmountCase {
    const char* name;
    double first;       // mm
    double last;        // mm; a bar with varying groups when above 0
    int groups;
    int library;        // of the shape: 109 is a bar group
    int jointOn;        // the first connection counts joints
    int autoOption;     // the sheet's automatic joints
    int reverseOption;  // the sheet's reverse-thread coupler
    int style;
    int pieces;
    // Expected.
    int count;
    double metres;
    int jointFactor;    // -7: left as the caller set it
    const char* firstText;
    int connections;
    const char* secondText;
};

void PrintTo(const AmountCase& c, std::ostream* os) { *os << c.name; }

class SingleAmount : public testing::TestWithParam<AmountCase> {
protected:
    void SetUp() override
    {
        scope.add(test::ShapeBuilder(kStraight).var("A", 1000).straight({1300, 150}, "0", "A").build());
        scope.add(test::ShapeBuilder({109, 1}).var("A", 1000).straight({1300, 150}, "0", "A").build());
    }
    test::CacheScope scope;
};

// A bar of count 2 on 9 m stock, with a second connection holding "5".
TEST_P(SingleAmount, LengthCountAndJoints)
{
    const AmountCase& c = GetParam();
    CVes_SLTable t;
    t.m_rules.m_autoMidConnect = c.autoOption;
    t.m_rules.m_reverseSleeve = c.reverseOption;
    CVes_Steel bar;
    bar.setRecordId(c.library == 109 ? CSteelRecordId(109, 1) : kStraight);
    bar.calcLength = 1;
    bar.count = 2;
    bar.setVarValue(QStringLiteral("A"), c.first);
    if (c.last > 0) {
        bar.setMultiVal(1);
        bar.setMultiGroup(c.groups);
        bar.setVarValueE(QStringLiteral("A"), c.last);
    }
    CVes_MidConnect* mid = bar.getFirstMidConnect();
    mid->stat = c.jointOn;
    mid->style = c.style;
    mid->fixedLength = 9000;
    mid->autoCount = 1;
    mid->countText = QStringLiteral("7");
    bar.getSecendMidConnect()->countText = QStringLiteral("5");

    double metres = 0.0;
    std::int64_t count = 0;
    std::int64_t factor = -7;
    t.singleSteelAmount(&bar, c.pieces, metres, count, factor);
    EXPECT_EQ(count, c.count);
    EXPECT_NEAR(metres, c.metres, 1e-9);
    EXPECT_EQ(factor, c.jointFactor);
    ASSERT_EQ(int(bar.getMidConnectArray().size()), c.connections);
    EXPECT_EQ(bar.getMidConnectArray()[0]->countText, QString::fromUtf8(c.firstText));
    if (c.connections > 1) {
        EXPECT_EQ(bar.getMidConnectArray()[1]->countText, QString::fromUtf8(c.secondText));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Bars, SingleAmount,
    testing::Values(
        // 20 m on 9 m stock: two joints, one a reverse-thread coupler.
        AmountCase{"CouplerWithSleeve", 20000, 0, 1, 150, 1, 1, 1, 8, 3, 6, 120.0, 6, "1", 2, "1"},
        AmountCase{"CouplerNoSleeve", 20000, 0, 1, 150, 1, 1, 0, 8, 3, 6, 120.0, 6, "2", 1, ""},
        AmountCase{"WeldNoSleeve", 20000, 0, 1, 150, 1, 1, 1, 3, 3, 6, 120.0, 6, "2", 1, ""},
        AmountCase{"ShorterThanStock", 8000, 0, 1, 150, 1, 1, 1, 8, 1, 2, 16.0, 2, "0", 1, ""},
        AmountCase{"CountingOff", 20000, 0, 1, 150, 1, 0, 1, 8, 1, 2, 40.0, 2, "0", 1, ""},
        AmountCase{"BarGroupLibrary", 20000, 0, 1, 109, 1, 1, 1, 8, 1, 2, 40.0, 2, "7", 2, "5"},
        // Three groups 1000 to 3000: (1000 + 3000) × 2 × 3 × pieces / 2.
        AmountCase{"VaryingShort", 1000, 3000, 3, 150, 1, 1, 1, 8, 2, 12, 24.0, 4, "0", 1, ""},
        AmountCase{"VaryingOff", 1000, 3000, 3, 150, 1, 0, 1, 8, 2, 12, 24.0, -7, "0", 1, ""},
        AmountCase{"VaryingGroup", 1000, 3000, 3, 109, 1, 1, 1, 8, 2, 12, 24.0, 12, "7", 2, "5"},
        // 10, 15 and 20 m: 1 + 1 + 2 joints, the last with a reverse coupler.
        AmountCase{"VaryingUnequal", 10000, 20000, 3, 150, 1, 1, 1, 8, 1, 6, 90.0, 2, "3", 2, "1"},
        // 20, 20, 20 m: 2 joints each, a reverse coupler in every group.
        AmountCase{"VaryingEqual", 20000, 20000, 3, 150, 1, 1, 1, 8, 1, 6, 120.0, 2, "3", 2, "3"},
        AmountCase{"VaryingEqualNoSleeve", 20000, 20000, 3, 150, 1, 1, 0, 8, 1, 6, 120.0, 2, "6",
                   1, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SLTableAmounts, LengthsInTheShapeColumnsUnitAreCountedInMetres)
{
    CVes_SLTable t;
    t.m_units[CVes_SLTable::kColShape] = CVes_Template::kCentimetre;
    CVes_Steel bar;
    bar.calcLength = 0;
    bar.length = 250.0f;  // cm
    bar.count = 4;
    bar.getFirstMidConnect()->stat = 0;
    double metres = 0.0;
    std::int64_t count = 0;
    std::int64_t factor = 0;
    t.singleSteelAmount(&bar, 3, metres, count, factor);
    EXPECT_NEAR(metres, 30.0, 1e-9);
    EXPECT_EQ(count, 12);
}

// The bar list as quantity rows

std::string slRowsText(const QList<CVes_SLTableLine*>& rows)
{
    std::string text;
    for (CVes_SLTableLine* row : rows) {
        if (!text.empty())
            text += ' ';
        if (row->isEleRow())
            text += "E:" + row->getElement().toStdString() + "x" + std::to_string(row->getEleNum());
        else
            text += "B:" + row->m_steel.number.toStdString() + "x"
                + std::to_string(row->m_steel.count) + (row->isNull() ? "(empty)" : "");
    }
    return text;
}

CVes_SetupTableLine* setupBar(const char* number, float d, int count)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    CVes_Steel& bar = line->m_steel;
    bar.setRecordId(kStraight);
    bar.number = QString::fromUtf8(number);
    bar.grade = 3;
    bar.DN = d;
    bar.count = count;
    bar.calcLength = 1;
    bar.setVarValue(QStringLiteral("A"), 3000.0);
    return line;
}

CVes_SetupTableLine* setupElement(const char* name, int pieces)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    line->setNull(0);
    line->setElement(QString::fromUtf8(name));
    line->setEleNum(pieces);
    return line;
}

// A bar list: a bar before every element, then two elements whose bars
// repeat the first one; text lines and empty lines between.
class FromBarList : public testing::Test {
protected:
    void SetUp() override
    {
        scope.add(test::ShapeBuilder(kStraight).var("A", 1000).straight({1300, 150}, "0", "A").build());
        list.clearnAllLine();
        list.setDefaultEleNum(4);
        list.appendLine(setupBar("1", 12.0f, 2));
        list.appendLine(new CVes_SetupTableLine(int(CVes_SetupTableLine::kTextLine)));
        list.appendLine(setupElement("KL1", 2));
        list.appendLine(setupBar("2", 14.0f, 3));
        list.appendLine(setupBar("1", 12.0f, 5));
        list.appendLine(setupElement("KL2", 3));
        list.appendLine(setupBar("1", 12.0f, 1));
        list.appendLine(new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine)));
    }
    test::CacheScope scope;
    CVes_SetupTable list;
};

TEST_F(FromBarList, EveryElementAndBarInOrder)
{
    const QList<CVes_SLTableLine*> rows = list.transformSL(0);
    EXPECT_EQ(slRowsText(rows), "E:x4 B:1x2 E:KL1x2 B:2x3 B:1x5 E:KL2x3 B:1x1");
    for (CVes_SLTableLine* row : rows)
        EXPECT_EQ(row->isNull(), 0);
    qDeleteAll(rows);
}

TEST_F(FromBarList, MergingAddsCountsAcrossElements)
{
    const QList<CVes_SLTableLine*> rows = list.transformSL(1);
    EXPECT_EQ(slRowsText(rows), "E:x4 B:1x8 E:KL1x2 B:2x3 E:KL2x3");
    qDeleteAll(rows);
}

TEST_F(FromBarList, AnEmptyListGivesNoRows)
{
    list.clearnAllLine();
    EXPECT_TRUE(list.transformSL(0).isEmpty());
}

// Imports of bar-list files

class ImportFiles : public FromBarList {
protected:
    void SetUp() override
    {
        FromBarList::SetUp();
        ASSERT_TRUE(dir.isValid());
        t.clearnAllLine();
        t.appendLine(test::slElement("OWN", 1));
    }
    QString save(const QString& name, CVes_SetupTable& table)
    {
        const QString path = dir.filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        EXPECT_EQ(table.SaveFile(path), 1);
        return path;
    }
    QTemporaryDir dir;
    CVes_SLTable t;
};

TEST_F(ImportFiles, RowsGoToTheFrontAndBadFilesAreSkipped)
{
    test::HostScope host;
    const QString good = save("a.pld", list);
    const QString damaged = dir.filePath("damaged.pld");
    ASSERT_TRUE(platform::saveFile(damaged, QByteArray("not a bar list")));
    // A bar list of a newer program.
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(good, &bytes));
    CVes_SetupTable probe;
    platform::Archive part;
    probe.CVes_TableBase::Serialize(part);
    const QString newer = dir.filePath("newer.pld");
    ASSERT_TRUE(platform::saveFile(newer, part.data() + QByteArray::fromHex("09000000")));

    t.importSetUpArray({dir.filePath("missing.pld"), damaged, newer, good});
    EXPECT_TRUE(host->messageTexts().isEmpty());
    ASSERT_EQ(t.lines().size(), 8);
    EXPECT_EQ(test::slRow(t, 0).getEleNum(), 4);
    EXPECT_EQ(test::slRow(t, 2).getElement(), "KL1");
    EXPECT_EQ(test::slRow(t, 7).getElement(), "OWN");
    // The caller records the step.
    EXPECT_EQ(t.CanUndo(), 0);
}

TEST_F(ImportFiles, AnotherShapeUnitIsRefusedAndTheSheetStaysAsItWas)
{
    test::HostScope host;
    list.m_units[CVes_SetupTable::kColShape] = CVes_Template::kCentimetre;
    const QString path = save("cm.pld", list);
    t.importSetUpArray({path});
    EXPECT_EQ(host->messageTexts(),
              QStringList{"钢筋配料单与钢筋用量明细表钢筋形状单位不一致，无法导入！"});
    ASSERT_EQ(t.lines().size(), 1);
    EXPECT_EQ(test::slRow(t, 0).getElement(), "OWN");
}

TEST_F(ImportFiles, AFolderIsSearchedWithItsSubFolders)
{
    save("top.pld", list);
    list.clearnAllLine();
    list.appendLine(setupElement("DEEP", 1));
    save("sub/deep.pld", list);
    ASSERT_TRUE(platform::saveFile(dir.filePath("sub/other.txt"), QByteArray("x")));
    t.importSetUp(dir.path());
    QStringList elements;
    for (CVes_TableBaseLine* row : t.lines()) {
        auto* line = static_cast<CVes_SLTableLine*>(row);
        if (line->isEleRow() && !line->getElement().isEmpty())
            elements << line->getElement();
    }
    elements.sort();
    EXPECT_EQ(elements, (QStringList{"DEEP", "KL1", "KL2", "OWN"}));
}

// A folder imported into a sheet finds its lists as the project tree's
// summary of it does: in its sub-folders, those of an element-type folder
// under their type, and the sheet's range names the folder.
TEST_F(ImportFiles, AStoreyFolderComesInAsTheTreeSumsIt)
{
    test::HostScope host;
    QDir(dir.path()).mkpath(QStringLiteral("楼/第1层"));
    ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("楼/buildinginfo.xml")), QByteArray("<x/>")));
    save(QStringLiteral("楼/第1层/柱/KZ.pld"), list);
    const qsizetype before = t.lines().size();
    ASSERT_EQ(t.importFolder(dir.filePath(QStringLiteral("楼/第1层"))), 1);
    EXPECT_TRUE(host->messageTexts().isEmpty());
    EXPECT_EQ(t.m_texts[CVes_SLTable::kScopeText].m_formula, QStringLiteral("第1层"));
    QStringList types;
    for (CVes_TableBaseLine* row : t.lines())
        if (auto* line = static_cast<CVes_SLTableLine*>(row); line->isEleTypeRow())
            types << line->getEleType();
    EXPECT_EQ(types, QStringList{QStringLiteral("柱")}) << "not under 其它";
    EXPECT_GT(t.lines().size(), before);
    EXPECT_EQ(t.CanUndo(), 1);

    // The element-type folder itself names its storey and type.
    t.importFolder(dir.filePath(QStringLiteral("楼/第1层/柱")));
    EXPECT_EQ(t.m_texts[CVes_SLTable::kScopeText].m_formula, QStringLiteral("第1层_柱"));
}

TEST_F(ImportFiles, AFolderWithoutListsSaysSo)
{
    test::HostScope host;
    const QString scope = t.m_texts[CVes_SLTable::kScopeText].m_formula;
    EXPECT_EQ(t.importFolder(dir.path()), 0);
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().front().contains(QStringLiteral("没有钢筋配料单")));
    EXPECT_EQ(t.m_texts[CVes_SLTable::kScopeText].m_formula, scope);
    EXPECT_EQ(t.CanUndo(), 0);
}

} // namespace
