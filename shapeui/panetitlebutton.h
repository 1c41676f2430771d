#pragma once
// The title of a pane in a pane stack: a shaded button that reports a
// click to the stack.

#include "shapeui/shadebutton.h"

// The notice of a clicked pane title (to the stack, with the title) and of
// an opened pane (from the stack to its parent, with the pane's content).
inline constexpr unsigned WM_VES_PANECLICKED = 0x8840;

class CVes_PaneTitleButton : public CVes_ShadeButton {
    Q_OBJECT
public:
    explicit CVes_PaneTitleButton(QWidget* parent = nullptr);
    explicit CVes_PaneTitleButton(const QString& text, QWidget* parent = nullptr);

Q_SIGNALS:
    // WM_VES_PANECLICKED with this title.
    void paneClicked(QWidget* title);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void init();
    void applyShade();
};
