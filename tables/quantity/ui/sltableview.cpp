#include "tables/quantity/ui/sltableview.h"

#include "core/geometry/steeltext.h"
#include "core/geometry/text.h"
#include "envora/rules.h"
#include "envora/usercustom.h"
#include "platform/archive.h"
#include "platform/hostservices.h"
#include "shapeui/bendkitexports.h"
#include "tables/barlist/quantityrows.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/cellentry.h"
#include "tables/framework/tablehelpers.h"
#include "tables/quantity/sltable.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QMouseEvent>

const QString CVes_SLTableView::kEleTypeText = QStringLiteral("构件类型");
const QString CVes_SLTableView::kEleText = QStringLiteral("构件编号");

namespace {

using Line = CVes_SLTableLine;

// Recent-value categories of the columns; -1 for a column without one.
int recordCategory(int column)
{
    switch (column) {
    case 1: return 1;
    case 2: return 2;
    case 3:
    case 4: return 4;
    case 5: return 5;
    case 9: return 6;
    default: return -1;
    }
}

// The in-place list's own control: its end comes as a cell edit too.
bool isListEdit(const InPlaceEditNotify& notify)
{
    return notify.hdr.code == InPlaceEditNotify::LVN_ENDLABELEDIT
        && (notify.hdr.idFrom & 0xFFFFu) == unsigned(CVes_InPlaceList::kEditFieldId);
}

// A variable's text as its editor starts from it.
QString variableText(const CVes_Variable& variable, bool varying)
{
    if (variable.m_type == CVes_Variable::kTextKind)
        return variable.m_formula;
    if (varying)
        return QString::asprintf("%.1f~%.1f", variable.m_value, variable.m_value2);
    return QString::asprintf("%.1f", variable.m_value);
}

// The Qt file dialog filter of a "name(*.ext)|*.ext||" filter.
QString qtFilter(const QString& filter)
{
    return filter.section(QLatin1Char('|'), 0, 0);
}

} // namespace

CVes_SLTableView::CVes_SLTableView(QWidget* parent) : CVes_TableViewBase(parent) {}

CVes_SLTableView::~CVes_SLTableView() = default;

CVes_SLTable* CVes_SLTableView::slTable() const
{
    return dynamic_cast<CVes_SLTable*>(m_table);
}

CVes_SLTableLine* CVes_SLTableView::lineOf(int row) const
{
    return m_table ? static_cast<Line*>(m_table->getLine(row)) : nullptr;
}

void CVes_SLTableView::refuse(const QString& reason)
{
    platform::showMessage(reason, platform::MessageIcon::Stop);
}

void CVes_SLTableView::changed()
{
    m_table->AddUndo();
    m_table->setModified(1);
    repaintView();
    notifyFrame();
}

// Opening editors

std::optional<QString> CVes_SLTableView::cellText(int row, int column, QPoint point, bool typing)
{
    Line* line = lineOf(row);
    if (!line)
        return std::nullopt;
    if (line->isEleRow()) {
        if (column <= 3)
            return line->getElement();
        return column == 4 ? QString() : QString::number(line->getEleNum());
    }
    if (line->isEleTypeRow())
        return line->getEleType();
    CVes_Steel* bar = line->getSLSteel();
    if (!bar)
        return std::nullopt;
    // An empty row shows nothing, and its editors start empty.
    const bool empty = line->isNull() != 0;
    switch (column) {
    case 1:
        return empty ? QString() : bar->number;
    case 2:
        return empty ? QString() : Steel_GradeToString(bar->grade) + DNtoString(bar->DN);
    case 3: {
        if (typing)
            return QString();
        CVes_Variable* variable = bar->getSelectVar(DPtoLP(point));
        if (!variable || variable->m_type <= CVes_Variable::kComputed)
            return std::nullopt;
        m_curEditVar = variable;
        return variableText(*variable, bar->isMultiVal() != 0);
    }
    case 4:
        if (bar->calcLength && !typing)
            return std::nullopt;
        return empty ? QString() : QString::asprintf("%.1f", double(bar->length));
    case 5:
        if (empty)
            return QString();
        if (bar->isMultiVal())
            return QStringLiteral("%1/%2").arg(bar->getMultiGroup()).arg(bar->count);
        return QString::number(bar->count);
    case 9:
        return empty ? QString() : bar->remark;
    default:
        if (typing)
            return QString();
        return std::nullopt;
    }
}

