#include "envora/settings.h"

#include "platform/datarevision.h"
#include "platform/folders.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLocale>
#include <QMetaObject>
#include <QThread>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <atomic>
#include <cmath>
#include <mutex>
#include <numbers>

namespace envora {

int gradeFamily(int grade)
{
    if (grade == 1 || (grade >= 11 && grade <= 20))
        return 0;
    if (grade == 2 || grade == 21 || grade == 23)
        return 1;
    if (grade == 4 || grade == 41 || grade == 42)
        return 3;
    return 2;
}

int hookColumn(int angle)
{
    const long long a = angle < 0 ? -static_cast<long long>(angle) : angle;
    if (a < 91)
        return 0;
    if (a < 179)
        return 1;
    return 2;
}

// defaults

namespace {

double round2(double v)
{
    return std::round(v * 100.0) / 100.0;
}

// Bend inner diameters as multiples of d: GB 50204-2015 5.3.1 and
// GB 50666-2011 5.3.4 (2.5d for HPB300, 4d for 335 and 400 MPa, 6d for 500 MPa).
constexpr std::array<double, kGradeFamilies> kBendDiameterByFamily{2.5, 4.0, 4.0, 6.0};

// Hook increment, outer dimensions, from the bend geometry: the straight part
// plus the arc on the bar's axis less the outer dimension it replaces.
double geometricHook(double k, double straight, int angle)
{
    return straight + (1.0 + k) * angle * std::numbers::pi / 360.0 - (k / 2.0 + 1.0);
}

// Signed bend adjustment of two straight legs measured outside, from the
// same geometry as the length rules use.
double geometricBend(double k, int bendAngle)
{
    const double included = 180.0 - bendAngle;
    double legs = k / 2.0 + 1.0;
    if (included > 90.0)
        legs *= std::tan(bendAngle / 2.0 * std::numbers::pi / 180.0);
    return (1.0 + k) / 2.0 * bendAngle * std::numbers::pi / 180.0 - 2.0 * legs;
}

// Straight lengths after hooks, multiples of d. Longitudinal bars: 12d after
// a 90° and 5d after a 135° anchorage hook (GB 50010-2010 (2015) 8.3.3),
// 3d after the 180° hook of a plain bar (GB 50204-2015 5.3.1). Stirrups:
// 5d after 90°, 10d after 135° as seismic members ask (GB 50204-2015 5.3.3),
// 3d after 180°.
constexpr std::array<double, kHookAngles> kSteelStraight{12.0, 5.0, 3.0};
constexpr std::array<double, kHookAngles> kGuStraight{5.0, 10.0, 3.0};

// The valid sizes with their nominal unit weights, kg/m (GB/T 1499.1-2017
// and GB/T 1499.2-2018 tables; sizes they do not list: 0.00617·d²).
struct NominalSize {
    double d;
    double weight;
};
constexpr NominalSize kNominalSizes[] = {
    {4, 0.099},  {5, 0.154},  {5.5, 0.187}, {6, 0.222},  {6.5, 0.260}, {8, 0.395},  {10, 0.617},
    {12, 0.888}, {14, 1.21},  {16, 1.58},   {18, 2.00},  {20, 2.47},   {22, 2.98},  {25, 3.85},
    {28, 4.83},  {30, 5.55},  {32, 6.31},   {36, 7.99},  {40, 9.87},   {50, 15.42},
};

LengthRules defaultRules(const std::array<double, kHookAngles>& straight,
                         const std::vector<SteelSize>& sizes)
{
    LengthRules r;
    r.straightAfterHook = straight;
    for (int f = 0; f < kGradeFamilies; ++f) {
        const double k = kBendDiameterByFamily[f];
        for (int a = 0; a < kHookAngles; ++a) {
            r.bendDiameter[f][a] = k;
            r.hookIncrement[f][a] = round2(geometricHook(k, straight[a], kHookTableAngles[a]));
        }
        for (int b = 0; b < kBendAngles; ++b)
            r.bendAdjust[f][b] = round2(geometricBend(k, kBendTableAngles[b]));
    }
    // The tables by diameter start from the 400 MPa multiples, in whole mm.
    constexpr int kDefaultFamily = 2;
    for (const SteelSize& size : sizes) {
        DiameterRules row;
        row.d = size.d;
        for (int a = 0; a < kHookAngles; ++a)
            row.hookIncrement[a] = std::round(r.hookIncrement[kDefaultFamily][a] * size.d);
        for (int b = 0; b < kBendAngles; ++b)
            row.bendAdjust[b] = std::round(r.bendAdjust[kDefaultFamily][b] * size.d);
        r.byDiameter.push_back(row);
    }
    return r;
}

} // namespace

Settings Settings::defaults()
{
    Settings s;
    for (const NominalSize& n : kNominalSizes) {
        SteelSize size;
        size.d = n.d;
        size.weight = {n.weight, n.weight, n.weight};
        // Plain round bars up to 10 mm, 400 MPa ribbed bars above.
        size.grade = n.d <= 10.0 ? 1 : 3;
        s.sizes.push_back(size);
    }
    s.steel = defaultRules(kSteelStraight, s.sizes);
    s.gu = defaultRules(kGuStraight, s.sizes);
    return s;
}

// checks

namespace {

bool inRange(int v, int lo, int hi)
{
    return v >= lo && v <= hi;
}

bool finiteIn(double v, double lo, double hi)
{
    return std::isfinite(v) && v >= lo && v <= hi;
}

constexpr double kMaxMultiple = 100.0;  // of d
constexpr double kMaxMillimetres = 10000.0;

QString checkDiameters(const std::vector<double>& ds)
{
    for (size_t i = 0; i < ds.size(); ++i) {
        if (!finiteIn(ds[i], 0.1, 100.0))
            return QStringLiteral("钢筋直径%1不在允许范围内").arg(ds[i]);
        if (i > 0 && ds[i] - ds[i - 1] < 0.001)
            return QStringLiteral("钢筋直径%1重复或未按从小到大排列").arg(ds[i]);
    }
    return {};
}

} // namespace

QString Settings::checkRules(const LengthRules& r)
{
    if (!inRange(r.calcType, 0, 2))
        return QStringLiteral("断料长度计算模式无效");
    if (!inRange(r.adjustType, 0, 2))
        return QStringLiteral("弯曲调整方式无效");
    if (!inRange(r.dimType, 0, 1))
        return QStringLiteral("尺寸标注方式无效");
    if (!inRange(r.dataEnd, dataend::kNone, dataend::kUp10))
        return QStringLiteral("尺寸尾数处理方式无效");
    for (int f = 0; f < kGradeFamilies; ++f) {
        for (int a = 0; a < kHookAngles; ++a) {
            if (!finiteIn(r.bendDiameter[f][a], 0.5, kMaxMultiple))
                return QStringLiteral("弯折内径倍数必须大于0");
            if (!finiteIn(r.hookIncrement[f][a], 0.0, kMaxMillimetres))
                return QStringLiteral("弯钩增加长度不能为负数");
        }
        for (int b = 0; b < kBendAngles; ++b)
            if (!finiteIn(r.bendAdjust[f][b], -kMaxMultiple, kMaxMultiple))
                return QStringLiteral("弯曲调整值无效");
    }
    for (double s : r.straightAfterHook)
        if (!finiteIn(s, 0.0, kMaxMultiple))
            return QStringLiteral("弯钩平直段长度倍数不能为负数");
    std::vector<double> ds;
    for (const DiameterRules& row : r.byDiameter) {
        ds.push_back(row.d);
        for (double h : row.hookIncrement)
            if (!finiteIn(h, 0.0, kMaxMillimetres))
                return QStringLiteral("弯钩增加长度不能为负数");
        for (double b : row.bendAdjust)
            if (!finiteIn(b, -kMaxMillimetres, kMaxMillimetres))
                return QStringLiteral("弯曲调整值无效");
    }
    return checkDiameters(ds);
}

QString Settings::checkSizes(const std::vector<SteelSize>& sizes)
{
    if (sizes.empty())
        return QStringLiteral("钢筋规格表不能为空");
    std::vector<double> ds;
    for (const SteelSize& s : sizes) {
        ds.push_back(s.d);
        for (double w : s.weight)
            if (!finiteIn(w, 0.0001, 1000.0))
                return QStringLiteral("钢筋理论重量必须大于0");
        if (!inRange(s.grade, 1, 99))
            return QStringLiteral("默认钢筋级别无效");
    }
    return checkDiameters(ds);
}

QString Settings::checkHabits(const UserHabits& h)
{
    const bool ok = inRange(h.steelSelectMode, 0, 1) && inRange(h.content, 0, 0xFF)
        && inRange(h.gradeMode, 0, 1) && inRange(h.elementCount, 1, 99999)
        && inRange(h.midConnectStat, 0, 1) && inRange(h.midConnectStyle, 0, 8)
        && inRange(h.midConnectDingchi, 1, 1000000) && inRange(h.genshuJinwei, 1, 9)
        && inRange(h.showDingChi, 0, 1) && inRange(h.gunLun, 0, 2)
        && inRange(h.shiftGunLun, 0, 2) && inRange(h.ctrlGunLun, 0, 2)
        && inRange(h.tableEditMode, 0, 1) && inRange(h.steelRecordType, 0, 1)
        && inRange(h.steelGroupShow, 0, 1) && inRange(h.tableBkColor, 0, 1)
        && h.titleBk <= 0x00FFFFFFu;
    return ok ? QString() : QStringLiteral("用户习惯设置值无效");
}

QString Settings::check() const
{
    for (const QString& problem :
         {checkRules(steel), checkRules(gu), checkSizes(sizes), checkHabits(habits)})
        if (!problem.isEmpty())
            return problem;
    return {};
}

// file form

namespace {

const QString kRoot = QStringLiteral("EnvoraSettings");
constexpr int kSchema = 1;

QString number(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

template <typename Range>
QString numbers(const Range& values)
{
    QStringList parts;
    for (double v : values)
        parts << number(v);
    return parts.join(u' ');
}

// Reads exactly `out.size()` numbers; false when the text holds anything else.
template <size_t N>
bool parseNumbers(QStringView text, std::array<double, N>& out)
{
    const auto parts = text.split(u' ', Qt::SkipEmptyParts);
    if (parts.size() != qsizetype(N))
        return false;
    for (size_t i = 0; i < N; ++i) {
        bool ok = false;
        out[i] = parts[qsizetype(i)].toDouble(&ok);
        if (!ok)
            return false;
    }
    return true;
}

bool parseInt(const QXmlStreamAttributes& attrs, QLatin1String name, int& out)
{
    if (!attrs.hasAttribute(name))
        return true;  // a value the file does not hold keeps its default
    bool ok = false;
    const int v = attrs.value(name).toInt(&ok);
    if (ok)
        out = v;
    return ok;
}

bool parseDouble(const QXmlStreamAttributes& attrs, QLatin1String name, double& out)
{
    bool ok = false;
    const double v = attrs.value(name).toDouble(&ok);
    if (ok)
        out = v;
    return ok;
}

struct HabitField {
    const char* name;
    int UserHabits::*field;
};
constexpr HabitField kHabitFields[] = {
    {"steelSelectMode", &UserHabits::steelSelectMode},
    {"content", &UserHabits::content},
    {"gradeMode", &UserHabits::gradeMode},
    {"elementCount", &UserHabits::elementCount},
    {"midConnectStat", &UserHabits::midConnectStat},
    {"midConnectStyle", &UserHabits::midConnectStyle},
    {"midConnectDingchi", &UserHabits::midConnectDingchi},
    {"genshuJinwei", &UserHabits::genshuJinwei},
    {"showDingChi", &UserHabits::showDingChi},
    {"gunLun", &UserHabits::gunLun},
    {"shiftGunLun", &UserHabits::shiftGunLun},
    {"ctrlGunLun", &UserHabits::ctrlGunLun},
    {"tableEditMode", &UserHabits::tableEditMode},
    {"steelRecordType", &UserHabits::steelRecordType},
    {"steelGroupShow", &UserHabits::steelGroupShow},
    {"tableBkColor", &UserHabits::tableBkColor},
};

void writeRules(QXmlStreamWriter& w, const QString& family, const LengthRules& r)
{
    w.writeStartElement(QStringLiteral("Rules"));
    w.writeAttribute(QStringLiteral("family"), family);
    w.writeAttribute(QStringLiteral("calcType"), QString::number(r.calcType));
    w.writeAttribute(QStringLiteral("adjustType"), QString::number(r.adjustType));
    w.writeAttribute(QStringLiteral("dimType"), QString::number(r.dimType));
    w.writeAttribute(QStringLiteral("dataEnd"), QString::number(r.dataEnd));
    w.writeEmptyElement(QStringLiteral("StraightAfterHook"));
    w.writeAttribute(QStringLiteral("values"), numbers(r.straightAfterHook));
    for (int f = 0; f < kGradeFamilies; ++f) {
        w.writeEmptyElement(QStringLiteral("Grade"));
        w.writeAttribute(QStringLiteral("family"), QString::number(f));
        w.writeAttribute(QStringLiteral("bendDiameter"), numbers(r.bendDiameter[f]));
        w.writeAttribute(QStringLiteral("hookIncrement"), numbers(r.hookIncrement[f]));
        w.writeAttribute(QStringLiteral("bendAdjust"), numbers(r.bendAdjust[f]));
    }
    for (const DiameterRules& row : r.byDiameter) {
        w.writeEmptyElement(QStringLiteral("Diameter"));
        w.writeAttribute(QStringLiteral("d"), number(row.d));
        w.writeAttribute(QStringLiteral("hookIncrement"), numbers(row.hookIncrement));
        w.writeAttribute(QStringLiteral("bendAdjust"), numbers(row.bendAdjust));
    }
    w.writeEndElement();
}

// Reads one <Rules> element into `r`; false when something in it is damaged.
bool readRules(QXmlStreamReader& x, LengthRules& r)
{
    const auto attrs = x.attributes();
    bool ok = parseInt(attrs, QLatin1String("calcType"), r.calcType) && parseInt(attrs, QLatin1String("adjustType"), r.adjustType)
        && parseInt(attrs, QLatin1String("dimType"), r.dimType) && parseInt(attrs, QLatin1String("dataEnd"), r.dataEnd);
    bool diametersSeen = false;
    while (x.readNextStartElement()) {
        const auto a = x.attributes();
        if (x.name() == u"StraightAfterHook") {
            ok = parseNumbers(a.value(QLatin1String("values")), r.straightAfterHook) && ok;
        } else if (x.name() == u"Grade") {
            bool familyOk = false;
            const int f = a.value(QLatin1String("family")).toInt(&familyOk);
            if (!familyOk || f < 0 || f >= kGradeFamilies) {
                ok = false;
            } else {
                ok = parseNumbers(a.value(QLatin1String("bendDiameter")), r.bendDiameter[f])
                    && parseNumbers(a.value(QLatin1String("hookIncrement")), r.hookIncrement[f])
                    && parseNumbers(a.value(QLatin1String("bendAdjust")), r.bendAdjust[f]) && ok;
            }
        } else if (x.name() == u"Diameter") {
            if (!diametersSeen)
                r.byDiameter.clear();
            diametersSeen = true;
            DiameterRules row;
            ok = parseDouble(a, QLatin1String("d"), row.d) && parseNumbers(a.value(QLatin1String("hookIncrement")), row.hookIncrement)
                && parseNumbers(a.value(QLatin1String("bendAdjust")), row.bendAdjust) && ok;
            r.byDiameter.push_back(row);
        }
        x.skipCurrentElement();
    }
    return ok && Settings::checkRules(r).isEmpty();
}

bool readSizes(QXmlStreamReader& x, std::vector<SteelSize>& sizes)
{
    sizes.clear();
    bool ok = true;
    while (x.readNextStartElement()) {
        if (x.name() == u"Size") {
            const auto a = x.attributes();
            SteelSize s;
            ok = parseDouble(a, QLatin1String("d"), s.d) && parseNumbers(a.value(QLatin1String("weight")), s.weight)
                && parseInt(a, QLatin1String("grade"), s.grade) && ok;
            sizes.push_back(s);
        }
        x.skipCurrentElement();
    }
    return ok && Settings::checkSizes(sizes).isEmpty();
}

bool readHabits(QXmlStreamReader& x, UserHabits& h)
{
    const auto a = x.attributes();
    bool ok = true;
    for (const HabitField& f : kHabitFields)
        ok = parseInt(a, QLatin1String(f.name), h.*f.field) && ok;
    if (a.hasAttribute(QLatin1String("titleBk"))) {
        bool colourOk = false;
        const uint v = a.value(QLatin1String("titleBk")).toUInt(&colourOk, 16);
        if (colourOk)
            h.titleBk = v;
        ok = ok && colourOk;
    }
    x.skipCurrentElement();
    return ok && Settings::checkHabits(h).isEmpty();
}

} // namespace

QByteArray toXml(const Settings& s)
{
    QByteArray out;
    QXmlStreamWriter w(&out);
    w.setAutoFormatting(true);
    w.setAutoFormattingIndent(2);
    w.writeStartDocument();
    w.writeStartElement(kRoot);
    w.writeAttribute(QStringLiteral("schema"), QString::number(kSchema));
    writeRules(w, QStringLiteral("steel"), s.steel);
    writeRules(w, QStringLiteral("gu"), s.gu);
    w.writeStartElement(QStringLiteral("Sizes"));
    for (const SteelSize& size : s.sizes) {
        w.writeEmptyElement(QStringLiteral("Size"));
        w.writeAttribute(QStringLiteral("d"), number(size.d));
        w.writeAttribute(QStringLiteral("weight"), numbers(size.weight));
        w.writeAttribute(QStringLiteral("grade"), QString::number(size.grade));
    }
    w.writeEndElement();
    w.writeEmptyElement(QStringLiteral("Habits"));
    for (const HabitField& f : kHabitFields)
        w.writeAttribute(QString::fromLatin1(f.name), QString::number(s.habits.*f.field));
    w.writeAttribute(QStringLiteral("titleBk"),
                     QStringLiteral("%1").arg(s.habits.titleBk, 6, 16, QLatin1Char('0')));
    w.writeEndElement();
    w.writeEndDocument();
    return out;
}

SettingsFile readSettingsXml(const QByteArray& xml)
{
    const Settings defaults = Settings::defaults();
    SettingsFile file{defaults, false, {}};
    Settings& s = file.settings;
    QXmlStreamReader x(xml);
    if (!x.readNextStartElement() || x.name() != kRoot)
        return {defaults, true, {}};
    while (x.readNextStartElement()) {
        if (x.name() == u"Rules") {
            const auto family = x.attributes().value(QLatin1String("family"));
            const bool isGu = family == u"gu";
            if (!isGu && family != u"steel") {
                x.skipCurrentElement();
                continue;
            }
            LengthRules& target = isGu ? s.gu : s.steel;
            if (!readRules(x, target)) {
                target = isGu ? defaults.gu : defaults.steel;
                file.invalidParts << (isGu ? QStringLiteral("箍筋计算规则") : QStringLiteral("纵筋计算规则"));
            }
        } else if (x.name() == u"Sizes") {
            if (!readSizes(x, s.sizes)) {
                s.sizes = defaults.sizes;
                file.invalidParts << QStringLiteral("钢筋规格表");
            }
        } else if (x.name() == u"Habits") {
            if (!readHabits(x, s.habits)) {
                s.habits = defaults.habits;
                file.invalidParts << QStringLiteral("用户习惯");
            }
        } else {
            x.skipCurrentElement();
        }
    }
    // A file cut short or not XML at all: nothing of it can be trusted.
    if (x.hasError())
        return {defaults, true, {}};
    return file;
}

// the store

namespace {

struct Store {
    std::mutex mutex;         // guards `current`
    std::mutex writeMutex;    // one change at a time
    std::shared_ptr<const Settings> current;
    // Counts the changes of `current`, so that a thread can tell whether its
    // own copy of the pointer is still the one in force.
    std::atomic<std::uint64_t> generation{0};
    // The data folder's generation `current` was read at: a moved folder
    // has settings of its own.
    std::uint64_t folder = 0;
};

struct ThreadCopy {
    std::uint64_t generation = 0;
    std::uint64_t folder = 0;
    std::shared_ptr<const Settings> settings;
};
thread_local ThreadCopy t_copy;

Store& store()
{
    static Store s;
    return s;
}

// Messages go to the user on the UI thread; a worker that happens to load
// the settings first leaves the message to the UI thread's event loop.
void tellUser(const QString& text)
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!app || QThread::currentThread() == app->thread()) {
        platform::showMessage(text, platform::MessageIcon::Warning);
        return;
    }
    QMetaObject::invokeMethod(
        app, [text] { platform::showMessage(text, platform::MessageIcon::Warning); },
        Qt::QueuedConnection);
}

std::shared_ptr<const Settings> loadFromDisk(QString* message)
{
    const QString path = settingsFilePath();
    if (!QFileInfo::exists(path)) {
        *message = QStringLiteral("未找到设置文件%1，已使用默认设置。").arg(path);
        return std::make_shared<const Settings>(Settings::defaults());
    }
    QByteArray bytes;
    SettingsFile file{Settings::defaults(), true, {}};
    if (platform::readFile(path, &bytes))
        file = readSettingsXml(bytes);
    if (file.damaged)
        *message = QStringLiteral("设置文件%1已损坏，已使用默认设置。").arg(path);
    else if (!file.invalidParts.isEmpty())
        *message = QStringLiteral("设置文件%1中以下设置无效，已改用默认值：%2。")
                       .arg(path, file.invalidParts.join(QStringLiteral("、")));
    return std::make_shared<const Settings>(std::move(file.settings));
}

} // namespace

