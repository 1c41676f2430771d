#include "core/model/steelyuancai.h"

#include "tests/support/fixtures.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Record {
    float DN;
    int steelType;
    int grade;
    int length;
    float price;
};

std::vector<Record> recordsOf(const CVes_SteelYuanCaiLib& lib)
{
    std::vector<Record> records;
    for (int i = 0; i < lib.count(); ++i) {
        const CVes_SteelYuanCai* r = lib.at(i);
        EXPECT_EQ(r->count, 1);
        records.push_back({r->DN, r->steelType, r->grade, r->length, r->price});
    }
    return records;
}

void expectRecords(const CVes_SteelYuanCaiLib& lib, const std::vector<Record>& expected)
{
    const std::vector<Record> records = recordsOf(lib);
    ASSERT_EQ(records.size(), expected.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(records[i].DN, expected[i].DN);
        EXPECT_EQ(records[i].steelType, expected[i].steelType);
        EXPECT_EQ(records[i].grade, expected[i].grade);
        EXPECT_EQ(records[i].length, expected[i].length);
        EXPECT_EQ(records[i].price, expected[i].price);
    }
}

class TempFiles {
public:
    QString write(const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(QStringLiteral("stock%1.xml").arg(++m_count));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    int m_count = 0;
};

TEST(CVes_SteelYuanCai, DefaultsCopiesAndOrder)
{
    const CVes_SteelYuanCai plain;
    EXPECT_EQ(plain.length, 12000);
    EXPECT_EQ(plain.count, 1);
    const CVes_SteelYuanCai nine(9000, -1);
    EXPECT_EQ(nine.length, 9000);
    EXPECT_EQ(nine.count, -1);

    CVes_SteelYuanCai full(6000, 3);
    full.DN = 22.0f;
    full.steelType = 1;
    full.grade = 3;
    full.price = 4100.5f;
    full.number = 7;
    full.extra = 9;
    CVes_SteelYuanCai copy;
    copy = full;
    EXPECT_EQ(copy.DN, 22.0f);
    EXPECT_EQ(copy.steelType, 1);
    EXPECT_EQ(copy.grade, 3);
    EXPECT_EQ(copy.length, 6000);
    EXPECT_EQ(copy.count, 3);
    EXPECT_EQ(copy.price, 4100.5f);
    EXPECT_EQ(copy.number, 7);
    EXPECT_EQ(copy.extra, 9);

    // Only the length orders stock; a stable sort keeps equal lengths in turn.
    std::vector<CVes_SteelYuanCai> stock{{12000, 1}, {9000, 2}, {12000, 3}, {6000, 4}};
    stock[0].DN = 25.0f;
    EXPECT_FALSE(stock[0] < stock[2]);
    EXPECT_FALSE(stock[2] < stock[0]);
    std::stable_sort(stock.begin(), stock.end());
    EXPECT_EQ(stock[0].count, 4);
    EXPECT_EQ(stock[1].count, 2);
    EXPECT_EQ(stock[2].count, 1);
    EXPECT_EQ(stock[3].count, 3);
}

struct YuanCaiReadCase {
    const char* name;
    QByteArray xml;
    bool read;
    std::vector<Record> records;
};
void PrintTo(const YuanCaiReadCase& c, std::ostream* os) { *os << c.name; }

class SteelYuanCaiRead : public ::testing::TestWithParam<YuanCaiReadCase> {};

TEST_P(SteelYuanCaiRead, Records)
{
    const YuanCaiReadCase& c = GetParam();
    TempFiles files;
    CVes_SteelYuanCaiLib lib;
    EXPECT_EQ(lib.readFile(files.write(c.xml)), c.read);
    expectRecords(lib, c.records);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SteelYuanCaiRead,
    ::testing::Values(
        YuanCaiReadCase{"PriceAndLength",
                 "<STEELYUANCAI><STEEL DN=\"12\" TYPE=\"0\" GRADE=\"2\"><PRICE>3950.5</PRICE>"
                 "<LENGTH>9000</LENGTH></STEEL></STEELYUANCAI>",
                 true,
                 {{12.0f, 0, 2, 9000, 3950.5f}}},
        YuanCaiReadCase{"WithoutLengthTwelveMetres",
                 "<STEELYUANCAI>\r\n<STEEL DN=\"8\" TYPE=\"1\" GRADE=\"1\">"
                 "<PRICE>4000</PRICE></STEEL>\r\n</STEELYUANCAI>\r\n",
                 true,
                 {{8.0f, 1, 1, 12000, 4000.0f}}},
        YuanCaiReadCase{"LengthBeforePrice",
                 "<STEELYUANCAI><STEEL DN=\"6.5\" TYPE=\"0\" GRADE=\"1\"><LENGTH>6000</LENGTH>"
                 "<PRICE>4100</PRICE></STEEL></STEELYUANCAI>",
                 true,
                 {{6.5f, 0, 1, 6000, 4100.0f}}},
        YuanCaiReadCase{"WithoutChildren",
                 "<STEELYUANCAI><STEEL DN=\"25\" TYPE=\"0\" GRADE=\"3\"/></STEELYUANCAI>",
                 true,
                 {{25.0f, 0, 3, 12000, 0.0f}}},
        YuanCaiReadCase{"TextsThatAreNoNumbers",
                 "<STEELYUANCAI><STEEL DN=\"abc\" TYPE=\"x1\" GRADE=\"\"><PRICE> 12.5 yuan</PRICE>"
                 "<LENGTH>9000mm</LENGTH></STEEL><STEEL DN=\" -3\" TYPE=\"+2\" GRADE=\"--1\">"
                 "<LENGTH>1e3</LENGTH><PRICE>.5</PRICE></STEEL></STEELYUANCAI>",
                 true,
                 {{0.0f, 0, 0, 9000, 12.5f}, {-3.0f, 2, 0, 1, 0.5f}}},
        YuanCaiReadCase{"OnlyStockElementsOfTheRoot",
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- 库存 -->\n"
                 "<STEELYUANCAI><NOTE>原材</NOTE><STEEL DN=\"10\" TYPE=\"0\" GRADE=\"2\"/>"
                 "<GROUP><STEEL DN=\"99\" TYPE=\"0\" GRADE=\"2\"/></GROUP>"
                 "<STEEL DN=\"14\" TYPE=\"0\" GRADE=\"2\"><LENGTH>9000</LENGTH><NOTE/></STEEL>"
                 "</STEELYUANCAI>",
                 true,
                 {{10.0f, 0, 2, 12000, 0.0f}, {14.0f, 0, 2, 9000, 0.0f}}},
        YuanCaiReadCase{"NumbersBeyondAFloat",
                 "<STEELYUANCAI><STEEL DN=\"1e300\" TYPE=\"0\" GRADE=\"2\"><PRICE>-1e39</PRICE>"
                 "<LENGTH>99999999999</LENGTH></STEEL></STEELYUANCAI>",
                 true,
                 {{0.0f, 0, 2, 2147483647, 0.0f}}},
        YuanCaiReadCase{"OtherRoot", "<STOCK><STEEL DN=\"10\" TYPE=\"0\" GRADE=\"2\"/></STOCK>", false,
                 {}},
        YuanCaiReadCase{"EmptyFile", "", false, {}},
        YuanCaiReadCase{"NoXml", "12000,10,2\n", false, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// A stock file as the user's tools save it: GB2312, CR LF, Chinese notes.
TEST(CVes_SteelYuanCaiLib, ReadsAChineseStockFile)
{
    TempFiles files;
    CVes_SteelYuanCaiLib lib;
    ASSERT_TRUE(lib.readFile(files.write(RODO_FIXTURE("steelyuancai_gb2312.xml"))));
    expectRecords(lib, {{12.0f, 0, 2, 9000, 3980.0f},
                        {20.0f, 0, 3, 12000, 4050.0f},
                        {20.0f, 1, 3, 9000, 4600.0f}});
}

TEST(CVes_SteelYuanCaiLib, ReadingReplacesTheList)
{
    TempFiles files;
    CVes_SteelYuanCaiLib lib;
    ASSERT_TRUE(lib.readFile(files.write(
        "<STEELYUANCAI><STEEL DN=\"12\" TYPE=\"0\" GRADE=\"2\"/></STEELYUANCAI>")));
    ASSERT_TRUE(lib.readFile(files.write(
        "<STEELYUANCAI><STEEL DN=\"16\" TYPE=\"0\" GRADE=\"2\"/></STEELYUANCAI>")));
    expectRecords(lib, {{16.0f, 0, 2, 12000, 0.0f}});
    EXPECT_EQ(lib.at(1), nullptr);
    EXPECT_EQ(lib.at(-1), nullptr);
}

// A failed load keeps the list that was read before.
TEST(CVes_SteelYuanCaiLib, FailedReadLeavesTheList)
{
    TempFiles files;
    CVes_SteelYuanCaiLib lib;
    ASSERT_TRUE(lib.readFile(files.write(
        "<STEELYUANCAI><STEEL DN=\"16\" TYPE=\"0\" GRADE=\"2\"/></STEELYUANCAI>")));
    EXPECT_FALSE(lib.readFile(files.path("missing.xml")));
    expectRecords(lib, {{16.0f, 0, 2, 12000, 0.0f}});
    EXPECT_FALSE(lib.readFile(files.write("<LIBRARY><STEEL DN=\"8\"/></LIBRARY>")));
    expectRecords(lib, {{16.0f, 0, 2, 12000, 0.0f}});
}

TEST(CVes_SteelYuanCaiLib, LookupsAnswerTheFirstExactMatch)
{
    TempFiles files;
    CVes_SteelYuanCaiLib lib;
    ASSERT_TRUE(lib.readFile(files.write(
        "<STEELYUANCAI>"
        "<STEEL DN=\"12\" TYPE=\"0\" GRADE=\"2\"><PRICE>3900</PRICE><LENGTH>9000</LENGTH></STEEL>"
        "<STEEL DN=\"12\" TYPE=\"0\" GRADE=\"2\"><PRICE>4200</PRICE><LENGTH>6000</LENGTH></STEEL>"
        "<STEEL DN=\"12\" TYPE=\"1\" GRADE=\"2\"><PRICE>4700</PRICE><LENGTH>7000</LENGTH></STEEL>"
        "</STEELYUANCAI>")));
    EXPECT_EQ(lib.getYuanCaiLength(12.0f, 2, 0), 9000);
    EXPECT_EQ(lib.getYuanCaiPrice(12.0f, 2, 0), 3900.0f);
    EXPECT_EQ(lib.getYuanCaiLength(12.0f, 2, 1), 7000);
    EXPECT_EQ(lib.getYuanCaiPrice(12.0f, 2, 1), 4700.0f);
    // Exact diameters, grades and types only.
    EXPECT_EQ(lib.getYuanCaiLength(12.000001f, 2, 0), 0);
    EXPECT_EQ(lib.getYuanCaiPrice(12.000001f, 2, 0), 0.0f);
    EXPECT_EQ(lib.getYuanCaiLength(12.0f, 3, 0), 0);
    EXPECT_EQ(lib.getYuanCaiLength(12.0f, 2, 2), 0);
    EXPECT_EQ(lib.getYuanCaiLength(12.0f, unsigned(-2), 0), 0);
}

TEST(CVes_SteelYuanCaiLib, WriteFileWritesNothing)
{
    TempFiles files;
    const QByteArray original = "<STEELYUANCAI><STEEL DN=\"12\" TYPE=\"0\" GRADE=\"2\"/></STEELYUANCAI>";
    const QString existing = files.write(original);
    CVes_SteelYuanCaiLib lib;
    ASSERT_TRUE(lib.readFile(existing));
    lib.writeFile(files.path("new.xml"));
    lib.writeFile(existing);
    EXPECT_FALSE(QFile::exists(files.path("new.xml")));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), original);
}

} // namespace
