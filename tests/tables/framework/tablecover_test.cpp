#include "tables/framework/tablecover.h"

#include "core/geometry/text.h"
#include "tables/framework/form.h"
#include "platform/archive.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"
#include "tests/tables/framework/tablecover_stream.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using test::StreamBuilder;
using test::TextRecord;

QByteArray store(CVes_TableCover& cover)
{
    platform::Archive ar;
    cover.Serialize(ar);
    return ar.data();
}

void load(CVes_TableCover& cover, const QByteArray& bytes)
{
    platform::Archive ar(bytes);
    cover.Serialize(ar);
    EXPECT_TRUE(ar.atEnd());
}

// A three-row cover part of schema 2.
QByteArray coverSchema2()
{
    return StreamBuilder()
        .ints({2, 3, 1, 3})
        .text({QStringLiteral("a"), QStringLiteral("{工程名称}"), 80, 6})
        .text({QStringLiteral("b"), QStringLiteral("钢筋配料单"), 60, 0})
        .text({QStringLiteral("c"), QStringLiteral("@规格汇总@"), 40, 2})
        .count(3)
        .ints({20, 30, 50})
        .data();
}

QStringList texts(const CVes_TableCover& cover)
{
    QStringList out;
    for (const auto& v : cover.m_variables)
        out.append(v->m_formula);
    return out;
}

TEST(TableCover, NewCoverAndItsDefaultRows)
{
    CVes_TableCover cover;
    EXPECT_EQ(cover.m_rows, 20);
    EXPECT_EQ(cover.m_columns, 1);
    EXPECT_EQ(cover.m_curVar, -1);
    EXPECT_EQ(cover.m_curCol, -1);
    EXPECT_TRUE(cover.m_variables.empty());
    EXPECT_TRUE(cover.m_percents.isEmpty());

    cover.initVariables();
    ASSERT_EQ(cover.m_variables.size(), 20u);
    EXPECT_EQ(cover.m_percents, QList<int>(20, 5));
    for (const auto& v : cover.m_variables) {
        EXPECT_EQ(v->m_height, 50);
        EXPECT_EQ(v->m_align, 6u);
        EXPECT_TRUE(v->m_formula.isEmpty());
    }

    CVes_TableCover three;
    three.m_rows = 3;
    three.initVariables();
    EXPECT_EQ(three.m_percents, QList<int>(3, 33));
}

TEST(TableCover, StoresTheSchemaTwoLayout)
{
    CVes_TableCover cover;
    cover.m_rows = 3;
    cover.initVariables();
    const char* names[] = {"a", "b", "c"};
    const char* values[] = {"{工程名称}", "钢筋配料单", "@规格汇总@"};
    const int heights[] = {80, 60, 40};
    const unsigned aligns[] = {6, 0, 2};
    for (int i = 0; i < 3; ++i) {
        CVes_Variable& v = *cover.m_variables[std::size_t(i)];
        v.m_text = QString::fromUtf8(names[i]);
        v.m_formula = QString::fromUtf8(values[i]);
        v.m_height = heights[i];
        v.m_align = aligns[i];
        v.m_type = 3;
        v.m_fontName = QStringLiteral("宋体");
    }
    cover.m_percents = {20, 30, 50};
    const QByteArray bytes = store(cover);
    EXPECT_EQ(test::toHex(bytes), test::toHex(coverSchema2()));
    EXPECT_EQ(test::toHex(bytes.left(16)),
              test::toHex(test::hex("02000000 03000000 01000000 03000000")));
    EXPECT_EQ(test::toHex(bytes.right(14)), test::toHex(test::hex("0300 14000000 1E000000 32000000")));
}

