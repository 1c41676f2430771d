// The rows of a processing sheet's page: heading rows with their caption and
// text across the row, bar rows with number, grade, shape, length, count,
// remark and tags.

#include "tables/processing/processtable.h"

#include "core/model/processsteel.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtableeditline.h"

namespace {

using EditLine = CVes_ProcessTableEditLine;

const QString kFont = QStringLiteral("宋体");

// The caption drawn before a heading row's text, and the text.
QString headingCaption(unsigned int kind)
{
    switch (kind) {
    case EditLine::kProjectRow:
        return QStringLiteral("工程名称：");
    case EditLine::kStoryRow:
        return QStringLiteral("所在层号：");
    case EditLine::kEleTypeRow:
        return QStringLiteral("构件类型：");
    default:
        return QStringLiteral("构件编号：");
    }
}

QString headingText(const EditLine& line)
{
    switch (line.getType()) {
    case EditLine::kProjectRow:
        return line.getProject();
    case EditLine::kStoryRow:
        return line.getStory();
    case EditLine::kEleTypeRow:
        return line.getEleType();
    default: {
        QString element = line.getEle();
        return element.replace(u'|', u'\n');
    }
    }
}

// The element a bar row belongs to: the nearest heading row before it, when
// that is an element row (a project, storey or element-type row closes the
// element). Null for none.
EditLine* elementOf(const TableLineList& lines, CVes_TableBaseLine* row)
{
    for (qsizetype i = lines.indexOf(row) - 1; i >= 0; --i) {
        auto* line = static_cast<EditLine*>(lines[i]);
        if (line->isNull() || line->getType() == EditLine::kSteelRow)
            continue;
        return line->getType() == EditLine::kEleRow ? line : nullptr;
    }
    return nullptr;
}

} // namespace

void CVes_ProcessTable::fillTable(platform::Dc* dc)
{
    if (!dc || !m_form)
        return;
    const PageContext page = beginPage(dc, kColShape, kColLength);
    // A heading's text goes into the first of columns 1 to 3 that shows.
    int textColumn = kColNumber;
    for (int c = kColNumber; c <= kColShape; ++c) {
        if (m_widths.value(c, 0) > 0) {
            textColumn = c;
            break;
        }
    }
    const int lastColumn = std::max(m_columnNum, 1) - 1;
    const auto centred = [&](int r, int c, const QString& text, int height) {
        m_form->setCellText(r, c, text, CVes_Cell::kAlignCentre, height, QPoint(0, 0), kFont);
    };

    fillPageRows(page, [&](CVes_ProcessTableListLine& base, int r, int rows) {
        auto& line = static_cast<EditLine&>(base);
        if (line.getType() != EditLine::kSteelRow) {
            if (line.getFirstLp() != 0)
                return;
            centred(r, kColPart, headingCaption(line.getType()), page.h);
            m_form->setCellText(r, textColumn, headingText(line), CVes_Cell::kAlignLeft, page.h,
                                QPoint(0, 0), kFont);
            m_form->setCellMerge(1, r, textColumn, r, lastColumn);
            return;
        }
        CVes_ProcessSteel& bar = *line.getProcessSteel();
        // A page that begins inside an element names it again beside its
        // first bar, its heading row having stayed on an earlier page.
        if (r == 1) {
            if (const EditLine* element = elementOf(m_lines, &line))
                centred(r, kColPart, headingText(*element) + QStringLiteral("（续）"), page.h);
        }
        if (line.getFirstLp() == 0) {
            centred(r, kColNumber, bar.number, page.h);
            fillBarCells(r, kColGrade, bar, page);
            m_form->setCellText(r, kColRemark, remarkText(bar.remark), CVes_Cell::kAlignLeft, page.h,
                                QPoint(0, 0), kFont);
            mergeDown(r, rows, {kColPart, kColNumber, kColGrade, kColShape, kColLength, kColCount,
                                kColRemark});
        }
        fillTags(line, r, rows, kColTags, kColStock, page);
    });
    finishPage(dc);
}
