#pragma once
// The document of a quantity sheet (钢筋用量明细表, ".ylb"): the quantity
// sheet, stored in the file, and its quantity summary, joint summary and
// sorted sheet, rebuilt from it (the sorted sheet on a worker thread from a
// copy of the sheet). No backup, auto-save or recovery files.

#include "app/documents/sheetdocument.h"

#include <functional>
#include <memory>

class CVes_SLSumaryJTtable;
class CVes_SLSumaryTable;
class CVes_SLTable;
class CVes_SortBarSheet;

class CRODOSLDoc : public SheetDocument {
    Q_OBJECT
public:
    CRODOSLDoc();
    ~CRODOSLDoc() override;

    CVes_SLTable* slTable() const { return m_pSLTable.get(); }
    CVes_SLSumaryTable* summaryTable() const { return m_pSummaryTable.get(); }
    CVes_SLSumaryJTtable* summaryJTTable() const { return m_pSummaryJTTable.get(); }
    CVes_SortBarSheet* sortTable() const { return m_pSortTable.get(); }

    CVes_TableBase* mainTable() const override;
    std::vector<docfiles::TemplatePart> templateParts() const override;
    QString templateFolder() const override;

    void BuildSummary();
    void BuildSummaryJT();
    // The summary or joint summary of a chosen tab made current: built
    // again, on a worker from a copy of the quantity sheet and with the busy
    // window over `busyParent`, only when the quantity sheet, its settings,
    // the raw-stock file or what else the documents share changed since it
    // was last built.
    void BuildOnChoice(CVes_TableBase* sheet, QWidget* busyParent = nullptr);
    // The sorted sheet on this thread (a rebuild running is taken first).
    void BuildSortSheet();
    // The sorted sheet on a worker from a copy of the quantity sheet; a
    // request while one runs makes one more after it.
    void StartSortBuild(QWidget* busyParent = nullptr);
protected:
    void markTableSaved() override;
    // The sheet's stored part without its rows (layout, title block, units),
    // its rules and its own raw stock.
    QByteArray derivedSettings() const override;

private:
    // How a summary is built from a quantity sheet; none for another table.
    using Builder = std::function<void(CVes_SLTable&)>;
    Builder builderOf(const CVes_TableBase* sheet) const;
    // Builds `sheet` from the quantity sheet on this thread.
    void buildNow(CVes_TableBase* sheet);

    std::unique_ptr<CVes_SLTable> m_pSLTable;
    std::unique_ptr<CVes_SLSumaryTable> m_pSummaryTable;
    std::unique_ptr<CVes_SLSumaryJTtable> m_pSummaryJTTable;
    std::unique_ptr<CVes_SortBarSheet> m_pSortTable;
};
