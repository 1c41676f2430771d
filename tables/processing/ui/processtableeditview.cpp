#include "tables/processing/ui/processtableeditview.h"

#include "core/geometry/text.h"
#include "core/model/processsteel.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "platform/hostservices.h"
#include "shapeui/bendkitexports.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/processtable.h"
#include "tables/framework/ui/numberingquestions.h"
#include "tables/processing/processtableeditline.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMainWindow>
#include <QStatusBar>
#include <QMouseEvent>

#include <algorithm>

namespace {

using EditLine = CVes_ProcessTableEditLine;

// The window styles of the cell edit box.
constexpr unsigned kEditStyle = inplace::WS_CHILD | inplace::WS_VISIBLE | inplace::WS_BORDER
                                | inplace::WS_TABSTOP | inplace::ES_CENTER
                                | inplace::ES_AUTOHSCROLL;

const QString kVersionMessage = QStringLiteral(
    "此文件版本与您使用的程序版本不符，无法正常显示。\n若想正常显示表格内容，请升级Rodo表到最新的版本！");

} // namespace

CVes_ProcessTableEditView::CVes_ProcessTableEditView(QWidget* parent) : CVes_TableViewBase(parent)
{
}

CVes_ProcessTableEditView::~CVes_ProcessTableEditView() = default;

CVes_ProcessTable* CVes_ProcessTableEditView::processTable() const
{
    return dynamic_cast<CVes_ProcessTable*>(m_table);
}

// Editors

QFont CVes_ProcessTableEditView::editFont(int textHeight) const
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(std::max(1, textHeight));
    font.setWeight(QFont::Weight(600));
    font.setStyleHint(QFont::Serif);
    return font;
}

void CVes_ProcessTableEditView::openEditBox(const platform::Rect& box, int row, int column,
                                            const QString& text, int textHeight,
                                            unsigned firstChar, bool select)
{
    endEdit();
    m_inPlaceEdit = new CVes_InPlaceEdit(viewport(), box, kEditStyle, kInPlaceEditId, row, column,
                                         text, firstChar);
    m_inPlaceEdit->setOwner(this);
    m_inPlaceEdit->setFont(editFont(textHeight));
    if (select)
        m_inPlaceEdit->selectAll();
}

void CVes_ProcessTableEditView::openRowTypeList(const platform::Rect& box, int row, int column,
                                                const QString& text, int textHeight)
{
    endEdit();
    m_inPlaceList = new CVes_InPlaceList(viewport(), box, CVes_InPlaceList::CBS_DROPDOWNLIST,
                                         kRowTypeListId, row, column, processRowTypeNames(), text,
                                         inplace::kClick);
    m_inPlaceList->setOwner(this);
    m_inPlaceList->setFont(editFont(textHeight));
    m_inPlaceList->showPopup();
}

void CVes_ProcessTableEditView::EditCell(int row, int column, QPoint point)
{
    CVes_ProcessTable* table = processTable();
    if (!table)
        return;
    auto* line = dynamic_cast<EditLine*>(table->getLine(row));
    if (!line)
        return;
    const platform::Rect box = LPtoDP(table->cellRect(row, column));
    const int height = LPtoDP(table->cellTextHeight(row, column));
    if (column == CVes_ProcessTable::kColPart) {
        openRowTypeList(box, row, column, processRowTypeName(line->getType()), height);
        return;
    }
    if (line->getType() == EditLine::kSteelRow && column == CVes_ProcessTable::kColShape) {
        editShapeVariable(row, column, point);
        return;
    }
    QString text;
    if (table->getCellEditText(row, column, text))
        openEditBox(box, row, column, text, height, inplace::kClick, true);
}

