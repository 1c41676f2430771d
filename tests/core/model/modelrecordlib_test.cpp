#include "core/geometry/datafolder.h"
#include "core/model/barcore.h"
#include "core/model/modelrecordlib.h"
#include "core/model/modelreference.h"
#include "core/model/recordcache.h"
#include "envora/settings.h"
#include "platform/archive.h"
#include "platform/savefile.h"
#include "tests/support/fixtures.h"
#include "tests/support/recordinghost.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <ostream>

namespace {

// A straight bar of `length` with optional 180° hooks.
std::unique_ptr<CVes_ModelRecord> straightBar(int length, bool hooks = false)
{
    auto r = std::make_unique<CVes_ModelRecord>();
    r->AddLSide(100, 150, 100 + length / 10, 150, 1, 0, 0x0000FF); // sides are red
    r->m_arrSide[0]->m_lengthText = QString::number(length);
    r->calculateSideLen(0);
    r->m_hookLeft.enabled = r->m_hookRight.enabled = hooks ? 1 : 0;
    r->m_hookLeft.kind = r->m_hookRight.kind = 4;
    return r;
}

QByteArray fileBytes(const QString& path)
{
    QByteArray bytes;
    EXPECT_TRUE(platform::readFile(path, &bytes));
    return bytes;
}

TEST(SubLib, AddCopyTakesTheSmallestFreeNumberAndSkipsEqualRecords)
{
    CVes_ModelRecordSubLib lib(QStringLiteral("直筋"));
    lib.changeMainId(201);
    for (int length : {1000, 2000, 3000, 4000})
        lib.Add_Copy(straightBar(length).get());
    lib.delete_Copy(CSteelRecordId(201, 3));
    EXPECT_EQ(lib.Add_Copy(straightBar(5000).get()), CSteelRecordId(201, 3));
    EXPECT_EQ(lib.Add_Copy(straightBar(2000).get()), CSteelRecordId(201, 2));
    EXPECT_EQ(lib.getModelArray().size(), 4u);
    EXPECT_EQ(lib.Add_Copy(nullptr), CSteelRecordId::Null());
}

// Importing a sub-library: records equal to one held answer its key, new
// ones take the smallest free numbers in turn, and a record the import
// brings twice is added once.
TEST(SubLib, AppendFillsFreeNumbersAndSkipsEqualRecords)
{
    CVes_ModelRecordSubLib lib(QStringLiteral("直筋"));
    lib.changeMainId(201);
    for (int length : {1000, 2000, 3000, 4000})
        lib.Add_Copy(straightBar(length).get());
    lib.delete_Copy(CSteelRecordId(201, 3));

    CVes_ModelRecordSubLib imported(QStringLiteral("导入"));
    imported.changeMainId(230);
    for (int length : {2000, 5000, 6000, 6000, 7000})
        imported.Add_Copy(straightBar(length).get());
    imported.getModelArray().push_back(std::make_unique<CVes_ModelRecord>(*straightBar(6000)));
    lib.Append(&imported);

    std::vector<std::pair<int, int>> numbers;
    for (const auto& record : lib.getModelArray())
        numbers.emplace_back(record->getID().m_recordNo, record->m_arrSide[0]->m_length);
    EXPECT_EQ(numbers, (std::vector<std::pair<int, int>>{
                           {1, 1000}, {2, 2000}, {4, 4000}, {3, 5000}, {5, 6000}, {6, 7000}}));
    for (const auto& record : lib.getModelArray())
        EXPECT_EQ(record->getID().m_mainId, 201);
}

TEST(SubLib, HookedAndPlainStraightBarsAreBothKept)
{
    CVes_ModelRecordSubLib lib;
    lib.changeMainId(101);
    EXPECT_EQ(lib.Add_Copy(straightBar(3000).get()), CSteelRecordId(101, 1));
    EXPECT_EQ(lib.Add_Copy(straightBar(3000, true).get()), CSteelRecordId(101, 2));
}

TEST(MainLib, NewSubLibraryIdsAndRemoval)
{
    CVes_ModelRecordMainLib lib;
    EXPECT_EQ(lib.AddNewSubLib(QStringLiteral("a"), 0)->MainId(), 201);
    EXPECT_EQ(lib.AddNewSubLib(QStringLiteral("b"), 0)->MainId(), 202);
    EXPECT_EQ(lib.AddNewSubLib(QStringLiteral("c"), 0)->MainId(), 203);
    EXPECT_EQ(lib.AddNewSubLib(QStringLiteral("s"), 1)->MainId(), 101);
    // Out of order, the single pass would meet a taken id.
    lib.getUselibArray()[0]->changeMainId(205);
    lib.getUselibArray()[2]->changeMainId(201);
    const int id = lib.AddNewSubLib(QStringLiteral("d"), 0)->MainId();
    EXPECT_NE(id, 201);
    EXPECT_NE(id, 202);
    EXPECT_NE(id, 205);
    EXPECT_EQ(lib.removeSubLib(4, 0), 0);
    EXPECT_EQ(lib.removeSubLib(3, 0), 1);
    EXPECT_EQ(lib.removeSubLib(-1, 0), 0);
    lib.sortSubLib(0);
    EXPECT_EQ(lib.getUselibArray()[0]->MainId(), 201);
    EXPECT_EQ(lib.getUselibArray()[2]->MainId(), 205);
}

class LibraryFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        clearTheUseRecordArray();
        QFile::remove(CVes_ModelRecordMainLib::sysLibPath());
        QFile::remove(CVes_ModelRecordMainLib::useLibPath());
    }
    void TearDown() override { clearTheUseRecordArray(); }

    // A library of two sub-libraries (201 and 202) saved as the user file.
    void saveUserLibrary()
    {
        CVes_ModelRecordMainLib lib;
        CVes_ModelRecordSubLib* a = lib.AddNewSubLib(QStringLiteral("直筋"), 0);
        a->Add_Copy(straightBar(1000).get());
        a->Add_Copy(straightBar(1000, true).get());
        lib.AddNewSubLib(QStringLiteral("箍筋"), 0)->Add_Copy(straightBar(500).get());
        ASSERT_EQ(lib.saveLib(QString(), 0), 1);
    }

    QTemporaryDir dir;
    test::HostScope host;
};

