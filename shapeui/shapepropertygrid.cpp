#include "shapeui/shapepropertygrid.h"

#include "core/geometry/curve.h"
#include "core/geometry/side.h"
#include "core/geometry/text.h"
#include "core/model/connecttext.h"
#include "core/model/modelrecord.h"

#include <QStringList>

namespace shapegrid {

namespace {

// Caption colours of the side, mark and variable entries.
constexpr platform::gdi::COLORREF kCaptionText = 0xFF0000;
constexpr platform::gdi::COLORREF kCaptionBack = 0x08FEE0;

constexpr int kMaxMidConnectKinds = 6;
// Intermediate connections beyond these many would run into other ids.
constexpr int kMaxIndexedMidConnects = 10;

void colourCaption(CXTPPropertyGridItem* item)
{
    item->GetCaptionMetrics()->m_clrFore = kCaptionText;
    item->GetCaptionMetrics()->m_clrBack = kCaptionBack;
}

// An entry without an id of its own can be looked at but not edited.
void lockChildren(CXTPPropertyGridItem* item)
{
    for (int i = 0; i < item->GetChilds()->GetCount(); ++i)
        item->GetChilds()->GetAt(i)->SetReadOnly(true);
}

int indexedId(int base, int index)
{
    return index < kMaxIndexed ? base + index : 0;
}

void hideChildren(CXTPPropertyGridItem* item, bool hidden)
{
    for (int i = 0; i < item->GetChilds()->GetCount(); ++i)
        item->GetChilds()->GetAt(i)->SetHidden(hidden);
}

CXTPPropertyGridItemBool* addSwitch(CXTPPropertyGridItem* parent, const QString& caption, int id,
                                    bool value)
{
    auto* item = parent->AddChildItem(std::make_unique<CXTPPropertyGridItemBool>(caption));
    item->SetCheckBoxStyle();
    item->SetBool(value);
    item->SetID(id);
    return item;
}

CXTPPropertyGridItemEnum* addEnum(CXTPPropertyGridItem* parent, const QString& caption, int id,
                                  std::initializer_list<std::pair<const char*, int>> entries,
                                  int value)
{
    auto* item = parent->AddChildItem(std::make_unique<CXTPPropertyGridItemEnum>(caption));
    for (const auto& [text, data] : entries)
        item->GetConstraints()->AddConstraint(QString::fromUtf8(text), data);
    item->SetEnum(value);
    item->SetID(id);
    return item;
}

void addVariables(CXTPPropertyGrid* grid, CVes_ModelRecord* record)
{
    CXTPPropertyGridItemCategory* category = grid->AddCategory(QStringLiteral("尺寸变量参数"));
    category->SetDescription(QStringLiteral("钢筋大样内各个变量属性设置"));
    category->Expand();
    QStringList listed;
    for (int i = 0; i < record->getVarArraySize(); ++i) {
        const CVes_Variable* var = record->m_arrVar[size_t(i)].get();
        if (var->m_type == 0 || listed.contains(var->m_text))
            continue;
        listed.append(var->m_text);
        auto* item = category->AddChildItem(std::make_unique<CVariableGridItem>(
            QString::asprintf("变量%d", int(listed.size())), var->m_text, var->m_formula,
            var->m_print, int(var->m_type)));
        item->SetID(indexedId(kIdVarFirst, i));
        if (!item->GetID())
            lockChildren(item);
        colourCaption(item);
        item->Expand();
    }
}

void addSides(CXTPPropertyGrid* grid, CVes_ModelRecord* record)
{
    CXTPPropertyGridItemCategory* category = grid->AddCategory(QStringLiteral("钢筋各段参数"));
    category->SetDescription(QStringLiteral("钢筋大样各段的长度、角度参数"));
    category->Expand();
    auto* outDim = category->AddChildItem(
        std::make_unique<CXTPPropertyGridItemBool>(QStringLiteral("尺寸标注")));
    outDim->SetTrueFalseText(QStringLiteral("外皮尺寸"), QStringLiteral("内皮尺寸"));
    outDim->SetBool(record->m_outDim != 0);
    outDim->SetID(kIdOutDim);

    int marks = 0;
    int sides = 0;
    for (int i = 0; i < record->getSideArraySize(); ++i) {
        const CVes_Side* side = record->m_arrSide[size_t(i)].get();
        CXTPPropertyGridItem* item = nullptr;
        if (side->getType() == CVes_Curve::kConnectMark) {
            item = category->AddChildItem(std::make_unique<CJointGridItem>(
                QString::asprintf("接头%d", ++marks), side->m_subStyle, side->m_text));
            colourCaption(item);
        } else {
            item = category->AddChildItem(std::make_unique<CSideGridItem>(
                QString::asprintf("第%d段", ++sides), side->m_lengthText, side->m_angleText,
                i == 0));
        }
        item->SetID(indexedId(kIdSideFirst, i));
        if (!item->GetID())
            lockChildren(item);
        item->Expand();
    }
    outDim->Select();
}

void addHook(CXTPPropertyGridItem* category, const QString& caption, int id, const CVes_Hook& hook)
{
    CXTPPropertyGridItemBool* item = addSwitch(category, caption, id, hook.enabled != 0);
    addEnum(item, QStringLiteral("角度"), id + 1, {{"180°", 4}, {"135°", 2}, {"90°", 1}}, hook.kind);
    addEnum(item, QStringLiteral("方向"), id + 2, {{"顺时针", 8}, {"逆时针", 16}}, hook.param);
    hideChildren(item, !hook.enabled);
    if (hook.enabled)
        item->Expand();
}

void addHooks(CXTPPropertyGrid* grid, CVes_ModelRecord* record)
{
    CXTPPropertyGridItemCategory* category = grid->AddCategory(QStringLiteral("端头弯钩构造"));
    addHook(category, QStringLiteral("端头1"), kIdHook1, record->m_hookLeft);
    addHook(category, QStringLiteral("端头2"), kIdHook2, record->m_hookRight);
}

void addMidConnect(CXTPPropertyGridItem* group, int k, const CVes_MidConnect& mid)
{
    const int base = k < kMaxIndexedMidConnects ? kIdMidConnectBase + 10 * k : 0;
    const auto id = [base](int role) { return base ? base + role : 0; };
    auto* category = group->AddChildItem(std::make_unique<CXTPPropertyGridItemCategory>(
        QString::asprintf("中间连接类型%d", k + 1)));
    category->Expand();
    CXTPPropertyGridItemBool* stat =
        addSwitch(category, QStringLiteral("是否统计"), id(kMidRoleStat), mid.stat != 0);
    stat->Expand();

    auto* style = stat->AddChildItem(
        std::make_unique<CXTPPropertyGridItemEnum>(QStringLiteral("连接方式")));
    for (int s = 0; s < kConnectTypeCount; ++s)
        style->GetConstraints()->AddConstraint(barcore_getConnectString(s), s);
    style->SetEnum(mid.style);
    style->SetID(id(kMidRoleStyle));

    auto* count = stat->AddChildItem(
        std::make_unique<CXTPPropertyGridItem>(QStringLiteral("连接数量"), mid.countText));
    count->SetID(id(kMidRoleCount));
    if (mid.style > 6)
        addEnum(stat, QStringLiteral("丝扣方向"), id(kMidRoleThread), {{"正丝", 1}, {"反丝", 0}},
                mid.valueC);
    hideChildren(stat, !mid.stat);
    if (!base) {
        stat->SetReadOnly(true);
        lockChildren(stat);
    }
}

void addBarGroup(CXTPPropertyGrid* grid, CVes_ModelRecord* record)
{
    CXTPPropertyGridItemCategory* category = grid->AddCategory(QStringLiteral("钢筋组参数"));
    category->Expand();
    addSwitch(category, QStringLiteral("是否为钢筋组"), kIdBarGroup, record->m_barGroup != 0);
    addEnum(category, QStringLiteral("中间连接类型数"), kIdMidConnectCount,
            {{"无", 0}, {"一种", 1}, {"二种", 2}, {"三种", 3}, {"四种", 4}, {"五种", 5}, {"六种", 6}},
            int(record->m_arrMidConnect.size()));
    for (size_t k = 0; k < record->m_arrMidConnect.size(); ++k)
        addMidConnect(category, int(k), *record->m_arrMidConnect[k]);
}

void addLengthRule(CXTPPropertyGrid* grid, CVes_ModelRecord* record)
{
    CXTPPropertyGridItemCategory* category =
        grid->AddCategory(QStringLiteral("钢筋长度按纵筋还是按箍筋计算"));
    category->Expand();
    addEnum(category, QStringLiteral("钢筋计算类型"), kIdStirrup,
            {{"按纵筋计算", 0}, {"按箍筋计算", 1}}, record->m_stirrup);
}

bool boolOf(const CXTPPropertyGridItem* item)
{
    const auto* boolItem = dynamic_cast<const CXTPPropertyGridItemBool*>(item);
    return boolItem && boolItem->GetBool();
}

int enumOf(const CXTPPropertyGridItem* item, int fallback)
{
    const auto* enumItem = dynamic_cast<const CXTPPropertyGridItemEnum*>(item);
    return enumItem ? enumItem->GetEnum() : fallback;
}

// Every variable but the first (the diameter) named `name`.
template <typename Apply> void forNamedVariables(CVes_ModelRecord* record, const QString& name,
                                                 Apply apply)
{
    for (size_t j = 1; j < record->m_arrVar.size(); ++j)
        if (record->m_arrVar[j]->m_text == name)
            apply(record->m_arrVar[j].get());
}

// "a=300" typed as a side's formula defines the variable a.
void defineVariableFrom(CVes_ModelRecord* record, const QString& formula)
{
    if (formula.indexOf(QLatin1Char('='), 1) < 1)
        return;
    const int equals = formula.indexOf(QLatin1Char('='));
    const QString name = formula.left(equals);
    const QString value = formula.mid(equals + 1);
    forNamedVariables(record, name, [&](CVes_Variable* var) {
        var->m_type = CVes_Variable::kComputed;
        var->m_formula = value;
    });
}

ApplyResult applySide(CVes_ModelRecord* record, CXTPPropertyGridItem* item, int index)
{
    if (index >= record->getSideArraySize())
        return {};
    CVes_Side* side = record->m_arrSide[size_t(index)].get();
    if (side->getType() == CVes_Curve::kConnectMark) {
        const auto* joint = dynamic_cast<const CJointGridItem*>(item);
        if (!joint)
            return {};
        side->m_subStyle = joint->kind();
        side->m_text = joint->count();
        return {true, false};
    }
    const auto* sideItem = dynamic_cast<const CSideGridItem*>(item);
    if (!sideItem)
        return {};
    side->m_lengthText = sideItem->length();
    side->m_angleText = sideItem->angle();
    defineVariableFrom(record, side->m_lengthText);
    defineVariableFrom(record, side->m_angleText);
    return {};
}

void applyVariable(CVes_ModelRecord* record, CXTPPropertyGridItem* item, int index)
{
    const auto* varItem = dynamic_cast<const CVariableGridItem*>(item);
    if (!varItem || index >= record->getVarArraySize())
        return;
    forNamedVariables(record, varItem->name(), [&](CVes_Variable* var) {
        var->m_type = unsigned(varItem->kind());
        var->m_formula = varItem->formula();
        var->m_print = varItem->print();
    });
}

void applyHook(CVes_Hook& hook, CXTPPropertyGridItem* item, int role)
{
    switch (role) {
    case 1:
        hook.enabled = boolOf(item) ? 1 : 0;
        hideChildren(item, !hook.enabled);
        if (hook.enabled)
            item->Expand();
        break;
    case 2:
        hook.kind = enumOf(item, hook.kind);
        break;
    case 3:
        hook.param = enumOf(item, hook.param);
        break;
    default:
        break;
    }
}

void applyMidConnect(CVes_ModelRecord* record, CXTPPropertyGridItem* item, int id)
{
    const int k = (id - kIdMidConnectBase) / 10;
    const int role = (id - kIdMidConnectBase) % 10;
    if (k < 0 || k >= int(record->m_arrMidConnect.size()))
        return;
    CVes_MidConnect& mid = *record->m_arrMidConnect[size_t(k)];
    switch (role) {
    case kMidRoleStat:
        mid.stat = boolOf(item) ? 1 : 0;
        hideChildren(item, !mid.stat);
        mid.autoCount = mid.stat ? 0 : 1;
        if (mid.stat)
            item->Expand();
        break;
    case kMidRoleStyle:
        mid.style = enumOf(item, mid.style);
        break;
    case kMidRoleCount:
        mid.countText = item->GetValue();
        break;
    case kMidRoleThread:
        mid.valueC = enumOf(item, mid.valueC);
        break;
    default:
        break;
    }
}

} // namespace

QString jointKindName(int kind)
{
    return connectMarkKindName(kind);
}

QString jointShortName(int kind)
{
    return connectMarkShortName(kind);
}

void fillGrid(CXTPPropertyGrid* grid, CVes_ModelRecord* record)
{
    if (!grid || !record)
        return;
    grid->ResetContent();
    addVariables(grid, record);
    addSides(grid, record);
    addHooks(grid, record);
    addBarGroup(grid, record);
    addLengthRule(grid, record);
}

ApplyResult applyValue(CVes_ModelRecord* record, CXTPPropertyGridItem* item)
{
    if (!record || !item)
        return {};
    const int id = item->GetID();
    ApplyResult result;
    if (id == kIdOutDim) {
        record->m_outDim = boolOf(item) ? 1 : 0;
    } else if (id >= kIdVarFirst && id <= kIdVarLast) {
        applyVariable(record, item, id - kIdVarFirst);
    } else if (id >= kIdSideFirst && id <= kIdSideLast) {
        result = applySide(record, item, id - kIdSideFirst);
    } else if (id >= kIdHook1 && id <= kIdHook1Direction) {
        applyHook(record->m_hookLeft, item, id - kIdHook1 + 1);
    } else if (id >= kIdHook2 && id <= kIdHook2Direction) {
        applyHook(record->m_hookRight, item, id - kIdHook2 + 1);
    } else if (id == kIdBarGroup) {
        record->m_barGroup = boolOf(item) ? 1 : 0;
    } else if (id == kIdMidConnectCount) {
        record->setMidConnectSize(enumOf(item, int(record->m_arrMidConnect.size())));
        result.rebuild = true;
    } else if (id > kIdMidConnectBase && id < kIdMidConnectBase + 100) {
        applyMidConnect(record, item, id);
    } else if (id == kIdStirrup) {
        record->m_stirrup = enumOf(item, record->m_stirrup);
    }
    if (id >= kIdHook1 && id <= 499)
        result.repaint = true;
    return result;
}

CVes_DrawObject* objectOf(CVes_ModelRecord* record, const CXTPPropertyGridItem* item)
{
    if (!record || !item)
        return nullptr;
    const int id = item->GetID();
    if (id >= kIdSideFirst && id <= kIdSideLast && id - kIdSideFirst < record->getSideArraySize())
        return record->m_arrSide[size_t(id - kIdSideFirst)].get();
    if (id >= kIdVarFirst && id <= kIdVarLast && id - kIdVarFirst < record->getVarArraySize())
        return record->m_arrVar[size_t(id - kIdVarFirst)].get();
    return nullptr;
}

} // namespace shapegrid

