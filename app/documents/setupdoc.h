#pragma once
// The document of a bar list (钢筋配料单, ".pld"): the main bar list, the only
// table stored in the file, and the seven sheets derived from it (quantity
// summary, joint summary, sorted sheet, purchase summary, bar tags,
// optimised cutting list, table of contents), rebuilt from the bar list when
// their tab is chosen or a command asks for it. Around the file it keeps a
// ".bak" backup, auto-saves (into the file, into a recovery file beside it,
// or for an untitled document into the auto-save folder) and offers to
// recover a recovery file when the bar list is opened.
//
// Commands besides the shared ones (SheetDocument): 32990-33006 further
// grades, 32903-32907 hooks, 32928-32937 end connections, 32856-32864 start
// points, 32970/32971 mirroring, 32972 cutting length mode; the end commands
// work on the left end with Ctrl held, the right end with Shift held, both
// ends otherwise.

#include "app/documents/sheetdocument.h"

#include <QString>

#include <functional>
#include <memory>

class CVes_LiaoPaiTable;
class CVes_SLSumaryJTtable;
class CVes_SLSumaryTable;
class CVes_SetupTable;
class CVes_SortBarSheet;
class CVes_SteelJinHuoSumaryTable;
class CVes_TableContents;
class CVes_YouhuaDuanLiaoTable;
class SheetContainerView;

class CRODOSetUpDoc : public SheetDocument {
    Q_OBJECT
public:
    CRODOSetUpDoc();
    ~CRODOSetUpDoc() override;

    CVes_SetupTable* setupTable() const { return m_pSetupTable.get(); }
    CVes_SLSumaryTable* summaryTable() const { return m_pSummaryTable.get(); }
    CVes_SLSumaryJTtable* summaryJTTable() const { return m_pSummaryJTTable.get(); }
    CVes_SortBarSheet* sortTable() const { return m_pSortTable.get(); }
    CVes_SteelJinHuoSumaryTable* jinHuoTable() const { return m_pJinHuoTable.get(); }
    CVes_LiaoPaiTable* liaoPaiTable() const { return m_pLiaoPaiTable.get(); }
    CVes_YouhuaDuanLiaoTable* duanLiaoTable() const { return m_pDuanLiaoTable.get(); }
    CVes_TableContents* contentsTable() const { return m_pContentsTable.get(); }
    QString autoSavePath() const { return m_strAutoSavePath; }

    CVes_TableBase* mainTable() const override;
    std::vector<docfiles::TemplatePart> templateParts() const override;
    QString templateFolder() const override;

    // Opening: the file, then, when a recovery file lies beside it, the
    // question whether to recover it. A recovery read whole replaces what the
    // file held and the document is modified; the recovery file stays until
    // the document is saved. Declined, or unreadable (the file's contents
    // stay), the recovery file is renamed so that it is not offered again,
    // and goes with the next save. A file that cannot be read
    // (damaged, newer, or not there) beside a recovery file that can is
    // offered in its place: the user is told why the file itself was not
    // opened and asked whether to open the recovery file under the file's
    // path, modified; declined, the open fails and the recovery file stays.
    bool OnOpenDocument(const QString& path) override;
    // A real save; then the last auto-save or recovery file goes (never
    // before the save succeeded), and so do the renamed recovery files of
    // the saved path.
    bool OnSaveDocument(const QString& path) override;
    // The document's auto-save or recovery file goes with it, unless it
    // holds what an earlier run left and was not saved.
    void OnCloseDocument() override;
    // With "settings"/"autoBak" set and the bar list changed, the file on
    // disk is first copied to its ".bak".
    bool DoFileSave() override;
    // Takes up an untitled document's auto-save file that a program left
    // when it ended without closing the document: the document holds what
    // was auto-saved, modified, and auto-saves into that file until it is
    // saved or closed. False (nothing taken) when the file cannot be read.
    bool recoverUntitled(const QString& file);
    // At start-up: the untitled documents' auto-save files an earlier run
    // left are offered. Yes opens each as a new bar list through
    // `setupTemplate` (one that cannot be read stays where it is, and the
    // user is told); No deletes them.
    static void offerLeftAutoSaves(platform::DocTemplate& setupTemplate);
    // The timer's save of a modified document: "settings"/"autoSaveType" 0
    // saves as the Save command does; 1 writes the recovery file (path +
    // "$$$") and leaves the document modified; an untitled document writes
    // its own file in the auto-save folder and stays modified.
    void AutoSave();

