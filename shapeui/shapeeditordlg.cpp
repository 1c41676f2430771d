#include "shapeui/shapeeditordlg.h"

#include "core/geometry/formula.h"
#include "core/geometry/side.h"
#include "core/geometry/text.h"
#include "platform/hostservices.h"
#include "shapeui/dialogunits.h"
#include "shapeui/drawtool.h"
#include "shapeui/recorddrawview.h"
#include "shapeui/shapepropertygrid.h"
#include "shapeui/shapetoolbarcontrols.h"
#include "shapeui/themedbutton.h"
#include "widgara/controlcombobox.h"
#include "widgara/controlpopup.h"
#include "widgara/dlgitem.h"
#include "widgara/paintmanager.h"
#include "widgara/propertygrid.h"
#include "widgara/resources.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <functional>

namespace {

using shapeui::dlu;

const QString kPlacementSection = QStringLiteral("RODORecord creator");

QImage glyph(const std::function<void(QPainter&)>& paint)
{
    QImage image(16, 16, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(20, 20, 20), 1.4));
    paint(painter);
    return image;
}

QIcon iconOf(const std::function<void(QPainter&)>& paint)
{
    return QIcon(QPixmap::fromImage(glyph(paint)));
}

void drawText(QPainter& p, const QString& text, int pixelSize, QRect box = QRect(0, 0, 16, 16))
{
    QFont font = p.font();
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.drawText(box, Qt::AlignCenter, text);
}

void drawAlign(QPainter& p, int align)
{
    const int widths[4] = {12, 8, 12, 8};
    for (int i = 0; i < 4; ++i) {
        const int w = widths[i];
        const int x = align == 0 ? 2 : align == 1 ? (16 - w) / 2 : 14 - w;
        p.drawLine(x, 3 + 3 * i, x + w, 3 + 3 * i);
    }
}

void drawTurn(QPainter& p, bool back)
{
    QPainterPath path;
    path.moveTo(back ? 12 : 4, 12);
    path.cubicTo(back ? 14 : 2, 4, back ? 6 : 10, 2, back ? 3 : 13, 6);
    p.drawPath(path);
    const QPointF tip(back ? 3 : 13, 6);
    p.drawLine(tip, tip + QPointF(back ? 4 : -4, -1));
    p.drawLine(tip, tip + QPointF(back ? 1 : -1, -4));
}

std::map<int, QIcon> drawToolBarIcons()
{
    std::map<int, QIcon> icons;
    icons[CShapeEditorDlg::ID_MODE_SELECT] = iconOf([](QPainter& p) {
        const QPointF arrow[] = {{4, 2}, {4, 13}, {7, 10}, {10, 15}, {12, 14}, {9, 9}, {13, 9}};
        p.setBrush(Qt::white);
        p.drawPolygon(arrow, 7);
    });
    icons[CShapeEditorDlg::ID_MODE_LINE] = iconOf([](QPainter& p) { p.drawLine(2, 13, 14, 3); });
    icons[CShapeEditorDlg::ID_MODE_POLYLINE] = iconOf([](QPainter& p) {
        const QPointF points[] = {{2, 13}, {6, 4}, {10, 12}, {14, 3}};
        p.drawPolyline(points, 4);
    });
    icons[CShapeEditorDlg::ID_MODE_ARC] = iconOf([](QPainter& p) { p.drawArc(2, 4, 12, 16, 0, 180 * 16); });
    icons[CShapeEditorDlg::ID_MODE_CIRCLE] = iconOf([](QPainter& p) { p.drawEllipse(2, 2, 12, 12); });
    icons[CShapeEditorDlg::ID_MODE_VARIABLE] = iconOf([](QPainter& p) {
        p.drawLine(1, 12, 15, 12);
        p.drawLine(1, 9, 1, 15);
        p.drawLine(15, 9, 15, 15);
        drawText(p, QStringLiteral("x"), 11, QRect(0, 0, 16, 11));
    });
    icons[CShapeEditorDlg::ID_MODE_TEXT] = iconOf([](QPainter& p) { drawText(p, QStringLiteral("A"), 14); });
    icons[CShapeEditorDlg::ID_MODE_JOINT] = iconOf([](QPainter& p) {
        p.drawLine(1, 8, 15, 8);
        p.setBrush(QColor(20, 20, 20));
        p.drawRect(6, 5, 4, 6);
    });
    return icons;
}

