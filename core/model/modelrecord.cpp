#include "core/model/modelrecord.h"

#include "core/geometry/connect.h"
#include "core/geometry/formula.h"
#include "core/geometry/geometry.h"
#include "core/geometry/steeltext.h"
#include "platform/archive.h"
#include "platform/dc.h"
#include "platform/gdi.h"
#include "platform/hostservices.h"
#include "platform/saturate.h"
#include "platform/savefile.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <optional>

using namespace platform::gdi;

namespace {

const char* const kStandardVariables[] = {"d", "lae", "lle", "la", "bhc"};

std::unique_ptr<CVes_Variable> standardVariable(const QString& name, double value)
{
    auto v = std::make_unique<CVes_Variable>();
    v->m_text = name;
    v->m_type = CVes_Variable::kStandard;
    v->m_value = v->m_value2 = value;
    return v;
}

bool sameMidConnects(const std::vector<std::unique_ptr<CVes_MidConnect>>& a,
                     const std::vector<std::unique_ptr<CVes_MidConnect>>& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (*a[i] != *b[i] || a[i]->countText != b[i]->countText)
            return false;
    }
    return true;
}

} // namespace

CVes_ModelRecord::CVes_ModelRecord()
{
    setDefaults();
}

CVes_ModelRecord::CVes_ModelRecord(const CVes_ModelRecord* other)
{
    // A copy takes its hooks and every variable from the original, so only
    // a record made from nothing gets the defaults.
    m_id = CSteelRecordId::Null();
    if (other)
        set(other);
    else
        setDefaults();
}

void CVes_ModelRecord::setDefaults()
{
    m_hookLeft.kind = m_hookRight.kind = 1;
    m_hookLeft.param = 8;
    m_hookRight.param = 16;
    for (const char* name : kStandardVariables)
        m_arrVar.push_back(standardVariable(QString::fromLatin1(name), name[1] ? 0.0 : 10.0));
}

CVes_ModelRecord::CVes_ModelRecord(const CVes_ModelRecord& other) : CVes_ModelRecord(&other)
{
    m_dn = other.m_dn;
}

CVes_ModelRecord& CVes_ModelRecord::operator=(const CVes_ModelRecord& other)
{
    if (this != &other) {
        set(&other);
        m_dn = other.m_dn;
    }
    return *this;
}

CVes_ModelRecord::~CVes_ModelRecord() = default;

void CVes_ModelRecord::set(const CVes_ModelRecord* other)
{
    if (!other || other == this)
        return;
    CVes_ShapeModel::set(other);
    m_hookLeft = other->m_hookLeft;
    m_hookRight = other->m_hookRight;
    m_outDim = other->m_outDim;
    m_id = other->m_id;
    m_defaultMidConnect = other->m_defaultMidConnect;
    m_stirrup = other->m_stirrup;
    m_barGroup = other->m_barGroup;
    m_arrMidConnect.clear();
    for (const auto& mid : other->m_arrMidConnect)
        AddMidConnect(*mid);
    m_pConnectLeft = m_pConnectRight = nullptr;
}

void CVes_ModelRecord::AddMidConnect(const CVes_MidConnect& midConnect)
{
    m_arrMidConnect.push_back(std::make_unique<CVes_MidConnect>(midConnect));
}

void CVes_ModelRecord::setMidConnectSize(int n)
{
    while (int(m_arrMidConnect.size()) < n) {
        CVes_MidConnect manual;
        manual.autoCount = 0;
        AddMidConnect(manual);
    }
    while (int(m_arrMidConnect.size()) > std::max(n, 0))
        m_arrMidConnect.erase(m_arrMidConnect.begin());
}

void CVes_ModelRecord::SetVarValue(const std::vector<CVes_Variable*>& vars)
{
    for (auto& mine : m_arrVar) {
        for (const CVes_Variable* given : vars) {
            if (given && given->m_text == mine->m_text) {
                mine->m_unit = given->m_unit;
                mine->m_value = given->m_value;
                mine->m_value2 = given->m_value2;
                mine->m_step = given->m_step;
                mine->m_formula = given->m_formula;
                mine->m_height = given->m_height;
                mine->m_status = given->m_status;
                break;
            }
        }
    }
}

void CVes_ModelRecord::SetVarValue(const std::vector<std::unique_ptr<CVes_Variable>>& vars)
{
    std::vector<CVes_Variable*> plain;
    plain.reserve(vars.size());
    for (const auto& v : vars)
        plain.push_back(v.get());
    SetVarValue(plain);
}

