// The bar list's file: the table part followed by the bar list's own part,
// checked against bytes laid out by hand for every schema the reader takes,
// round trips, the empty lines at the end, undo after loading and saving,
// and damaged or newer files.

#include "tables/barlist/setuptable.h"

#include "core/geometry/text.h"
#include "platform/archive.h"
#include "platform/savefile.h"
#include "tests/core/model/barcore_bytes.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/fixtures.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <vector>

namespace {

using test::Bytes;

// In the test process's own data folder: cases run in parallel processes.
QString tempPath(const char* name)
{
    return QDir(qEnvironmentVariable("RODO_HOME")).filePath(QString::fromLatin1(name));
}

// The table part of a default bar list, as it is written.
QByteArray tablePart()
{
    CVes_SetupTable t;
    platform::Archive ar;
    t.CVes_TableBase::Serialize(ar);
    return ar.data();
}

// The seven ints every line starts with (schema 7).
Bytes lineHead(int kind, int empty = 0)
{
    Bytes b;
    b.i32(7).i32(kind).i32(empty).i32(0).i32(1).i32(1).u32(0);
    return b;
}

QByteArray elementLine(const char* number, int pieces, const char* remark)
{
    return lineHead(4).str(number).i32(pieces).str(remark);
}

QByteArray textLine(std::initializer_list<const char*> texts)
{
    Bytes b = lineHead(2);
    b.i32(int(texts.size()));
    for (const char* text : texts)
        b.str(text);
    return b;
}

QByteArray unitLine(const char* start, const char* end)
{
    return lineHead(0).i32(0).i32(1).i32(1).str(start).str(end);
}

QByteArray rulesWithMergeMode(int guibingShow)
{
    CVes_SortRules rules;
    rules.m_guibingShow = guibingShow;
    platform::Archive ar;
    rules.Serialize(ar);
    return ar.data();
}

// The bar list's part laid out by hand: fields up to those of `schema`.
QByteArray payload(int schema)
{
    Bytes b;
    b.i32(schema).i32(3);
    b.i32(2).str("U1").str("U2");
    b.i32(2).str("L1").str("L2");
    b.i32(3).raw(unitLine("U1", "U2")).raw(elementLine("KL1", 2, "east")).raw(textLine({"a", "", "c"}));
    if (schema >= 3)
        b.f64(1.5);
    if (schema >= 4)
        b.raw(rulesWithMergeMode(1));
    if (schema >= 5)
        for (int i = 0; i < 8; ++i)
            b.str(i == 1 ? "supplier" : "");
    if (schema >= 6)
        b.i32(1).i32(1).f32(25.0f).i32(1).i32(3).i32(9000).f32(4.5f).str("stock");
    if (schema >= 7)
        b.i32(4).i32(2);
    if (schema >= 8)
        b.i32(1).raw(test::variableBytes("cover", 2, 30.0));
    return b;
}

// A bar list whose every payload field differs from what the files above
// hold, to see which fields a read replaces.
void markOld(CVes_SetupTable& t)
{
    t.setScale(2.0);
    t.getSortRules().m_guibingShow = 3;
    t.setJinHuoText(1, "old");
    t.setLiaoPaiType(5);
    t.setLiaoPaiDirect(5);
    t.setExVarVal("old", 7.0);
    t.setUnitArray({"old"});
}

TEST(SetupTableFile, ReadsSchema8LaidOutByHand)
{
    const QString path = tempPath("rodo-setuptable-s8.pld");
    ASSERT_TRUE(platform::saveFile(path, tablePart() + payload(8)));
    CVes_SetupTable t;
    markOld(t);
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);

