#pragma once
// A document: the data behind one or more views, with its file (path and
// title), its modified flag and its file life cycle. A document reads and
// writes itself through the archive (Serialize); opening reads the whole
// file first and fails cleanly on a damaged or newer file, saving replaces
// the file atomically. The framework creates documents through their
// template (DocTemplate) and deletes them when they close.
//
// Commands it handles: Save (57603), Save As (57604), Close (57602).

#include "platform/ui/commandtarget.h"

#include <QObject>
#include <QString>
#include <vector>

namespace platform {

class Archive;
class ChildFrame;
class DocTemplate;
class View;

class Document : public QObject, public CommandTarget {
    Q_OBJECT
public:
    Document();
    ~Document() override;

    DocTemplate* GetDocTemplate() const { return m_template; }

    QString GetPathName() const { return m_strPathName; }
    // Takes `path` as the document's file: the title becomes its file name,
    // and the path goes to the recent files when asked.
    virtual void SetPathName(const QString& path, bool bAddToMRU = true);
    QString GetTitle() const { return m_strTitle; }
    virtual void SetTitle(const QString& title);
    bool IsModified() const { return m_bModified; }
    virtual void SetModifiedFlag(bool bModified = true);

    // A new, empty document: clears the contents and the modified flag.
    virtual bool OnNewDocument();
    // Reads the file through Serialize. A file that cannot be read, is
    // damaged or is of a newer schema is reported and the answer is false.
    virtual bool OnOpenDocument(const QString& path);
    // What reading a file into the document came to: read whole, not
    // opened at all, damaged, or written by a newer program (its schema
    // number says so; see SchemaError::isNewer).
    enum class ReadOutcome { Read, NotOpened, Damaged, Newer };
    // Writes the document through Serialize into the file, atomically; a
    // failure is reported, leaves the previous file and answers false.
    virtual bool OnSaveDocument(const QString& path);
    // Closes every frame of the document without asking, then the document
    // goes away.
    virtual void OnCloseDocument();
    virtual void Serialize(Archive& ar);
    virtual void DeleteContents() {}

    // Asks whether a modified document is saved: Yes saves, No discards,
    // Cancel answers false (the caller does not close).
    virtual bool SaveModified();
    // Whether `frame` may close: always when another frame shows the
    // document, otherwise as SaveModified answers.
    virtual bool CanCloseFrame(ChildFrame* frame);
    // Saves under the present path; an untitled document asks for one.
    virtual bool DoFileSave();
    // Saves to `path`, asking the user for one when it is empty; with
    // bReplace the document takes the new path. False when cancelled or
    // when the save failed.
    bool DoSave(const QString& path, bool bReplace = true);
    void OnFileSave() { DoFileSave(); }
    void OnFileSaveAs() { DoSave(QString()); }
    // The Close command: asks to save, then closes.
    void OnFileClose();
    bool isClosing() const { return m_bClosing; }

    void AddView(View* view);
    void RemoveView(View* view);
    const std::vector<View*>& views() const { return m_views; }
    // The distinct frames of the document's views.
    std::vector<ChildFrame*> frames() const;
    // Tells every view but `sender` that the document changed.
    void UpdateAllViews(View* sender, long lHint = 0);

Q_SIGNALS:
    void modifiedChanged(bool modified);
    void titleChanged(const QString& title);

protected:
    // The message shown when a file holds a record of a newer, unknown
    // schema; documents with a message of their own override it.
    virtual QString schemaErrorMessage(const QString& path) const;
    // Reads the file through Serialize without telling the user anything;
    // `error` gets why a file that was not opened could not be.
    ReadOutcome readFrom(const QString& path, QString* error = nullptr);
    // The reading of readFrom: the file's bytes (false, with `error`, when
    // they cannot be read), then the contents cleared and read from them
    // through Serialize, throwing what it throws. A document whose files
    // may be long may read them away from the window's thread.
    virtual bool readContents(const QString& path, QString* error);
    // What the user is told when a file was not read, and telling it.
    QString unreadText(const QString& path, ReadOutcome outcome, const QString& error) const;
    void reportUnread(const QString& path, ReadOutcome outcome, const QString& error) const;

private:
    friend class DocTemplate;

    static QString openFailureText(const QString& path, const QString& reason);

    DocTemplate* m_template = nullptr;
    QString m_strPathName;
    QString m_strTitle;
    bool m_bModified = false;
    bool m_bClosing = false;
    std::vector<View*> m_views;
};

} // namespace platform
