// The library manager's editing commands: categories, shapes, their order
// and their numbers.

#include "shapeui/modellibdlg.h"

#include "core/model/recordcache.h"
#include "platform/hostservices.h"
#include "shapeui/inputdlg.h"
#include "shapeui/savetocategorydlg.h"
#include "shapeui/shapeeditordlg.h"
#include "shapeui/shapelistctrl.h"
#include "core/model/steelmodeluserid.h"

#include <QDir>
#include <QListWidget>

namespace {

CVes_ModelLibDlg::ShapeEditor& shapeEditor()
{
    static CVes_ModelLibDlg::ShapeEditor editor;
    return editor;
}

CVes_ModelLibDlg::SaveToChooser& saveToChooser()
{
    static CVes_ModelLibDlg::SaveToChooser chooser;
    return chooser;
}

// Reads a number like atoi: blanks and a sign first, digits up to the
// first other character, 0 without digits.
int atoiText(const QString& text)
{
    int i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+')))
        negative = text.at(i++) == QLatin1Char('-');
    long long value = 0;
    for (; i < text.size() && text.at(i) >= QLatin1Char('0') && text.at(i) <= QLatin1Char('9'); ++i) {
        value = value * 10 + (text.at(i).unicode() - '0');
        if (value > 0x7fffffff)
            return 0;
    }
    return int(negative ? -value : value);
}

} // namespace

void CVes_ModelLibDlg::setShapeEditor(ShapeEditor editor)
{
    shapeEditor() = std::move(editor);
}

void CVes_ModelLibDlg::setSaveToChooser(SaveToChooser chooser)
{
    saveToChooser() = std::move(chooser);
}