    EXPECT_EQ(t.getDefaultEleNum(), 3);
    EXPECT_EQ(t.m_unitNames, (QStringList{"U1", "U2"}));
    EXPECT_EQ(t.m_unitLocs, (QStringList{"L1", "L2"}));
    ASSERT_EQ(t.m_lines.size(), 3);
    EXPECT_EQ(t.lineAt(0)->getUnitStart(), "U1");
    EXPECT_EQ(t.lineAt(0)->getUnitEnd(), "U2");
    EXPECT_EQ(t.lineAt(1)->getElement(), "KL1");
    EXPECT_EQ(t.lineAt(1)->getEleNum(), 2);
    EXPECT_EQ(t.lineAt(1)->getEleRemark(), "east");
    EXPECT_EQ(t.lineAt(2)->GetText(2), "c");
    EXPECT_DOUBLE_EQ(t.getScale(), 1.5);
    EXPECT_EQ(t.getSortRules().m_guibingShow, 1);
    EXPECT_EQ(t.getJinHuoTexts()[1], "supplier");
    ASSERT_EQ(t.getYuanCaiLib().count(), 1);
    EXPECT_EQ(t.getYuanCaiLib().at(0)->length, 9000);
    EXPECT_EQ(t.getLiaopaiType(), 4);
    EXPECT_EQ(t.getLiaoPaiDirect(), 2);
    // The file's design variables replace the table's.
    ASSERT_EQ(t.exVars().size(), 1u);
    EXPECT_DOUBLE_EQ(t.getExVarVal("cover"), 30.0);
    EXPECT_DOUBLE_EQ(t.getExVarVal("old"), -1.0);
    EXPECT_EQ(t.isModified(), 0);
    EXPECT_EQ(t.CanUndo(), 0);
    EXPECT_EQ(t.m_history.undoCount(), 1u);
}

class SetupTableOlderSchema : public testing::TestWithParam<int> {};

TEST_P(SetupTableOlderSchema, ReadsTheFieldsOfItsSchemaAndKeepsTheRest)
{
    const int schema = GetParam();
    const QString path = tempPath("rodo-setuptable-old.pld");
    ASSERT_TRUE(platform::saveFile(path, tablePart() + payload(schema)));
    CVes_SetupTable t;
    markOld(t);
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);

    EXPECT_EQ(t.m_unitNames, (QStringList{"U1", "U2"}));
    EXPECT_EQ(t.m_lines.size(), 3);
    EXPECT_DOUBLE_EQ(t.getScale(), schema >= 3 ? 1.5 : 2.0);
    EXPECT_EQ(t.getSortRules().m_guibingShow, schema >= 4 ? 1 : 3);
    EXPECT_EQ(t.getJinHuoTexts()[1], schema >= 5 ? "supplier" : "old");
    EXPECT_EQ(t.getYuanCaiLib().count(), schema >= 6 ? 1 : 0);
    EXPECT_EQ(t.getLiaopaiType(), schema >= 7 ? 4 : 5);
    EXPECT_EQ(t.getLiaoPaiDirect(), schema >= 7 ? 2 : 5);
    EXPECT_DOUBLE_EQ(t.getExVarVal("old"), schema >= 8 ? -1.0 : 7.0);
    EXPECT_EQ(t.CanUndo(), 0);
}

INSTANTIATE_TEST_SUITE_P(Schemas, SetupTableOlderSchema, testing::Range(2, 9));

TEST(SetupTableFile, Schema2IntoANewTableKeepsItsDefaults)
{
    const QString path = tempPath("rodo-setuptable-s2.pld");
    ASSERT_TRUE(platform::saveFile(path, tablePart() + payload(2)));
    CVes_SetupTable t;
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);
    EXPECT_DOUBLE_EQ(t.getScale(), 1.0);
    EXPECT_EQ(t.getLiaopaiType(), 1);
    EXPECT_EQ(t.getLiaoPaiDirect(), 3);
    EXPECT_EQ(t.getSortOrder(), 1u);
}

TEST(SetupTableFile, UnknownSchemaThrowsAndChangesNothing)
{
    for (int schema : {1, 9, -1}) {
        const QString path = tempPath("rodo-setuptable-bad.pld");
        QByteArray bytes = tablePart() + payload(8);
        const QByteArray tag = Bytes().i32(schema);
        bytes.replace(tablePart().size(), 4, tag);
        ASSERT_TRUE(platform::saveFile(path, bytes));
        CVes_SetupTable t;
        t.setUnitArray({"keep"});
        try {
            t.OpenFile(path);
            ADD_FAILURE() << "schema " << schema << " was read";
        } catch (const platform::SchemaError& e) {
            EXPECT_EQ(e.code(), -100);
        }
        QFile::remove(path);
        EXPECT_EQ(t.m_unitNames, QStringList{"keep"});
        ASSERT_EQ(t.m_lines.size(), 1);
        EXPECT_EQ(t.lineAt(0)->getElement(), CVes_SetupTable::kFirstElement);
    }
}