std::map<int, QIcon> attributeToolBarIcons()
{
    std::map<int, QIcon> icons;
    icons[CShapeEditorDlg::ID_ALIGN_LEFT] = iconOf([](QPainter& p) { drawAlign(p, 0); });
    icons[CShapeEditorDlg::ID_ALIGN_CENTER] = iconOf([](QPainter& p) { drawAlign(p, 1); });
    icons[CShapeEditorDlg::ID_ALIGN_RIGHT] = iconOf([](QPainter& p) { drawAlign(p, 2); });
    icons[CShapeEditorDlg::ID_LINE_WIDTH] = iconOf([](QPainter& p) {
        p.setBrush(QColor(20, 20, 20));
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(2, 3 + 4.5 * i, 12, 0.5 + i));
    });
    icons[CShapeEditorDlg::ID_LINE_STYLE] = iconOf([](QPainter& p) {
        p.drawLine(2, 4, 14, 4);
        p.setPen(QPen(QColor(20, 20, 20), 1.4, Qt::DashLine));
        p.drawLine(2, 8, 14, 8);
        p.setPen(QPen(QColor(20, 20, 20), 1.4, Qt::DotLine));
        p.drawLine(2, 12, 14, 12);
    });
    icons[CShapeEditorDlg::ID_UNDO] = iconOf([](QPainter& p) { drawTurn(p, true); });
    icons[CShapeEditorDlg::ID_REDO] = iconOf([](QPainter& p) { drawTurn(p, false); });
    icons[CShapeEditorDlg::ID_DELETE] = iconOf([](QPainter& p) {
        p.setPen(QPen(QColor(200, 30, 30), 2.2));
        p.drawLine(4, 4, 12, 12);
        p.drawLine(12, 4, 4, 12);
    });
    icons[CShapeEditorDlg::ID_SNAP] = iconOf([](QPainter& p) {
        p.setBrush(QColor(20, 20, 20));
        for (int x = 3; x < 16; x += 5)
            for (int y = 3; y < 16; y += 5)
                p.drawEllipse(QPointF(x, y), 1.2, 1.2);
        p.setPen(QPen(QColor(200, 30, 30), 1.4));
        p.drawEllipse(QPointF(8, 8), 3.5, 3.5);
    });
    return icons;
}

QImage okImage()
{
    return glyph([](QPainter& p) {
        p.setPen(QPen(QColor(30, 140, 40), 2.4));
        const QPointF tick[] = {{3, 8}, {7, 12}, {13, 3}};
        p.drawPolyline(tick, 3);
    });
}

QImage cancelImage()
{
    return glyph([](QPainter& p) {
        p.setPen(QPen(QColor(200, 30, 30), 2.4));
        p.drawLine(4, 4, 12, 12);
        p.drawLine(12, 4, 4, 12);
    });
}

QIcon dialogIcon()
{
    return iconOf([](QPainter& p) {
        p.setPen(QPen(QColor(30, 60, 160), 2.0));
        const QPointF bar[] = {{2, 4}, {2, 13}, {14, 13}, {14, 4}};
        p.drawPolyline(bar, 4);
    });
}