void CVes_ProcessTableEditView::editShapeVariable(int row, int column, QPoint point)
{
    CVes_BarCore* bar = m_table->getSteel(row);
    CVes_Variable* variable = bar ? bar->getSelectVar(DPtoLP(point)) : nullptr;
    if (!variable || variable->m_type < CVes_Variable::kGiven)
        return;
    // The dimension is found again by its name when the edit ends: the bar
    // may have been replaced meanwhile.
    m_editVariable = variable->m_text;
    QString text;
    if (variable->m_type == CVes_Variable::kTextKind)
        text = variable->m_formula;
    else if (bar->isMultiVal())
        text = QString::asprintf("%.1f~%.1f", variable->m_value, variable->m_value2);
    else
        text = QString::asprintf("%.1f", variable->m_value);

    // A shape drawn small in its cell has small dimensions: the editor keeps
    // at least the cell's text height, to stay readable, and is never lower
    // than its text.
    const double scale = bar->getScale() > 0.0 ? bar->getScale() : 1.0;
    const int textHeight = std::max(std::abs(LPtoDP(int(variable->m_height / scale))),
                                    std::abs(LPtoDP(m_table->getTxtHight(row, column))));
    platform::Rect own;
    variable->LocateRect(own);
    const QPoint centre = point;
    const int textWidth = QFontMetrics(editFont(textHeight)).horizontalAdvance(text) + 8;
    const int halfWidth = std::max(std::abs(LPtoDP(int(own.Width() / scale))), textWidth) / 2 + 1;
    const int halfHeight = std::max(std::abs(LPtoDP(int(own.Height() / scale))), textHeight + 4) / 2;
    const platform::Rect box(centre.x() - halfWidth, centre.y() - halfHeight,
                             centre.x() + halfWidth, centre.y() + halfHeight);
    openEditBox(box, row, column, text, textHeight, inplace::kClick, true);
}

int CVes_ProcessTableEditView::isCanEditVar(int row, int column, QPoint point)
{
    if (!m_table || column != CVes_ProcessTable::kColShape)
        return 0;
    CVes_TableBaseLine* line = m_table->getLine(row);
    if (!line || !line->isSteelLine())
        return 0;
    CVes_Variable* variable = line->getSteel()->getSelectVar(DPtoLP(point));
    return variable && variable->m_type > CVes_Variable::kComputed ? 1 : 0;
}

void CVes_ProcessTableEditView::EditoutSideVar(int row, int index, QPoint, QWidget*)
{
    m_curEditVar = nullptr;
    if (!m_table || row != CVes_TableBase::kTitleTextRow || index < 0 || index > 6)
        return;
    CVes_Variable* variable = &m_table->m_texts[std::size_t(index == 0 ? 0 : index + 1)];
    if (variable->m_type != CVes_Variable::kTextKind)
        return;
    m_curEditVar = variable;
    // The box lies over the text, in the view's own client area whose
    // coordinates it is given in, and is wide enough to show the text.
    const int height = LPtoDP(variable->m_height);
    platform::Rect box = textEditBox(*variable);
    const int wanted = QFontMetrics(editFont(height)).horizontalAdvance(variable->m_formula) + 3 * height;
    box.right = std::max(box.right, box.left + wanted);
    openEditBox(box, row, index, variable->m_formula, height, inplace::kClick, true);
}

void CVes_ProcessTableEditView::EditCurCell(unsigned ch)
{
    CVes_ProcessTable* table = processTable();
    if (!table)
        return;
    const int row = table->getCurRow();
    const int column = table->getCurCol();
    if (row < 1 || column < 0)
        return;
    QString text;
    auto* line = dynamic_cast<EditLine*>(table->getLine(row));
    const bool shapeNumber = line && line->getType() == EditLine::kSteelRow
                             && column == CVes_ProcessTable::kColShape;
    if (shapeNumber)
        m_editVariable.clear();
    else if (!table->getCellEditText(row, column, text))
        return;
    const platform::Rect box = LPtoDP(table->cellRect(row, column));
    // The character takes the place of the cell's text.
    openEditBox(box, row, column, inplace::charText(ch),
                LPtoDP(table->cellTextHeight(row, column)), inplace::kEnter, false);
}

// Commit

void CVes_ProcessTableEditView::inPlaceEditEnded(const InPlaceEditNotify& notify)
{
    if (!m_table || notify.hdr.code != InPlaceEditNotify::LVN_ENDLABELEDIT)
        return;
    const unsigned id = notify.hdr.idFrom & 0xFFFFu;
    if (id != kInPlaceEditNotifyId && id != kRowTypeListId)
        return;
    // Escape ends an edit without a text: nothing is committed.
    if (!notify.item.pszText)
        return;
    if (NowFengmian()) {
        EndFengmianEdit(*notify.item.pszText);
        return;
    }
    EndCellEdit(notify.item.iItem, notify.item.iSubItem, *notify.item.pszText);
}

