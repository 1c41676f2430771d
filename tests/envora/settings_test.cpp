#include "envora/rules.h"
#include "envora/usercustom.h"

#include "tests/envora/envorafixture.h"
#include "tests/support/datafolder.h"
#include "tests/support/recordinghost.h"

#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <atomic>
#include <cctype>
#include <cmath>
#include <thread>
#include <vector>

namespace {

using envora::Settings;

QByteArray fileBytes()
{
    QByteArray bytes;
    platform::readFile(envora::settingsFilePath(), &bytes);
    return bytes;
}

void writeSettingsFile(const QByteArray& bytes)
{
    ASSERT_TRUE(platform::saveFile(envora::settingsFilePath(), bytes));
    envora::reloadSettings();
}

// habits

struct Habit {
    const char* name;
    int (*get)();
    bool (*set)(int);
    int defaultValue;
    int other;      // an allowed value that is not the default
    int odd;        // an unusual value
    int oddResult;  // what it becomes, or -100 when it is refused
};

class HabitPair : public test::DefaultSettings, public ::testing::WithParamInterface<Habit> {};

TEST_P(HabitPair, DefaultSetRestartAndRefusal)
{
    const Habit& h = GetParam();
    EXPECT_EQ(h.get(), h.defaultValue);

    ASSERT_TRUE(h.set(h.other));
    EXPECT_EQ(h.get(), h.other);
    envora::reloadSettings();  // as a new start of the program would
    EXPECT_EQ(h.get(), h.other);

    const QByteArray before = fileBytes();
    if (h.oddResult == -100) {
        EXPECT_FALSE(h.set(h.odd));
        EXPECT_EQ(h.get(), h.other);
        EXPECT_EQ(fileBytes(), before);
    } else {
        EXPECT_TRUE(h.set(h.odd));
        EXPECT_EQ(h.get(), h.oddResult);
    }
}

constexpr int kRefused = -100;

INSTANTIATE_TEST_SUITE_P(
    Envora, HabitPair,
    ::testing::Values(
        Habit{"SteelSelectMode", Info_GetUserCustomSteelSelectMode, Info_SetUserCustomSteelSelectMode, 0, 1, 7, 1},
        Habit{"TableEditMode", Info_GetUserCustomTableEditMode, Info_SetUserCustomTableEditMode, 0, 1, -3, 1},
        Habit{"GradeMode", Info_UserCustomGetGradeMode, Info_UserCustomSetGradeMode, 0, 1, 2, 1},
        Habit{"EleNum", Info_UserCustomGetEleNum, Info_UserCustomSetEleNum, 1, 4, 0, kRefused},
        Habit{"EleNumNegative", Info_UserCustomGetEleNum, Info_UserCustomSetEleNum, 1, 2, -2, kRefused},
        Habit{"MidConnectStat", Info_UserCustomMidConnectStat, Info_UserCustomSetMidConnectStat, 0, 1, 5, 1},
        Habit{"MidConnectStyle", Info_UserCustomMidConectStyle, Info_UserCustomSetMidConnectStyle, 8, 3, 9, kRefused},
        Habit{"MidConnectDingChi", Info_UserCustomMidConnectDingchi, Info_UserCustomSetMidConnectDingChi, 9000, 12000, 0, kRefused},
        Habit{"MidConnectDingChiNegative", Info_UserCustomMidConnectDingchi, Info_UserCustomSetMidConnectDingChi, 9000, 6000, -9000, kRefused},
        Habit{"GenshuJinwei", Info_UserCustomGenshuJinwei, Info_UserCustomSetGenshuJinwei, 1, 5, 10, kRefused},
        Habit{"GenshuJinweiZero", Info_UserCustomGenshuJinwei, Info_UserCustomSetGenshuJinwei, 1, 9, 0, kRefused},
        Habit{"ShowDingChi", Info_UserCustomShowDingChi, Info_UserCustomSetShowDingChi, 1, 0, 3, 1},
        Habit{"GunLun", Info_UserCustomGunLun, Info_UserCustomSetGunLun, 0, 2, 3, kRefused},
        Habit{"ShiftGunLun", Info_UserCustomShiftGunLun, Info_UserCustomSetShiftGunLun, 2, 0, -1, kRefused},
        Habit{"CtrlGunLun", Info_UserCustomCtrlGunLun, Info_UserCustomSetCtrlGunLun, 1, 2, 5, kRefused},
        Habit{"SteelRecordType", Info_UserCustomSteelRecordType, Info_UserCustomSetSteelRecordType, 0, 1, 9, 1},
        Habit{"SteelGroupShow", Info_UserCustomSteelGroupShow, Info_UserCustomSetSteelGroupShow, 0, 1, 9, 1},
        Habit{"TableBkColor", Info_UserCustomTableBkColor, Info_UserCustomSetTableBkColor, 0, 1, 2, kRefused}),
    [](const auto& info) { return std::string(info.param.name); });

using Habits = test::DefaultSettings;

TEST_F(Habits, ContentBits)
{
    // Number, grade and diameter, start, shape, count and remark.
    EXPECT_EQ(Info_UserCustomContentIsClude(0x01), 1);
    EXPECT_EQ(Info_UserCustomContentIsClude(0x04), 0);
    EXPECT_EQ(Info_UserCustomContentIsClude(0x20), 0);
    EXPECT_EQ(Info_UserCustomContentIsClude(0x80), 1);
    EXPECT_EQ(Info_UserCustomContentIsClude(0), 0);

    ASSERT_TRUE(Info_UserCustomSetContent(0));
    EXPECT_EQ(Info_UserCustomContentIsClude(0), 1);
    EXPECT_EQ(Info_UserCustomContentIsClude(0x01), 0);

    ASSERT_TRUE(Info_UserCustomSetContent(0x24));
    EXPECT_EQ(Info_UserCustomContentIsClude(0x20), 1);
    EXPECT_EQ(Info_UserCustomContentIsClude(0x02), 0);

    EXPECT_FALSE(Info_UserCustomSetContent(0x100));
    EXPECT_FALSE(Info_UserCustomSetContent(-1));
    EXPECT_EQ(Info_UserCustomContentIsClude(0x20), 1);
}

TEST_F(Habits, TitleColour)
{
    EXPECT_EQ(Info_UserCustomGetTitleBk(), 0x00F1E6DCu);
    ASSERT_TRUE(Info_UserCustomSetTitleBk(0x00FF00FF));
    envora::reloadSettings();
    EXPECT_EQ(Info_UserCustomGetTitleBk(), 0x00FF00FFu);
    EXPECT_FALSE(Info_UserCustomSetTitleBk(0x01000000));
    EXPECT_EQ(Info_UserCustomGetTitleBk(), 0x00FF00FFu);
}

// the store

using SettingsStore = test::DefaultSettings;

Settings someChanges()
{
    Settings s = Settings::defaults();
    s.steel.calcType = 1;
    s.steel.adjustType = 2;
    s.gu.dimType = 1;
    s.gu.dataEnd = envora::dataend::kUp10;
    s.steel.bendDiameter[3] = {7.0, 6.5, 6.0};
    s.gu.straightAfterHook[1] = 11.5;
    s.steel.hookIncrement[0][2] = 80.0;  // millimetres
    s.gu.bendAdjust[2][3] = -2.29;
    s.steel.byDiameter[0].bendAdjust[3] = -7.5;
    s.gu.byDiameter.pop_back();
    s.sizes[3].weight = {0.222, 0.23, 0.232};
    s.sizes[3].grade = 3;
    s.habits.elementCount = 6;
    s.habits.content = 0x13;
    s.habits.titleBk = 0x00123456;
    return s;
}

TEST_F(SettingsStore, ChangesSurviveARestart)
{
    const Settings wanted = someChanges();
    change([&](Settings& s) { s = wanted; });
    EXPECT_EQ(*envora::settings(), wanted);
    EXPECT_EQ(Info_GetSteelLenCalType(), 1);
    EXPECT_DOUBLE_EQ(Info_GetWanGouZengJiaJiangYanData(180, 1), 80.0);

    envora::reloadSettings();
    EXPECT_EQ(*envora::settings(), wanted);
    EXPECT_EQ(Info_GetGuSteelDimType(), 1);
    EXPECT_EQ(Info_GetSteelDataEnd(1231, 1, 1), 1240);
}

// Each data folder has settings of its own: a habit changed in one is not
// what another folder's reader gets, on this thread or a worker's, and is
// there again when the first folder is back.
TEST_F(SettingsStore, FollowTheDataFolder)
{
    ASSERT_TRUE(Info_UserCustomSetMidConnectDingChi(6000));
    {
        test::FreshDataFolder other;
        EXPECT_EQ(Info_UserCustomMidConnectDingchi(), Settings::defaults().habits.midConnectDingchi);
        int onWorker = 0;
        std::thread([&] { onWorker = Info_UserCustomMidConnectDingchi(); }).join();
        EXPECT_EQ(onWorker, Settings::defaults().habits.midConnectDingchi);
    }
    EXPECT_EQ(Info_UserCustomMidConnectDingchi(), 6000);
}

TEST_F(SettingsStore, FileFormRoundTrips)
{
    for (const Settings& s : {Settings::defaults(), someChanges()}) {
        const envora::SettingsFile read = envora::readSettingsXml(envora::toXml(s));
        EXPECT_FALSE(read.damaged);
        EXPECT_TRUE(read.invalidParts.isEmpty());
        EXPECT_EQ(read.settings, s);
    }
}

TEST_F(SettingsStore, ShippedFileHoldsTheDefaults)
{
    QByteArray shipped;
    ASSERT_TRUE(platform::readFile(platform::installedDataFolder() + QLatin1String(envora::kSettingsFileName),
                                   &shipped));
    const QByteArray wanted = envora::toXml(Settings::defaults());
    EXPECT_EQ(shipped, wanted) << "data/seed/EnvoraSettings.xml must be:\n" << wanted.constData();
    EXPECT_TRUE(Settings::defaults().check().isEmpty());
}

struct Refused {
    const char* what;
    std::function<void(Settings&)> edit;
};

class RefusedChange : public test::DefaultSettings, public ::testing::WithParamInterface<Refused> {};

TEST_P(RefusedChange, LeavesEverythingAsItWas)
{
    const QByteArray before = fileBytes();
    QString error;
    EXPECT_FALSE(envora::updateSettings(GetParam().edit, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(*envora::settings(), Settings::defaults());
    EXPECT_EQ(fileBytes(), before);
}

const double kNan = std::nan("");
const double kInf = INFINITY;

INSTANTIATE_TEST_SUITE_P(
    Envora, RefusedChange,
    ::testing::Values(
        Refused{"zero bend diameter", [](Settings& s) { s.steel.bendDiameter[0][0] = 0; }},
        Refused{"negative bend diameter", [](Settings& s) { s.gu.bendDiameter[2][1] = -4; }},
        Refused{"bend diameter not a number", [](Settings& s) { s.steel.bendDiameter[1][2] = kNan; }},
        Refused{"negative straight length", [](Settings& s) { s.gu.straightAfterHook[1] = -10; }},
        Refused{"negative hook increment", [](Settings& s) { s.steel.hookIncrement[0][0] = -1; }},
        Refused{"infinite bend adjustment", [](Settings& s) { s.steel.bendAdjust[0][3] = kInf; }},
        Refused{"bend adjustment by diameter not a number",
                [](Settings& s) { s.gu.byDiameter[4].bendAdjust[0] = kNan; }},
        Refused{"calculation type 3", [](Settings& s) { s.steel.calcType = 3; }},
        Refused{"adjustment type -1", [](Settings& s) { s.gu.adjustType = -1; }},
        Refused{"rounding mode 5", [](Settings& s) { s.steel.dataEnd = 5; }},
        Refused{"no sizes", [](Settings& s) { s.sizes.clear(); }},
        Refused{"sizes out of order", [](Settings& s) { std::swap(s.sizes[0], s.sizes[1]); }},
        Refused{"a size twice", [](Settings& s) { s.sizes[1].d = s.sizes[0].d; }},
        Refused{"zero unit weight", [](Settings& s) { s.sizes[2].weight[0] = 0; }},
        Refused{"grade 0 as a default grade", [](Settings& s) { s.sizes[2].grade = 0; }},
        Refused{"zero stock length", [](Settings& s) { s.habits.midConnectDingchi = 0; }}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST_F(SettingsStore, MissingFileGivesDefaultsAndOneMessage)
{
    test::HostScope host;
    ASSERT_TRUE(QFile::remove(envora::settingsFilePath()));
    envora::reloadSettings();
    EXPECT_EQ(*envora::settings(), Settings::defaults());
    EXPECT_EQ(Info_UserCustomGetEleNum(), 1);
    ASSERT_EQ(host->messages().size(), 1u);
    EXPECT_TRUE(host->messageTexts().front().contains(QLatin1String(envora::kSettingsFileName)));
    EXPECT_FALSE(QFile::exists(envora::settingsFilePath()));  // nothing is written until a change
}

struct Damaged {
    const char* what;
    QByteArray bytes;
    bool wholeFile;       // everything is taken from the defaults
    int elementCount;     // what the habits part gives
    const char* named;    // the part named in the message, or null for no message
};

class DamagedFile : public test::DefaultSettings, public ::testing::WithParamInterface<Damaged> {};

TEST_P(DamagedFile, GivesDefaultsAndAMessage)
{
    const Damaged& d = GetParam();
    test::HostScope host;
    writeSettingsFile(d.bytes);
    const auto s = envora::settings();
    EXPECT_EQ(s->habits.elementCount, d.elementCount);
    if (d.wholeFile) {
        EXPECT_EQ(*s, Settings::defaults());
    }
    const QStringList messages = host->messageTexts();
    if (!d.named) {
        EXPECT_TRUE(messages.isEmpty()) << messages.join(u'\n').toStdString();
    } else {
        ASSERT_EQ(messages.size(), 1);
        EXPECT_TRUE(messages.front().contains(QString::fromUtf8(d.named)))
            << messages.front().toStdString();
    }
    // Reading never rewrites the file: the damage stays for the user to see.
    EXPECT_EQ(fileBytes(), d.bytes);
}

QByteArray cutShort()
{
    Settings s = Settings::defaults();
    s.habits.elementCount = 5;
    const QByteArray full = envora::toXml(s);
    return full.left(full.size() - 40);
}

QByteArray withSteelRule(const char* attribute)
{
    return QByteArray("<EnvoraSettings schema=\"1\"><Rules family=\"steel\" ") + attribute
        + "/><Habits elementCount=\"3\"/></EnvoraSettings>";
}

INSTANTIATE_TEST_SUITE_P(
    Envora, DamagedFile,
    ::testing::Values(
        Damaged{"not XML", QByteArray("\x01\x02garbage", 9), true, 1, "已损坏"},
        Damaged{"empty", QByteArray(), true, 1, "已损坏"},
        Damaged{"another document", QByteArray("<Other/>"), true, 1, "已损坏"},
        Damaged{"cut short", cutShort(), true, 1, "已损坏"},
        Damaged{"a mode out of range", withSteelRule("calcType=\"7\""), false, 3, "纵筋计算规则"},
        Damaged{"a mode that is no number", withSteelRule("dataEnd=\"x\""), false, 3, "纵筋计算规则"},
        Damaged{"a table value that is no number",
                "<EnvoraSettings><Rules family=\"gu\"><Grade family=\"0\" bendDiameter=\"nan 2.5 2.5\" "
                "hookIncrement=\"1 2 3\" bendAdjust=\"1 2 3 4 5 6 7\"/></Rules>"
                "<Habits elementCount=\"2\"/></EnvoraSettings>",
                false, 2, "箍筋计算规则"},
        Damaged{"a table row too short",
                "<EnvoraSettings><Rules family=\"gu\"><StraightAfterHook values=\"5 10\"/></Rules>"
                "</EnvoraSettings>",
                false, 1, "箍筋计算规则"},
        Damaged{"a size twice",
                "<EnvoraSettings><Sizes><Size d=\"6\" weight=\"1 1 1\" grade=\"1\"/>"
                "<Size d=\"6\" weight=\"1 1 1\" grade=\"1\"/></Sizes></EnvoraSettings>",
                false, 1, "钢筋规格表"},
        Damaged{"a habit out of range", "<EnvoraSettings><Habits elementCount=\"0\"/></EnvoraSettings>",
                false, 1, "用户习惯"},
        Damaged{"values it lacks keep their defaults quietly",
                "<EnvoraSettings schema=\"1\"><Habits elementCount=\"4\"/><Future x=\"1\"/></EnvoraSettings>",
                false, 4, nullptr}),
    [](const auto& info) {
        std::string name;
        for (const char* p = info.param.what; *p; ++p)
            name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
        return name;
    });

TEST_F(SettingsStore, AFileThatCannotBeWrittenKeepsTheChangeForTheSession)
{
    test::HostScope host;
    const QString path = envora::settingsFilePath();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkdir(path));  // a folder where the file should be
    envora::reloadSettings();
    EXPECT_EQ(Info_UserCustomGetEleNum(), 1);  // unreadable: defaults, told
    EXPECT_EQ(host->messages().size(), 1u);

    EXPECT_TRUE(Info_UserCustomSetEleNum(7));
    EXPECT_EQ(Info_UserCustomGetEleNum(), 7);
    ASSERT_EQ(host->messages().size(), 2u);
    EXPECT_TRUE(host->messageTexts().back().contains(QStringLiteral("无法保存")));
    ASSERT_TRUE(QDir().rmdir(path));
}

TEST_F(SettingsStore, AWorkerThatLoadsFirstLeavesTheMessageToTheUiThread)
{
    test::HostScope host;
    ASSERT_TRUE(QFile::remove(envora::settingsFilePath()));
    envora::reloadSettings();
    int calcType = -1;
    std::thread worker([&] { calcType = Info_GetSteelLenCalType(); });
    worker.join();
    EXPECT_EQ(calcType, 0);
    EXPECT_TRUE(host->messages().empty());
    QCoreApplication::processEvents();
    EXPECT_EQ(host->messages().size(), 1u);
}

TEST_F(SettingsStore, ReadersSeeWholeValuesWhileTheSettingsChange)
{
    std::atomic<bool> stop{false};
    std::atomic<int> strange{0};
    std::vector<std::thread> readers;
    for (int t = 0; t < 3; ++t)
        readers.emplace_back([&] {
            while (!stop.load()) {
                const double d90 = Info_GetSteelWanHuNeiJing(1, 90);
                const double d180 = Info_GetSteelWanHuNeiJing(1, 180);
                if ((d90 != 2.5 && d90 != 3.0) || (d180 != 2.5 && d180 != 3.0))
                    ++strange;
                const auto s = envora::settings();
                // One snapshot never mixes two versions of the settings.
                if (s->steel.bendDiameter[0][0] != s->steel.bendDiameter[0][2])
                    ++strange;
            }
        });
    for (int i = 0; i < 20; ++i) {
        const double k = i % 2 ? 2.5 : 3.0;
        change([k](Settings& s) { s.steel.bendDiameter[0] = {k, k, k}; });
    }
    stop = true;
    for (std::thread& t : readers)
        t.join();
    EXPECT_EQ(strange.load(), 0);
}

} // namespace
