#pragma once
// The optimised cutting list (优化断料单): how raw-stock bars of one grade and
// diameter are cut. One row per cutting pattern (the stock bar, how many are
// cut that way, the pieces of each, the used length and the remainder),
// a total row of texts after the patterns of each stock kind, and a row for
// every piece the cutting left out, saying why, so that the paper names
// every bar of the size it does not cut.

#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"

#include "core/model/optimize.h"

#include <QStringList>

#include <memory>

// A row: a cutting pattern, or a row of cell texts (the totals).
class CVes_YouhuaDuanLiaoTableLine : public CVes_TableBaseLine {
public:
    CVes_YouhuaDuanLiaoTableLine() = default;
    explicit CVes_YouhuaDuanLiaoTableLine(const CVes_OptimizeCombine& pattern);
    explicit CVes_YouhuaDuanLiaoTableLine(const QStringList& texts);
    ~CVes_YouhuaDuanLiaoTableLine() override;

    CVes_OptimizeCombine m_combine;  // empty in a row of texts
    QStringList m_strArray;
    // A row of texts naming a piece left out of the cutting.
    bool m_leftOut = false;
};

class CVes_YouhuaDuanLiaoTable : public CVes_TableBase {
public:
    static constexpr int kColNumber = 0;
    static constexpr int kColStockNumber = 1;
    static constexpr int kColSize = 2;
    static constexpr int kColStockLength = 3;
    static constexpr int kColStockCount = 4;
    static constexpr int kColPieces = 5;
    static constexpr int kColUsed = 6;
    static constexpr int kColRemainder = 7;
    static constexpr int kColRemark = 8;
    static constexpr int kColumnCount = 9;
    // The title-block text of the processing note (加工说明).
    static constexpr int kNoteText = 3;

    static std::unique_ptr<CVes_TableBase> CreateObject();

    CVes_YouhuaDuanLiaoTable();
    ~CVes_YouhuaDuanLiaoTable() override;

    std::unique_ptr<CVes_TableBase> createEmpty() const override;

    // Appends a row holding a copy of the pattern / of the texts; the sheet
    // owns it and is marked changed.
    CVes_YouhuaDuanLiaoTableLine* Add(const CVes_OptimizeCombine& pattern);
    CVes_YouhuaDuanLiaoTableLine* Add(const QStringList& texts);
    // Appends a row for a piece the cutting left out: "未下料", the size,
    // the stock length ("盘条" for coiled stock), the piece as the patterns
    // show theirs, and why.
    CVes_YouhuaDuanLiaoTableLine* AddLeftOut(const QString& size, const QString& stock,
                                             const CVes_OptimizeUnit& piece,
                                             const QString& reason);
    static const QString kLeftOutCaption;  // "未下料"

    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    // The workbook of the cutting list holds only what the table export
    // writes (title block and borders): answers 1.
    int fillExcel(platform::xlsx::Worksheet&) override { return 1; }

    // Draws the pieces' texts side by side in max(4, count) equal slots of
    // one row filling `box`.
    static void drawPieces(platform::Dc* dc, const platform::Rect& box, const QStringList& pieces,
                           int height, double scale);

    // The size the rows were cut for (grade 0: not cut), so that the list
    // can be cut again from changed stock without asking for it.
    int m_cutGrade = 0;
    float m_cutDiameter = 0.0f;

private:
    CVes_YouhuaDuanLiaoTableLine* append(std::unique_ptr<CVes_YouhuaDuanLiaoTableLine> row);
    void drawPattern(CVes_Form& form, int k, int number, const CVes_OptimizeCombine& pattern,
                     int height);
    void drawTexts(CVes_Form& form, int k, const QStringList& texts, int height);
    void drawLeftOut(CVes_Form& form, int k, const QStringList& texts, int height);
    void putCell(CVes_Form& form, int k, int column, const QString& text, int height);
};
