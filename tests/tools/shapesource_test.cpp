// The readable source of the default shapes: what it refuses, and that the
// generated files follow from it alone.

#include "tools/shapesource.h"

#include "core/model/modelrecordlib.h"
#include "platform/folders.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString sourceDir()
{
    return QDir::cleanPath(QStringLiteral(RODO_FIXTURES_DIR "/../../../data/shapes"));
}

std::map<QString, QByteArray> filesOf(const QString& dir)
{
    std::map<QString, QByteArray> out;
    for (const QString& f : QDir(dir).entryList(QDir::Files)) {
        QByteArray bytes;
        EXPECT_TRUE(platform::readFile(QDir(dir).filePath(f), &bytes));
        out[f] = bytes;
    }
    return out;
}

// Two generations from the same source give the same bytes, and they are
// the files the build put into the data folder.
TEST(ShapeSource, RegeneratingGivesIdenticalFiles)
{
    QTemporaryDir first, second;
    for (const QTemporaryDir* dir : {&first, &second}) {
        shapes::ShapeSet set;
        QString error;
        ASSERT_TRUE(shapes::readShapeSources(sourceDir(), set, error)) << error.toStdString();
        ASSERT_TRUE(shapes::writeShapeFiles(set, dir->path(), error)) << error.toStdString();
    }
    const auto a = filesOf(first.path());
    const auto b = filesOf(second.path());
    ASSERT_GE(a.size(), 15u);
    EXPECT_EQ(a, b);

    const QString built = platform::installedDataFolder();
    for (const auto& [name, bytes] : a) {
        QByteArray there;
        ASSERT_TRUE(platform::readFile(QDir(built).filePath(name), &there)) << name.toStdString();
        EXPECT_EQ(there, bytes) << name.toStdString() << " in the build is not what the source gives";
    }
}

// The empty user libraries are a library stream with no sub-library.
TEST(ShapeSource, UserLibrariesAreWrittenEmpty)
{
    QTemporaryDir dir;
    shapes::ShapeSet set;
    QString error;
    ASSERT_TRUE(shapes::readShapeSources(sourceDir(), set, error)) << error.toStdString();
    ASSERT_TRUE(shapes::writeShapeFiles(set, dir.path(), error)) << error.toStdString();
    // schema 2, no sub-library, version 2009.1.1
    const QByteArray empty = QByteArray::fromHex("02000000" "00000000" "d9070000" "01000000" "01000000");
    for (const char* f : {shapes::kUseLibFile, shapes::kStartUseLibFile}) {
        QByteArray bytes;
        ASSERT_TRUE(platform::readFile(dir.filePath(QLatin1String(f)), &bytes));
        EXPECT_EQ(bytes, empty) << f;
    }
    QByteArray list;
    ASSERT_TRUE(platform::readFile(dir.filePath(QStringLiteral("recentSteel.dat")), &list));
    EXPECT_TRUE(list.startsWith("190-001\r\n191-001\r\n"));
}

struct BadShape {
    const char* name;
    const char* json;
    const char* error; // a part of the message
};

std::ostream& operator<<(std::ostream& os, const BadShape& b)
{
    return os << b.name;
}

const BadShape kBadShapes[] = {
    {"FunctionInName",
     R"({"name":"x","vars":[{"name":"Lsin","value":1,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"Lsin"}]})",
     "contains the function name sin"},
    {"IntInName",
     R"({"name":"x","vars":[{"name":"Lint","value":1,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"Lint"}]})",
     "contains the function name int"},
    {"ChineseName",
     R"({"name":"x","vars":[{"name":"长","value":1,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"1"}]})",
     "starts with a letter"},
    {"NameStartsWithDigit",
     R"({"name":"x","vars":[{"name":"1L","value":1,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"1"}]})",
     "starts with a letter"},
    {"StandardName",
     R"({"name":"x","vars":[{"name":"la","value":1,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"1"}]})",
     "is a standard variable"},
    {"NameTwice",
     R"({"name":"x","vars":[{"name":"L","value":1,"at":[0,0]},{"name":"L","value":2,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]})",
     "named twice"},
    {"GivenWithoutValue",
     R"({"name":"x","vars":[{"name":"L","at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]})",
     "needs a default value"},
    {"ComputedWithoutFormula",
     R"({"name":"x","vars":[{"name":"L","kind":"computed","at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]})",
     "needs a formula"},
    {"MissingAngle",
     R"({"name":"x","sides":[{"from":[10,10],"to":[100,10],"L":"100"},{"to":[100,100],"L":"100"}]})",
     "needs its angle A"},
    {"AngleOnFirstSide",
     R"({"name":"x","sides":[{"from":[10,10],"to":[100,10],"A":"90","L":"100"}]})",
     "the first side has no angle"},
    {"UnknownVariableInFormula",
     R"({"name":"x","sides":[{"from":[10,10],"to":[100,10],"L":"L9"}]})",
     "formula \"L9\""},
    {"ZeroDefaultLength",
     R"({"name":"x","vars":[{"name":"L","value":0,"at":[0,0]}],
         "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]})",
     "the default length is 0"},
    {"AngleOutOfRange",
     R"({"name":"x","sides":[{"from":[10,10],"to":[100,10],"L":"100"},
                              {"to":[100,100],"A":"270","L":"100"}]})",
     "the default angle is 270"},
    {"SideJoinedToTheOneBefore",
     R"({"name":"x","sides":[{"from":[10,10],"to":[100,10],"L":"100"},
                              {"to":[200,10],"A":"180","L":"100"}]})",
     "was joined to it"},
    {"MarkOffTheLine",
     R"({"name":"x","sides":[{"from":[10,10],"to":[100,10],"L":"100"},{"mark":8},
                              {"to":[100,100],"A":"180","L":"100"}]})",
     "goes on in line"},
    {"MarkFirst",
     R"({"name":"x","sides":[{"mark":8},{"from":[10,10],"to":[100,10],"L":"100"}]})",
     "a mark stands between two straight sides"},
    {"UnknownField",
     R"({"name":"x","sidez":[]})",
     "unknown field \"sidez\""},
    {"NoSides",
     R"({"name":"x"})",
     "no sides"},
    {"BadHook",
     R"({"name":"x","hooks":{"left":45},"sides":[{"from":[10,10],"to":[100,10],"L":"100"}]})",
     "a hook is 90, 135 or 180"},
    {"RightHookAlone",
     R"({"name":"x","hooks":{"right":135},"sides":[{"from":[10,10],"to":[100,10],"L":"100"}]})",
     "a single hook goes at the first end"},
    {"OutsideTheDrawing",
     R"({"name":"x","sides":[{"from":[10,10],"to":[1600,10],"L":"100"}]})",
     "leaves the drawing area"},
    {"BrokenJson",
     R"({"name":"x", )",
     "no JSON object"},
};

