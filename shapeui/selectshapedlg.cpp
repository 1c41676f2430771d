#include "shapeui/selectshapedlg.h"

#include "core/model/modelrecordlib.h"
#include "platform/gdi.h"
#include "platform/rect.h"
#include "shapeui/bendkitexports.h"
#include "shapeui/commonbareditdlg.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/themedtabctrl.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QTabBar>
#include <QVBoxLayout>

using namespace platform::gdi;

namespace {

std::unique_ptr<CVes_ModelRecord> copyOf(int libKind, const CVes_ModelRecord* record)
{
    if (libKind == kStartLibKind)
        return std::make_unique<CVes_ModelStart>(record);
    return std::make_unique<CVes_ModelRecord>(record);
}

} // namespace

CVes_ModelRecord* ShapePool::findKey(CSteelRecordId key) const
{
    for (const auto& record : m_records) {
        if (record->getID() == key)
            return record.get();
    }
    return nullptr;
}

CVes_ModelRecord* ShapePool::findEqual(const CVes_ModelRecord* record) const
{
    if (!record)
        return nullptr;
    for (const auto& mine : m_records) {
        if (mine.get() == record || mine->isSame(record))
            return mine.get();
    }
    return nullptr;
}

CVes_ModelRecord* ShapePool::adopt(const CVes_ModelRecord* record)
{
    if (!record)
        return nullptr;
    if (CVes_ModelRecord* mine = findEqual(record))
        return mine;
    m_records.push_back(copyOf(m_libKind, record));
    return m_records.back().get();
}

void ShapePool::load(const std::vector<CSteelRecordId>& keys, std::vector<CVes_ModelRecord*>& target)
{
    // The library is opened only when a key is not in the pool yet.
    std::unique_ptr<CVes_ModelRecordMainLib> modelLib;
    std::unique_ptr<CVes_ModelStartMainLib> startLib;
    for (const CSteelRecordId& key : keys) {
        if (key.isNull())
            continue;
        if (CVes_ModelRecord* mine = findKey(key)) {
            target.push_back(mine);
            continue;
        }
        const CVes_ModelRecord* found = nullptr;
        if (m_libKind == kStartLibKind) {
            if (!startLib)
                startLib = std::make_unique<CVes_ModelStartMainLib>();
            found = startLib->getStartModel(key);
        } else {
            if (!modelLib)
                modelLib = std::make_unique<CVes_ModelRecordMainLib>();
            found = modelLib->getModel(key, 0);
        }
        if (!found)
            continue;
        m_records.push_back(copyOf(m_libKind, found));
        target.push_back(m_records.back().get());
    }
}

bool containsEqual(const std::vector<CVes_ModelRecord*>& list, const CVes_ModelRecord* record)
{
    return std::any_of(list.begin(), list.end(), [record](const CVes_ModelRecord* mine) {
        return mine == record || (mine && record && mine->isSame(record));
    });
}

int& CVes_SelectShapeDlg::rememberedTab(int libKind)
{
    static int tabs[2] = {0, 0};
    return tabs[libKind == kStartLibKind ? 1 : 0];
}

CVes_SelectShapeDlg::CVes_SelectShapeDlg(int libKind, QWidget* parent)
    : ShapeChooserDlg(IDD, kIdTab, kIdList, parent), m_pool(libKind), m_libType(libKind)
{
    setWindowTitle(QStringLiteral("选择钢筋形状"));
    m_tab->setMinimumSize(640, 400);
    m_manage = new QPushButton(QStringLiteral("点击这里，可以进行常用钢筋管理"), this);
    m_manage->setObjectName(QString::number(kIdManage));
    m_manage->setAutoDefault(false);
    QHBoxLayout* buttons = okCancelButtons(QStringLiteral("确定"));
    buttons->insertWidget(0, m_manage);
    buttons->insertStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tab, 1);
    layout->addLayout(buttons);

    connect(m_manage, &QPushButton::clicked, this, &CVes_SelectShapeDlg::OnManage);
    connect(m_tab, &CVes_ThemedTabCtrl::selChanged, this, &CVes_SelectShapeDlg::OnTabChanged);
    m_tab->tabBar()->installEventFilter(this);
    m_list->installEventFilter(this);
}

void CVes_SelectShapeDlg::buildTabs()
{
    m_lists.clear();
    m_tab->DeleteAllItems();
    if (!m_categories.readCategoryFile(m_libType)) {
        // Names and files do not pair up: no tab at all.
        return;
    }
    m_lists.resize(size_t(m_categories.names().size()));
    int index = 0;
    for (const QString& name : m_categories.names())
        m_tab->InsertItem(index++, name);
    m_tab->InsertItem(index, m_libType == kStartLibKind ? QStringLiteral("从示意图库调用")
                                                        : QStringLiteral("从钢筋库调用"));
}

void CVes_SelectShapeDlg::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    m_curTab = rememberedTab(m_libType);
    buildTabs();

    if (m_libType == kStartLibKind) {
        m_list->setThumbnailSize(60, 46);
        m_list->setUnitsPerInch(70);
        m_list->SetIconSpacing(85, 88);
    } else {
        m_list->setThumbnailSize(150, 30);
        m_list->SetIconSpacing(150, 80);
    }
    m_list->setDrawOption1(0);
    // Dark enough to read at a glance; each shape's tooltip says more.
    m_list->SetTextColor(RGB(0x30, 0x30, 0x30));
    m_list->setStartLib(m_libType);

    if (!isCategory(m_curTab))
        m_curTab = m_lists.size() > 1 ? 1 : 0;
    loadTab(m_curTab);
    showTab(m_curTab);
    m_tab->SetCurSel(m_curTab);
    m_list->setFocus();
}

