#include "tables/framework/ui/tableview.h"

#include "tables/framework/ui/findreplacedlg.h"
#include "tables/framework/tableclipboard.h"
#include "tables/framework/ui/memdc.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/form.h"

#include "core/geometry/text.h"
#include "envora/usercustom.h"
#include "platform/dc.h"
#include "platform/gdi.h"
#include "platform/hostservices.h"
#include "platform/painterdc.h"

#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

using namespace platform::gdi;
using platform::Rect;

namespace {

constexpr int kScrollMax = 100;
constexpr int kScrollPage = 5;

float clampOffset(float offset)
{
    return std::clamp(offset, 0.0f, float(kScrollMax));
}

bool inScrollRange(float offset)
{
    return offset >= 0.0f && offset <= float(kScrollMax);
}

void setupScrollBar(QScrollBar* bar)
{
    bar->setRange(0, kScrollMax);
    bar->setSingleStep(1);
    bar->setPageStep(kScrollPage);
    // The offset follows the thumb when it is let go, not while it moves.
    bar->setTracking(false);
}

} // namespace

// A 1 × 1 image with the client area's resolution, in the 0.1 mm mapping: what
// the conversions between logical units and pixels of the client area need.
struct CVes_TableViewBase::ClientDc {
    explicit ClientDc(const QWidget* widget) : image(1, 1, QImage::Format_RGB32)
    {
        image.setDotsPerMeterX(qRound(widget->logicalDpiX() / 0.0254));
        image.setDotsPerMeterY(qRound(widget->logicalDpiY() / 0.0254));
        dc = std::make_unique<platform::PainterDc>(&image);
        setTableMapping(dc.get(), 1);
    }
    QImage image;
    std::unique_ptr<platform::PainterDc> dc;
};

CVes_TableViewBase::CVes_TableViewBase(QWidget* parent) : QAbstractScrollArea(parent)
{
    qRegisterMetaType<CVes_TableBase*>();
    setupScrollBar(horizontalScrollBar());
    setupScrollBar(verticalScrollBar());
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // The drawing covers the whole client area: nothing is erased first.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAutoFillBackground(false);
    // Moves without a button show where a cell can be edited.
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    connect(horizontalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { onScrollAction(action, true); });
    connect(verticalScrollBar(), &QAbstractSlider::actionTriggered, this,
            [this](int action) { onScrollAction(action, false); });
}

double CVes_TableViewBase::getsellineWeight()
{
    return m_table ? m_table->getSelLineWeight() : 0.0;
}

CVes_TableViewBase::~CVes_TableViewBase()
{
    // An editor still open would report its end to a view half destroyed
    // when the window closes; deleting it reports nothing.
    delete m_inPlaceEdit.data();
    delete m_inPlaceList.data();
    if (m_findDlg) {
        // The dialog must not call back into a view that is going.
        m_findDlg->detachView();
        delete m_findDlg.data();
    }
    if (m_recordDlg)
        delete m_recordDlg.data();
}

void CVes_TableViewBase::setTable(CVes_TableBase* table)
{
    m_table = table;
    repaintView();
}

// Editors

int CVes_TableViewBase::isHaveEditWnd() const
{
    // An editor whose edit has ended only waits to be deleted.
    const bool edit = m_inPlaceEdit && !m_inPlaceEdit->hasEnded();
    const bool list = m_inPlaceList && !m_inPlaceList->hasEnded();
    return (edit || list) ? 1 : 0;
}

void CVes_TableViewBase::endEdit()
{
    if (m_inPlaceEdit)
        m_inPlaceEdit->EndEdit();
    m_inPlaceEdit = nullptr;
    if (m_inPlaceList)
        m_inPlaceList->EndEdit();
    m_inPlaceList = nullptr;
    if (m_findDlg) {
        m_findDlg->hide();
        m_findDlg->deleteLater();
    }
    m_findDlg = nullptr;
}

