// Every printed sheet of a bar list that strains its pages (long remarks,
// graded bars, many sizes, coated bars, couplers), drawn page by page as the
// printer and the screen draw it: no text leaves the cell it is drawn in, no
// two texts of a shape (on a screen, of any cell) lie over one another, and
// no text is smaller than a reader can read (on a screen 8 pixels, whatever
// the page's size there; a shape's values alone may get smaller, to clear
// one another).

#include "every_sheet.h"
#include "drawn_records.h"

#include "barlist_pages.h"

#include "core/geometry/steeltext.h"
#include "platform/recordingdc.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/ui/tableview.h"
#include "tests/support/exportedbook.h"
#include "tests/support/recordinghost.h"

#include <QPdfWriter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace {

using platform::DcOp;
using platform::DcRecord;
using platform::RecordingDc;
using platform::Rect;
using namespace platform::gdi;
using test::Device;
using test::deviceFor;
using test::isSymbolLetter;
using test::mappingOf;
using test::textBox;

bool isRule(const QString& text)
{
    return !text.trimmed().isEmpty()
           && std::all_of(text.begin(), text.end(), [](QChar c) {
                  return c.isSpace() || (c.unicode() >= 0x2500 && c.unicode() <= 0x257F);
              });
}

// What a failure names: the sheet, the page, the form cell under the clip
// and the text.
QString placeOf(const test::NamedSheet& sheet, int page, const DcRecord& record)
{
    QString cell = QStringLiteral("no cell");
    if (record.state.clip) {
        const std::unique_ptr<RecordingDc> dc = mappingOf(record);
        QPoint centre = record.state.clip->CenterPoint();
        dc->DPtoLP(&centre);
        int row = -1;
        int column = -1;
        if (const CVes_Form* form = sheet.table->getForm(); form && form->HitTest(centre, row, column))
            cell = QStringLiteral("cell (%1, %2)").arg(row).arg(column);
        const Rect& c = *record.state.clip;
        cell += QStringLiteral(" clip (%1,%2)-(%3,%4)").arg(c.left).arg(c.top).arg(c.right).arg(c.bottom);
    }
    return QStringLiteral("%1 page %2 %3: \"%4\"").arg(sheet.name).arg(page).arg(cell, record.text);
}

// The texts drawn under one clip: the texts of one cell, and where lines
// were drawn under it too, of one shape in its cell.
class CellTexts {
public:
    // On a screen no text of any cell lies over another; on paper, the
    // texts of a shape.
    CellTexts(const test::NamedSheet& sheet, int page, QStringList& faults, bool screen)
        : m_sheet(sheet), m_page(page), m_faults(faults), m_screen(screen)
    {
    }
    ~CellTexts() { close(); }

    void line(const DcRecord& record)
    {
        if (!record.state.clip)
            return;
        follow(*record.state.clip);
        m_lines = true;
    }
    void text(const DcRecord& record, const Rect& box)
    {
        if (!record.state.clip)
            return;
        follow(*record.state.clip);
        m_texts.push_back({&record, box});
    }
    // A text below the screen's legible height: a fault unless it is one of
    // a shape's values.
    void smallText(const Rect& clip, const QString& fault)
    {
        follow(clip);
        m_small << fault;
    }

private:
    struct Drawn {
        const DcRecord* record;
        Rect box;
    };
    static QString boxText(const Drawn& drawn)
    {
        const Rect& b = drawn.box;
        return QStringLiteral("(%1,%2)-(%3,%4) %5° %6 high")
            .arg(b.left).arg(b.top).arg(b.right).arg(b.bottom)
            .arg(drawn.record->font.logFont().lfEscapement / 10)
            .arg(std::abs(drawn.record->font.logFont().lfHeight));
    }
    void follow(const Rect& clip)
    {
        if (m_clip && *m_clip == clip)
            return;
        close();
        m_clip = clip;
    }
    void close()
    {
        if (m_lines || m_screen) {
            const QString where = m_lines ? QStringLiteral("shape") : QStringLiteral("cell");
            for (std::size_t i = 0; i < m_texts.size(); ++i) {
                for (std::size_t j = i + 1; j < m_texts.size(); ++j) {
                    Rect over;
                    over.IntersectRect(m_texts[i].box, m_texts[j].box);
                    // Rounding of both boxes may make touching boxes share a
                    // device unit or two.
                    if (over.Width() > 2 && over.Height() > 2)
                        m_faults << placeOf(m_sheet, m_page, *m_texts[i].record)
                                        + QStringLiteral(" %1 lies over \"%2\" %3 of the same %4")
                                              .arg(boxText(m_texts[i]), m_texts[j].record->text,
                                                   boxText(m_texts[j]), where);
                }
            }
        }
        if (!m_lines)
            m_faults += m_small;
        m_small.clear();
        m_texts.clear();
        m_lines = false;
        m_clip.reset();
    }

