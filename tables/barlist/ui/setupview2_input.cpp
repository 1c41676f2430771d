// The bar-list view's mouse, its shape and start-style choosers, and its keys.

#include "tables/barlist/ui/setupview2.h"

#include "tables/barlist/setuptable.h"

#include "envora/usercustom.h"
#include "shapeui/bendkitexports.h"

#include <QKeyEvent>

#include <algorithm>

namespace {

using Line = CVes_SetupTableLine;

bool isBarLine(const Line* line)
{
    return line && line->getType() == Line::kSteelLine;
}

// The keys of the bracket groups, with the keypad's divide and multiply.
bool isLeftBracketKey(const QKeyEvent* event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    return key == Qt::Key_BracketLeft || key == Qt::Key_BraceLeft
           || (keypad && key == Qt::Key_Slash);
}

bool isRightBracketKey(const QKeyEvent* event)
{
    const int key = event->key();
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    return key == Qt::Key_BracketRight || key == Qt::Key_BraceRight
           || (keypad && key == Qt::Key_Asterisk);
}

bool hasSelectedUnlockedBar(const CVes_TableBase& table)
{
    const TableLineList rows = table.selectedBarLines();
    return std::any_of(rows.begin(), rows.end(),
                       [](const CVes_TableBaseLine* row) { return !row->getLock(); });
}

bool inMultiValueColumns(int column)
{
    return column >= CVes_SetupTable::kColShape && column <= CVes_SetupTable::kColCount;
}

} // namespace

// Mouse

void CVes_SetupView2::OnLButtonDown(unsigned flags, QPoint point)
{
    CVes_TableViewBase::OnLButtonDown(flags, point);
    // The frame shows the bar-property pane and element tree of the new selection.
    notifyFrame();
}

void CVes_SetupView2::OnLButtonDblClk(unsigned flags, QPoint point)
{
    if (!m_table)
        return;
    endEdit();
    if (!NowFengmian()) {
        int row = -1;
        int column = -1;
        const bool hit = m_table->HitTest(DPtoLP(point), row, column) != 0;
        if (hit && row == CVes_TableBase::kTitleTextRow && column >= 0)
            EditoutSideVar(row, column, point, nullptr);
        else if (hit && row >= 1 && m_table->haveContent(row))
            openLineAt(row, column);
    }
    CVes_TableViewBase::OnLButtonDblClk(flags, point);
}

void CVes_SetupView2::openLineAt(int row, int column)
{
    Line* line = lineOf(row);
    if (!line)
        return;
    if (isBarLine(line) && column == CVes_SetupTable::kColShape) {
        changeSteel(row, column);
    } else if (isBarLine(line) && column == CVes_SetupTable::kColStart) {
        chooseStartFor(line);
    } else if (line->isImageLine()) {
        EditImageLine(line);
        repaintView();
    } else if (line->getType() == Line::kUnitLine) {
        EditUnitLine(line);
        repaintView();
    }
}

// Choosers

int CVes_SetupView2::chooseShape(CSteelRecordId* key)
{
    return Info_GetUserCustomSteelSelectMode() == 0 ? quickSelectSteelNew(key)
                                                     : quickSelectSteel(key);
}

int CVes_SetupView2::chooseStart(CSteelRecordId* key)
{
    return quickSelectStartNew(key);
}

void CVes_SetupView2::changeSteel(int row, int)
{
    // A locked line keeps its shape, as it keeps everything else.
    Line* line = lineOf(row);
    if (!isBarLine(line) || line->getLock())
        return;
    CSteelRecordId key(-1, -1);
    // OK without a shape chosen changes nothing either.
    if (chooseShape(&key) != 1 || key.isNull())
        return;
    applyShape(row, key);
}

