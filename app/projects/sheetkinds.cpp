#include "app/projects/sheetkinds.h"

#include "app/panes/resourceids.h"
#include "app/projects/projecttreectrl.h"

namespace {

// The placement goes to 施工部位 on a bar list, 加工说明 on a processing
// sheet and 统计范围 on a quantity sheet.
constexpr SheetKind kSheetKinds[] = {
    {"pld", CProjectTreeCtrl::TREE_CAT_PLD, "钢筋下料表单", CProjectTreeCtrl::TREE_FILE_PLD, 12,
     IDR_SETUPTYPE, 3},
    {"jgd", CProjectTreeCtrl::TREE_CAT_JGD, "钢筋加工表单", CProjectTreeCtrl::TREE_FILE_JGD, 13,
     IDR_PROCESSTYPE, 4},
    {"ylb", CProjectTreeCtrl::TREE_CAT_YLB, "钢筋算量表单", CProjectTreeCtrl::TREE_FILE_YLB, 14,
     IDR_SLTYPE, 3},
};

} // namespace

std::span<const SheetKind> sheetKinds()
{
    return kSheetKinds;
}

const SheetKind* sheetKindOfFile(const QString& fileName)
{
    if (fileName.size() < 5 || fileName.at(fileName.size() - 4) != u'.')
        return nullptr;
    const QString extension = fileName.right(3);
    for (const SheetKind& kind : kSheetKinds)
        if (extension.compare(QLatin1String(kind.extension), Qt::CaseInsensitive) == 0)
            return &kind;
    return nullptr;
}

const SheetKind* sheetKindOfCategory(int category)
{
    for (const SheetKind& kind : kSheetKinds)
        if (kind.category == category)
            return &kind;
    return nullptr;
}

const SheetKind* sheetKindOfTemplate(int templateId)
{
    for (const SheetKind& kind : kSheetKinds)
        if (kind.templateId == templateId)
            return &kind;
    return nullptr;
}
