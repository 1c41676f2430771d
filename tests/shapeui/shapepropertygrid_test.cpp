// The shape's property list on its own: which entries a record gives, and
// what an edit of each entry writes into the record.

#include "shapeui/shapepropertygrid.h"

#include "core/geometry/side.h"
#include "core/geometry/text.h"
#include "core/model/connecttext.h"
#include "core/model/modelrecord.h"

#include <QApplication>
#include <gtest/gtest.h>

using namespace shapegrid;

namespace {

// A grid over a record, wired as the editor wires it.
struct Grid {
    CVes_ModelRecord record;
    CXTPPropertyGrid grid;
    std::vector<int> notices;

    Grid()
    {
        record.AddVar(QStringLiteral("a"), CVes_Variable::kGiven, QStringLiteral("100"), 0, 0, 10, 0, 0, 0);
        record.AddVar(QStringLiteral("b"), CVes_Variable::kComputed, QStringLiteral("a*2"), 0, 0, 10, 0, 0, 0);
        record.AddVar(QStringLiteral("a"), CVes_Variable::kGiven, QStringLiteral("100"), 0, 0, 10, 0, 0, 0);
        record.AddLSide(100, 100, 600, 100, 4, 0, 0);
        record.AddLSide(600, 100, 600, 250, 4, 0, 0);
        grid.resize(300, 600);
        QObject::connect(&grid, &CXTPPropertyGrid::gridNotify, &grid,
                         [this](int code, CXTPPropertyGridItem* item) {
                             if (code != XTP_PGN_ITEMVALUE_CHANGED)
                                 return;
                             notices.push_back(item->GetID());
                             if (applyValue(&record, item).rebuild)
                                 fill();
                         });
    }
    void fill() { fillGrid(&grid, &record); }
    CXTPPropertyGridItem* item(int id) const { return grid.FindItem(id); }
    CXTPPropertyGridItem* child(int id, int index) const
    {
        CXTPPropertyGridItem* parent = item(id);
        return parent ? parent->GetChilds()->GetAt(index) : nullptr;
    }
    int varIndex(int n) const { return record.getVarArraySize() - 3 + n; }
};

} // namespace

TEST(ShapePropertyGrid, NothingWithoutARecord)
{
    CXTPPropertyGrid grid;
    fillGrid(&grid, nullptr);
    EXPECT_EQ(grid.GetCategories()->GetCount(), 0);
    EXPECT_EQ(applyValue(nullptr, nullptr).rebuild, false);
}