    const test::NamedSheet& m_sheet;
    int m_page;
    QStringList& m_faults;
    bool m_screen;
    std::optional<Rect> m_clip;
    bool m_lines = false;
    std::vector<Drawn> m_texts;
    QStringList m_small;
};

// Draws every page of the sheet and answers what fails: texts that leave
// the cell they are clipped to, texts below the legible height, texts of a
// shape over one another, a "|" printed where a line should break.
QStringList pageFaults(const test::NamedSheet& sheet, Device device)
{
    QStringList faults;
    CVes_TableBase& table = *sheet.table;
    for (int page = 0; page <= table.getPages(); ++page) {
        RecordingDc dc = deviceFor(device);
        setTableMapping(&dc, 1);
        table.setPageTo(page, 1);
        Rect client(0, 0, dc.device().width, dc.device().height);
        dc.DPtoLP(&client);
        table.Draw(&dc, device == Device::Printer ? Rect(1, 1, 100, 100) : client);
        const double scale = device == Device::Printer ? 1.0 : table.m_drawScale;
        const int legible = int(CVes_Cell::kLegibleTextHeight * scale);
        // On a screen no text reads smaller than 8 pixels, whatever its size
        // on paper; only a shape's values may get smaller, to clear one
        // another.
        const int onScreen = std::max(legible, screenLegibleHeight(dc));
        bool afterSymbol = false;
        CellTexts cellTexts(sheet, page, faults, device == Device::Screen);
        for (const DcRecord& record : dc.records()) {
            if (record.op == DcOp::Arc)
                afterSymbol = true;
            if (record.op == DcOp::LineTo || record.op == DcOp::Arc || record.op == DcOp::Polyline)
                cellTexts.line(record);
            if (record.op != DcOp::TextOut)
                continue;
            const bool letter = isSymbolLetter(record, afterSymbol);
            afterSymbol = false;
            if (letter || record.text.trimmed().isEmpty())
                continue;
            // A rule ("━━━") is a line across its cell, cut at the edges.
            if (isRule(record.text))
                continue;
            if (record.text.contains(u'|'))
                faults << placeOf(sheet, page, record) + QStringLiteral(" prints its \"|\"");
            const int height = std::abs(record.font.logFont().lfHeight);
            const QString small = placeOf(sheet, page, record)
                                  + QStringLiteral(" is %1 high, below %2")
                                        .arg(height)
                                        .arg(height < legible ? legible : onScreen);
            if (height < legible || (height < onScreen && !record.state.clip))
                faults << small;
            else if (height < onScreen)
                cellTexts.smallText(*record.state.clip, small);
            if (!record.state.clip)
                continue;
            Rect clip = *record.state.clip;
            clip.InflateRect(2, 2); // rounding of both boxes
            Rect box = textBox(record);
            cellTexts.text(record, box);
            Rect inside;
            inside.IntersectRect(box, clip);
            if (inside != box)
                faults << placeOf(sheet, page, record) + QStringLiteral(" box (%1,%2)-(%3,%4) leaves it")
                                                             .arg(box.left).arg(box.top)
                                                             .arg(box.right).arg(box.bottom);
        }
    }
    return faults;
}

