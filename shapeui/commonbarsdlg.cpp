#include "shapeui/commonbarsdlg.h"

#include "platform/gdi.h"
#include "shapeui/bendkitexports.h"
#include "shapeui/shapelistctrl.h"
#include "shapeui/themedtabctrl.h"

#include <QPushButton>
#include <QVBoxLayout>

using namespace platform::gdi;

int& CVes_CommonBarsDlg::rememberedTab()
{
    static int tab = 0;
    return tab;
}

CVes_CommonBarsDlg::CVes_CommonBarsDlg(QWidget* parent)
    : ShapeChooserDlg(IDD, kIdTab, kIdList, parent)
{
    setWindowTitle(QStringLiteral("常用钢筋"));
    m_tab->setMinimumSize(260, 420);
    auto* fromLib = new QPushButton(QStringLiteral("更多钢筋，从钢筋库选择"), this);
    fromLib->setObjectName(QString::number(kIdFromLib));
    fromLib->setAutoDefault(false);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tab, 1);
    layout->addWidget(fromLib);
    layout->addLayout(okCancelButtons(QStringLiteral("调用所选钢筋")));

    connect(fromLib, &QPushButton::clicked, this, &CVes_CommonBarsDlg::OnFromLibrary);
    connect(m_tab, &CVes_ThemedTabCtrl::selChanged, this, &CVes_CommonBarsDlg::OnTabChanged);
}

void CVes_CommonBarsDlg::placeList()
{
    ShapeChooserDlg::placeList();
    setColumnSpacing();
}

void CVes_CommonBarsDlg::setColumnSpacing()
{
    // One thumbnail a row, as wide as the list. A list view never lets
    // icons overlap, so a row is at least a thumbnail high.
    m_list->SetIconSpacing(std::max(1, m_list->viewport()->width() - 2), m_list->thumbnailHeight() + 4);
}

void CVes_CommonBarsDlg::OnInitDialog()
{
    if (m_initialised)
        return;
    m_initialised = true;
    int index = 0;
    for (const CommonBarTab& tab : kCommonBarTabs)
        m_tab->InsertItem(index++, QString::fromUtf8(tab.caption));
    m_tab->ModifyStyle(CVes_ThemedTabCtrl::TCS_MULTILINE | CVes_ThemedTabCtrl::TCS_RIGHT,
                       CVes_ThemedTabCtrl::TCS_VERTICAL);

    m_list->setThumbnailSize(110, 20);
    m_list->setInsertMask(CVes_ShapeListCtrl::LVIF_IMAGE | CVes_ShapeListCtrl::LVIF_PARAM);
    m_list->setThumbnailBkColor(RGB(0xDA, 0xDA, 0xDA));
    m_list->setDrawOption1(0);
    m_list->setDrawOption2(0);
    m_list->setUnitsPerInch(130);
    setColumnSpacing();
    m_list->SetTextColor(RGB(255, 255, 255));
    m_list->SetTextBkColor(RGB(0xDA, 0xDA, 0xDA));
    m_list->SetBkColor(RGB(0xDA, 0xDA, 0xDA));

    int& tab = rememberedTab();
    if (tab < 0 || tab >= kCommonBarListTabCount)
        tab = 0;
    loadTab(tab);
    showTab(tab);
    m_tab->SetCurSel(tab);
}

void CVes_CommonBarsDlg::loadTab(int tab)
{
    if (tab < 0 || tab >= kCommonBarListTabCount)
        return;
    std::vector<CVes_ModelRecord*>& list = m_lists[size_t(tab)];
    if (list.empty())
        m_pool.load(readListFile(QString::fromUtf8(kCommonBarTabs[tab].listFile)), list);
}

void CVes_CommonBarsDlg::showTab(int tab)
{
    m_pShowRecords = &m_lists[size_t(tab)];
    m_list->setRecords(m_pShowRecords);
}

void CVes_CommonBarsDlg::OnTabChanged(int tab)
{
    if (tab >= 0 && tab < kCommonBarListTabCount) {
        rememberedTab() = tab;
        loadTab(tab);
        showTab(tab);
    } else if (tab == kLibraryTab) {
        OnFromLibrary();
    }
}

void CVes_CommonBarsDlg::OnFromLibrary()
{
    CVes_ModelRecord chosen;
    if (getSteelModel(&chosen) != 1 || chosen.getID().isNull())
        return;
    CVes_ModelRecord* mine = m_pool.adopt(&chosen);
    m_key = mine->getID();
    remember(mine);
    QDialog::accept();
}

void CVes_CommonBarsDlg::remember(CVes_ModelRecord* record)
{
    // The recent list is read before it changes, so that none of it is lost
    // when its tab was never opened.
    loadTab(0);
    std::vector<CVes_ModelRecord*>& recent = m_lists[0];
    if (record && !containsEqual(recent, record))
        recent.insert(recent.begin(), record);
    writeListFile(QString::fromUtf8(kCommonBarTabs[0].listFile), recordKeys(recent), kRecentListLimit);
}

void CVes_CommonBarsDlg::accept()
{
    CVes_ModelRecord* chosen = nullptr;
    if (m_pShowRecords) {
        const int limit = std::min(m_list->GetItemCount(), int(m_pShowRecords->size()));
        for (int i = limit - 1; i >= 0; --i) {
            if (m_list->GetItemState(i, CVes_ShapeListCtrl::LVIS_SELECTED)) {
                chosen = (*m_pShowRecords)[size_t(i)];
                break;
            }
        }
    }
    if (chosen)
        m_key = chosen->getID();
    remember(chosen);
    QDialog::accept();
}