TEST_F(LibraryFiles, TwoSubLibrariesLoadAndResaveIdentically)
{
    saveUserLibrary();
    const QByteArray first = fileBytes(CVes_ModelRecordMainLib::useLibPath());
    // Schema 2, two sub-libraries, the first 201 "直筋" holding two records.
    EXPECT_EQ(test::toHex(first.left(22)),
              QStringLiteral("02 00 00 00 02 00 00 00 01 00 00 00 C9 00 00 00 04 D6 B1 BD EE 02"));
    EXPECT_EQ(test::toHex(first.right(12)),
              QStringLiteral("D9 07 00 00 01 00 00 00 01 00 00 00"));

    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(QString(), 0), 1);
    ASSERT_EQ(lib.getUselibArray().size(), 2u);
    EXPECT_EQ(lib.getUselibArray()[1]->name(), QStringLiteral("箍筋"));
    const QString copy = dir.filePath(QStringLiteral("copy.jlb"));
    ASSERT_EQ(lib.saveLib(copy, 0), 1);
    const QByteArray again = fileBytes(copy);
    ASSERT_EQ(again.size(), first.size());
    for (qsizetype i = 0; i < first.size(); ++i)
        ASSERT_EQ(again[i], first[i]) << "first difference at byte " << i;
}

TEST_F(LibraryFiles, Schema1HasNoVersionAndTrailingBytesAreIgnored)
{
    const QString path = dir.filePath(QStringLiteral("old.jlb"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    // Schema 1, one empty sub-library 150 "x", then stale bytes.
    f.write(test::hex("01 00 00 00 01 00 00 00 01 00 00 00 96 00 00 00 01 78 00 00 00 00 AA BB CC"));
    f.close();
    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(path, 1), 1);
    ASSERT_EQ(lib.getSyslibArray().size(), 1u);
    EXPECT_EQ(lib.getSyslibArray()[0]->MainId(), 150);
    int a, b, c;
    lib.getVer(a, b, c);
    EXPECT_EQ(a, 2009);
}

// Damage a library file can have: written by a newer program, or cut short.
struct DamageCase {
    const char* name;
    bool start;                          // the start-style library
    QByteArray (*damage)(QByteArray whole);
};

std::ostream& operator<<(std::ostream& os, const DamageCase& c)
{
    return os << c.name;
}

class DamagedLibraries : public LibraryFiles, public ::testing::WithParamInterface<DamageCase> {};

TEST_P(DamagedLibraries, AreNeverWrittenOverUntilALibraryIsRestored)
{
    const DamageCase& c = GetParam();
    saveUserLibrary();
    const QByteArray whole = fileBytes(CVes_ModelRecordMainLib::useLibPath());
    CVes_ModelStartMainLib starts;
    CVes_ModelRecordMainLib shapes;
    CVes_ModelRecordMainLib& lib = c.start ? starts : shapes;
    const QString path = c.start ? starts.m_usePath : CVes_ModelRecordMainLib::useLibPath();
    const QByteArray damaged = c.damage(whole);
    ASSERT_TRUE(platform::saveFile(path, damaged));

    EXPECT_EQ(lib.loadLib(QString(), 0), 0);
    EXPECT_TRUE(lib.isUnreadable(0));
    EXPECT_FALSE(lib.isUnreadable(1));
    EXPECT_TRUE(lib.getUselibArray().empty());
    lib.AddNewSubLib(QStringLiteral("x"), 0);
    EXPECT_EQ(lib.saveLib(QString(), 0), 0);
    EXPECT_EQ(lib.saveLib(path, 0), 0);
    EXPECT_EQ(fileBytes(path), damaged);

    // A whole library restored into the side may then replace the file.
    const QString backup = dir.filePath(QStringLiteral("backup.jlb"));
    ASSERT_TRUE(platform::saveFile(backup, whole));
    ASSERT_EQ(lib.restoreLib(backup, 0), 1);
    EXPECT_FALSE(lib.isUnreadable(0));
    EXPECT_EQ(lib.saveLib(QString(), 0), 1);
    EXPECT_EQ(fileBytes(path), whole);
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedLibraries,
    ::testing::Values(
        DamageCase{"shapes_newer_schema", false, [](QByteArray) { return test::hex("03 00 00 00 00 00 00 00"); }},
        DamageCase{"shapes_one_byte_short", false, [](QByteArray b) { return b.left(b.size() - 1); }},
        DamageCase{"shapes_cut_in_a_record", false, [](QByteArray b) { return b.left(b.size() / 2); }},
        DamageCase{"starts_newer_schema", true, [](QByteArray) { return test::hex("03 00 00 00 00 00 00 00"); }},
        DamageCase{"starts_one_byte_short", true, [](QByteArray b) { return b.left(b.size() - 1); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LibraryFiles, WriteErrorLeavesThePreviousFileWhole)
{
    saveUserLibrary();
    const QByteArray before = fileBytes(CVes_ModelRecordMainLib::useLibPath());
    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(QString(), 0), 1);
    // A name GBK cannot hold stops the write halfway.
    lib.getUselibArray()[1]->changName(QString::fromUtf8("\xF0\x9F\x98\x80"));
    EXPECT_EQ(lib.saveLib(QString(), 0), 0);
    EXPECT_EQ(fileBytes(CVes_ModelRecordMainLib::useLibPath()), before);
}

TEST_F(LibraryFiles, LookupsNeitherGrowTheLibraryNorLoseTheFirstMatch)
{
    saveUserLibrary();
    CVes_ModelRecordMainLib lib;
    for (int i = 0; i < 50; ++i)
        ASSERT_NE(lib.getModel(CSteelRecordId(201, 2), 0), nullptr);
    EXPECT_EQ(lib.getUselibArray().size(), 2u);
    EXPECT_EQ(lib.getModel(QStringLiteral("201-2"), 1)->haveHookLeft(), 1);
    EXPECT_EQ(lib.getModel(CSteelRecordId(201, 9), 1), nullptr);
    EXPECT_EQ(lib.getModel(CSteelRecordId(), 1), nullptr);

    std::vector<std::unique_ptr<CVes_ModelRecord>> out;
    lib.getModelArray({QStringLiteral("202-1"), QStringLiteral("x"), QStringLiteral("201-001")}, &out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0]->getID(), CSteelRecordId(202, 1));
    EXPECT_EQ(out[1]->getID(), CSteelRecordId(201, 1));
}

TEST_F(LibraryFiles, AppendLibMergesByMainIdOrMakesNewUserSubLibraries)
{
    saveUserLibrary();
    CVes_ModelRecordMainLib other;
    other.AddNewSubLib(QStringLiteral("直筋"), 0)->Add_Copy(straightBar(7000).get());
    auto* extra = other.AddNewSubLib(QStringLiteral("外来"), 0);
    extra->changeMainId(250);
    extra->Add_Copy(straightBar(8000).get());
    const QString path = dir.filePath(QStringLiteral("import.jlb"));
    ASSERT_EQ(other.saveLib(path, 0), 1);

    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(QString(), 0), 1);
    EXPECT_EQ(lib.appendLib(path, 0), 1);
    ASSERT_EQ(lib.getUselibArray().size(), 3u);
    EXPECT_EQ(lib.getUselibArray()[0]->getModelArray().size(), 3u);
    EXPECT_EQ(lib.getUselibArray()[2]->MainId(), 203);
    EXPECT_EQ(lib.getUselibArray()[2]->name(), QStringLiteral("外来"));

    EXPECT_EQ(lib.appendLib(dir.path(), 0), 0);
    const QString bad = dir.filePath(QStringLiteral("bad.jlb"));
    ASSERT_TRUE(platform::saveFile(bad, test::hex("02 00 00 00 05 00")));
    EXPECT_EQ(lib.appendLib(bad, 0), 0);
    EXPECT_EQ(lib.getUselibArray().size(), 3u);
}

TEST_F(LibraryFiles, RestoreReplacesOnlyItsSideAndOnlyOnSuccess)
{
    saveUserLibrary();
    CVes_ModelRecordMainLib lib;
    lib.AddNewSubLib(QStringLiteral("sys"), 1);
    lib.AddNewSubLib(QStringLiteral("mine"), 0);

    EXPECT_EQ(lib.restoreLib(dir.filePath(QStringLiteral("missing.jlb")), 0), 0);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("missing.jlb"))));
    const QString empty = dir.filePath(QStringLiteral("empty.jlb"));
    ASSERT_TRUE(platform::saveFile(empty, QByteArray()));
    EXPECT_EQ(lib.restoreLib(empty, 0), 0);
    ASSERT_EQ(lib.getUselibArray().size(), 1u);

    EXPECT_EQ(lib.restoreLib(CVes_ModelRecordMainLib::useLibPath(), 0), 1);
    EXPECT_EQ(lib.getUselibArray().size(), 2u);
    ASSERT_EQ(lib.getSyslibArray().size(), 1u);
    EXPECT_EQ(lib.getSyslibArray()[0]->name(), QStringLiteral("sys"));
}

