#pragma once
// The bar-tag sheet (钢筋料牌): one tag (料牌) for every bar tag of a bar list
// or processing sheet, and element tags naming the range of an element's tag
// numbers, printed in a grid of tag positions, cut apart and tied to the
// bundles in the bending shop. The sheet is derived and never edited: the
// builders (the bar list's and the processing sheet's toLiaoPaiTable) fill
// its tag list, sortSteel orders the tags by diameter and length and pages
// them, and each page is drawn as a grid of tag forms in one of six layouts.
//
// Its file part is the table part alone (a template read into it); the tags
// are never stored.

#include "core/model/modelreference.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/tablebaseline.h"
#include "tables/shared/sortrules.h"

#include <QStringList>

#include <vector>

class CVes_LiaoPaiForm;
class CVes_ProcessSteel;

// One tag: its texts (0 project, 1 storey, 2 element type, 3 tag number,
// 4 remark, 5 element, 6 bar number, 7 count, 8 grade, 9 cut length,
// 10 weight; an element tag has only 0 to 5), its bar's shape and the keys
// it sorts by (all 0 for an element tag).
class CVes_LiaoPaiTableLine : public CVes_TableBaseLine {
public:
    // Sort-mode bits.
    static constexpr unsigned int kLengthUp = 1;
    static constexpr unsigned int kLengthDown = 2;
    static constexpr unsigned int kDiameterUp = 4;
    static constexpr unsigned int kDiameterDown = 8;

    CVes_LiaoPaiTableLine() = default;
    CVes_LiaoPaiTableLine(const QStringList& texts, CVes_ProcessSteel* bar);
    // Texts, keys and shape; the row fields start afresh.
    CVes_LiaoPaiTableLine(const CVes_LiaoPaiTableLine& other);
    CVes_LiaoPaiTableLine& operator=(const CVes_LiaoPaiTableLine& other);
    ~CVes_LiaoPaiTableLine() override;

    void set(const CVes_LiaoPaiTableLine* other);
    // Takes the texts; with a bar also its shape and its keys, without one
    // the keys become 0 and the shape stays.
    void setData(const QStringList& texts, CVes_ProcessSteel* bar);

    // By the static sort mode: diameter, grade and bar type (small to large
    // with kDiameterUp, large to small with kDiameterDown), then length
    // (kLengthUp or kLengthDown). Tags equal by the mode are not less than
    // each other.
    bool operator<(const CVes_LiaoPaiTableLine& other) const;
    static void setSort(unsigned int mode) { s_sortMode = mode; }
    static unsigned int sortMode() { return s_sortMode; }
    // The order in which the two row objects lie in memory.
    bool lessthan(const CVes_LiaoPaiTableLine* const& other) const;
    using CVes_TableBaseLine::lessthan;
    bool isUp(const CVes_LiaoPaiTableLine* other) const { return lessthan(other); }

    bool isGreat(const CVes_TableBaseLine&) override { return false; }

    const QStringList& texts() const { return m_texts; }
    CVes_ModelReference* shape() { return &m_shape; }
    float diameter() const { return m_diameter; }
    int grade() const { return m_grade; }
    int barType() const { return m_barType; }
    float length() const { return m_length; }

private:
    static inline unsigned int s_sortMode = 0;

    QStringList m_texts;
    float m_diameter = 0.0f;
    int m_grade = 0;
    int m_barType = 0;
    float m_length = 0.0f;
    CVes_ModelReference m_shape;
};

class CVes_LiaoPaiTable : public CVes_TableBase {
public:
    static constexpr unsigned int kTableType = 21;

