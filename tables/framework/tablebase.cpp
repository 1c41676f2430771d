#include "tables/framework/tablebase.h"

#include "core/geometry/text.h"
#include "core/model/barcore.h"
#include "platform/archive.h"
#include "platform/hostservices.h"
#include "platform/saturate.h"
#include "platform/savefile.h"
#include "tables/framework/form.h"
#include "tables/framework/sharedrows.h"
#include "tables/framework/tablebaseline.h"

#include <QFileInfo>

#include <algorithm>
#include <typeinfo>

CVes_TableBase::CVes_TableBase() : m_form(std::make_unique<CVes_Form>())
{
    m_orientation = kPortrait;
    for (CVes_Variable& text : m_texts)
        text.m_fontName = QStringLiteral("宋体");
    m_coverFlag = 0;
}

CVes_TableBase::~CVes_TableBase()
{
    deleteAllLines();
}

// Flags

void CVes_TableBase::setModified(int modified)
{
    if (modified) {
        markEdited();
    } else {
        m_modified = 0;
    }
}

void CVes_TableBase::markEdited()
{
    m_modified = 1;
    m_sortStale = 1;
    m_cutStale = 1;
    noteChange();
}

// Files

void CVes_TableBase::Serialize(platform::Archive& ar)
{
    CVes_Template::Serialize(ar);
    if (ar.IsLoading()) {
        m_modified = 0;
        noteChange();
    }
}

std::unique_ptr<CVes_TableBase> CVes_TableBase::createEmpty() const
{
    return std::make_unique<CVes_TableBase>();
}

void CVes_TableBase::takeOver(CVes_TableBase& loaded)
{
    if (&loaded == this)
        return;
    static_cast<TemplateLayout&>(*this) = static_cast<const TemplateLayout&>(loaded);

    CVes_TableCover& cover = loaded.m_cover;
    m_cover.m_rows = cover.m_rows;
    m_cover.m_columns = cover.m_columns;
    m_cover.m_curVar = -1;
    m_cover.m_curCol = -1;
    m_cover.m_percents = cover.m_percents;
    m_cover.m_variables = std::move(cover.m_variables);
    std::swap(m_cover.m_form, cover.m_form);
    m_cover.m_barSummaryTexts = cover.m_barSummaryTexts;
    m_cover.m_jointSummaryTexts = cover.m_jointSummaryTexts;

    deleteAllLines();
    m_lines = loaded.m_lines;
    loaded.m_lines.clear();
    loaded.m_pageLines.clear();
    m_exVars = std::move(loaded.m_exVars);
    m_yuanCai = std::move(loaded.m_yuanCai);
    m_zoom = loaded.m_zoom;
    m_sortStale = loaded.m_sortStale;
    m_cutStale = loaded.m_cutStale;
    m_modified = 0;
    noteChange();
    m_select.clear();
    m_pages = 1;
    m_curPage = -1;
    m_curRow = -1;
    m_curCol = -1;
    m_shapeVar = -1;
}

int CVes_TableBase::OpenFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return 0;
    platform::WaitCursor wait;
    QByteArray bytes;
    if (!platform::readFile(path, &bytes))
        return 0;

    std::unique_ptr<CVes_TableBase> fresh = createEmpty();
    if (!fresh || typeid(*fresh) != typeid(*this))
        return loadInPlace(bytes);
    try {
        platform::Archive ar(bytes);
        fresh->Serialize(ar);
    } catch (const platform::ArchiveError&) {
        return 0;
    }
    takeOver(*fresh);
    return 1;
}

// For a sheet that cannot make an empty table of its own type: reads into
// this table, emptied of its rows and design variables first, and restores
// what it held when the read fails.
int CVes_TableBase::loadInPlace(const QByteArray& bytes)
{
    const int modified = m_modified;
    platform::Archive before;
    try {
        Serialize(before);
    } catch (const platform::ArchiveError&) {
        // What the table holds cannot be kept aside (a text the archive
        // cannot write), so a failed read could not give it back: the file
        // is not read, and the caller reports it as unread.
        return 0;
    }
    auto empty = [this] {
        deleteAllLines();
        clearSelect();
        m_curPage = -1;
        m_pages = 1;
        m_exVars.clear();
    };
    auto restore = [&] {
        empty();
        try {
            platform::Archive back(before.data());
            Serialize(back);
        } catch (const std::exception&) {
            // The table wrote these bytes a moment ago: only a table that
            // cannot read what it writes gets here. It stays empty rather
            // than half restored, and the user learns that its rows went.
            empty();
            platform::showMessage(QStringLiteral("读取文件失败后，表格原有的内容未能恢复。"),
                                  platform::MessageIcon::Stop);
        }
        m_modified = modified;
    };
    empty();
    try {
        platform::Archive ar(bytes);
        Serialize(ar);
    } catch (const platform::ArchiveError&) {
        restore();
        return 0;
    } catch (const platform::SchemaError&) {
        restore();
        throw;
    }
    return 1;
}