TEST_F(LibraryFiles, BackupNameFromTheClock)
{
    saveUserLibrary();
    host->setNow(QDateTime(QDate(2013, 3, 3), QTime(14, 5)));
    CVes_ModelRecordMainLib lib;
    lib.bakLib(QString(), 0);
    const QString backup = GetRODOFilePath() + QStringLiteral("userdata/用户钢筋库备份_2013_03_03_14_05.jlb");
    ASSERT_TRUE(QFileInfo::exists(backup));
    EXPECT_EQ(fileBytes(backup), fileBytes(CVes_ModelRecordMainLib::useLibPath()));
}

TEST_F(LibraryFiles, CacheSharesRecordsAndMakesOnePlaceholder)
{
    saveUserLibrary();
    CVes_ModelRecord* a = getUseModelRecord(CSteelRecordId(201, 1));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(201, 1)), a);
    EXPECT_EQ(useModelCache().size(), 1);

    CVes_ModelRecord* missing = getUseModelRecord(CSteelRecordId(205, 3));
    ASSERT_NE(missing, nullptr);
    ASSERT_EQ(missing->m_arrText.size(), 1u);
    EXPECT_EQ(missing->m_arrText[0]->m_text, QStringLiteral("大样编号205-3为用户大样，未找到"));
    EXPECT_TRUE(missing->m_arrSide.empty());
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(205, 3)), missing);
    EXPECT_EQ(useModelCache().size(), 2);
    EXPECT_EQ(getUseModelRecord(CSteelRecordId()), nullptr);
}