void CVes_SLTableView::openRowKindList(int row, const QString& initialText)
{
    const platform::Rect box = LPtoDP(m_table->getRect(row, 0));
    openCellList(row, 0, {kEleTypeText, kEleText}, initialText, box);
}

void CVes_SLTableView::EditCell(int row, int column, QPoint point)
{
    Line* line = lineOf(row);
    if (!line)
        return;
    if (column == 0) {
        const QString shown = line->isEleRow() ? kEleText
            : line->isEleTypeRow()             ? kEleTypeText
                                               : QString();
        openRowKindList(row, shown);
        return;
    }
    const std::optional<QString> text = cellText(row, column, point, false);
    if (!text)
        return;
    const int category = recordCategory(column);
    openCellEditor(row, column, *text, LPtoDP(m_table->getRect(row, column)),
                   LPtoDP(m_table->getTxtHight(row, column)), category, inplace::kClick,
                   category < 0);
}

void CVes_SLTableView::EditCurCell(QChar c)
{
    if (!m_table || m_table->getCurRow() < 1 || m_table->getCurCol() < 0)
        return;
    const int row = m_table->getCurRow();
    const int column = m_table->getCurCol();
    if (!cellText(row, column, QPoint(), true))
        return;
    endEdit();
    // The box holds just the character typed, the caret after it.
    openCellEditor(row, column, QString(c), LPtoDP(m_table->getRect(row, column)),
                   LPtoDP(m_table->getTxtHight(row, column)), recordCategory(column),
                   inplace::kEnter, true);
}

int CVes_SLTableView::isCanEditVar(int row, int column, QPoint point)
{
    Line* line = lineOf(row);
    if (!line || !line->isSteelLine() || column != CVes_SLTable::kColShape)
        return 0;
    const CVes_Variable* variable = line->m_steel.getSelectVar(DPtoLP(point));
    return variable && variable->m_type > CVes_Variable::kComputed ? 1 : 0;
}

void CVes_SLTableView::EditoutSideVar(int row, int index, QPoint, QWidget*)
{
    m_curEditVar = nullptr;
    if (!m_table || row != CVes_TableBase::kTitleTextRow || index < 0 || index > 6)
        return;
    // Index 0 is the title; the second text has no index.
    CVes_Variable* variable = &m_table->m_texts[std::size_t(index == 0 ? 0 : index + 1)];
    m_curEditVar = variable;
    if (variable->m_type != CVes_Variable::kTextKind)
        return;
    // The box lies over the view, whose end of edit stores the text.
    openCellEditor(row, index, variable->m_formula, textEditBox(*variable),
                   LPtoDP(variable->m_height), -1, inplace::kClick, true);
    if (m_inPlaceEdit)
        m_inPlaceEdit->selectAll();
}

// The end of an edit

void CVes_SLTableView::inPlaceEditEnded(const InPlaceEditNotify& notify)
{
    if (m_table && isListEdit(notify) && notify.item.pszText && !isOnCoverPage()) {
        EndCellEdit(notify.item.iItem, notify.item.iSubItem, *notify.item.pszText);
        return;
    }
    CVes_TableViewBase::inPlaceEditEnded(notify);
}