    // Page layouts.
    static constexpr int kLayoutV = 0;      // two parts one above the other
    static constexpr int kLayoutH = 1;      // two parts side by side
    static constexpr int kLayoutJ = 2;      // compact
    static constexpr int kLayoutJ2 = 3;     // the default
    static constexpr int kLayoutJ2H = 4;    // the default on a landscape tag of two halves
    static constexpr int kLayoutModel6 = 5; // narrow, without weight
    static constexpr int kLayoutCount = 6;
    // The tags a page of a layout holds (columns × rows of its grid); 0 for
    // a layout that does not exist.
    static int tagsPerPage(int layout);
    static int gridColumns(int layout);

    CVes_LiaoPaiTable();
    ~CVes_LiaoPaiTable() override;

    unsigned int getTableType() override { return kTableType; }
    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    // Takes the read template; the tags stay and are paged again.
    void takeOver(CVes_TableBase& loaded) override;

    unsigned int getLiaoPaiDerect() const { return unsigned(m_layout); }
    // Also sets the tags per page to the layout's, so that no tag is left off
    // every page.
    void setLiaoPaiDerect(unsigned int layout);

    void sortUp() override { m_sortRules.m_dnOrder = 0; }
    void sortDown() override { m_sortRules.m_dnOrder = 1; }
    void sortLong() override { m_sortRules.m_lenOrder = 0; }
    void sortShot() override { m_sortRules.m_lenOrder = 1; }
    void sortLenNone() override { m_sortRules.m_lenOrder = 2; }
    void sortNone();
    // The orders live in the sort rules; these answer 0.
    unsigned int getSortOrder() override { return 0; }
    unsigned int getSortOrderLen() override { return 0; }
    // Orders the tag list by the sort rules (stable), rebuilds the rows from
    // it and shows page 1.
    void sortSteel();

    // Appends a copy to the rows (not to the tag list).
    void Add(const CVes_LiaoPaiTableLine& row);
    void AddtoLine(const CVes_LiaoPaiTableLine& row) { Add(row); }
    // Appends a copy to the tag list.
    void AddToLpList(const CVes_LiaoPaiTableLine* row);
    // Appends a tag made of the texts and the bar to the tag list.
    void Add(const QStringList& texts, CVes_ProcessSteel* bar);
    // Appends an empty row to the rows and an empty copy to the tag list;
    // answers the row in the rows.
    CVes_LiaoPaiTableLine* AddBlank();

    // The tag under a point of the page as last drawn: its index on the page
    // (row by row from 0) becomes the current row and `row`; `column` is the
    // grid column. 0, and no current row, outside every tag position.
    int HitTest(QPoint point, int& row, int& column) override;

    // The tag pages carry their own page number.
    bool showsPageNumber() const override { return false; }
    // The framework's page, then the tags in the page drawer of the layout.
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
    void DrawV(platform::Dc* dc, const platform::Rect& rect);
    void DrawH(platform::Dc* dc, const platform::Rect& rect);
    void DrawJ(platform::Dc* dc, const platform::Rect& rect);
    void DrawJ2(platform::Dc* dc, const platform::Rect& rect);
    void DrawJ2H(platform::Dc* dc, const platform::Rect& rect);
    void DrawModel6(platform::Dc* dc, const platform::Rect& rect);
    // On a printing context the drawing scale becomes 1.0 and the origin
    // (0, 0); it draws nothing.
    void DrawShuiyin(platform::Dc* dc, const platform::Rect& rect);

    // The tags as the builders made them, in sorted order after sortSteel.
    std::vector<CVes_LiaoPaiTableLine> m_lpList;
    CVes_SortRules m_sortRules;
    int m_layout = kLayoutJ2;
    // Unit of the cut-length label: 0 mm, 1 cm, other m.
    int m_lengthUnit = 0;

    // What tells one layout's pages from another's (liaopaitable_draw.cpp).
    struct PageLayout;

private:
    void drawPage(platform::Dc* dc, const PageLayout& layout);
    void drawTags(platform::Dc* dc, const PageLayout& layout, double s, int dx, int dy);
    // The tags per page follow a known layout.
    void syncRowsToLayout();
    // The rows become copies of the tag list, paged from page 1.
    void rebuildRows();
};
