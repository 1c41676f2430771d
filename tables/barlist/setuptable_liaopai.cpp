// The bar-tag sheet of a bar list: the bar list turned into processing rows,
// a tag for every tag of every processing bar, and by the tag mode an element
// tag before each element's bar tags naming the range of their numbers
// ("第一层-料牌1～12").

#include "tables/barlist/setuptable.h"

#include "core/model/processsteel.h"
#include "envora/usercustom.h"
#include "tables/framework/lengthtext.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtexts.h"
#include "tables/processing/tagsheetbuilder.h"

#include <QtGlobal>

#include <cmath>
#include <memory>
#include <vector>

namespace {

// The construction part's title-block text.
constexpr int kConstructionPartText = 3;
// Shapes of this library are bar groups.

// A bar group's lengths member by member: graded members as "first～last\n△step"
// (or the first length alone when it does not vary), joined by "/"; other
// members one length a line.
QString groupLengthText(CVes_ProcessSteel& bar, double toShape, double toLength, bool metres)
{
    std::vector<float> first;
    std::vector<int> counts;
    bar.calculateGroupLength(first, counts, 0, toShape);
    QStringList parts;
    if (!bar.isMultiVal()) {
        for (const float length : first)
            parts << lengthtext::number(length * toLength, metres);
        return parts.join(u'\n');
    }
    std::vector<float> last;
    counts.clear();
    bar.calculateGroupLength(last, counts, 1, toShape);
    const int groups = bar.getMultiGroup();
    for (std::size_t i = 0; i < first.size(); ++i) {
        const double a = first[i] * toLength;
        const double b = (i < last.size() ? last[i] : first[i]) * toLength;
        const double step = groups > 1 ? std::fabs(b - a) / (groups - 1) : 0.0;
        if (step < 0.01)
            parts << lengthtext::number(a, metres);
        else
            parts << lengthtext::number(a, metres) + QStringLiteral("～")
                         + lengthtext::number(b, metres) + QStringLiteral("\n△")
                         + lengthtext::number(step, metres);
    }
    return parts.join(u'/');
}

bool isBarGroup(CVes_ProcessSteel& bar)
{
    return bar.getRecordId().m_mainId == CSteelRecordId::kGroupLibrary || bar.isSteelGroup();
}

QString tagNumberText(const CVes_LiaoPai& tag, int pid)
{
    return tag.auxA > 0 ? QString::asprintf("%d.%d  [%d]", tag.mark, tag.auxA, pid)
                        : QString::asprintf("料牌%d  [%d]", tag.mark, pid);
}

} // namespace

CVes_LiaoPaiTable* CVes_SetupTable::toLiaoPaiTable(CVes_LiaoPaiTable* tags)
{
    std::unique_ptr<CVes_LiaoPaiTable> made;
    if (!tags) {
        made = std::make_unique<CVes_LiaoPaiTable>();
        tags = made.get();
    }
    TagSheetBuilder::prepare(*tags, *this, kColCutLength, m_liaoPaiDirect);

    TagSheetBuilder::Options options;
    options.prefix = TagSheetBuilder::prefixOf(m_texts[kConstructionPartText].m_formula);
    options.elementTags = m_liaoPaiType != 1 && m_liaoPaiType != 3 && m_liaoPaiType != 4;
    options.barTags = m_liaoPaiType != 2;
    TagSheetBuilder builder(*tags, options);

    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const int lengthUnit = tags->m_lengthUnit;
    const bool metres = lengthUnit == kMetre;
    const double toShape = transUnit(kMillimetre, shapeUnit);
    const double toLength = transUnit(shapeUnit, lengthUnit);
    const double toMetre = transUnit(shapeUnit, kMetre);
    const bool groupsByMember = Info_UserCustomSteelGroupShow() == 1;

    const TableLineList rows = transformProcessList(m_liaoPaiGuibing, 1, 1);
    builder.walk(rows, [&](CVes_ProcessSteel& bar) {
        const QString length = groupsByMember && isBarGroup(bar) && bar.getRecord()
            ? groupLengthText(bar, toShape, toLength, metres)
            : processtext::lengthText(bar, toShape, toLength, lengthUnit);
        const double perBar = TagSheetBuilder::metresPerBar(bar, toShape, toMetre);
        const QString number = QString::asprintf("%s [%d]", qUtf8Printable(bar.number), bar.getPID());
        const LiaoPaiArray barTags = bar.tags;
        for (const CVes_LiaoPai& tag : barTags) {
            const QStringList texts{builder.project(),
                                    builder.storey(),
                                    builder.eleType(),
                                    tagNumberText(tag, bar.getPID()),
                                    bar.remark,
                                    builder.element(),
                                    number,
                                    TagSheetBuilder::countText(tag),
                                    TagSheetBuilder::gradeText(bar, tag.text),
                                    length,
                                    TagSheetBuilder::weightText(bar, tag, perBar)};
            builder.addBarTag(texts, &bar, tag.mark);
        }
    });
    qDeleteAll(rows);
    made.release();
    return tags;
}
