#include "tables/processing/processtexts.h"

#include "core/model/processsteel.h"
#include "tables/framework/counttext.h"
#include "tables/framework/lengthtext.h"
#include "tables/framework/template.h"

#include <cmath>

namespace processtext {

namespace {

constexpr int kTagsPerRow = 3;

} // namespace

QString lengthText(CVes_ProcessSteel& bar, double f0, double f1, int lengthUnit)
{
    const bool metres = lengthUnit == CVes_Template::kMetre;
    if (bar.isMultiVal()) {
        const double first = bar.getLength(0, f0) * f1;
        const double last = bar.getLength(1, f0) * f1;
        const int groups = bar.getMultiGroup();
        const double step = groups > 1 ? std::fabs(last - first) / (groups - 1) : 0.0;
        return lengthtext::rangeText(first, last, step, metres);
    }
    return lengthtext::number(bar.getLength(0, f0) * f1, metres);
}

QString countText(const CVes_ProcessSteel& bar)
{
    if (bar.count <= 0)
        return QStringLiteral("0");
    if (bar.isMultiVal())
        return counttext::grouped(bar.getMultiGroup(), bar.count);
    return QString::asprintf("%d", bar.count);
}

QString tagLabel(int number, int sub)
{
    return sub > 0 ? QString::asprintf("料牌 %d.%d", number, sub)
                   : QString::asprintf("料牌 %d", number);
}

TagRows tagRows(const CVes_ProcessSteel& bar, int firstTag)
{
    TagRows rows;
    const LiaoPaiArray& tags = *bar.getLpArrayPtr();
    for (int i = std::max(firstTag, 0), n = 0; i < int(tags.size()); ++i, ++n) {
        const CVes_LiaoPai& tag = tags[std::size_t(i)];
        if (n % kTagsPerRow == 0) {
            rows.labels.append(QString());
            rows.texts.append(QString());
        } else {
            rows.labels.last() += u'\n';
            rows.texts.last() += u'\n';
        }
        rows.labels.last() += tagLabel(tag.mark, tag.auxA);
        rows.texts.last() += tag.text;
    }
    return rows;
}

} // namespace processtext