CSideValueItem::CSideValueItem(const QString& caption, QString* text)
    : CXTPPropertyGridItem(caption, *text), m_pText(text)
{
}

void CSideValueItem::OnValueChanged(QString strValue)
{
    CXTPPropertyGridItem::SetValue(strValue);
    *m_pText = strValue;
    if (auto* side = dynamic_cast<CSideGridItem*>(GetParentItem()))
        side->childChanged();
}

CSideGridItem::CSideGridItem(const QString& caption, const QString& length, const QString& angle,
                             bool angleReadOnly)
    : CXTPPropertyGridItem(caption), m_strLength(length), m_strAngle(angle),
      m_bAngleReadOnly(angleReadOnly)
{
    CXTPPropertyGridItem::SetValue(valueText());
}

QString CSideGridItem::valueText() const
{
    return QStringLiteral("L=%1;A=%2°").arg(m_strLength, m_strAngle);
}

void CSideGridItem::SetValue(QString strValue)
{
    CXTPPropertyGridItem::SetValue(strValue);
    if (m_pLengthItem)
        m_pLengthItem->SetValue(m_strLength);
    if (m_pAngleItem)
        m_pAngleItem->SetValue(m_strAngle);
}

void CSideGridItem::OnAddChildItem()
{
    if (m_pLengthItem)
        return;
    m_pLengthItem = AddChildItem(std::make_unique<CSideValueItem>(QStringLiteral("长度L(mm)"), &m_strLength));
    m_pAngleItem = AddChildItem(std::make_unique<CSideValueItem>(QStringLiteral("夹角A(°)"), &m_strAngle));
    m_pAngleItem->SetReadOnly(m_bAngleReadOnly);
    SetValue(valueText());
}