// The toolbars, command strings and icons of the editor, registered once.
void registerResources()
{
    static const bool registered = [] {
        widgara::Resources& res = widgara::resources();
        using D = CShapeEditorDlg;
        res.setToolBar(D::kToolBarDraw,
                       {D::ID_LINE_KIND, D::ID_MODE_SELECT, D::ID_MODE_LINE, D::ID_MODE_POLYLINE,
                        D::ID_MODE_ARC, D::ID_MODE_CIRCLE, D::ID_MODE_VARIABLE, D::ID_MODE_TEXT,
                        0, D::ID_UNUSED, D::ID_MODE_JOINT});
        res.setToolBar(D::kToolBarAttributes,
                       {D::ID_ALIGN_LEFT, D::ID_ALIGN_CENTER, D::ID_ALIGN_RIGHT, D::ID_TEXT_HEIGHT,
                        D::ID_VAR_TYPE, D::ID_VAR_UNIT, D::ID_VAR_PRINT, 0, D::ID_LINE_WIDTH,
                        D::ID_LINE_STYLE, 0, D::ID_UNDO, D::ID_REDO, D::ID_DELETE, D::ID_SNAP});
        // Tooltip-only strings stand behind a line break.
        const std::pair<int, const char*> strings[] = {
            {D::ID_MODE_SELECT, "\n选择"},
            {D::ID_MODE_LINE, "\n线段：绘制单根线段"},
            {D::ID_MODE_ARC, "\n弧线：三点绘制弧线"},
            {D::ID_MODE_CIRCLE, "\n圆形：圆心、半径绘制圆"},
            {D::ID_MODE_POLYLINE, "\n多线段：连续绘制多根线段"},
            {D::ID_MODE_VARIABLE, "\n变量，可表示尺寸"},
            {D::ID_MODE_TEXT, "\n文字说明"},
            {D::ID_MODE_JOINT, "\n绘制钢筋组接头"},
            {D::ID_LINE_KIND, "线类型：钢筋大样线或辅助性"},
            {D::ID_ALIGN_LEFT, "左对齐"},
            {D::ID_ALIGN_CENTER, "居中"},
            {D::ID_ALIGN_RIGHT, "右对齐"},
            {D::ID_TEXT_HEIGHT, "选择字高"},
            {D::ID_VAR_TYPE, "变量类型"},
            {D::ID_VAR_UNIT, "变量单位"},
            {D::ID_VAR_PRINT, "是否打印"},
            {D::ID_LINE_WIDTH, "选择线宽"},
            {D::ID_LINE_STYLE, "选择线型"},
            {D::ID_UNDO, "撤销操作"},
            {D::ID_REDO, "重复操作"},
            {D::ID_DELETE, "删除"},
            {D::ID_SNAP, "捕捉点开关"},
        };
        for (const auto& [id, text] : strings)
            res.setString(id, QString::fromUtf8(text));
        res.setIconSet(D::kToolBarDraw, drawToolBarIcons());
        res.setIconSet(D::kToolBarAttributes, attributeToolBarIcons());
        return true;
    }();
    (void)registered;
}

std::unique_ptr<CXTPControlComboBox> makeList(std::initializer_list<const char*> entries, int width,
                                              const QString& caption, const QString& hint)
{
    auto combo = std::make_unique<CXTPControlComboBox>();
    combo->SetDropDownListStyle();
    for (const char* entry : entries)
        combo->AddString(QString::fromUtf8(entry));
    combo->SetWidth(width);
    combo->SetCaption(caption);
    combo->SetEditHint(hint);
    combo->SetCurSel(0);
    return combo;
}

int modeOfCommand(int nID)
{
    switch (nID) {
    case CShapeEditorDlg::ID_MODE_SELECT: return kDrawSelect;
    case CShapeEditorDlg::ID_MODE_LINE: return kDrawLine;
    case CShapeEditorDlg::ID_MODE_ARC: return kDrawArc;
    case CShapeEditorDlg::ID_MODE_CIRCLE: return kDrawCircle;
    case CShapeEditorDlg::ID_MODE_POLYLINE: return kDrawPolyline;
    case CShapeEditorDlg::ID_MODE_VARIABLE: return kDrawVariable;
    case CShapeEditorDlg::ID_MODE_TEXT: return kDrawText;
    case CShapeEditorDlg::ID_MODE_JOINT: return kDrawJoint;
    default: return -1;
    }
}

int alignOfCommand(int nID)
{
    switch (nID) {
    case CShapeEditorDlg::ID_ALIGN_LEFT: return 0;
    case CShapeEditorDlg::ID_ALIGN_CENTER: return 6;
    case CShapeEditorDlg::ID_ALIGN_RIGHT: return 2;
    default: return -1;
    }
}

} // namespace

CShapeEditorDlg::CShapeEditorDlg(QWidget* parent)
    : CXTResizeDialog(IDD, parent), m_pRecord(std::make_unique<CVes_ModelRecord>())
{
    registerResources();
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("钢筋大样创建"));
    setFont(QFont(platform::substituteFace(QStringLiteral("Tahoma")), 9));
    buildControls();
}

CShapeEditorDlg::~CShapeEditorDlg()
{
    // The canvas outlives the members (it is a child window): it must let
    // go of the working record first.
    if (m_pView)
        m_pView->setModel(nullptr);
    // The same for the buttons and the theme object they borrow.
    m_pOk->SetThemeHelper(nullptr);
    m_pCancel->SetThemeHelper(nullptr);
}

