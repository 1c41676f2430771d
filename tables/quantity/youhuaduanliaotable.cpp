#include "tables/quantity/youhuaduanliaotable.h"

#include "tables/framework/form.h"
#include "tables/framework/tablehelpers.h"
#include "tables/framework/sheetsetup.h"

#include <algorithm>

namespace {

using sheetsetup::Column;
using sheetsetup::TitleText;

using sheetsetup::kNone;
constexpr int kLeastPieceSlots = 4;

constexpr sheetsetup::Page kCuttingPage = {18, 16, 16, 16, 5, 10, 16, 90, 18, 1, 8};

constexpr TitleText kCuttingTitleTexts[] = {
    {2, "加工单号", " ", 40, 24}, {3, "加工说明", " ", 40, 24}, {4, "", " ", 40, 24},
    {5, "编制员", " ", 30, 0},    {6, "操作员", " ", 30, 0},    {7, "编制日期", "  ", 30, 2},
};

constexpr Column kCuttingColumns[] = {
    {"序号", "序号", 7, kNone},
    {"原材\n编号", "原材\n编号", 10, kNone},
    {"钢筋\n \n规格", "钢筋\n \n规格", 7, kNone},
    {"原材\n长度", "原材\n长度", 7, kNone},
    {"原材\n根数", "原材\n根数", 7, kNone},
    {"断料组合方式\n长度(m)×根数\n(加工序号)", "断料组合方式\n长度(m)×根数\n(加工序号)", 36, kNone},
    {"实际\n用长", "实际\n用长", 9, kNone},
    {"剩料长", "剩料长", 10, kNone},
    {"备注", "备注", 7, kNone},
};

// Millimetres as metres in the shortest form ("9", "3.45").
QString metres(double millimetres)
{
    return QString::asprintf("%g", millimetres * 0.001);
}

} // namespace

CVes_YouhuaDuanLiaoTableLine::CVes_YouhuaDuanLiaoTableLine(const CVes_OptimizeCombine& pattern)
{
    m_combine.set(pattern);
}

CVes_YouhuaDuanLiaoTableLine::CVes_YouhuaDuanLiaoTableLine(const QStringList& texts)
    : m_strArray(texts)
{
}

CVes_YouhuaDuanLiaoTableLine::~CVes_YouhuaDuanLiaoTableLine() = default;

std::unique_ptr<CVes_TableBase> CVes_YouhuaDuanLiaoTable::CreateObject()
{
    return std::make_unique<CVes_YouhuaDuanLiaoTable>();
}

CVes_YouhuaDuanLiaoTable::CVes_YouhuaDuanLiaoTable()
{
    sheetsetup::applyPage(*this, kCuttingPage, QStringLiteral("优化断料单"));
    sheetsetup::applyTitleTexts(*this, kCuttingTitleTexts);
    sheetsetup::applyColumns(*this, kCuttingColumns, 0);
    if (!m_form)
        m_form = std::make_unique<CVes_Form>();
}

// The base owns the page form and deletes it.
CVes_YouhuaDuanLiaoTable::~CVes_YouhuaDuanLiaoTable() = default;

std::unique_ptr<CVes_TableBase> CVes_YouhuaDuanLiaoTable::createEmpty() const
{
    return CreateObject();
}

CVes_YouhuaDuanLiaoTableLine* CVes_YouhuaDuanLiaoTable::Add(const CVes_OptimizeCombine& pattern)
{
    return append(std::make_unique<CVes_YouhuaDuanLiaoTableLine>(pattern));
}

CVes_YouhuaDuanLiaoTableLine* CVes_YouhuaDuanLiaoTable::Add(const QStringList& texts)
{
    return append(std::make_unique<CVes_YouhuaDuanLiaoTableLine>(texts));
}

const QString CVes_YouhuaDuanLiaoTable::kLeftOutCaption = QStringLiteral("未下料");

CVes_YouhuaDuanLiaoTableLine* CVes_YouhuaDuanLiaoTable::AddLeftOut(const QString& size,
                                                                 const QString& stock,
                                                                 const CVes_OptimizeUnit& piece,
                                                                 const QString& reason)
{
    QStringList texts(kColumnCount);
    texts[kColNumber] = kLeftOutCaption;
    texts[kColSize] = size;
    texts[kColStockLength] = stock;
    texts[kColPieces] = optimizePieceText(piece);
    texts[kColUsed] = reason;
    CVes_YouhuaDuanLiaoTableLine* row = Add(texts);
    row->m_leftOut = true;
    return row;
}

