#pragma once
// The user's calculation settings, rule tables and working habits, kept in
// one file of the data folder. The store is read on first use and written on
// every change; readers on any thread get a consistent snapshot, so a changed
// setting applies at the next computation.

#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace envora {

// Grade families that key the bend and hook tables: plain round bars, then
// ribbed bars of 335, 400 and 500 MPa.
constexpr int kGradeFamilies = 4;
// The hook and bend-diameter tables have one column per hook angle.
constexpr int kHookAngles = 3;
constexpr std::array<int, kHookAngles> kHookTableAngles{90, 135, 180};
// The bend-adjustment tables have one column per bend angle; angles between
// two columns are interpolated, 0° adds nothing.
constexpr int kBendAngles = 7;
constexpr std::array<int, kBendAngles> kBendTableAngles{30, 45, 60, 90, 120, 135, 180};

// Rounding of a finished length (Info_GetSteelDataEnd).
namespace dataend {
constexpr int kNone = 0;       // the length as computed
constexpr int kNearest5 = 1;   // to the nearest 5 mm
constexpr int kNearest10 = 2;  // to the nearest 10 mm
constexpr int kUp5 = 3;        // up to the next 5 mm
constexpr int kUp10 = 4;       // up to the next 10 mm
} // namespace dataend

// A diameter's own values for the tables "by diameter" (adjustment type 2).
struct DiameterRules {
    double d = 0;
    std::array<double, kHookAngles> hookIncrement{};  // mm
    std::array<double, kBendAngles> bendAdjust{};     // signed mm, added to the length
    bool operator==(const DiameterRules&) const = default;
};

// The length rules of one bar family: longitudinal bars, or stirrups and ties.
struct LengthRules {
    int calcType = 0;    // 0 bend deductions from the geometry, 1 ±d/2, 2 none
    int adjustType = 0;  // 1 tables by grade, 2 tables by diameter, 0 geometric
    int dimType = 0;     // 0 dimensions to the outside of the bar, 1 inside
    int dataEnd = dataend::kNone;
    // Bend inner diameter as a multiple of d, by grade family and hook angle.
    std::array<std::array<double, kHookAngles>, kGradeFamilies> bendDiameter{};
    // Straight length after a hook as a multiple of d, by hook angle.
    std::array<double, kHookAngles> straightAfterHook{};
    // Hook increment by grade family and hook angle: below 75 a multiple of
    // d, from 75 on millimetres.
    std::array<std::array<double, kHookAngles>, kGradeFamilies> hookIncrement{};
    // Signed bend adjustment as a multiple of d, by grade family and bend angle.
    std::array<std::array<double, kBendAngles>, kGradeFamilies> bendAdjust{};
    // Tables by diameter, ascending.
    std::vector<DiameterRules> byDiameter;
    bool operator==(const LengthRules&) const = default;
};

// One allowed bar size with its unit weights and default grade.
struct SteelSize {
    double d = 0;
    // kg/m for ordinary bars (0), cold-rolled ribbed bars (1, grade code 12)
    // and cold-rolled twisted bars (2, grade code 14).
    std::array<double, 3> weight{};
    int grade = 1;
    bool operator==(const SteelSize&) const = default;
};

// The user's working habits (the values of the habit dialog).
struct UserHabits {
    int steelSelectMode = 0;       // 0 small shape chooser, 1 large
    int content = 0xDB;            // copy-from-previous-row bits
    int gradeMode = 0;             // 0 grade from the size table, 1 from the previous row
    int elementCount = 1;          // pieces of a new element row
    int midConnectStat = 0;
    int midConnectStyle = 8;       // connection type 0..8
    int midConnectDingchi = 9000;  // stock length in mm, > 0
    int genshuJinwei = 1;          // count rounding digit 1..9 (1 rounds up)
    int showDingChi = 1;           // show the step of varying dimensions
    int gunLun = 0;                // wheel: 0 scroll, 1 zoom, 2 pages
    int shiftGunLun = 2;
    int ctrlGunLun = 1;
    int tableEditMode = 0;         // 0 recent-values dialog, 1 in-place box
    int steelRecordType = 0;       // 0 user shapes are kept with the table
    int steelGroupShow = 0;        // 0 total length, 1 each group's length
    int tableBkColor = 0;          // 0 white, 1 grey
    std::uint32_t titleBk = 0x00F1E6DC;  // caption-row colour, 0x00BBGGRR
    bool operator==(const UserHabits&) const = default;
};

struct Settings {
    LengthRules steel;  // longitudinal bars
    LengthRules gu;     // stirrups and ties
    std::vector<SteelSize> sizes;  // ascending by d
    UserHabits habits;

    bool operator==(const Settings&) const = default;

    // The values a new installation starts with.
    static Settings defaults();

    // Empty when every value is allowed, else what is wrong.
    QString check() const;
    static QString checkRules(const LengthRules& rules);
    static QString checkSizes(const std::vector<SteelSize>& sizes);
    static QString checkHabits(const UserHabits& habits);
};

// The settings in force. Loads them on first use.
std::shared_ptr<const Settings> settings();

// The same for the quick getters, without taking a lock or sharing a
// pointer between threads: the reference stays valid until the calling
// thread asks for settings again, so read what is needed and let it go.
const Settings& currentSettings();

// Changes the settings through `edit` and writes them. The change is refused,
// and nothing changes, when `edit` leaves a value that is not allowed; then
// `error` says why. Answers whether the change was taken.
bool updateSettings(const std::function<void(Settings&)>& edit, QString* error = nullptr);

// Reads the settings file of the data folder again (after the folder changed,
// or to start over in tests).
void reloadSettings();

// The settings file: "EnvoraSettings.xml" in the data folder.
QString settingsFilePath();
constexpr const char* kSettingsFileName = "EnvoraSettings.xml";

// The settings as the file holds them, and back. Reading starts from the
// defaults: values the file lacks keep them; a part of the file holding a
// value that is not allowed keeps its defaults and is named in
// `invalidParts`; a file that is not a settings file at all is `damaged` and
// gives the defaults.
QByteArray toXml(const Settings& settings);
struct SettingsFile {
    Settings settings;
    bool damaged = false;
    QStringList invalidParts;
};
SettingsFile readSettingsXml(const QByteArray& xml);

// Grade family 0..3 of a grade code: plain round, 335, 400 or 500 MPa;
// unknown codes count as 400 MPa.
int gradeFamily(int grade);

// Column of a hook angle in the hook tables: below 91° the 90° column, below
// 179° the 135° column, else the 180° column.
int hookColumn(int angle);

} // namespace envora
