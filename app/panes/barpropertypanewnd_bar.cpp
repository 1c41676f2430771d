// The bar items of the bar-property pane: built once for a selection of bar
// rows, then given the rows' shared values in place as the selection moves.

#include "app/panes/barpropertypanewnd.h"

#include "app/panes/barpropertyitems.h"
#include "app/panes/gridbuttonitem.h"
#include "app/panes/shapepictureitem.h"

#include "core/model/barcore.h"
#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/tablebase.h"
#include "tables/processing/processtable.h"
#include "widgara/propertygrid.h"

#include <mutex>

using namespace barprop;

namespace {

constexpr int kPictureHeight = 32;
constexpr int kCoupler = 7; // connection types from here on have threads

constexpr Choice kCoatings[] = {{"普通钢筋", 0}, {"环氧树脂涂层钢筋", 1}};
constexpr Choice kCalcTypes[] = {{"按纵筋设置计算", 0}, {"按箍筋设置计算", 1}};
constexpr Choice kOutDims[] = {{"按内皮标注", 0}, {"按外皮标注", 1}};
constexpr Choice kHookAngles[] = {{"180°", 4}, {"135°", 2}, {"90°", 1}};
constexpr Choice kHookDirections[] = {{"顺时针", 8}, {"逆时针", 16}};
constexpr Choice kCounted[] = {{"不统计", 0}, {"统计", 1}};
constexpr Choice kThreads[] = {{"反丝", 0}, {"正丝", 1}};
constexpr Choice kMidCounting[] = {{"人工填写", 0}, {"按定尺计算", 1}};

// A text of the table shown empty when the rows differ.
QString sharedText(const QString& text)
{
    return text == QLatin1String("NOTSAME") ? QString() : text;
}

// The caption of a variable's name, drawn black, with its value items.
CXTPPropertyGridItem* addVariableName(CXTPPropertyGridItem* parent, int id, const QString& name)
{
    auto* item = addItem<CXTPPropertyGridItem>(parent, id, QStringLiteral("变量名称"), name);
    item->SetReadOnly(true);
    setBlack(item);
    item->Expand();
    return item;
}

// The start style's drawing as the selected bar has it.
std::unique_ptr<CVes_ModelRecord> startPicture(CSteelRecordId key, CVes_Steel* bar)
{
    std::lock_guard lock(useStartCache().mutex());
    const CVes_ModelRecord* record = getUseStartRecord(key);
    if (!record)
        return nullptr;
    auto picture = std::make_unique<CVes_ModelRecord>(*record);
    if (bar)
        bar->start.synchronizeRecordVar(picture.get());
    return picture;
}

} // namespace

CVes_BarCore* CBarPropertyPaneWnd::selectedBar() const
{
    return m_pTable ? m_pTable->getSteel(m_pTable->getSelectRow()) : nullptr;
}

bool CBarPropertyPaneWnd::isBarList() const
{
    return dynamic_cast<CVes_SetupTable*>(m_pTable) != nullptr;
}

bool CBarPropertyPaneWnd::isProcessSheet() const
{
    return dynamic_cast<CVes_ProcessTable*>(m_pTable) != nullptr;
}

QString CBarPropertyPaneWnd::countCaption(int scaled) const
{
    if (scaled >= 1)
        return QStringLiteral("每件组数");
    return isProcessSheet() ? QStringLiteral("总根数") : QStringLiteral("每件根数");
}

// Building

void CBarPropertyPaneWnd::buildBarGrid()
{
    CXTPPropertyGridItemCategory* basic = m_pGrid->AddCategory(QStringLiteral("钢筋基本属性"));
    basic->SetID(kBasicCategory);
    setBlueCaption(basic);
    addBasicItems(basic);
    CXTPPropertyGridItemCategory* advanced = m_pGrid->AddCategory(QStringLiteral("钢筋高级属性"));
    advanced->SetID(kAdvancedCategory);
    setBlueCaption(advanced);
    addAdvancedItems(advanced);
    fillBarValues();
    m_basicExpanded ? basic->Expand() : basic->Collapse();
    m_advancedExpanded ? advanced->Expand() : advanced->Collapse();
    // Selecting a row opens what holds it: a category the user closed stays
    // closed.
    CXTPPropertyGridItem* number = findItem(kNumber);
    if (m_basicExpanded && number && !number->GetHidden())
        number->Select();
}