TEST(ShapePropertyGrid, CategoriesInOrder)
{
    Grid g;
    g.fill();
    const QStringList expected = {QStringLiteral("尺寸变量参数"), QStringLiteral("钢筋各段参数"),
                                  QStringLiteral("端头弯钩构造"), QStringLiteral("钢筋组参数"),
                                  QStringLiteral("钢筋长度按纵筋还是按箍筋计算")};
    ASSERT_EQ(g.grid.GetCategories()->GetCount(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        EXPECT_EQ(g.grid.GetCategories()->GetAt(i)->GetCaption(), expected[i]);
    EXPECT_FALSE(g.grid.GetCategories()->GetAt(2)->IsExpanded());
    EXPECT_TRUE(g.grid.GetCategories()->GetAt(1)->IsExpanded());
}

TEST(ShapePropertyGrid, AVariableNameIsListedOnceAndItsEditChangesEveryCopy)
{
    Grid g;
    // The first variable of the array stands for the diameter and keeps its values.
    g.record.m_arrVar[0]->m_text = QStringLiteral("a");
    g.record.m_arrVar[0]->m_type = CVes_Variable::kGiven;
    g.record.m_arrVar[0]->m_formula = QStringLiteral("d0");
    g.fill();
    const int firstA = 0;
    const int b = g.varIndex(1);
    const int secondA = g.varIndex(2);
    ASSERT_NE(g.item(kIdVarFirst + firstA), nullptr);
    EXPECT_EQ(g.item(kIdVarFirst + firstA)->GetCaption(), QStringLiteral("变量1"));
    EXPECT_EQ(g.item(kIdVarFirst + b)->GetCaption(), QStringLiteral("变量2"));
    EXPECT_EQ(g.item(kIdVarFirst + secondA), nullptr);
    EXPECT_EQ(g.item(kIdVarFirst + g.varIndex(0)), nullptr);

    g.child(kIdVarFirst + firstA, 0)->OnValueChanged(QStringLiteral("250"));
    g.child(kIdVarFirst + firstA, 2)->OnValueChanged(QStringLiteral("不可编辑的数字变量"));
    g.child(kIdVarFirst + firstA, 1)->OnValueChanged(QStringLiteral("不打印"));
    EXPECT_EQ(g.notices, (std::vector<int>{700, 700, 700}));
    EXPECT_EQ(g.item(700)->GetValue(), QStringLiteral("a"));
    for (int index : {g.varIndex(0), secondA}) {
        const CVes_Variable* var = g.record.m_arrVar[size_t(index)].get();
        EXPECT_EQ(var->m_formula, QStringLiteral("250")) << index;
        EXPECT_EQ(var->m_type, CVes_Variable::kComputed) << index;
        EXPECT_EQ(var->m_print, 0) << index;
    }
    EXPECT_EQ(g.record.m_arrVar[0]->m_formula, QStringLiteral("d0"));
}

TEST(ShapePropertyGrid, SideChildrenEditTheFormulasAndTheEntryTellsWithItsOwnId)
{
    Grid g;
    g.fill();
    ASSERT_NE(g.item(201), nullptr);
    EXPECT_EQ(g.child(201, 0)->GetCaption(), QStringLiteral("长度L(mm)"));
    EXPECT_EQ(g.child(201, 1)->GetCaption(), QStringLiteral("夹角A(°)"));
    EXPECT_EQ(g.item(201)->editor(), CXTPPropertyGridItem::Editor::None);
    g.child(201, 1)->OnValueChanged(QStringLiteral("135"));
    EXPECT_EQ(g.notices, std::vector<int>{201});
    EXPECT_EQ(g.item(201)->GetValue(),
              QStringLiteral("L=%1;A=135°").arg(g.record.m_arrSide[1]->m_lengthText));
    EXPECT_EQ(g.record.m_arrSide[1]->m_angleText, QStringLiteral("135"));

    g.child(200, 0)->OnValueChanged(QStringLiteral("a=300"));
    EXPECT_EQ(g.record.m_arrSide[0]->m_lengthText, QStringLiteral("a=300"));
    for (int index : {g.varIndex(0), g.varIndex(2)}) {
        EXPECT_EQ(g.record.m_arrVar[size_t(index)]->m_type, CVes_Variable::kComputed);
        EXPECT_EQ(g.record.m_arrVar[size_t(index)]->m_formula, QStringLiteral("300"));
    }
    EXPECT_EQ(g.record.m_arrVar[size_t(g.varIndex(1))]->m_formula, QStringLiteral("a*2"));
}

TEST(ShapePropertyGrid, AMarkShowsItsKindAndCountAndTheirEditsReachIt)
{
    Grid g;
    CVes_Side* mark = g.record.AddConnect(9, 300, 100, QStringLiteral("1"));
    ASSERT_NE(mark, nullptr);
    g.fill();
    ASSERT_NE(g.item(201), nullptr);
    EXPECT_EQ(g.item(201)->GetCaption(), QStringLiteral("接头1"));
    EXPECT_EQ(g.item(201)->GetValue(), QStringLiteral("直反;1次连接"));
    EXPECT_EQ(g.item(202)->GetCaption(), QStringLiteral("第2段"));
    EXPECT_EQ(g.item(201)->GetCaptionMetrics()->m_clrFore, 0xFF0000u);
    EXPECT_EQ(g.item(201)->GetCaptionMetrics()->m_clrBack, 0x08FEE0u);

    g.child(201, 0)->OnValueChanged(QStringLiteral("电渣压力焊"));
    g.child(201, 1)->OnValueChanged(QStringLiteral("n+1"));
    EXPECT_EQ(mark->m_subStyle, 3);
    EXPECT_EQ(mark->m_text, QStringLiteral("n+1"));
    EXPECT_EQ(g.item(201)->GetValue(), QStringLiteral("电;n+1次连接"));
}

struct KindName {
    int kind;
    const char* shortName;
};

class JointShortName : public ::testing::TestWithParam<KindName> {};

TEST_P(JointShortName, OneCharacterForm)
{
    EXPECT_EQ(jointShortName(GetParam().kind), QString::fromUtf8(GetParam().shortName));
}

INSTANTIATE_TEST_SUITE_P(Kinds, JointShortName,
                         ::testing::Values(KindName{0, "非"}, KindName{1, "绑"}, KindName{2, "闪"},
                                           KindName{3, "电"}, KindName{4, "单"}, KindName{5, "双"},
                                           KindName{6, "挤"}, KindName{7, "锥"}, KindName{8, "直"},
                                           KindName{9, "直反"}, KindName{10, ""}, KindName{-1, ""}));

TEST(ShapePropertyGrid, HookSwitchShowsItsChoicesAndWritesTheHook)
{
    Grid g;
    g.fill();
    CXTPPropertyGridItem* hook = g.item(kIdHook2);
    ASSERT_NE(hook, nullptr);
    EXPECT_TRUE(g.item(kIdHook2Angle)->GetHidden());
    hook->OnValueChanged(QStringLiteral("True"));
    EXPECT_EQ(g.record.m_hookRight.enabled, 1);
    EXPECT_FALSE(g.item(kIdHook2Angle)->GetHidden());
    EXPECT_FALSE(g.item(kIdHook2Direction)->GetHidden());
    g.item(kIdHook2Angle)->OnValueChanged(QStringLiteral("135°"));
    g.item(kIdHook2Direction)->OnValueChanged(QStringLiteral("逆时针"));
    EXPECT_EQ(g.record.m_hookRight.kind, 2);
    EXPECT_EQ(g.record.m_hookRight.param, 16);
    EXPECT_EQ(g.record.m_hookLeft.enabled, 0);
}

TEST(ShapePropertyGrid, CountedSwitchHidesTheConnectionDetails)
{
    Grid g;
    g.record.setMidConnectSize(1);
    g.record.m_arrMidConnect[0]->stat = 1;
    g.record.m_arrMidConnect[0]->style = 8;
    g.fill();
    CXTPPropertyGridItem* stat = g.item(501);
    ASSERT_NE(stat, nullptr);
    ASSERT_EQ(stat->GetChilds()->GetCount(), 3); // style, count, thread direction
    stat->OnValueChanged(QStringLiteral("False"));
    EXPECT_EQ(g.record.m_arrMidConnect[0]->stat, 0);
    EXPECT_EQ(g.record.m_arrMidConnect[0]->autoCount, 1);
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(stat->GetChilds()->GetAt(i)->GetHidden()) << i;
    stat->OnValueChanged(QStringLiteral("True"));
    EXPECT_EQ(g.record.m_arrMidConnect[0]->stat, 1);
    EXPECT_EQ(g.record.m_arrMidConnect[0]->autoCount, 0);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(stat->GetChilds()->GetAt(i)->GetHidden()) << i;

    g.item(502)->OnValueChanged(barcore_getConnectString(2));
    g.item(503)->OnValueChanged(QStringLiteral("3"));
    g.item(504)->OnValueChanged(QStringLiteral("反丝"));
    EXPECT_EQ(g.record.m_arrMidConnect[0]->style, 2);
    EXPECT_EQ(g.record.m_arrMidConnect[0]->countText, QStringLiteral("3"));
    EXPECT_EQ(g.record.m_arrMidConnect[0]->valueC, 0);
}

class ThreadDirectionEntry : public ::testing::TestWithParam<int> {};

TEST_P(ThreadDirectionEntry, OnlyForCouplerStyles)
{
    Grid g;
    g.record.setMidConnectSize(2);
    g.record.m_arrMidConnect[1]->style = GetParam();
    g.fill();
    ASSERT_NE(g.item(512), nullptr);
    EXPECT_EQ(g.item(514) != nullptr, GetParam() > 6);
    EXPECT_EQ(g.grid.FindItem(5000)->GetValue(), QStringLiteral("二种"));
}

INSTANTIATE_TEST_SUITE_P(Styles, ThreadDirectionEntry, ::testing::Range(0, 9));

TEST(ShapePropertyGrid, ChoosingNoConnectionKindsRemovesTheirCategories)
{
    Grid g;
    g.record.setMidConnectSize(3);
    g.fill();
    ASSERT_NE(g.item(521), nullptr);
    g.item(kIdMidConnectCount)->OnValueChanged(QStringLiteral("无"));
    EXPECT_TRUE(g.record.m_arrMidConnect.empty());
    EXPECT_EQ(g.item(501), nullptr);
    EXPECT_EQ(g.item(521), nullptr);
    g.item(kIdMidConnectCount)->OnValueChanged(QStringLiteral("二种"));
    EXPECT_EQ(g.record.m_arrMidConnect.size(), 2u);
    EXPECT_NE(g.item(511), nullptr);
    EXPECT_EQ(g.item(521), nullptr);
    QApplication::processEvents(); // the retired items go
}

TEST(ShapePropertyGrid, SwitchesOfTheWholeShape)
{
    Grid g;
    g.fill();
    g.item(kIdOutDim)->OnValueChanged(QStringLiteral("内皮尺寸"));
    EXPECT_EQ(g.record.m_outDim, 0);
    g.item(kIdBarGroup)->OnValueChanged(QStringLiteral("True"));
    EXPECT_EQ(g.record.m_barGroup, 1);
    g.item(kIdStirrup)->OnValueChanged(QStringLiteral("按箍筋计算"));
    EXPECT_EQ(g.record.m_stirrup, 1);
}

TEST(ShapePropertyGrid, EntriesBeyondTheIdRangeCannotBeEdited)
{
    Grid g;
    for (int i = 0; i < kMaxIndexed + 1; ++i)
        g.record.AddVar(QStringLiteral("v%1").arg(i), CVes_Variable::kGiven, QStringLiteral("1"),
                        0, 0, 10, 0, 0, 0);
    g.fill();
    ASSERT_GT(g.record.getVarArraySize(), kMaxIndexed);
    // The side ids stay where they are.
    EXPECT_EQ(dynamic_cast<CSideGridItem*>(g.item(kIdSideFirst)) != nullptr, true);
    int locked = 0;
    for (int c = 0; c < g.grid.GetCategories()->GetAt(0)->GetChilds()->GetCount(); ++c) {
        CXTPPropertyGridItem* var = g.grid.GetCategories()->GetAt(0)->GetChilds()->GetAt(c);
        if (var->GetID() == 0) {
            ++locked;
            EXPECT_TRUE(var->GetChilds()->GetAt(0)->GetReadOnly());
        } else {
            EXPECT_LT(var->GetID(), kIdVarFirst + kMaxIndexed);
        }
    }
    EXPECT_GT(locked, 0);
}

TEST(ShapePropertyGrid, ObjectOfAnEntry)
{
    Grid g;
    g.fill();
    EXPECT_EQ(objectOf(&g.record, g.item(201)), g.record.m_arrSide[1].get());
    const int b = g.varIndex(1);
    EXPECT_EQ(objectOf(&g.record, g.item(kIdVarFirst + b)), g.record.m_arrVar[size_t(b)].get());
    EXPECT_EQ(objectOf(&g.record, g.item(kIdOutDim)), nullptr);
    g.record.m_arrSide.pop_back();
    EXPECT_EQ(objectOf(&g.record, g.item(201)), nullptr);
    EXPECT_EQ(applyValue(&g.record, g.item(201)).repaint, false);
}
