#pragma once
// A row of the processing summary sheet: a processing bar with its bar tags,
// or a row of plain cell texts (the totals under the bars). It is also the
// base of the processing sheet's own row, which adds the heading rows.

#include "core/model/processsteel.h"
#include "tables/framework/tablebaseline.h"

#include <QStringList>

class CVes_ProcessTableListLine : public CVes_TableBaseLine {
public:
    // Row kinds of the summary sheet.
    static constexpr unsigned int kSteelRow = 0;
    static constexpr unsigned int kTextRow = 1;

    // A bar row holding an empty bar.
    CVes_ProcessTableListLine();
    // A text row; every caller asks for one, so the argument is not looked at.
    explicit CVes_ProcessTableListLine(int textRow);
    // A bar row with a copy of the other row's bar and nothing else of it.
    CVes_ProcessTableListLine(const CVes_ProcessTableListLine& other);
    CVes_ProcessTableListLine& operator=(const CVes_ProcessTableListLine&) = delete;
    ~CVes_ProcessTableListLine() override;

    // The two rows' bars are the same bar (the bar model's sameness, on
    // copies, so neither row changes). A row of another sheet never is.
    bool isGreat(const CVes_TableBaseLine& other) override;
    bool operator==(const CVes_TableBaseLine& other) override;
    // The sheet's sort order: true when the other row's bar sorts before
    // this row's bar by the bar ordering, so sorting by it puts the rows in
    // the reverse of the bar ordering. False for a row of another sheet.
    bool lessthan(CVes_TableBaseLine* const& other) const override;
    // This row's bar sorts before the other's by the bar ordering.
    bool operator<(const CVes_ProcessTableListLine& other) const;

    int isSteelLine() override { return getType() == kSteelRow ? 1 : 0; }
    CVes_ProcessSteel* getSteel() override { return &m_steel; }
    const CVes_ProcessSteel* getSteel() const { return &m_steel; }
    // Copies the row's bar into `out`.
    void getSteel(CVes_ProcessSteel& out) const;
    CVes_ProcessSteel* getProcessSteel() { return &m_steel; }
    const CVes_ProcessSteel* getProcessSteel() const { return &m_steel; }

    // Text rows only: the given texts go into the first cells, the cells
    // after them are emptied, the row grows to the given count when it is
    // shorter, and the row is no longer empty. A bar row is left alone.
    void SetText(const QStringList& texts);
    // Text rows only: appends the cell texts to `out`.
    void getTextArray(QStringList& out) const;
    // The cell texts of a text row; null for a bar row.
    QStringList* getTextArray();

    // Copies the bar in and makes it a real bar: its empty flag cleared, a
    // first tag for all its bars when it has none, and as many rows as its
    // tags take. A null bar changes nothing.
    void setSteel(const CVes_ProcessSteel* bar);
    void setSteel(const CVes_ProcessSteel& bar);
    // Brings the tags' pieces up to date with the bar's count (and group
    // count for a graded bar); a bar without tags gets its first tag. The
    // row's rows stay as they are.
    void changeLp();
    // With `apply` set, gives every tag the tag number and refreshes the
    // pieces as changeLp does; a bar without tags gets a first tag of that
    // number. With `apply` 0 nothing changes.
    void setID(int number, int apply);

    // A graded bar's tags count the bars a group and then the groups; the
    // groups are not stored with the tag, so a row read back takes them
    // from the bar again. Tags of any other bar count bars and hold no
    // groups.
    void restorePerGroupPieces();

    int getFirstLp() const { return m_firstLp; }
    void setFirstLp(int index) { m_firstLp = index; }

    // Index of the first bar tag that the current summary page shows of this
    // row; 0 for the whole row.
    int m_firstLp = 0;
    QStringList m_arrText;
    CVes_ProcessSteel m_steel;

protected:
    // The bar model's sameness, asked of copies so that neither bar changes.
    static bool sameBars(const CVes_ProcessSteel& a, const CVes_ProcessSteel& b);

private:
    // The tag a bar without tags gets: every bar of the row on one tag.
    void addDefaultLp(int number);
    // Pieces and per-group pieces of a tag holding every bar of the row.
    void refreshLpPieces();
};
