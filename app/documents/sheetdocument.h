#pragma once
// What the three sheet documents (bar list, processing sheet, quantity
// sheet) share: the main table is the only table stored in the file (read
// into a fresh table, taken over only when the whole file was read); the
// Save command names an untitled document after its title block; the table
// template commands with their companion files for the derived sheets; the
// batch commands on the selected bars of the main table; and the document
// is marked modified whenever the main table's changed flag is set.
//
// Commands: 57603 save (through DoFileSave), 32821 save as template, 32822 load template, 32823
// default template, 32913 cancel it (where the document has it), 32828 to
// 32852 grade, size, coating and scaled-bar of the selected bars.

#include "app/documents/documentfiles.h"
#include "app/documents/sheetbuild.h"
#include "platform/ui/document.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

class CVes_SortBarSheet;
class CVes_TableBase;
class RowCopies;

class SheetDocument : public platform::Document {
    Q_OBJECT
public:
    // The texts and choices that set the documents apart.
    struct Texts {
        QString extension;             // "pld"
        QString filter;                // "钢筋配料单(*.pld)"
        QString schemaMessage;         // a file of a newer program
        QString templateExtension;     // "jtm"
        QString saveTemplateFilter;    // "配料单表格模板(*.jtm)"
        QString openTemplateFilter;    // "表格模板(*.jtm)"
        QString defaultTemplateFilter; // "表格模板(*.jtm)"
        QString profileKey;            // key of section "模板": "配料单"
        QString cancelDefaultText;     // empty: no command to cancel the default
        bool askDefaultAfterSave = true;
        int nameItems = 0;             // title-block texts the proposed name is made of
        QString saveAsTitleSuffix;     // after the document title, in the Save As title
    };

    // The main table's page texts the proposed file name is made of: the
    // project name, the construction part and the third title-block item.
    static constexpr int kFirstNameText = 2;

    explicit SheetDocument(const Texts& texts);
    ~SheetDocument() override;

    const Texts& texts() const { return m_texts; }
    virtual CVes_TableBase* mainTable() const = 0;
    // The sheets of a template set, the main table first, and the
    // extensions of their files.
    virtual std::vector<docfiles::TemplatePart> templateParts() const = 0;

    // Storing writes the main table; loading reads into a fresh main table
    // and takes it over only when the whole stream was read.
    void Serialize(platform::Archive& ar) override;
    // After a real save the main table is marked saved.
    bool OnSaveDocument(const QString& path) override;
    // Offers to save whenever the main table says it changed.
    bool SaveModified() override;

    // Saving (the Save command 57603, and closing a modified document): a
    // titled document is saved under its path; an untitled one under a name
    // the user confirms.
    bool DoFileSave() override;
    // Asks for a name in the current project folder, proposing
    // proposedFileName(), and saves; false when cancelled or when the save
    // failed. The project pane then lists the new file.
    bool saveUntitled();
    // The main table's title-block items joined with "_" (each without its
    // leading blanks, "_" trimmed off both ends, characters a file name
    // cannot hold replaced by "_"), or the document title when that is empty.
    QString proposedFileName() const;

    // Template commands.
    void OnSaveTemplate();
    void OnLoadTemplate();
    void OnDefaultTemplate();
    void OnCancelDefaultTemplate();
    // The template folder the template dialogs start in.
    virtual QString templateFolder() const = 0;

    // Whether a background rebuild writes `table` now.
    bool isBuilding(const CVes_TableBase* table) const;
    // Waits for the rebuilds of `table` (of every sheet without one), those
    // asked for while one ran included, and takes their results now: for a
    // command that reads the sheet.
    void finishBuilds(const CVes_TableBase* table = nullptr);
    // Drops every rebuild and waits for its worker (the document closes).
    void cancelBuilds();
    // Cancels the rebuilds first.
    void OnCloseDocument() override;

    // After a batch edit: the document is modified when the main table's
    // changed flag is set, and every view is updated.
    void afterBatchEdit();
    // After Undo or Redo on `table`: the document is modified whenever what
    // it shows differs from what its file holds, also when an automatic
    // save wrote the state undone into the file; back at the state saved,
    // and holding nothing else the file lacks, it is not.
    void afterUndoStep(CVes_TableBase* table);

Q_SIGNALS:
    // A background rebuild starts writing `table`, or has ended; meanwhile
    // no view may show it.
    void sheetBuildStarted(CVes_TableBase* table);
    void sheetBuilt(CVes_TableBase* table);

protected:
    // A file over a megabyte is read, bytes and rows, on a thread of its
    // own behind the progress window; a fresh main table takes the rows and
    // the main table takes them over only when the whole file was read.
    bool readContents(const QString& path, QString* error) override;

