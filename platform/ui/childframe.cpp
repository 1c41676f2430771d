#include "platform/ui/childframe.h"

#include "platform/ui/document.h"
#include "platform/ui/view.h"

#include <QMainWindow>
#include <QMdiSubWindow>
#include <QVBoxLayout>

namespace platform {

ChildFrame::ChildFrame(QWidget* self) : m_self(self) {}

ChildFrame::~ChildFrame() = default;

View* ChildFrame::GetActiveView() const
{
    return dynamic_cast<View*>(m_activeView.data());
}

void ChildFrame::SetActiveView(View* view, bool bNotify)
{
    View* previous = GetActiveView();
    if (previous == view)
        return;
    m_activeView = view ? view->widget() : nullptr;
    if (!bNotify)
        return;
    if (previous)
        previous->OnActivateView(false, view, previous);
    if (view)
        view->OnActivateView(true, view, previous);
}

Document* ChildFrame::GetActiveDocument() const
{
    View* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

void ChildFrame::placeView(QWidget* view)
{
    if (auto* window = qobject_cast<QMainWindow*>(m_self)) {
        window->setCentralWidget(view);
        return;
    }
    auto* layout = qobject_cast<QVBoxLayout*>(m_self->layout());
    if (!layout) {
        layout = new QVBoxLayout(m_self);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
    }
    layout->addWidget(view);
}

bool ChildFrame::routeCmdMsg(int nID, CommandState* state)
{
    View* view = GetActiveView();
    return routeCommand({view, GetActiveDocument(), this}, nID, state);
}

bool ChildFrame::queryClose()
{
    Document* document = GetActiveDocument();
    if (!document || document->isClosing())
        return true;
    if (!document->CanCloseFrame(this))
        return false;
    if (document->frames().size() <= 1)
        document->OnCloseDocument();
    return true;
}

void ChildFrame::destroyFrame()
{
    QWidget* window = m_self;
    if (auto* sub = qobject_cast<QMdiSubWindow*>(m_self->parentWidget()))
        window = sub;
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->close();
}

void ChildFrame::OnFrameActivated(bool bActive)
{
    if (View* view = GetActiveView())
        view->OnActivateView(bActive, view, view);
}

void ChildFrame::OnUpdateFrameTitle()
{
    Document* document = GetActiveDocument();
    if (!document)
        return;
    m_self->setWindowTitle(document->GetTitle() + QStringLiteral("[*]"));
    m_self->setWindowModified(document->IsModified());
    if (QWidget* window = m_self->parentWidget(); qobject_cast<QMdiSubWindow*>(window)) {
        window->setWindowTitle(m_self->windowTitle());
        window->setWindowModified(document->IsModified());
    }
}

MdiChildWnd::MdiChildWnd(QWidget* parent) : QWidget(parent), ChildFrame(this) {}

} // namespace platform
