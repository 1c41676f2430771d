#include "app/documents/busydlg.h"

#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

CBusyDlg::CBusyDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_progress(new QProgressBar(this))
{
    setObjectName(QStringLiteral("busy272"));
    setModal(false);
    setAttribute(Qt::WA_ShowWithoutActivating);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("正在转换中……请稍等片刻"), this);
    text->setAlignment(Qt::AlignCenter);
    layout->addWidget(text);
    m_progress->setRange(0, kFull);
    m_progress->setTextVisible(false);
    layout->addWidget(m_progress);
    setStyleSheet(QStringLiteral("CBusyDlg { border: 2px outset palette(mid); }"));
    // 187 by 43 dialog units.
    setFixedSize(280, 70);
    m_timer.setInterval(kTickMs);
    connect(&m_timer, &QTimer::timeout, this, &CBusyDlg::OnTimer);
}

void CBusyDlg::OnTimer()
{
    m_nCounter = m_nCounter >= kFull ? 0 : m_nCounter + 1;
    m_progress->setValue(m_nCounter);
}

void CBusyDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (QWidget* owner = parentWidget())
        move(owner->mapToGlobal(owner->rect().center()) - rect().center());
    m_timer.start();
}

void CBusyDlg::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QDialog::hideEvent(event);
}