// Keys the libraries lack are answered without reading the library file
// again until it changes; each read shows the wait cursor once.
TEST_F(LibraryFiles, CacheRemembersMissesUntilTheLibraryChanges)
{
    saveUserLibrary();
    ASSERT_NE(getUseModelRecord(CSteelRecordId(201, 1)), nullptr);
    const int reads = host->waitCalls();
    for (int n = 20; n < 70; ++n)
        EXPECT_TRUE(isPlaceholderRecord(*getUseModelRecord(CSteelRecordId(203, n))));
    ASSERT_FALSE(isPlaceholderRecord(*getUseModelRecord(CSteelRecordId(202, 1))));
    EXPECT_EQ(host->waitCalls(), reads) << "the unchanged library was read again";

    // The library gains sub-library 203 with shapes 1 to 11: keys not asked
    // for before are found.
    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(QString(), 0), 1);
    CVes_ModelRecordSubLib* added = lib.AddNewSubLib(QStringLiteral("新"), 0);
    ASSERT_EQ(added->MainId(), 203);
    for (int length : {100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100})
        added->Add_Copy(straightBar(length).get());
    ASSERT_EQ(lib.saveLib(QString(), 0), 1);
    const int saved = host->waitCalls();
    EXPECT_FALSE(isPlaceholderRecord(*getUseModelRecord(CSteelRecordId(203, 11))));
    EXPECT_TRUE(isPlaceholderRecord(*getUseModelRecord(CSteelRecordId(203, 70))));
    EXPECT_EQ(host->waitCalls(), saved + 1) << "the changed library is read once";
}

