#include "tables/barlist/ui/selecteledlg.h"

#include "tables/barlist/setuptable.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

int CVes_SetupTable::selectEleHuizong()
{
    QList<int> pages;
    CVes_SelectEleDlg dialog(QApplication::activeWindow());
    dialog.setEleList(getAllEleList(pages));
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    m_huizong.m_elements = dialog.chosen();
    return 1;
}

CVes_SelectEleDlg::CVes_SelectEleDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("选择构件"));
    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    m_tree->setRootIsDecorated(true);
    m_tree->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_tree->setAllColumnsShowFocus(true);

    m_ok = new QPushButton(QStringLiteral("确定"), this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    m_ok->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tree);
    layout->addLayout(buttons);
    resize(460, 300);

    connect(m_ok, &QPushButton::clicked, this, &CVes_SelectEleDlg::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CVes_SelectEleDlg::reject);
}

void CVes_SelectEleDlg::setEleList(const QList<CVes_SetupTableLine*>& elements)
{
    m_elements = elements;
    m_tree->clear();
    for (qsizetype i = 0; i < elements.size(); ++i) {
        auto* item = new QTreeWidgetItem(m_tree, QStringList{elements[i]->getElement()});
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Unchecked);
        // The row is found by its place in the list, never by a pointer the
        // item keeps.
        item->setData(0, Qt::UserRole, int(i));
    }
}

void CVes_SelectEleDlg::accept()
{
    m_chosen.clear();
    for (int i = 0; i < m_tree->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = m_tree->topLevelItem(i);
        const int index = item->data(0, Qt::UserRole).toInt();
        if (item->checkState(0) == Qt::Checked && index >= 0 && index < m_elements.size())
            m_chosen.append(m_elements[index]);
    }
    QDialog::accept();
}
