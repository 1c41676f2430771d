#include "platform/ui/view.h"

#include "platform/ui/childframe.h"
#include "platform/ui/document.h"

#include <QWidget>

namespace platform {

View::View(QWidget* self) : m_self(self) {}

View::~View()
{
    if (m_document)
        m_document->RemoveView(this);
}

ChildFrame* View::GetParentFrame() const
{
    for (QWidget* w = m_self ? m_self->parentWidget() : nullptr; w; w = w->parentWidget())
        if (auto* frame = dynamic_cast<ChildFrame*>(w))
            return frame;
    return nullptr;
}

void View::OnInitialUpdate()
{
    OnUpdate(nullptr, 0);
}

void View::OnUpdate(View*, long)
{
    if (m_self)
        m_self->update();
}

void View::OnActivateView(bool, View*, View*) {}

} // namespace platform
