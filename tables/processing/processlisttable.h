#pragma once
// The processing summary sheet (钢筋加工单): one row for each distinct
// processing bar of a processing sheet, equal bars joined into one row that
// carries all their tags and their summed count, followed by blocks of total
// lengths and weights per grade and diameter for stirrups, bent bars and
// straight bars. It is also the base of the processing sheet, which shares
// its paging, its page layout and its sort and filter settings.
//
// A row whose tags take more rows than a page has left is split: the rows
// that fit stay on the page and the rest continue on the next page, each page
// showing the row's tags from its first tag index on.

#include "tables/framework/sheetsetup.h"
#include "tables/framework/tablebase.h"

#include <QHash>
#include <QPoint>
#include <QStringList>

#include <memory>
#include <span>
#include <vector>

class CVes_ProcessSteel;
class CVes_ProcessTableListLine;
class SameBarIndex;

class CVes_ProcessListTable : public CVes_TableBase {
public:
    static constexpr unsigned int kTableType = 20;
    static constexpr int kColumnCount = 10;

    // Columns.
    static constexpr int kColPid = 0;
    static constexpr int kColGrade = 1;
    static constexpr int kColShape = 2;
    static constexpr int kColLength = 3;
    static constexpr int kColCount = 4;
    static constexpr int kColTotalLength = 5;
    static constexpr int kColWeight = 6;
    static constexpr int kColTags = 7;
    static constexpr int kColTagTexts = 8;
    static constexpr int kColRemark = 9;

    // Filter bits: which totals blocks the summary holds.
    static constexpr int kStirrups = 1;
    static constexpr int kBent = 2;
    static constexpr int kStraight = 4;

    // Sort orders.
    static constexpr int kSortUp = 0;
    static constexpr int kSortDown = 1;
    static constexpr int kSortNone = 2;

    // Bar tags a form row shows.
    static constexpr int kTagsPerRow = 3;

    CVes_ProcessListTable();
    ~CVes_ProcessListTable() override;

    unsigned int getTableType() override { return kTableType; }
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    void sortUp() override { m_sortOrder = kSortUp; }
    void sortDown() override { m_sortOrder = kSortDown; }
    void sortNo() override { m_sortOrder = kSortNone; }
    unsigned int getSortOrder() override { return unsigned(m_sortOrder); }

    // Rows

    // Appends a bar row holding a copy of the bar (its empty flag cleared, a
    // first tag when it has none), numbered one more than the rows before
    // it; a null bar appends an empty bar row. Marks the table changed.
    virtual void Add(const CVes_ProcessSteel* bar);
    void Add(const CVes_ProcessSteel& bar) { Add(&bar); }
    // Appends a text row holding the texts.
    void Add(const QStringList& texts);
    // The first row whose bar is the same bar takes the bar in (its tags,
    // count and source numbers); without one a copy with an empty remark is
    // added. Rows tried get their rows recounted from their tags.
    void join(CVes_ProcessSteel& bar);
    // Joins a copy of the bar of every bar row of the other sheet, in order,
    // each with an empty remark.
    void join(const CVes_ProcessListTable* other);

    // Joins many bars, as join(bar) does one by one, trying only the rows a
    // bar may be the same as: a sheet of many bars is joined in near-linear
    // time. While it lives, the sheet's rows change only through it.
    class Joining {
    public:
        explicit Joining(CVes_ProcessListTable& sheet);
        ~Joining();
        Joining(const Joining&) = delete;
        Joining& operator=(const Joining&) = delete;
        void join(CVes_ProcessSteel& bar);

    private:
        void index(CVes_TableBaseLine* row);

        CVes_ProcessListTable& m_sheet;
        std::unique_ptr<SameBarIndex> m_index;
        std::vector<CVes_ProcessTableListLine*> m_rows;
    };

    // Filter bits
    int isStateGu() const { return (m_filter & kStirrups) ? 1 : 0; }
    int isStateGuai() const { return (m_filter & kBent) ? 1 : 0; }
    int isStateZhi() const { return (m_filter & kStraight) ? 1 : 0; }
    // A nonzero argument sets the bit; 0 turns it over.
    void setStateGu(int on) { setFilterBit(kStirrups, on); }
    void setStateGuai(int on) { setFilterBit(kBent, on); }
    void setStateZhi(int on) { setFilterBit(kStraight, on); }

    // Pages