void CVes_SetupView2::applyShape(int row, CSteelRecordId key)
{
    CVes_SetupTable* table = setupTable();
    Line* line = lineOf(row);
    if (!table || !isBarLine(line))
        return;
    CVes_Steel& bar = line->m_steel;
    bar.setHookLeft(CVes_Hook());
    bar.setHookRight(CVes_Hook());
    bar.setRecordId(key);
    if (!Info_UserCustomContentIsClude(CVes_SetupTable::kCopyVariables))
        bar.setVarZero();
    if (line->isNull()) {
        // An empty line takes the bar line before it, with the chosen shape.
        table->getDefualtValueFromPrvLine(line);
        bar.setHookLeft(CVes_Hook());
        bar.setHookRight(CVes_Hook());
        bar.setRecordId(key);
        CVes_SetupTable::clearUncopiedFields(bar,
                                             CVes_SetupTable::kCopyAll & ~CVes_SetupTable::kCopyShape);
        line->setNull(0);
    }
    // The new shape's first dimension is next to type and to Tab through.
    table->setShapeVarStart();
    const CVes_Variable* first = table->getTabEditVar(&bar);
    m_edited = first ? barlist::EditedVariable{barlist::EditedVariable::Source::Shape, first->m_text}
                     : barlist::EditedVariable{};
    finish(kChangeFlags | kUndoStep | kRepaint | kNotify | kModified);
}

void CVes_SetupView2::changeStart(int, int)
{
    if (m_table)
        chooseStartFor(lineOf(m_table->getSelectRow()));
}

void CVes_SetupView2::chooseStartFor(CVes_SetupTableLine* line)
{
    if (!isBarLine(line) || line->getLock())
        return;
    CSteelRecordId key(-1, -1);
    if (chooseStart(&key) != 1 || key.isNull())
        return;
    // Neither lengths nor the order of bars depend on the start style: the
    // derived sheets stay as they are.
    line->m_steel.start.setRecordId(key);
    line->setNull(0);
    finish(kUndoStep | kRepaint | kNotify | kModified);
}

// Keys

void CVes_SetupView2::OnKeyDown(QKeyEvent* event)
{
    // A key pressed on the page: its release is the page's.
    m_keyUpDone = 0;
    if (!m_table) {
        event->ignore();
        return;
    }
    Line* line = lineOf(m_table->getCurRow());
    switch (event->key()) {
    case Qt::Key_Tab:
        TabEditShapeVar();
        setCurRowVisible();
        event->accept();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EditCell(m_table->getCurRow(), m_table->getCurCol(), QPoint(0, 0));
        line = lineOf(m_table->getCurRow());
        if (isBarLine(line) && m_table->getCurCol() == CVes_SetupTable::kColShape)
            EnterEditShapeVar();
        break;
    case Qt::Key_Space: spaceKey(); break;
    case Qt::Key_F2: OnAmount(); break;
    case Qt::Key_F3: checkTable(); break;
    case Qt::Key_F6: insertElementLine(); break;
    case Qt::Key_F12:
        // One key, one command: F12 here inserts the element line and
        // nothing else (no calculator, no bracket action on its release).
        insertElementLine();
        event->accept();
        return;
    case Qt::Key_F7: insertImageLine(); break;
    case Qt::Key_F8: insertTextLine(); break;
    case Qt::Key_F9: insertUnitLine(); break;
    default: break;
    }
    const QString text = event->text();
    if (text.size() == 1)
        OnChar(text.front().unicode());
    CVes_TableViewBase::OnKeyDown(event);
}

void CVes_SetupView2::spaceKey()
{
    const int row = m_table->getCurRow();
    const int column = m_table->getCurCol();
    if (Line* line = lineOf(row)) {
        if (isBarLine(line) && column == CVes_SetupTable::kColShape)
            changeSteel(row, column);
        else if (isBarLine(line) && column == CVes_SetupTable::kColStart)
            changeStart(row, column);
        else if (line->getType() == Line::kUnitLine)
            EditUnitLine(line);
        else if (line->isImageLine())
            EditImageLine(line);
    }
    repaintView();
}

void CVes_SetupView2::OnChar(int ch)
{
    if (m_table && ch >= 32 && ch <= 126)
        EditCurCell(QChar(ch));
}

