#include "platform/ui/doctemplate.h"

#include "platform/hostservices.h"
#include "platform/ui/childframe.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/document.h"
#include "platform/ui/view.h"

#include <QFileInfo>
#include <QWidget>
#include <algorithm>

namespace platform {

DocTemplate::DocTemplate(int nIDResource, const QString& docString, DocumentFactory document,
                         FrameFactory frame, ViewFactory view)
    : m_nIDResource(nIDResource), m_docStrings(docString.split(u'\n')),
      m_documentFactory(std::move(document)), m_frameFactory(std::move(frame)),
      m_viewFactory(std::move(view))
{
}

DocTemplate::~DocTemplate()
{
    // Documents still open go with their template; their frames stay until
    // their windows close.
    for (auto& document : m_documents)
        document->m_template = nullptr;
}

QString DocTemplate::GetDocString(DocStringIndex index) const
{
    return index < m_docStrings.size() ? m_docStrings[index] : QString();
}

bool DocTemplate::matchesFile(const QString& path) const
{
    const QString ext = GetDocString(filterExt);
    return !ext.isEmpty() && path.endsWith(ext, Qt::CaseInsensitive);
}

QString DocTemplate::fileDialogFilter() const
{
    const QString ext = GetDocString(filterExt);
    if (ext.isEmpty())
        return {};
    const QString name = GetDocString(filterName);
    return name.isEmpty() ? QStringLiteral("(*%1)").arg(ext) : name;
}

Document* DocTemplate::OpenDocumentFile(const QString& path, bool bMakeVisible)
{
    std::unique_ptr<Document> owned = m_documentFactory ? m_documentFactory() : nullptr;
    if (!owned)
        return nullptr;
    Document* document = owned.get();
    document->m_template = this;
    m_documents.push_back(std::move(owned));

    ChildFrame* frame = CreateNewFrame(document);
    if (!frame) {
        discard(document, nullptr);
        return nullptr;
    }
    if (path.isEmpty()) {
        SetDefaultTitle(document);
        if (!document->OnNewDocument()) {
            discard(document, frame);
            return nullptr;
        }
    } else {
        if (!document->OnOpenDocument(path)) {
            discard(document, frame);
            return nullptr;
        }
        document->SetPathName(path);
    }
    frame->OnUpdateFrameTitle();
    if (View* view = frame->GetActiveView())
        view->OnInitialUpdate();
    if (m_manager)
        m_manager->addFrame(frame);
    else if (bMakeVisible)
        frame->widget()->show();
    return document;
}

std::vector<Document*> DocTemplate::documents() const
{
    std::vector<Document*> result;
    for (const auto& document : m_documents)
        if (!document->isClosing())
            result.push_back(document.get());
    return result;
}

void DocTemplate::RemoveDocument(Document* document)
{
    const auto it = std::find_if(m_documents.begin(), m_documents.end(),
                                 [document](const auto& owned) { return owned.get() == document; });
    if (it == m_documents.end())
        return;
    it->release();
    m_documents.erase(it);
    document->m_template = nullptr;
    document->deleteLater();
}

ChildFrame* DocTemplate::CreateNewFrame(Document* document)
{
    ChildFrame* frame = m_frameFactory ? m_frameFactory() : nullptr;
    if (!frame)
        return nullptr;
    View* view = m_viewFactory ? m_viewFactory(frame->widget()) : nullptr;
    if (!view) {
        delete frame->widget();
        return nullptr;
    }
    document->AddView(view);
    frame->placeView(view->widget());
    // The view hears of its activation when the frame is first activated.
    frame->SetActiveView(view, false);
    return frame;
}

void DocTemplate::SetDefaultTitle(Document* document)
{
    const QString base = GetDocString(docName);
    document->SetTitle(base.isEmpty() ? QStringLiteral("无标题")
                                      : base + QString::number(++m_nUntitledCount));
}

void DocTemplate::discard(Document* document, ChildFrame* frame)
{
    document->m_bClosing = true;
    if (frame)
        delete frame->widget();
    RemoveDocument(document);
}

} // namespace platform
