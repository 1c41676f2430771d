#include "tables/processing/ui/processtablelistview.h"

CVes_ProcessTableListView::CVes_ProcessTableListView(QWidget* parent) : CVes_TableViewBase(parent)
{
}

CVes_ProcessTableListView::~CVes_ProcessTableListView() = default;
