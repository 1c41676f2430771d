#pragma once
// The values of a sheet's page layout that the page-setup dialog and the
// view may leave, in the order pagelayout_fuzz takes them from its input:
// `visit` is called once with each, as an lvalue (an int or a double). The
// seed maker writes a sheet's own layout in the same order.

#include "tables/framework/tablebase.h"

namespace fuzz {

template <typename Visit>
void forEachLayoutValue(CVes_TableBase& table, Visit&& visit)
{
    for (int* field : {&table.m_paper, &table.m_orientation, &table.m_customWidth,
                       &table.m_customHeight, &table.m_topMargin, &table.m_bottomMargin,
                       &table.m_leftMargin, &table.m_rightMargin, &table.m_gutter,
                       &table.m_gutterPos, &table.m_reservedHeight, &table.m_rowHeight,
                       &table.m_rowMode, &table.m_tableTextHeight, &table.m_pageSummary,
                       &table.m_stretchColumn, &table.m_showTitle, &table.m_pageNumberStyle})
        visit(*field);
    visit(table.m_rowNum);
    visit(table.m_summaryRowHeight);
    for (int& height : table.m_textHeights)
        visit(height);
    for (int& width : table.m_widths)
        visit(width);
    visit(table.m_formFactor);
    double zoom = table.getScale();
    visit(zoom);
    table.setScale(zoom);
    visit(table.m_scrollX);
    visit(table.m_scrollY);
}

} // namespace fuzz