void CVes_ModelRecord::setDiaVal(double d)
{
    if (CVes_Variable* v = getVar(QStringLiteral("d")))
        v->m_value = v->m_value2 = d;
}

void CVes_ModelRecord::calculateVarValue()
{
    // The formulas see every value set before them, given variables first.
    const CVes_Formula formula;
    FormulaVariables variables = formulaVariables(m_arrVar);
    const auto value = [&](const QString& text) {
        return formula.FormulaValue(text, variables, CVes_Formula::kValueMode);
    };
    const auto setFromFormula = [&](unsigned int type) {
        for (std::size_t i = 0; i < m_arrVar.size(); ++i) {
            CVes_Variable& v = *m_arrVar[i];
            if (v.m_type != type || (type == CVes_Variable::kGiven && v.m_formula.isEmpty()))
                continue;
            v.m_value = v.m_value2 = value(v.m_formula);
            variables[i].value = variables[i].secondValue = v.m_value;
        }
    };
    setFromFormula(CVes_Variable::kGiven);
    setFromFormula(CVes_Variable::kComputed);
    if (m_defaultMidConnect.stat)
        m_defaultMidConnect.valueA = platform::saturatedInt(value(m_defaultMidConnect.countText));
    for (auto& mid : m_arrMidConnect) {
        if (mid->stat)
            mid->valueA = platform::saturatedInt(value(mid->countText));
    }
}

void CVes_ModelRecord::calculateSideLen(int mode)
{
    calculateVarValue();
    const CVes_Formula formula;
    const FormulaVariables variables = formulaVariables(m_arrVar);
    for (auto& side : m_arrSide) {
        if (side->isConnect()) {
            side->m_count =
                platform::saturatedInt(formula.FormulaValue(side->m_text, variables, mode));
        } else {
            side->m_length = sideLengthOf(formula.FormulaValue(side->m_lengthText, variables, mode));
            side->m_angle = formula.FormulaValue(side->m_angleText, variables, mode);
        }
    }
}

void CVes_ModelRecord::setSteelLineStyle(unsigned int style)
{
    for (auto& side : m_arrSide)
        side->setLineStyle(style);
}

namespace {

// Compares side i of `a` with sides of `b` picked by `kindIndex` (kind and
// length) and `valueIndex` (angle and bend direction).
template <typename KindIndex, typename ValueIndex>
int compareSides(const std::vector<std::unique_ptr<CVes_Side>>& a,
                 const std::vector<std::unique_ptr<CVes_Side>>& b, KindIndex kindIndex,
                 ValueIndex valueIndex)
{
    const size_t n = a.size();
    bool sameBend = true;
    for (size_t i = 1; i < n; ++i) {
        const CVes_Side& mine = *a[i];
        const CVes_Side& kindSide = *b[kindIndex(i)];
        const CVes_Side& valueSide = *b[valueIndex(i)];
        if (mine.m_type != kindSide.m_type || mine.m_length != kindSide.m_length)
            return 0;
        if (std::fabs(mine.m_angle - valueSide.m_angle) > 0.1)
            return 0;
        const bool equalBend = mine.m_bendDirection == valueSide.m_bendDirection;
        if (i == 1)
            sameBend = equalBend;
        else if (equalBend != sameBend)
            return 0;
    }
    return 1;
}

} // namespace

int CVes_ModelRecord::CompareReal(const CVes_ModelRecord* other) const
{
    const size_t n = m_arrSide.size();
    if (!other || n != other->m_arrSide.size() || m_multiVal != other->m_multiVal)
        return 0;
    if (n == 0)
        return 1;
    if (m_arrSide[0]->m_length != other->m_arrSide[0]->m_length)
        return 0;
    const auto same = [](size_t i) { return i; };
    return compareSides(m_arrSide, other->m_arrSide, same, same);
}

int CVes_ModelRecord::CompareRealReverse(const CVes_ModelRecord* other) const
{
    const size_t n = m_arrSide.size();
    if (!other || n != other->m_arrSide.size() || m_multiVal != other->m_multiVal)
        return 0;
    if (n == 0)
        return 1;
    if (m_arrSide[0]->m_length != other->m_arrSide[n - 1]->m_length)
        return 0;
    return compareSides(
        m_arrSide, other->m_arrSide, [n](size_t i) { return n - 1 - i; },
        [n](size_t i) { return n - i; });
}

