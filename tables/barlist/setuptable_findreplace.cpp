// What find and replace reaches of the bar list's rows: the element of an
// element row, the bar of a bar row.

#include "tables/barlist/setuptable.h"

#include "tables/framework/cellentry.h"
#include "tables/framework/findreplace.h"

QString CVes_SetupTable::foundRowText(CVes_TableBaseLine* row, int item)
{
    using namespace findreplace;
    auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
    if (!line)
        return {};
    if (item == kElement)
        return u"构件编号：" + printed(line->getElement()) + u"  件数："
            + QString::number(line->getEleNum()) + u"件。  " + printed(line->getEleRemark()) + u"  ";
    if (CVes_Steel* bar = line->getSetupSteel())
        return describeBar(*bar, item);
    return {};
}

bool CVes_SetupTable::replaceInFoundRow(CVes_TableBaseLine* row, const QString& find,
                                        const QString& replace, int item, QString* refusal)
{
    using namespace findreplace;
    auto* line = dynamic_cast<CVes_SetupTableLine*>(row);
    if (!line)
        return false;
    const bool textItem = item == kElement || (item == kRemark && line->isElementLine());
    if (textItem && !allowed(cellentry::unstorableText(replace), refusal))
        return false;
    // A row found on any page: the undo snapshots keep it as it was.
    beforeRowChange(line);
    if (item == kElement) {
        QString element = line->getElement();
        const bool changed = replaceText(element, find, replace);
        line->setElement(element);
        return changed;
    }
    if (item == kRemark && line->isElementLine()) {
        QString remark = line->getEleRemark();
        const bool changed = replaceText(remark, find, replace);
        line->setEleRemark(remark);
        return changed;
    }
    CVes_Steel* bar = line->getSetupSteel();
    return bar && replaceInBar(*bar, find, replace, item, refusal);
}
