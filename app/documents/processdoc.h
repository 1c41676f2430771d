#pragma once
// The document of a processing sheet (钢筋加工明细单, ".jgd"): the processing
// sheet, stored in the file, its summary (钢筋加工单) and its bar tags, both
// rebuilt from the sheet. No backup, auto-save or recovery files.

#include "app/documents/sheetdocument.h"

#include <memory>

class CVes_LiaoPaiTable;
class CVes_ProcessListTable;
class CVes_ProcessTable;

class CRODOProcessDoc : public SheetDocument {
    Q_OBJECT
public:
    CRODOProcessDoc();
    ~CRODOProcessDoc() override;

    CVes_ProcessTable* processTable() const { return m_pProcessTable.get(); }
    CVes_ProcessListTable* processListTable() const { return m_pProcessListTable.get(); }
    CVes_LiaoPaiTable* liaoPaiTable() const { return m_pLiaoPaiTable.get(); }

    CVes_TableBase* mainTable() const override;
    std::vector<docfiles::TemplatePart> templateParts() const override;
    QString templateFolder() const override;

    void BuildListSheet();
    void BuildLiaoPai();

protected:
    void markTableSaved() override;

private:
    std::unique_ptr<CVes_ProcessTable> m_pProcessTable;
    std::unique_ptr<CVes_ProcessListTable> m_pProcessListTable;
    std::unique_ptr<CVes_LiaoPaiTable> m_pLiaoPaiTable;
};
