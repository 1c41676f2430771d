#include "app/shell/filetemplates.h"

#include "app/shell/childframe.h"
#include "app/shell/plaintabledoc.h"
#include "app/shell/resourceids.h"
#include "platform/ui/doctemplate.h"
#include "tables/barlist/setuptable.h"
#include "tables/processing/processtable.h"
#include "tables/quantity/sltable.h"

namespace {

template <typename Table>
std::unique_ptr<platform::DocTemplate> plainTemplate(int resourceId, const char* docString, int viewType)
{
    return std::make_unique<platform::DocTemplate>(
        resourceId, QString::fromUtf8(docString),
        [] { return std::make_unique<CPlainTableDoc>([] { return std::make_unique<Table>(); }); },
        [] { return new CChildFrame; },
        [viewType](QWidget* parent) { return new CPlainTableView(viewType, parent); });
}

} // namespace

std::unique_ptr<platform::DocTemplate> createSetUpTemplate()
{
    return plainTemplate<CVes_SetupTable>(
        IDR_SETUPTYPE, "\n翻样任务\n翻样任务\n钢筋配料单 (*.pld)\n.pld\nrodo.Document\n配料单文件",
        CVes_TableViewBase::kBarListView);
}

std::unique_ptr<platform::DocTemplate> createProcessTemplate()
{
    return plainTemplate<CVes_ProcessTable>(
        IDR_PROCESSTYPE, "\n加工任务\n加工任务\n钢筋加工单 (*.jgd)\n.jgd\nrodo.Document\n加工单文件",
        CVes_TableViewBase::kProcessView);
}

std::unique_ptr<platform::DocTemplate> createSLTemplate()
{
    return plainTemplate<CVes_SLTable>(
        IDR_SLTYPE, "\n汇总对量\n汇总对量\n钢筋用量表 (*.ylb)\n.ylb\nrodo.Document\n钢筋用量表文件",
        CVes_TableViewBase::kQuantityView);
}