void CVes_SLTableView::EndCellEdit(int row, int column, const QString& text)
{
    if (!m_table)
        return;
    if (row == CVes_TableBase::kTitleTextRow) {
        if (!m_curEditVar || m_curEditVar->m_type != CVes_Variable::kTextKind)
            return;
        m_curEditVar->m_formula = text;
        changed();
        return;
    }
    Line* line = lineOf(row);
    if (!line)
        return;
    if (column == 0) {
        if (endKindEdit(*line, text))
            changed();
        return;
    }
    if (line->isEleTypeRow()) {
        if (!cellentry::storableText(text))
            return;
        line->setEleType(text);
    } else if (line->isEleRow()) {
        if (column <= 4) {
            if (!cellentry::storableText(text))
                return;
            line->setElement(text);
        } else {
            const std::optional<int> pieces = cellentry::countFor(text, 0.0, barlimits::kPieces);
            if (!pieces)
                return;
            line->setEleNum(*pieces);
        }
    } else if (line->isSteelLine()) {
        if (!endBarEdit(*line, column, text))
            return;
    } else {
        return;
    }
    line->setNull(0);
    changed();
}

bool CVes_SLTableView::endKindEdit(CVes_SLTableLine& line, const QString& text)
{
    unsigned int kind = 0;
    if (text == kEleTypeText)
        kind = Line::kEleTypeRow;
    else if (text == kEleText)
        kind = Line::kEleRow;
    else
        return false;
    if (line.isSteelLine() && !line.isNull()) {
        // A filled bar row keeps its bar: the heading goes above it, and the
        // insertion is the undo step.
        slTable()->InsertRow(int(kind));
        repaintView();
        notifyFrame();
        return false;
    }
    line.setType(kind);
    line.setNull(0);
    return true;
}

bool CVes_SLTableView::endBarEdit(CVes_SLTableLine& line, int column, const QString& text)
{
    if ((column == 1 || column == 9) && !cellentry::storableText(text))
        return false;
    // A refused entry leaves the row as it was, the defaults it took
    // included.
    CVes_SLTableLine before;
    before.copy(&line);
    if (line.isNull())
        slTable()->getDefualtValueFromPrvLine(&line);
    if (enterBarCell(line, column, text))
        return true;
    // The copy back makes the bar's dimensions anew: the one being edited
    // is found again by its name.
    const QString editedName = m_curEditVar ? m_curEditVar->m_text : QString();
    const bool editsThisBar = m_curEditVar && line.m_steel.getVar(editedName) == m_curEditVar;
    line.copy(&before);
    if (editsThisBar)
        m_curEditVar = line.m_steel.getVar(editedName);
    return false;
}

bool CVes_SLTableView::enterBarCell(CVes_SLTableLine& line, int column, const QString& text)
{
    CVes_Steel& bar = line.m_steel;
    switch (column) {
    case 1:
        bar.number = text;
        return true;
    case 2:
        enterSize(line, text);
        return true;
    case 3:
        return enterVariable(line, text);
    case 4: {
        const std::optional<double> length = cellentry::numberFor(text, barlimits::kCutLength);
        if (!length || !cellentry::fits(text, *length, barlimits::kCutLength))
            return false;
        bar.length = float(*length);
        return true;
    }
    case 5: {
        // "groups/count"; a fraction of 0.3 or more counts as one more.
        const cellentry::Parts parts = cellentry::splitAtFirstOf(text, {QStringLiteral("/")});
        const std::optional<int> count =
            cellentry::countFor(parts.second.value_or(parts.first), 0.7, barlimits::kCount);
        if (!count)
            return false;
        std::optional<int> groups;
        if (parts.second && !(groups = cellentry::countFor(parts.first, 0.7, barlimits::kGroups)))
            return false;
        if (groups)
            bar.setMultiGroup(*groups);
        bar.count = *count;
        return true;
    }
    case 9:
        bar.remark = text;
        return true;
    default:
        // Computed columns take nothing.
        return true;
    }
}