void CBarPropertyPaneWnd::addBasicItems(CXTPPropertyGridItemCategory* basic)
{
    addItem<CXTPPropertyGridItem>(basic, kNumber, QStringLiteral("钢筋编号"));
    addItem<Number>(basic, kCount, countCaption(0));
    Check* scaled = addCheckBox(basic, kScaled, QStringLiteral("钢筋是否缩尺"));
    addItem<Number>(scaled, kPerGroup, QStringLiteral("每组根数"));
    scaled->Expand();

    CXTPPropertyGridItemCategory* size = addCategory(basic, QStringLiteral("钢筋规格"), false);
    auto* grade = addItem<Choices>(size, kGrade, QStringLiteral("级别"), 0);
    for (const GradeChoice& g : gradeChoices())
        grade->GetConstraints()->AddConstraint(QString::fromUtf8(g.text), g.value, g.image);
    auto* diameter = addItem<CDiameterItem>(size, kDiameter, QStringLiteral("直径(mm)"));
    diameter->SetFlags(xtpGridItemHasEdit | xtpGridItemHasComboButton);
    addDiameterChoices(diameter);
    addChoiceItem(size, kCoating, QStringLiteral("种类"), kCoatings);

    CXTPPropertyGridItemCategory* length = addCategory(basic, QStringLiteral("断料长度(mm)"), true);
    addCheckBox(length, kAutoLength, QStringLiteral("系统计算"));
    addItem<Real>(length, kManualLength, QStringLiteral("人工填写"), 0.0, QStringLiteral("%.0f"));
    addChoiceItem(length, kCalcType, QStringLiteral("如何计算"), kCalcTypes);
    addChoiceItem(length, kOutDim, QStringLiteral("尺寸标注"), kOutDims);

    if (isBarList()) {
        CXTPPropertyGridItemCategory* spacing = addCategory(basic, QStringLiteral("钢筋间距"), true);
        addItem<CXTPPropertyGridItem>(spacing, kSpacingDense, QStringLiteral("加密区"));
        addItem<CXTPPropertyGridItem>(spacing, kSpacingNormal, QStringLiteral("非加密区"));
        addItem<CXTPPropertyGridItem>(spacing, kSpacingLap, QStringLiteral("搭接区"));
        fillStartCategory(addCategory(basic, QStringLiteral("安装起点"), false));
    }
    fillShapeCategory(addCategory(basic, QStringLiteral("钢筋大样"), true));
}

void CBarPropertyPaneWnd::addAdvancedItems(CXTPPropertyGridItemCategory* advanced)
{
    CXTPPropertyGridItemCategory* hooks = addCategory(advanced, QStringLiteral("端头弯钩构造"), false);
    addEndItems(hooks, 0);
    addEndItems(hooks, kRightEnd);
    addConnectionItems(addCategory(advanced, QStringLiteral("端头一连接参数"), true), 0);
    addConnectionItems(addCategory(advanced, QStringLiteral("端头二连接参数"), true), kRightEnd);
    CXTPPropertyGridItemCategory* mid =
        addCategory(advanced, QStringLiteral("超长钢筋中间连接设置"), true);
    mid->SetID(kMidCategory);
    addMidConnectionItems(mid);
}

void CBarPropertyPaneWnd::addEndItems(CXTPPropertyGridItem* parent, int offset)
{
    Check* hook = addCheckBox(parent, kHook + offset,
                              offset == 0 ? QStringLiteral("端头一") : QStringLiteral("端头二"));
    addChoiceItem(hook, kHookAngle + offset, QStringLiteral("角度"), kHookAngles);
    addChoiceItem(hook, kHookDirection + offset, QStringLiteral("方向"), kHookDirections);
    hook->Expand();
}