bool CVes_ModelLibDlg::newCategory()
{
    CVes_InputDlg input(this);
    input.set(QStringLiteral("创建钢筋库子类"), QStringLiteral("输入子类名称"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return false;
    if (!m_pCurLib->AddNewSubLib(input.getText(), side()))
        return false;
    fillSubLibList(side());
    return true;
}

void CVes_ModelLibDlg::deleteCategory()
{
    if (!isEditable())
        return;
    CVes_ModelRecordSubLib* subLib = selectedSubLib(side());
    if (!subLib)
        return;
    if (platform::ask(QStringLiteral("确定要删除选中的钢筋类别及其所属的所有钢筋大样吗？"), platform::Buttons::YesNo,
                      QStringLiteral("请再次确认"))
        != platform::Answer::Yes)
        return;
    if (subLib == m_pShownSubLib)
        showSubLib(nullptr);
    m_pCurLib->removeSubLib(subLib, side());
    const int isSys = side();
    fillSubLibList(isSys);
    m_lastSubLibIndex = -1;
    QListWidget* list = subLibList(isSys);
    if (list->count() > 0) {
        m_filling = true;
        list->setCurrentRow(0);
        m_filling = false;
        m_bSys = isSys;
        m_lastSubLibIndex = 0;
        showSubLib(selectedSubLib(isSys));
    } else {
        showSubLib(nullptr);
    }
}

void CVes_ModelLibDlg::renameCategory()
{
    if (!isEditable())
        return;
    CVes_ModelRecordSubLib* subLib = selectedSubLib(side());
    if (!subLib)
        return;
    CVes_InputDlg input(this);
    input.set(QStringLiteral("重命名钢筋库子类"), QStringLiteral("输入子类名称"), subLib->name());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    subLib->changName(input.getText());
    fillSubLibList(side());
}

void CVes_ModelLibDlg::changeSubLibId()
{
    if (!isEditable())
        return;
    const int isSys = side();
    CVes_ModelRecordSubLib* subLib = selectedSubLib(isSys);
    if (!subLib)
        return;
    CVes_InputDlg input(this);
    input.set(QStringLiteral("重新编号钢筋库子类"), QStringLiteral("输入子类新的编号"),
              QString::number(subLib->MainId()));
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    const int id = atoiText(input.getText());
    if (id == 0 || id == subLib->MainId())
        return;
    // Keys must stay unique and on their side of the library, else shapes
    // of the sub-library could no longer be found by their keys.
    const int low = isSys ? CVes_ModelRecordMainLib::m_SysStartIndex : CVes_ModelRecordMainLib::m_UseStartIndex;
    const int high = isSys ? CVes_ModelRecordMainLib::m_UseStartIndex - 1 : 399;
    bool taken = false;
    for (SubLibArray* libs : {&m_pCurLib->getSyslibArray(), &m_pCurLib->getUselibArray()}) {
        for (const auto& lib : *libs)
            taken = taken || (lib.get() != subLib && lib->MainId() == id);
    }
    if (taken || id < low || id > high) {
        platform::showMessage(QStringLiteral("子库编号%1已被使用，或不在%2至%3之间！").arg(id).arg(low).arg(high),
                              platform::MessageIcon::Warning);
        return;
    }
    subLib->changeMainId(id);
    m_pCurLib->sortSubLib(isSys);
    fillSubLibList(isSys);
    if (subLib == m_pShownSubLib)
        refreshShapes();
}

void CVes_ModelLibDlg::newShape(const CVes_ModelRecord* from)
{
    if (m_pCurLib->getUselibArray().empty() && side() == 0 && !newCategory())
        return;
    std::unique_ptr<CVes_ModelRecord> record = newRecord();
    if (from)
        record->set(from);
    if (editShape(record.get()) != IDOK)
        return;
    addToCategory(record.get());
}

void CVes_ModelLibDlg::addToCategory(const CVes_ModelRecord* record)
{
    SubLibArray& libs = side() ? m_pCurLib->getSyslibArray() : m_pCurLib->getUselibArray();
    CVes_ModelRecordSubLib* target = nullptr;
    if (const SaveToChooser& chooser = saveToChooser()) {
        if (chooser(libs, &target) != IDOK || !target)
            return;
    } else {
        CSaveToCategoryDlg saveTo(this);
        saveTo.setCategoryArray(&libs);
        if (saveTo.DoModal() != CSaveToCategoryDlg::IDOK || !saveTo.chosenCategory())
            return;
        target = saveTo.chosenCategory();
    }
    const CSteelRecordId key = target->Add_Copy(record);
    if (target == m_pShownSubLib) {
        refreshShapes();
        for (int i = 0; i < int(m_pShowRecords->size()); ++i) {
            if ((*m_pShowRecords)[size_t(i)]->getID() == key)
                selectAndShow(i);
        }
    }
    if (backUp())
        save();
}

int CVes_ModelLibDlg::editShape(CVes_ModelRecord* record)
{
    if (const ShapeEditor& editor = shapeEditor())
        return editor(record, m_libType);
    CShapeEditorDlg editor(this);
    editor.setEditRecord(record);
    return editor.DoModal() == IDOK ? IDOK : IDCANCEL;
}

void CVes_ModelLibDlg::modifyShape()
{
    if (!isEditable())
        return;
    CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    std::unique_ptr<CVes_ModelRecord> copy = newRecord();
    copy->set(selected);
    if (editShape(copy.get()) != IDOK)
        return;
    const bool backedUp = backUp();
    const int item = m_pShowRecords ? int(std::find_if(m_pShowRecords->begin(), m_pShowRecords->end(),
                                                       [selected](const auto& r) { return r.get() == selected; })
                                          - m_pShowRecords->begin())
                                    : -1;
    selected->set(copy.get());
    refreshShapes();
    selectAndShow(item);
    if (backedUp) {
        saveSide(0);
        if (m_bManage)
            saveSide(1);
    }
    refreshTheUseRecordArray();
}

void CVes_ModelLibDlg::copyShape()
{
    const CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    m_pCopyRecord = newRecord();
    m_pCopyRecord->set(selected);
}

void CVes_ModelLibDlg::removeSelectedShape()
{
    CVes_ModelRecord* selected = getSelectShape();
    if (!selected || !m_pShowRecords)
        return;
    auto& records = *m_pShowRecords;
    records.erase(std::remove_if(records.begin(), records.end(),
                                 [selected](const auto& r) { return r.get() == selected; }),
                  records.end());
    refreshShapes();
}

void CVes_ModelLibDlg::cutShape()
{
    if (!isEditable() || !getSelectShape())
        return;
    copyShape();
    removeSelectedShape();
}

void CVes_ModelLibDlg::deleteShape()
{
    if (!isEditable())
        return;
    removeSelectedShape();
}

void CVes_ModelLibDlg::pasteShape()
{
    if (!isEditable()) {
        platform::showMessage(QStringLiteral("系统库不能新建大样"));
        return;
    }
    if (!m_pCopyRecord || !m_pShowRecords)
        return;
    CVes_ModelRecordSubLib* target = selectedSubLib(side());
    if (!target)
        return;
    target->Add_Copy(m_pCopyRecord.get());
    refreshShapes();
}

void CVes_ModelLibDlg::selectAndShow(int item)
{
    if (item < 0 || item >= m_list->GetItemCount())
        return;
    selectShape(item);
    m_list->EnsureVisible(item);
    m_list->setCurrentRow(item, QItemSelectionModel::NoUpdate);
    m_list->setFocus();
}

void CVes_ModelLibDlg::OnMoveForward()
{
    if (!isEditable() || !m_pShowRecords)
        return;
    const int item = m_list->nextSelectedItem(-1);
    if (item <= 0 || item >= int(m_pShowRecords->size()))
        return;
    std::swap((*m_pShowRecords)[size_t(item)], (*m_pShowRecords)[size_t(item - 1)]);
    refreshShapes();
    selectAndShow(item - 1);
}

void CVes_ModelLibDlg::OnMoveBack()
{
    if (!isEditable() || !m_pShowRecords)
        return;
    const CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    int item = -1;
    for (int i = 0; i < int(m_pShowRecords->size()); ++i) {
        if ((*m_pShowRecords)[size_t(i)].get() == selected)
            item = i;
    }
    if (item < 0 || item + 1 >= int(m_pShowRecords->size()))
        return;
    std::swap((*m_pShowRecords)[size_t(item)], (*m_pShowRecords)[size_t(item + 1)]);
    refreshShapes();
    selectAndShow(item + 1);
}

void CVes_ModelLibDlg::OnMoveTo()
{
    if (!isEditable() || !m_pShowRecords)
        return;
    const CVes_ModelRecord* moved = getSelectShape();
    if (!moved)
        return;
    CVes_InputDlg input(this);
    input.set(QStringLiteral("请输入移动位置"), QStringLiteral("请输入移动到哪个编号位置"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    const CSteelRecordId key = CSteelRecordId::setId(input.getText());
    if (key.m_mainId < 0 || key.m_recordNo < 0)
        return;
    auto& records = *m_pShowRecords;
    const auto target = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r->getID() == key; });
    if (target == records.end() || target->get() == moved)
        return;
    const auto from = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r.get() == moved; });
    std::unique_ptr<CVes_ModelRecord> taken = std::move(*from);
    records.erase(from);
    const auto before = std::find_if(records.begin(), records.end(), [&](const auto& r) { return r->getID() == key; });
    const int item = int(before - records.begin());
    records.insert(before, std::move(taken));
    refreshShapes();
    selectAndShow(item);
}

