#include "tools/shapesource.h"

#include "core/geometry/formula.h"
#include "core/geometry/xmldocument.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QSet>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace shapes {

namespace {

// What the shape editor gives new items: sides 4 wide in the solid style,
// everything white.
constexpr int kSideWidth = 4;
constexpr unsigned kSideStyle = 0;
constexpr platform::COLORREF kWhite = 0xFFFFFF;
constexpr int kVarHeight = 70;
constexpr int kTextHeight = 70;
constexpr int kAuxWidth = 1;

// Hook kinds by the angle the source names.
constexpr int kHook90 = 1;
constexpr int kHook135 = 2;
constexpr int kHook180 = 4;

const char* const kFunctionNames[] = {"asin", "acos", "atan", "actn", "sin", "cos", "tan",
                                      "ctn", "square", "sqrt", "int", "ln"};
const char* const kStandardNames[] = {"d", "lae", "lle", "la", "bhc"};

struct SourceError : std::runtime_error {
    explicit SourceError(const QString& message) : std::runtime_error(message.toStdString()) {}
};

[[noreturn]] void fail(const QString& message)
{
    throw SourceError(message);
}

QString describe(const QJsonValue& v)
{
    if (v.isString())
        return v.toString();
    return QString::fromUtf8(QJsonDocument(QJsonArray{v}).toJson(QJsonDocument::Compact));
}

int toInt(const QJsonValue& v, const QString& what)
{
    const double d = v.toDouble(std::nan(""));
    if (!v.isDouble() || std::trunc(d) != d || std::abs(d) > 1e6)
        fail(what + QStringLiteral(" is no whole number: ") + describe(v));
    return int(d);
}

QPoint toPoint(const QJsonValue& v, const QString& what)
{
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() != 2)
        fail(what + QStringLiteral(" is no point [x, y]"));
    return QPoint(toInt(a[0], what), toInt(a[1], what));
}

std::vector<int> toInts(const QJsonValue& v, int minCount, int maxCount, const QString& what)
{
    const QJsonArray a = v.toArray();
    if (!v.isArray() || a.size() < minCount || a.size() > maxCount)
        fail(what + QStringLiteral(" needs %1 numbers").arg(minCount));
    std::vector<int> out;
    for (const QJsonValue& x : a)
        out.push_back(toInt(x, what));
    return out;
}

QString toText(const QJsonValue& v, const QString& what)
{
    if (v.isString())
        return v.toString();
    if (v.isDouble()) // a plain number is a formula too
        return QString::number(v.toDouble(), 'g', 12);
    fail(what + QStringLiteral(" is no text"));
}

unsigned toAlign(const QJsonValue& v, const QString& what)
{
    const QString a = v.toString(QStringLiteral("left"));
    if (a == u"left")
        return CVes_String::kLeft;
    if (a == u"centre")
        return CVes_String::kCentre;
    if (a == u"right")
        return CVes_String::kRight;
    fail(what + QStringLiteral(": unknown alignment ") + a);
}

void checkKeys(const QJsonObject& o, std::initializer_list<const char*> allowed, const QString& what)
{
    for (auto it = o.begin(); it != o.end(); ++it) {
        bool known = false;
        for (const char* k : allowed)
            known = known || it.key() == QLatin1String(k);
        if (!known)
            fail(what + QStringLiteral(": unknown field \"") + it.key() + u'"');
    }
}

// A name the formula language reads as one variable, whatever it is joined to.
void checkVariableName(const QString& name, const QString& what)
{
    if (name.isEmpty() || !name[0].isLetter() || name[0].unicode() > 0x7F)
        fail(what + QStringLiteral(": a variable name starts with a letter: ") + name);
    for (const QChar c : name) {
        if (c.unicode() > 0x7F || !(c.isLetterOrNumber() || c == u'_'))
            fail(what + QStringLiteral(": a variable name holds ASCII letters and digits only: ") + name);
    }
    for (const char* f : kFunctionNames) {
        if (name.contains(QLatin1String(f), Qt::CaseInsensitive))
            fail(what + QStringLiteral(": the variable name ") + name
                 + QStringLiteral(" contains the function name ") + QLatin1String(f));
    }
    for (const char* s : kStandardNames) {
        if (name == QLatin1String(s))
            fail(what + QStringLiteral(": ") + name + QStringLiteral(" is a standard variable"));
    }
}

