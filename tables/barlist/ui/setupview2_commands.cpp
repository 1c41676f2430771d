// The bar-list view's commands: inserting lines, numbering, totals, the
// shape-dimension stepping, importing another bar list, the check, element
// units and sketches, and the calculators and connection edits of the
// selected bars.

#include "tables/barlist/ui/setupview2.h"

#include "tables/barlist/huizongrules.h"
#include "tables/barlist/setuptable.h"
#include "tables/barlist/ui/uniteditdlg.h"
#include "tables/framework/ui/numberingquestions.h"

#include "platform/hostservices.h"


namespace {

using Line = CVes_SetupTableLine;

const QString kOtherShapeUnit = QStringLiteral("导入的表格与本表钢筋形状单位不一致，无法导入！");
const QString kNewerVersion = QStringLiteral(
    "此文件版本与您使用的程序版本不符，无法正常显示。\n若想正常显示表格内容，请升级Rodo表到最新的版本！");

} // namespace

// Inserting lines

CVes_SetupTableLine* CVes_SetupView2::InsertLine(int kind)
{
    CVes_SetupTable* table = setupTable();
    if (!table)
        return nullptr;
    CVes_SetupTableLine* line = nullptr;
    switch (kind) {
    case kSteelLine: line = table->InsertSteelRow(0); break;
    case kTextLine: line = table->InsertTextRow(); break;
    case kUnitLine: line = table->InsertUnitRow(); break;
    case kElementLine: line = table->InsertElementRow(QString()); break;
    case kImageLine: line = table->InsertImageRow(); break;
    default: break;
    }
    repaintView();
    return line;
}

void CVes_SetupView2::insertSteelLine()
{
    if (m_table)
        runTableEdit([this] { m_table->InsertRow(0); });
}

void CVes_SetupView2::insertSteelBlankLine()
{
    if (m_table)
        runTableEdit([this] { m_table->InsertRow(1); });
}

void CVes_SetupView2::insertTextLine()
{
    if (InsertLine(kTextLine))
        finish(kNotify | kModified);
}

void CVes_SetupView2::insertElementLine()
{
    if (InsertLine(kElementLine))
        finish(kNotify | kModified);
}

void CVes_SetupView2::insertUnitLine()
{
    if (CVes_SetupTableLine* line = InsertLine(kUnitLine))
        EditUnitLine(line);
}

void CVes_SetupView2::insertImageLine()
{
    if (InsertLine(kImageLine))
        finish(kModified);
}

void CVes_SetupView2::insertClipBoard()
{
    if (!m_table || !m_table->canPaste())
        return;
    // A clipboard of text only (a remark copied) gives no rows to insert.
    const qsizetype rows = m_table->lines().size();
    m_table->InsertClip();
    if (m_table->lines().size() != rows)
        finish(kAllSteps);
}

// Numbering and totals

void CVes_SetupView2::numberSteel(int share, int all, int continuous)
{
    CVes_SetupTable* table = setupTable();
    if (!table || !numbering::confirmRenumber())
        return;
    // The numbering records its own undo step and marks the list, when it
    // changed a number.
    runTableEdit([table, share, all, continuous] {
        table->numberBehindProgress(share, all, continuous);
    });
}

void CVes_SetupView2::NumSteelAll()
{
    numberSteel(1, 1, 1);
}

void CVes_SetupView2::NumSteelAllNoSame()
{
    numberSteel(0, 1, 1);
}

void CVes_SetupView2::NumSteelOfNoNum()
{
    numberSteel(1, 0, 1);
}

void CVes_SetupView2::NumEleSteel()
{
    numberSteel(0, 1, 0);
}

void CVes_SetupView2::NumEleSteelGui()
{
    numberSteel(1, 1, 0);
}

void CVes_SetupView2::ClearNum()
{
    CVes_SetupTable* table = setupTable();
    if (!table || !numbering::confirmClear())
        return;
    runTableEdit([table] { table->clearNumber(); });
}

void CVes_SetupView2::OnAmount()
{
    runTableEdit([this] { m_table->Amount(); });
}

void CVes_SetupView2::OnAmount(CVes_totalSteelType& options)
{
    if (CVes_SetupTable* table = setupTable())
        runTableEdit([table, &options] { table->Amount(options); });
}

// Shape-dimension stepping

