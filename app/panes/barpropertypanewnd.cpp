#include "app/panes/barpropertypanewnd.h"

#include "app/panes/barpropertyedits.h"
#include "app/panes/barpropertyitems.h"
#include "app/panes/paneimages.h"

#include "core/model/barcore.h"
#include "core/model/steel.h"
#include "envora/anchorage.h"
#include "platform/gdi.h"
#include "shapeui/bendkitexports.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"
#include "widgara/propertygrid.h"

#include <QFocusEvent>
#include <QResizeEvent>

#include <functional>

using namespace barprop;

namespace {

// The grid's theme and the grades' images.
constexpr int kGridTheme = 6;
constexpr int kGradeImageCount = 6;
constexpr int kGradeImageSize = 12;
constexpr platform::gdi::COLORREF kGradeImageMask = platform::gdi::RGB(192, 192, 192);

// The end of a hook or connection item: 0 the first, kRightEnd the second.
int endOffset(int id)
{
    return isRightEndItem(id) ? kRightEnd : 0;
}

// The value an item gives, as the dispatch takes it.
BarPropertyEdit editOf(CXTPPropertyGridItem* item)
{
    BarPropertyEdit e;
    e.id = item->GetID();
    e.text = item->GetValue();
    if (auto* b = dynamic_cast<CXTPPropertyGridItemBool*>(item))
        e.whole = b->GetBool() ? 1 : 0;
    else if (auto* n = dynamic_cast<CXTPPropertyGridItemNumber*>(item))
        e.whole = int(n->GetNumber());
    else if (auto* d = dynamic_cast<CXTPPropertyGridItemDouble*>(item))
        e.real = d->GetDouble();
    else if (auto* choice = dynamic_cast<CXTPPropertyGridItemEnum*>(item))
        e.whole = choice->GetEnum();
    // The other bar's diameter is chosen in tenths of a millimetre.
    if (e.id == kConnectOtherDiameter || e.id == kConnectOtherDiameter + kRightEnd)
        e.real = e.whole / 10.0;
    if (CXTPPropertyGridItem* parent = item->GetParentItem())
        e.name = parent->GetValue();
    return e;
}

} // namespace

CBarPropertyPaneWnd::CBarPropertyPaneWnd(QWidget* parent) : QWidget(parent)
{
    registerPaneImages();
    m_pGrid = new CXTPPropertyGrid(this);
    m_pGrid->SetTheme(kGridTheme);
    m_pGrid->SetVariableItemsHeight(true);
    std::vector<int> images;
    for (int i = 0; i < kGradeImageCount; ++i)
        images.push_back(i);
    m_pGrid->GetImageManager()->SetIcons(IDB_GRADE_IMAGES, images,
                                         QSize(kGradeImageSize, kGradeImageSize), kGradeImageMask);
    connect(m_pGrid, &CXTPPropertyGrid::gridNotify, this,
            [this](int code, CXTPPropertyGridItem* item) { OnGridNotify(code, item); });
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_pGrid);
    m_pGrid->RedrawControl();
}

CBarPropertyPaneWnd::~CBarPropertyPaneWnd() = default;

void CBarPropertyPaneWnd::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_pGrid->setGeometry(rect());
}

void CBarPropertyPaneWnd::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_pGrid->setFocus();
}

CXTPPropertyGridItem* CBarPropertyPaneWnd::findItem(int id) const
{
    return m_pGrid->FindItem(id);
}

int CBarPropertyPaneWnd::itemCount() const
{
    const std::function<int(const CXTPPropertyGridItems*)> count = [&](const CXTPPropertyGridItems* items) {
        int n = items->GetCount();
        for (int i = 0; i < items->GetCount(); ++i)
            n += count(items->GetAt(i)->GetChilds());
        return n;
    };
    return count(m_pGrid->GetCategories());
}

// Choosing what to build