void checkFormula(const QString& formula, const CVes_ModelRecord& rec, const QString& what)
{
    QString message;
    if (formula.trimmed().isEmpty())
        fail(what + QStringLiteral(": empty formula"));
    if (!CVes_Formula().checkFormula(formula, rec.m_arrVar, message))
        fail(what + QStringLiteral(": formula \"") + formula + QStringLiteral("\": ") + message);
}

int hookKind(const QJsonValue& v, const QString& what)
{
    switch (toInt(v, what)) {
    case 90: return kHook90;
    case 135: return kHook135;
    case 180: return kHook180;
    default: fail(what + QStringLiteral(": a hook is 90, 135 or 180"));
    }
}

void readHooks(const QJsonObject& o, CVes_ModelRecord& rec, const QString& what)
{
    checkKeys(o, {"left", "right", "leftParam", "rightParam"}, what);
    if (o.contains(u"left")) {
        rec.m_hookLeft.enabled = 1;
        rec.m_hookLeft.kind = hookKind(o[u"left"], what);
    }
    if (o.contains(u"right")) {
        rec.m_hookRight.enabled = 1;
        rec.m_hookRight.kind = hookKind(o[u"right"], what);
    }
    if (o.contains(u"leftParam"))
        rec.m_hookLeft.param = toInt(o[u"leftParam"], what);
    if (o.contains(u"rightParam"))
        rec.m_hookRight.param = toInt(o[u"rightParam"], what);
    // A bar takes the hooks of its shape only when the first end has one.
    if (rec.m_hookRight.enabled && !rec.m_hookLeft.enabled)
        fail(what + QStringLiteral(": a single hook goes at the first end (\"left\")"));
    for (int p : {rec.m_hookLeft.param, rec.m_hookRight.param}) {
        if (p != 8 && p != 16)
            fail(what + QStringLiteral(": a hook turns 8 (clockwise) or 16 (counter-clockwise)"));
    }
}

void readVariables(const QJsonArray& vars, CVes_ModelRecord& rec, const QString& what)
{
    QSet<QString> seen;
    for (const QJsonValue& value : vars) {
        const QJsonObject o = value.toObject();
        const QString name = o[u"name"].toString();
        const QString item = what + QStringLiteral(", variable ") + name;
        checkKeys(o, {"name", "value", "at", "align", "unit", "kind", "formula", "height"}, item);
        checkVariableName(name, item);
        if (seen.contains(name))
            fail(item + QStringLiteral(": named twice"));
        seen.insert(name);

        const QString kindText = o[u"kind"].toString(QStringLiteral("given"));
        unsigned kind = CVes_Variable::kGiven;
        if (kindText == u"computed")
            kind = CVes_Variable::kComputed;
        else if (kindText != u"given")
            fail(item + QStringLiteral(": kind is \"given\" or \"computed\""));
        const QString formula = o[u"formula"].toString();
        if (kind == CVes_Variable::kComputed && formula.isEmpty())
            fail(item + QStringLiteral(": a computed variable needs a formula"));
        if (kind == CVes_Variable::kGiven && !o[u"value"].isDouble())
            fail(item + QStringLiteral(": a given variable needs a default value"));

        const QPoint at = toPoint(o[u"at"], item);
        const int height = o.contains(u"height") ? toInt(o[u"height"], item) : kVarHeight;
        CVes_Variable* v = rec.AddVar(name, kind, formula, at.x(), at.y(), height,
                                      toAlign(o[u"align"], item), 0, kWhite);
        const QString unit = o[u"unit"].toString(QStringLiteral("mm"));
        if (unit == u"deg")
            v->setVarUnit(CVes_Variable::kDegrees);
        else if (unit != u"mm")
            fail(item + QStringLiteral(": unit is \"mm\" or \"deg\""));
        v->m_value = v->m_value2 = o[u"value"].toDouble(0.0);
    }
    // Formulas may name any variable; computed ones are evaluated in order.
    for (const auto& v : rec.m_arrVar) {
        if (v->m_type != CVes_Variable::kStandard && !v->m_formula.isEmpty())
            checkFormula(v->m_formula, rec, what + QStringLiteral(", variable ") + v->m_text);
    }
}

