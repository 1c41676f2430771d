// The bar list turned into processing rows: the rows a processing sheet
// imports, and the summary rows the bar tags and the sorted sheet are built
// from.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "core/model/barlimits.h"
#include "core/model/processsteel.h"
#include "core/model/samebarindex.h"
#include "tables/processing/processtableeditline.h"
#include "tables/processing/tagsheetbuilder.h"
#include "tables/shared/sumhelpers.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace {

using EditLine = CVes_ProcessTableEditLine;
using ListLine = CVes_ProcessTableListLine;

EditLine* headingRow(unsigned int kind, const QString& text)
{
    auto* line = new EditLine(kind);
    switch (kind) {
    case EditLine::kProjectRow:
        line->setProject(text);
        break;
    case EditLine::kStoryRow:
        line->setStory(text);
        break;
    default:
        line->setEle(text);
        break;
    }
    line->setNull(0);
    return line;
}

// What the bar's processing rows record as its source: by the sort rules'
// mode, the element's name (1), the bar's number (2) or both (3).
QString sourceNumber(int mode, const QString& element, const QString& number)
{
    switch (mode) {
    case 1:
        return element;
    case 2:
        return number;
    case 3:
        if (!element.isEmpty() && !number.isEmpty())
            return element + u'-' + number;
        return element + number;
    default:
        return {};
    }
}

bool sameBars(const CVes_BarCore& a, const CVes_BarCore& b)
{
    // Sameness may bring a stored length up to date: asked of copies.
    CVes_BarCore mine(a);
    CVes_BarCore theirs(b);
    return mine.isSame(theirs) != 0;
}

// The walk of transformProcess: the element being converted and the rows
// it has produced so far.
struct Walk {
    QString element;
    int pieces = 1;
    bool taking = true;
    int sequence = 0;
    std::vector<EditLine*> elementBars;
};

} // namespace

TableLineList CVes_SetupTable::transformProcess(int, int)
{
    CVes_SteelYuanCaiDataLib stockFile;
    stockFile.readFile(GetRODOFilePath() + QStringLiteral("KUCUN.xml"));

    TableLineList rows;
    // A title text of blanks names nothing.
    const auto titleRow = [&](int text, unsigned int kind) {
        const QString value = m_texts[std::size_t(text)].m_formula;
        if (!value.trimmed().isEmpty())
            rows.append(headingRow(kind, value));
    };
    titleRow(2, EditLine::kProjectRow);
    titleRow(3, EditLine::kStoryRow);
    titleRow(4, EditLine::kEleRow);

    Walk walk;
    walk.pieces = m_defaultEleNum;
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        auto* line = static_cast<CVes_SetupTableLine*>(row);
        if (line->isNull())
            continue;
        if (line->isElementLine()) {
            walk.taking = m_huizong.m_mode != CVes_HuizongRules::kChosenElements
                || m_huizong.m_elements.contains(line);
            if (!walk.taking)
                continue;
            walk.pieces = line->getEleNum();
            walk.element = line->getElement();
            walk.elementBars.clear();
            rows.append(headingRow(EditLine::kEleRow, walk.element));
            continue;
        }
        if (!walk.taking || !line->isSteelLine())
            continue;
        CVes_Steel& bar = line->m_steel;
        if ((m_huizong.m_mode == CVes_HuizongRules::kBarNumberKey && !m_huizong.PipeiKey(bar.number))
            || (m_huizong.m_mode == CVes_HuizongRules::kBarRemarkKey
                && !m_huizong.PipeiKey(bar.remark)))
            continue;

        // The raw stock of every bar taken is registered, filtered out or not.
        CVes_SumLengthItem kind;
        kind.grade = bar.grade;
        kind.diameter = bar.DN;
        kind.coating = bar.steelType;
        barsum::stockRecord(m_yuanCai, stockFile, kind);

        if (!TagSheetBuilder::modeTakes(int(m_liaoPaiType), bar))
            continue;
        const QString source = sourceNumber(m_rules.m_guibingShow, walk.element, bar.number);
        const bool split = m_liaoPaiEleChaifen != 0;

        CVes_ProcessSteel processing;
        processing.set(static_cast<const CVes_BarCore*>(&bar));
        if (m_liaoPaiGuibing) {
            bool merged = false;
            for (EditLine* earlier : walk.elementBars) {
                CVes_ProcessSteel* into = earlier->getProcessSteel();
                if (earlier->isNull() || !sameBars(*into, processing))
                    continue;
                const std::int64_t added =
                    split ? bar.count : std::int64_t(bar.count) * walk.pieces;
                if (!barlimits::joinable(barlimits::kRowCount, double(into->count), double(added)))
                    continue;
                into->count += int(added);
                // The row's one tag counts the whole row, a graded row's
                // tag still its bars a group first.
                if (into->getLPNum() > 0)
                    into->setTagCount(into->tags.front(), into->count);
                into->addOriginalBH(source, int(added));
                merged = true;
                // Without the split the first equal row takes the whole count.
                if (!split)
                    break;
            }
            if (merged)
                continue;
        }

        const int copies = split ? std::max(walk.pieces, 0) : 1;
        // Within a row's bars: a bar list's count times its pieces.
        processing.count = split ? bar.count : int(std::int64_t(bar.count) * walk.pieces);
        for (int piece = 0; piece < copies; ++piece) {
            CVes_ProcessSteel one(processing);
            one.setPID(++walk.sequence);
            one.addOriginalBH(source, one.count);
            auto* out = new EditLine();
            out->setSteel(one);
            rows.append(out);
            walk.elementBars.push_back(out);
        }
    }
    return rows;
}

TableLineList CVes_SetupTable::transformProcessList(int, int, int keepEditLines)
{
    const TableLineList rows = transformProcess();
    std::vector<std::unique_ptr<ListLine>> summary;
    SameBarIndex joinable;
    for (CVes_TableBaseLine* row : rows) {
        auto* line = static_cast<EditLine*>(row);
        CVes_ProcessSteel* bar = line->getProcessSteel();
        if (line->isNull() || bar->isNull())
            continue;
        // The earlier rows are tried in order; only rows of the same joining
        // key can take the bar.
        const SameBarIndex::Key key = SameBarIndex::keyOf(*bar);
        bool taken = false;
        if (m_rules.m_mergeSame) {
            for (const std::size_t earlier : joinable.candidates(key)) {
                CVes_ProcessSteel* into = summary[earlier]->getProcessSteel();
                if (into->join(*bar)) {
                    bar->setPID(into->getPID());
                    taken = true;
                    break;
                }
            }
        }
        if (taken)
            continue;
        auto made = std::make_unique<ListLine>();
        made->setSteel(*bar);
        made->getProcessSteel()->setPID(int(summary.size()) + 1);
        bar->setPID(int(summary.size()) + 1);
        joinable.add(key, summary.size());
        summary.push_back(std::move(made));
    }
    // A row prints one row for every three of its tags, those it took in
    // included.
    for (auto& line : summary)
        line->setRows(line->getProcessSteel()->resetRows());

    TableLineList result;
    if (keepEditLines) {
        result = rows;
    } else {
        qDeleteAll(rows);
        for (auto& line : summary)
            result.append(line.release());
    }
    return result;
}