void CBarPropertyPaneWnd::addConnectionItems(CXTPPropertyGridItem* parent, int offset)
{
    auto* style = addItem<Choices>(parent, kConnectStyle + offset, QStringLiteral("连接方式"), -1);
    addConnectionChoices(style);
    auto* length = addItem<Real>(parent, kConnectLength + offset, QStringLiteral("连接长度"), 0.0,
                                 QStringLiteral("%.0f"));
    auto compute = std::make_unique<CXTPPropertyGridInplaceButton>(kComputeButton);
    compute->SetCaption(QStringLiteral("计算"));
    length->GetInplaceButtons()->AddButton(std::move(compute));
    addChoiceItem(parent, kConnectCounted + offset, QStringLiteral("是否统计"), kCounted);
    addChoiceItem(parent, kConnectThread + offset, QStringLiteral("本钢筋丝扣"), kThreads);
    addChoiceItem(parent, kConnectOtherThread + offset, QStringLiteral("对接钢筋丝扣"), kThreads);
    auto* other = addItem<Choices>(parent, kConnectOtherDiameter + offset,
                                   QStringLiteral("对接钢筋直径"), -1);
    addDiameterChoices(other);
}

void CBarPropertyPaneWnd::addMidConnectionItems(CXTPPropertyGridItem* parent)
{
    addChoiceItem(parent, kMidCounted, QStringLiteral("是否统计"), kCounted);
    auto* style = addItem<Choices>(parent, kMidStyle, QStringLiteral("连接方式"), -1);
    addConnectionChoices(style);
    addChoiceItem(parent, kMidAutoCount, QStringLiteral("接头数计算"), kMidCounting);
    addItem<Number>(parent, kMidStockLength, QStringLiteral("定尺长度(mm)"));
    addItem<CXTPPropertyGridItem>(parent, kMidCountText, QStringLiteral("人工填写"));
}

void CBarPropertyPaneWnd::fillShapeCategory(CXTPPropertyGridItem* category)
{
    CVes_TableBase& table = *m_pTable;
    auto* picture = addItem<CShapePictureItem>(category, kShape, QStringLiteral("形状"));
    picture->SetHeight(kPictureHeight);
    picture->SetFlags(xtpGridItemHasExpandButton);
    picture->SetReadOnly(true);
    addItem<CGridButtonItem>(category, kShapeMirrorHor, QStringLiteral("水平翻转"), false, true);
    addItem<CGridButtonItem>(category, kShapeMirrorVer, QStringLiteral("垂直翻转"), false, true);
    CVes_BarCore* bar = selectedBar();
    std::unique_ptr<CVes_ModelRecord> drawing = bar ? bar->makeWorkingRecord() : nullptr;
    if (!drawing)
        return;
    const bool scaled = table.isSameMultVarOfSelLine() != 0;
    for (const auto& var : drawing->m_arrVar) {
        if (var->m_type <= CVes_Variable::kComputed)
            continue;
        const QString& name = var->m_text;
        CXTPPropertyGridItem* nameItem = addVariableName(category, kVarName, name);
        // A text variable shows its text; the others their values.
        const QString first = var->m_type == CVes_Variable::kTextKind
                                  ? sharedText(table.isSameVarStringOfSelLine(name))
                                  : oneDecimal(table.isSameVarvalueOfSelLine(name));
        addItem<CXTPPropertyGridItem>(nameItem, kVarValue,
                                      scaled ? QStringLiteral("起始值") : QStringLiteral("变量值"), first);
        if (scaled)
            addItem<CXTPPropertyGridItem>(nameItem, kVarValueEnd, QStringLiteral("终止值"),
                                          oneDecimal(table.isSameVarvalueEOfSelLine(name)));
    }
    // Rows of different shapes show no shape.
    const CSteelRecordId shape = table.isSameSteelRecordOfSelLIne();
    if (!shape.isNull()) {
        picture->SetValue(shape.ToString());
        picture->SetPicture(std::move(drawing));
    }
}

