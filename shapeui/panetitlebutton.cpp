#include "shapeui/panetitlebutton.h"

#include <QResizeEvent>

CVes_PaneTitleButton::CVes_PaneTitleButton(QWidget* parent) : CVes_ShadeButton(parent)
{
    init();
}

CVes_PaneTitleButton::CVes_PaneTitleButton(const QString& text, QWidget* parent)
    : CVes_ShadeButton(text, parent)
{
    init();
}

void CVes_PaneTitleButton::init()
{
    applyShade();
    connect(this, &QAbstractButton::clicked, this, [this] { Q_EMIT paneClicked(this); });
}

void CVes_PaneTitleButton::applyShade()
{
    SetShade(SHS_DIAGSHADE, 8, 10, 0, 0);
}

void CVes_PaneTitleButton::resizeEvent(QResizeEvent* event)
{
    CVes_ShadeButton::resizeEvent(event);
    applyShade();
}