bool CVes_ModelRecord::isSameRecord(const CVes_ModelRecord* other) const
{
    return other && isSame(other) && m_hookLeft == other->m_hookLeft
        && m_hookRight == other->m_hookRight && m_outDim == other->m_outDim
        && m_stirrup == other->m_stirrup && m_barGroup == other->m_barGroup
        && m_defaultMidConnect == other->m_defaultMidConnect
        && m_defaultMidConnect.countText == other->m_defaultMidConnect.countText
        && sameMidConnects(m_arrMidConnect, other->m_arrMidConnect);
}

void CVes_ModelRecord::Draw(platform::Dc* dc, platform::COLORREF auxColour,
                            platform::COLORREF sideColour, platform::COLORREF textColour, int x,
                            int y, int, const platform::Rect* rect, int showName, int showValue,
                            double ratio)
{
    DrawEx(dc, auxColour, sideColour, textColour, textColour, x, y, m_mirror, rect, showName,
           showValue, ratio);
}

void CVes_ModelRecord::DrawEx(platform::Dc* dc, platform::COLORREF auxColour,
                              platform::COLORREF sideColour, platform::COLORREF textColour,
                              platform::COLORREF variableColour, int x, int y,
                              unsigned int mirrorFlags, const platform::Rect* rect, int showName,
                              int showValue, double ratio)
{
    if (!dc)
        return;
    const int saved = dc->SaveDC();
    if (ratio < 0)
        ratio = m_ratio;
    const QPoint mid(m_rectW / 2, m_rectH / 2);
    double scale = getDrawScale(rect);
    // A drawing area of no size fits nothing; draw at full size.
    if (!(scale > 0) || !std::isfinite(scale))
        scale = 1.0;

    // The order the dimensions are placed in: the first take the best
    // places.
    std::vector<CVes_Variable*> order;
    for (auto& v : m_arrVar) {
        if (v->m_type > CVes_Variable::kStandard)
            order.push_back(v.get());
    }
    const auto drawTexts = [&] {
        for (CVes_Variable* v : order)
            v->draw(dc, variableColour, scale, x, y, showName, showValue, mirrorFlags, mid);
        for (auto& t : m_arrText)
            t->draw(dc, textColour, scale, x, y, mirrorFlags, mid, ratio);
    };
    if (m_showVar) {
        for (auto& v : m_arrVar)
            v->setMutiVal(m_multiVal);
    }
    // The texts of a shape fitted into a cell keep clear of its lines: where
    // they cannot, the shape is drawn smaller to give them room.
    m_drawnRect = rect ? *rect : platform::Rect();
    std::optional<ShapeTextFrame::OutlineScope> outline;
    if (m_showVar && rect && ShapeTextFrame::current()) {
        const bool rehearsed = fitTextsAround(*rect, scale, x, y, mirrorFlags, order, drawTexts);
        outline.emplace(textOutline(scale, x, y, mirrorFlags));
        if (!rehearsed)
            ShapeTextFrame::rehearse(drawTexts);
    }
    m_drawnAt = QPoint(x, y);

    for (const auto& side : m_arrSide) {
        const int mode = dc->SetBkMode(TRANSPARENT);
        side->draw(dc, scale, x, y, side->isConnect() ? auxColour : sideColour, mirrorFlags, mid,
                   ratio);
        dc->SetBkMode(mode);
    }
    if (m_showAux) {
        for (const auto& line : m_arrLine)
            line->draw(dc, scale, x, y, auxColour, mirrorFlags, mid, ratio);
        for (const auto& arc : m_arrArc)
            arc->draw(dc, scale, x, y, auxColour, mirrorFlags, mid, ratio);
        for (const auto& circle : m_arrCircle)
            circle->draw(dc, scale, x, y, auxColour, mirrorFlags, mid, ratio);
    }
    if (m_showVar) {
        if (outline)
            drawTexts(); // as rehearsed
        else
            ShapeTextFrame::layOut(drawTexts);
    }
    if (!m_arrSide.empty()) {
        if (m_hookLeft.enabled)
            m_arrSide.front()->drawStart(dc, scale, ratio, sideColour, x, y, mirrorFlags, mid,
                                         unsigned(m_hookLeft.kind | m_hookLeft.param));
        if (m_hookRight.enabled)
            m_arrSide.back()->drawEnd(dc, scale, ratio, sideColour, x, y, mirrorFlags, mid,
                                      unsigned(m_hookRight.kind | m_hookRight.param));
        if (m_showVar)
            drawConnectLabels(dc, x, y, mirrorFlags, rect, scale);
    }
    dc->RestoreDC(saved);
}