TEST(SetupTableFile, DamagedOrMissingFileLeavesTheTable)
{
    const QString path = tempPath("rodo-setuptable-damaged.pld");
    const QByteArray whole = tablePart() + payload(8);
    CVes_SetupTable t;
    t.setUnitArray({"keep"});
    t.lineAt(0)->setElement("KL9");
    EXPECT_EQ(t.OpenFile(path), 0);
    EXPECT_EQ(t.OpenFile(QString()), 0);
    // Cut inside the lines, inside the design variables, and a row count
    // that the bytes left cannot hold.
    QByteArray huge = tablePart() + Bytes().i32(8).i32(1).i32(0).i32(0).i32(0x7FFFFFF0).data();
    for (const QByteArray& bytes : {whole.left(tablePart().size() + 60), whole.chopped(3), huge}) {
        ASSERT_TRUE(platform::saveFile(path, bytes));
        EXPECT_EQ(t.OpenFile(path), 0);
        EXPECT_EQ(t.m_unitNames, QStringList{"keep"});
        ASSERT_EQ(t.m_lines.size(), 1);
        EXPECT_EQ(t.lineAt(0)->getElement(), "KL9");
        EXPECT_EQ(t.isModified(), 1);
    }
    QFile::remove(path);
}

// A bar list with every kind of line and every field of its part.
void fill(CVes_SetupTable& t)
{
    t.setUnitArray({"一单元", "二单元"});
    t.setUnitlocArray({"1-3轴", "3-5轴"});
    t.setDefaultEleNum(2);
    t.lineAt(0)->setElement("KL1");
    t.lineAt(0)->setEleRemark("梁");
    auto* unit = new CVes_SetupTableLine(int(CVes_SetupTableLine::kUnitLine));
    unit->setUnit("一单元", "二单元", 1);
    unit->setNull(0);
    t.appendLine(unit);
    auto* text = new CVes_SetupTableLine(int(CVes_SetupTableLine::kTextLine));
    text->SetText({"说明", "", "x"});
    text->setNull(0);
    text->setTextColor(0x0000FF);
    t.appendLine(text);
    auto* bar = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    bar->setNull(0);
    bar->m_steel.number = "1a";
    bar->m_steel.count = 4;
    t.appendLine(bar);
    auto* image = new CVes_SetupTableLine(int(CVes_SetupTableLine::kImageLine));
    image->setNull(0);
    t.appendLine(image);
    t.setScale(1.25);
    t.getSortRules().m_lossBar = 3.0;
    t.setJinHuoText(0, "供货单位");
    CVes_SteelYuanCaiData stock;
    stock.DN = 20.0f;
    stock.length = 9000;
    stock.name = "定尺";
    t.getYuanCaiLib().append(stock);
    t.setLiaoPaiType(2);
    t.setLiaoPaiDirect(1);
    t.setExVarVal(CVes_TableBase::kVarCover, 25.0);
    t.setExVarVal(CVes_TableBase::kVarSeismic, 2.0);
}

QByteArray streamOf(CVes_SetupTable& t)
{
    platform::Archive ar;
    t.Serialize(ar);
    return ar.data();
}

// The bars of the list, in order.
std::vector<CVes_Steel*> barsOf(CVes_SetupTable& t)
{
    std::vector<CVes_Steel*> bars;
    for (int i = 0; i < int(t.m_lines.size()); ++i) {
        if (CVes_Steel* bar = t.lineAt(i)->getSetupSteel(); bar && !t.lineAt(i)->isNull())
            bars.push_back(bar);
    }
    return bars;
}