void CSideGridItem::childChanged()
{
    OnValueChanged(valueText());
}

CJointTypeItem::CJointTypeItem(CJointGridItem* joint, int kind)
    : CXTPPropertyGridItemEnum(QStringLiteral("连接方式")), m_pJoint(joint)
{
    for (int k = 0; k < kConnectMarkKindCount; ++k)
        GetConstraints()->AddConstraint(shapegrid::jointKindName(k), k);
    SetEnum(kind);
}

void CJointTypeItem::OnValueChanged(QString strValue)
{
    CXTPPropertyGridItemEnum::SetValue(strValue);
    m_pJoint->kindChanged(GetEnum());
}

CJointCountItem::CJointCountItem(CJointGridItem* joint, QString* count)
    : CXTPPropertyGridItem(QStringLiteral("连接次数"), *count), m_pJoint(joint), m_pCount(count)
{
}

void CJointCountItem::OnValueChanged(QString strValue)
{
    CXTPPropertyGridItem::SetValue(strValue);
    *m_pCount = strValue;
    m_pJoint->childChanged();
}

CJointGridItem::CJointGridItem(const QString& caption, int kind, const QString& count)
    : CXTPPropertyGridItem(caption), m_nKind(kind), m_strCount(count)
{
    CXTPPropertyGridItem::SetValue(valueText());
}