void CBarPropertyPaneWnd::fillStartCategory(CXTPPropertyGridItem* category)
{
    CVes_TableBase& table = *m_pTable;
    auto* picture = addItem<CShapePictureItem>(category, kStartShape, QStringLiteral("形状"));
    picture->SetHeight(kPictureHeight);
    picture->SetFlags(xtpGridItemHasExpandButton);
    picture->SetReadOnly(true);
    addItem<CGridButtonItem>(category, kStartMirrorHor, QStringLiteral("水平翻转"), false, true);
    const CSteelRecordId start = table.isSameSteelStartOfSelLIne();
    if (start.isNull())
        return;
    std::unique_ptr<CVes_ModelRecord> drawing = startPicture(start, dynamic_cast<CVes_Steel*>(selectedBar()));
    if (!drawing)
        return;
    for (const auto& var : drawing->m_arrVar) {
        if (var->m_type <= CVes_Variable::kComputed)
            continue;
        CXTPPropertyGridItem* nameItem = addVariableName(category, kStartVarName, var->m_text);
        const QString value = var->m_type == CVes_Variable::kTextKind
                                  ? sharedText(table.isSameVarStringOfSelLineSteelStart(var->m_text))
                                  : oneDecimal(var->m_value);
        addItem<CXTPPropertyGridItem>(nameItem, kStartVarValue, QStringLiteral("变量值"), value);
    }
    picture->SetPicture(std::move(drawing));
}

// Values

void CBarPropertyPaneWnd::fillBarValues()
{
    CVes_TableBase& t = *m_pTable;
    const CXTPPropertyGrid& grid = *m_pGrid;
    if (CXTPPropertyGridItem* number = findItem(kNumber)) {
        const CVes_BarCore* bar = selectedBar();
        number->SetValue(bar ? bar->number : QString());
        number->SetHidden(t.isMultSelect() != 0);
    }
    const int scaled = t.isSameMultVarOfSelLine();
    setNumber(grid, kCount, t.isSameGenshuOfselLine());
    setCheck(grid, kScaled, scaled);
    setNumber(grid, kPerGroup, t.isSameGroupOfSelLine());
    showPerGroup(scaled);

    setChoice(grid, kGrade, t.isSameGradeOfSelLine());
    setReal(grid, kDiameter, t.isSameDNOfSelLine());
    setChoice(grid, kCoating, t.isSameSteelTypeOfSelLine());

    const int autoLength = t.isSameAutoCalOfLine();
    setCheck(grid, kAutoLength, autoLength);
    setReal(grid, kManualLength, t.isSameDlLengthOfSelLine());
    setChoice(grid, kCalcType, t.isSameSteelTypeOfLine());
    setChoice(grid, kOutDim, t.isSameOutDimOfLine());
    showLengthItems(autoLength);

    setText(grid, kSpacingDense, t.isSameDistMiOfSelLine());
    setText(grid, kSpacingNormal, t.isSameDistFeiOfSelLine());
    setText(grid, kSpacingLap, t.isSameDistDaOfSelLine());

    fillEndValues(0);
    fillEndValues(kRightEnd);

    setItemHidden(grid, kMidCategory, t.isSameMidConnect_HaveSteelGroupOfSelLine() != 0);
    const int counted = t.isSameMidConnect_StateOfSelLine();
    const int autoCount = t.isSameMidConnect_AutoCalOfSelLine();
    setChoice(grid, kMidCounted, counted);
    setChoice(grid, kMidStyle, t.isSameMidConnect_StyleOfSelLine());
    setChoice(grid, kMidAutoCount, autoCount);
    setNumber(grid, kMidStockLength, t.isSameMidConnect_DingChiOfSelLine());
    setText(grid, kMidCountText, t.isSameMidConnect_NumStringOfSelLine());
    showMidItems(counted, autoCount);
}