QString settingsFilePath()
{
    return platform::dataFolder() + QLatin1String(kSettingsFileName);
}

std::shared_ptr<const Settings> settings()
{
    Store& st = store();
    QString message;
    std::shared_ptr<const Settings> s;
    {
        std::lock_guard lock(st.mutex);
        if (!st.current || st.folder != platform::dataFolderGeneration()) {
            st.current = loadFromDisk(&message);
            // Read after the load, which prepares a folder it had not seen.
            st.folder = platform::dataFolderGeneration();
            st.generation.fetch_add(1, std::memory_order_release);
        }
        s = st.current;
        t_copy = {st.generation.load(), st.folder, s};
    }
    // Told outside the lock: a message box runs an event loop that may ask
    // for settings again.
    if (!message.isEmpty())
        tellUser(message);
    return s;
}

const Settings& currentSettings()
{
    if (!t_copy.settings || t_copy.generation != store().generation.load(std::memory_order_acquire)
        || t_copy.folder != platform::dataFolderGeneration())
        settings();
    return *t_copy.settings;
}

bool updateSettings(const std::function<void(Settings&)>& edit, QString* error)
{
    settings();  // loaded, and any message about the file told, before locking
    Store& st = store();
    std::lock_guard writing(st.writeMutex);
    std::shared_ptr<const Settings> old;
    {
        std::lock_guard lock(st.mutex);
        old = st.current ? st.current : std::make_shared<const Settings>(Settings::defaults());
    }
    auto changed = std::make_shared<Settings>(*old);
    edit(*changed);
    const QString problem = changed->check();
    if (!problem.isEmpty()) {
        if (error)
            *error = problem;
        return false;
    }
    if (*changed == *old)
        return true;
    {
        std::lock_guard lock(st.mutex);
        st.current = changed;
        st.generation.fetch_add(1, std::memory_order_release);
    }
    // The change applies even when the disk refuses it, so nothing the user
    // set is lost for this session; the user is told that it was not kept.
    QString reason;
    if (!platform::saveFile(settingsFilePath(), toXml(*changed), &reason))
        tellUser(QStringLiteral("无法保存设置文件%1：%2").arg(settingsFilePath(), reason));
    return true;
}

void reloadSettings()
{
    Store& st = store();
    std::lock_guard writing(st.writeMutex);
    std::lock_guard lock(st.mutex);
    st.current.reset();
    st.generation.fetch_add(1, std::memory_order_release);
    platform::noteSharedDataChanged();
}

} // namespace envora