struct SideSource {
    bool mark = false;
    int markType = 0;
    QString count;
    QPoint from, to, through;
    bool arc = false;
    QString angle, length;
    bool hasAngle = false;
};

void readSides(const QJsonArray& sides, CVes_ModelRecord& rec, const QString& what)
{
    std::vector<SideSource> src;
    bool haveEnd = false;
    QPoint end;
    for (int i = 0; i < sides.size(); ++i) {
        const QJsonObject o = sides[i].toObject();
        const QString item = what + QStringLiteral(", side %1").arg(i + 1);
        SideSource s;
        if (o.contains(u"mark")) {
            checkKeys(o, {"mark", "count"}, item);
            s.mark = true;
            s.markType = toInt(o[u"mark"], item);
            if (s.markType < 1 || s.markType > 9)
                fail(item + QStringLiteral(": a connection type is 1 to 9"));
            s.count = o.contains(u"count") ? toText(o[u"count"], item) : QStringLiteral("1");
            if (i == 0 || i + 1 >= sides.size() || src.back().mark || src.back().arc)
                fail(item + QStringLiteral(": a mark stands between two straight sides"));
            src.push_back(s);
            continue;
        }
        checkKeys(o, {"from", "to", "through", "A", "L"}, item);
        if (o.contains(u"from"))
            s.from = toPoint(o[u"from"], item);
        else if (haveEnd)
            s.from = end;
        else
            fail(item + QStringLiteral(": the first side needs \"from\""));
        s.to = toPoint(o[u"to"], item);
        s.arc = o.contains(u"through");
        if (s.arc)
            s.through = toPoint(o[u"through"], item);
        if (!o.contains(u"L"))
            fail(item + QStringLiteral(": no length formula L"));
        s.length = toText(o[u"L"], item);
        s.hasAngle = o.contains(u"A");
        if (s.hasAngle)
            s.angle = toText(o[u"A"], item);
        const bool first = std::none_of(src.begin(), src.end(), [](const SideSource& x) { return !x.mark; });
        if (first && s.hasAngle)
            fail(item + QStringLiteral(": the first side has no angle"));
        if (!first && !s.hasAngle)
            fail(item + QStringLiteral(": every side after the first needs its angle A"));
        if (s.from == s.to)
            fail(item + QStringLiteral(": a side of no length"));
        if (!src.empty() && src.back().mark) {
            const SideSource& before = src[src.size() - 2];
            const QPoint a = before.to - before.from, b = s.to - s.from;
            if (s.arc || s.from != before.to || a.x() * b.y() != a.y() * b.x()
                || a.x() * b.x() + a.y() * b.y() <= 0)
                fail(item + QStringLiteral(": the side after a mark goes on in line with the side before it"));
        }
        src.push_back(s);
        haveEnd = true;
        end = s.to;
    }
    if (src.empty())
        fail(what + QStringLiteral(": no sides"));

    // Drawn as the editor draws them: a mark's two sides as one line, then
    // the joint set on it.
    for (std::size_t i = 0; i < src.size(); ++i) {
        const SideSource& s = src[i];
        if (s.mark)
            continue;
        if (i + 1 < src.size() && src[i + 1].mark)
            continue; // drawn together with the side after the mark
        // The first side of a run joined by marks starts the line.
        std::size_t j = i;
        while (j >= 2 && src[j - 1].mark)
            j -= 2;
        const QPoint from = src[j].from;
        if (s.arc)
            rec.AddArcSide(from.x(), from.y(), s.to.x(), s.to.y(), s.through.x(), s.through.y(),
                           kSideWidth, kSideStyle, kWhite);
        else
            rec.AddLSide(from.x(), from.y(), s.to.x(), s.to.y(), kSideWidth, kSideStyle, kWhite);
        for (std::size_t k = j; k < i; k += 2) {
            const QPoint at = src[k].to;
            if (!rec.AddConnect(unsigned(src[k + 1].markType), at.x(), at.y(), src[k + 1].count))
                fail(what + QStringLiteral(": no straight side to set the mark %1 on").arg(k + 2));
        }
    }
    if (rec.m_arrSide.size() != src.size())
        fail(what + QStringLiteral(": a side goes on in line with the one before it and was joined to it"));

    for (std::size_t i = 0; i < src.size(); ++i) {
        CVes_Side& side = *rec.m_arrSide[i];
        const SideSource& s = src[i];
        const QString item = what + QStringLiteral(", side %1").arg(i + 1);
        if (s.mark) {
            if (!side.isConnect() || side.m_subStyle != s.markType)
                fail(item + QStringLiteral(": the mark landed elsewhere"));
            checkFormula(s.count, rec, item + QStringLiteral(" (count)"));
            continue;
        }
        if (side.isConnect() || side.getStart() != s.from || side.getEnd() != s.to)
            fail(item + QStringLiteral(": the side landed elsewhere"));
        side.m_lengthText = s.length;
        checkFormula(s.length, rec, item + QStringLiteral(" (L)"));
        if (s.hasAngle) {
            side.m_angleText = s.angle;
            checkFormula(s.angle, rec, item + QStringLiteral(" (A)"));
        }
    }

    // The intermediate connections the editor makes from the marks.
    if (std::any_of(src.begin(), src.end(), [](const SideSource& s) { return s.mark; })) {
        rec.clearMidConnectArray();
        rec.m_barGroup = 1;
        for (const SideSource& s : src) {
            if (!s.mark)
                continue;
            CVes_MidConnect mc;
            mc.style = s.markType == 9 ? 8 : s.markType;
            if (s.markType == 9)
                mc.valueC = 0;
            mc.countText = s.count;
            rec.AddMidConnect(mc);
        }
    }
}

