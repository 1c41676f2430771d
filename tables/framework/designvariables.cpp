// The sheet's named design variables, the anchorage, lap and joint lengths
// they give through Envora's rule tables, and the default cover page that
// shows them.

#include "tables/framework/tablebase.h"

#include "core/geometry/text.h"
#include "envora/anchorage.h"

const QString CVes_TableBase::kVarAtlas = QStringLiteral("图集版本");
const QString CVes_TableBase::kVarSeismic = QStringLiteral("抗震等级");
const QString CVes_TableBase::kVarConcrete = QStringLiteral("混凝土强度");
const QString CVes_TableBase::kVarCover = QStringLiteral("保护层");
const QString CVes_TableBase::kVarDisturbance = QStringLiteral("施工扰动");
const QString CVes_TableBase::kVarJointPercent = QStringLiteral("接头面积百分率");
const QString CVes_TableBase::kVarCustom = QStringLiteral("自定义锚固");

QString CVes_TableBase::customAnchorageName(int grade)
{
    switch (grade) {
    case 1: return QStringLiteral("一级钢锚固");
    case 2: return QStringLiteral("二级钢锚固");
    case 3: return QStringLiteral("三级钢锚固");
    case 4: return QStringLiteral("四级钢锚固");
    default: return {};
    }
}

// Variables by name

CVes_Variable* CVes_TableBase::getExVar(const QString& name) const
{
    for (const auto& variable : m_exVars) {
        if (variable->m_text == name)
            return variable.get();
    }
    return nullptr;
}

void CVes_TableBase::setExVarVal(const QString& name, double value)
{
    if (CVes_Variable* variable = getExVar(name)) {
        variable->m_value = value;
        return;
    }
    auto variable = std::make_unique<CVes_Variable>();
    variable->m_text = name;
    variable->m_value = value;
    m_exVars.push_back(std::move(variable));
}

void CVes_TableBase::setExVarVal(const QString& name, const QString& text)
{
    if (CVes_Variable* variable = getExVar(name)) {
        variable->m_formula = text;
        return;
    }
    auto variable = std::make_unique<CVes_Variable>();
    variable->m_text = name;
    variable->m_formula = text;
    variable->setVarType(CVes_Variable::kTextKind);
    m_exVars.push_back(std::move(variable));
}

double CVes_TableBase::getExVarVal(const QString& name) const
{
    const CVes_Variable* variable = getExVar(name);
    return variable ? variable->m_value : -1.0;
}

void CVes_TableBase::appendExVar(std::unique_ptr<CVes_Variable> variable)
{
    if (variable)
        m_exVars.push_back(std::move(variable));
}

// Anchorage and lap lengths

// The user's anchorage multiple of a grade; a missing one counts as 0, like
// the design dialog shows it, never as a negative length.
int CVes_TableBase::customMultiple(int grade) const
{
    const QString name = customAnchorageName(grade);
    if (name.isEmpty())
        return 0;
    return std::max(int(getExVarVal(name)), 0);
}

int CVes_TableBase::lengthByRule(int grade, int diameter, int barType, int seismic,
                                 double factor, bool lap) const
{
    const bool disturbed = getExVarVal(kVarDisturbance) > 0;
    if (getExVarVal(kVarCustom) > 0) {
        int length = customMultiple(grade) * diameter;
        if (disturbed)
            length = int(length * 1.1);
        return lap ? int(length * factor) : length;
    }
    int edition = int(getExVarVal(kVarAtlas));
    if (edition < 0)
        edition = 0;
    return Info_GetSteelLle(edition, seismic, int(getExVarVal(kVarConcrete)), grade,
                            float(diameter), barType, int(getExVarVal(kVarDisturbance)), factor);
}

int CVes_TableBase::getLle(int grade, int diameter, int barType) const
{
    const double p = getExVarVal(kVarJointPercent);
    const double zeta = p < 1 ? 1.2 : (p < 2 ? 1.4 : 1.6);
    return lengthByRule(grade, diameter, barType, int(getExVarVal(kVarSeismic)), zeta, true);
}

int CVes_TableBase::getMaoguBeishu(int grade, int diameter, int barType) const
{
    return lengthByRule(grade, diameter, barType, int(getExVarVal(kVarSeismic)), 1.0, false);
}