// Past the bound a missing key gets no placeholder: its bar draws no shape,
// counts as missing and keeps the length it was saved with.
TEST_F(LibraryFiles, CacheKeepsABoundedNumberOfPlaceholders)
{
    saveUserLibrary();
    const int bound = CVes_ModelRecordArrayEx::kMaxPlaceholders;
    for (int n = 1; n <= bound; ++n)
        ASSERT_NE(getUseModelRecord(CSteelRecordId(210, n)), nullptr) << n;
    EXPECT_EQ(useModelCache().size(), bound);
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(210, bound + 1)), nullptr);
    EXPECT_NE(getUseModelRecord(CSteelRecordId(201, 1)), nullptr) << "real shapes still come";
    EXPECT_NE(getUseModelRecord(CSteelRecordId(210, 7)), nullptr) << "kept ones stay";
    EXPECT_EQ(useModelCache().size(), bound + 1);

    CVes_BarCore bar;
    bar.setRecordId(CSteelRecordId(210, bound + 2));
    bar.length = 2500.0f;
    EXPECT_TRUE(bar.isShapeMissing());
    EXPECT_FLOAT_EQ(bar.getLength(0, 1.0), 2500.0f);

    clearTheUseRecordArray();
    EXPECT_NE(getUseModelRecord(CSteelRecordId(210, bound + 1)), nullptr);
}

TEST_F(LibraryFiles, CacheReadsTheFileAgainAfterClearingAndAppliesTheDimensionSetting)
{
    saveUserLibrary();
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(202, 1))->m_arrSide[0]->m_length, 500);

    // The library changes on disk; the cache keeps its copy until cleared.
    CVes_ModelRecordMainLib lib;
    ASSERT_EQ(lib.loadLib(QString(), 0), 1);
    lib.getUselibArray()[1]->getModelArray()[0]->m_arrSide[0]->m_length = 600;
    ASSERT_EQ(lib.saveLib(QString(), 0), 1);
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(202, 1))->m_arrSide[0]->m_length, 500);
    refreshTheUseRecordArray();
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(202, 1))->m_arrSide[0]->m_length, 600);
    clearTheUseRecordArray();
    EXPECT_EQ(useModelCache().size(), 0);
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(202, 1))->m_arrSide[0]->m_length, 600);

    EXPECT_EQ(getUseModelRecord(CSteelRecordId(202, 1))->m_outDim, 1);
    QString error;
    ASSERT_TRUE(envora::updateSettings([](envora::Settings& s) { s.steel.dimType = 1; }, &error))
        << error.toStdString();
    EXPECT_EQ(getUseModelRecord(CSteelRecordId(202, 1))->m_outDim, 0);
    envora::updateSettings([](envora::Settings& s) { s.steel.dimType = 0; }, &error);
}

} // namespace