namespace {

// The box the lines take.
std::optional<QRectF> boundsOf(const std::vector<StrokePoints>& lines)
{
    std::optional<QRectF> box;
    for (const StrokePoints& line : lines) {
        for (const QPointF& p : line) {
            if (!box)
                box = QRectF(p, p);
            box->setLeft(std::min(box->left(), p.x()));
            box->setRight(std::max(box->right(), p.x()));
            box->setTop(std::min(box->top(), p.y()));
            box->setBottom(std::max(box->bottom(), p.y()));
        }
    }
    return box;
}

} // namespace

bool CVes_ModelRecord::fitTextsAround(const platform::Rect& rect, double& scale, int& x, int& y,
                                      unsigned int mirrorFlags, std::vector<CVes_Variable*>& order,
                                      const std::function<void()>& drawTexts)
{
    // The shares of its size the shape is tried at, about the middle of its
    // lines.
    static constexpr double kShares[] = {1.0, 0.85, 0.7, 0.55, 0.4};
    // The orders tried at each: the shape's own, then each time with the
    // dimensions that found no place moved first.
    static constexpr int kOrders = 4;
    const std::optional<QRectF> lines = boundsOf(textOutline(scale, x, y, mirrorFlags).lines);
    const QPointF centre = lines ? lines->center()
                                 : QPointF((double(rect.left) + rect.right) / 2.0,
                                           (double(rect.top) + rect.bottom) / 2.0);
    const QPoint origin(x, y);
    const auto about = [&](double from, double share, double c, double shift) {
        return platform::saturatedInt(std::lround(c + (from - c) * share + shift));
    };
    // The shape at `share` of its size, moved down by `shift`.
    const auto drawnAt = [&](double share, double shift) {
        m_drawnRect = platform::Rect(about(rect.left, share, centre.x(), 0),
                                     about(rect.top, share, centre.y(), shift),
                                     about(rect.right, share, centre.x(), 0),
                                     about(rect.bottom, share, centre.y(), shift));
        scale = getDrawScale(&m_drawnRect);
        x = about(origin.x(), share, centre.x(), 0);
        y = about(origin.y(), share, centre.y(), shift);
    };
    // Where its lines may go up and down within the frame, short of its
    // edges by a little: a shape fitted into a wide cell leaves room above
    // or below for its texts.
    const ShapeTextFrame& frame = *ShapeTextFrame::current();
    const platform::Rect& bounds = frame.bounds();
    const double margin = std::max(1, frame.smallestHeight() / 4);
    const auto shifts = [&](double share) {
        std::vector<double> out{0};
        if (!lines)
            return out;
        const double top = centre.y() + (lines->top() - centre.y()) * share;
        const double bottom = centre.y() + (lines->bottom() - centre.y()) * share;
        const double sign = bounds.bottom >= bounds.top ? 1 : -1;
        const double down = (bounds.bottom - bottom) * sign - margin;
        const double up = (top - bounds.top) * sign - margin;
        for (const double part : {1.0, 0.5}) {
            if (down * part > 1)
                out.push_back(down * part * sign);
            if (up * part > 1)
                out.push_back(-up * part * sign);
        }
        return out;
    };

    struct Drawing {
        double share;
        double shift;
        std::vector<CVes_Variable*> order;
    };
    Drawing best{kShares[0], 0, order};
    std::optional<ShapeTextFrame::Crowding> fewest;
    bool lastIsBest = false;
    for (const double share : kShares) {
        for (const double shift : shifts(share)) {
            drawnAt(share, shift);
            if (!(scale > 0) || !std::isfinite(scale))
                continue;
            const ShapeTextFrame::OutlineScope outline(textOutline(scale, x, y, mirrorFlags));
            for (int attempt = 0; attempt < kOrders; ++attempt) {
                const ShapeTextFrame::Crowding crowding = ShapeTextFrame::rehearse(drawTexts);
                lastIsBest = !fewest || crowding < *fewest;
                if (lastIsBest) {
                    fewest = crowding;
                    best = {share, shift, order};
                }
                if (crowding.clear())
                    return true;
                const auto firstPlaced = std::stable_partition(
                    order.begin(), order.end(),
                    [&](const CVes_Variable* v) { return crowding.unplaced.contains(v->m_text); });
                if (firstPlaced == order.begin())
                    break;
            }
        }
    }
    drawnAt(best.share, best.shift);
    order = best.order;
    return lastIsBest;
}

