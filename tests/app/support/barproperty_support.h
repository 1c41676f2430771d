#pragma once
// Shared pieces of the bar-property pane tests: two shapes in the cache of
// used shapes, bar lists of bars built field by field with chosen rows
// selected, and the pane's grid as a list of (id, caption, kind, hidden).

#include "app/panes/barpropertypanewnd.h"
#include "app/panes/gridbuttonitem.h"
#include "app/panes/shapepictureitem.h"

#include "core/model/steel.h"
#include "tables/barlist/setuptable.h"
#include "tests/core/model/barcore_shapes.h"
#include "tests/support/recordinghost.h"
#include "widgara/propertygrid.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace test {

// A straight bar of length "L", and a two-sided bar "A", "B" with a text
// variable "T" (kind 3) and a computed "C".
inline const CSteelRecordId kPaneStraight(150, 40);
inline const CSteelRecordId kPaneBent(150, 41);

class PaneShapes {
public:
    PaneShapes()
    {
        m_scope.add(ShapeBuilder(kPaneStraight).var("L", 3000).straight({1300, 150}, "0", "L").build());
        auto bent = ShapeBuilder(kPaneBent)
                        .var("A", 1000)
                        .var("B", 500)
                        .computed("C", "A+B")
                        .straight({1300, 150}, "0", "A")
                        .straight({1300, 750}, "90", "B")
                        .build();
        CVes_Variable* text = bent->AddVar(QStringLiteral("T"), 700, 300, 60, 6, 0, 0xFF0000);
        text->m_type = CVes_Variable::kTextKind;
        text->m_formula = QStringLiteral("弯起");
        m_scope.add(std::move(bent));
    }

private:
    CacheScope m_scope;
};

using BarSetup = std::function<void(CVes_Steel&)>;

// A bar of the straight shape: number, grade 3, 20 mm, 4 a piece, tied lap
// of 800 at its first end, nothing at its second, no hooks, length computed,
// no intermediate connection.
inline CVes_Steel paneBar(const char* number, const BarSetup& setup = {})
{
    CVes_Steel bar;
    bar.setRecordId(kPaneStraight);
    bar.setVarValue(QStringLiteral("L"), 3000.0);
    bar.setVarValueE(QStringLiteral("L"), 3000.0);
    bar.number = QString::fromUtf8(number);
    bar.grade = 3;
    bar.setDN(20.0f);
    bar.count = 4;
    bar.calcLength = 1;
    bar.getLConnect()->type = 1;
    bar.getLConnect()->param = 800;
    bar.getRConnect()->type = 0;
    bar.getFirstMidConnect()->stat = 0;
    bar.getFirstMidConnect()->autoCount = 1;
    if (setup)
        setup(bar);
    return bar;
}

// A bar list holding the bars from row 1 of its first page, with the rows
// `selected` selected (the first is the current row).
inline void fillBarList(CVes_SetupTable& table, const std::vector<CVes_Steel>& bars,
                        const std::vector<int>& selected)
{
    table.clearnAllLine();
    for (const CVes_Steel& bar : bars)
        table.Add(bar);
    table.setPageTo(1, 1);
    table.clearSelect();
    for (int row : selected)
        table.AddSelect(row, 0);
    if (!selected.empty())
        table.setCurRow(selected.front());
}

// One row of the grid as the user sees it.
struct GridRow {
    int id;
    std::string caption;
    std::string kind;
    bool hidden;
    bool operator==(const GridRow&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const GridRow& r)
{
    return os << "{" << r.id << ", \"" << r.caption << "\", " << r.kind << ", "
              << (r.hidden ? "hidden" : "shown") << "}";
}

inline std::string kindOf(const CXTPPropertyGridItem* item)
{
    if (dynamic_cast<const CShapePictureItem*>(item))
        return "picture";
    if (dynamic_cast<const CGridButtonItem*>(item))
        return "button";
    if (item->IsCategory())
        return "category";
    if (dynamic_cast<const CXTPPropertyGridItemBool*>(item))
        return "bool";
    if (dynamic_cast<const CXTPPropertyGridItemNumber*>(item))
        return "number";
    if (dynamic_cast<const CXTPPropertyGridItemDouble*>(item))
        return "double";
    if (dynamic_cast<const CXTPPropertyGridItemEnum*>(item))
        return "enum";
    return "text";
}

// Every item of the grid, parents before their children, in order.
inline std::vector<GridRow> gridRows(CXTPPropertyGrid& grid)
{
    std::vector<GridRow> rows;
    const std::function<void(const CXTPPropertyGridItems*)> walk = [&](const CXTPPropertyGridItems* items) {
        for (int i = 0; i < items->GetCount(); ++i) {
            const CXTPPropertyGridItem* item = items->GetAt(i);
            rows.push_back({item->GetID(), item->GetCaption().toStdString(), kindOf(item),
                            item->GetHidden()});
            walk(item->GetChilds());
        }
    };
    walk(grid.GetCategories());
    return rows;
}

// The pane on a bar list, shown, as a frame hosts it.
class PaneFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        pane.resize(300, 700);
        pane.show();
        pane.setTable(&table);
    }
    // Builds the grid for the bars with those rows selected.
    void show(const std::vector<CVes_Steel>& bars, const std::vector<int>& selected)
    {
        fillBarList(table, bars, selected);
        pane.Rebuild();
    }
    CXTPPropertyGridItem* item(int id) { return pane.grid()->FindItem(id); }
    std::string value(int id) { return item(id) ? item(id)->GetValue().toStdString() : "<none>"; }
    bool hidden(int id) { return item(id) && item(id)->GetHidden(); }

    HostScope host;
    PaneShapes shapes;
    CVes_SetupTable table;
    CBarPropertyPaneWnd pane;
};

} // namespace test
