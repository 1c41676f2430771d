#pragma once
// The view of the bar-tag sheet: the base view's drawing, paging, printing
// and mouse; the table's hit test makes a click pick the tag under the
// pointer. The program derives its own tag view from it.

#include "tables/framework/ui/tableview.h"

class CVes_LiaoPaiView : public CVes_TableViewBase {
    Q_OBJECT
public:
    explicit CVes_LiaoPaiView(QWidget* parent = nullptr);
    ~CVes_LiaoPaiView() override;

    int getViewType() override { return kBarTagView; }
};