int CBarPropertyPaneWnd::Rebuild()
{
    if (!m_pTable)
        return 0;
    const int page = m_pTable->getCurPage();
    if (page < 0) {
        m_pGrid->ResetContent();
        m_shown = Shown::Nothing;
        return 0;
    }
    if (page == 0) {
        m_pGrid->ResetContent();
        buildCoverGrid();
        m_shown = Shown::Cover;
        return 1;
    }
    const int row = m_pTable->getSelectRow();
    if (row <= 0) {
        QByteArray key = pageGridKey();
        if (m_shown == Shown::Page && !m_pageKey.isEmpty() && key == m_pageKey)
            return 1;
        m_pGrid->ResetContent();
        buildPageGrid();
        m_shown = Shown::Page;
        m_pageKey = std::move(key);
        return 1;
    }
    CVes_TableBaseLine* line = m_pTable->getLine(row);
    if (!line)
        return 0;
    CVes_BarCore* bar = m_pTable->getSteel(row);
    const bool barRow = bar && line->isSteelLine() && !line->isNull();
    if (barRow && m_shown == Shown::BarItems && m_pBarTable == m_pTable && itemCount() > 6) {
        RefreshBarItems();
        return 1;
    }
    m_pGrid->ResetContent();
    m_shown = Shown::Nothing;
    if (!barRow)
        return 0;
    buildBarGrid();
    m_shown = Shown::BarItems;
    m_pBarTable = m_pTable;
    return 1;
}

// Notifications

int CBarPropertyPaneWnd::OnGridNotify(int nCode, CXTPPropertyGridItem* pItem)
{
    if (!m_pTable || !pItem)
        return 0;
    if (nCode == XTP_PGN_INPLACEBUTTONDOWN) {
        const CXTPPropertyGridInplaceButton* button = m_pGrid->GetPressedButton();
        onButton(pItem, button ? button->GetID() : 0);
        return 1;
    }
    if (nCode == XTP_PGN_ITEMEXPANDCHANGED) {
        if (pItem->GetID() == kBasicCategory)
            m_basicExpanded = pItem->IsExpanded() ? 1 : 0;
        else if (pItem->GetID() == kAdvancedCategory)
            m_advancedExpanded = pItem->IsExpanded() ? 1 : 0;
    } else if (nCode == XTP_PGN_ITEMVALUE_CHANGED) {
        onValueChanged(pItem);
    }
    Q_EMIT tableEdited();
    return 0;
}

void CBarPropertyPaneWnd::onButton(CXTPPropertyGridItem* item, int buttonId)
{
    const int id = item->GetID();
    if (id == kShape && buttonId == XTP_ID_PROPERTYGRID_EXPANDBUTTON)
        chooseShape();
    else if ((id == kConnectLength || id == kConnectLength + kRightEnd) && buttonId == kComputeButton)
        computeJointLength(endOffset(id));
}

void CBarPropertyPaneWnd::chooseShape()
{
    CSteelRecordId chosen(-1, -1);
    if (quickSelectSteel(&chosen) != 1)
        return;
    m_pTable->setSelLineSteelRecord(chosen);
    RefreshBarItems();
    // A new shape is an edit like any other: the sheet shows it and the
    // document learns of it.
    Q_EMIT tableEdited();
}

void CBarPropertyPaneWnd::computeJointLength(int offset)
{
    auto* style = item<CXTPPropertyGridItemEnum>(kConnectStyle + offset);
    auto* length = item<CXTPPropertyGridItemDouble>(kConnectLength + offset);
    if (!style || !length)
        return;
    const int joint = jointLengthOf(jointLengthArguments(*m_pTable, style->GetEnum()));
    if (offset == 0)
        m_pTable->setSelLineConnect_Len_Left(joint);
    else
        m_pTable->setSelLineConnect_Len_Right(joint);
    length->SetDouble(joint);
    Q_EMIT tableEdited();
}

void CBarPropertyPaneWnd::onValueChanged(CXTPPropertyGridItem* item)
{
    switch (m_shown) {
    case Shown::BarItems:
        if (item->GetID() == kNumber)
            setBarNumber(item->GetValue());
        else
            applyBarEdit(item);
        break;
    case Shown::Page:
        applyPageEdit(item);
        break;
    case Shown::Cover:
        applyCoverEdit(item);
        break;
    case Shown::Nothing:
        break;
    }
}

void CBarPropertyPaneWnd::setBarNumber(const QString& number)
{
    const int row = m_pTable->getSelectRow();
    CVes_BarCore* bar = m_pTable->getSteel(row);
    CVes_TableBaseLine* line = m_pTable->getLine(row);
    if (!bar || !line)
        return;
    // A locked row keeps its number, as the batch setters keep locked rows.
    if (line->getLock()) {
        item<CXTPPropertyGridItem>(kNumber)->SetValue(bar->number);
        return;
    }
    if (bar->number == number && !line->isNull())
        return;
    bar->number = number;
    line->setNull(0);
    m_pTable->setModified(1);
    m_pTable->AddUndo();
}