void CShapeEditorDlg::buildControls()
{
    resize(dlu(0, 0, 466, 283).size());

    auto* combo = new QComboBox(this);
    widgara::SetDlgCtrlID(combo, kIdCombo);
    combo->setGeometry(dlu(217, 265, 60, 14));
    combo->hide();

    m_pOk = new CVes_ThemedButton(QStringLiteral("确定"), this);
    widgara::SetDlgCtrlID(m_pOk, IDOK);
    m_pOk->setGeometry(dlu(354, 265, 50, 14));
    m_pCancel = new CVes_ThemedButton(QStringLiteral("取消"), this);
    widgara::SetDlgCtrlID(m_pCancel, IDCANCEL);
    m_pCancel->setGeometry(dlu(414, 265, 50, 14));
    connect(m_pOk, &QAbstractButton::clicked, this, [this] { OnOK(); });
    connect(m_pCancel, &QAbstractButton::clicked, this, [this] { OnCancel(); });

    m_pGridFrame = new QFrame(this);
    widgara::SetDlgCtrlID(m_pGridFrame, kIdGridFrame);
    m_pGridFrame->setGeometry(dlu(7, 6, 144, 207));
    m_pGridFrame->hide();

    m_pCanvasFrame = new QFrame(this);
    widgara::SetDlgCtrlID(m_pCanvasFrame, kIdCanvasFrame);
    m_pCanvasFrame->setGeometry(dlu(156, 6, 308, 254));
    m_pCanvasFrame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pCanvasFrame->setAutoFillBackground(true);
    QPalette grey = m_pCanvasFrame->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    m_pCanvasFrame->setPalette(grey);

    auto* bottom = new QFrame(this);
    widgara::SetDlgCtrlID(bottom, kIdBottomFrame);
    bottom->setGeometry(dlu(7, 218, 110, 42));
    bottom->hide();
}

void CShapeEditorDlg::setEditRecord(CVes_ModelRecord* record)
{
    m_pEditRecord = record;
    if (m_pView)
        m_pView->setModel(nullptr);
    if (record)
        m_pRecord->set(record);
    if (m_pView) {
        m_pView->setModel(m_pRecord.get());
        fitCanvas();
        fillPropertyGrid();
    }
}

bool CShapeEditorDlg::OnInitDialog()
{
    CXTResizeDialog::OnInitDialog();
    setWindowIcon(dialogIcon());

    createCommandBars();

    m_pGrid = new CXTPPropertyGrid(this);
    m_pGrid->Create(m_pGridFrame->geometry(), this, kIdPropertyGrid);
    m_pGrid->SetVariableItemsHeight(true);
    m_pGrid->SetTheme(2);
    connect(m_pGrid, &CXTPPropertyGrid::gridNotify, this,
            [this](int code, CXTPPropertyGridItem* item) { OnGridNotify(code, item); });
    m_pGrid->show();

    SetResize(kIdPropertyGrid, 0, 0, 0, 1);
    SetResize(IDOK, 1, 1, 1, 1);
    SetResize(IDCANCEL, 1, 1, 1, 1);
    SetResize(kIdCanvasFrame, 0, 0, 1, 1);
    SetResize(kIdBottomFrame, 0, 1, 0, 1);

    m_bInitialized = true;
    recalcBarLayout();
    // The two toolbars stand side by side: the dialog is made wide enough.
    int barsWidth = 8;
    for (int i = 0; i < m_pCommandBars->GetCount(); ++i)
        barsWidth += m_pCommandBars->GetAt(i)->sizeHint().width();
    if (barsWidth > width())
        resize(barsWidth, height());

    m_pView = new CVes_ModelRecordDrawView(m_pCanvasFrame);
    widgara::SetDlgCtrlID(m_pView, kIdCanvas);
    m_pView->setModel(m_pRecord.get());
    m_pView->setOwner(this);
    connect(m_pView, &CVes_ModelRecordDrawView::shapeChanged, this, [this](int message) {
        if (message == WM_VES_SHAPECHANGED)
            OnShapeChanged();
    });
    fitCanvas();
    m_pView->show();

    AutoLoadPlacement(kPlacementSection);

    setDrawMode(kDrawSelect);
    fillPropertyGrid();
    m_pOk->SetThemeHelper(&m_theme);
    m_pCancel->SetThemeHelper(&m_theme);
    m_pOk->SetIcon(okImage());
    m_pCancel->SetIcon(cancelImage());
    return true;
}