class EverySheetPages : public ::testing::TestWithParam<Device> {};

// The lists whose sheets are drawn: one that strains every column, and rows
// of graded bars on every shape with two or more dimensions, each of them
// graded.
enum class List { Straining, GradedShapes };

class EverySheetOfList : public ::testing::TestWithParam<std::tuple<List, Device>> {};

TEST_P(EverySheetOfList, EveryTextFitsItsCellAtALegibleHeight)
{
    const auto [kind, device] = GetParam();
    CVes_SetupTable list;
    if (kind == List::Straining)
        test::fillStrainingList(list);
    else
        test::fillGradedShapesList(list);
    test::EverySheet sheets(list);
    QStringList faults;
    for (const test::NamedSheet& sheet : sheets.sheets()) {
        ASSERT_GT(sheet.table->getPages(), 0) << sheet.name.toStdString();
        faults += pageFaults(sheet, device);
    }
    EXPECT_TRUE(faults.isEmpty()) << faults.size() << " faults:\n"
                                  << faults.mid(0, 4000).join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    ListsAndDevices, EverySheetOfList,
    ::testing::Combine(::testing::Values(List::Straining, List::GradedShapes),
                       ::testing::Values(Device::Printer, Device::Screen)),
    [](const auto& info) {
        return std::string(std::get<0>(info.param) == List::Straining ? "straining" : "gradedShapes")
               + (std::get<1>(info.param) == Device::Printer ? "Printed" : "OnScreen");
    });

INSTANTIATE_TEST_SUITE_P(Devices, EverySheetPages,
                         ::testing::Values(Device::Printer, Device::Screen),
                         [](const auto& info) {
                             return info.param == Device::Printer ? "printed" : "onScreen";
                         });

// The numbers a bending shop reads off a bar's shape: on screen at the zoom
// a list opens with and on paper, every bar shows its dimensions inside its
// shape cell, at least three quarters the height of the page's text.
TEST_P(EverySheetPages, BarShapesShowTheirDimensionsLegibly)
{
    CVes_SetupTable list;
    test::fillDemoList(list);
    list.setPageTo(1, 1);
    RecordingDc dc = deviceFor(GetParam());
    setTableMapping(&dc, 1);
    Rect client(0, 0, dc.device().width, dc.device().height);
    dc.DPtoLP(&client);
    list.Draw(&dc, GetParam() == Device::Printer ? Rect(1, 1, 100, 100) : client);
    if (GetParam() == Device::Screen) {
        EXPECT_LT(list.m_drawScale, 1.0) << "the page is shown below paper size";
    }

    const CVes_Form& form = *list.getForm();
    const int pageText = int(list.m_tableTextHeight * 10 * list.m_drawScale);
    int rows = 0;
    for (int r = 1; r < form.GetRowCount(); ++r) {
        auto* line = static_cast<CVes_SetupTableLine*>(list.getLine(r));
        if (!line || !line->isSteelLine())
            continue;
        // The first dimension the user gives, as the shape writes it.
        QString value;
        for (const auto& variable : line->m_steel.getVarArray()) {
            if (variable->m_type == CVes_Variable::kGiven) {
                value = QString::number(int(variable->m_value + 0.5));
                break;
            }
        }
        ASSERT_FALSE(value.isEmpty()) << r;
        Rect cell = form.GetCellRect(r, CVes_SetupTable::kColShape);
        dc.LPtoDP(&cell);
        cell.NormalizeRect();
        bool shown = false;
        for (const DcRecord& record : dc.records(DcOp::TextOut)) {
            if (record.text != value || !record.state.clip)
                continue;
            Rect inside;
            inside.IntersectRect(*record.state.clip, cell);
            if (inside.IsRectEmpty())
                continue;
            shown = true;
            EXPECT_GE(std::abs(record.font.logFont().lfHeight), pageText * 3 / 4) << r;
        }
        EXPECT_TRUE(shown) << "row " << r << " does not show " << value.toStdString();
        ++rows;
    }
    EXPECT_GE(rows, 10);
}