void CBarPropertyPaneWnd::applyBarEdit(CXTPPropertyGridItem* item)
{
    const BarPropertyEdit edit = editOf(item);
    const std::size_t steps = m_pTable->undoStepsRecorded();
    if (!applyBarPropertyEdit(*m_pTable, edit))
        return;
    if (m_pTable->undoStepsRecorded() == steps)
        showHeldValue(edit, item);
    followBarEdit(edit, item);
}

void CBarPropertyPaneWnd::showHeldValue(const BarPropertyEdit& edit, CXTPPropertyGridItem* item)
{
    CVes_TableBase& t = *m_pTable;
    // A text dimension takes any text: nothing was refused.
    const CVes_BarCore* bar = selectedBar();
    const CVes_Variable* variable = bar ? bar->getVar(edit.name) : nullptr;
    if (edit.id != kStartVarValue && variable && variable->m_type == CVes_Variable::kTextKind)
        return;
    switch (edit.id) {
    case kSpacingDense: item->SetValue(t.isSameDistMiOfSelLine()); break;
    case kSpacingNormal: item->SetValue(t.isSameDistFeiOfSelLine()); break;
    case kSpacingLap: item->SetValue(t.isSameDistDaOfSelLine()); break;
    case kVarValue: item->SetValue(oneDecimal(t.isSameVarvalueOfSelLine(edit.name))); break;
    case kVarValueEnd: item->SetValue(oneDecimal(t.isSameVarvalueEOfSelLine(edit.name))); break;
    case kStartVarValue:
        if (const auto* steel = dynamic_cast<const CVes_Steel*>(bar)) {
            const CVes_Variable* startVariable = steel->start.getVar(edit.name);
            if (startVariable && startVariable->m_type != CVes_Variable::kTextKind)
                item->SetValue(oneDecimal(startVariable->m_value));
        }
        break;
    default: break;
    }
}

void CBarPropertyPaneWnd::followBarEdit(const BarPropertyEdit& edit, CXTPPropertyGridItem* edited)
{
    switch (edit.id) {
    case kScaled:
    case kMidCounted:
    case kMidAutoCount:
        RefreshBarItems();
        break;
    case kAutoLength:
        showLengthItems(edit.whole);
        break;
    case kHook:
    case kHook + kRightEnd:
        showHookItems(endOffset(edit.id), edit.whole);
        break;
    case kConnectStyle:
    case kConnectStyle + kRightEnd:
        showConnectionItems(endOffset(edit.id), edit.whole);
        break;
    case kVarValue:
        if (m_pTable->isSameMultVarOfSelLine() != 0) {
            if (CXTPPropertyGridItem* end = edited->GetParentItem()->GetChilds()->FindItem(kVarValueEnd))
                end->SetValue(oneDecimal(m_pTable->isSameVarvalueEOfSelLine(edit.name)));
        }
        break;
    default:
        break;
    }
}

// The joint-length rule

JointLengthArguments jointLengthArguments(CVes_TableBase& table, int connection)
{
    constexpr int kTiedLap = 1;
    constexpr int kSingleWeld = 4;
    JointLengthArguments a;
    a.jointKind = connection == kTiedLap ? 0 : connection == kSingleWeld ? 1 : -1;
    a.diameter = table.isSameDNOfSelLine();
    a.grade = table.isSameGradeOfSelLine();
    a.barType = table.isSameSteelTypeOfSelLine();
    a.edition = std::max(0, int(table.getExVarVal(CVes_TableBase::kVarAtlas)));
    a.concrete = int(table.getExVarVal(CVes_TableBase::kVarConcrete));
    a.seismic = int(table.getExVarVal(CVes_TableBase::kVarSeismic));
    a.percentage = int(table.getExVarVal(CVes_TableBase::kVarJointPercent));
    a.disturbance = int(table.getExVarVal(CVes_TableBase::kVarDisturbance));
    return a;
}

int jointLengthOf(const JointLengthArguments& a)
{
    return Info_CalSteelJointLength(a.edition, a.jointKind, a.seismic, a.concrete, a.grade,
                                    a.diameter, a.barType, a.grade, a.diameter, a.barType,
                                    a.disturbance, 0, a.percentage);
}
