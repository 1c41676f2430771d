#include "platform/ui/docmanager.h"

#include "platform/hostservices.h"
#include "platform/ui/childframe.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/document.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace platform {

namespace {

QString canonical(const QString& path)
{
    const QFileInfo info(path);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : real;
}

QString runFileDialog(bool bOpen, const QString& title, const QString& filter,
                      const QString& proposed)
{
    QWidget* parent = QApplication::activeWindow();
    return bOpen ? QFileDialog::getOpenFileName(parent, title, proposed, filter)
                 : QFileDialog::getSaveFileName(parent, title, proposed, filter);
}

} // namespace

ChildFrame* frameOf(QMdiSubWindow* window)
{
    return window ? dynamic_cast<ChildFrame*>(window->widget()) : nullptr;
}

DocManager::DocManager()
    : m_recentFiles(0, QStringLiteral("Recent File List"), QStringLiteral("File%d"), kRecentFiles,
                    30),
      m_fileDialog(runFileDialog)
{
    m_recentFiles.ReadList();
}

DocManager::~DocManager()
{
    CloseAllDocuments();
}

DocTemplate* DocManager::AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate)
{
    docTemplate->m_manager = this;
    m_templates.push_back(std::move(docTemplate));
    return m_templates.back().get();
}

DocTemplate* DocManager::findTemplate(int nIDResource) const
{
    for (const auto& t : m_templates)
        if (t->GetResourceID() == nIDResource)
            return t.get();
    return nullptr;
}

void DocManager::setMdiArea(QMdiArea* area)
{
    if (m_area)
        disconnect(m_area, nullptr, this, nullptr);
    m_area = area;
    if (area)
        connect(area, &QMdiArea::subWindowActivated, this, &DocManager::onSubWindowActivated);
}

void DocManager::addFrame(ChildFrame* frame)
{
    QWidget* window = frame->widget();
    if (m_area) {
        QMdiSubWindow* sub = m_area->addSubWindow(window);
        sub->setAttribute(Qt::WA_DeleteOnClose);
        sub->installEventFilter(this);
        frame->OnUpdateFrameTitle();
        window->show();
        // Shown as a tab, a document window fills the area.
        if (m_area->viewMode() == QMdiArea::TabbedView)
            sub->showMaximized();
        else
            sub->show();
        m_area->setActiveSubWindow(sub);
        // The area may not report the activation while the main window is
        // not the active one; the frame is the current one all the same.
        onSubWindowActivated(sub);
    } else {
        window->setAttribute(Qt::WA_DeleteOnClose);
        window->installEventFilter(this);
        window->show();
    }
}

ChildFrame* DocManager::activeFrame() const
{
    if (m_area)
        return frameOf(m_area->currentSubWindow());
    return dynamic_cast<ChildFrame*>(m_activeFrame.data());
}

Document* DocManager::activeDocument() const
{
    ChildFrame* frame = activeFrame();
    return frame ? frame->GetActiveDocument() : nullptr;
}

Document* DocManager::OpenDocumentFile(const QString& path)
{
    const QString key = canonical(path);
    for (Document* document : documents()) {
        if (!document->GetPathName().isEmpty() && canonical(document->GetPathName()) == key) {
            const std::vector<ChildFrame*> frames = document->frames();
            if (!frames.empty() && m_area)
                if (auto* sub = qobject_cast<QMdiSubWindow*>(frames.front()->widget()->parentWidget()))
                    m_area->setActiveSubWindow(sub);
            addToRecentFiles(document->GetPathName());
            return document;
        }
    }
    for (const auto& t : m_templates)
        if (t->matchesFile(path))
            return t->OpenDocumentFile(QFileInfo(path).absoluteFilePath());
    showMessage(QStringLiteral("不能打开文件“%1”：本程序不认识这种文件。")
                    .arg(QDir::toNativeSeparators(path)),
                MessageIcon::Stop);
    return nullptr;
}

void DocManager::OnFileOpen(const QString& folder)
{
    const QString path = askFileName(true, QStringLiteral("打开"), openFileFilter(), folder);
    if (!path.isEmpty())
        OpenDocumentFile(path);
}

std::vector<Document*> DocManager::documents() const
{
    std::vector<Document*> result;
    for (const auto& t : m_templates)
        for (Document* document : t->documents())
            result.push_back(document);
    return result;
}

bool DocManager::SaveAllModified()
{
    for (Document* document : documents())
        if (!document->SaveModified())
            return false;
    return true;
}

void DocManager::CloseAllDocuments()
{
    for (Document* document : documents())
        document->OnCloseDocument();
}

void DocManager::addToRecentFiles(const QString& path)
{
    m_recentFiles.Add(path);
    m_recentFiles.WriteList();
}

QString DocManager::askFileName(bool bOpen, const QString& title, const QString& filter,
                                const QString& proposed) const
{
    return m_fileDialog ? m_fileDialog(bOpen, title, filter, proposed) : QString();
}

QString DocManager::openFileFilter() const
{
    QStringList filters;
    for (const auto& t : m_templates) {
        const QString filter = t->fileDialogFilter();
        if (!filter.isEmpty())
            filters << filter;
    }
    filters << QStringLiteral("所有文件 (*)");
    return filters.join(QStringLiteral(";;"));
}

bool DocManager::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close) {
        auto* widget = qobject_cast<QWidget*>(watched);
        ChildFrame* frame = nullptr;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(widget))
            frame = frameOf(sub);
        else
            frame = dynamic_cast<ChildFrame*>(widget);
        if (frame && !frame->queryClose()) {
            event->ignore();
            return true;
        }
    } else if (event->type() == QEvent::WindowActivate && !m_area) {
        if (dynamic_cast<ChildFrame*>(watched))
            m_activeFrame = qobject_cast<QWidget*>(watched);
    }
    return QObject::eventFilter(watched, event);
}

void DocManager::onSubWindowActivated(QMdiSubWindow* window)
{
    // The area reports no window while the program is in the background;
    // its current window stays the active document window.
    if (!window && m_area)
        window = m_area->currentSubWindow();
    ChildFrame* frame = frameOf(window);
    QWidget* widget = frame ? frame->widget() : nullptr;
    if (widget == m_activeFrame.data())
        return;
    if (auto* previous = dynamic_cast<ChildFrame*>(m_activeFrame.data()))
        previous->OnFrameActivated(false);
    m_activeFrame = widget;
    if (frame)
        frame->OnFrameActivated(true);
    Q_EMIT activeFrameChanged(frame);
}

} // namespace platform
