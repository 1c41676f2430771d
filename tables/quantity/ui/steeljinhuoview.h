#pragma once
// The view of a purchase sheet: the table's cells are not edited; a double
// click on a heading or footing text opens its editor, and the edited text
// is stored trimmed.

#include "tables/framework/ui/tableview.h"

class CVes_SteelJinHuoView : public CVes_TableViewBase {
    Q_OBJECT
public:
    explicit CVes_SteelJinHuoView(QWidget* parent = nullptr);
    ~CVes_SteelJinHuoView() override;

    // A double click at `point` (pixels of the client area): on a heading or
    // footing text its editor opens, on the cover page the cover's text under
    // the point (the table view's); elsewhere nothing is edited.
    void OnLButtonDblClk(unsigned int flags, QPoint point) override;
    // The end of an edit: a heading or footing text of the text kind takes
    // the trimmed text; in every case the table is marked changed with an
    // undo step, the view repainted, the frame told and the document marked
    // modified.
    void OnEndEdit(int row, const QString& text);
    void EndCellEdit(int row, int column, const QString& text) override;

protected:
    // The heading or footing text under a point (pixels of the client
    // area): its field, or -1 when the point is on none.
    int headingAt(QPoint point) const;
    // Whether a point is on any heading or footing text of a page, the
    // note's number at the top right (text 1, which no field selects)
    // included.
    bool onTitleText(QPoint point) const;
};
