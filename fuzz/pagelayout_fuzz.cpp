// The page layout as the page-setup dialog and the view may leave it,
// whatever the values: margins, paper, rows per page, row and text heights,
// column widths, zoom and scroll. A bar list with a few bars is paged and
// drawn on it; the page drawing must hold every value to what a device can
// take rather than reach undefined behaviour.

#include "fuzz/fuzzsupport.h"

#include "core/model/recordcache.h"
#include "core/model/steel.h"
#include "tables/barlist/setuptable.h"


extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::prepare();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Input in(data, size);
    CVes_SetupTable table;
    for (int i = 0; i < 3; ++i) {
        CVes_Steel bar;
        bar.setRecordId(CSteelRecordId(191, 1 + i));
        bar.setSteelId(QString::number(i + 1));
        table.Add(bar);
    }
    for (int* field : {&table.m_paper, &table.m_orientation, &table.m_customWidth,
                       &table.m_customHeight, &table.m_topMargin, &table.m_bottomMargin,
                       &table.m_leftMargin, &table.m_rightMargin, &table.m_gutter,
                       &table.m_gutterPos, &table.m_reservedHeight, &table.m_rowHeight,
                       &table.m_rowMode, &table.m_tableTextHeight, &table.m_pageSummary,
                       &table.m_stretchColumn, &table.m_showTitle, &table.m_pageNumberStyle})
        *field = in.take<std::int32_t>();
    table.m_rowNum = in.take<std::int32_t>();
    table.m_summaryRowHeight = in.take<std::int32_t>();
    for (int& height : table.m_textHeights)
        height = in.take<std::int32_t>();
    for (int& width : table.m_widths)
        width = in.take<std::int32_t>();
    table.m_formFactor = in.take<double>();
    table.setScale(in.take<double>());
    table.m_scrollX = in.take<double>();
    table.m_scrollY = in.take<double>();
    fuzz::drawPages(table);
    clearTheUseRecordArray();
    return 0;
}
