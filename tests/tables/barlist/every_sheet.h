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

// A dimension of a graded bar: its first and last value (degrees for an
// angle, which is not graded).
struct GradedDimension {
    const char* name;
    double first;
    double last;
};

struct GradedShape {
    CSteelRecordId key;
    std::vector<GradedDimension> dimensions;
};

// Every shape of the default libraries with two or more dimensions, each
// length graded, with the long value texts ("2300～1500 △200") of a row of
// graded bars.
inline const std::vector<GradedShape>& gradedShapes()
{
    static const std::vector<GradedShape> shapes{
        {{191, 1}, {{"L1", 2300, 1500}, {"L2", 350, 150}}},
        {{191, 2}, {{"L1", 450, 250}, {"L2", 3600, 2800}, {"L3", 450, 250}}},
        {{191, 3}, {{"L1", 150, 120}, {"L2", 2300, 1500}, {"L3", 150, 120}}},
        {{191, 4}, {{"L1", 1200, 800}, {"L2", 1800, 1400}, {"H", 350, 250}}},
        {{191, 5}, {{"L1", 400, 300}, {"H", 550, 450}, {"a", 45, 45}, {"L2", 2400, 1800}, {"L3", 400, 300}}},
        {{191, 6}, {{"L1", 1600, 1200}, {"H", 550, 450}, {"a", 45, 45}, {"L2", 900, 600}}},
        {{191, 7}, {{"L1", 300, 200}, {"H", 650, 450}, {"a", 60, 60}, {"B", 350, 250}}},
        {{191, 8}, {{"L1", 2800, 2200}, {"L2", 400, 250}}},
        {{191, 9}, {{"L1", 1500, 1100}, {"L2", 900, 700}, {"a", 30, 30}}},
        {{191, 10}, {{"L1", 300, 200}, {"Lh", 3300, 2700}, {"a", 35, 35}, {"L3", 450, 350}}},
        {{192, 1}, {{"H", 650, 450}, {"B", 300, 200}}},
        {{192, 2}, {{"H", 650, 450}, {"B", 300, 200}}},
        {{192, 3}, {{"H", 650, 450}, {"B", 300, 200}}},
        {{192, 4}, {{"D", 800, 600}, {"Lap", 450, 350}}},
        {{192, 5}, {{"D", 800, 600}, {"P", 150, 100}, {"H", 3000, 2400}}},
        {{192, 6}, {{"B", 500, 350}, {"H", 500, 350}}},
        {{194, 1}, {{"L1", 300, 200}, {"H", 250, 150}, {"B", 300, 200}}},
        {{194, 2}, {{"H", 250, 150}, {"B", 300, 200}}},
        {{194, 3}, {{"H", 250, 150}, {"B", 2300, 1500}}},
        {{195, 1}, {{"L1", 4500, 3500}, {"L2", 4500, 3500}}},
        {{195, 2}, {{"L1", 4500, 3500}, {"L2", 2300, 1500}, {"L3", 350, 250}}},
        {{195, 3}, {{"L1", 3900, 3100}, {"L2", 3900, 3100}}},
    };
    return shapes;
}

// Two elements of graded bars, one bar on each shape of gradedShapes() in
// each, graded in five groups.
inline void fillGradedShapesList(CVes_SetupTable& list)
{
    list.clearnAllLine();
    list.m_texts[2].m_formula = QStringLiteral("滨江花园3号楼");
    list.m_texts[3].m_formula = QStringLiteral("二层梁柱板");
    static const float kSizes[] = {8, 12, 16, 20, 25};
    int number = 0;
    for (const char* name : {"KL7(3)", "LT2"}) {
        auto* element = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
        element->setNull(0);
        element->setElement(QString::fromUtf8(name));
        element->setEleNum(2);
        list.appendLine(element);
        for (const GradedShape& shape : gradedShapes()) {
            CVes_Steel bar;
            bar.setRecordId(shape.key);
            bar.setDN(kSizes[number % std::size(kSizes)]);
            bar.grade = 3;
            bar.setMultiVal(1);
            bar.setMultiGroup(5);
            for (const GradedDimension& dimension : shape.dimensions) {
                bar.setVarValue(QString::fromUtf8(dimension.name), dimension.first);
                bar.setVarValueE(QString::fromUtf8(dimension.name), dimension.last);
            }
            bar.count = 2;
            bar.number = QString::number(++number);
            bar.getFirstMidConnect()->stat = 0;
            list.Add(bar);
        }
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
    // The sheet of that name; null for none.
    CVes_TableBase* named(const QString& name) const
    {
        for (const NamedSheet& sheet : m_sheets) {
            if (sheet.name == name)
                return sheet.table;
        }
        return nullptr;
    }

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
