// The bar list's row operations: appending and inserting rows, filling the
// last page with empty rows, moving rows, whole elements with their weight,
// and appending another bar list.

#include "tables/barlist/setuptable.h"

#include "tables/barlist/bartexts.h"

namespace {

using Line = CVes_SetupTableLine;

Line* asLine(CVes_TableBaseLine* row)
{
    return static_cast<Line*>(row);
}

} // namespace

// Appending

CVes_SetupTableLine* CVes_SetupTable::Add(const CVes_Steel& bar)
{
    return Add(&bar);
}

CVes_SetupTableLine* CVes_SetupTable::Add(const CVes_Steel* bar)
{
    auto* line = new Line(int(Line::kSteelLine));
    if (bar)
        line->setSteel(bar);
    m_lines.append(line);
    markEdited();
    return line;
}

CVes_SetupTableLine* CVes_SetupTable::Add(const QStringList& texts)
{
    auto* line = new Line(int(Line::kTextLine));
    line->SetText(texts);
    // A row that holds texts is content: an empty mark would let it be
    // dropped as a filler row at the end of the table.
    for (const QString& text : texts) {
        if (!text.isEmpty()) {
            line->setNull(0);
            break;
        }
    }
    m_lines.append(line);
    markEdited();
    return line;
}

CVes_SetupTableLine* CVes_SetupTable::AddImagLine(const CVes_SteelStartReference* image)
{
    auto* line = new Line(int(Line::kImageLine));
    if (image) {
        line->setImage(image);
        line->setNull(0);
    }
    m_lines.append(line);
    markEdited();
    return line;
}

// Inserting

int CVes_SetupTable::InsertRow(CVes_SetupTableLine* row)
{
    return insertBeforeSelection(row);
}

void CVes_SetupTable::InsertRow(int empty)
{
    InsertSteelRow(empty);
}

CVes_SetupTableLine* CVes_SetupTable::InsertSteelRow(int empty)
{
    auto* line = new Line(int(Line::kSteelLine));
    line->setNull(empty);
    if (!InsertRow(line)) {
        delete line;
        return nullptr;
    }
    if (!empty) {
        getDefualtValueFromPrvLine(line);
        // A new row keeps its size when no bar before it gave one.
        clearUncopiedFields(line->m_steel, kCopyAll & ~kCopyGrade);
    }
    AddUndo();
    return line;
}

namespace {

CVes_SetupTableLine* insertFilled(CVes_SetupTable& table, Line* line)
{
    line->setNull(0);
    if (!table.InsertRow(line)) {
        delete line;
        return nullptr;
    }
    table.AddUndo();
    return line;
}

} // namespace

CVes_SetupTableLine* CVes_SetupTable::InsertTextRow()
{
    return insertFilled(*this, new Line(int(Line::kTextLine)));
}

CVes_SetupTableLine* CVes_SetupTable::InsertUnitRow()
{
    return insertFilled(*this, new Line(int(Line::kUnitLine)));
}

CVes_SetupTableLine* CVes_SetupTable::InsertImageRow()
{
    return insertFilled(*this, new Line(int(Line::kImageLine)));
}

CVes_SetupTableLine* CVes_SetupTable::InsertElementRow(const QString& number)
{
    auto* line = new Line(int(Line::kElementLine));
    line->setElement(number);
    return insertFilled(*this, line);
}

// Pages

void CVes_SetupTable::addPage()
{
    appendEmptyPage([] { return new Line(int(Line::kSteelLine)); });
}

void CVes_SetupTable::AddNullLineToEnd()
{
    fillLastPage([] { return new Line(int(Line::kSteelLine)); });
}

void CVes_SetupTable::DeleteRow()
{
    m_huizong.forgetElements();
    CVes_TableBase::DeleteRow();
}

void CVes_SetupTable::delPage()
{
    m_huizong.forgetElements();
    CVes_TableBase::delPage();
}

// Moving

void CVes_SetupTable::UpRow()
{
    moveSelectedLines(-1);
}

void CVes_SetupTable::DownRow()
{
    moveSelectedLines(1);
}

// Elements

TableLineList CVes_SetupTable::getEleSteelList(CVes_TableBaseLine* element) const
{
    TableLineList rows;
    const qsizetype at = element ? m_lines.indexOf(element) : -1;
    if (at < 0)
        return rows;
    for (qsizetype i = at + 1; i < m_lines.size(); ++i) {
        if (m_lines[i]->getType() == Line::kElementLine)
            break;
        rows.append(m_lines[i]);
    }
    while (!rows.isEmpty() && rows.last()->isNull())
        rows.removeLast();
    return rows;
}

QList<CVes_SetupTableLine*> CVes_SetupTable::getAllEleList(QList<int>& pages) const
{
    QList<Line*> elements;
    forEachLinePlace([&](CVes_TableBaseLine* row, const LinePlace& place) {
        if (row->getType() == Line::kElementLine) {
            elements.append(asLine(row));
            pages.append(place.page);
        }
        return true;
    });
    return elements;
}

TableLineList CVes_SetupTable::selectedElementRows()
{
    CVes_TableBaseLine* element = getLine(getSelectRow());
    if (!element || element->getType() != Line::kElementLine)
        return {};
    TableLineList rows = getEleSteelList(element);
    rows.prepend(element);
    return rows;
}

void CVes_SetupTable::DeleteEleRow()
{
    const TableLineList rows = selectedElementRows();
    if (rows.isEmpty())
        return;
    m_huizong.forgetElements();
    dropLines(rows);
}

double CVes_SetupTable::getEleSteelweight(CVes_TableBaseLine* element) const
{
    if (!element || element->getType() != Line::kElementLine)
        return 0.0;
    const barlist::ColumnFactors factors = barlist::ColumnFactors::of(*this);
    double weight = 0.0;
    int pieces = 0;
    for (CVes_TableBaseLine* row : getEleSteelList(element)) {
        if (row->isNull() || row->getType() != Line::kSteelLine)
            continue;
        if (pieces < 1)
            pieces = piecesBefore(row);
        weight += barlist::barQuantity(asLine(row)->m_steel, pieces, factors).weight;
    }
    return weight;
}

// Whole tables

void CVes_SetupTable::append(const CVes_SetupTable* other)
{
    if (other)
        appendCopiesOf(*other);
}
