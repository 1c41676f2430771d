#pragma once
// A stack of titled panes of which one is open: the titles run down the
// window at full width and the open pane's content fills the space under
// its title. Clicking a title opens its pane.

#include "shapeui/panetitlebutton.h"

#include <QPointer>
#include <QWidget>

#include <memory>
#include <vector>

class CVes_PaneStack : public QWidget {
    Q_OBJECT
public:
    explicit CVes_PaneStack(QWidget* parent = nullptr);
    ~CVes_PaneStack() override;

    // Closes every pane and appends a new open one with a title button
    // showing `title`; `content` becomes a child of the stack. Answers the
    // pane's index, or -1 when it could not be added.
    int AddPane(const QString& title, QWidget* content, qintptr value = 0);
    // Opens a pane and closes the others, without a notice.
    void OpenPane(int index);

    int GetPaneCount() const { return int(m_panes.size()); }
    // The open pane, or -1.
    int GetOpenPane() const;
    bool IsPaneOpen(int index) const;
    CVes_PaneTitleButton* GetPaneTitle(int index) const;
    QWidget* GetPaneContent(int index) const;
    qintptr GetPaneValue(int index) const;
    int GetTitleHeight() const { return m_nTitleHeight; }

    // Places titles and contents in the client area.
    void RecalcLayout();

Q_SIGNALS:
    // WM_VES_PANECLICKED to the parent: a click on a title opened `content`.
    void paneClicked(QWidget* content);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Pane {
        QPointer<CVes_PaneTitleButton> title;
        QPointer<QWidget> content;
        bool open = false;
        qintptr value = 0;
    };
    // Opens the pane and closes the others; answers whether anything changed.
    bool openOnly(int index);
    void OnPaneClicked(QWidget* title);

    int m_nTitleHeight = 30;
    std::vector<std::unique_ptr<Pane>> m_panes;
};
