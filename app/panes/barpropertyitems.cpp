#include "app/panes/barpropertyitems.h"

#include "core/model/connecttext.h"
#include "platform/gdi.h"
#include "widgara/propertygrid.h"

#include <QLocale>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <cmath>

namespace barprop {

namespace {

using platform::gdi::RGB;

constexpr platform::gdi::COLORREF kBlue = RGB(0, 0, 255);
constexpr platform::gdi::COLORREF kBlack = RGB(0, 0, 0);
constexpr platform::gdi::COLORREF kHighlight = RGB(224, 254, 8);
constexpr int kConnectionTypes = 9;

constexpr DiameterChoice kDiameters[] = {
    {"3 mm", 3.0f},   {"4 mm", 4.0f},   {"4.5 mm", 4.5f}, {"5 mm", 5.0f},   {"5.5 mm", 5.5f},
    {"6 mm", 6.0f},   {"6.5 mm", 6.5f}, {"7 mm", 7.0f},   {"7.5 mm", 7.5f}, {"8 mm", 8.0f},
    {"8.2 mm", 8.2f}, {"8.5 mm", 8.5f}, {"9 mm", 9.0f},   {"9.5 mm", 9.5f}, {"10 mm", 10.0f},
    {"10.5 mm", 10.5f}, {"11 mm", 11.0f}, {"11.5 mm", 11.5f}, {"12 mm", 12.0f},
    {"14 mm", 14.0f}, {"16 mm", 16.0f}, {"18 mm", 18.0f}, {"20 mm", 20.0f}, {"22 mm", 22.0f},
    {"25 mm", 25.0f}, {"28 mm", 28.0f}, {"30 mm", 30.0f}, {"32 mm", 32.0f}, {"36 mm", 36.0f},
    {"38 mm", 38.0f}, {"40 mm", 40.0f}, {"50 mm", 50.0f},
};

constexpr GradeChoice kGrades[] = {
    {"一级钢(HPB300)", 1, 0}, {"二级钢(HRB335)", 2, 1}, {"三级钢(HRB400)", 3, 2},
    {"四级钢(HRB500)", 4, 3}, {"冷轧带肋钢筋", 12, 4},  {"冷轧扭钢筋", 14, 5},
};

} // namespace

std::span<const DiameterChoice> diameterChoices()
{
    return kDiameters;
}

int diameterTenths(float diameter)
{
    return int(std::lround(double(diameter) * 10.0));
}

std::span<const GradeChoice> gradeChoices()
{
    return kGrades;
}

int gradeImage(int grade)
{
    for (const GradeChoice& g : kGrades)
        if (g.value == grade)
            return g.image;
    return -1;
}

void addChoices(CXTPPropertyGridItem* item, std::span<const Choice> choices)
{
    for (const Choice& c : choices)
        item->GetConstraints()->AddConstraint(QString::fromUtf8(c.text), c.value);
}

void addConnectionChoices(CXTPPropertyGridItem* item)
{
    for (int type = 0; type < kConnectionTypes; ++type)
        item->GetConstraints()->AddConstraint(barcore_getConnectString(type), type);
}

void addDiameterChoices(CXTPPropertyGridItem* item)
{
    for (const DiameterChoice& d : kDiameters)
        item->GetConstraints()->AddConstraint(QString::fromUtf8(d.text), diameterTenths(d.diameter));
}

CXTPPropertyGridItemCategory* addCategory(CXTPPropertyGridItem* parent, const QString& caption,
                                          bool expanded)
{
    auto* category = addItem<CXTPPropertyGridItemCategory>(parent, 0, caption);
    if (expanded)
        category->Expand();
    return category;
}

Check* addCheckBox(CXTPPropertyGridItem* parent, int id, const QString& caption)
{
    auto* item = addItem<Check>(parent, id, caption);
    item->SetTrueFalseText(QStringLiteral("是"), QStringLiteral("否"));
    item->SetCheckBoxStyle();
    return item;
}

Choices* addChoiceItem(CXTPPropertyGridItem* parent, int id, const QString& caption,
                       std::span<const Choice> choices)
{
    auto* item = addItem<Choices>(parent, id, caption, -1);
    addChoices(item, choices);
    return item;
}

namespace {

template <typename T>
T* find(const CXTPPropertyGrid& grid, int id)
{
    return dynamic_cast<T*>(grid.FindItem(id));
}

} // namespace

void setChoice(const CXTPPropertyGrid& grid, int id, int value)
{
    if (auto* item = find<Choices>(grid, id))
        item->SetEnum(value);
}

void setCheck(const CXTPPropertyGrid& grid, int id, int value)
{
    if (auto* item = find<Check>(grid, id))
        item->SetBool(value >= 1);
}

void setNumber(const CXTPPropertyGrid& grid, int id, long value)
{
    if (auto* item = find<Number>(grid, id))
        showNumber(item, value);
}

void setReal(const CXTPPropertyGrid& grid, int id, double value)
{
    if (auto* item = find<Real>(grid, id))
        showDouble(item, value);
}

void setText(const CXTPPropertyGrid& grid, int id, const QString& text)
{
    if (auto* item = grid.FindItem(id))
        item->SetValue(text);
}

void setItemHidden(const CXTPPropertyGrid& grid, int id, bool hidden)
{
    if (auto* item = grid.FindItem(id))
        item->SetHidden(hidden);
}

void showMixed(CXTPPropertyGridItem* item)
{
    item->CXTPPropertyGridItem::SetValue(QString());
}

void showNumber(CXTPPropertyGridItemNumber* item, long value)
{
    item->SetNumber(value);
    if (value < 0)
        showMixed(item);
}

void showDouble(CXTPPropertyGridItemDouble* item, double value)
{
    item->SetDouble(value);
    if (value < 0.0)
        showMixed(item);
}

QString oneDecimal(double value)
{
    return value < 0.0 ? QString() : QString::asprintf("%.1f", value);
}

void setBlueCaption(CXTPPropertyGridItem* item)
{
    item->GetCaptionMetrics()->m_clrFore = kBlue;
    item->refreshNode();
}

void setBlack(CXTPPropertyGridItem* item)
{
    item->GetCaptionMetrics()->m_clrFore = kBlack;
    item->GetValueMetrics()->m_clrFore = kBlack;
    item->refreshNode();
}

void highlight(CXTPPropertyGridItem* item)
{
    item->GetCaptionMetrics()->m_clrFore = kBlue;
    item->GetCaptionMetrics()->m_clrBack = kHighlight;
    item->GetValueMetrics()->m_clrBack = kHighlight;
    item->refreshNode();
}

} // namespace barprop

namespace {

// A number, optionally followed by the unit.
const QRegularExpression& diameterPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d+(?:\\.\\d*)?)\\s*(?:mm)?\\s*$"));
    return pattern;
}

} // namespace

CDiameterItem::CDiameterItem(const QString& strCaption)
    : CXTPPropertyGridItemDouble(strCaption, 0.0, QStringLiteral("%.1f"))
{
}

void CDiameterItem::SetValue(QString strValue)
{
    const QRegularExpressionMatch match = diameterPattern().match(strValue);
    CXTPPropertyGridItemDouble::SetValue(match.hasMatch() ? match.captured(1) : QString());
}

std::unique_ptr<QValidator> CDiameterItem::createValidator(QObject* parent) const
{
    // While typing, a partial number and a partial unit are fine too.
    static const QRegularExpression typing(QStringLiteral("^\\s*\\d*(?:\\.\\d*)?\\s*m?m?\\s*$"));
    return std::make_unique<QRegularExpressionValidator>(typing, parent);
}