void CShapeEditorDlg::createCommandBars()
{
    m_pCommandBars = std::make_unique<CXTPCommandBars>();
    m_pCommandBars->SetSite(this, this);
    m_pCommandBars->EnableDocking();
    CXTPPaintManager::SetTheme(4);

    CXTPToolBar* drawBar = m_pCommandBars->Add(QStringLiteral("绘制"), xtpBarTop);
    drawBar->LoadToolBar(kToolBarDraw);
    // A command without a handler or a tooltip: not shown.
    if (CXTPControl* unused = drawBar->FindControl(ID_UNUSED))
        unused->SetVisible(false);
    CXTPToolBar* attributeBar = m_pCommandBars->Add(QStringLiteral("属性"), xtpBarTop);
    attributeBar->LoadToolBar(kToolBarAttributes);
    m_pCommandBars->DockRightOf(attributeBar, drawBar);

    m_pCommandBars->GetCommandBarsOptions()->ShowKeyboardCues(2);
    m_pCommandBars->GetToolTipContext()->SetStyle(2);
}

void CShapeEditorDlg::recalcBarLayout()
{
    if (!m_bInitialized || m_bInRecalcLayout || !m_pCommandBars)
        return;
    m_bInRecalcLayout = true;
    MakeRoomForCommandBars(m_pCommandBars.get(), m_rcBorders);
    m_bInRecalcLayout = false;
}

