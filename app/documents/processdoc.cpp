#include "app/documents/processdoc.h"

#include "app/documents/appdata.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"

namespace {

SheetDocument::Texts processTexts()
{
    SheetDocument::Texts t;
    t.extension = QStringLiteral("jgd");
    t.filter = QStringLiteral("钢筋加工明细单(*.jgd)");
    t.schemaMessage = QStringLiteral("此文件版本与您使用的程序版本不符，无法正常显示。\n"
                                     "若想正常显示表格内容，请升级Rodo表到最新的版本！");
    t.templateExtension = QStringLiteral("jptm");
    t.saveTemplateFilter = QStringLiteral("加工单模板(*.jptm)");
    t.openTemplateFilter = QStringLiteral("加工单模板(*.jptm)");
    t.defaultTemplateFilter = QStringLiteral("加工单单模板(*.jptm)");
    t.profileKey = QStringLiteral("加工单");
    t.cancelDefaultText = QStringLiteral("确定要取消“%1”作为新建加工单的默认模板");
    t.askDefaultAfterSave = false;
    t.nameItems = 2;
    t.saveAsTitleSuffix = QStringLiteral("  保存为");
    return t;
}

} // namespace

CRODOProcessDoc::CRODOProcessDoc()
    : SheetDocument(processTexts()), m_pProcessTable(std::make_unique<CVes_ProcessTable>()),
      m_pProcessListTable(std::make_unique<CVes_ProcessListTable>()),
      m_pLiaoPaiTable(std::make_unique<CVes_LiaoPaiTable>())
{
    // The sheet the user types into takes the clipboard keys; the sheets
    // made from it stay read-only.
    m_pProcessTable->setReadOnly(0);
    loadDefaultTemplate();
}

CRODOProcessDoc::~CRODOProcessDoc() = default;

CVes_TableBase* CRODOProcessDoc::mainTable() const
{
    return m_pProcessTable.get();
}

std::vector<docfiles::TemplatePart> CRODOProcessDoc::templateParts() const
{
    return {{m_pProcessTable.get(), QString()},
            {m_pProcessListTable.get(), QStringLiteral("jptm2")}};
}

QString CRODOProcessDoc::templateFolder() const
{
    return GetProcessTemplateFolder();
}

void CRODOProcessDoc::markTableSaved()
{
    m_pProcessTable->setSaved();
}

void CRODOProcessDoc::BuildListSheet()
{
    m_pProcessTable->toListSheet(m_pProcessListTable.get());
}

void CRODOProcessDoc::BuildLiaoPai()
{
    m_pProcessTable->toLiaoPaiTable(m_pLiaoPaiTable.get());
}
