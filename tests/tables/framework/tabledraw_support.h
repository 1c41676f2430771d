#pragma once
// A sheet for the page-drawing and export tests: A4 portrait with known
// margins, title-block texts, four columns (one hidden) and 20 rows a page,
// so that every position on a printed page can be worked out by hand.

#include "tablebase_support.h"

#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/form.h"

#include <QStringList>

namespace test {

class DrawSheet : public KeyTable {
public:
    DrawSheet()
    {
        m_paper = kA4;
        m_orientation = kPortrait;
        m_topMargin = 20;
        m_bottomMargin = 15;
        m_leftMargin = 25;
        m_rightMargin = 10;
        m_gutter = 0;
        m_reservedHeight = 10;
        m_rowMode = 1;
        m_rowNum = 20;
        m_rowHeight = 8;
        m_tableTextHeight = 4;
        m_showTitle = 1;
        m_columnNum = 4;
        m_captions = {QStringLiteral("编号"), QStringLiteral("长度"), QStringLiteral("重量"),
                      QStringLiteral("总长")};
        m_widths = {20, 0, 30, 50};
        m_units = {kNoUnit, kMillimetre, kKilogram, kMetre};
        m_stretchColumn = 3;
        m_textHeights = {80, 30, 40, 40, 40, 30, 30, 35};
        setText(0, QStringLiteral("表单标题"), QStringLiteral("钢筋配料单"));
        m_texts[0].m_align = 6;
        setText(2, QStringLiteral("工程名称"), QStringLiteral("综合楼"));
        setText(3, QStringLiteral("施工部位"), QStringLiteral("一层"));
        setText(5, QStringLiteral("编制"), QStringLiteral("张三"));
        setText(6, QStringLiteral("审核"), QStringLiteral("李四"));
        setText(7, QStringLiteral("日期"), QStringLiteral("2026-12-09"));
        m_texts[6].m_align = 6;
        m_texts[7].m_align = 2;
    }

    void setText(int i, const QString& name, const QString& value)
    {
        m_texts[std::size_t(i)].m_text = name;
        m_texts[std::size_t(i)].m_formula = value;
    }

    unsigned int getTableType() override { return m_type; }
    void AmountToString(QStringList& bars, QStringList& joints) override
    {
        ++m_amountCalls;
        bars = m_barTexts;
        joints = m_jointTexts;
    }
    int fillExcel(platform::xlsx::Worksheet& sheet) override
    {
        if (m_excelRows.isEmpty())
            return KeyTable::fillExcel(sheet);
        for (int i = 0; i < m_excelRows.size(); ++i)
            sheet.setText(6 + i, 1, m_excelRows[i]);
        return int(m_excelRows.size()) + 1;
    }

    unsigned int m_type = 0;
    int m_amountCalls = 0;
    QStringList m_barTexts;
    QStringList m_jointTexts;
    QStringList m_excelRows;
};

inline platform::RecordingDc printerDc()
{
    platform::RecordingDc::Device device;
    device.printing = true;
    device.dpiX = 600;
    device.dpiY = 600;
    return platform::RecordingDc(device);
}

// The first TextOut record of a text, or null.
inline const platform::DcRecord* textRecord(const std::vector<platform::DcRecord>& records,
                                            const QString& text)
{
    for (const platform::DcRecord& record : records)
        if (record.op == platform::DcOp::TextOut && record.text == text)
            return &record;
    return nullptr;
}

} // namespace test