void CVes_SelectShapeDlg::loadTab(int tab)
{
    if (!isCategory(tab))
        return;
    std::vector<CVes_ModelRecord*>& list = m_lists[size_t(tab)];
    if (list.empty())
        m_pool.load(readListFile(m_categories.files().at(tab)), list);
}

void CVes_SelectShapeDlg::showTab(int tab)
{
    m_manage->setEnabled(tab != 0);
    m_pShowRecords = isCategory(tab) ? &m_lists[size_t(tab)] : nullptr;
    m_list->setRecords(m_pShowRecords);
}

void CVes_SelectShapeDlg::OnTabChanged(int tab)
{
    if (m_switching)
        return;
    if (isCategory(tab)) {
        m_curTab = tab;
        loadTab(tab);
        showTab(tab);
        return;
    }
    if (tab == int(m_lists.size()) && tab < m_tab->GetItemCount()) {
        chooseFromLibrary();
    }
}

void CVes_SelectShapeDlg::chooseFromLibrary()
{
    std::unique_ptr<CVes_ModelRecord> chosen = m_libType == kStartLibKind ? std::unique_ptr<CVes_ModelRecord>(new CVes_ModelStart)
                                        : std::make_unique<CVes_ModelRecord>();
    const int result = m_libType == kStartLibKind ? getSteelStart(chosen.get()) : getSteelModel(chosen.get());
    if (result == 1 && !chosen->getID().isNull()) {
        CVes_ModelRecord* mine = m_pool.adopt(chosen.get());
        m_key = mine->getID();
        writeFirstList(mine);
        rememberedTab(m_libType) = m_curTab;
        QDialog::accept();
        return;
    }
    m_switching = true;
    m_tab->SetCurSel(m_curTab);
    m_switching = false;
}

void CVes_SelectShapeDlg::selectTab(int tab)
{
    if (tab < 0 || tab >= m_tab->GetItemCount())
        return;
    m_tab->SetCurSel(tab);
    OnTabChanged(tab);
}

bool CVes_SelectShapeDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return ShapeChooserDlg::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool inList = watched == m_list;
    const bool inTabs = watched == m_tab || watched == m_tab->tabBar();
    if (!inList && !inTabs)
        return ShapeChooserDlg::eventFilter(watched, event);
    const bool keypad = key->modifiers() & Qt::KeypadModifier;
    const int code = key->key();
    if (!keypad && code >= Qt::Key_0 && code <= Qt::Key_7) {
        selectTab(code - Qt::Key_0);
        return true;
    }
    // The keypad's 0 and F15 (and in the list the key left of 1) go to the
    // next tab.
    if ((keypad && code == Qt::Key_0) || code == Qt::Key_F15
        || (inList && (code == Qt::Key_QuoteLeft || code == Qt::Key_AsciiTilde))) {
        selectTab(m_tab->GetCurSel() + 1);
        return true;
    }
    if (inList && code == Qt::Key_Space) {
        accept();
        return true;
    }
    return ShapeChooserDlg::eventFilter(watched, event);
}

void CVes_SelectShapeDlg::OnManage()
{
    if (m_curTab < 1 || !isCategory(m_curTab))
        return;
    CVes_CommonBarEditDlg editor(this);
    editor.m_startLib = m_libType;
    editor.m_categoryName = m_categories.names().at(m_curTab);
    editor.setRecordArray(m_lists[size_t(m_curTab)]);
    editor.setRecordChooser([](int startLib, CVes_ModelRecord* chosen) {
        return startLib ? getSteelStart(chosen) : getSteelModel(chosen);
    });
    if (editor.DoModal() != CVes_CommonBarEditDlg::IDOK)
        return;
    if (editor.m_categoryName != m_categories.names().at(m_curTab)) {
        m_categories.rename(m_curTab, editor.m_categoryName);
        m_switching = true;
        m_tab->SetItemText(m_curTab, editor.m_categoryName);
        m_switching = false;
        m_categories.writeCategoryFile(m_libType);
    }
    // The editor's shapes are its own copies; the pool gets what it lacks.
    std::vector<CVes_ModelRecord*>& list = m_lists[size_t(m_curTab)];
    list.clear();
    for (const CVes_ModelRecord* record : editor.getRecordArray()) {
        if (CVes_ModelRecord* mine = m_pool.findKey(record->getID()))
            list.push_back(mine);
        else
            m_pool.load({record->getID()}, list);
    }
    showTab(m_curTab);
    writeListFile(m_categories.files().at(m_curTab), recordKeys(list), kNoListLimit);
    if (m_list->GetItemCount() > 0)
        m_list->SetItemState(0, CVes_ShapeListCtrl::LVIS_SELECTED, CVes_ShapeListCtrl::LVIS_SELECTED);
    m_list->setFocus();
}

void CVes_SelectShapeDlg::accept()
{
    if (m_pShowRecords) {
        const int limit = std::min(m_list->GetItemCount(), int(m_pShowRecords->size()));
        for (int i = limit - 1; i >= 0; --i) {
            if (m_list->GetItemState(i, CVes_ShapeListCtrl::LVIS_SELECTED)) {
                m_key = (*m_pShowRecords)[size_t(i)]->getID();
                break;
            }
        }
    }
    writeFirstList(nullptr);
    rememberedTab(m_libType) = m_curTab;
    QDialog::accept();
}

void CVes_SelectShapeDlg::writeFirstList(CVes_ModelRecord* front)
{
    if (m_lists.empty())
        return;
    // The list is read before it is written, so that none of it is lost
    // when its tab was never opened.
    loadTab(0);
    std::vector<CVes_ModelRecord*>& first = m_lists[0];
    if (front && !containsEqual(first, front))
        first.insert(first.begin(), front);
    writeListFile(m_categories.files().at(0), recordKeys(first), kFirstCategoryListLimit);
}