void CVes_SLTableView::enterSize(CVes_SLTableLine& line, const QString& text)
{
    CVes_Steel& bar = line.m_steel;
    const cellentry::GradeEntry entry = cellentry::splitGradeLetter(text.trimmed());
    const QString rest = entry.diameter.trimmed();
    bool ok = false;
    const float diameter = rest.toFloat(&ok);
    // The letter stays before a diameter the user's table lacks; a text whose
    // rest is no number at all ("abc") changes nothing.
    if (entry.grade > 0 && (ok || rest.isEmpty()))
        bar.grade = entry.grade;
    if (!ok || !Info_isValidDN(diameter)) {
        // A size that is no number at all ("X99") is named as it was typed,
        // not as a diameter of 0.
        refuse(QStringLiteral("%1 ——钢筋直径值输入不正确！\n").arg(ok ? DNtoString(diameter) : text.trimmed()));
        return;
    }
    // The connections to bars of the old diameter follow it, and so does
    // the shape's dimension "d".
    bar.setDN(diameter);
    bar.grade = Info_getSteelGrade(diameter);
}

bool CVes_SLTableView::enterVariable(CVes_SLTableLine& line, const QString& text)
{
    CVes_Steel& bar = line.m_steel;
    CVes_Variable* variable = m_curEditVar;
    if (!variable)
        return true;
    const QString name = variable->m_text;
    if (variable->m_type == CVes_Variable::kTextKind) {
        if (!cellentry::storableText(text))
            return false;
        bar.setVarValue(name, text);
        variable->m_formula = text;
        bar.synchronizeRecordVar(nullptr);
        return true;
    }
    const cellentry::Parts parts = cellentry::splitAtFirstOf(text, {QStringLiteral("~")});
    // Each side over the bar's dimensions, in whole millimetres after the
    // user's rule for the last digits.
    const barlimits::Field& field = barlimits::fieldOf(*variable);
    const auto side = [&](const QString& formula) -> std::optional<int> {
        QString reason;
        if (!bar.checkFormulaString(formula.trimmed(), &reason)) {
            cellentry::refuse(formula.trimmed(), field, reason);
            return std::nullopt;
        }
        const double value = bar.calVarValue(formula.trimmed(), 0);
        if (!cellentry::fits(formula.trimmed(), value, field))
            return std::nullopt;
        return Info_GetSteelDataEnd(cellentry::roundedUp(value, 0.0), bar.isGuJin(), 0);
    };
    const std::optional<int> first = side(parts.first);
    if (!first)
        return false;
    const std::optional<int> last = parts.second ? side(*parts.second) : first;
    if (!last)
        return false;
    bar.setVarValue(name, double(*first));
    bar.setVarValueE(name, double(*last));
    bar.synchronizeRecordVar(nullptr);
    return true;
}

// Shapes

int CVes_SLTableView::chooseShape(CSteelRecordId* key)
{
    return Info_GetUserCustomSteelSelectMode() == 0 ? quickSelectSteelNew(key)
                                                     : quickSelectSteel(key);
}

void CVes_SLTableView::setShape(CSteelRecordId key)
{
    // The row the first click of the double click selected.
    const int row = m_table->getSelectRow();
    Line* line = lineOf(row);
    if (!line || !line->isSteelLine())
        return;
    line->m_steel.setRecordId(key);
    line->setNull(0);
    changed();
    m_table->setShapeVarStart();
    m_curEditVar = nullptr;
}

void CVes_SLTableView::changeSteel(int row, int)
{
    Line* line = lineOf(row);
    if (!line || !line->isSteelLine())
        return;
    CSteelRecordId key(-1, -1);
    if (chooseShape(&key) == 1)
        setShape(key);
}

// Input

void CVes_SLTableView::OnLButtonDblClk(unsigned flags, QPoint point)
{
    if (!m_table)
        return;
    endEdit();
    openAtPoint(point);
    CVes_TableViewBase::OnLButtonDblClk(flags, point);
}

