#include "platform/ui/document.h"

#include "platform/archive.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"
#include "platform/ui/childframe.h"
#include "platform/ui/commandids.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "platform/ui/view.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

namespace platform {

Document::Document()
{
    commandMap().add(ID_FILE_SAVE, [this] { OnFileSave(); });
    commandMap().add(ID_FILE_SAVE_AS, [this] { OnFileSaveAs(); });
    commandMap().add(ID_FILE_CLOSE, [this] { OnFileClose(); });
}

Document::~Document()
{
    for (View* view : m_views)
        view->m_document = nullptr;
}

void Document::SetPathName(const QString& path, bool bAddToMRU)
{
    m_strPathName = QFileInfo(path).absoluteFilePath();
    SetTitle(QFileInfo(path).fileName());
    if (bAddToMRU && m_template && m_template->manager())
        m_template->manager()->addToRecentFiles(m_strPathName);
}

void Document::SetTitle(const QString& title)
{
    m_strTitle = title;
    for (ChildFrame* frame : frames())
        frame->OnUpdateFrameTitle();
    Q_EMIT titleChanged(title);
}

void Document::SetModifiedFlag(bool bModified)
{
    if (m_bModified == bModified)
        return;
    m_bModified = bModified;
    for (ChildFrame* frame : frames())
        frame->OnUpdateFrameTitle();
    Q_EMIT modifiedChanged(bModified);
}

bool Document::OnNewDocument()
{
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

bool Document::OnOpenDocument(const QString& path)
{
    QString error;
    const ReadOutcome outcome = readFrom(path, &error);
    if (outcome != ReadOutcome::Read) {
        reportUnread(path, outcome, error);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

Document::ReadOutcome Document::readFrom(const QString& path, QString* error)
{
    try {
        WaitCursor wait;
        if (!readContents(path, error))
            return ReadOutcome::NotOpened;
    } catch (const SchemaError& e) {
        DeleteContents();
        return e.isNewer() ? ReadOutcome::Newer : ReadOutcome::Damaged;
    } catch (const std::exception&) {
        DeleteContents();
        return ReadOutcome::Damaged;
    }
    return ReadOutcome::Read;
}

bool Document::readContents(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!readFile(path, &bytes, error))
        return false;
    DeleteContents();
    Archive ar(bytes);
    Serialize(ar);
    return true;
}

QString Document::unreadText(const QString& path, ReadOutcome outcome, const QString& error) const
{
    switch (outcome) {
    case ReadOutcome::Read:
        return {};
    case ReadOutcome::Newer:
        return schemaErrorMessage(path);
    case ReadOutcome::Damaged:
        return openFailureText(path, QStringLiteral("文件已损坏或不是本程序的文件。"));
    case ReadOutcome::NotOpened:
        break;
    }
    return openFailureText(path, error);
}

void Document::reportUnread(const QString& path, ReadOutcome outcome, const QString& error) const
{
    if (outcome != ReadOutcome::Read)
        showMessage(unreadText(path, outcome, error), MessageIcon::Stop);
}

bool Document::OnSaveDocument(const QString& path)
{
    QString error;
    try {
        WaitCursor wait;
        Archive ar;
        Serialize(ar);
        if (saveFile(path, ar.data(), &error)) {
            SetModifiedFlag(false);
            return true;
        }
    } catch (const TextEncodingError& e) {
        error = e.message();
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
    }
    showMessage(QStringLiteral("保存文件“%1”失败：\n%2").arg(QDir::toNativeSeparators(path), error),
                MessageIcon::Stop);
    return false;
}

void Document::OnCloseDocument()
{
    m_bClosing = true;
    for (ChildFrame* frame : frames())
        frame->destroyFrame();
    DeleteContents();
    if (m_template)
        m_template->RemoveDocument(this);
}

void Document::Serialize(Archive&) {}

bool Document::SaveModified()
{
    if (!IsModified())
        return true;
    const QString name = m_strPathName.isEmpty() ? m_strTitle : QFileInfo(m_strPathName).fileName();
    switch (ask(QStringLiteral("是否保存对“%1”的更改？").arg(name), Buttons::YesNoCancel)) {
    case Answer::Yes:
        return DoFileSave();
    case Answer::No:
        return true;
    default:
        return false;
    }
}

bool Document::CanCloseFrame(ChildFrame* frame)
{
    const std::vector<ChildFrame*> shown = frames();
    const bool others = std::any_of(shown.begin(), shown.end(),
                                    [frame](ChildFrame* other) { return other != frame; });
    return others || SaveModified();
}

bool Document::DoFileSave()
{
    const QFileInfo file(m_strPathName);
    if (m_strPathName.isEmpty() || (file.exists() && !file.isWritable()))
        return DoSave(QString());
    return DoSave(m_strPathName);
}

bool Document::DoSave(const QString& path, bool bReplace)
{
    QString target = path;
    if (target.isEmpty()) {
        DocManager* manager = m_template ? m_template->manager() : nullptr;
        if (!manager)
            return false;
        QString proposed = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
        const QString ext = m_template->GetDocString(DocTemplate::filterExt);
        if (m_strPathName.isEmpty() && !ext.isEmpty() && !proposed.endsWith(ext))
            proposed += ext;
        target = manager->askFileName(false, QStringLiteral("另存为"),
                                      m_template->fileDialogFilter(), proposed);
        if (target.isEmpty())
            return false;
        if (!ext.isEmpty() && QFileInfo(target).suffix().isEmpty())
            target += ext;
    }
    if (!OnSaveDocument(target))
        return false;
    if (bReplace)
        SetPathName(target);
    return true;
}

void Document::OnFileClose()
{
    if (SaveModified())
        OnCloseDocument();
}

void Document::AddView(View* view)
{
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (Document* previous = view->GetDocument())
        previous->RemoveView(view);
    m_views.push_back(view);
    view->m_document = this;
}

void Document::RemoveView(View* view)
{
    const auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_document = nullptr;
    // A document whose last view went away without closing it (its window
    // was destroyed) closes too.
    if (m_views.empty() && !m_bClosing && m_template)
        OnCloseDocument();
}

std::vector<ChildFrame*> Document::frames() const
{
    std::vector<ChildFrame*> result;
    for (View* view : m_views) {
        ChildFrame* frame = view->GetParentFrame();
        if (frame && std::find(result.begin(), result.end(), frame) == result.end())
            result.push_back(frame);
    }
    return result;
}

void Document::UpdateAllViews(View* sender, long lHint)
{
    const std::vector<View*> views = m_views;
    for (View* view : views)
        if (view != sender)
            view->OnUpdate(sender, lHint);
}

QString Document::schemaErrorMessage(const QString& path) const
{
    return QStringLiteral("文件“%1”由更新版本的程序保存，本程序不能打开。")
        .arg(QDir::toNativeSeparators(path));
}

QString Document::openFailureText(const QString& path, const QString& reason)
{
    return QStringLiteral("打开文件“%1”失败：\n%2").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace platform