CVes_YouhuaDuanLiaoTableLine* CVes_YouhuaDuanLiaoTable::append(
    std::unique_ptr<CVes_YouhuaDuanLiaoTableLine> row)
{
    row->setNull(0);
    CVes_YouhuaDuanLiaoTableLine* added = row.get();
    appendLine(std::move(row));
    setModified(1);
    return added;
}

void CVes_YouhuaDuanLiaoTable::putCell(CVes_Form& form, int k, int column, const QString& text,
                                       int height)
{
    if (m_widths.value(column, 0) > 0)
        form.setCellText(k, column, text, CVes_Cell::kAlignCentre, height, QPoint(0, 0), QString());
}

void CVes_YouhuaDuanLiaoTable::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    if (!dc || !m_form || m_curPage < 1)
        return;
    CVes_Form& form = *m_form;
    // The scale is 1 on paper, so printed text never follows the screen zoom.
    const int height = int(m_tableTextHeight * 10 * m_drawScale);
    struct Pieces {
        int row;
        QStringList texts;
    };
    std::vector<Pieces> pieces;
    int k = 1;
    int number = 0;
    for (CVes_TableBaseLine* line : std::as_const(m_pageLines)) {
        auto* row = dynamic_cast<CVes_YouhuaDuanLiaoTableLine*>(line);
        if (row && !line->isNull()) {
            if (row->m_leftOut) {
                drawLeftOut(form, k, row->m_strArray, height);
                // The piece in the first slot, as a pattern shows its first.
                pieces.push_back({k, {row->m_strArray.value(kColPieces)}});
            } else if (row->m_combine.pieces.empty()) {
                drawTexts(form, k, row->m_strArray, height);
            } else {
                drawPattern(form, k, ++number, row->m_combine, height);
                QStringList texts;
                row->m_combine.getZhuheStrArray(texts);
                pieces.push_back({k, texts});
            }
        }
        ++k;
    }
    form.OnDraw(dc);
    if (m_widths.value(kColPieces, 0) <= 0)
        return;
    for (const Pieces& entry : pieces)
        drawPieces(dc, form.GetCellRect(entry.row, kColPieces), entry.texts, height, m_drawScale);
}

void CVes_YouhuaDuanLiaoTable::drawPattern(CVes_Form& form, int k, int number,
                                           const CVes_OptimizeCombine& pattern, int height)
{
    const CVes_SteelYuanCai& stock = pattern.stock;
    putCell(form, k, kColNumber, QString::number(number), height);
    putCell(form, k, kColStockNumber, QString::number(stock.number), height);
    putCell(form, k, kColSize, Steel_GradeDNToTableString(stock.grade, stock.DN, stock.steelType),
            height);
    putCell(form, k, kColStockLength, metres(stock.length), height);
    putCell(form, k, kColStockCount, QString::number(pattern.useCount), height);
    putCell(form, k, kColUsed, metres(pattern.getlistXLlen()), height);
    putCell(form, k, kColRemainder,
            metres(pattern.getlistSLlen()) + QString::asprintf("×%d", pattern.useCount), height);
}

void CVes_YouhuaDuanLiaoTable::drawTexts(CVes_Form& form, int k, const QStringList& texts,
                                         int height)
{
    // The stock number and the pieces have no text of their own.
    for (int column : {kColNumber, kColSize, kColStockLength, kColStockCount, kColUsed,
                       kColRemainder, kColRemark})
        putCell(form, k, column, texts.value(column), height);
}

void CVes_YouhuaDuanLiaoTable::drawLeftOut(CVes_Form& form, int k, const QStringList& texts,
                                           int height)
{
    for (int column : {kColNumber, kColSize, kColStockLength})
        putCell(form, k, column, texts.value(column), height);
    // The caption over the number and the stock number, which a piece left
    // out has not; why it was left out over the used length, remainder and
    // remark.
    form.setCellMerge(1, k, kColNumber, k, kColStockNumber);
    form.setCellMerge(1, k, kColUsed, k, kColRemark);
    putCell(form, k, kColUsed, texts.value(kColUsed), height);
}

void CVes_YouhuaDuanLiaoTable::drawPieces(platform::Dc* dc, const platform::Rect& box,
                                          const QStringList& pieces, int height, double scale)
{
    if (box.IsRectNull())
        return;
    CVes_Form grid(dc, box);
    grid.SetColumnCount(std::max(kLeastPieceSlots, int(pieces.size())));
    grid.SetRowCount(1);
    grid.setRect(box);
    grid.setScale(scale);
    grid.clearnAllCell();
    for (int i = 0; i < int(pieces.size()); ++i)
        grid.setCellText(0, i, pieces[i], CVes_Cell::kAlignCentre, height, QPoint(0, 0), QString());
    grid.OnDraw(dc);
}