class BadShapeSource : public ::testing::TestWithParam<BadShape> {};

TEST_P(BadShapeSource, IsRefusedWithItsReason)
{
    QString error;
    const auto rec = shapes::shapeFromJson(GetParam().json, false, 0, error);
    EXPECT_EQ(rec, nullptr);
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().error))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Source, BadShapeSource, ::testing::ValuesIn(kBadShapes),
                         [](const auto& info) { return std::string(info.param.name); });

// A mark is set the way the editor's joint tool sets it: on the line of the
// two sides around it, with the intermediate connection made from it.
TEST(ShapeSource, AMarkSplitsTheLineAsTheEditorDoes)
{
    QString error;
    const auto rec = shapes::shapeFromJson(
        R"({"name":"x","vars":[{"name":"A1","value":100,"at":[0,0]}],
            "sides":[{"from":[100,100],"to":[300,100],"L":"A1"},{"mark":9,"count":"2"},
                     {"to":[700,100],"A":"180","L":"200"}]})",
        false, 0, error);
    ASSERT_NE(rec, nullptr) << error.toStdString();
    ASSERT_EQ(rec->getSideArraySize(), 3);
    const CVes_Side& mark = *rec->m_arrSide[1];
    EXPECT_TRUE(mark.isConnect());
    EXPECT_EQ(mark.getStart(), QPoint(300, 100));
    EXPECT_EQ(mark.getEnd(), QPoint(100, 100)); // the bar's direction
    EXPECT_EQ(mark.m_text, QStringLiteral("2"));
    EXPECT_EQ(rec->m_arrSide[2]->getStart(), QPoint(300, 100));
    EXPECT_EQ(rec->m_arrSide[2]->m_lengthText, QStringLiteral("200"));
    EXPECT_EQ(rec->m_barGroup, 1);
    ASSERT_EQ(rec->m_arrMidConnect.size(), 1u);
    // A reverse-thread coupler is kept as a straight-thread one turned back.
    EXPECT_EQ(rec->m_arrMidConnect[0]->style, 8);
    EXPECT_EQ(rec->m_arrMidConnect[0]->valueC, 0);
    EXPECT_EQ(rec->m_arrMidConnect[0]->countText, QStringLiteral("2"));
}

// Two shapes of a sub-library that are the same (default values aside)
// would share one key.
TEST(ShapeSource, ASubLibraryRefusesTwoShapesThatDrawTheSame)
{
    QTemporaryDir dir;
    const QByteArray shape = R"({"name":"s",
        "vars":[{"name":"L","value":100,"at":[0,0]}],
        "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]})";
    const QByteArray other = R"({"name":"t",
        "vars":[{"name":"L","value":3000,"at":[0,0]}],
        "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]})";
    ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("190.json")),
                                   R"({"library":"shapes","mainId":190,"name":"n","shapes":[)" + shape + ","
                                       + other + "]}"));
    ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("lists.json")),
                                   R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":[]}],
                                       "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}]})"));
    shapes::ShapeSet set;
    QString error;
    EXPECT_FALSE(shapes::readShapeSources(dir.path(), set, error));
    EXPECT_TRUE(error.contains(QStringLiteral("draws the same as 190-001"))) << error.toStdString();
}