void CShapeEditorDlg::fitCanvas()
{
    if (!m_pView || !m_pCanvasFrame)
        return;
    QRect area = m_pCanvasFrame->contentsRect();
    area.adjust(3, 2, -3, -2);
    const platform::Rect fitted =
        m_pView->fitModelRect(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
    m_pView->setGeometry(fitted.toQRect());
}

void CShapeEditorDlg::OnSize(int nType, int cx, int cy)
{
    CXTResizeDialog::OnSize(nType, cx, cy);
    recalcBarLayout();
    fitCanvas();
}

bool CShapeEditorDlg::checkFormulas()
{
    CVes_ModelRecord* record = m_pRecord.get();
    const CVes_Formula checker;
    QString message;
    const auto check = [&](const QString& formula) {
        if (checker.checkFormula(formula, record->m_arrVar, message))
            return true;
        platform::showMessage(message);
        return false;
    };
    for (const auto& side : record->m_arrSide) {
        if (!check(side->m_lengthText) || !check(side->m_angleText))
            return false;
        if (side->getType() == CVes_Curve::kConnectMark && !check(side->m_text))
            return false;
    }
    // The first variable is the bar's diameter.
    for (size_t i = 1; i < record->m_arrVar.size(); ++i) {
        CVes_Variable* var = record->m_arrVar[i].get();
        if (var->m_type == CVes_Variable::kStandard)
            continue;
        var->m_formula = var->m_formula.trimmed();
        if (var->m_formula.isEmpty() && var->m_type != CVes_Variable::kTextKind) {
            var->m_type = CVes_Variable::kGiven;
            continue;
        }
        if (!check(var->m_formula))
            return false;
    }
    return true;
}

void CShapeEditorDlg::makeMidConnects()
{
    CVes_ModelRecord* record = m_pRecord.get();
    std::vector<const CVes_Side*> marks;
    for (const auto& side : record->m_arrSide)
        if (side->getType() == CVes_Curve::kConnectMark)
            marks.push_back(side.get());
    if (marks.empty())
        return;
    record->clearMidConnectArray();
    record->m_barGroup = 1;
    for (const CVes_Side* mark : marks) {
        CVes_MidConnect mid;
        mid.style = mark->m_subStyle;
        // A reverse-thread coupler is a straight-thread one turned the other way.
        if (mid.style == 9) {
            mid.style = 8;
            mid.valueC = 0;
        }
        mid.countText = mark->m_text;
        record->AddMidConnect(mid);
    }
}

bool CShapeEditorDlg::OnOK()
{
    if (m_pView)
        m_pView->closeTextEdit();
    if (!checkFormulas())
        return false;
    makeMidConnects();
    if (m_pView) {
        m_pView->clearSelection();
        m_pView->setModel(nullptr);
    }
    if (m_pEditRecord)
        m_pEditRecord->set(m_pRecord.get());
    EndDialog(IDOK);
    return true;
}

void CShapeEditorDlg::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CShapeEditorDlg::reject()
{
    OnCancel();
}

bool CShapeEditorDlg::OnClose()
{
    const platform::Answer answer = platform::host().message(
        QStringLiteral("是否保存当前图形?"), platform::MessageIcon::Question,
        platform::Buttons::YesNo, QStringLiteral("提示"));
    if (answer == platform::Answer::Yes) {
        // A formula that fails keeps the editor open with the edits.
        return OnOK();
    }
    if (answer == platform::Answer::No) {
        OnCancel();
        return true;
    }
    return false;
}

void CShapeEditorDlg::closeEvent(QCloseEvent* event)
{
    if (isVisible() && !OnClose()) {
        event->ignore();
        return;
    }
    event->accept();
}

void CShapeEditorDlg::fillPropertyGrid()
{
    if (m_pGrid)
        shapegrid::fillGrid(m_pGrid, m_pRecord.get());
}

long CShapeEditorDlg::OnShapeChanged()
{
    fillPropertyGrid();
    return 1;
}

long CShapeEditorDlg::OnGridNotify(int code, CXTPPropertyGridItem* item)
{
    if (m_pView)
        m_pView->closeTextEdit();
    if (!item)
        return 0;
    if (code == XTP_PGN_SELECTION_CHANGED) {
        if (CVes_DrawObject* object = shapegrid::objectOf(m_pRecord.get(), item)) {
            if (m_pView) {
                m_pView->selectObject(object, false);
                m_pView->update();
            }
            setDrawMode(kDrawSelect);
        }
    } else if (code == XTP_PGN_ITEMVALUE_CHANGED) {
        const shapegrid::ApplyResult result = shapegrid::applyValue(m_pRecord.get(), item);
        if (result.rebuild)
            fillPropertyGrid();
        if (result.repaint && m_pView)
            m_pView->update();
    }
    return 0;
}

int CShapeEditorDlg::OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* lpCreateControl)
{
    if (!lpCreateControl->bToolBar)
        return 0;
    switch (lpCreateControl->nID) {
    case ID_LINE_KIND:
        if (lpCreateControl->controlType != xtpControlButton)
            return 0;
        lpCreateControl->pControl = makeList({"钢筋线", "辅助线"}, 100, QStringLiteral("类型"),
                                             QStringLiteral("绘图类型"));
        return 1;
    case ID_VAR_TYPE:
        lpCreateControl->pControl = makeList({"数值变量", "字符变量"}, 120,
                                             QStringLiteral("变量类型"), QStringLiteral("变量类型"));
        return 1;
    case ID_VAR_UNIT:
        lpCreateControl->pControl = makeList({"长度mm", "角度°"}, 120, QStringLiteral("变量单位"),
                                             QStringLiteral("变量单位"));
        return 1;
    case ID_VAR_PRINT:
        lpCreateControl->pControl = makeList({"打印", "不打印"}, 120, QStringLiteral("是否打印"),
                                             QStringLiteral("是否打印"));
        return 1;
    case ID_TEXT_HEIGHT: {
        auto combo = std::make_unique<CXTPControlComboBox>();
        combo->SetDropDownListStyle(false);
        for (int height = 1; height <= 20; ++height)
            combo->AddString(QString::number(height));
        combo->SetWidth(70);
        combo->SetCaption(QStringLiteral("字高"));
        combo->SetEditHint(QStringLiteral("选择字高"));
        combo->SetCurSel(m_pView ? m_pView->m_textHeight - 1 : 7);
        lpCreateControl->pControl = std::move(combo);
        return 1;
    }
    case ID_LINE_WIDTH:
    case ID_LINE_STYLE: {
        auto popup = CXTPControlPopup::CreateControlPopup(xtpControlButtonPopup);
        popup->SetFlags(xtpFlagManualUpdate);
        auto bar = CXTPPopupToolBar::CreatePopupToolBar(m_pCommandBars.get());
        if (lpCreateControl->nID == ID_LINE_WIDTH) {
            for (int width = 1; width <= 12; ++width)
                bar->GetControls()->Add(std::make_unique<CControlButtonLine>(double(width)),
                                        ID_WIDTH_FIRST + width - 1, QString(), -1);
        } else {
            for (int style = 0; style <= 4; ++style)
                bar->GetControls()->Add(std::make_unique<CControlButtonStyle>(style),
                                        ID_STYLE_FIRST + style, QString(), -1);
        }
        popup->SetCommandBar(std::move(bar));
        lpCreateControl->pControl = std::move(popup);
        return 1;
    }
    default:
        return 0;
    }
}