void CVes_SetupView2::EnterEditShapeVar()
{
    CVes_SetupTable* table = setupTable();
    if (!table)
        return;
    if (table->isCurShapeCol(-1)) {
        const CVes_Variable* variable = table->getTabEditVar();
        if (!variable) {
            table->setShapeVarStart();
            variable = table->getTabEditVar();
        }
        m_edited = variable ? barlist::EditedVariable{barlist::EditedVariable::Source::Shape,
                                                      variable->m_text}
                            : barlist::EditedVariable{};
    }
    repaintView();
}

void CVes_SetupView2::TabEditShapeVar()
{
    CVes_SetupTable* table = setupTable();
    if (!table)
        return;
    const CVes_Variable* variable = table->isCurShapeCol(-1) ? table->getTabEditVar() : nullptr;
    if (variable)
        m_edited = {barlist::EditedVariable::Source::Shape, variable->m_text};
    else
        table->SelectNextCol();
    repaintView();
}

// Import and check

QString CVes_SetupView2::askImportPath()
{
    return askImportFile(QStringLiteral("钢筋配料单(*.pld)"));
}

int CVes_SetupView2::importFrom()
{
    CVes_SetupTable* table = setupTable();
    if (!table)
        return 0;
    const QString path = askImportPath();
    if (path.isEmpty())
        return 0;
    bool newer = false;
    std::unique_ptr<CVes_SetupTable> other = table->readBarListFile(path, &newer);
    if (!other) {
        platform::showMessage(newer ? kNewerVersion : QStringLiteral("无法读取文件：%1").arg(path),
                              platform::MessageIcon::Stop);
        return 0;
    }
    const int unit = table->m_units.value(CVes_SetupTable::kColShape, CVes_Template::kMillimetre);
    if (other->m_units.value(CVes_SetupTable::kColShape, CVes_Template::kMillimetre) != unit) {
        platform::showMessage(kOtherShapeUnit);
        return 0;
    }
    // The rows that only fill the last page go; the other list's follow.
    table->clearNullLineOfEnd();
    table->append(other.get());
    finish(kRepaint | kNotify | kModified);
    return 1;
}

void CVes_SetupView2::checkTable()
{
    if (CVes_SetupTable* table = setupTable())
        table->checkTable();
}

// Element units, sketches and connections

void CVes_SetupView2::EditUnitLine(CVes_SetupTableLine* line)
{
    CVes_SetupTable* table = setupTable();
    if (!table || !line || line->getType() != Line::kUnitLine)
        return;
    CUnitEditDlg dlg(this);
    dlg.load(*table, *line);
    if (dlg.exec() == QDialog::Accepted) {
        dlg.store(*table, *line);
        table->AddUndo();
        table->setModified(1);
    }
    // Told in both cases, as the dialog may have been the first look at a
    // new unit line.
    finish(kNotify | kModified);
}

void CVes_SetupView2::EditImageLine(CVes_SetupTableLine* line)
{
    if (!m_table || !line || !line->isImageLine() || line->getLock())
        return;
    CSteelRecordId key(-1, -1);
    if (chooseStart(&key) != 1 || key.isNull())
        return;
    line->getImage()->setRecordId(key);
    line->setNull(0);
    finish(kUndoStep | kRepaint | kNotify | kModified);
}

void CVes_SetupView2::EditMidConnect()
{
    runListCommand(&CVes_SetupTable::batchEditMidConnect);
}

// Calculators and remarks

void CVes_SetupView2::runListCommand(void (CVes_SetupTable::*command)())
{
    if (CVes_SetupTable* table = setupTable())
        runTableEdit([table, command] { (table->*command)(); });
}

void CVes_SetupView2::calSelectLineSteelWallZhuGujin()
{
    runListCommand(&CVes_SetupTable::calSelectLineSteelWallZhuGujin);
}

void CVes_SetupView2::calSelectLineSteelZhuGujin()
{
    runListCommand(&CVes_SetupTable::calSelectLineSteelZhuGujin);
}

void CVes_SetupView2::calSellineSteelGenshu(int method)
{
    if (CVes_SetupTable* table = setupTable())
        runTableEdit([table, method] { table->calSellineSteelGenshu(method); });
}

void CVes_SetupView2::calSellineSteelJieTouMaogu()
{
    runListCommand(&CVes_SetupTable::calSellineSteelJieTouMaogu);
}

void CVes_SetupView2::MergeRemark()
{
    runListCommand(&CVes_SetupTable::MergeRemark);
}

void CVes_SetupView2::unMergeRemark()
{
    runListCommand(&CVes_SetupTable::unMergeRemark);
}
