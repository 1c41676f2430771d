// The bar list's table of contents: one row per element line with the
// element's piece count, padded with dots to a width in GBK bytes, and the
// page the element stands on.

#include "tables/barlist/setuptable.h"

#include "platform/gbk.h"
#include "tables/framework/tablecontents.h"
#include "tables/framework/tabletextline.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

CVes_SetupTableLine* element(const QString& name, int pieces)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    line->setNull(0);
    line->setElement(name);
    line->setEleNum(pieces);
    return line;
}

CVes_SetupTableLine* bar()
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kSteelLine));
    line->setNull(0);
    return line;
}

QStringList row(const CVes_TableContents& contents, int i)
{
    auto* line = dynamic_cast<CVes_TableTextLine*>(contents.lines().value(i));
    return line ? line->getTexts() : QStringList{QStringLiteral("<not a text row>")};
}

struct EntryCase {
    const char* name;
    int orientation;
    const char* element;
    int pieces;
    const char* entry;  // the entry before its dots
    int dots;
};

void PrintTo(const EntryCase& c, std::ostream* os) { *os << c.name; }

class ContentsEntry : public testing::TestWithParam<EntryCase> {};

TEST_P(ContentsEntry, PaddedInGbkBytes)
{
    const EntryCase& c = GetParam();
    CVes_SetupTable t;
    t.clearnAllLine();
    t.m_orientation = c.orientation;
    t.appendLine(element(QString::fromUtf8(c.element), c.pieces));
    std::unique_ptr<CVes_TableContents> contents(t.TableContens(nullptr));
    ASSERT_EQ(contents->lines().size(), 1);
    const QString entry = QString::fromUtf8(c.entry);
    EXPECT_EQ(row(*contents, 0), (QStringList{entry + QString(c.dots, QLatin1Char('.')), "1"}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ContentsEntry,
    testing::Values(
        // "ABC(2件)" is 8 bytes: 52 dots make 60.
        EntryCase{"Portrait", 1, "ABC", 2, "ABC(2件)", 52},
        EntryCase{"Landscape", 2, "ABC", 2, "ABC(2件)", 85},
        // Chinese characters count two bytes each: "梁KL1(12件)" is 11 bytes.
        EntryCase{"ChineseText", 1, "梁KL1", 12, "梁KL1(12件)", 49},
        EntryCase{"ExactlyFull", 1, "1234567890123456789012345678901234567890123456789012345",
                  1, "1234567890123456789012345678901234567890123456789012345(1件)", 0},
        EntryCase{"LongerThanTheWidth", 1,
                  "123456789012345678901234567890123456789012345678901234545678901234567890", 3,
                  "123456789012345678901234567890123456789012345678901234545678901234567890(3件)",
                  0},
        EntryCase{"EmptyName", 1, "", 0, "(0件)", 55}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Contents, PagesFollowThePrintedRows)
{
    CVes_SetupTable t;
    t.clearnAllLine();
    t.m_orientation = CVes_Template::kPortrait;
    t.m_rowNum = 2;
    t.appendLine(element(QStringLiteral("KL1"), 1));  // page 1
    t.appendLine(bar());
    t.appendLine(bar());                              // page 2
    t.appendLine(bar());
    t.appendLine(element(QStringLiteral("ABC"), 2));  // page 3
    t.appendLine(element(QStringLiteral("ABD"), 4));  // page 3

    std::unique_ptr<CVes_TableContents> contents(t.TableContens(nullptr));
    ASSERT_EQ(contents->lines().size(), 3);
    EXPECT_EQ(row(*contents, 0).value(1), "1");
    EXPECT_EQ(row(*contents, 1), (QStringList{"ABC(2件)" + QString(52, QLatin1Char('.')), "3"}));
    EXPECT_EQ(row(*contents, 2).value(1), "3");
    EXPECT_EQ(platform::gbk::byteLength(row(*contents, 2).value(0)), 60);
    EXPECT_EQ(contents->m_orientation, CVes_Template::kPortrait);
    EXPECT_EQ(contents->m_rowNum, 2);
    EXPECT_EQ(contents->isModified(), 1);
}

TEST(Contents, RebuildReplacesTheRows)
{
    CVes_SetupTable t;
    t.clearnAllLine();
    t.appendLine(element(QStringLiteral("KL1"), 1));
    t.appendLine(element(QStringLiteral("KL2"), 1));
    CVes_TableContents contents;
    contents.appendLine(new CVes_TableTextLine(QStringList{"old", "9"}));
    EXPECT_EQ(t.TableContens(&contents), &contents);
    ASSERT_EQ(contents.lines().size(), 2);
    EXPECT_TRUE(row(contents, 0).value(0).startsWith("KL1(1件)"));
    t.TableContens(&contents);
    EXPECT_EQ(contents.lines().size(), 2);
}

TEST(Contents, ListWithoutElementsGivesNoRows)
{
    CVes_SetupTable t;
    t.clearnAllLine();
    t.appendLine(bar());
    std::unique_ptr<CVes_TableContents> contents(t.TableContens(nullptr));
    EXPECT_TRUE(contents->lines().isEmpty());
}

} // namespace