int CVes_TableBase::SaveFile(const QString& path)
{
    if (path.isEmpty())
        return 0;
    platform::WaitCursor wait;
    try {
        platform::Archive ar;
        Serialize(ar);
        if (!platform::saveFile(path, ar.data()))
            return 0;
    } catch (const platform::ArchiveError&) {
        return 0;
    }
    m_modified = 0;
    return 1;
}

int CVes_TableBase::saveTableCoverToFile(const QString& path)
{
    return m_cover.saveToFile(path) ? 1 : 0;
}

int CVes_TableBase::loadTableCoverfromFile(const QString& path)
{
    return m_cover.loadFromFile(path) ? 1 : 0;
}

// Pages

int CVes_TableBase::rowsOf(const CVes_TableBaseLine& row)
{
    return std::clamp(row.getRows(), 0, kMaxRowsPerPage);
}

namespace {

// Walks the rows with their places until `visit` answers false; answers the
// last page reached. A long table's rows lie apart in memory and paging
// reads a field of each, so the rows a little ahead are fetched meanwhile.
template <typename Visit>
int walkLinePlaces(const TableLineList& lines, int rowsPerPage, Visit&& visit)
{
    constexpr qsizetype kAhead = 16;
    CVes_TableBase::LinePlace place{1, 0, 0};
    const qsizetype count = lines.size();
    for (qsizetype i = 0; i < count; ++i) {
        if (i + kAhead < count)
            __builtin_prefetch(lines[i + kAhead]);
        CVes_TableBaseLine* row = lines[i];
        const int k = CVes_TableBase::rowsOf(*row);
        if (k > rowsPerPage - place.usedRows) {
            ++place.page;
            place.position = 0;
            place.usedRows = 0;
        }
        place.usedRows += k;
        ++place.position;
        if (!visit(row, place))
            break;
    }
    return place.page;
}

} // namespace

int CVes_TableBase::forEachLinePlace(
    const std::function<bool(CVes_TableBaseLine*, const LinePlace&)>& visit) const
{
    return walkLinePlaces(m_lines, rowsPerPage(), visit);
}

int CVes_TableBase::resetPages()
{
    return walkLinePlaces(m_lines, rowsPerPage(),
                          [](CVes_TableBaseLine*, const LinePlace&) { return true; });
}

TableLineList CVes_TableBase::getlineOfPage(int first, int last)
{
    if (last < 1)
        last = first;
    TableLineList result;
    forEachLinePlace([&](CVes_TableBaseLine* row, const LinePlace& place) {
        if (place.page > last)
            return false;
        if (place.page >= first)
            result.append(row);
        return true;
    });
    return result;
}

void CVes_TableBase::setPageTo(int page, int recount)
{
    if (page < 0)
        return;
    if (page == 0) {
        m_curPage = 0;
        m_pageLines.clear();
        setPageToCover();
        return;
    }
    if (recount || m_curPage < 1)
        m_pages = resetPages();
    if (page > m_pages)
        page = m_pages;
    m_curPage = page;
    setPageLines(getlineOfPage(page, page));
    if (page == m_pages)
        AddNullLineToEnd();
}

void CVes_TableBase::firstPage()
{
    m_pages = resetPages();
    m_curPage = 1;
    setPageLines(getlineOfPage(1, 1));
    if (m_pages == 1)
        AddNullLineToEnd();
}

void CVes_TableBase::endPage()
{
    m_pages = resetPages();
    m_curPage = m_pages;
    setPageLines(getlineOfPage(m_curPage, m_curPage));
    AddNullLineToEnd();
}

void CVes_TableBase::nextPage()
{
    m_pages = resetPages();
    if (m_curPage >= m_pages)
        return;
    // From no page at all the next page is the first table page.
    m_curPage = m_curPage < 0 ? 1 : m_curPage + 1;
    setPageLines(getlineOfPage(m_curPage, m_curPage));
    AddNullLineToEnd();
}