void CVes_ProcessTableEditView::EndCellEdit(int row, int column, const QString& text)
{
    CVes_ProcessTable* table = processTable();
    if (!table)
        return;
    if (row == CVes_TableBase::kTitleTextRow) {
        if (m_curEditVar && m_curEditVar->m_type == CVes_Variable::kTextKind)
            m_curEditVar->m_formula = text;
        commitTail();
        return;
    }
    if (row < 1) {
        commitTail();
        return;
    }
    const QString variable = column == CVes_ProcessTable::kColShape ? m_editVariable : QString();
    if (table->commitCell(row, column, text, variable))
        commitTail();
}

void CVes_ProcessTableEditView::commitTail()
{
    m_table->AddUndo();
    m_table->setModified(1);
    repaintView();
    notifyFrame();
    setModify(true);
}

// Keys and mouse

void CVes_ProcessTableEditView::OnKeyDown(QKeyEvent* event)
{
    if (m_table && event->key() == Qt::Key_F3 && event->modifiers() == Qt::NoModifier) {
        checkTable();
        event->accept();
        return;
    }
    cellEditKeyDown(event);
}

void CVes_ProcessTableEditView::OnLButtonDown(unsigned flags, QPoint point)
{
    CVes_TableViewBase::OnLButtonDown(flags, point);
    // The frame shows the property pane of the new selection.
    if (m_table)
        notifyFrame();
}

void CVes_ProcessTableEditView::OnChar(int ch)
{
    if (m_table && ch >= 32 && ch <= 126)
        EditCurCell(unsigned(ch));
}

bool CVes_ProcessTableEditView::focusNextPrevChild(bool)
{
    // Tab moves between the sheet's cells, not between windows.
    return false;
}

void CVes_ProcessTableEditView::OnLButtonDblClk(unsigned flags, QPoint point)
{
    if (!m_table)
        return;
    endEdit();
    if (!NowFengmian())
        openAtPoint(point);
    CVes_TableViewBase::OnLButtonDblClk(flags, point);
}

void CVes_ProcessTableEditView::openAtPoint(QPoint point)
{
    int row = -1;
    int column = -1;
    if (!m_table->HitTest(DPtoLP(point), row, column))
        return;
    if (row == CVes_TableBase::kTitleTextRow && column >= 0) {
        EditoutSideVar(row, column, point, nullptr);
        return;
    }
    CVes_TableBaseLine* line = m_table->getLine(row);
    if (row > 0 && m_table->haveContent(row) && line && line->isSteelLine()
        && column == CVes_ProcessTable::kColShape)
        chooseShapeFor(m_table->getSelectRow());
}

void CVes_ProcessTableEditView::changeSteel(int row, int)
{
    if (m_table)
        chooseShapeFor(row);
}

void CVes_ProcessTableEditView::chooseShapeFor(int row)
{
    CVes_BarCore* bar = m_table->getSteel(row);
    if (!bar)
        return;
    CSteelRecordId id(-1, -1);
    if (runShapeChooser(Info_GetUserCustomSteelSelectMode() != 0, &id) != 1)
        return;
    bar->setRecordId(id);
    if (CVes_TableBaseLine* selected = m_table->getLine(m_table->getSelectRow()))
        selected->setNull(0);
    commitTail();
}

int CVes_ProcessTableEditView::runShapeChooser(bool large, CSteelRecordId* id)
{
    return large ? quickSelectSteel(id) : quickSelectSteelNew(id);
}

// Check and imports

void CVes_ProcessTableEditView::checkTable()
{
    if (CVes_ProcessTable* table = processTable())
        table->checkTable();
}

QString CVes_ProcessTableEditView::chooseImportFile(const QString& filter, const QString&)
{
    return askImportFile(filter);
}

