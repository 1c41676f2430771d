#pragma once
// Bar lists for the page, print and export tests: rows built field by field
// on shapes of the default library, a whole list of three elements and
// thirty bars as a detailer would enter it, and a page laid out on a
// recording context as the screen or a printer would draw it.

#include "tables/barlist/setuptable.h"

#include "platform/recordingdc.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <initializer_list>
#include <utility>

namespace test {

const CSteelRecordId kListStraight(190, 1);
const CSteelRecordId kHooked(190, 2);
const CSteelRecordId kLBar(191, 1);
const CSteelRecordId kUBar(191, 2);
const CSteelRecordId kHoop(192, 1);

using Vars = std::initializer_list<std::pair<const char*, double>>;

inline CVes_SetupTableLine* addBar(CVes_SetupTable& t, const char* number, int grade, float d,
                                   CSteelRecordId shape, Vars vars, int count)
{
    CVes_Steel bar;
    bar.setRecordId(shape);
    bar.setDN(d);
    bar.grade = grade;
    for (const auto& [name, value] : vars)
        bar.setVarValue(QString::fromUtf8(name), value);
    bar.number = QString::fromUtf8(number);
    bar.count = count;
    bar.getFirstMidConnect()->stat = 0;
    return t.Add(bar);
}

// A bar of an entered length (in the shape unit), without a shape.
inline CVes_SetupTableLine* addPlainBar(CVes_SetupTable& t, const char* number, float length,
                                        int count)
{
    CVes_Steel bar;
    bar.number = QString::fromUtf8(number);
    bar.grade = 3;
    bar.DN = 20.0f;
    bar.count = count;
    bar.calcLength = 0;
    bar.length = length;
    bar.getFirstMidConnect()->stat = 0;
    return t.Add(bar);
}

inline CVes_SetupTableLine* addElement(CVes_SetupTable& t, const char* name, int pieces)
{
    auto* line = new CVes_SetupTableLine(int(CVes_SetupTableLine::kElementLine));
    line->setNull(0);
    line->setElement(QString::fromUtf8(name));
    line->setEleNum(pieces);
    t.appendLine(line);
    return line;
}

// The first floor's beams, columns and slab of an office block: three
// elements of ten bars each, numbered 1 to 30, on straight, hooked, L, U and
// hoop shapes, with spacings, remarks and the project's title texts.
inline void fillDemoList(CVes_SetupTable& t)
{
    t.clearnAllLine();
    t.m_texts[2].m_formula = QStringLiteral("滨江花园3号楼");
    t.m_texts[3].m_formula = QStringLiteral("二层梁柱板");
    t.m_texts[5].m_formula = QStringLiteral("王工");
    t.m_texts[6].m_formula = QStringLiteral("李工");
    t.m_texts[7].m_formula = QStringLiteral("2026-3-18");
    t.setExVarVal(CVes_TableBase::kVarSeismic, 2.0);
    t.setExVarVal(CVes_TableBase::kVarConcrete, 30.0);
    t.setExVarVal(CVes_TableBase::kVarCover, 25.0);

    static const char* const kElements[] = {"KL1(2)", "KZ3", "LB2"};
    int number = 1;
    for (int e = 0; e < 3; ++e) {
        addElement(t, kElements[e], e + 2);
        for (int i = 0; i < 10; ++i, ++number) {
            const QByteArray no = QByteArray::number(number);
            const float d = float(10 + 2 * ((number * 7) % 8)); // 10 … 24
            const int grade = i % 4 == 0 ? 1 : 3;
            CVes_SetupTableLine* line = nullptr;
            switch (i % 5) {
            case 0: line = addBar(t, no.constData(), grade, d, kListStraight, {{"L", 3000.0 + 250 * i}}, 4); break;
            case 1: line = addBar(t, no.constData(), grade, d, kHooked, {{"L", 2400.0 + 100 * e}}, 6); break;
            case 2: line = addBar(t, no.constData(), grade, d, kLBar, {{"L1", 1800}, {"L2", 300}}, 2); break;
            case 3:
                line = addBar(t, no.constData(), grade, d, kUBar, {{"L1", 250}, {"L2", 1200}, {"L3", 250}}, 3);
                break;
            default: line = addBar(t, no.constData(), 1, 8.0f, kHoop, {{"H", 550}, {"B", 250}}, 20); break;
            }
            CVes_Steel& bar = line->m_steel;
            if (i % 5 == 4) {
                bar.spacing1 = QStringLiteral("100");
                bar.spacing2 = QStringLiteral("200");
            }
            if (i == 2)
                bar.remark = QStringLiteral("支座负筋|两端");
        }
    }
}

// A page as a window 1000 × 700 pixels shows it, or as a 600 dpi printer
// prints it; the context is kept for the drawn records.
class LaidOutPage {
public:
    LaidOutPage(CVes_SetupTable& table, bool printing) : dc(device(printing))
    {
        if (printing) {
            setTableMapping(&dc, 1);
            table.Draw(&dc, platform::Rect(1, 1, 100, 100));
        } else {
            table.Draw(&dc, platform::Rect(0, 0, 1000, 700));
        }
        form = table.getForm();
    }

    const CVes_Cell& cell(int row, int column) const { return *form->GetCell(row, column); }
    QString text(int row, int column) const { return cell(row, column).text(); }

    platform::RecordingDc dc;
    CVes_Form* form = nullptr;

private:
    static platform::RecordingDc::Device device(bool printing)
    {
        platform::RecordingDc::Device d;
        if (printing) {
            d.printing = true;
            d.dpiX = d.dpiY = 600;
        } else {
            d.width = 1000;
            d.height = 700;
        }
        return d;
    }
};

// With RODO_SCREENSHOT_DIR set, a copy of the file is left there under
// `name` for a person to look at.
inline void keepForReview(const QString& file, const QString& name)
{
    const QString dir = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    const QString target = QDir(dir).filePath(name);
    QFile::remove(target);
    QFile::copy(file, target);
}

} // namespace test