    // Builders of the derived sheets from the bar list, on this thread.
    void BuildSummary();
    void BuildSummaryJT();
    void BuildSortSheet();
    void BuildJinHuo();
    void BuildLiaoPai();
    // Asks for the size to cut and cuts it behind a progress window.
    void BuildDuanLiao();
    // The cutting list cut again for the size it was cut for (asked when it
    // never was).
    void CutAgain();
    void BuildContents();
    // The derived sheet of a chosen tab (quantity summary, joint summary,
    // purchase summary, bar tags, contents) made current: built again, on a
    // worker from a copy of the bar list and with the busy window over
    // `busyParent`, only when the bar list, its settings, the raw-stock file
    // or what else the documents share (libraries, settings) changed since
    // it was last built; otherwise it stays as it is, and the user does not
    // wait.
    void BuildOnChoice(CVes_TableBase* sheet, QWidget* busyParent = nullptr);

    // The sorted sheet rebuilt on a worker from a copy of the bar list; a
    // request while one runs makes one more after it.
    void StartSortBuild(QWidget* busyParent = nullptr);

    // The delivery-note dialog on the eight texts of the purchase sheet: on
    // OK the texts are kept, the purchase summary is rebuilt and the document
    // is modified; the views are updated anyway.
    void EditDeliveryNote(QWidget* parent = nullptr);

    // The end commands (hooks, connections) for the chosen ends.
    void OnEndCommand(int nID, Qt::KeyboardModifiers modifiers);
    // The cutting-length mode command (32972), on the selected bars while
    // the bar list is shown: bars whose length is computed get a typed
    // length, each the length it showed, and the bar-list view's cell
    // editor opens on the current bar's (Escape takes the switch back);
    // otherwise they are computed again.
    void OnCutLengthMode();

protected:
    void markTableSaved() override;
    QByteArray derivedSettings() const override;
    int scaledBarValue() override;

private:
    void addCommands();
    // The view with the sheet tabs; null before the document has one.
    SheetContainerView* container() const;
    // Whether the bar list's own tab is shown (or nothing is shown yet).
    bool showsBarList() const;
    // Writes the document into `path` without touching its state (an
    // auto-save); false after a failure was reported.
    bool writeCopy(const QString& path);
    void removeAutoSaveFile(const QString& keep);
    void offerRecovery(const QString& path);
    bool offerRecoveryInstead(const QString& path, const QString& why);
    // The document holds what `file` (a recovery or auto-save file of an
    // earlier run) held: modified, auto-saving into that file, which is
    // removed only once the document is saved.
    void adoptRecoveryFile(const QString& file);
    // Renames the recovery file of `path` so that it is not offered again;
    // the next save of `path` removes it.
    void setRecoveryFileAside(const QString& path);

    // How a derived sheet (not the sorted sheet nor the cutting list) is
    // built from a bar list; none for another table.
    using Builder = std::function<void(CVes_SetupTable&)>;
    Builder builderOf(const CVes_TableBase* sheet) const;
    // Builds `sheet` from the bar list on this thread.
    void buildNow(CVes_TableBase* sheet);
    void selectAllForSummary(const CVes_TableBase* sheet);
    void adoptPurchaseTexts(const CVes_SetupTable& copy);
    QString failureText(const CVes_TableBase* sheet) const;

    std::unique_ptr<CVes_SetupTable> m_pSetupTable;
    std::unique_ptr<CVes_SLSumaryTable> m_pSummaryTable;
    std::unique_ptr<CVes_SLSumaryJTtable> m_pSummaryJTTable;
    std::unique_ptr<CVes_SortBarSheet> m_pSortTable;
    std::unique_ptr<CVes_SteelJinHuoSumaryTable> m_pJinHuoTable;
    std::unique_ptr<CVes_LiaoPaiTable> m_pLiaoPaiTable;
    std::unique_ptr<CVes_YouhuaDuanLiaoTable> m_pDuanLiaoTable;
    std::unique_ptr<CVes_TableContents> m_pContentsTable;
    QString m_strAutoSavePath;
    // Set while the timer's save writes the document into its own file.
    bool m_autoSaving = false;
    // What an earlier run's recovery or auto-save file held is shown and not
    // saved yet: closing unsaved leaves that file to be offered again.
    bool m_holdsRecovered = false;
};