void readDrawing(const QJsonObject& o, CVes_ModelRecord& rec, const QString& what)
{
    for (const QJsonValue& v : o[u"texts"].toArray()) {
        const QJsonObject t = v.toObject();
        const QString item = what + QStringLiteral(", text");
        checkKeys(t, {"text", "at", "align", "height"}, item);
        const QString text = t[u"text"].toString();
        if (text.isEmpty())
            fail(item + QStringLiteral(": empty text"));
        const QPoint at = toPoint(t[u"at"], item);
        const int height = t.contains(u"height") ? toInt(t[u"height"], item) : kTextHeight;
        rec.AddText(text, at.x(), at.y(), height, toAlign(t[u"align"], item), 0, kWhite, 1);
    }
    for (const QJsonValue& v : o[u"lines"].toArray()) {
        const std::vector<int> p = toInts(v, 4, 5, what + QStringLiteral(", line"));
        rec.AddLine(p[0], p[1], p[2], p[3], kAuxWidth, p.size() > 4 ? unsigned(p[4]) : 0u, kWhite);
    }
    for (const QJsonValue& v : o[u"arcs"].toArray()) {
        const std::vector<int> p = toInts(v, 6, 6, what + QStringLiteral(", arc"));
        rec.AddArc(p[0], p[1], p[2], p[3], p[4], p[5], kAuxWidth, 0, kWhite);
    }
    for (const QJsonValue& v : o[u"circles"].toArray()) {
        const std::vector<int> p = toInts(v, 3, 3, what + QStringLiteral(", circle"));
        rec.AddCircle(p[0], p[1], p[2], kAuxWidth, 0, kWhite);
    }
}

// Every default value must give a drawable bar: lengths above 0, angles of a
// real bend or straight on.
void checkDefaults(CVes_ModelRecord& rec, bool start, const QString& what)
{
    rec.calculateSideLen(CVes_Formula::kValueMode);
    for (std::size_t i = 0; i < rec.m_arrSide.size(); ++i) {
        const CVes_Side& side = *rec.m_arrSide[i];
        const QString item = what + QStringLiteral(", side %1").arg(i + 1);
        if (side.isConnect()) {
            if (side.m_count < 1)
                fail(item + QStringLiteral(": the count of a mark is at least 1"));
            continue;
        }
        if (side.m_length <= 0)
            fail(item + QStringLiteral(": the default length is %1").arg(side.m_length));
        if (i > 0 && !(side.m_angle >= 5.0 && side.m_angle <= 180.0))
            fail(item + QStringLiteral(": the default angle is %1").arg(side.m_angle));
    }
    if (!start && rec.m_arrSide.empty())
        fail(what + QStringLiteral(": a bar shape needs sides"));
}