namespace {

// "%d 绑" … for a label that reads towards the bar, "绑 %d" … away from it.
QString connectLabel(const CVes_Connect& connect, bool numberFirst)
{
    static const char* const kShort[] = {"", "绑", "闪", "电", "单", "双", "挤"};
    if (connect.type == 7 || connect.type == 8) {
        const QString word = QString::fromUtf8(connect.type == 7 ? "锥" : "直");
        return connect.direction ? word : word + QStringLiteral("反");
    }
    if (connect.type < 1 || connect.type > 6)
        return {};
    const QString word = QString::fromUtf8(kShort[connect.type]);
    if (numberFirst)
        return connect.type == 6 ? word : QStringLiteral("%1 %2").arg(connect.param).arg(word);
    return QStringLiteral("%1 %2").arg(word).arg(connect.param);
}

// Names the bar on the far side of a coupler between different diameters.
QString farBarLabel(const CVes_Connect& connect, float dn, bool diameterFirst)
{
    if ((connect.type != 7 && connect.type != 8) || std::fabs(dn - connect.farDN) <= 1.0f)
        return {};
    const QString diameter = DNtoString(connect.farDN);
    const QString direction = QString::fromUtf8(connect.farDirection == 1 ? "正" : "反");
    return diameterFirst ? QStringLiteral("%1 %2←").arg(diameter, direction)
                         : QStringLiteral("→%1 %2").arg(direction, diameter);
}

} // namespace

void CVes_ModelRecord::drawConnectLabels(platform::Dc* dc, int x, int y, unsigned int mirrorFlags,
                                         const platform::Rect* rect, double scale)
{
    const QPoint mid(m_rectW / 2, m_rectH / 2);
    const CVes_Side& first = *m_arrSide.front();
    const CVes_Side& last = *m_arrSide.back();
    const QPoint start = first.getRealStart(scale, x, y, mirrorFlags, mid, 1);
    const QPoint end = last.getRealStart(scale, x, y, mirrorFlags, mid, 0);
    const bool startLeft = start.x() < end.x();

    using platform::saturatedAdd;
    using platform::saturatedInt;
    const int fontHeight = ShapeTextFrame::heightFor(deviceTextHeight(100 / scale));
    const int weight = std::clamp(saturatedInt(600 / scale), 0, FW_HEAVY);
    const auto fontOf = [weight](int height) {
        return platform::Font::create(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET,
                                      OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, 18,
                                      QStringLiteral("Times New Roman"));
    };
    const platform::Font font = fontOf(fontHeight);
    const platform::Font oldFont = dc->SelectObject(font);
    dc->SetBkMode(TRANSPARENT);

    // Without a rectangle the labels are placed on the drawing's own area.
    const double width = rect ? rect->Width() : m_rectW / scale;
    const double height = rect ? rect->Height() : m_rectH / scale;
    const int nearOffset = saturatedInt(std::trunc(width / 5) * 0.75);
    const int farOffset = saturatedInt(std::trunc(width * 4 / 5) * 1.05);
    const int labelLine = saturatedInt(std::trunc(height / 2) - 40 / scale);
    const unsigned int hookLeft = unsigned(m_hookLeft.kind | m_hookLeft.param);
    const unsigned int hookRight = unsigned(m_hookRight.kind | m_hookRight.param);

    const auto label = [&](const CVes_Connect& connect, bool nearSide, bool numberFirst) {
        const int lx = saturatedAdd(x, nearSide ? nearOffset : farOffset);
        const int ly = saturatedAdd(y, labelLine);
        const unsigned int align = nearSide ? (TA_RIGHT | TA_TOP) : (TA_LEFT | TA_TOP);
        dc->SetTextAlign(align);
        const auto out = [&](int at, const QString& text) {
            const auto widthAt = [&](int h) {
                dc->SelectObject(fontOf(h));
                const int width = dc->GetTextExtent(text).width();
                dc->SelectObject(font);
                return width;
            };
            const ShapeTextFrame::Placed placed =
                ShapeTextFrame::place(*dc, QPoint(lx, at), widthAt, fontHeight, align, 0);
            // Made smaller to clear the shape's other texts.
            if (placed.height != fontHeight)
                dc->SelectObject(fontOf(placed.height));
            dc->TextOut(placed.anchor, text);
            dc->SelectObject(font);
        };
        out(ly, connectLabel(connect, numberFirst));
        const QString far = farBarLabel(connect, m_dn, numberFirst);
        if (!far.isEmpty())
            out(saturatedAdd(ly, fontHeight), far);
    };

    if (m_pConnectLeft && m_pConnectLeft->type > 0) {
        first.drawStartConnect(*m_pConnectLeft, dc, scale, m_ratio, RGB(0, 0, 0), x, y,
                               mirrorFlags, mid, hookLeft);
        label(*m_pConnectLeft, startLeft, startLeft);
    }
    if (m_pConnectRight && m_pConnectRight->type > 0) {
        last.drawEndConnect(*m_pConnectRight, dc, scale, m_ratio, RGB(0, 0, 0), x, y,
                            mirrorFlags, mid, hookRight);
        label(*m_pConnectRight, !startLeft, !startLeft);
    }
    dc->SelectObject(oldFont);
}

