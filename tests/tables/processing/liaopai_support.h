#pragma once
// Shared pieces of the bar-tag tests: tag rows made of texts, processing
// sheets of numbered bars under element headings, and the texts a recording
// context drew with where it drew them.

#include "tests/tables/processing/processing_support.h"

#include "platform/recordingdc.h"
#include "tables/processing/liaopaitable.h"

#include <QStringList>

#include <vector>

namespace test {

// A tag row of `n` texts "t0", "t1", …, keyed by diameter and length.
inline CVes_LiaoPaiTableLine tagRow(int n, float diameter = 0.0f, float length = 0.0f,
                                    const char* name = "")
{
    QStringList texts;
    for (int i = 0; i < n; ++i)
        texts << QStringLiteral("t%1").arg(i);
    if (n > 3 && *name)
        texts[3] = QString::fromUtf8(name);
    CVes_ProcessSteel bar = processBar(name, 3, diameter, 1, length);
    return CVes_LiaoPaiTableLine(texts, diameter > 0.0f ? &bar : nullptr);
}

// A bar number of letters only, "BAA", "BAB", … for n = 1, 2, … (what a PDF
// text extractor reads back whole from every face).
inline QString letterNumber(int n)
{
    return QStringLiteral("B") + QChar(u'A' + (n - 1) / 26) + QChar(u'A' + (n - 1) % 26);
}

// A processing sheet numbered "JG01" of `elements` elements with `bars` bars
// each, numbered letterNumber(1), letterNumber(2), … across the sheet, each
// bar of one tag (numbers 1, 2, …), every bar of the straight shape `length`
// mm long.
inline void fillSheet(CVes_ProcessTable& sheet, int elements, int bars, double length = 3000)
{
    sheet.m_texts[3].m_formula = QStringLiteral("JG01");
    sheet.appendLine(headingRow(EditLine::kProjectRow, QStringLiteral("综合楼")));
    sheet.appendLine(headingRow(EditLine::kStoryRow, QStringLiteral("三层")));
    int n = 0;
    for (int e = 1; e <= elements; ++e) {
        sheet.appendLine(headingRow(EditLine::kEleRow, QStringLiteral("KL%1").arg(e)));
        for (int b = 0; b < bars; ++b) {
            ++n;
            const QByteArray number = letterNumber(n).toUtf8();
            CVes_ProcessSteel bar = shapedBar(number.constData(), kStraight, "L", length, 2);
            bar.setPID(n);
            auto* line = barRow(bar);
            line->getProcessSteel()->tags.front().mark = n;
            sheet.appendLine(line);
        }
    }
}

// A text drawn and its reference point.
struct DrawnText {
    QString text;
    QPoint at;
};

inline std::vector<DrawnText> drawnTexts(const platform::RecordingDc& dc)
{
    std::vector<DrawnText> out;
    for (const platform::DcRecord& r : dc.records(platform::DcOp::TextOut))
        out.push_back({r.text, r.points.front()});
    return out;
}

// The first drawn text equal to `text`; null point and empty text when none.
inline DrawnText findText(const platform::RecordingDc& dc, const QString& text)
{
    for (const DrawnText& t : drawnTexts(dc))
        if (t.text == text)
            return t;
    return {};
}

} // namespace test