std::unique_ptr<CVes_ModelRecord> buildShape(const QJsonObject& o, bool start, int stirrup,
                                             const QString& what)
{
    checkKeys(o, {"name", "stirrup", "hooks", "vars", "sides", "texts", "lines", "arcs", "circles"},
              what);
    std::unique_ptr<CVes_ModelRecord> rec;
    if (start)
        rec = std::make_unique<CVes_ModelStart>();
    else
        rec = std::make_unique<CVes_ModelRecord>();
    rec->m_stirrup = o.contains(u"stirrup") ? toInt(o[u"stirrup"], what) : stirrup;
    if (rec->m_stirrup != 0 && rec->m_stirrup != 1)
        fail(what + QStringLiteral(": the stirrup flag is 0 or 1"));
    readHooks(o[u"hooks"].toObject(), *rec, what);
    readVariables(o[u"vars"].toArray(), *rec, what);
    if (o.contains(u"sides") || !start)
        readSides(o[u"sides"].toArray(), *rec, what);
    readDrawing(o, *rec, what);

    const int w = rec->m_rectW, h = rec->m_rectH;
    auto inside = [&](const CVes_Point& p) { return p.m_x >= 0 && p.m_x <= w && p.m_y >= 0 && p.m_y <= h; };
    for (const auto& s : rec->m_arrSide) {
        if (!inside(s->m_P1) || (!s->isConnect() && !inside(s->m_P2)))
            fail(what + QStringLiteral(": a side leaves the drawing area"));
    }
    checkDefaults(*rec, start, what);
    return rec;
}

QJsonObject readJson(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        fail(path + QStringLiteral(": ") + f.errorString());
    QJsonParseError pe;
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError)
        fail(path + QStringLiteral(": ") + pe.errorString() + QStringLiteral(" at byte %1").arg(pe.offset));
    if (!doc.isObject())
        fail(path + QStringLiteral(": no JSON object"));
    return doc.object();
}

void readSubLibrary(const QString& path, ShapeSet& set, QSet<int>& shapeIds, QSet<int>& startIds)
{
    const QJsonObject o = readJson(path);
    const QString file = QFileInfo(path).fileName();
    checkKeys(o, {"library", "mainId", "name", "stirrup", "shapes"}, file);
    const QString library = o[u"library"].toString();
    if (library != u"shapes" && library != u"starts")
        fail(file + QStringLiteral(": library is \"shapes\" or \"starts\""));
    const bool start = library == u"starts";
    const int mainId = toInt(o[u"mainId"], file);
    // The system range of the libraries, clear of the ids of older libraries
    // and of the two the bar list treats as bar groups.
    if (mainId < 190 || mainId > 199)
        fail(file + QStringLiteral(": main ids of the default libraries are 190 to 199"));
    QSet<int>& ids = start ? startIds : shapeIds;
    if (ids.contains(mainId))
        fail(file + QStringLiteral(": main id %1 is used twice").arg(mainId));
    ids.insert(mainId);
    const QString name = o[u"name"].toString();
    if (name.isEmpty())
        fail(file + QStringLiteral(": no name"));
    const int stirrup = o.contains(u"stirrup") ? toInt(o[u"stirrup"], file) : 0;

    auto sub = std::make_unique<CVes_ModelRecordSubLib>(name);
    sub->changeMainId(mainId);
    const QJsonArray list = o[u"shapes"].toArray();
    if (list.isEmpty())
        fail(file + QStringLiteral(": no shapes"));
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject s = list[i].toObject();
        const QString shapeName = s[u"name"].toString();
        const CSteelRecordId expected(mainId, i + 1);
        const QString what = file + u' ' + expected.ToString() + u' ' + shapeName;
        if (shapeName.isEmpty())
            fail(what + QStringLiteral(": no name"));
        const auto rec = buildShape(s, start, stirrup, what);
        const CSteelRecordId key = sub->Add_Copy(rec.get());
        if (key != expected)
            fail(what + QStringLiteral(": draws the same as ") + key.ToString());
        set.info.push_back({key, shapeName, start});
    }
    (start ? set.starts->getSyslibArray() : set.shapes->getSyslibArray()).push_back(std::move(sub));
}