void CVes_ModelLibDlg::OnUserNumber()
{
    const CVes_ModelRecord* selected = getSelectShape();
    if (!selected)
        return;
    const bool start = m_libType == kStartLib;
    CVes_SteelModelUserIdLib ids;
    if (!ids.readForChange(start))
        return;
    CVes_InputDlg input(this);
    input.set(start ? QStringLiteral("图例用户自定义编号") : QStringLiteral("钢筋大样用户自定义编号"),
              QStringLiteral("输入自定义编号"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    QString text = input.getText();
    int blanks = 0;
    while (blanks < text.size() && text.at(blanks).isSpace())
        ++blanks;
    text = text.mid(blanks);
    const CSteelRecordId key = selected->getID();
    if (ids.addRecord(key, text, 0) == 0) {
        const CSteelRecordId owner = ids.getRecordId(text);
        if (platform::ask(QStringLiteral("用户自定义编号[%1]已经用于[%2-%3],是否继续？")
                              .arg(text)
                              .arg(owner.m_mainId)
                              .arg(owner.m_recordNo))
            == platform::Answer::Yes)
            ids.addRecord(key, text, 1);
    }
    const bool written = start ? ids.writeStartFile(QString()) : ids.writeFile(QString());
    if (!written)
        platform::showMessage(QStringLiteral("用户自定义编号保存失败：\n%1")
                                  .arg(QDir::toNativeSeparators(start ? CVes_SteelModelUserIdLib::startFilePath()
                                                                      : CVes_SteelModelUserIdLib::steelFilePath())),
                              platform::MessageIcon::Stop);
    const int item = m_list->nextSelectedItem(-1);
    refreshShapes();
    selectAndShow(item);
}

void CVes_ModelLibDlg::OnSave()
{
    if (!m_bManage)
        return;
    m_ver1 = m_verEdits[0]->text().toInt();
    m_ver2 = m_verEdits[1]->text().toInt();
    m_ver3 = m_verEdits[2]->text().toInt();
    m_pCurLib->setVer(m_ver1, m_ver2, m_ver3);
    saveSide(1);
}

void CVes_ModelLibDlg::OnShapeDoubleClicked()
{
    if (m_bManage)
        OnCommand(ID_MODIFY_SHAPE);
    else
        accept();
}

void CVes_ModelLibDlg::OnEndLabelEdit(int item, const QString& text)
{
    if (!m_bManage || !m_pShowRecords || item < 0 || item >= int(m_pShowRecords->size()))
        return;
    CVes_ModelRecord* record = (*m_pShowRecords)[size_t(item)].get();
    const int dash = text.indexOf(QLatin1Char('-'));
    const int number = atoiText(dash >= 0 ? text.mid(dash + 1) : text);
    // A number must be positive and unique in its sub-library, or two
    // shapes would answer to one key.
    const bool taken = std::any_of(m_pShowRecords->begin(), m_pShowRecords->end(), [&](const auto& r) {
        return r.get() != record && r->m_id.m_recordNo == number;
    });
    if (number < 1 || taken) {
        platform::showMessage(QStringLiteral("编号%1无效或已被使用！").arg(number), platform::MessageIcon::Warning);
        m_filling = true;
        m_list->item(item)->setText(m_list->captions().value(item));
        m_filling = false;
        return;
    }
    record->m_id.m_recordNo = number;
}