void CVes_ModelRecord::appendMissingStandardVariables()
{
    for (const char* name : {"lle", "lae", "la", "bhc"}) {
        const QString text = QString::fromLatin1(name);
        if (!getVar(text))
            m_arrVar.push_back(standardVariable(text, 0.0));
    }
}

void CVes_ModelRecord::Serialize(platform::Archive& ar)
{
    CVes_ShapeModel::Serialize(ar);
    if (ar.IsStoring()) {
        ar << 5 << m_id.m_mainId << m_id.m_recordNo << m_outDim << m_stirrup << m_barGroup;
        m_hookLeft.Serialize(ar);
        m_hookRight.Serialize(ar);
        m_defaultMidConnect.Serialize(ar);
        ar << int(m_arrMidConnect.size());
        for (auto& mid : m_arrMidConnect)
            mid->Serialize(ar);
        return;
    }
    m_arrMidConnect.clear();
    const int schema = ar.readSchema(1, 5);
    ar >> m_id.m_mainId >> m_id.m_recordNo >> m_outDim;
    if (schema >= 3)
        ar >> m_stirrup;
    if (schema >= 4 && schema <= 5)
        ar >> m_barGroup;
    m_hookLeft.Serialize(ar);
    m_hookRight.Serialize(ar);
    if (schema >= 2)
        m_defaultMidConnect.Serialize(ar);
    if (schema == 5) {
        const int count = ar.readIntCount(4);
        for (int i = 0; i < count; ++i) {
            auto mid = std::make_unique<CVes_MidConnect>();
            mid->Serialize(ar);
            m_arrMidConnect.push_back(std::move(mid));
        }
    } else if (schema >= 2) {
        AddMidConnect(m_defaultMidConnect);
    }
    appendMissingStandardVariables();
}

int CVes_ModelRecord::saveFile(const QString& path)
{
    if (path.size() < 6)
        return 0;
    const QFileInfo info(path);
    if (info.exists() && !(info.permissions() & QFileDevice::WriteOwner))
        return 0;
    try {
        platform::WaitCursor wait;
        platform::Archive ar;
        Serialize(ar);
        return platform::saveFile(path, ar.data()) ? 1 : 0;
    } catch (const platform::ArchiveError&) {
        return 0;
    }
}

int CVes_ModelRecord::readFile(const QString& path)
{
    if (path.size() <= 5)
        return 0;
    QByteArray bytes;
    if (!platform::readFile(path, &bytes) || bytes.isEmpty())
        return 0;
    try {
        platform::WaitCursor wait;
        platform::Archive ar(bytes);
        CVes_ModelRecord fresh;
        fresh.Serialize(ar);
        const float dn = m_dn;
        *this = fresh;
        m_dn = dn;
        return 1;
    } catch (const platform::ArchiveError&) {
        return 0;
    } catch (const platform::SchemaError&) {
        return 0;
    }
}

CVes_ModelStart::CVes_ModelStart()
{
    m_rectH = 300;
    m_rectW = 400;
}

CVes_ModelStart::CVes_ModelStart(const CVes_ModelRecord* other) : CVes_ModelRecord(other)
{
    m_rectH = 300;
    m_rectW = 400;
}
