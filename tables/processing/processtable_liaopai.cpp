// The bar-tag sheet of a processing sheet: a tag for every tag of every
// processing bar, named after the sheet number ("JG01-料牌3"), and before the
// bar tags of each element an element tag with the range of their numbers.

#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtexts.h"
#include "tables/processing/tagsheetbuilder.h"

#include <memory>

namespace {

// The sheet number's title-block text.
constexpr int kSheetNumberText = 3;

QString tagName(const QString& prefix, const CVes_LiaoPai& tag)
{
    const QByteArray p = prefix.toUtf8();
    return tag.auxA > 0 ? QString::asprintf("%s料牌%d.%d", p.constData(), tag.mark, tag.auxA)
                        : QString::asprintf("%s料牌%d", p.constData(), tag.mark);
}

// The bars on the tag; a graded bar's tag shows its bars a group (the
// tag's count) and then its groups, as the sheet's count column does.
QString countText(const CVes_LiaoPai& tag)
{
    if (tag.auxB > 0)
        return QString::asprintf("%d/组 共%d组", tag.count, tag.auxB);
    return QString::asprintf("%d", tag.count);
}

} // namespace

CVes_LiaoPaiTable* CVes_ProcessTable::toLiaoPaiTable(CVes_LiaoPaiTable* table)
{
    std::unique_ptr<CVes_LiaoPaiTable> made;
    if (!table) {
        made = std::make_unique<CVes_LiaoPaiTable>();
        table = made.get();
    }
    TagSheetBuilder::prepare(*table, *this, kColLength, m_liaoPaiDirect);

    TagSheetBuilder::Options options;
    options.prefix = TagSheetBuilder::prefixOf(m_texts[kSheetNumberText].m_formula);
    // Tag types: 0 bar and element tags, 1 bar tags only, 3 and 4 the bar
    // tags of main bars or of stirrups only, 2 and any other value element
    // tags only.
    const int type = m_liaoPaiType;
    const bool oneKind = type == TagSheetBuilder::kMainBarsOnly || type == TagSheetBuilder::kStirrupsOnly;
    options.elementTags = type != 1 && !oneKind;
    options.barTags = type < 2 || oneKind;
    options.totalCaptionOnProject = true;
    TagSheetBuilder builder(*table, options);

    const int shapeUnit = m_units.value(kColShape, kMillimetre);
    const int lengthUnit = table->m_lengthUnit;
    const double toShape = transUnit(kMillimetre, shapeUnit);
    const double toLength = transUnit(shapeUnit, lengthUnit);
    const double toMetre = transUnit(shapeUnit, kMetre);

    builder.walk(m_lines, [&](CVes_ProcessSteel& bar) {
        if (!TagSheetBuilder::modeTakes(type, bar))
            return;
        const QString length = processtext::lengthText(bar, toShape, toLength, lengthUnit);
        const double metres = TagSheetBuilder::metresPerBar(bar, toShape, toMetre);
        // A copy: adding tags must not move the tags being walked.
        const LiaoPaiArray tags = bar.tags;
        for (const CVes_LiaoPai& tag : tags) {
            const QStringList texts{builder.project(),
                                    builder.storey(),
                                    builder.eleType(),
                                    tagName(options.prefix, tag),
                                    bar.remark,
                                    builder.element(),
                                    bar.number,
                                    countText(tag),
                                    TagSheetBuilder::gradeText(bar, tag.text),
                                    length,
                                    TagSheetBuilder::weightText(bar, tag, metres)};
            builder.addBarTag(texts, &bar, tag.mark);
        }
    });
    made.release();
    return table;
}
