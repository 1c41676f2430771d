#include "tables/processing/tagsheetbuilder.h"

#include "core/model/processsteel.h"
#include "tables/framework/counttext.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/liaopaitable.h"
#include "tables/processing/processtableeditline.h"
#include "tables/shared/sumhelpers.h"

namespace {

using EditLine = CVes_ProcessTableEditLine;

// Both captions begin with thirteen blanks.
const QString kElementCaption = QStringLiteral("             构件料牌");
const QString kTotalCaption = QStringLiteral("             构件总料牌");

} // namespace

void TagSheetBuilder::prepare(CVes_LiaoPaiTable& table, const CVes_TableBase& source,
                              int lengthColumn, int layout)
{
    table.clearnAllLineOnly();
    table.m_lpList.clear();
    table.m_units = source.m_units;
    table.m_lengthUnit = source.m_units.value(lengthColumn, CVes_Template::kMillimetre);
    // A layout no page draws would leave every tag off the paper.
    if (CVes_LiaoPaiTable::tagsPerPage(layout) == 0)
        layout = CVes_LiaoPaiTable::kLayoutJ2;
    table.setLiaoPaiDerect(unsigned(layout));
    table.m_texts[6].set(&source.m_texts[6]);
}

bool TagSheetBuilder::modeTakes(int tagMode, const CVes_BarCore& bar)
{
    if (tagMode == kMainBarsOnly)
        return !bar.isGuJin();
    if (tagMode == kStirrupsOnly)
        return bar.isGuJin() != 0;
    return true;
}

QString TagSheetBuilder::prefixOf(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return end > 0 ? text.left(end) + u'-' : QString();
}

QString TagSheetBuilder::countText(const CVes_LiaoPai& tag)
{
    return tag.auxB > 0 ? counttext::grouped(tag.count, tag.auxB) : QString::number(tag.count);
}

QString TagSheetBuilder::gradeText(const CVes_ProcessSteel& bar, const QString& stockText)
{
    const QString grade = Steel_GradeDNToTableString(bar.grade, bar.DN, bar.steelType);
    return stockText.isEmpty() ? grade : grade + QStringLiteral(" (") + stockText + u')';
}

double TagSheetBuilder::metresPerBar(CVes_ProcessSteel& bar, double toShape, double toMetre)
{
    if (bar.isMultiVal())
        return (double(bar.getLength(0, toShape)) + double(bar.getLength(1, toShape))) * 0.5
            * toMetre;
    return double(bar.getLength(0, toShape)) * toMetre;
}

QString TagSheetBuilder::weightText(const CVes_ProcessSteel& bar, const CVes_LiaoPai& tag,
                                    double metresPerBar)
{
    return QString::asprintf("%.2f", double(bar.tagBars(tag)) * metresPerBar
                                         * barsum::unitWeight(bar.grade, bar.DN));
}

TagSheetBuilder::TagSheetBuilder(CVes_LiaoPaiTable& table, Options options)
    : m_table(table), m_options(std::move(options))
{
}

void TagSheetBuilder::walk(const TableLineList& rows,
                           const std::function<void(CVes_ProcessSteel&)>& bar)
{
    for (CVes_TableBaseLine* row : rows) {
        auto* line = dynamic_cast<EditLine*>(row);
        if (!line || line->isNull())
            continue;
        if (line->getType() != EditLine::kSteelRow)
            heading(*line);
        CVes_ProcessSteel* steel = line->getProcessSteel();
        if (!steel->isNull())
            bar(*steel);
    }
    closeElement(false);
    m_table.sortSteel();
}

void TagSheetBuilder::heading(const EditLine& row)
{
    const unsigned int kind = row.getType();
    closeElement(kind == EditLine::kProjectRow);
    m_first = -1;
    m_last = -1;
    switch (kind) {
    case EditLine::kProjectRow:
        m_project = row.getProject();
        m_storey.clear();
        m_eleType.clear();
        m_element.clear();
        break;
    case EditLine::kStoryRow:
        m_storey = row.getStory();
        m_eleType.clear();
        m_element.clear();
        break;
    case EditLine::kEleTypeRow:
        m_eleType = row.getEleType();
        m_element.clear();
        break;
    default:
        m_element = row.getEle();
        m_element.replace(u'|', u'\n');
        // The element tag's place, before the element's bar tags; its texts
        // come when the element ends and its range is known.
        if (m_options.elementTags) {
            m_pending = qsizetype(m_table.m_lpList.size());
            m_table.m_lpList.emplace_back();
        }
        break;
    }
}

void TagSheetBuilder::closeElement(bool byProject)
{
    if (m_pending < 0)
        return;
    const QString range =
        QString::asprintf("%s料牌%d～%d", qUtf8Printable(m_options.prefix), m_first, m_last);
    const QString& caption =
        byProject && m_options.totalCaptionOnProject ? kTotalCaption : kElementCaption;
    m_table.m_lpList[std::size_t(m_pending)].setData(
        {m_project, m_storey, m_eleType, range, caption, m_element}, nullptr);
    m_pending = -1;
}

void TagSheetBuilder::addBarTag(const QStringList& texts, CVes_ProcessSteel* bar, int number)
{
    if (m_options.barTags)
        m_table.Add(texts, bar);
    if (m_first <= 0)
        m_first = number;
    m_last = number;
}