TEST(TableCover, LoadsSchemaTwoAndStoresItBackByteForByte)
{
    CVes_TableCover cover;
    cover.initVariables();
    load(cover, coverSchema2());
    EXPECT_EQ(cover.m_rows, 3);
    EXPECT_EQ(cover.m_columns, 1);
    EXPECT_EQ(texts(cover),
              (QStringList{QStringLiteral("{工程名称}"), QStringLiteral("钢筋配料单"),
                           QStringLiteral("@规格汇总@")}));
    EXPECT_EQ(cover.m_variables[2]->m_align, 2u);
    EXPECT_EQ(cover.m_percents, (QList<int>{20, 30, 50}));
    EXPECT_EQ(store(cover), coverSchema2());
}

TEST(TableCover, SchemaOneWithTwelveTextsGivesEveryRowAnEqualShare)
{
    StreamBuilder b;
    b.ints({1, 12});
    for (int i = 0; i < 12; ++i)
        b.text({QStringLiteral("v%1").arg(i), QStringLiteral("第%1行").arg(i)});

    CVes_TableCover cover;
    load(cover, b.data());
    EXPECT_EQ(cover.m_rows, 20);
    EXPECT_EQ(cover.m_columns, 1);
    ASSERT_EQ(cover.m_variables.size(), 12u);
    EXPECT_EQ(cover.m_variables[11]->m_formula, QStringLiteral("第11行"));
    EXPECT_EQ(cover.m_percents, QList<int>(20, 5));

    // Shares already there are kept.
    CVes_TableCover shared;
    shared.m_percents = QList<int>(20, 4);
    load(shared, b.data());
    EXPECT_EQ(shared.m_percents, QList<int>(20, 4));
}

class CoverUnknownSchema : public testing::TestWithParam<int> {};

TEST_P(CoverUnknownSchema, ThrowsMinusHundredAndChangesNothing)
{
    CVes_TableCover cover;
    cover.initVariables();
    const QByteArray before = store(cover);
    QByteArray bytes = coverSchema2();
    bytes.replace(0, 4, StreamBuilder().i(GetParam()).data());
    platform::Archive ar(bytes);
    try {
        cover.Serialize(ar);
        FAIL() << "schema " << GetParam() << " was accepted";
    } catch (const platform::SchemaError& e) {
        EXPECT_EQ(e.code(), -100);
    }
    EXPECT_EQ(store(cover), before);
}

INSTANTIATE_TEST_SUITE_P(Schemas, CoverUnknownSchema, testing::Values(0, 3, -1, 100));

TEST(TableCover, EveryTruncationThrowsAndChangesNothing)
{
    const QByteArray full = coverSchema2();
    CVes_TableCover cover;
    cover.initVariables();
    const QByteArray before = store(cover);
    for (qsizetype n = 0; n < full.size(); ++n) {
        platform::Archive ar(full.left(n));
        EXPECT_THROW(cover.Serialize(ar), platform::ArchiveError) << "cut at " << n;
    }
    EXPECT_EQ(store(cover), before);
}

struct DamagedCase {
    const char* name;
    QByteArray bytes;
};

void PrintTo(const DamagedCase& c, std::ostream* os)
{
    *os << c.name;
}

class CoverDamaged : public testing::TestWithParam<DamagedCase> {};