void CVes_TableViewBase::endEditIfOpen()
{
    if (isHaveEditWnd())
        endEdit();
}

void CVes_TableViewBase::EndFengmianEdit(const QString& text)
{
    if (m_table && m_curEditVar && m_curEditVar == m_table->m_cover.getCurVar()) {
        m_curEditVar->m_formula = text;
        repaintView();
    }
    // The dialog has done its work: it goes once its own call has returned.
    if (m_recordDlg)
        m_recordDlg->deleteLater();
    m_recordDlg = nullptr;
}

void CVes_TableViewBase::EditoutSideVar(int row, int column, QPoint, QWidget* parent)
{
    m_curEditVar = nullptr;
    if (!m_table || row != CVes_TableBase::kTitleTextRow || column < 0 || column > 6)
        return;
    // Column 0 is the title; the second text has no column.
    CVes_Variable* variable = &m_table->m_texts[std::size_t(column == 0 ? 0 : column + 1)];
    m_curEditVar = variable;
    if (variable->m_type != CVes_Variable::kTextKind)
        return;
    editVariable(variable, row, column, 6, parent);
}

void CVes_TableViewBase::EditTableCoverVar(int, int, QPoint, QWidget* parent)
{
    m_curEditVar = nullptr;
    if (!m_table || !NowFengmian())
        return;
    CVes_TableCover& cover = m_table->m_cover;
    CVes_Variable* variable = cover.getCurVar();
    if (!variable)
        return;
    m_curEditVar = variable;
    if (Info_GetUserCustomTableEditMode() != 0 && variable->m_type != CVes_Variable::kTextKind)
        return;
    editVariable(variable, cover.m_curVar, cover.m_curCol, -1, parent);
}

void CVes_TableViewBase::editVariable(CVes_Variable* variable, int row, int column,
                                      int recordType, QWidget* parent)
{
    const bool inPlace = Info_GetUserCustomTableEditMode() != 0;
    openCellEditor(row, column, variable->m_formula, inPlace ? textEditBox(*variable) : Rect(),
                   LPtoDP(variable->m_height), recordType,
                   inPlace ? inplace::kEnter : inplace::kClick, inPlace, parent);
    if (inPlace && m_inPlaceEdit)
        m_inPlaceEdit->selectAll();
}

void CVes_TableViewBase::inPlaceEditEnded(const InPlaceEditNotify& notify)
{
    if (!m_table || !notify.isTableCellEdit() || !notify.item.pszText)
        return;
    if (NowFengmian())
        EndFengmianEdit(*notify.item.pszText);
    else
        EndCellEdit(notify.item.iItem, notify.item.iSubItem, *notify.item.pszText);
}

void CVes_TableViewBase::showDlg(bool show)
{
    if (m_findDlg)
        m_findDlg->setVisible(show);
    if (m_recordDlg)
        m_recordDlg->setVisible(show);
}

void CVes_TableViewBase::closeSearchDlg()
{
    if (m_findDlg)
        m_findDlg->close();
    m_findDlg = nullptr;
}

// Drawing

void CVes_TableViewBase::paintEvent(QPaintEvent* event)
{
    QPainter painter(viewport());
    platform::PainterDc dc(&painter);
    // A part of the client area is drawn with what lies outside it left
    // out, not only cut away.
    if (event->rect() != viewport()->rect()) {
        std::vector<Rect> parts;
        for (const QRect& part : event->region())
            parts.push_back(Rect::fromQRect(part));
        dc.setRepaintedParts(std::move(parts));
    }
    OnDraw(&dc);
}

