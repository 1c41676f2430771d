#pragma once
// The processing-sheet and quantity-sheet document windows share this
// frame: the "钢筋规格" toolbar, the bar-property pane that the user shows or
// hides (32792), and the auto-save timer.

#include "app/documents/documentframe.h"

class CRODOProcessFrame : public DocumentFrame {
    Q_OBJECT
public:
    explicit CRODOProcessFrame(QWidget* parent = nullptr);

    bool isPaneVisible() const { return m_bPaneVisible; }
    void showPanesForTab(int tab) override;

protected:
    bool createToolBars() override;
    void createPanes() override;
    void addCommands() override;

    bool m_bPaneVisible = true;
};