// workbooks

// The workbook an export showed the user; empty when it showed none.
QString exported(test::RecordingHost& host, const std::function<void()>& exportIt)
{
    host.clear();
    exportIt();
    const QStringList opened = host.opened();
    return opened.size() == 1 ? opened.first() : QString();
}

// The column ("J") and the row of a cell ("J12").
std::pair<QString, int> placeOfCell(const QString& cell)
{
    const qsizetype digits = cell.indexOf(QRegularExpression(QStringLiteral("\\d")));
    return {cell.left(digits), cell.mid(digits).toInt()};
}

// Whether a column of that caption (row 5) holds lengths, counts or
// weights: values a spreadsheet adds up.
bool holdsValues(QString caption)
{
    caption.remove(u'\n');
    return caption.contains(QRegularExpression(QStringLiteral("长度|根数|总长|总重|数量|定尺")));
}

// What a workbook's sheet fails of reading right in any spreadsheet program:
// a character of the private-use area (a symbol font's), a line break that
// is not a line feed, a row lower than its lines, a "|" where a line should
// break, a length, count or weight stored as a text that a spreadsheet does
// not add up.
QStringList workbookFaults(const QString& path, const platform::xlsx::WorkbookTemplate& layout)
{
    static const QRegularExpression plainNumber(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    QStringList faults;
    const int sheets = int(test::ExportedBook(path, 1).sheetNames().size());
    for (int index = 1; index <= sheets; ++index) {
        const test::ExportedBook book(path, index);
        const QString name = book.sheetNames().value(index - 1);
        const std::map<int, double> heights = book.rowHeights();
        for (const auto& [cell, text] : book.strings()) {
            const QString where = QStringLiteral("%1!%2 \"%3\"").arg(name, cell, text);
            const auto [column, row] = placeOfCell(cell);
            if (text.contains(u'|'))
                faults << where + QStringLiteral(" holds a \"|\"");
            if (row > 5 && holdsValues(book.text(column + u'5')) && plainNumber.match(text).hasMatch())
                faults << where + QStringLiteral(" is a number stored as text");
            for (const QChar c : text) {
                if (c.unicode() >= 0xE000 && c.unicode() <= 0xF8FF)
                    faults << where + QStringLiteral(" holds a private-use character");
            }
            if (text.contains(u'\r') || text.contains(QStringLiteral("_x000D_")))
                faults << where + QStringLiteral(" breaks its line with a carriage return");
            const double points = row == 1 ? layout.titleFontSize : layout.fontSize;
            const double needed = (text.count(u'\n') + 1) * platform::xlsx::lineHeight(points);
            const auto set = heights.find(row);
            const double height = set == heights.end() ? 15.0 : set->second;
            if (height + 0.01 < needed)
                faults << where + QStringLiteral(" needs %1 pt, its row is %2").arg(needed).arg(height);
        }
    }
    return faults;
}

// The straining list's sheets, each exported as the user exports it.
class EverySheetWorkbooks : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!test::canReadWorkbooks())
            GTEST_SKIP() << "unzip is not installed";
        test::fillStrainingList(list);
        sheets = std::make_unique<test::EverySheet>(list);
    }
    CVes_TableBase* sheetNamed(const QString& name) const { return sheets->named(name); }
    // The workbook the sheet's export showed the user; empty when none.
    static QString exportOf(CVes_TableBase* table)
    {
        return table ? exported(test::RecordingHost::current(), [table] { table->exportExcel(); })
                     : QString();
    }

    test::ExportFolder folder;
    test::HostScope host;
    CVes_SetupTable list;
    std::unique_ptr<test::EverySheet> sheets;
};