int CVes_TableBase::getLaeByKanzhen(int grade, int diameter, int barType, int seismic) const
{
    return lengthByRule(grade, diameter, barType, seismic, 1.0, false);
}

int CVes_TableBase::getLa(int grade, int diameter, int barType) const
{
    return getLaeByKanzhen(grade, diameter, barType, 4);
}

int CVes_TableBase::getConnectLen(int kind, int grade, int diameter, int barType) const
{
    if (kind == 1)
        return getLle(grade, diameter, barType);
    if (kind == 2) {
        int edition = int(getExVarVal(kVarAtlas));
        if (edition < 0)
            edition = 0;
        return Info_GetSteelJointLength(edition, 2, 0, 0, grade, float(diameter), barType, grade,
                                        float(diameter), barType, 0, 0, 0);
    }
    return 0;
}

// Default cover

void CVes_TableBase::initTableCover()
{
    if (!m_cover.m_variables.empty())
        return;
    // Built on a new cover of the default rows, then taken over, so that the
    // cover's form follows its rows.
    CVes_TableCover built;
    built.initVariables();

    constexpr int kAsBuilt = -1;
    constexpr unsigned int kLeft = CVes_String::kLeft;
    constexpr unsigned int kRight = CVes_String::kRight;
    constexpr unsigned int kCentre = CVes_String::kCentre;
    constexpr unsigned int kKeepAlign = ~0u;
    struct CoverRow {
        QString text;
        bool setText;
        int height;
        unsigned int align;
        int percent;
    };
    const auto name = [this](int text) { return m_texts[std::size_t(text)].m_text; };
    const QString brace = QStringLiteral("{%1}");
    const QString rule(76, QChar(0x2501)); // "━"
    const CoverRow rows[] = {
        {QStringLiteral("文档编号：__________________"), true, 50, kRight, 4},
        {QStringLiteral("═══  %1  ═══").arg(brace.arg(name(2))), true, 70, kLeft, 4},
        {brace.arg(name(0)), true, 120, kKeepAlign, 8},
        {brace.arg(name(3)), true, 80, kKeepAlign, 6},
        {QStringLiteral("%1：%2    %3：%4    %5：%6")
             .arg(name(5), brace.arg(name(5)), name(6), brace.arg(name(6)), name(7),
                  brace.arg(name(7))),
         true, 65, kRight, 4},
        {rule, true, 50, kCentre, 2},
        {QString(), false, kAsBuilt, kKeepAlign, 8},
        {QStringLiteral("【施工说明】"), true, 70, kLeft, 5},
        {QStringLiteral("抗震等级：{抗震等级} ；  保护层厚度：{保护层} mm ；锚固长度：{锚固长度1}  "
                        "{锚固长度2}  {锚固长度3}  {锚固长度4}"),
         true, 50, kLeft, 5},
        {QString(), false, kAsBuilt, kKeepAlign, 5},
        {QString(), false, kAsBuilt, kKeepAlign, 5},
        {QString(), false, kAsBuilt, kKeepAlign, 5},
        {QStringLiteral("【钢筋汇总】"), true, 70, kLeft, 5},
        {QStringLiteral("@规格汇总@"), true, 50, kLeft, 10},
        {QString(), false, kAsBuilt, kKeepAlign, 3},
        {QStringLiteral("【接头汇总】"), true, 70, kLeft, 5},
        {QStringLiteral("@接头汇总@"), true, 50, kLeft, 10},
        {QString(), true, kAsBuilt, kRight, kAsBuilt},
    };
    for (int i = 0; i < int(std::size(rows)) && i < int(built.m_variables.size()); ++i) {
        const CoverRow& row = rows[i];
        CVes_Variable& text = *built.m_variables[std::size_t(i)];
        if (row.setText)
            text.m_text = row.text;
        if (row.height != kAsBuilt)
            text.setTxtHigh(row.height);
        if (row.align != kKeepAlign)
            text.setTxtAlign(row.align);
        if (row.percent != kAsBuilt && i < built.m_percents.size())
            built.m_percents[i] = row.percent;
    }
    m_cover.copyFrom(&built);
}

void CVes_TableBase::resetTableCover()
{
    if (!m_cover.m_variables.empty())
        m_cover.clearVariables();
    initTableCover();
}