void CVes_TableBase::PrevPage()
{
    m_pages = resetPages();
    // Nothing comes before the cover.
    if (m_curPage < 1)
        return;
    if (m_curPage == 1) {
        m_curPage = 0;
        m_pageLines.clear();
        setPageToCover();
        return;
    }
    --m_curPage;
    setPageLines(getlineOfPage(m_curPage, m_curPage));
    AddNullLineToEnd();
}

void CVes_TableBase::setCurPage(CVes_TableBaseLine* target)
{
    if (!target)
        return;
    int page = 0;
    int position = 0;
    forEachLinePlace([&](CVes_TableBaseLine* row, const LinePlace& place) {
        if (row != target)
            return true;
        page = place.page;
        position = place.position;
        return false;
    });
    if (page == 0)
        return;
    const int column = m_curCol;
    clearSelect();
    AddSelect(position, 1);
    m_curRow = position;
    setPageTo(page, 1);
    setCurCol(column);
}

void CVes_TableBase::getInfo(CVes_TableBaseLine* target, int& pageOut, int& rowOut)
{
    forEachLinePlace([&](CVes_TableBaseLine* row, const LinePlace& place) {
        if (row != target)
            return true;
        pageOut = place.page;
        rowOut = place.usedRows;
        return false;
    });
}

QHash<const CVes_TableBaseLine*, QPoint> CVes_TableBase::linePlaces() const
{
    QHash<const CVes_TableBaseLine*, QPoint> places;
    places.reserve(m_lines.size());
    forEachLinePlace([&](CVes_TableBaseLine* row, const LinePlace& place) {
        places.insert(row, QPoint(place.page, place.usedRows));
        return true;
    });
    return places;
}

CVes_TableBaseLine* CVes_TableBase::getLine(int n)
{
    if (n < 1 || m_curPage < 1 || n > m_pageLines.size())
        return nullptr;
    return m_pageLines[n - 1];
}

int CVes_TableBase::haveContent(int n)
{
    return m_curPage >= 1 && n >= 1 && n <= m_pageLines.size() ? 1 : 0;
}

int CVes_TableBase::getCurLineNum() const
{
    int sum = 0;
    for (CVes_TableBaseLine* row : m_pageLines)
        sum = platform::saturatedAdd(sum, rowsOf(*row));
    return sum;
}

// Selection

int CVes_TableBase::getSelectRow() const
{
    if (m_curPage < 1 || m_select.isEmpty())
        return -1;
    return m_select.first();
}

int CVes_TableBase::getSelectRowEnd() const
{
    if (m_curPage < 1 || m_select.isEmpty())
        return -1;
    return m_select.last();
}

void CVes_TableBase::leaveShapeCell(int askColumn)
{
    if (!isCurShapeCol(askColumn))
        return;
    m_shapeVar = kShapeVarEnd;
    if (CVes_BarCore* bar = getSteel(m_curRow))
        bar->clearVarStatus();
}

void CVes_TableBase::enterShapeCell()
{
    if (isCurShapeCol(-1))
        m_shapeVar = -1;
}

void CVes_TableBase::asOneUndoStep(const std::function<void()>& edit)
{
    const std::size_t before = undoStepsRecorded();
    edit();
    joinNewestUndoSteps(undoStepsRecorded() - before);
}

void CVes_TableBase::AddSelect(int n, int exclusive)
{
    if (exclusive) {
        leaveShapeCell(m_curCol);
        m_select.clear();
        m_shapeVar = -1;
    }
    const auto at = std::lower_bound(m_select.begin(), m_select.end(), n);
    if (at != m_select.end() && *at == n)
        m_select.erase(at);
    else
        m_select.insert(at, n);
    if (exclusive)
        enterShapeCell();
}

void CVes_TableBase::clearSelect()
{
    m_select.clear();
    m_curRow = -1;
    m_curCol = -1;
    m_shapeVar = -1;
}

void CVes_TableBase::selectAddOne(int d)
{
    for (int& n : m_select)
        n += d;
}

int CVes_TableBase::isContinueSelect() const
{
    if (m_curPage < 1 || m_select.isEmpty())
        return 0;
    for (qsizetype i = 1; i < m_select.size(); ++i) {
        if (m_select[i] > m_select[i - 1] + 1)
            return 0;
    }
    return 1;
}

void CVes_TableBase::selectAllofPage()
{
    m_select.clear();
    for (int n = 1, last = rowsPerPage(); n <= last; ++n)
        m_select.append(n);
}