TEST_F(EverySheetWorkbooks, ReadRightInAnySpreadsheetProgram)
{
    const struct {
        const char* workbook;
        CVes_TableBase* table;
    } exports[] = {
        {"pld", &list},
        {"jgd", sheetNamed(QStringLiteral("加工明细单"))},
        {"ylb", sheetNamed(QStringLiteral("钢筋用量表"))},
        {"jhd", sheetNamed(QStringLiteral("原材进货"))},
    };
    for (const auto& entry : exports) {
        const QString path = exportOf(entry.table);
        ASSERT_FALSE(path.isEmpty()) << entry.workbook;
        test::keepForReview(path, QString::fromLatin1(entry.workbook) + QStringLiteral(".xlsx"));
        platform::xlsx::WorkbookTemplate layout;
        ASSERT_TRUE(platform::xlsx::WorkbookTemplate::load(
            platform::xlsx::templatePath(QString::fromLatin1(entry.workbook)), &layout));
        const QStringList faults = workbookFaults(path, layout);
        EXPECT_TRUE(faults.isEmpty()) << entry.workbook << ": " << faults.size() << " faults:\n"
                                      << faults.mid(0, 40).join(u'\n').toStdString();
    }
}

// Every sheet's export gives, member for member, the workbook the fixture
// recorded; a sheet without a workbook of its own gives none. After an
// intended change of a workbook the fixture is written anew by running this
// test with RODO_RECORD_EVERY_EXPORT set to its path.
TEST_F(EverySheetWorkbooks, AreTheWorkbooksRecorded)
{
    // The purchase summary is numbered by the clock when first made.
    host->setNow(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
    list.setJinHuoText(1, QString());
    sheets = std::make_unique<test::EverySheet>(list);
    QStringList written;
    for (const test::NamedSheet& sheet : sheets->sheets()) {
        const QString path = exportOf(sheet.table);
        if (path.isEmpty())
            written << sheet.name + QStringLiteral(" none");
        for (const QString& line : path.isEmpty() ? QStringList() : test::workbookDigests(path))
            written << sheet.name + u' ' + line;
    }
    const QStringList expected = test::recordedLines(
        QStringLiteral(RODO_FIXTURES_DIR "/export_every_sheet.sha1"), "RODO_RECORD_EVERY_EXPORT", written);
    ASSERT_FALSE(expected.isEmpty());
    EXPECT_EQ(written.join(u'\n').toStdString(), expected.join(u'\n').toStdString());
}

// The user cancels a sheet's export before the work starts or at the moment
// it ends: nothing is written, an older workbook of that name stays as it
// was, and nothing is shown. The sheet is copied for the work behind the
// progress window, never filled into the workbook before it.
enum class CancelAt { Start, End };

struct CancelCase {
    const char* sheet;
    CancelAt at;
};

void PrintTo(const CancelCase& c, std::ostream* os)
{
    *os << c.sheet << (c.at == CancelAt::Start ? " at the start" : " at the end");
}

class CancelledSheetExport : public EverySheetWorkbooks,
                             public ::testing::WithParamInterface<CancelCase> {};

TEST_P(CancelledSheetExport, WritesNothing)
{
    CVes_TableBase* table = sheetNamed(QString::fromUtf8(GetParam().sheet));
    ASSERT_NE(table, nullptr);
    const QString path = QDir(folder.path()).filePath(QStringLiteral("older.xlsx"));
    {
        QFile older(path);
        ASSERT_TRUE(older.open(QIODevice::WriteOnly));
        older.write("the workbook of last week");
    }
    host->clear();
    if (GetParam().at == CancelAt::Start) {
        host->scriptSaveFile(path);
        host->scriptProgressCancel();
        table->exportExcel();
        EXPECT_TRUE(host->messageTexts().isEmpty());
        EXPECT_TRUE(host->opened().isEmpty());
        ASSERT_EQ(host->progressRuns().size(), 1u);
        EXPECT_TRUE(host->progressRuns().front().cancellable);
    } else {
        test::RecordingHost& recorder = test::RecordingHost::current();
        test::CancelAtEndHost user(path);
        platform::setHost(&user);
        table->exportExcel();
        platform::setHost(&recorder);
        EXPECT_TRUE(user.taken);
        EXPECT_TRUE(user.ran);
        EXPECT_EQ(user.messages, 0);
        EXPECT_EQ(user.opened, 0);
    }
    QFile older(path);
    ASSERT_TRUE(older.open(QIODevice::ReadOnly));
    EXPECT_EQ(older.readAll(), QByteArray("the workbook of last week"));
    // No file half written, and no work file left behind.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList{QStringLiteral("older.xlsx")});
}

INSTANTIATE_TEST_SUITE_P(
    Sheets, CancelledSheetExport,
    ::testing::Values(CancelCase{"配料单", CancelAt::Start}, CancelCase{"配料单", CancelAt::End},
                      CancelCase{"钢筋用量表", CancelAt::Start}, CancelCase{"钢筋用量表", CancelAt::End},
                      CancelCase{"加工明细单", CancelAt::Start}, CancelCase{"加工明细单", CancelAt::End},
                      CancelCase{"加工汇总单", CancelAt::End}, CancelCase{"原材进货", CancelAt::End},
                      CancelCase{"用量汇总", CancelAt::End}));

// A sheet of an exported workbook as a spreadsheet adds it up.
class SheetFigures {
public:
    SheetFigures(const QString& path, int index) : m_book(path, index)
    {
        for (const auto& [cell, value] : m_book.numbers())
            m_numbers[placeOfCell(cell)] = value;
        for (const auto& [cell, text] : m_book.strings())
            m_texts[placeOfCell(cell)] = text;
    }

    // The column whose caption in row 5, without its line breaks, starts
    // with `caption`; empty for none.
    QString column(const QString& caption) const
    {
        for (const auto& [place, text] : m_texts) {
            if (place.second == 5 && QString(text).remove(u'\n').startsWith(caption))
                return place.first;
        }
        return {};
    }
    // The first row from `from` on whose cell in `column` reads `text`; 0
    // for none.
    int rowOf(const QString& column, const QString& text, int from = 6) const
    {
        for (const auto& [place, shown] : m_texts) {
            if (place.first == column && place.second >= from && shown == text)
                return place.second;
        }
        return 0;
    }
    double number(const QString& column, int row) const
    {
        const auto found = m_numbers.find({column, row});
        return found == m_numbers.end() ? std::nan("") : found->second;
    }
    // What =SUM gives over the column's rows `first` to `last`, and how
    // many numbers it adds.
    struct Sum {
        double value = 0;
        int numbers = 0;
    };
    Sum sum(const QString& column, int first, int last = 1048576) const
    {
        Sum sum;
        for (const auto& [place, value] : m_numbers) {
            if (place.first == column && place.second >= first && place.second <= last) {
                sum.value += value;
                ++sum.numbers;
            }
        }
        return sum;
    }

private:
    test::ExportedBook m_book;
    std::map<std::pair<QString, int>, double> m_numbers;
    std::map<std::pair<QString, int>, QString> m_texts;
};

// How far a sum of shown values may lie from the total a page shows: each
// value and the total are rounded to their last shown decimal.
double roundingOf(const SheetFigures::Sum& sum, int decimals, int totalDecimals)
{
    return (sum.numbers * 0.5 * std::pow(10.0, -decimals)) + 0.5 * std::pow(10.0, -totalDecimals) + 1e-9;
}

// Every workbook's lengths, counts and weights are numbers, and what a
// spreadsheet sums of them is the total the sheets show.
TEST_F(EverySheetWorkbooks, NumbersAddUpToTheTotalsTheSheetsShow)
{
    // Totals without loss, so that they are the bars' own.
    const auto noLoss = [](CVes_SortRules& rules) {
        rules.m_calcLossBar = 0;
        rules.m_calcLossWire = 0;
    };
    noLoss(list.getSortRules());
    auto* quantity = dynamic_cast<CVes_SLTable*>(sheetNamed(QStringLiteral("钢筋用量表")));
    ASSERT_NE(quantity, nullptr);
    noLoss(quantity->getSortRules());

    // The bar list's workbook: the list, the sorted sheet, the summaries.
    const QString barList = exportOf(&list);
    ASSERT_FALSE(barList.isEmpty());
    const SheetFigures bars(barList, 1), sorted(barList, 2), summary(barList, 3), joints(barList, 4);
    const SheetFigures::Sum listWeight = bars.sum(bars.column(QStringLiteral("总重")), 6);
    EXPECT_GT(listWeight.numbers, 40);
    const QString summaryWeight = summary.column(QStringLiteral("总重量"));
    const int summaryTotal = summary.rowOf(QStringLiteral("A"), QStringLiteral("总重"));
    ASSERT_GT(summaryTotal, 0);
    const double total = summary.number(summaryWeight, summaryTotal);
    EXPECT_NEAR(listWeight.value, total, roundingOf(listWeight, 3, 3));
    const SheetFigures::Sum sizes =
        summary.sum(summaryWeight, summary.rowOf(QStringLiteral("A"), QStringLiteral("各规格合计")) + 1,
                    summaryTotal - 1);
    EXPECT_GT(sizes.numbers, 5);
    EXPECT_NEAR(sizes.value, total, roundingOf(sizes, 3, 3));

    const QString sortedWeight = sorted.column(QStringLiteral("总重量"));
    const QString sortedLength = sorted.column(QStringLiteral("总长度"));
    const int sortedSizes = sorted.rowOf(QStringLiteral("B"), QStringLiteral("合计"));
    const int sortedTotal = sorted.rowOf(QStringLiteral("B"), QStringLiteral("总重"));
    ASSERT_GT(sortedSizes, 0);
    ASSERT_GT(sortedTotal, sortedSizes);
    const SheetFigures::Sum sortedBars = sorted.sum(sortedWeight, 6, sortedSizes - 1);
    EXPECT_NEAR(sortedBars.value, sorted.number(sortedWeight, sortedTotal), roundingOf(sortedBars, 3, 2));
    EXPECT_NEAR(sortedBars.value, total, roundingOf(sortedBars, 3, 3));
    const SheetFigures::Sum barLengths = sorted.sum(sortedLength, 6, sortedSizes - 1);
    const SheetFigures::Sum sizeLengths = sorted.sum(sortedLength, sortedSizes + 1, sortedTotal - 1);
    EXPECT_NEAR(barLengths.value, sizeLengths.value,
                roundingOf(barLengths, 2, 2) + roundingOf(sizeLengths, 2, 2));
    // Counts are whole: every plain bar's count is in both sheets.
    EXPECT_EQ(bars.sum(bars.column(QStringLiteral("总根数")), 6).value,
              sorted.sum(sorted.column(QStringLiteral("总根数")), 6).value);

    const QString jointCount = joints.column(QStringLiteral("接头数量"));
    const int wholeJoints = joints.rowOf(QStringLiteral("A"), QStringLiteral("各规格总计"));
    ASSERT_GT(wholeJoints, 0);
    EXPECT_GT(joints.sum(jointCount, wholeJoints).value, 0);
    EXPECT_EQ(joints.sum(jointCount, 6, wholeJoints).value, joints.sum(jointCount, wholeJoints).value);

    // The quantity sheet's workbook: its rows add up to its summary's total.
    const QString quantities = exportOf(quantity);
    ASSERT_FALSE(quantities.isEmpty());
    const SheetFigures detail(quantities, 1), quantitySummary(quantities, 2);
    const SheetFigures::Sum detailWeight = detail.sum(detail.column(QStringLiteral("总重量")), 6);
    EXPECT_GT(detailWeight.numbers, 40);
    const int quantityTotal = quantitySummary.rowOf(QStringLiteral("A"), QStringLiteral("总重"));
    ASSERT_GT(quantityTotal, 0);
    EXPECT_NEAR(detailWeight.value,
                quantitySummary.number(quantitySummary.column(QStringLiteral("总重量")), quantityTotal),
                roundingOf(detailWeight, 3, 3));
    EXPECT_NEAR(detailWeight.value, total, roundingOf(detailWeight, 3, 3));

    // The processing sheet's workbook: its summary joins equal bars, their
    // counts added.
    const QString processing = exportOf(sheetNamed(QStringLiteral("加工明细单")));
    ASSERT_FALSE(processing.isEmpty());
    const SheetFigures processed(processing, 1), processSummary(processing, 2);
    const SheetFigures::Sum processedCount = processed.sum(processed.column(QStringLiteral("总根数")), 6);
    EXPECT_GT(processedCount.numbers, 40);
    EXPECT_EQ(processedCount.value,
              processSummary.sum(processSummary.column(QStringLiteral("总根数")), 6).value);

    // The purchase summary's sizes add up to its total weight.
    const QString purchase = exportOf(sheetNamed(QStringLiteral("原材进货")));
    ASSERT_FALSE(purchase.isEmpty());
    const SheetFigures bought(purchase, 1);
    const QString boughtWeight = bought.column(QStringLiteral("总重量"));
    const int boughtTotal = bought.rowOf(QStringLiteral("A"), QStringLiteral("总重量"));
    ASSERT_GT(boughtTotal, 0);
    const SheetFigures::Sum boughtSizes = bought.sum(boughtWeight, 6, boughtTotal - 1);
    EXPECT_GT(boughtSizes.numbers, 5);
    EXPECT_NEAR(boughtSizes.value, bought.number(boughtWeight, boughtTotal), roundingOf(boughtSizes, 3, 3));
}

// Prints every sheet of `list` to PDF and keeps the files the program
// opens, their names starting with `stem`.
void printForReview(CVes_SetupTable& list, const QString& stem)
{
    test::EverySheet sheets(list);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // The sheets the program opens, to be looked at in its windows too.
    const struct {
        const char* sheet;
        const char* extension;
    } files[] = {{"配料单", ".pld"}, {"加工明细单", ".jgd"}, {"钢筋用量表", ".ylb"}};
    for (const auto& file : files) {
        for (const test::NamedSheet& sheet : sheets.sheets()) {
            if (sheet.name != QString::fromUtf8(file.sheet))
                continue;
            const QString name = stem + QString::fromLatin1(file.extension);
            const QString path = dir.filePath(name);
            EXPECT_EQ(sheet.table->SaveFile(path), 1) << name.toStdString();
            test::keepForReview(path, name);
        }
    }
    for (const test::NamedSheet& sheet : sheets.sheets()) {
        CVes_TableViewBase view;
        view.resize(1400, 960);
        view.setTable(sheet.table);
        const QString name = stem + QLatin1Char('-') + sheet.name + QStringLiteral(".pdf");
        const QString path = dir.filePath(name);
        {
            QPdfWriter pdf(path);
            EXPECT_TRUE(view.printTo(&pdf, view.firstPrintPage(), view.lastPrintPage()))
                << sheet.name.toStdString();
        }
        test::keepForReview(path, name);
        view.setTable(nullptr);
    }
}

TEST(EverySheetReview, PrintsEverySheetForAPersonToLookAt)
{
    if (qEnvironmentVariableIsEmpty("RODO_SCREENSHOT_DIR"))
        GTEST_SKIP() << "only with RODO_SCREENSHOT_DIR";
    CVes_SetupTable straining;
    test::fillStrainingList(straining);
    printForReview(straining, QStringLiteral("straining"));
    CVes_SetupTable graded;
    test::fillGradedShapesList(graded);
    printForReview(graded, QStringLiteral("graded"));
}

} // namespace
