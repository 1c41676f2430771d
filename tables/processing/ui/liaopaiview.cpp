#include "tables/processing/ui/liaopaiview.h"

CVes_LiaoPaiView::CVes_LiaoPaiView(QWidget* parent) : CVes_TableViewBase(parent) {}

CVes_LiaoPaiView::~CVes_LiaoPaiView() = default;