// List files lie in the data folder itself.
void checkListFileName(const QString& name, const QString& what)
{
    if (!name.endsWith(QLatin1String(".dat")) || name.contains(u'/') || name.contains(u'\\')
        || name.contains(QLatin1String("..")))
        fail(what + QStringLiteral(": a list file is a plain name ending .dat: ") + name);
}

std::vector<Category> readCategories(const QJsonValue& v, const ShapeSet& set, bool start,
                                     const QString& what)
{
    std::vector<Category> out;
    const QJsonArray a = v.toArray();
    if (a.isEmpty())
        fail(what + QStringLiteral(": no categories"));
    QSet<QString> files;
    for (const QJsonValue& c : a) {
        const QJsonObject o = c.toObject();
        checkKeys(o, {"name", "file", "keys"}, what);
        Category cat;
        cat.name = o[u"name"].toString();
        cat.file = o[u"file"].toString();
        if (cat.name.isEmpty() || cat.file.isEmpty())
            fail(what + QStringLiteral(": a category needs a name and a file"));
        checkListFileName(cat.file, what);
        if (files.contains(cat.file))
            fail(what + QStringLiteral(": the list file ") + cat.file + QStringLiteral(" is named twice"));
        files.insert(cat.file);
        for (const QJsonValue& k : o[u"keys"].toArray())
            cat.keys << k.toString();
        out.push_back(cat);
    }
    // The first category is the recent list, which holds at most 17 keys.
    if (out.front().keys.size() > 17)
        fail(what + QStringLiteral(": the first category holds at most 17 keys"));
    for (const Category& cat : out) {
        for (const QString& k : cat.keys) {
            const CSteelRecordId key = CSteelRecordId::setId(k);
            if (key.isNull() || key.ToString() != k || !set.record(key, start))
                fail(what + u' ' + cat.name + QStringLiteral(": no shape ") + k);
        }
    }
    return out;
}

void readLists(const QString& path, ShapeSet& set)
{
    const QJsonObject o = readJson(path);
    const QString file = QFileInfo(path).fileName();
    checkKeys(o, {"steelLib.xml", "startLib.xml", "lists"}, file);
    set.steelCategories = readCategories(o[u"steelLib.xml"], set, false, QStringLiteral("steelLib.xml"));
    set.startCategories = readCategories(o[u"startLib.xml"], set, true, QStringLiteral("startLib.xml"));
    const QJsonObject lists = o[u"lists"].toObject();
    for (auto it = lists.begin(); it != lists.end(); ++it) {
        checkListFileName(it.key(), file);
        QStringList keys;
        for (const QJsonValue& k : it.value().toArray()) {
            const QString text = k.toString();
            const CSteelRecordId key = CSteelRecordId::setId(text);
            if (key.isNull() || key.ToString() != text || !set.record(key, false))
                fail(file + u' ' + it.key() + QStringLiteral(": no shape ") + text);
            keys << text;
        }
        // The common-bars dialog keeps at most 12 recent shapes.
        if (it.key() == u"recentSteel.dat" && keys.size() > 12)
            fail(file + QStringLiteral(": recentSteel.dat holds at most 12 keys"));
        set.lists[it.key()] = keys;
    }
    // Every list has a file of its own.
    QSet<QString> names;
    for (const auto& cats : {set.steelCategories, set.startCategories}) {
        for (const Category& c : cats) {
            if (set.lists.count(c.file) || names.contains(c.file))
                fail(file + QStringLiteral(": the list file ") + c.file + QStringLiteral(" is named twice"));
            names.insert(c.file);
        }
    }
}

bool writeCategoryFile(const std::vector<Category>& cats, const QString& path)
{
    CXmlDocument doc;
    doc.setDocument(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"));
    doc.addElement(QStringLiteral("STEELCHANGYONG"));
    doc.intoElement();
    for (const Category& c : cats) {
        doc.addElement(QStringLiteral("LIB"));
        doc.setAttributeAt(doc.getCurrentPosition(), QStringLiteral("NAME"), c.name);
        doc.intoElement();
        doc.addElement(QStringLiteral("NAME"), c.name);
        doc.addElement(QStringLiteral("FILE"), c.file);
        doc.outOfElement();
    }
    doc.outOfElement();
    return doc.saveFile(path);
}

} // namespace