bool CVes_ProcessTableEditView::openImport(CVes_TableBase& source, int sourceShapeColumn,
                                           const QString& filter, const QString& pattern,
                                           const QString& otherUnitText)
{
    const QString path = chooseImportFile(filter, pattern);
    if (path.isEmpty())
        return false;
    bool read = false;
    try {
        read = source.OpenFile(path) != 0;
    } catch (const platform::SchemaError& e) {
        // Only a later version's number sends the user to upgrade; any
        // other is a damaged file.
        if (e.isNewer()) {
            platform::showMessage(kVersionMessage, platform::MessageIcon::Warning);
            return false;
        }
    }
    if (!read) {
        platform::showMessage(QStringLiteral("导入失败，文件无法读取：\n%1").arg(path),
                              platform::MessageIcon::Warning);
        return false;
    }
    // Shapes measured in another unit would be read as this sheet's unit.
    if (source.m_units.value(sourceShapeColumn)
        != m_table->m_units.value(CVes_ProcessTable::kColShape)) {
        platform::showMessage(otherUnitText);
        return false;
    }
    return true;
}

void CVes_ProcessTableEditView::importSteelFromSetUp()
{
    CVes_ProcessTable* table = processTable();
    CVes_SetupTable list;
    if (!table
        || !openImport(list, CVes_SetupTable::kColShape, QStringLiteral("钢筋配料单(*.pld)"),
                       QStringLiteral("*.pld"),
                       QStringLiteral("钢筋配料单与加工单钢筋形状单位不一致，无法导入！")))
        return;
    const bool merge = platform::ask(QStringLiteral("配料单中相同钢筋是否归并为一种加工钢筋？"))
                       != platform::Answer::No;
    // The answer is the bar list's merge setting for this conversion.
    list.setLiaoPaiGuibing(merge ? 1 : 0);
    table->import(list.transformProcess(merge ? 1 : 0, 1));
    importTail();
}

void CVes_ProcessTableEditView::importSteelFromProcess()
{
    CVes_ProcessTable* table = processTable();
    CVes_ProcessTable other;
    if (!table
        || !openImport(other, CVes_ProcessTable::kColShape, QStringLiteral("钢筋加工明细单(*.jgd)"),
                       QStringLiteral("*.jgd"),
                       QStringLiteral("两个加工单钢筋形状单位不一致，无法导入！")))
        return;
    table->clearNullLineOfEnd();
    table->append(&other);
    importTail();
}

void CVes_ProcessTableEditView::importTail()
{
    afterTableEdit();
}

void CVes_ProcessTableEditView::afterTableEdit()
{
    repaintView();
    notifyFrame();
    setModify(true);
}

// Rows and numbers

void CVes_ProcessTableEditView::OnInsertRow(int flag)
{
    CVes_ProcessTable* table = processTable();
    if (!table)
        return;
    endEdit();
    const QHash<const CVes_TableBaseLine*, int> before = table->tagNumbers();
    const TableLineList rows = table->lines();
    table->InsertRow(flag);
    if (table->lines() == rows)
        return;
    afterTableEdit();
    // The tags follow the sheet's order: a bar put before others moves
    // their tag numbers on, which the user should not find out only from
    // the printed tags.
    const QHash<const CVes_TableBaseLine*, int> after = table->tagNumbers();
    int moved = 0;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        moved += after.value(it.key(), it.value()) != it.value() ? 1 : 0;
    if (moved > 0)
        showNotice(QStringLiteral("已插入钢筋行：其后 %1 根钢筋的料牌编号依次加 1。").arg(moved));
}

void CVes_ProcessTableEditView::insertClipBoard()
{
    CVes_ProcessTable* table = processTable();
    if (!table || !table->canPaste())
        return;
    table->InsertClip();
    table->regenData();
    table->AddUndo();
    afterTableEdit();
}

void CVes_ProcessTableEditView::numberSteel(int share, int all, int continuous)
{
    CVes_ProcessTable* table = processTable();
    if (!table || !numbering::confirmRenumber())
        return;
    table->NumberSteel(share, all, continuous);
    afterTableEdit();
}

void CVes_ProcessTableEditView::clearNumbers()
{
    CVes_ProcessTable* table = processTable();
    if (!table || !numbering::confirmClear())
        return;
    table->clearNumber();
    afterTableEdit();
}

void CVes_ProcessTableEditView::showNotice(const QString& text)
{
    m_notice = text;
    if (auto* frame = qobject_cast<QMainWindow*>(window()))
        frame->statusBar()->showMessage(text, 15000);
}