QString CJointGridItem::valueText() const
{
    return QStringLiteral("%1;%2次连接").arg(shapegrid::jointShortName(m_nKind), m_strCount);
}

void CJointGridItem::SetValue(QString strValue)
{
    CXTPPropertyGridItem::SetValue(strValue);
    if (m_pTypeItem)
        m_pTypeItem->SetEnum(m_nKind);
    if (m_pCountItem)
        m_pCountItem->CXTPPropertyGridItem::SetValue(m_strCount);
}

void CJointGridItem::OnAddChildItem()
{
    if (m_pTypeItem)
        return;
    m_pTypeItem = AddChildItem(std::make_unique<CJointTypeItem>(this, m_nKind));
    m_pCountItem = AddChildItem(std::make_unique<CJointCountItem>(this, &m_strCount));
}

void CJointGridItem::kindChanged(int kind)
{
    m_nKind = kind;
    childChanged();
}

void CJointGridItem::childChanged()
{
    OnValueChanged(valueText());
}

CVariableFormulaItem::CVariableFormulaItem(CVariableGridItem* variable, const QString& formula)
    : CXTPPropertyGridItem(QStringLiteral("变量表达式"), formula), m_pVariable(variable)
{
}

void CVariableFormulaItem::OnValueChanged(QString strValue)
{
    CXTPPropertyGridItem::SetValue(strValue);
    m_pVariable->setFormula(strValue);
}