ShapeSet::ShapeSet()
    : shapes(std::make_unique<CVes_ModelRecordMainLib>()),
      starts(std::make_unique<CVes_ModelStartMainLib>())
{
}

CVes_ModelRecord* ShapeSet::record(CSteelRecordId key, bool start) const
{
    CVes_ModelRecordMainLib* lib = start ? starts.get() : shapes.get();
    for (const auto& sub : lib->getSyslibArray()) {
        if (CVes_ModelRecord* r = sub->getModel(key))
            return r;
    }
    return nullptr;
}

bool readShapeSources(const QString& dir, ShapeSet& set, QString& error)
{
    try {
        const QDir d(dir);
        const QStringList files = d.entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
        if (!files.contains(QStringLiteral("lists.json")))
            fail(dir + QStringLiteral(": no lists.json"));
        QSet<int> shapeIds, startIds;
        for (const QString& f : files) {
            if (f != u"lists.json")
                readSubLibrary(d.filePath(f), set, shapeIds, startIds);
        }
        if (shapeIds.isEmpty())
            fail(dir + QStringLiteral(": no shape library"));
        readLists(d.filePath(QStringLiteral("lists.json")), set);
        return true;
    } catch (const SourceError& e) {
        error = QString::fromStdString(e.what());
        return false;
    }
}

std::unique_ptr<CVes_ModelRecord> shapeFromJson(const QByteArray& json, bool start, int stirrup,
                                                QString& error)
{
    try {
        QJsonParseError pe;
        const QJsonDocument doc = QJsonDocument::fromJson(json, &pe);
        if (pe.error != QJsonParseError::NoError || !doc.isObject())
            fail(QStringLiteral("no JSON object: ") + pe.errorString());
        return buildShape(doc.object(), start, stirrup, doc.object()[u"name"].toString());
    } catch (const SourceError& e) {
        error = QString::fromStdString(e.what());
        return nullptr;
    }
}

QByteArray listFileBytes(const QStringList& keys)
{
    QByteArray out;
    for (const QString& k : keys)
        out += k.toLatin1() + "\r\n";
    return out;
}

bool writeShapeFiles(ShapeSet& set, const QString& outDir, QString& error)
{
    if (!QDir().mkpath(outDir)) {
        error = outDir + QStringLiteral(": cannot create the folder");
        return false;
    }
    const QDir d(outDir);
    auto path = [&](const QString& name) { return d.filePath(name); };
    auto failed = [&](const QString& name) {
        error = path(name) + QStringLiteral(": cannot write");
        return false;
    };
    CVes_ModelRecordMainLib emptyShapes;
    CVes_ModelStartMainLib emptyStarts;
    for (const char* f : {kSysLibFile, kUseLibFile, kStartSysLibFile, kStartUseLibFile})
        QFile::remove(path(QLatin1String(f)));
    if (!set.shapes->saveLib(path(QLatin1String(kSysLibFile)), 1))
        return failed(QLatin1String(kSysLibFile));
    if (!emptyShapes.saveLib(path(QLatin1String(kUseLibFile)), 0))
        return failed(QLatin1String(kUseLibFile));
    if (!set.starts->saveLib(path(QLatin1String(kStartSysLibFile)), 1))
        return failed(QLatin1String(kStartSysLibFile));
    if (!emptyStarts.saveLib(path(QLatin1String(kStartUseLibFile)), 0))
        return failed(QLatin1String(kStartUseLibFile));
    if (!writeCategoryFile(set.steelCategories, path(QStringLiteral("steelLib.xml"))))
        return failed(QStringLiteral("steelLib.xml"));
    if (!writeCategoryFile(set.startCategories, path(QStringLiteral("startLib.xml"))))
        return failed(QStringLiteral("startLib.xml"));
    std::map<QString, QStringList> all = set.lists;
    for (const auto& cats : {set.steelCategories, set.startCategories}) {
        for (const Category& c : cats)
            all[c.file] = c.keys;
    }
    for (const auto& [name, keys] : all) {
        if (!platform::saveFile(path(name), listFileBytes(keys)))
            return failed(name);
    }
    return true;
}

} // namespace shapes