void CVes_TableViewBase::OnDraw(platform::Dc* dc)
{
    if (m_table) {
        if (m_table->getScale() - 1.0 < 0.1) {
            showScrollBars(false);
            setScrollOffsets(0.0f, 0.0f);
        } else {
            showScrollBars(true);
        }
    }
    const int width = viewport()->width();
    const int height = viewport()->height();
    Rect client(0, 0, width, height);
    dc->DPtoLP(&client); // in the target's units (pixels unless it is mapped)
    // The grey desk covers the whole area at once: no background before it.
    CMemDCNew memory(dc, &client, CMemDCNew::Background::LeftAsItIs);
    platform::Dc* target = memory.dc();
    const int oldMode = setTableMapping(target, 1);
    Rect logical(0, 0, width, height);
    target->DPtoLP(&logical);
    if (!target->IsPrinting())
        target->FillRect(logical, platform::Brush::stock(GRAY_BRUSH));
    if (m_table) {
        m_table->m_scrollX = m_scrollX;
        m_table->m_scrollY = m_scrollY;
        m_table->Draw(target, logical);
    }
    target->SetMapMode(oldMode);
}

void CVes_TableViewBase::repaintView()
{
    viewport()->update();
}

void CVes_TableViewBase::repaintFormRows(const std::vector<int>& rows)
{
    const CVes_Form* form = m_table ? m_table->getForm() : nullptr;
    if (!form || rows.empty()) {
        repaintView();
        return;
    }
    const auto client = clientDc();
    QRegion region;
    for (const int row : rows) {
        Rect box = form->rowBox(row);
        client->dc->LPtoDP(&box);
        box.NormalizeRect();
        // The rules on the row's edges, however they round.
        box.InflateRect(2, 2);
        region += box.toQRect();
    }
    viewport()->update(region);
}

void CVes_TableViewBase::showScrollBars(bool show)
{
    const Qt::ScrollBarPolicy policy = show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (horizontalScrollBarPolicy() != policy)
        setHorizontalScrollBarPolicy(policy);
    if (verticalScrollBarPolicy() != policy)
        setVerticalScrollBarPolicy(policy);
}

void CVes_TableViewBase::scrollContentsBy(int, int)
{
    // The offsets move the page when it is drawn; nothing is scrolled here.
}

// Zoom

void CVes_TableViewBase::OnZoomIn()
{
    if (!m_table)
        return;
    m_table->setScale(std::max(nextZoomStep(m_table->getScale(), false), kMinZoom));
    repaintView();
    Q_EMIT zoomShown();
}

void CVes_TableViewBase::OnZoomOut()
{
    if (!m_table || m_table->getScale() == kMaxZoom)
        return;
    m_table->setScale(std::min(nextZoomStep(m_table->getScale(), true), kMaxZoom));
    repaintView();
    Q_EMIT zoomShown();
}

double CVes_TableViewBase::nextZoomStep(double zoom, bool larger)
{
    if (zoom <= 0.0)
        return 1.0;
    // A zoom a rounding off a step counts as that step.
    constexpr double kOnStep = 1e-6;
    const double steps = std::log(zoom) / std::log(kZoomStep);
    const double next = larger ? std::floor(steps + kOnStep) + 1 : std::ceil(steps - kOnStep) - 1;
    return std::pow(kZoomStep, next);
}

void CVes_TableViewBase::OnZoomFit()
{
    if (!m_table)
        return;
    m_table->setScale(1.0);
    repaintView();
    Q_EMIT zoomShown();
}

void CVes_TableViewBase::OnZoomWin()
{
    if (!m_table)
        return;
    m_zoomWindow = 1;
}

void CVes_TableViewBase::ZoomScale(double zoom)
{
    if (!m_table)
        return;
    m_table->setScale(zoom);
    repaintView();
}

// Pages

void CVes_TableViewBase::rowsReplaced()
{
    if (m_findDlg)
        m_findDlg->forgetRows();
}

void CVes_TableViewBase::notifyFrame()
{
    Q_EMIT tableChanged(m_table);
}

void CVes_TableViewBase::selectFirstRow()
{
    m_table->AddSelect(1, 1);
    m_table->setCurRow(1);
}

void CVes_TableViewBase::OnFirstPage()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->firstPage();
    selectFirstRow();
    repaintView();
    setCurRowVisible();
}

