#pragma once
// A document template: one kind of document with its file type and the
// kinds of frame and view that show it. It creates a document with its frame
// and view for New and Open, and owns its open documents.
//
// The document string holds, separated by line breaks: the window title,
// the document's base name (untitled documents are numbered after it), the
// name offered by New, the filter name, the extension, the desktop's file
// type id and the file type's name, e.g.
// "\n翻样任务\n翻样任务\n钢筋配料单 (*.pld)\n.pld\nrodo.Document\n配料单文件".

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace platform {

class ChildFrame;
class DocManager;
class Document;
class View;

class DocTemplate {
public:
    using DocumentFactory = std::function<std::unique_ptr<Document>()>;
    // A new frame window, without a parent.
    using FrameFactory = std::function<ChildFrame*()>;
    // A new view, a child of `parent` (the frame's window).
    using ViewFactory = std::function<View*(QWidget* parent)>;

    enum DocStringIndex {
        windowTitle = 0,
        docName = 1,
        fileNewName = 2,
        filterName = 3,
        filterExt = 4,
        regFileTypeId = 5,
        regFileTypeName = 6
    };

    DocTemplate(int nIDResource, const QString& docString, DocumentFactory document,
                FrameFactory frame, ViewFactory view);
    ~DocTemplate();
    DocTemplate(const DocTemplate&) = delete;
    DocTemplate& operator=(const DocTemplate&) = delete;

    int GetResourceID() const { return m_nIDResource; }
    QString GetDocString(DocStringIndex index) const;
    // Whether files of `path` are this template's (by extension; a template
    // without an extension opens no files).
    bool matchesFile(const QString& path) const;
    // The filter for file dialogs, e.g. "钢筋配料单 (*.pld)"; empty when the
    // template has no file type.
    QString fileDialogFilter() const;

    // Opens `path` in a new document with its frame and view; an empty path
    // makes a new untitled document. Null when the document could not be
    // made or read (the user was told).
    Document* OpenDocumentFile(const QString& path, bool bMakeVisible = true);
    std::vector<Document*> documents() const;
    // Takes a closing document out of the template and deletes it later.
    void RemoveDocument(Document* document);

    DocManager* manager() const { return m_manager; }

private:
    friend class DocManager;

    // The frame and view for `document`; null when either factory fails.
    ChildFrame* CreateNewFrame(Document* document);
    void SetDefaultTitle(Document* document);
    void discard(Document* document, ChildFrame* frame);

    int m_nIDResource;
    QStringList m_docStrings;
    DocumentFactory m_documentFactory;
    FrameFactory m_frameFactory;
    ViewFactory m_viewFactory;
    DocManager* m_manager = nullptr;
    int m_nUntitledCount = 0;
    std::vector<std::unique_ptr<Document>> m_documents;
};

} // namespace platform
