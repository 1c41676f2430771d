#include "shapeui/commonbareditdlg.h"

#include "core/model/modelrecordlib.h"
#include "platform/dc.h"
#include "platform/hostservices.h"
#include "shapeui/inputdlg.h"
#include "shapeui/shapelistctrl.h"
#include "core/model/steelmodeluserid.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace platform::gdi;

namespace {

QPushButton* makeButton(QWidget* parent, int id, const char* text)
{
    auto* button = new QPushButton(QString::fromUtf8(text), parent);
    button->setObjectName(QString::number(id));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* makeEdit(QWidget* parent, int id)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::number(id));
    return edit;
}

} // namespace

CVes_CommonBarEditDlg::CVes_CommonBarEditDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QString::number(IDD));
    setWindowTitle(QStringLiteral("常用钢筋编辑"));
    setFont(QFont(platform::substituteFace(QStringLiteral("Tahoma")), font().pointSize()));

    m_list = new CVes_ShapeListCtrl(this);
    m_list->setObjectName(QString::number(kIdList));
    m_list->setMinimumSize(520, 320);
    m_nameEdit = makeEdit(this, kIdName);

    QPushButton* addFromLib = makeButton(this, kIdAddFromLib, "从钢筋大样库选择添加");
    QPushButton* remove = makeButton(this, kIdDelete, "删除编号");
    QPushButton* moveUp = makeButton(this, kIdMoveUp, "上移编号");
    QPushButton* moveDown = makeButton(this, kIdMoveDown, "下移编号");
    QPushButton* userNumber = makeButton(this, kIdUserNumber, "添加用户编号");

    auto* batchBox = new QGroupBox(QStringLiteral("直接输入钢筋编号，批量添加常用钢筋形状"), this);
    m_batchEdit = makeEdit(batchBox, kIdBatchText);
    m_exampleEdit = makeEdit(batchBox, kIdExample);
    m_exampleEdit->setReadOnly(true);
    QPushButton* batchAdd = makeButton(batchBox, kIdBatchAdd, "批量加入");
    auto* batchLayout = new QGridLayout(batchBox);
    batchLayout->addWidget(m_batchEdit, 0, 0, 1, 2);
    batchLayout->addWidget(batchAdd, 0, 2);
    batchLayout->addWidget(new QLabel(QStringLiteral("输入格式举例"), batchBox), 1, 0);
    batchLayout->addWidget(m_exampleEdit, 1, 1);
    batchLayout->setColumnStretch(1, 1);

    QPushButton* ok = makeButton(this, IDOK, "确定");
    ok->setDefault(true);
    QPushButton* cancel = makeButton(this, IDCANCEL, "取消");

    auto* commands = new QVBoxLayout;
    for (QPushButton* button : {addFromLib, remove, moveUp, moveDown, userNumber})
        commands->addWidget(button);
    commands->addStretch(1);
    commands->addWidget(ok);
    commands->addWidget(cancel);

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("分类名称"), this), 0, 0);
    layout->addWidget(m_nameEdit, 0, 1);
    layout->addWidget(m_list, 1, 0, 1, 2);
    layout->addLayout(commands, 0, 2, 3, 1);
    layout->addWidget(batchBox, 2, 0, 1, 2);
    layout->setRowStretch(1, 1);
    layout->setColumnStretch(1, 1);

    connect(addFromLib, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::OnAddFromLib);
    connect(remove, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::OnDelete);
    connect(moveUp, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::OnMoveUp);
    connect(moveDown, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::OnMoveDown);
    connect(userNumber, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::OnAddUserNumber);
    connect(batchAdd, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::OnBatchAdd);
    connect(ok, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CVes_CommonBarEditDlg::reject);
}

CVes_CommonBarEditDlg::~CVes_CommonBarEditDlg() = default;

void CVes_CommonBarEditDlg::setRecordArray(const std::vector<CVes_ModelRecord*>& records)
{
    for (const CVes_ModelRecord* record : records) {
        if (!record)
            continue;
        m_idTexts.append(record->getID().ToString());
        m_records.push_back(std::make_unique<CVes_ModelRecord>(record));
    }
}

std::vector<CVes_ModelRecord*> CVes_CommonBarEditDlg::getRecordArray() const
{
    std::vector<CVes_ModelRecord*> records;
    for (const auto& record : m_records)
        records.push_back(record.get());
    return records;
}

int CVes_CommonBarEditDlg::DoModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted ? IDOK : IDCANCEL;
}

void CVes_CommonBarEditDlg::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    UpdateData(false);
    if (m_startLib) {
        m_list->setThumbnailSize(90, 70);
    } else {
        m_list->setThumbnailSize(150, 30);
        m_list->SetIconSpacing(150, 80);
    }
    // Start styles have user numbers of their own; the captions show those.
    m_list->setStartLib(m_startLib);
    m_list->setDrawOption1(0);
    m_list->SetTextColor(RGB(127, 127, 127));
    refresh();
}

void CVes_CommonBarEditDlg::UpdateData(bool save)
{
    if (save) {
        m_categoryName = m_nameEdit->text();
        m_batchText = m_batchEdit->text();
        m_exampleText = m_exampleEdit->text();
    } else {
        m_nameEdit->setText(m_categoryName);
        m_batchEdit->setText(m_batchText);
        m_exampleEdit->setText(m_exampleText);
    }
}