void CVes_SetupView2::OnKeyUp(QKeyEvent* event)
{
    const bool done = m_keyUpDone != 0 && event->key() == m_keyUpDone;
    if (done)
        m_keyUpDone = 0;
    if (m_table && !done) {
        Line* line = lineOf(m_table->getCurRow());
        if (isLeftBracketKey(event) || isRightBracketKey(event)) {
            if (isBarLine(line))
                bracketKey(isLeftBracketKey(event));
        } else if (event->key() == Qt::Key_Semicolon) {
            multiValueKey(false);
        } else if (event->key() == Qt::Key_Apostrophe && line) {
            multiValueKey(true);
        }
    }
    CVes_TableViewBase::OnKeyUp(event);
}

void CVes_SetupView2::multiValueKey(bool varying)
{
    if (varying)
        TabEditShapeVar();
    const Line* line = lineOf(m_table->getCurRow());
    if (isBarLine(line) && inMultiValueColumns(m_table->getCurCol()))
        setSelectedVarying(varying);
}

void CVes_SetupView2::setSelectedVarying(bool varying)
{
    runTableEdit([this, varying] { m_table->setSelLineMultVar(varying ? 1 : 0); });
}

bool CVes_SetupView2::isEditCommandKey(unsigned key)
{
    if ((key != inplace::kApostropheKey && key != inplace::kSemicolonKey) || !m_table)
        return false;
    // An empty line is filled from the bar before it by its first entry: it
    // is made varying or plain on the page once it holds its bar.
    Line* line = lineOf(m_table->getCurRow());
    return isBarLine(line) && !line->isNull() && inMultiValueColumns(m_table->getCurCol());
}

void CVes_SetupView2::editKey(int key)
{
    if (!m_table || m_table->getCurRow() < 1)
        return;
    const unsigned code = unsigned(key);
    if (code == inplace::kEscape) {
        takeBackLengthSwitch();
        return;
    }
    if (code == inplace::kTab) {
        const Line* line = lineOf(m_table->getCurRow());
        const CSteelRecordId shape = isBarLine(line) ? line->m_steel.getRecordId() : CSteelRecordId();
        // What was typed goes to the cell it was typed for before Tab moves on.
        commitOpenEditors();
        setFocus(Qt::OtherFocusReason);
        line = lineOf(m_table->getCurRow());
        const bool newShape = isBarLine(line) && line->m_steel.getRecordId() != shape
                              && m_table->getCurCol() == CVes_SetupTable::kColShape;
        if (!newShape)
            TabEditShapeVar();
        setCurRowVisible();
        return;
    }
    if (code != inplace::kApostropheKey && code != inplace::kSemicolonKey)
        return;
    const bool varying = code == inplace::kApostropheKey;
    // The key says what the bar is, and what was typed is read as such a
    // bar's: a range or groups of bars for a varying one, a single value or
    // count for a plain one. The key's release, which reaches the page
    // after this, has been acted on here.
    m_keyUpDone = varying ? Qt::Key_Apostrophe : Qt::Key_Semicolon;
    setSelectedVarying(varying);
    commitOpenEditors();
    setFocus(Qt::OtherFocusReason);
    if (varying)
        TabEditShapeVar();
}

void CVes_SetupView2::bracketKey(bool left)
{
    switch (m_table->getCurCol()) {
    case CVes_SetupTable::kColShape:
        if (!hasSelectedUnlockedBar(*m_table)) {
            repaintView();
            break;
        }
        // Mirroring records nothing by itself; it is kept as any other edit.
        left ? m_table->setSelLineModelMirrorHor() : m_table->setSelLineModelMirrorVer();
        finish(kAllSteps);
        break;
    case CVes_SetupTable::kColCutLength:
        runTableEdit([this, left] { m_table->setSelLineAutoCal(left ? 1 : 0); });
        break;
    case CVes_SetupTable::kColGrade:
        runTableEdit([this, left] { m_table->setSelLineGrade(left ? 1 : 2); });
        break;
    case CVes_SetupTable::kColCount: calSellineSteelGenshu(left ? 0 : 1); break;
    default: repaintView(); break;
    }
}