void CVes_TableViewBase::OnPrvPage()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->PrevPage();
    selectFirstRow();
    repaintView();
    notifyFrame();
    setCurRowVisible();
}

void CVes_TableViewBase::OnNextPage()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->nextPage();
    selectFirstRow();
    repaintView();
    notifyFrame();
    setCurRowVisible();
}

void CVes_TableViewBase::OnEndPage()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->endPage();
    selectFirstRow();
    repaintView();
    setCurRowVisible();
}

void CVes_TableViewBase::OnCoverPage()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->setPageTo(0, 1);
    repaintView();
    notifyFrame();
    setCurRowVisible();
}

void CVes_TableViewBase::OnAddPage()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->addPage();
    m_table->clearSelect();
    repaintView();
}

void CVes_TableViewBase::OnDelPage()
{
    if (!m_table || isHaveEditWnd())
        return;
    m_table->delPage();
    rowsReplaced();
    m_table->clearSelect();
    repaintView();
}

void CVes_TableViewBase::pageTo(int page)
{
    if (!m_table)
        return;
    m_table->setPageTo(page, 1);
    selectFirstRow();
    repaintView();
    setCurRowVisible();
}

int CVes_TableViewBase::NowFengmian() const
{
    return (m_table && m_table->getCurPage() == 0) ? 1 : 0;
}

void CVes_TableViewBase::OnSelectNext()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->SelectNext();
    repaintView();
    notifyFrame();
    setCurRowVisible();
}

void CVes_TableViewBase::OnSelectPrev()
{
    if (!m_table)
        return;
    endEditIfOpen();
    m_table->SelectPrev();
    repaintView();
    notifyFrame();
    setCurRowVisible();
}

void CVes_TableViewBase::OnSelectAllLineOfPage()
{
    if (!m_table)
        return;
    m_table->selectAllofPage();
    repaintView();
}

// Row commands

void CVes_TableViewBase::OnInsertRow(int flag)
{
    if (!m_table)
        return;
    m_table->InsertRow(flag);
    repaintView();
}

void CVes_TableViewBase::OnDeleteRow()
{
    if (!m_table)
        return;
    m_table->DeleteRow();
    rowsReplaced();
    repaintView();
    notifyFrame();
}

void CVes_TableViewBase::OnCopy()
{
    if (m_table)
        m_table->CopyRow();
}

void CVes_TableViewBase::OnPaste()
{
    if (!m_table)
        return;
    // A paste that cannot be taken says why instead of doing nothing.
    if (!m_table->canPaste()) {
        platform::showMessage(CVes_TableClipboard::pasteRefusal(*m_table),
                              platform::MessageIcon::Information, QStringLiteral("粘贴"));
        return;
    }
    m_table->PasteRow();
    rowsReplaced();
    repaintView();
    notifyFrame();
}

void CVes_TableViewBase::OnCutRow()
{
    if (!m_table)
        return;
    m_table->CutRow();
    rowsReplaced();
    repaintView();
    notifyFrame();
}

void CVes_TableViewBase::OnMoveUp()
{
    if (!m_table)
        return;
    m_table->UpRow();
    notifyFrame();
    setCurRowVisible();
    repaintView();
}

void CVes_TableViewBase::OnMoveDown()
{
    if (!m_table)
        return;
    m_table->DownRow();
    notifyFrame();
    setCurRowVisible();
    repaintView();
}

void CVes_TableViewBase::OnRowLock()
{
    if (m_table)
        m_table->lockRow();
}

void CVes_TableViewBase::OnRowUnLock()
{
    if (m_table)
        m_table->unlockRow();
}

void CVes_TableViewBase::OnRowLockAll()
{
    if (m_table)
        m_table->lockAllRow();
}

void CVes_TableViewBase::OnRowUnLockAll()
{
    if (m_table)
        m_table->unlockAllRow();
}