    QString schemaErrorMessage(const QString& path) const override;
    // The main table is saved: its changed flag is cleared and the saved
    // state becomes its only undo step.
    virtual void markTableSaved() = 0;
    // The scaled-bar command's new value for the selected bars.
    virtual int scaledBarValue();
    // Applies the default template of the profile and its companions; a
    // damaged or newer template file is reported once in a run. Answers
    // whether a default template is set.
    bool loadDefaultTemplate();
    // The document's sheets are rebuilt in the background by workers of
    // `kind`, its sorted sheet among them. A document that does so cancels
    // the rebuilds in its own destructor, before its tables go.
    void enableSortBuild(SheetBuild::Kind kind, CVes_SortBarSheet* sheet);
    // Starts a rebuild of `sheet`, or one more after the one that runs;
    // `prepare` takes what the work reads when it starts. A work that fails
    // leaves the sheet empty (never half-built) and tells the user
    // `failure`.
    void requestBuild(CVes_TableBase* sheet, const SheetBuild::Prepare& prepare,
                      QWidget* busyParent, const QString& failure);
    // The same for the sorted sheet.
    void requestSortBuild(const SheetBuild::Prepare& prepare, QWidget* busyParent);

    // A sheet derived from the main table is kept while nothing it reads
    // changed: the main table's rows and settings, the files the documents
    // share (libraries, settings) and the raw-stock file.
    struct BuildSource {
        std::uint64_t tableChanges = 0;
        QByteArray settings;
        std::uint64_t shared = 0;
        std::int64_t stockTime = -1;
        std::int64_t stockSize = -1;
        bool operator==(const BuildSource&) const = default;
    };
    BuildSource buildSource() const;
    // Everything the derived sheets read of the main table besides its
    // rows, as bytes: equal bytes, equal settings; empty (never equal to an
    // earlier answer) when it cannot be told.
    virtual QByteArray derivedSettings() const { return {}; }
    // Whether `sheet` stands as a build from what there is now would make
    // it: built from it, and not changed since.
    bool isBuiltFromNow(const CVes_TableBase& sheet) const;
    // Notes that `sheet` was built just now from what there is now.
    void noteBuilt(const CVes_TableBase& sheet);
    // The derived sheet of a chosen tab made current: kept as it stands when
    // it is built from what there is now, or being built from it; else
    // rebuilt on a worker. `prepare` takes the copy the work reads (its end,
    // on this thread, takes back what the work left on the copy for the
    // main table). A build that ran while what it read changed is not kept:
    // the next choice builds once more.
    void buildOnChoice(CVes_TableBase* sheet, const SheetBuild::Prepare& prepare,
                       QWidget* busyParent, const QString& failure);
    // The raw-stock records a build registered on a copy of the main table
    // belong to the main table (a bar list saves them).
    static void adoptRawStock(CVes_TableBase& own, CVes_TableBase& copy);
    // `sheet` built on this thread by `build` from the main table `from` (a
    // background build of it is taken first), and noted as built.
    template <typename Table>
    void buildFrom(CVes_TableBase* sheet, Table& from, const std::function<void(Table&)>& build)
    {
        finishBuilds(sheet);
        build(from);
        noteBuilt(*sheet);
    }
    // The job of a background build: `build` on a working copy of the main
    // table `own`, taken a part at a time (its rows, then the rest of it
    // with them once every row is copied). The end of a build that ran
    // through gives `own` the raw stock the copy registered, then runs
    // `adopt` on the copy.
    template <typename Table>
    static SheetBuild::Job copyingJob(Table& own, const std::function<void(Table&)>& build,
                                      const std::function<void(Table&)>& adopt = {})
    {
        struct Taken {
            std::unique_ptr<RowCopies> rows;
            std::shared_ptr<Table> copy;
        };
        auto taken = std::make_shared<Taken>();
        taken->rows = own.rowCopies();
        return {[taken, build] { build(*taken->copy); },
                [taken, &own, adopt](bool ok) {
                    if (!ok)
                        return;
                    adoptRawStock(own, *taken->copy);
                    if (adopt)
                        adopt(*taken->copy);
                },
                [taken, &own](std::chrono::milliseconds budget) {
                    if (!taken->rows->copySome(budget))
                        return false;
                    taken->copy = own.workingCopy(*taken->rows);
                    taken->rows.reset();
                    return true;
                }};
    }
    // Runs a batch edit of the main table and marks the document.
    void batch(const std::function<void(CVes_TableBase&)>& edit);
    // The user's file dialog; empty when cancelled.
    QString askFile(bool open, const QString& title, const QString& filter,
                    const QString& proposed) const;
    // The project pane lists a document saved into the project.
    static void refreshProjectFiles();

private:
    void addBatchCommands();
    // Whether the document's file holds the main table byte for byte as a
    // save would write it now.
    bool fileHoldsMainTable() const;
    void reportUnread(const QStringList& files) const;

    // What a sheet was built from, and its own change count as built.
    struct Built {
        BuildSource from;
        std::uint64_t sheetChanges = 0;
    };

    Texts m_texts;
    SheetBuild::Kind m_buildKind = SheetBuild::Kind::BarList;
    bool m_buildsEnabled = false;
    std::map<const CVes_TableBase*, std::unique_ptr<SheetBuild>> m_builds;
    CVes_SortBarSheet* m_sortSheet = nullptr;
    std::map<const CVes_TableBase*, Built> m_built;
    // What the last build asked for of a sheet reads.
    std::map<const CVes_TableBase*, BuildSource> m_asked;
};