void CBarPropertyPaneWnd::fillEndValues(int offset)
{
    CVes_TableBase& t = *m_pTable;
    const CXTPPropertyGrid& grid = *m_pGrid;
    const bool left = offset == 0;
    const int hook = left ? t.isSameHookLeftOfSelLine() : t.isSameHookRightOfSelLine();
    setCheck(grid, kHook + offset, hook);
    // Rows that differ in having a hook show no hook items at all.
    setItemHidden(grid, kHook + offset, hook < 0);
    setChoice(grid, kHookAngle + offset,
              left ? t.isSameHookLeftAngOfSelLine() : t.isSameHookRightAngOfSelLine());
    setChoice(grid, kHookDirection + offset,
              left ? t.isSameHookLeftDirectOfSelLine() : t.isSameHookRightDirectOfSelLine());
    showHookItems(offset, hook);

    const int style =
        left ? t.isSameConnect_Style_LeftOfSelLine() : t.isSameConnect_Style_RightOfSelLine();
    setChoice(grid, kConnectStyle + offset, style);
    setReal(grid, kConnectLength + offset,
            left ? t.isSameConnect_Len_LeftOfSelLine() : t.isSameConnect_Len_RightOfSelLine());
    setChoice(grid, kConnectCounted + offset,
              left ? t.isSameConnect_State_LeftOfSelLine() : t.isSameConnect_State_RightOfSelLine());
    setChoice(grid, kConnectThread + offset,
              left ? t.isSameConnect_SiKou_LeftOfSelLine() : t.isSameConnect_SiKou_RightOfSelLine());
    setChoice(grid, kConnectOtherThread + offset,
              left ? t.isSameConnect_SiKouOrther_LeftOfSelLine()
                   : t.isSameConnect_SiKouOrther_RightOfSelLine());
    const float other = left ? t.isSameConnect_DNOrther_LeftOfSelLine()
                             : t.isSameConnect_DNOrther_RightOfSelLine();
    setChoice(grid, kConnectOtherDiameter + offset, other < 0.0f ? -1 : diameterTenths(other));
    showConnectionItems(offset, style);
}

void CBarPropertyPaneWnd::RefreshBarItems()
{
    if (!m_pTable || m_shown != Shown::BarItems)
        return;
    fillBarValues();
    CXTPPropertyGridItem* basic = findItem(kBasicCategory);
    if (!basic)
        return;
    CXTPPropertyGridItems* groups = basic->GetChilds();
    for (int i = 0; i < groups->GetCount(); ++i) {
        CXTPPropertyGridItem* group = groups->GetAt(i);
        if (group->GetCaption() == QStringLiteral("安装起点")) {
            group->RemoveChilds();
            fillStartCategory(group);
        } else if (group->GetCaption() == QStringLiteral("钢筋大样")) {
            group->RemoveChilds();
            fillShapeCategory(group);
        }
    }
}

// Visibility

void CBarPropertyPaneWnd::showPerGroup(int scaled)
{
    setItemHidden(*m_pGrid, kPerGroup, scaled < 1);
    if (CXTPPropertyGridItem* count = findItem(kCount))
        count->SetCaption(countCaption(scaled));
}

void CBarPropertyPaneWnd::showLengthItems(int autoLength)
{
    const bool automatic = autoLength >= 1;
    setItemHidden(*m_pGrid, kManualLength, automatic);
    setItemHidden(*m_pGrid, kCalcType, !automatic);
    setItemHidden(*m_pGrid, kOutDim, !automatic);
}

void CBarPropertyPaneWnd::showHookItems(int offset, int present)
{
    setItemHidden(*m_pGrid, kHookAngle + offset, present == 0);
    setItemHidden(*m_pGrid, kHookDirection + offset, present == 0);
}

void CBarPropertyPaneWnd::showConnectionItems(int offset, int style)
{
    const CXTPPropertyGrid& grid = *m_pGrid;
    if (CXTPPropertyGridItem* length = findItem(kConnectLength + offset)) {
        length->SetCaption(style > 1 ? QStringLiteral("连接留量") : QStringLiteral("连接长度"));
        length->SetHidden(style == 0);
        if (CXTPPropertyGridInplaceButton* compute = length->GetInplaceButtons()->Find(kComputeButton))
            compute->SetEnabled(style == 1 || style == 4 || style == 5);
    }
    setItemHidden(grid, kConnectCounted + offset, style == 0);
    for (int id : {kConnectThread, kConnectOtherThread, kConnectOtherDiameter})
        setItemHidden(grid, id + offset, style < kCoupler);
}

void CBarPropertyPaneWnd::showMidItems(int counted, int autoCount)
{
    setItemHidden(*m_pGrid, kMidStyle, counted == 0);
    setItemHidden(*m_pGrid, kMidStockLength, autoCount == 0);
    setItemHidden(*m_pGrid, kMidCountText, autoCount == 1);
}