CVariablePrintItem::CVariablePrintItem(CVariableGridItem* variable, int print)
    : CXTPPropertyGridItemEnum(QStringLiteral("是否打印")), m_pVariable(variable)
{
    GetConstraints()->AddConstraint(QStringLiteral("不打印"), 0);
    GetConstraints()->AddConstraint(QStringLiteral("打印"), 1);
    SetEnum(print);
}

void CVariablePrintItem::OnValueChanged(QString strValue)
{
    CXTPPropertyGridItemEnum::SetValue(strValue);
    m_pVariable->setPrint(GetEnum());
}

CVariableTypeItem::CVariableTypeItem(CVariableGridItem* variable, int kind)
    : CXTPPropertyGridItemEnum(QStringLiteral("变量类型")), m_pVariable(variable)
{
    GetConstraints()->AddConstraint(QStringLiteral("可编辑的数字变量"), int(CVes_Variable::kGiven));
    GetConstraints()->AddConstraint(QStringLiteral("不可编辑的数字变量"),
                                    int(CVes_Variable::kComputed));
    GetConstraints()->AddConstraint(QStringLiteral("字符变量"), int(CVes_Variable::kTextKind));
    SetEnum(kind);
}

void CVariableTypeItem::OnValueChanged(QString strValue)
{
    CXTPPropertyGridItemEnum::SetValue(strValue);
    m_pVariable->setKind(GetEnum());
}

CVariableGridItem::CVariableGridItem(const QString& caption, const QString& name,
                                     const QString& formula, int print, int kind)
    : CXTPPropertyGridItem(caption, name), m_strName(name), m_strFormula(formula),
      m_nPrint(print), m_nKind(kind)
{
}

void CVariableGridItem::SetValue(QString strValue)
{
    CXTPPropertyGridItem::SetValue(strValue);
    if (m_pFormulaItem)
        m_pFormulaItem->CXTPPropertyGridItem::SetValue(m_strFormula);
    if (m_pPrintItem)
        m_pPrintItem->SetEnum(m_nPrint);
    if (m_pTypeItem)
        m_pTypeItem->SetEnum(m_nKind);
}

void CVariableGridItem::OnAddChildItem()
{
    if (m_pFormulaItem)
        return;
    m_pFormulaItem = AddChildItem(std::make_unique<CVariableFormulaItem>(this, m_strFormula));
    m_pPrintItem = AddChildItem(std::make_unique<CVariablePrintItem>(this, m_nPrint));
    m_pTypeItem = AddChildItem(std::make_unique<CVariableTypeItem>(this, m_nKind));
}

void CVariableGridItem::setFormula(const QString& formula)
{
    m_strFormula = formula;
    childChanged();
}

void CVariableGridItem::setPrint(int print)
{
    m_nPrint = print;
    childChanged();
}

void CVariableGridItem::setKind(int kind)
{
    m_nKind = kind;
    childChanged();
}

void CVariableGridItem::childChanged()
{
    OnValueChanged(m_strName);
}
