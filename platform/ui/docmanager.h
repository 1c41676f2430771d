#pragma once
// The program's documents: its templates, the document area of the main
// window where their frames are shown as tabs, the recent files, and the
// file dialogs of New, Open and Save As. The application owns one.

#include "platform/ui/recentfilelist.h"

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include <QMdiArea>
#include <QMdiSubWindow>

namespace platform {

class ChildFrame;
class Document;
class DocTemplate;

class DocManager : public QObject {
    Q_OBJECT
public:
    // Asks the user for a file to open (bOpen) or a name to save under;
    // `filter` is in Qt's form ("钢筋配料单 (*.pld);;…"); empty when cancelled.
    using FileDialog = std::function<QString(bool bOpen, const QString& title,
                                             const QString& filter, const QString& proposed)>;

    // The recent files: section "Recent File List", entries "File1".."File4".
    static constexpr int kRecentFiles = 4;

    DocManager();
    ~DocManager() override;

    DocTemplate* AddDocTemplate(std::unique_ptr<DocTemplate> docTemplate);
    const std::vector<std::unique_ptr<DocTemplate>>& templates() const { return m_templates; }
    DocTemplate* findTemplate(int nIDResource) const;

    // The area frames are shown in; without one they are shown as windows.
    void setMdiArea(QMdiArea* area);
    QMdiArea* mdiArea() const { return m_area; }
    // Shows a new frame as a tab of the area and activates it.
    void addFrame(ChildFrame* frame);
    ChildFrame* activeFrame() const;
    Document* activeDocument() const;

    // Opens a file with the template of its extension; a document already
    // open under that path is activated instead. Null when it fails (the
    // user was told).
    Document* OpenDocumentFile(const QString& path);
    // The Open command: the file dialog with every template's filter,
    // starting in `folder` (the dialog's own choice when empty), then
    // OpenDocumentFile.
    void OnFileOpen(const QString& folder = {});
    std::vector<Document*> documents() const;

    // Asks every modified document whether to save it; false when the user
    // cancelled one.
    bool SaveAllModified();
    // Closes every document without asking.
    void CloseAllDocuments();

    RecentFileList& recentFiles() { return m_recentFiles; }
    // Puts `path` at the head of the recent files and stores the list.
    void addToRecentFiles(const QString& path);

    void setFileDialog(FileDialog dialog) { m_fileDialog = std::move(dialog); }
    QString askFileName(bool bOpen, const QString& title, const QString& filter,
                        const QString& proposed) const;
    // The filter of the Open dialog: every template's, then all files.
    QString openFileFilter() const;

Q_SIGNALS:
    // The active document window changed (null: none is left).
    void activeFrameChanged(ChildFrame* frame);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onSubWindowActivated(QMdiSubWindow* window);

    std::vector<std::unique_ptr<DocTemplate>> m_templates;
    QPointer<QMdiArea> m_area;
    QPointer<QWidget> m_activeFrame;
    RecentFileList m_recentFiles;
    FileDialog m_fileDialog;
};

// The frame shown in a window of the document area, or null.
ChildFrame* frameOf(QMdiSubWindow* window);

} // namespace platform
