#pragma once
// A document window: the frame around a document's view, shown as one tab
// of the main window's document area. A frame is any widget that also
// derives from ChildFrame; MdiChildWnd is the plain one, and frames with
// their own command bars derive from the toolkit's frame and ChildFrame.
//
// A frame routes commands to its active view, then to the view's document,
// then to itself. Closing the last frame of a modified document asks first.

#include "platform/ui/commandtarget.h"

#include <QPointer>
#include <QWidget>

namespace platform {

class Document;
class View;

class ChildFrame : public CommandTarget {
public:
    explicit ChildFrame(QWidget* self);
    ~ChildFrame() override;
    ChildFrame(const ChildFrame&) = delete;
    ChildFrame& operator=(const ChildFrame&) = delete;

    QWidget* widget() const { return m_self; }
    View* GetActiveView() const;
    // Makes `view` the active view; with bNotify both views hear of it.
    void SetActiveView(View* view, bool bNotify = true);
    Document* GetActiveDocument() const;

    // Puts `view` into the frame as its client: the central widget of a
    // main-window frame, otherwise filling the frame.
    virtual void placeView(QWidget* view);

    // Offers a command to the active view, its document and the frame.
    bool routeCmdMsg(int nID, CommandState* state);

    // Asks before the frame closes (the document, when this is its last
    // frame); true when the frame may close. Closing the last frame closes
    // the document.
    bool queryClose();
    // Closes the frame's window without asking.
    void destroyFrame();

    // The frame became, or stopped being, the active document window.
    virtual void OnFrameActivated(bool bActive);
    // Shows the document's title (with a mark while it is modified).
    virtual void OnUpdateFrameTitle();

private:
    QWidget* m_self;
    QPointer<QWidget> m_activeView;
};

// The plain document window: the view fills it.
class MdiChildWnd : public QWidget, public ChildFrame {
    Q_OBJECT
public:
    explicit MdiChildWnd(QWidget* parent = nullptr);
};

} // namespace platform