// The state taken when a list is opened is a copy of its own: editing the
// opened bars (values, diameter, shape) and undoing gives back exactly the
// bytes that were opened, and redoing the edited ones.
TEST(SetupTableFile, TheFirstEditAfterOpeningUndoesToTheOpenedBytes)
{
    test::CacheScope scope;
    scope.add(test::ShapeBuilder({150, 1}).var("A", 1000).straight({1300, 150}, "0", "A").build());
    scope.add(test::ShapeBuilder({150, 2})
                  .var("A", 400)
                  .var("B", 900)
                  .straight({500, 150}, "0", "A")
                  .straight({500, 600}, "90", "B")
                  .hooks(1, 1)
                  .build());
    CVes_SetupTable made;
    for (CSteelRecordId key : {CSteelRecordId(150, 1), CSteelRecordId(150, 2)}) {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        line->setNull(0);
        CVes_Steel& bar = line->m_steel;
        bar.setRecordId(key);
        bar.setVarValue("A", 2500.0);
        bar.setSteel(3, 12.0f, 0);
        bar.number = "1";
        made.appendLine(line);
    }
    const QString path = tempPath("rodo-setuptable-undo.pld");
    ASSERT_EQ(made.SaveFile(path), 1);

    CVes_SetupTable t;
    ASSERT_EQ(t.OpenFile(path), 1);
    QFile::remove(path);
    // The edits are made where the user makes them, on the page shown.
    t.setPageTo(1, 1);
    const QByteArray opened = streamOf(t);
    ASSERT_EQ(barsOf(t).size(), 2u);
    CVes_Steel* straight = barsOf(t)[0];
    CVes_Steel* hooked = barsOf(t)[1];
    ASSERT_EQ(straight->getRecordId(), CSteelRecordId(150, 1));

    straight->setVarValue("A", 3000.0);
    straight->setSteel(3, 16.0f, 0);
    hooked->setRecordId({150, 1});
    t.AddUndo();
    const QByteArray edited = streamOf(t);
    ASSERT_NE(edited, opened);

    ASSERT_EQ(t.CanUndo(), 1);
    t.Undo();
    EXPECT_EQ(streamOf(t), opened);
    ASSERT_EQ(barsOf(t).size(), 2u);
    // Two sides and two hooks: the bends of the shape it was opened with.
    EXPECT_EQ(barsOf(t)[1]->bendCount, 4);
    EXPECT_EQ(barsOf(t)[1]->getVarValue("B"), 900.0);
    ASSERT_EQ(t.CanRedo(), 1);
    t.Redo();
    EXPECT_EQ(streamOf(t), edited);
    ASSERT_EQ(barsOf(t).size(), 2u);
    EXPECT_EQ(barsOf(t)[1]->getRecordId(), CSteelRecordId(150, 1));
}

TEST(SetupTableFile, SavedFileReadsBackByteForByte)
{
    const QString first = tempPath("rodo-setuptable-a.pld");
    const QString second = tempPath("rodo-setuptable-b.pld");
    // A bar read from a file carries the standard variables that reading
    // gives it; the list is taken through one read first, as every list the
    // program saves again has been.
    CVes_SetupTable made;
    fill(made);
    platform::Archive madeBytes;
    made.Serialize(madeBytes);
    CVes_SetupTable t;
    platform::Archive in(madeBytes.data());
    t.Serialize(in);
    t.AddUndo();
    t.AddUndo();
    ASSERT_EQ(t.SaveFile(first), 1);
    EXPECT_EQ(t.isModified(), 0);
    // The saved state is the base of further undo steps.
    EXPECT_EQ(t.m_history.undoCount(), 1u);
    EXPECT_EQ(t.CanUndo(), 0);

    CVes_SetupTable back;
    ASSERT_EQ(back.OpenFile(first), 1);
    ASSERT_EQ(back.m_lines.size(), 5);
    EXPECT_EQ(back.lineAt(2)->GetText(0), "说明");
    EXPECT_EQ(back.lineAt(2)->getTextColor(), 0x0000FFu);
    EXPECT_EQ(back.lineAt(3)->getSetupSteel()->number, "1a");
    EXPECT_EQ(back.lineAt(4)->isImageLine(), 1);
    EXPECT_EQ(back.m_unitLocs[1], "3-5轴");
    EXPECT_DOUBLE_EQ(back.getExVarVal(CVes_TableBase::kVarCover), 25.0);
    ASSERT_EQ(back.SaveFile(second), 1);

    QByteArray a, b;
    ASSERT_TRUE(platform::readFile(first, &a));
    ASSERT_TRUE(platform::readFile(second, &b));
    EXPECT_EQ(a.size(), b.size());
    EXPECT_TRUE(a == b) << "the file changed on its way through a read";

    // Reading the same file again does not pile up design variables.
    ASSERT_EQ(back.OpenFile(first), 1);
    EXPECT_EQ(back.exVars().size(), 2u);
    QFile::remove(first);
    QFile::remove(second);
}