void CVes_TableViewBase::OnUndo()
{
    if (!m_table)
        return;
    if (m_findDlg)
        m_findDlg->close();
    const bool step = m_table->CanUndo();
    m_table->Undo();
    repaintView();
    // Undo replaces the rows: whatever shows them (the element tree, the
    // property pane) must build again.
    notifyFrame();
    if (step)
        Q_EMIT undoStepTaken(m_table);
}

void CVes_TableViewBase::OnRedo()
{
    if (!m_table)
        return;
    const bool step = m_table->CanRedo();
    m_table->Redo();
    rowsReplaced();
    repaintView();
    notifyFrame();
    if (step)
        Q_EMIT undoStepTaken(m_table);
}

int CVes_TableViewBase::canCopy() const
{
    return m_table ? m_table->canCopy() : 0;
}

int CVes_TableViewBase::canPaste() const
{
    return m_table ? m_table->canPaste() : 0;
}

int CVes_TableViewBase::canUndo() const
{
    return m_table ? m_table->CanUndo() : 0;
}

int CVes_TableViewBase::canRedo() const
{
    return m_table ? m_table->CanRedo() : 0;
}

void CVes_TableViewBase::setModify(bool modified)
{
    Q_EMIT modifyRequested(modified);
}

bool CVes_TableViewBase::handleMessage(unsigned message, quintptr wParam, qintptr)
{
    switch (message) {
    case kZoomIn: OnZoomIn(); return true;
    case kZoomOut: OnZoomOut(); return true;
    case kZoomFit: OnZoomFit(); return true;
    case kZoomWin: OnZoomWin(); return true;
    case kZoomShown: Q_EMIT zoomShown(); return true;
    case kNextPage: OnNextPage(); return true;
    case kPrevPage: OnPrvPage(); return true;
    case kFirstPage: OnFirstPage(); return true;
    case kEndPage: OnEndPage(); return true;
    case kAddPage: OnAddPage(); return true;
    case kDelPage: OnDelPage(); return true;
    case kCoverPage: OnCoverPage(); return true;
    case kPageShown: OnPageShown(); return true;
    case kAutoSave: autoSave(); return true;
    case kInsertRow: OnInsertRow(int(wParam)); return true;
    case kDeleteRow: OnDeleteRow(); return true;
    case kCopy: OnCopy(); return true;
    case kPaste: OnPaste(); return true;
    case kMoveUp: OnMoveUp(); return true;
    case kMoveDown: OnMoveDown(); return true;
    case kRowLock: OnRowLock(); return true;
    case kRowUnLock: OnRowUnLock(); return true;
    case kUndo: OnUndo(); return true;
    case kRedo: OnRedo(); return true;
    case kFilePrint: OnFilePrint(); return true;
    default: return false;
    }
}

// Scrolling

void CVes_TableViewBase::setScrollOffsets(float x, float y)
{
    m_scrollX = x;
    m_scrollY = y;
    horizontalScrollBar()->setValue(int(x));
    verticalScrollBar()->setValue(int(y));
}

void CVes_TableViewBase::scrollBy(int code, int thumbPosition, float& offset, bool horizontal)
{
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    const int p = bar->value();
    int position = p;
    switch (code) {
    case kLineUp:
    case kTop:
        if (p >= 1)
            position = p - 1;
        break;
    case kLineDown:
    case kBottom:
        if (p < kScrollMax)
            position = p + 1;
        break;
    case kPageUp:
        if (p >= 1 && p <= kScrollPage)
            position = 0;
        else if (p > kScrollPage)
            position = p - kScrollPage;
        break;
    case kPageDown:
        if (p >= kScrollMax - kScrollPage && p < kScrollMax)
            position = kScrollMax;
        else if (p < kScrollMax - kScrollPage)
            position = p + kScrollPage;
        break;
    case kThumbPosition:
        position = std::clamp(thumbPosition, 0, kScrollMax);
        break;
    default:
        break;
    }
    offset = float(position);
    bar->setValue(position);
    repaintView();
}