long CShapeEditorDlg::OnControlNotify(int code, CXTPControl* pControl)
{
    auto* combo = dynamic_cast<CXTPControlComboBox*>(pControl);
    if (code != CBN_XTP_EXECUTE || !combo)
        return 0;
    onComboChanged(combo);
    return 1;
}

void CShapeEditorDlg::onComboChanged(CXTPControlComboBox* combo)
{
    if (!m_pView)
        return;
    m_pView->closeTextEdit();
    const int index = combo->GetCurSel();
    if (index < 0)
        return;
    combo->SetCurSel(index);
    switch (combo->GetID()) {
    case ID_LINE_KIND:
        m_pView->m_plainLine = index;
        return;
    case ID_TEXT_HEIGHT:
        m_pView->setTextHeight(index + 1);
        break;
    case ID_VAR_TYPE:
        m_pView->setVarType(index);
        break;
    case ID_VAR_UNIT:
        m_pView->setVarUnit(index);
        break;
    case ID_VAR_PRINT:
        m_pView->setNoPrint(index);
        break;
    default:
        return;
    }
    m_pView->update();
}

void CShapeEditorDlg::setMode(int mode)
{
    if (!m_pView)
        return;
    m_pView->closeTextEdit();
    setDrawMode(mode);
    m_pView->clearSelection();
    m_pView->update();
}

void CShapeEditorDlg::OnCommand(int nID)
{
    if (!m_pView)
        return;
    if (const int mode = modeOfCommand(nID); mode >= 0) {
        setMode(mode);
        return;
    }
    if (const int align = alignOfCommand(nID); align >= 0) {
        m_pView->setTextAlign(align);
        m_pView->update();
        return;
    }
    if (nID >= ID_WIDTH_FIRST && nID <= ID_WIDTH_LAST) {
        m_pView->setLineWidth(nID - 1000);
        m_pView->update();
        return;
    }
    if (nID >= ID_STYLE_FIRST && nID <= ID_STYLE_LAST) {
        m_pView->setLineStyle(nID - ID_STYLE_FIRST);
        m_pView->update();
        return;
    }
    switch (nID) {
    case ID_UNDO:
        m_pView->undo();
        // The items were replaced: the list must show the restored shape.
        fillPropertyGrid();
        break;
    case ID_REDO:
        m_pView->closeTextEdit();
        m_pView->redo();
        fillPropertyGrid();
        break;
    case ID_DELETE:
        m_pView->closeTextEdit();
        if (getDrawMode() == kDrawSelect)
            m_pView->deleteSelection();
        m_pView->update();
        fillPropertyGrid();
        break;
    case ID_SNAP:
        m_pView->m_showGrid = m_pView->m_showGrid ? 0 : 1;
        m_pView->update();
        break;
    default:
        break;
    }
}

void CShapeEditorDlg::OnUpdateCommandUI(CCmdUI* pCmdUI)
{
    const int nID = pCmdUI->m_nID;
    if (const int mode = modeOfCommand(nID); mode >= 0) {
        pCmdUI->SetCheck(getDrawMode() == mode ? 1 : 0);
        return;
    }
    if (!m_pView)
        return;
    if (const int align = alignOfCommand(nID); align >= 0) {
        pCmdUI->SetCheck(m_pView->m_textAlign == align ? 1 : 0);
        return;
    }
    switch (nID) {
    case ID_UNDO:
        pCmdUI->Enable(m_pView->canUndo());
        break;
    case ID_REDO:
        pCmdUI->Enable(m_pView->canRedo());
        break;
    case ID_DELETE:
        pCmdUI->Enable(!m_pView->selection().empty());
        break;
    case ID_SNAP:
        pCmdUI->SetCheck(m_pView->m_showGrid ? 1 : 0);
        break;
    default:
        break;
    }
}

int drawModel(int)
{
    CShapeEditorDlg dlg(QApplication::activeWindow());
    CVes_ModelStart start;
    dlg.setEditRecord(&start);
    return dlg.DoModal() == CShapeEditorDlg::IDOK ? 1 : 0;
}