void CVes_SLTableView::openAtPoint(QPoint point)
{
    const QPoint page = DPtoLP(point);
    int row = -1;
    int column = -1;
    if (!m_table->HitTest(page, row, column))
        return;
    if (row == CVes_TableBase::kTitleTextRow && column >= 0) {
        EditoutSideVar(row, column, point, window());
        return;
    }
    Line* line = lineOf(row);
    if (row >= 1 && line && line->isSteelLine() && column == CVes_SLTable::kColShape)
        changeSteel(row, column);
}

void CVes_SLTableView::insertClipBoard()
{
    CVes_SLTable* table = slTable();
    if (!table || !table->canPaste())
        return;
    table->InsertClip();
    repaintView();
    notifyFrame();
    setModify(true);
}

void CVes_SLTableView::OnChar(int ch)
{
    if (m_table && ch >= 32 && ch <= 126)
        EditCurCell(QChar(ch));
}

// Check and imports

void CVes_SLTableView::checkTable()
{
    if (CVes_SLTable* table = slTable())
        table->checkTable();
    repaintView();
}

QString CVes_SLTableView::askOpenPath(const QString& filter)
{
    return askImportFile(qtFilter(filter));
}

QString CVes_SLTableView::askFolder()
{
    return QFileDialog::getExistingDirectory(this, QStringLiteral("选择要导入其中钢筋配料单的文件夹"));
}

void CVes_SLTableView::importRows(const QList<CVes_SLTableLine*>& rows)
{
    if (!rows.isEmpty())
        slTable()->import(rows);
    repaintView();
    notifyFrame();
}

namespace {

// Opens a sheet file the user chose; false (with the reason shown) when it
// cannot be read.
bool openChosen(CVes_TableBase& sheet, const QString& path)
{
    try {
        if (sheet.OpenFile(path))
            return true;
    } catch (const platform::SchemaError& e) {
        // Only a later version's number sends the user to upgrade; any
        // other is a damaged file.
        if (e.isNewer()) {
            platform::showMessage(QStringLiteral("此文件版本与您使用的程序版本不符，无法正常显示。\n"
                                                 "若想正常显示表格内容，请升级Rodo表到最新版本！"),
                                  platform::MessageIcon::Stop);
            return false;
        }
    }
    platform::showMessage(QStringLiteral("无法读取文件：%1").arg(path), platform::MessageIcon::Stop);
    return false;
}

} // namespace

void CVes_SLTableView::importSteelFromSetUp()
{
    CVes_SLTable* table = slTable();
    if (!table)
        return;
    const QString path = askOpenPath(QStringLiteral("钢筋配料单(*.pld)|*.pld||"));
    if (path.isEmpty())
        return;
    CVes_SetupTable list;
    if (openChosen(list, path))
        importRows(quantityRowsOf(list, table->shapeUnit()));
    repaintView();
}

void CVes_SLTableView::importSteelFromSL()
{
    CVes_SLTable* table = slTable();
    if (!table)
        return;
    const QString path = askOpenPath(QStringLiteral("钢筋用量明细表(*.ylb)|*.ylb||"));
    if (path.isEmpty())
        return;
    CVes_SLTable other;
    if (openChosen(other, path)) {
        if (other.shapeUnit() != table->shapeUnit()) {
            platform::showMessage(
                QStringLiteral("两个钢筋用量明细表钢筋形状单位不一致，无法导入！"));
        } else {
            table->clearNullLineOfEnd();
            table->append(&other);
            notifyFrame();
        }
    }
    repaintView();
}

void CVes_SLTableView::importSteelFromDir(const QString& folder)
{
    CVes_SLTable* table = slTable();
    if (!table)
        return;
    // As the project tree's summary of the same folder: its sub-folders, the
    // element types of its lists and its range.
    if (table->importFolder(folder) > 0)
        setModify(true);
    repaintView();
    notifyFrame();
}