TEST(SetupTableFile, PayloadLayout)
{
    CVes_SetupTable t;
    t.setUnitArray({"A"});
    t.setUnitlocArray({});
    t.lineAt(0)->setElement("E1");
    t.lineAt(0)->setEleNum(2);
    platform::Archive ar;
    t.Serialize(ar);
    CVes_SteelYuanCaiDataLib emptyStock;
    platform::Archive stock;
    emptyStock.Serialize(stock);
    const QByteArray expected = Bytes()
        .raw(tablePart())
        .i32(8).i32(1).i32(1).str("A").i32(0)
        .i32(1).raw(elementLine("E1", 2, ""))
        .f64(1.0)
        // The sort rules of a new bar list: descending, equal bars joined.
        .i32(9).i32(1).i32(3).i32(0).i32(1).i32(1).f32(12.0f).i32(1).i32(1).i32(1)
        .f64(2.5).f64(2.5).i32(1).i32(0).i32(1).i32(0).f32(0.1f).i32(1).i32(0).i32(1)
        .i32(1).i32(1).i32(1).f32(10.0f).u32(0).i32(2)
        .raw(QByteArray(8, '\0')) // eight empty purchase texts
        .raw(stock.data())
        .i32(1).i32(3)
        .i32(0);
    // The table part holds today's date; the rest is compared byte for byte.
    EXPECT_EQ(test::toHex(ar.data().mid(tablePart().size())),
              test::toHex(expected.mid(tablePart().size())));
    EXPECT_EQ(ar.data().size(), expected.size());
    // Storing is not saving.
    EXPECT_EQ(t.isModified(), 1);
}

TEST(SetupTableFile, TrailingEmptyLinesAreNotStored)
{
    CVes_SetupTable t;
    auto addBar = [&t](int empty) {
        auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
        line->setNull(empty);
        t.appendLine(line);
    };
    addBar(1);     // an empty line between real lines stays
    addBar(0);
    for (int i = 0; i < 30; ++i)
        addBar(1);
    platform::Archive ar;
    t.Serialize(ar);
    ASSERT_EQ(t.m_lines.size(), 33);

    CVes_SetupTable back;
    platform::Archive in(ar.data());
    back.Serialize(in);
    EXPECT_TRUE(in.atEnd());
    ASSERT_EQ(back.m_lines.size(), 3);
    EXPECT_EQ(back.lineAt(1)->isNull(), 1);
    EXPECT_EQ(back.lineAt(2)->isNull(), 0);

    // A table of nothing but empty lines stores none.
    CVes_SetupTable blank;
    blank.lineAt(0)->setNull(1);
    platform::Archive none;
    blank.Serialize(none);
    CVes_SetupTable read;
    platform::Archive again(none.data());
    read.Serialize(again);
    EXPECT_EQ(read.m_lines.size(), 0);
}

} // namespace

namespace {

TEST(SetupTableFile, WritingATemplateIsNotSaving)
{
    const QString path = tempPath("rodo-setuptable.jtm");
    CVes_SetupTable t;
    t.setPageTo(1, 1);
    t.lineAt(0)->setElement("KL1");
    t.setUnitArray({"A"});
    t.AddUndo();
    ASSERT_TRUE(t.saveTemplateFile(path));
    QFile::remove(path);
    EXPECT_EQ(t.isModified(), 1);
    EXPECT_EQ(t.CanUndo(), 1);
}

TEST(SetupTableFile, ReadingIntoAShownPageDropsTheOldPage)
{
    CVes_SetupTable source;
    source.lineAt(0)->setElement("NEW");
    platform::Archive ar;
    source.Serialize(ar);

    CVes_SetupTable t;
    t.setPageTo(1, 1);
    t.AddSelect(1, 1);
    t.getHuizongRules().m_elements.append(t.lineAt(0));
    platform::Archive in(ar.data());
    t.Serialize(in);
    EXPECT_TRUE(t.pageLines().isEmpty());
    EXPECT_TRUE(t.getSelection().isEmpty());
    EXPECT_TRUE(t.getHuizongRules().m_elements.isEmpty());
    EXPECT_EQ(t.getCurPage(), -1);
    t.setPageTo(1, 1);
    // The element read, then empty rows up to the end of the page.
    ASSERT_EQ(t.pageLines().size(), 16);
    EXPECT_EQ(t.pageLines().last()->isNull(), 1);
    EXPECT_EQ(static_cast<CVes_SetupTableLine*>(t.getLine(1))->getElement(), "NEW");
}

} // namespace
