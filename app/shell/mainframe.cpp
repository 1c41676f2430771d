#include "app/shell/mainframe.h"

#include <QLabel>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent)
{
    setWindowTitle(QStringLiteral("Rodo表"));
    auto* placeholder = new QLabel(QStringLiteral("开始"), this);
    placeholder->setAlignment(Qt::AlignCenter);
    setCentralWidget(placeholder);
    resize(1024, 720);
}