void CVes_TableViewBase::OnHScroll(int code, int thumbPosition)
{
    scrollBy(code, thumbPosition, m_scrollX, true);
}

void CVes_TableViewBase::OnVScroll(int code, int thumbPosition)
{
    scrollBy(code, thumbPosition, m_scrollY, false);
}

void CVes_TableViewBase::onScrollAction(int action, bool horizontal)
{
    QScrollBar* bar = horizontal ? horizontalScrollBar() : verticalScrollBar();
    int code = kEndScroll;
    int thumb = 0;
    switch (action) {
    case QAbstractSlider::SliderSingleStepSub: code = kLineUp; break;
    case QAbstractSlider::SliderSingleStepAdd: code = kLineDown; break;
    case QAbstractSlider::SliderPageStepSub: code = kPageUp; break;
    case QAbstractSlider::SliderPageStepAdd: code = kPageDown; break;
    case QAbstractSlider::SliderToMinimum: code = kTop; break;
    case QAbstractSlider::SliderToMaximum: code = kBottom; break;
    case QAbstractSlider::SliderMove:
        // While the thumb is held it only tracks; let go, it is the position.
        code = bar->isSliderDown() ? kThumbTrack : kThumbPosition;
        thumb = bar->sliderPosition();
        break;
    default: break;
    }
    if (horizontal)
        OnHScroll(code, thumb);
    else
        OnVScroll(code, thumb);
    // The slider applies the action's position after this signal.
    bar->setSliderPosition(bar->value());
}

void CVes_TableViewBase::setCurRowVisible()
{
    if (!m_table || m_table->getSelectRow() < 1)
        return;
    const auto client = clientDc();
    Rect view(0, 0, viewport()->width(), viewport()->height());
    client->dc->DPtoLP(&view);
    const Rect row = m_table->getCurRowRect();
    int excessY = 0;
    if (row.bottom > view.bottom)
        excessY = row.bottom - view.bottom;
    else if (row.top < view.top)
        excessY = row.top - view.top;
    int excessX = 0;
    if (row.right > view.right)
        excessX = row.right - view.right;
    else if (row.left < view.left)
        excessX = row.left - view.left;
    double unitX = 0.0, unitY = 0.0;
    m_table->getScollUnit(view, m_table->getScale(), unitX, unitY);
    // A page that does not scroll has no scroll unit.
    const int stepX = unitX > 0.0 ? int(excessX / unitX) : 0;
    const int stepY = unitY > 0.0 ? int(excessY / unitY) : 0;
    if (stepX == 0 && stepY == 0)
        return;
    float x = m_scrollX;
    float y = m_scrollY;
    if (inScrollRange(x))
        x = clampOffset(x + float(stepX));
    if (inScrollRange(y))
        y = clampOffset(y + float(stepY));
    setScrollOffsets(x, y);
    repaintView();
}

// Units

std::unique_ptr<CVes_TableViewBase::ClientDc> CVes_TableViewBase::clientDc() const
{
    return std::make_unique<ClientDc>(viewport());
}

QPoint CVes_TableViewBase::LPtoDP(QPoint point) const
{
    return clientDc()->dc->LPtoDP(point);
}

QPoint CVes_TableViewBase::DPtoLP(QPoint point) const
{
    return clientDc()->dc->DPtoLP(point);
}

Rect CVes_TableViewBase::LPtoDP(const Rect& rect) const
{
    Rect result = rect;
    clientDc()->dc->LPtoDP(&result);
    return result;
}

Rect CVes_TableViewBase::DPtoLP(const Rect& rect) const
{
    Rect result = rect;
    clientDc()->dc->DPtoLP(&result);
    return result;
}

int CVes_TableViewBase::LPtoDP(int length) const
{
    return LPtoDP(QPoint(length, 0)).x();
}