void CVes_TableBase::setCurCol(int column)
{
    leaveShapeCell(-1);
    m_curCol = column;
    enterShapeCell();
}

int CVes_TableBase::SelectNext()
{
    leaveShapeCell(m_curCol);
    m_curRow = -1;
    if (m_select.isEmpty())
        return 0;
    int n = m_select.last() + 1;
    int answer = 0;
    bool added = false;
    while (!haveContent(n)) {
        if (n <= rowsPerPage()) {
            ++n;
            answer = 1;
        } else if (m_curPage < resetPages()) {
            const int before = m_curPage;
            nextPage();
            if (m_curPage == before)
                return 0;
            n = 1;
            answer = 2;
        } else {
            // A page add that brings no row, or a second one, ends the move:
            // the search would otherwise never end.
            const qsizetype before = m_lines.size();
            if (added)
                return 0;
            addPage();
            if (m_lines.size() == before)
                return 0;
            m_pages = resetPages();
            added = true;
            n = 1;
            answer = 3;
        }
    }
    AddSelect(n, 1);
    m_curRow = n;
    enterShapeCell();
    return answer;
}

void CVes_TableBase::SelectPrev()
{
    leaveShapeCell(m_curCol);
    m_curRow = -1;
    if (m_select.isEmpty())
        return;
    int n = m_select.first() - 1;
    while (!haveContent(n)) {
        if (n < 1) {
            if (m_curPage <= 1)
                return;
            const int before = m_curPage;
            PrevPage();
            if (m_curPage == before || m_curPage < 1)
                return;
            n = rowsPerPage();
        } else {
            --n;
        }
    }
    AddSelect(n, 1);
    m_curRow = n;
    enterShapeCell();
}

void CVes_TableBase::SelectNextCol()
{
    leaveShapeCell(m_curCol);
    ++m_curCol;
    if (m_curCol >= m_columnNum) {
        SelectNext();
        m_curCol = 0;
    } else {
        while (m_curCol < m_columnNum && (m_widths.value(m_curCol, 0) < 1 || !isEditCurCol()))
            ++m_curCol;
    }
    enterShapeCell();
}

void CVes_TableBase::SelectPrevCol()
{
    leaveShapeCell(m_curCol);
    --m_curCol;
    if (m_curCol < 0) {
        SelectPrev();
        m_curCol = m_columnNum - 1;
    } else {
        while (m_curCol >= 0 && (m_widths.value(m_curCol, 0) < 1 || !isEditCurCol()))
            --m_curCol;
    }
    enterShapeCell();
}

int CVes_TableBase::canCopy()
{
    return getSelectRow() != -1 ? 1 : 0;
}

// Rows

void CVes_TableBase::appendLine(CVes_TableBaseLine* row)
{
    if (row && !m_lines.contains(row)) {
        m_lines.append(row);
        noteChange();
    }
}

void CVes_TableBase::appendLine(std::unique_ptr<CVes_TableBaseLine> row)
{
    if (!row)
        return;
    m_lines.append(row.get());
    row.release();
    noteChange();
}

void CVes_TableBase::deleteAllLines()
{
    noteChange();
    m_pageLines.clear();
    const TableLineList rows = m_lines;
    m_lines.clear();
    for (CVes_TableBaseLine* row : rows)
        disposeLine(row);
}

void CVes_TableBase::beforeRowChange(CVes_TableBaseLine* row)
{
    SharedRow::beforeChange(row);
}

void CVes_TableBase::beforeRowsChange(const TableLineList& rows)
{
    for (CVes_TableBaseLine* row : rows)
        SharedRow::beforeChange(row);
}

void CVes_TableBase::changeRow(CVes_TableBaseLine* row, const std::function<void()>& edit)
{
    SharedRow::change(row, edit);
}

void CVes_TableBase::disposeLine(CVes_TableBaseLine* row)
{
    SharedRow::dispose(row);
}

void CVes_TableBase::setPageLines(const TableLineList& rows)
{
    beforeRowsChange(rows);
    m_pageLines = rows;
}

CVes_TableBaseLine* CVes_TableBase::nextLine(CVes_TableBaseLine* row) const
{
    const qsizetype i = m_lines.indexOf(row);
    if (i < 0 || i + 1 >= m_lines.size())
        return nullptr;
    return m_lines[i + 1];
}

CVes_TableBaseLine* CVes_TableBase::prevLine(CVes_TableBaseLine* row) const
{
    const qsizetype i = m_lines.indexOf(row);
    if (i < 1)
        return nullptr;
    return m_lines[i - 1];
}

