#pragma once
// The view of the processing summary sheet: the base view's drawing,
// paging, selection and printing, without editing. The program derives its
// own summary view from it.

#include "tables/framework/ui/tableview.h"

class CVes_ProcessTableListView : public CVes_TableViewBase {
    Q_OBJECT
public:
    explicit CVes_ProcessTableListView(QWidget* parent = nullptr);
    ~CVes_ProcessTableListView() override;
};
