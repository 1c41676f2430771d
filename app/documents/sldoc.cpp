#include "app/documents/sldoc.h"

#include "app/documents/appdata.h"
#include "platform/archive.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sortbarsheet.h"

namespace {

SheetDocument::Texts slTexts()
{
    SheetDocument::Texts t;
    t.extension = QStringLiteral("ylb");
    t.filter = QStringLiteral("钢筋用量明细表(*.ylb)");
    t.schemaMessage = QStringLiteral("此文件版本与您使用的程序版本不符，无法正常显示。\n"
                                     "若想正常显示表格内容，请升级Rodo表到最新版本！");
    t.templateExtension = QStringLiteral("jstm");
    t.saveTemplateFilter = QStringLiteral("算量单模板(*.jstm)");
    t.openTemplateFilter = QStringLiteral("算量单模板(*.jstm)");
    t.defaultTemplateFilter = QStringLiteral("算量单模板(*.jstm)");
    t.profileKey = QStringLiteral("算量单");
    t.askDefaultAfterSave = true;
    t.nameItems = 0;
    return t;
}

} // namespace

CRODOSLDoc::CRODOSLDoc()
    : SheetDocument(slTexts()), m_pSLTable(std::make_unique<CVes_SLTable>()),
      m_pSummaryTable(std::make_unique<CVes_SLSumaryTable>()),
      m_pSummaryJTTable(std::make_unique<CVes_SLSumaryJTtable>()),
      m_pSortTable(std::make_unique<CVes_SortBarSheet>())
{
    // The sheet the user types into takes the clipboard keys; the sheets
    // made from it stay read-only.
    m_pSLTable->setReadOnly(0);
    loadDefaultTemplate();
    // A new sheet starts with nothing to undo.
    m_pSLTable->resetUndo();
    enableSortBuild(SheetBuild::Kind::Quantity, m_pSortTable.get());
}

CRODOSLDoc::~CRODOSLDoc()
{
    cancelBuilds();
}

CVes_TableBase* CRODOSLDoc::mainTable() const
{
    return m_pSLTable.get();
}

std::vector<docfiles::TemplatePart> CRODOSLDoc::templateParts() const
{
    return {{m_pSLTable.get(), QString()},
            {m_pSummaryTable.get(), QStringLiteral("jstm2")},
            {m_pSummaryJTTable.get(), QStringLiteral("jstm3")},
            {m_pSortTable.get(), QStringLiteral("jstm4")}};
}

QString CRODOSLDoc::templateFolder() const
{
    return GetSLTemplateFolder();
}

void CRODOSLDoc::markTableSaved()
{
    m_pSLTable->setSaved();
}

QByteArray CRODOSLDoc::derivedSettings() const
{
    platform::Archive ar;
    try {
        m_pSLTable->CVes_TableBase::Serialize(ar);
        m_pSLTable->getSortRules().Serialize(ar);
        m_pSLTable->getYuanCaiLib().Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return {};
    }
    return ar.data();
}

CRODOSLDoc::Builder CRODOSLDoc::builderOf(const CVes_TableBase* sheet) const
{
    if (sheet == m_pSummaryTable.get())
        return [to = m_pSummaryTable.get()](CVes_SLTable& from) { from.SummarySTeel(to); };
    if (sheet == m_pSummaryJTTable.get())
        return [to = m_pSummaryJTTable.get()](CVes_SLTable& from) { from.SummaryJT(to); };
    return {};
}

void CRODOSLDoc::buildNow(CVes_TableBase* sheet)
{
    buildFrom(sheet, *m_pSLTable, builderOf(sheet));
}

void CRODOSLDoc::BuildSummary()
{
    buildNow(m_pSummaryTable.get());
}

void CRODOSLDoc::BuildSummaryJT()
{
    buildNow(m_pSummaryJTTable.get());
}

void CRODOSLDoc::BuildOnChoice(CVes_TableBase* sheet, QWidget* busyParent)
{
    const Builder builder = builderOf(sheet);
    if (!builder)
        return;
    buildOnChoice(
        sheet,
        [this, builder] { return copyingJob<CVes_SLTable>(*m_pSLTable, builder); },
        busyParent,
        sheet == m_pSummaryTable.get() ? QStringLiteral("钢筋用量汇总表未能生成。")
                                       : QStringLiteral("钢筋连接类型汇总表未能生成。"));
}

void CRODOSLDoc::BuildSortSheet()
{
    finishBuilds(m_pSortTable.get());
    m_pSLTable->SortSteel(m_pSortTable.get());
}

void CRODOSLDoc::StartSortBuild(QWidget* busyParent)
{
    requestSortBuild(
        [this] {
            CVes_SortBarSheet* sheet = m_pSortTable.get();
            return copyingJob<CVes_SLTable>(*m_pSLTable,
                                            [sheet](CVes_SLTable& copy) { copy.SortSteel(sheet); });
        },
        busyParent);
}