    // The rows with at least one row unit on pages `first` to `last` (one
    // page when `last` is below 1), each with its first tag index set to
    // three times its units on earlier pages.
    TableLineList getlineOfPage(int first, int last) override;
    int resetPages() override;
    // The page a row starts on and the row units used on that page up to
    // its end there.
    void getInfo(CVes_TableBaseLine* row, int& page, int& position) override;
    // The same of every row, in one walk: page (x) and position (y).
    QHash<const CVes_TableBaseLine*, QPoint> rowPlaces() const;
    bool formRowPerUnit() const override { return true; }
    // The cell under a point; a hit in a row's form rows gives the row's
    // position on the page.
    int HitTest(QPoint point, int& row, int& column) override;

    // Drawing and export

    // The framework's page, then the rows of the current page (fillTable).
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    // Lays the current page's rows into the page form and draws it.
    virtual void fillTable(platform::Dc* dc);
    // Writes every row from worksheet row 6 on; answers the running row
    // number after the last row.
    int fillExcel(platform::xlsx::Worksheet& sheet) override;

    // The first form row of the row at a position of the current page, as
    // last laid out; -1 for a position without a row.
    int formRowOf(int position) const;
    // The cell box of (position, column) over all its form rows, as last
    // drawn.
    platform::Rect cellRect(int position, int column) const;
    // The text height of (position, column) as last drawn.
    int cellTextHeight(int position, int column) const;

    int m_showLpText = 1;   // the tags' texts go into the column after their labels
    int m_sortOrder = kSortDown;
    int m_reserved = 1;     // kept in the file and copied to the summary; read by nothing
    int m_filter = 0;


protected:
    // A working copy holds the summary's settings and whole copies of the
    // rows.
    void copyWorkerState(CVes_TableBase& to) const override;
    RowCopier workerRowCopier() const override;
    // The page layout both sheets share: a title-block texts, margins,
    // rows per page and the columns.
    void setUpTemplate(const QString& title, std::span<const sheetsetup::Column> columns,
                       int rowsPerPage);

    // Where every row falls, the pieces of split rows included: `visit` gets
    // the row, its page, its units on earlier pages and the units used on the
    // page up to its end there, and answers false to stop. Answers the last
    // page reached.
    int forEachRowPiece(
        const std::function<bool(CVes_TableBaseLine*, int page, int unitsBefore, int used)>& visit)
        const;
    int rowsPerPage() const { return m_rowNum < 1 ? 1 : m_rowNum; }

    // The units a bar's lengths are written in: `f0` turns millimetres into
    // the shape column's unit, `f1` that unit into the length column's.
    struct LengthUnits {
        int shapeUnit = 0;
        int lengthUnit = 0;
        double f0 = 1.0;
        double f1 = 1.0;
    };
    LengthUnits lengthUnits(int shapeColumn, int lengthColumn) const;

    // What a page drawing works with.
    struct PageContext : LengthUnits {
        double s = 1.0;         // scale of text heights
        int h = 0;              // text height of a cell
        bool printing = false;
    };
    PageContext beginPage(platform::Dc* dc, int shapeColumn, int lengthColumn) const;
    // Lays the rows of the current page on the form, one form row a row
    // unit, highlights them on screen and calls `fill` with every row that
    // shows something, its first form row and the form rows it takes.
    void fillPageRows(const PageContext& page,
                      const std::function<void(CVes_ProcessTableListLine& line, int formRow,
                                               int rows)>& fill);
    // Merges each of the columns over the row's form rows.
    void mergeDown(int formRow, int rows, std::initializer_list<int> columns);
    // Writes a bar's tags from its first tag index on, three a form row, into
    // the label and text columns, over `rows` form rows at most; the last row
    // written gets the text height 40 × s.
    void fillTags(CVes_ProcessTableListLine& line, int formRow, int rows, int labelColumn,
                  int textColumn, const PageContext& page);
    // A bar row's total length and weight in the units of their columns,
    // as the page shows them.
    struct RowTotals {
        QString length;
        QString weight;
    };
    RowTotals rowTotals(CVes_ProcessSteel& bar, const LengthUnits& units) const;
    // A bar row's total weight in kilograms.
    double barKilograms(CVes_ProcessSteel& bar, const LengthUnits& units) const;
    // Kilograms in the unit the sheet shows weights in: its weight column's.
    virtual double shownWeight(double kilograms) const;
    // A bar's grade, shape, length and count into the four columns from
    // `gradeColumn` on of form row `formRow`.
    void fillBarCells(int formRow, int gradeColumn, CVes_ProcessSteel& bar,
                      const PageContext& page);
    // Draws the laid-out form.
    void finishPage(platform::Dc* dc);

private:
    void setFilterBit(int bit, int on);
    void highlight(int position, int formRow, int rows, bool printing);

    // The current page as last laid out: the first form row of each page
    // position and the form rows it takes.
    std::vector<int> m_firstFormRow;
    std::vector<int> m_formRows;
};