struct BadList {
    const char* name;
    const char* lists;
    const char* error;
};

std::ostream& operator<<(std::ostream& os, const BadList& b)
{
    return os << b.name;
}

const BadList kBadLists[] = {
    {"UnknownKey",
     R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":["190-002"]}],
         "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}]})",
     "no shape 190-002"},
    {"KeyNotInKeyForm",
     R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":["190-1"]}],
         "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}]})",
     "no shape 190-1"},
    {"FileOutsideTheFolder",
     R"({"steelLib.xml":[{"name":"a","file":"../a.dat","keys":[]}],
         "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}]})",
     "a plain name ending .dat"},
    {"FixedListOutsideTheFolder",
     R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":[]}],
         "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}],
         "lists":{"/tmp/x.dat":["190-001"]}})",
     "a plain name ending .dat"},
    {"TooManyRecent",
     R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":[]}],
         "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}],
         "lists":{"recentSteel.dat":["190-001","190-001","190-001","190-001","190-001","190-001",
                  "190-001","190-001","190-001","190-001","190-001","190-001","190-001"]}})",
     "at most 12 keys"},
    {"ListFileSharedByBothKinds",
     R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":[]}],
         "startLib.xml":[{"name":"b","file":"a.dat","keys":[]}]})",
     "the list file a.dat is named twice"},
    {"CategoryFileIsAFixedList",
     R"({"steelLib.xml":[{"name":"a","file":"beamSteel.dat","keys":[]}],
         "startLib.xml":[{"name":"b","file":"b.dat","keys":[]}],
         "lists":{"beamSteel.dat":["190-001"]}})",
     "the list file beamSteel.dat is named twice"},
    {"NoStartCategories",
     R"({"steelLib.xml":[{"name":"a","file":"a.dat","keys":[]}]})",
     "no categories"},
};

class BadListSource : public ::testing::TestWithParam<BadList> {};

TEST_P(BadListSource, IsRefusedWithItsReason)
{
    QTemporaryDir dir;
    ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("190.json")),
                                   R"({"library":"shapes","mainId":190,"name":"n","shapes":[
                                       {"name":"s","vars":[{"name":"L","value":100,"at":[0,0]}],
                                        "sides":[{"from":[10,10],"to":[100,10],"L":"L"}]}]})"));
    ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("lists.json")), GetParam().lists));
    shapes::ShapeSet set;
    QString error;
    EXPECT_FALSE(shapes::readShapeSources(dir.path(), set, error));
    EXPECT_TRUE(error.contains(QString::fromUtf8(GetParam().error))) << error.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Source, BadListSource, ::testing::ValuesIn(kBadLists),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ShapeSource, MainIdsOutsideTheDefaultRangeAreRefused)
{
    for (int id : {101, 109, 110, 189, 200, 201}) {
        QTemporaryDir dir;
        ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("x.json")),
                                       QStringLiteral(R"({"library":"shapes","mainId":%1,"name":"n","shapes":[
                                           {"name":"s","sides":[{"from":[10,10],"to":[100,10],"L":"100"}]}]})")
                                           .arg(id).toUtf8()));
        ASSERT_TRUE(platform::saveFile(dir.filePath(QStringLiteral("lists.json")), "{}"));
        shapes::ShapeSet set;
        QString error;
        EXPECT_FALSE(shapes::readShapeSources(dir.path(), set, error)) << id;
        EXPECT_TRUE(error.contains(QStringLiteral("190 to 199"))) << error.toStdString();
    }
}

// The build runs the tool; a broken source stops the build with the reason
// and leaves the files of the last good run as they were.
TEST(ShapeSource, TheToolReportsABrokenSourceAndKeepsTheFilesItHad)
{
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/rodo_makelibs");
    ASSERT_TRUE(QFileInfo(tool).isExecutable()) << tool.toStdString();
    QTemporaryDir out;

    QProcess good;
    good.start(tool, {sourceDir(), out.path()});
    ASSERT_TRUE(good.waitForFinished(60000));
    ASSERT_EQ(good.exitCode(), 0) << good.readAllStandardError().toStdString();
    const auto before = filesOf(out.path());
    ASSERT_TRUE(before.count(QLatin1String(shapes::kSysLibFile)));

    QTemporaryDir broken;
    ASSERT_TRUE(platform::saveFile(broken.filePath(QStringLiteral("190.json")), "{\"library\":"));
    ASSERT_TRUE(platform::saveFile(broken.filePath(QStringLiteral("lists.json")), "{}"));
    QProcess bad;
    bad.start(tool, {broken.path(), out.path()});
    ASSERT_TRUE(bad.waitForFinished(60000));
    EXPECT_EQ(bad.exitCode(), 1);
    EXPECT_TRUE(bad.readAllStandardError().contains("190.json"));
    EXPECT_EQ(filesOf(out.path()), before);

    QProcess usage;
    usage.start(tool, {sourceDir()});
    ASSERT_TRUE(usage.waitForFinished(60000));
    EXPECT_EQ(usage.exitCode(), 2);
}

} // namespace