CVes_TableBaseLine* CVes_TableBase::getPrvLine(CVes_TableBaseLine* row, int sameKind) const
{
    if (m_curPage < 1 || !row)
        return nullptr;
    for (qsizetype i = m_lines.indexOf(row) - 1; i >= 0; --i) {
        CVes_TableBaseLine* before = m_lines[i];
        if (before->isNull())
            continue;
        if (!sameKind || before->getType() == row->getType())
            return before;
    }
    return nullptr;
}

CVes_TableBaseLine* CVes_TableBase::getPrvTypeLine(CVes_TableBaseLine* row,
                                                   unsigned int kind) const
{
    if (m_curPage < 1 || !row)
        return nullptr;
    for (qsizetype i = m_lines.indexOf(row) - 1; i >= 0; --i) {
        CVes_TableBaseLine* before = m_lines[i];
        if (!before->isNull() && before->getType() == kind)
            return before;
    }
    return nullptr;
}

void CVes_TableBase::DeleteRow()
{
    if (m_select.isEmpty())
        return;
    const int column = m_curCol;
    const int first = m_select.first();
    // Positions without a row (a whole page selected) are skipped.
    TableLineList doomed;
    for (int n : std::as_const(m_select)) {
        CVes_TableBaseLine* row = getLine(n);
        if (row && !row->getLock())
            doomed.append(row);
    }
    removeUnlockedLines(doomed);
    clearSelect();
    refreshCurPage();
    reselectAfterEdit(first, column);
}

void CVes_TableBase::delPage()
{
    if (resetPages() < 2 || m_curPage < 1)
        return;
    const TableLineList doomed = getlineOfPage(m_curPage, m_curPage);
    m_pageLines.clear();
    for (CVes_TableBaseLine* row : doomed) {
        m_lines.removeOne(row);
        disposeLine(row);
    }
    clearSelect();
    setPageTo(m_curPage, 1);
    markEdited();
    AddUndo();
}

TableLineList CVes_TableBase::selectedBarLines() const
{
    TableLineList result;
    for (qsizetype i = 0; i < m_pageLines.size(); ++i) {
        CVes_TableBaseLine* row = m_pageLines[i];
        if (row && isSelected(int(i) + 1) && row->isSteelLine())
            result.append(row);
    }
    return result;
}

void CVes_TableBase::lockSelected(int lock)
{
    if (m_select.isEmpty())
        return;
    for (int n : std::as_const(m_select)) {
        if (CVes_TableBaseLine* row = getLine(n))
            row->setLock(lock);
    }
    markEdited();
    AddUndo();
}

void CVes_TableBase::lockAll(int lock)
{
    for (CVes_TableBaseLine* row : std::as_const(m_lines)) {
        if (row->getLock() != lock) {
            beforeRowChange(row);
            row->setLock(lock);
        }
    }
    markEdited();
    AddUndo();
}

void CVes_TableBase::lockRow()
{
    lockSelected(1);
}

void CVes_TableBase::unlockRow()
{
    lockSelected(0);
}

void CVes_TableBase::lockAllRow()
{
    lockAll(1);
}

void CVes_TableBase::unlockAllRow()
{
    lockAll(0);
}

void CVes_TableBase::setSelLineTextColor(platform::COLORREF colour)
{
    bool any = false;
    for (qsizetype i = 0; i < m_pageLines.size(); ++i) {
        if (isSelected(int(i) + 1)) {
            m_pageLines[i]->setTextColor(colour);
            any = true;
        }
    }
    if (any) {
        markEdited();
        AddUndo();
    }
}

void CVes_TableBase::clearnAllLineOnly()
{
    deleteAllLines();
    clearSelect();
}

void CVes_TableBase::clearnAllLine()
{
    clearnAllLineOnly();
    m_curPage = -1;
}

void CVes_TableBase::clearnAllLineButLock()
{
    noteChange();
    m_pageLines.clear();
    TableLineList kept;
    const TableLineList rows = m_lines;
    m_lines.clear();
    for (CVes_TableBaseLine* row : rows) {
        if (row->getLock())
            kept.append(row);
        else
            disposeLine(row);
    }
    m_lines = kept;
    m_curPage = -1;
    clearSelect();
}

void CVes_TableBase::clearNullLineOfEnd()
{
    while (!m_lines.isEmpty() && m_lines.last()->isNull()) {
        CVes_TableBaseLine* row = m_lines.takeLast();
        m_pageLines.removeOne(row);
        disposeLine(row);
    }
}