TEST_P(CoverDamaged, IsRefusedAndChangesNothing)
{
    CVes_TableCover cover;
    cover.initVariables();
    const QByteArray before = store(cover);
    platform::Archive ar(GetParam().bytes);
    EXPECT_THROW(cover.Serialize(ar), platform::ArchiveError);
    EXPECT_EQ(store(cover), before);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, CoverDamaged,
    testing::Values(
        DamagedCase{"noRows", StreamBuilder().ints({2, 0, 1, 0}).count(0).data()},
        DamagedCase{"negativeRows", StreamBuilder().ints({2, -5, 1, 0}).count(0).data()},
        DamagedCase{"tooManyRows", StreamBuilder().ints({2, 5000000, 1, 0}).count(0).data()},
        DamagedCase{"noColumns", StreamBuilder().ints({2, 20, 0, 0}).count(0).data()},
        DamagedCase{"tooManyColumns", StreamBuilder().ints({2, 20, 100000, 0}).count(0).data()},
        DamagedCase{"hugeTextCount", StreamBuilder().ints({2, 20, 1, 1000000000}).data()},
        DamagedCase{"negativeTextCount", StreamBuilder().ints({1, -1}).data()},
        DamagedCase{"hugeShareCount",
                    StreamBuilder().ints({2, 20, 1, 0}).count(0x7FFFFFFF).i(5).data()},
        DamagedCase{"shareAboveTheWholePage",
                    StreamBuilder().ints({2, 2, 1, 0}).count(2).ints({50, 1056964620}).data()},
        DamagedCase{"negativeShare", StreamBuilder().ints({2, 2, 1, 0}).count(2).ints({-1, 50}).data()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TableCover, TooFewSharesArePaddedToTheRowCount)
{
    CVes_TableCover cover;
    load(cover, StreamBuilder()
                    .ints({2, 4, 1, 2})
                    .text({QStringLiteral("a"), QStringLiteral("甲")})
                    .text({QStringLiteral("b"), QStringLiteral("乙")})
                    .count(2)
                    .ints({50, 30})
                    .data());
    EXPECT_EQ(cover.m_rows, 4);
    EXPECT_EQ(cover.m_percents, (QList<int>{50, 30, 25, 25}));

    // A cover without texts keeps what it read: its shares come with its rows.
    CVes_TableCover empty;
    load(empty, StreamBuilder().ints({2, 4, 1, 0}).count(1).i(50).data());
    EXPECT_EQ(empty.m_percents, QList<int>{50});
}

TEST(TableCover, CopyFromTakesTextsAndSharesButNothingFromAnEmptyCover)
{
    CVes_TableCover source;
    load(source, coverSchema2());
    source.m_columns = 2;

    CVes_TableCover cover;
    cover.initVariables();
    CVes_TableCover empty;
    empty.m_rows = 7;
    cover.copyFrom(&empty);
    EXPECT_EQ(cover.m_rows, 20);
    EXPECT_EQ(cover.m_variables.size(), 20u);

    cover.copyFrom(&source);
    EXPECT_EQ(cover.m_rows, 3);
    EXPECT_EQ(cover.m_columns, 2);
    EXPECT_EQ(texts(cover), texts(source));
    EXPECT_EQ(cover.m_percents, source.m_percents);
    EXPECT_NE(cover.m_variables[0].get(), source.m_variables[0].get());
    EXPECT_EQ(cover.m_variables[0]->m_height, 80);
}

TEST(TableCover, CurrentTextOnlyInsideTheTexts)
{
    CVes_TableCover cover;
    cover.m_rows = 2;
    cover.initVariables();
    EXPECT_EQ(cover.getCurVar(), nullptr);
    cover.m_curVar = 1;
    EXPECT_EQ(cover.getCurVar(), cover.m_variables[1].get());
    cover.m_curVar = 2;
    EXPECT_EQ(cover.getCurVar(), nullptr);
    cover.clearVariables();
    cover.m_curVar = 0;
    EXPECT_EQ(cover.getCurVar(), nullptr);
    EXPECT_TRUE(cover.m_percents.isEmpty());
}

TEST(TableCover, TheFormFollowsTheCoverRowsAndColumns)
{
    CVes_TableCover cover;
    EXPECT_EQ(cover.m_form->GetRowCount(), 20);
    EXPECT_EQ(cover.m_form->GetColumnCount(), 1);

    load(cover, coverSchema2());
    EXPECT_EQ(cover.m_form->GetRowCount(), 3);

    // A cover taller than the default is drawn whole.
    StreamBuilder tall;
    tall.ints({2, 30, 1, 30});
    for (int i = 0; i < 30; ++i)
        tall.text({QStringLiteral("v%1").arg(i), QStringLiteral("%1").arg(i)});
    tall.count(0);
    load(cover, tall.data());
    EXPECT_EQ(cover.m_form->GetRowCount(), 30);
    EXPECT_EQ(cover.m_percents, QList<int>(30, 3));

    CVes_TableCover source;
    load(source, coverSchema2());
    source.m_columns = 2;
    cover.copyFrom(&source);
    EXPECT_EQ(cover.m_form->GetRowCount(), 3);
    EXPECT_EQ(cover.m_form->GetColumnCount(), 2);
}

TEST(TableCover, HitTestAnswersTheRowUnderThePointOrMinusOne)
{
    CVes_TableCover cover;
    cover.initVariables();
    cover.m_form->setRect(platform::Rect(0, 0, 100, 200)); // rows of 10
    int row = 7, column = 7;
    EXPECT_TRUE(cover.HitTest(QPoint(50, 25), row, column));
    EXPECT_EQ(row, 2);
    EXPECT_EQ(column, 0);
    EXPECT_TRUE(cover.HitTest(QPoint(50, 200), row, column));
    EXPECT_EQ(row, -1);
    EXPECT_EQ(column, -1);
    EXPECT_TRUE(cover.HitTest(QPoint(-1, 5), row, column));
    EXPECT_EQ(row, -1);
}

class CoverFile : public testing::Test {
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }
    QByteArray read(const char* name) const
    {
        QFile f(path(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void write(const char* name, const QByteArray& bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QTemporaryDir m_dir;
};

TEST_F(CoverFile, HoldsTheCoverPartAloneAndLoadsBack)
{
    test::HostScope host;
    CVes_TableCover cover;
    load(cover, coverSchema2());
    ASSERT_TRUE(cover.saveToFile(path("a.fmt")));
    EXPECT_EQ(read("a.fmt"), coverSchema2());
    EXPECT_EQ(host->waitDepth(), 0);

    CVes_TableCover back;
    back.initVariables();
    EXPECT_TRUE(back.loadFromFile(path("a.fmt")));
    EXPECT_EQ(back.m_rows, 3);
    EXPECT_EQ(back.m_columns, 1);
    EXPECT_EQ(texts(back), texts(cover));
    EXPECT_EQ(back.m_percents, cover.m_percents);
    EXPECT_TRUE(host->messages().empty());
}

TEST_F(CoverFile, AFileWithoutTextsChangesNothing)
{
    write("empty.fmt", StreamBuilder().ints({2, 5, 1, 0}).count(0).data());
    CVes_TableCover cover;
    cover.initVariables();
    const QByteArray before = store(cover);
    EXPECT_TRUE(cover.loadFromFile(path("empty.fmt")));
    EXPECT_EQ(store(cover), before);
}

TEST_F(CoverFile, EmptyPathMissingAndDamagedFilesChangeNothing)
{
    test::HostScope host;
    CVes_TableCover cover;
    cover.initVariables();
    const QByteArray before = store(cover);
    EXPECT_FALSE(cover.saveToFile(QString()));
    EXPECT_FALSE(cover.loadFromFile(QString()));
    EXPECT_FALSE(cover.loadFromFile(path("missing.fmt")));
    write("cut.fmt", coverSchema2().left(40));
    EXPECT_FALSE(cover.loadFromFile(path("cut.fmt")));
    EXPECT_EQ(store(cover), before);
    EXPECT_TRUE(host->messages().empty());

    write("new.fmt", StreamBuilder().ints({3, 5, 1, 0}).count(0).data());
    EXPECT_THROW(cover.loadFromFile(path("new.fmt")), platform::SchemaError);
    EXPECT_EQ(store(cover), before);
}

TEST_F(CoverFile, AFailedSaveLeavesThePreviousFileWhole)
{
    CVes_TableCover cover;
    load(cover, coverSchema2());
    ASSERT_TRUE(cover.saveToFile(path("keep.fmt")));
    cover.m_variables[0]->m_formula = QStringLiteral("\U0001F600");
    EXPECT_FALSE(cover.saveToFile(path("keep.fmt")));
    EXPECT_EQ(read("keep.fmt"), coverSchema2());
    EXPECT_FALSE(cover.saveToFile(path("no-such-folder/x.fmt")));
}

} // namespace
