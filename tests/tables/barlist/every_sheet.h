#pragma once
// Every sheet the program prints, made from one bar list as a detailer's
// day makes them: the list itself with its cover and contents, the sorted
// sheet, the bar and joint summaries, the purchase list, the bar tags in
// each of the six layouts, the cutting list, the processing sheet and its
// summary, and the quantity sheet with its summary, joint and sorted sheets.
// The list is a generated one with the texts that strain a page: long
// remarks (with "|" breaks), graded bars, many sizes, epoxy-coated bars and
// bars with couplers.

#include "tests/support/generatedbarlist.h"

#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/setuptable.h"
#include "tables/barlist/setuptableline.h"
#include "tables/framework/tablecontents.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processlisttable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/slsumarytable.h"
#include "tables/quantity/sltable.h"
#include "tables/quantity/sltableline.h"
#include "tables/quantity/sortbarsheet.h"
#include "tables/quantity/steeljinhuosumarytable.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <QString>

#include <memory>
#include <utility>
#include <vector>

namespace test {

// Remarks as detailers type them: long sentences, several lines, or none.
inline const QStringList& longRemarks()
{
    static const QStringList remarks{
        QStringLiteral("支座负筋，伸入跨内长度按图集施工，注意保护层厚度"),
        QStringLiteral("两端|弯锚|现场复核"),
        QStringLiteral("KZ3角部纵筋，与基础插筋采用直螺纹套筒连接"),
        QStringLiteral("箍筋加密区100，非加密区200"),
    };
    return remarks;
}

// The generated list with graded, coated, coupled and long-remarked bars
// added to its elements, and the title block a project gives it.
inline void fillStrainingList(CVes_SetupTable& list, int elements = 6, int barsPerElement = 12)
{
    fillGeneratedList(list, elements, barsPerElement);
    list.m_texts[5].m_formula = QStringLiteral("王工");
    list.m_texts[7].m_formula = QStringLiteral("2026-3-18");
    list.setExVarVal(CVes_TableBase::kVarCover, 25.0);
    int n = 0;
    for (CVes_TableBaseLine* base : list.lines()) {
        auto* line = static_cast<CVes_SetupTableLine*>(base);
        if (line->isNull() || line->getType() != CVes_SetupTableLine::kSteelLine)
            continue;
        CVes_Steel& bar = line->m_steel;
        ++n;
        if (n % 3 == 0)
            bar.remark = longRemarks()[(n / 3) % longRemarks().size()];
        if (n % 7 == 0)
            bar.steelType = 1;
        if (n % 5 == 0) {
            // A graded bar: its first dimension runs from 2000 to 3000.
            const CVes_Variable* first = bar.getVarArray().empty() ? nullptr
                                                                   : bar.getVarArray()[0].get();
            if (first) {
                bar.setMultiVal(1);
                bar.setMultiGroup(5);
                bar.setVarValue(first->m_text, 2000.0);
                bar.setVarValueE(first->m_text, 3000.0);
            }
        }
        if (n % 11 == 0) {
            CVes_Connect coupler;
            coupler.type = 7;
            bar.setLConnect(&coupler);
            bar.setDN(28.0f);
        }
        if (n % 13 == 0)
            bar.grade = 2;
    }
    list.refreshCurPage();
}

// One printable sheet and the name a failure gives it.
struct NamedSheet {
    QString name;
    CVes_TableBase* table;
};

class EverySheet {
public:
    explicit EverySheet(CVes_SetupTable& list)
    {
        const auto keep = [this](const QString& name, CVes_TableBase* table) {
            m_owned.emplace_back(table);
            m_sheets.push_back({name, table});
        };
        m_sheets.push_back({QStringLiteral("配料单"), &list});
        keep(QStringLiteral("目录"), list.TableContens(nullptr));
        keep(QStringLiteral("规格排序"), list.SortSteel(nullptr, 0));
        keep(QStringLiteral("用量汇总"), list.SummarySTeel(nullptr, 0));
        keep(QStringLiteral("接头汇总"), list.SummaryJT(nullptr));
        keep(QStringLiteral("原材进货"), list.JinHuo(nullptr));
        for (int layout = 0; layout < CVes_LiaoPaiTable::kLayoutCount; ++layout) {
            CVes_LiaoPaiTable* tags = list.toLiaoPaiTable(nullptr);
            tags->setLiaoPaiDerect(unsigned(layout));
            tags->refreshCurPage();
            keep(QStringLiteral("料牌%1").arg(layout), tags);
        }
        keep(QStringLiteral("优化断料"), cuttingList(list));

        auto* process = new CVes_ProcessTable;
        process->import(list.transformProcess());
        keep(QStringLiteral("加工明细单"), process);
        keep(QStringLiteral("加工汇总单"), process->toListSheet(nullptr));

        auto* quantity = new CVes_SLTable;
        auto* type = new CVes_SLTableLine(CVes_SLTableLine::kEleTypeRow);
        type->setNull(0);
        type->setEleType(QStringLiteral("框架梁"));
        QList<CVes_SLTableLine*> rows{type};
        rows += list.transformSL(0);
        quantity->import(rows);
        keep(QStringLiteral("钢筋用量表"), quantity);
        keep(QStringLiteral("用量表汇总"), quantity->SummarySTeel(nullptr));
        keep(QStringLiteral("用量表接头"), quantity->SummaryJT(nullptr));
        keep(QStringLiteral("用量表排序"), quantity->SortSteel(nullptr));
    }

    const std::vector<NamedSheet>& sheets() const { return m_sheets; }

private:
    // The cutting list of the list's most used size.
    static CVes_YouhuaDuanLiaoTable* cuttingList(CVes_SetupTable& list)
    {
        CuttingJob job = list.prepareDuanLiao();
        auto* table = new CVes_YouhuaDuanLiaoTable;
        if (!job.groups().empty()) {
            const CuttingJob::Group& group = job.groups().front();
            job.choose(group.grade, group.diameter, list.getYuanCaiLib());
            job.cut();
            job.fill(*table);
        }
        table->refreshCurPage();
        return table;
    }

    std::vector<NamedSheet> m_sheets;
    std::vector<std::unique_ptr<CVes_TableBase>> m_owned;
};

} // namespace test