void CVes_TableBase::copy(const CVes_TableBase* other)
{
    if (!other || other == this)
        return;
    noteChange();
    for (int i : {0, 2, 3, 4, 5, 6, 7})
        m_texts[std::size_t(i)] = other->m_texts[std::size_t(i)];
    std::vector<std::unique_ptr<CVes_Variable>> copies;
    copies.reserve(other->m_exVars.size());
    for (const auto& variable : other->m_exVars)
        copies.push_back(std::make_unique<CVes_Variable>(*variable));
    m_exVars = std::move(copies);
}

namespace {

// Stable merge sort: a row goes before an earlier one only when it is
// strictly less, so rows that compare alike keep their order. The rows'
// lessthan need not be a strict weak order.
void mergeSort(TableLineList& rows, TableLineList& scratch, qsizetype from, qsizetype to)
{
    if (to - from < 2)
        return;
    const qsizetype mid = from + (to - from) / 2;
    mergeSort(rows, scratch, from, mid);
    mergeSort(rows, scratch, mid, to);
    qsizetype i = from, j = mid, k = from;
    while (i < mid && j < to) {
        if (rows[j]->lessthan(rows[i]))
            scratch[k++] = rows[j++];
        else
            scratch[k++] = rows[i++];
    }
    while (i < mid)
        scratch[k++] = rows[i++];
    while (j < to)
        scratch[k++] = rows[j++];
    for (qsizetype n = from; n < to; ++n)
        rows[n] = scratch[n];
}

} // namespace

void CVes_TableBase::SortList(int order)
{
    if (order != 0 && order != 1)
        return;
    TableLineList scratch(m_lines.size(), nullptr);
    mergeSort(m_lines, scratch, 0, m_lines.size());
    if (order == 1)
        std::reverse(m_lines.begin(), m_lines.end());
}

platform::UiSlices CVes_TableBase::takeWorkerCopy(std::unique_ptr<CVes_TableBase>& copy) const
{
    const RowCopier copier = workerRowCopier();
    if (!copier)
        return {};
    const std::shared_ptr<RowCopies> rows = std::make_shared<RowCopies>(*this, copier);
    return [this, rows, &copy] {
        if (!rows->copySome(RowCopies::kSlice))
            return false;
        std::unique_ptr<CVes_TableBase> made = createEmpty();
        made->copy(this);
        static_cast<TemplateLayout&>(*made) = static_cast<const TemplateLayout&>(*this);
        copyWorkerState(*made);
        made->deleteAllLines();
        made->m_lines = rows->take();
        copy = std::move(made);
        return true;
    };
}

// RowCopies

RowCopies::RowCopies(const CVes_TableBase& sheet, Copier copier)
    : m_sheet(sheet), m_copier(copier), m_changes(sheet.changeCount())
{
}

RowCopies::~RowCopies()
{
    clear();
}

void RowCopies::clear()
{
    m_sources.clear();
    const TableLineList copies = std::exchange(m_copies, {});
    for (CVes_TableBaseLine* row : copies)
        delete row;
}

bool RowCopies::copySome(std::chrono::nanoseconds budget)
{
    const TableLineList& rows = m_sheet.lines();
    if (m_sheet.changeCount() != m_changes || m_sources.size() > rows.size()
        || !std::equal(m_sources.cbegin(), m_sources.cend(), rows.cbegin())) {
        clear();
        m_changes = m_sheet.changeCount();
    }
    const auto start = std::chrono::steady_clock::now();
    // The clock is read once in a while: a row takes microseconds.
    constexpr qsizetype kRowsPerLook = 64;
    m_sources.reserve(rows.size());
    m_copies.reserve(rows.size());
    while (m_copies.size() < rows.size()) {
        const qsizetype end = std::min(rows.size(), m_copies.size() + kRowsPerLook);
        for (qsizetype i = m_copies.size(); i < end; ++i) {
            std::unique_ptr<CVes_TableBaseLine> copy = m_copier(*rows[i]);
            m_copies.append(copy.get());
            copy.release();
            m_sources.append(rows[i]);
        }
        if (budget.count() >= 0 && std::chrono::steady_clock::now() - start >= budget)
            break;
    }
    return m_copies.size() == rows.size();
}

TableLineList RowCopies::take()
{
    copySome(std::chrono::nanoseconds(-1));
    m_sources.clear();
    return std::exchange(m_copies, {});
}
