#pragma once
// A view shows a document in a frame. It is a widget of any kind that also
// derives from View (a sheet view, a browser, a container of sheets):
//
//   class StartView : public QTextBrowser, public platform::View {
//   public:
//       StartView(QWidget* parent) : QTextBrowser(parent), platform::View(this) {}
//   };
//
// The view hears from its document (OnUpdate), from the framework when it is
// first shown (OnInitialUpdate) and when it becomes or stops being the
// active view of its frame (OnActivateView). It is a command target: the
// frame offers commands to its active view first.

#include "platform/ui/commandtarget.h"
#include "platform/ui/document.h"

#include <QPointer>

class QWidget;

namespace platform {

class ChildFrame;
class Document;

class View : public CommandTarget {
public:
    explicit View(QWidget* self);
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    QWidget* widget() const { return m_self; }
    Document* GetDocument() const { return m_document; }
    // The frame the view lies in, or null.
    ChildFrame* GetParentFrame() const;

    // Called once, when the frame is first shown; the default calls OnUpdate.
    virtual void OnInitialUpdate();
    // The document changed; the default repaints the view.
    virtual void OnUpdate(View* sender, long lHint);
    virtual void OnActivateView(bool bActivate, View* pActivateView, View* pDeactiveView);

private:
    friend class Document;

    QWidget* m_self;
    QPointer<Document> m_document;
};

} // namespace platform