void CVes_CommonBarEditDlg::accept()
{
    UpdateData(true);
    QDialog::accept();
}

bool CVes_CommonBarEditDlg::contains(CSteelRecordId key) const
{
    for (const auto& record : m_records) {
        if (record->getID() == key)
            return true;
    }
    return false;
}

void CVes_CommonBarEditDlg::appendCopy(const CVes_ModelRecord* record)
{
    m_records.push_back(std::make_unique<CVes_ModelRecord>(record));
}

void CVes_CommonBarEditDlg::refresh()
{
    m_list->setRecords(&m_records);
}

void CVes_CommonBarEditDlg::selectItem(int item)
{
    m_list->SetItemState(item, CVes_ShapeListCtrl::LVIS_SELECTED, CVes_ShapeListCtrl::LVIS_SELECTED);
    m_list->setFocus();
}

int CVes_CommonBarEditDlg::firstSelectedRecordItem() const
{
    for (int i = 0; i < m_list->GetItemCount() && i < int(m_records.size()); ++i) {
        if (m_list->GetItemState(i, CVes_ShapeListCtrl::LVIS_SELECTED))
            return i;
    }
    return -1;
}

int CVes_CommonBarEditDlg::lastSelectedRecordItem() const
{
    for (int i = std::min(m_list->GetItemCount(), int(m_records.size())) - 1; i >= 0; --i) {
        if (m_list->GetItemState(i, CVes_ShapeListCtrl::LVIS_SELECTED))
            return i;
    }
    return -1;
}

void CVes_CommonBarEditDlg::swapRecords(int a, int b)
{
    std::swap(m_records[size_t(a)], m_records[size_t(b)]);
}

void CVes_CommonBarEditDlg::OnAddFromLib()
{
    if (!m_chooser)
        return;
    std::unique_ptr<CVes_ModelRecord> chosen = m_startLib ? std::make_unique<CVes_ModelStart>()
                                                          : std::make_unique<CVes_ModelRecord>();
    if (m_chooser(m_startLib, chosen.get()) != IDOK || chosen->getID().isNull())
        return;
    if (contains(chosen->getID()))
        return;
    appendCopy(chosen.get());
    refresh();
    selectItem(int(m_records.size()) - 1);
}

void CVes_CommonBarEditDlg::OnBatchAdd()
{
    UpdateData(true);
    const QStringList tokens = m_batchText.split(QLatin1Char(';'));
    CVes_ModelRecordMainLib library;
    CVes_ModelStartMainLib startLibrary;
    for (const QString& token : tokens) {
        const CSteelRecordId key = CSteelRecordId::setId(token);
        if (key.m_mainId < 0 || key.m_recordNo < 0 || contains(key))
            continue;
        const CVes_ModelRecord* record =
            m_startLib ? startLibrary.getStartModel(key) : library.getModel(key, 0);
        if (record)
            appendCopy(record);
    }
    refresh();
    selectItem(int(m_records.size()) - 1);
}

void CVes_CommonBarEditDlg::OnDelete()
{
    const int item = lastSelectedRecordItem();
    if (item < 0)
        return;
    m_records.erase(m_records.begin() + item);
    refresh();
    selectItem(item);
}

void CVes_CommonBarEditDlg::OnMoveUp()
{
    const int item = firstSelectedRecordItem();
    if (item > 0) {
        swapRecords(item, item - 1);
        refresh();
        selectItem(item - 1);
    }
    m_list->setFocus();
}

void CVes_CommonBarEditDlg::OnMoveDown()
{
    const int item = lastSelectedRecordItem();
    if (item >= 0 && item + 1 < int(m_records.size())) {
        swapRecords(item, item + 1);
        refresh();
        selectItem(item + 1);
    }
    m_list->setFocus();
}

void CVes_CommonBarEditDlg::OnAddUserNumber()
{
    const int item = firstSelectedRecordItem();
    if (item < 0)
        return;
    const CSteelRecordId key = m_records[size_t(item)]->getID();

    CVes_SteelModelUserIdLib ids;
    if (!ids.readForChange(m_startLib != 0))
        return;

    CVes_InputDlg input(this);
    input.set(QStringLiteral("钢筋大样用户自定义编号"), QStringLiteral("输入自定义编号"), QString());
    if (input.DoModal() != CVes_InputDlg::IDOK)
        return;
    const QString number = input.getText();
    if (ids.addRecord(key, number, 0) != 1) {
        const CSteelRecordId owner = ids.getRecordId(number);
        const QString question = QStringLiteral("用户自定义编号[%1]已经用于[%2-%3],是否继续？")
                                     .arg(number)
                                     .arg(owner.m_mainId)
                                     .arg(owner.m_recordNo);
        if (platform::ask(question, platform::Buttons::YesNo) == platform::Answer::Yes)
            ids.addRecord(key, number, 1);
    }
    const bool written = m_startLib ? ids.writeStartFile(QString()) : ids.writeFile(QString());
    if (!written) {
        platform::showMessage(QStringLiteral("不能保存用户自定义编号文件%1")
                                  .arg(m_startLib ? CVes_SteelModelUserIdLib::startFilePath()
                                                  : CVes_SteelModelUserIdLib::steelFilePath()),
                              platform::MessageIcon::Stop);
    }
    refresh();
}
