// The property grid: items built by the owner, edited by the user in place,
// and the notifications 2 (selection changed) and 3 (value changed).

#include "widgara/edit.h"
#include "widgara/propertygrid.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

struct GridNotice {
    int code;
    int id;
    QString value;
};

// A text item with two children that write into the item's own texts, as
// the shape editor's side items do: a child's edit updates the parent, and
// the parent reports the change under its own id.
class PairItem : public CXTPPropertyGridItem {
public:
    PairItem(const QString& caption, QString first, QString second)
        : CXTPPropertyGridItem(caption), m_first(std::move(first)), m_second(std::move(second))
    {
        CXTPPropertyGridItem::SetValue(summary());
    }

    class Part : public CXTPPropertyGridItem {
    public:
        Part(const QString& caption, QString* target, PairItem* owner)
            : CXTPPropertyGridItem(caption, *target), m_target(target), m_owner(owner)
        {
        }
        void OnValueChanged(QString value) override
        {
            SetValue(value);
            *m_target = value;
            m_owner->CXTPPropertyGridItem::SetValue(m_owner->summary());
            m_owner->OnValueChanged(m_owner->GetValue());
        }

    private:
        QString* m_target;
        PairItem* m_owner;
    };

    void OnAddChildItem() override
    {
        first = AddChildItem(std::make_unique<Part>(QStringLiteral("长度L(mm)"), &m_first, this));
        second = AddChildItem(std::make_unique<Part>(QStringLiteral("夹角A(°)"), &m_second, this));
    }

    QString summary() const { return QStringLiteral("L=%1;A=%2°").arg(m_first, m_second); }

    Part* first = nullptr;
    Part* second = nullptr;
    QString m_first;
    QString m_second;
};

class PropertyGridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.resize(320, 400);
        QObject::connect(&grid, &CXTPPropertyGrid::gridNotify, &grid,
                         [this](int code, CXTPPropertyGridItem* item) {
                             notices.push_back({code, item->GetID(), item->GetValue()});
                             if (rebuildOnChange && code == XTP_PGN_ITEMVALUE_CHANGED)
                                 build();
                         });
        build();
        grid.show();
        notices.clear();
    }

    void build()
    {
        grid.ResetContent();
        CXTPPropertyGridItemCategory* sizes = grid.AddCategory(QStringLiteral("钢筋各段参数"));
        sizes->SetDescription(QStringLiteral("钢筋大样各段的长度、角度参数"));
        dims = static_cast<CXTPPropertyGridItemBool*>(
            sizes->AddChildItem(std::make_unique<CXTPPropertyGridItemBool>(QStringLiteral("尺寸标注"), true)));
        dims->SetID(101);
        dims->SetTrueFalseText(QStringLiteral("外皮尺寸"), QStringLiteral("内皮尺寸"));
        side = sizes->AddChildItem(
            std::make_unique<PairItem>(QStringLiteral("第1段"), QStringLiteral("a"), QStringLiteral("0")));
        side->SetID(200);
        side->Expand();
        sizes->Expand();

        CXTPPropertyGridItemCategory* hooks = grid.AddCategory(QStringLiteral("端头弯钩构造"));
        hook = hooks->AddChildItem(std::make_unique<CXTPPropertyGridItemBool>(QStringLiteral("端头1"), false));
        hook->SetCheckBoxStyle();
        hook->SetID(301);
        angle = hook->AddChildItem(std::make_unique<CXTPPropertyGridItemEnum>(QStringLiteral("角度"), 2));
        angle->GetConstraints()->AddConstraint(QStringLiteral("180°"), 4);
        angle->GetConstraints()->AddConstraint(QStringLiteral("135°"), 2);
        angle->GetConstraints()->AddConstraint(QStringLiteral("90°"), 1);
        angle->SetID(302);
        angle->SetHidden(true);
        count = hooks->AddChildItem(std::make_unique<CXTPPropertyGridItem>(QStringLiteral("连接数量"), QStringLiteral("1")));
        count->SetID(503);
        count->SetDescription(QStringLiteral("接头的个数"));
        hooks->Expand();
        hook->Expand();
    }

    QTreeWidget* tree() const { return grid.view(); }

    // Opens the value editor of `item` as a click on its value does.
    QWidget* openEditor(CXTPPropertyGridItem* item)
    {
        item->Select();
        tree()->editItem(item->node(), 1);
        return tree()->indexWidget(tree()->indexFromItem(item->node(), 1));
    }

    void typeInto(CXTPPropertyGridItem* item, const QString& text)
    {
        auto* edit = qobject_cast<CXTPEdit*>(openEditor(item));
        ASSERT_NE(edit, nullptr);
        edit->selectAll();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Return);
        QApplication::processEvents(); // the view commits the edit from its event loop
    }

    void choose(CXTPPropertyGridItem* item, const QString& text)
    {
        auto* combo = qobject_cast<QComboBox*>(openEditor(item));
        ASSERT_NE(combo, nullptr);
        const int index = combo->findText(text);
        ASSERT_GE(index, 0);
        combo->setCurrentIndex(index);
        Q_EMIT combo->activated(index);
    }

    std::vector<GridNotice> valueNotices() const
    {
        std::vector<GridNotice> found;
        for (const GridNotice& n : notices)
            if (n.code == XTP_PGN_ITEMVALUE_CHANGED)
                found.push_back(n);
        return found;
    }

    CXTPPropertyGrid grid;
    std::vector<GridNotice> notices;
    bool rebuildOnChange = false;
    CXTPPropertyGridItemBool* dims = nullptr;
    PairItem* side = nullptr;
    CXTPPropertyGridItemBool* hook = nullptr;
    CXTPPropertyGridItemEnum* angle = nullptr;
    CXTPPropertyGridItem* count = nullptr;
};

TEST_F(PropertyGridTest, BuildsTheTreeOfItems)
{
    ASSERT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_EQ(tree()->topLevelItem(0)->text(0), QStringLiteral("钢筋各段参数"));
    EXPECT_EQ(grid.FindItem(101), dims);
    EXPECT_EQ(grid.FindItem(302), angle);
    EXPECT_EQ(grid.FindItem(999), nullptr);
    EXPECT_EQ(angle->GetParentItem(), hook);
    EXPECT_EQ(dims->node()->text(1), QStringLiteral("外皮尺寸"));
    EXPECT_EQ(side->node()->text(1), QStringLiteral("L=a;A=0°"));
    // Children added when the item joined the grid are shown under it.
    ASSERT_EQ(side->GetChilds()->GetCount(), 2);
    EXPECT_EQ(side->node()->childCount(), 2);
    EXPECT_EQ(side->first->node()->text(1), QStringLiteral("a"));
    EXPECT_TRUE(side->node()->isExpanded());
    EXPECT_TRUE(grid.GetCategories()->GetAt(0)->IsCategory());
}

// A grid as narrow as a docked pane shows both columns whole: selecting an
// item (which makes its value current) scrolls nothing sideways, so that
// the captions start at the left edge.
class NarrowGrid : public PropertyGridTest, public ::testing::WithParamInterface<int> {};

TEST_P(NarrowGrid, ShowsBothColumnsWithoutScrollingSideways)
{
    grid.resize(GetParam(), 400);
    QApplication::processEvents();
    grid.selectItem(count);
    build();
    grid.selectItem(count);
    QApplication::processEvents();
    EXPECT_EQ(tree()->horizontalScrollBar()->value(), 0);
    EXPECT_LE(tree()->columnWidth(0) + tree()->columnWidth(1), tree()->viewport()->width());
    EXPECT_GT(tree()->columnWidth(1), 0);
}

INSTANTIATE_TEST_SUITE_P(PaneWidths, NarrowGrid, ::testing::Values(120, 175, 320));

TEST_F(PropertyGridTest, TypingAValueNotifiesCode3WithTheItem)
{
    typeInto(count, QStringLiteral("4"));
    const auto changes = valueNotices();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].id, 503);
    EXPECT_EQ(changes[0].value, QStringLiteral("4"));
    EXPECT_EQ(count->GetValue(), QStringLiteral("4"));
    EXPECT_EQ(count->node()->text(1), QStringLiteral("4"));
}

TEST_F(PropertyGridTest, UnchangedTextNotifiesNothing)
{
    typeInto(count, QStringLiteral("1"));
    EXPECT_TRUE(valueNotices().empty());
}

TEST_F(PropertyGridTest, ChildEditReachesOwnerUnderTheParentsId)
{
    typeInto(side->first, QStringLiteral("a=300"));
    const auto changes = valueNotices();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].id, 200);
    EXPECT_EQ(changes[0].value, QStringLiteral("L=a=300;A=0°"));
    EXPECT_EQ(side->m_first, QStringLiteral("a=300"));
}

TEST_F(PropertyGridTest, SelectionNotifiesCode2)
{
    tree()->setCurrentItem(count->node());
    ASSERT_FALSE(notices.empty());
    EXPECT_EQ(notices.back().code, XTP_PGN_SELECTION_CHANGED);
    EXPECT_EQ(notices.back().id, 503);
    EXPECT_TRUE(count->IsSelected());
    EXPECT_EQ(grid.GetSelectedItem(), count);

    const QRect row = tree()->visualItemRect(dims->node());
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {}, QPoint(20, row.center().y()));
    EXPECT_EQ(notices.back().code, XTP_PGN_SELECTION_CHANGED);
    EXPECT_EQ(notices.back().id, 101);
}

TEST_F(PropertyGridTest, BoolChosenFromItsTwoTexts)
{
    choose(dims, QStringLiteral("内皮尺寸"));
    EXPECT_FALSE(dims->GetBool());
    const auto changes = valueNotices();
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].id, 101);
    EXPECT_EQ(changes[0].value, QStringLiteral("内皮尺寸"));
}

TEST_F(PropertyGridTest, CheckBoxBoolTogglesWithSpaceAndClick)
{
    EXPECT_EQ(hook->node()->checkState(1), Qt::Unchecked);
    hook->Select();
    QTest::keyClick(tree(), Qt::Key_Space);
    EXPECT_TRUE(hook->GetBool());
    EXPECT_EQ(hook->node()->checkState(1), Qt::Checked);
    ASSERT_EQ(valueNotices().size(), 1u);
    EXPECT_EQ(valueNotices()[0].id, 301);

    // The view's own toggle of the check mark (a click on it) goes the same way.
    hook->node()->setCheckState(1, Qt::Unchecked);
    EXPECT_FALSE(hook->GetBool());
    EXPECT_EQ(valueNotices().size(), 2u);
    // Setting the value from code notifies nobody.
    hook->SetBool(true);
    EXPECT_EQ(valueNotices().size(), 2u);
    EXPECT_EQ(hook->node()->checkState(1), Qt::Checked);
}

TEST_F(PropertyGridTest, EnumShowsTheTextOfItsValueAndTakesChoices)
{
    EXPECT_EQ(angle->GetValue(), QStringLiteral("135°"));
    angle->SetHidden(false);
    choose(angle, QStringLiteral("90°"));
    EXPECT_EQ(angle->GetEnum(), 1);
    ASSERT_EQ(valueNotices().size(), 1u);
    EXPECT_EQ(valueNotices()[0].id, 302);

    angle->SetEnum(4);
    EXPECT_EQ(angle->node()->text(1), QStringLiteral("180°"));
    angle->SetValue(QStringLiteral("45°")); // not a choice: the value stays
    EXPECT_EQ(angle->GetEnum(), 4);
}

TEST_F(PropertyGridTest, HiddenAndReadOnlyItems)
{
    EXPECT_TRUE(angle->node()->isHidden());
    angle->SetHidden(false);
    EXPECT_FALSE(angle->node()->isHidden());

    count->SetReadOnly(true);
    EXPECT_EQ(openEditor(count), nullptr);
    hook->SetReadOnly(true);
    hook->Select();
    QTest::keyClick(tree(), Qt::Key_Space);
    EXPECT_FALSE(hook->GetBool());
    EXPECT_TRUE(valueNotices().empty());
}

TEST_F(PropertyGridTest, OwnerMayRebuildTheGridInsideTheNotification)
{
    rebuildOnChange = true;
    typeInto(count, QStringLiteral("7"));
    QApplication::processEvents();
    ASSERT_EQ(valueNotices().size(), 1u);
    EXPECT_EQ(tree()->topLevelItemCount(), 2);
    EXPECT_EQ(grid.FindItem(503)->GetValue(), QStringLiteral("1")); // rebuilt from scratch
    choose(grid.FindItem(101), QStringLiteral("内皮尺寸"));
    QApplication::processEvents();
    EXPECT_EQ(valueNotices().size(), 2u);
}

TEST_F(PropertyGridTest, ResetContentEmptiesTheGridQuietly)
{
    count->Select();
    notices.clear();
    grid.ResetContent();
    EXPECT_EQ(tree()->topLevelItemCount(), 0);
    EXPECT_EQ(grid.FindItem(101), nullptr);
    EXPECT_EQ(grid.GetSelectedItem(), nullptr);
    EXPECT_TRUE(notices.empty());
}

TEST_F(PropertyGridTest, RemovingChildrenFromTheirOwnNotificationKeepsThemUntilTheLoopRuns)
{
    // The owner answers a change of the angle by building the hook's
    // children anew, as a pane refreshing its shape items does.
    CXTPPropertyGridItem* newAngle = nullptr;
    QObject::connect(&grid, &CXTPPropertyGrid::gridNotify, &grid,
                     [&](int code, CXTPPropertyGridItem* item) {
                         if (code != XTP_PGN_ITEMVALUE_CHANGED || item->GetID() != 302)
                             return;
                         hook->RemoveChilds();
                         EXPECT_EQ(item->GetValue(), QStringLiteral("90°")); // still alive
                         newAngle = hook->AddChildItem(
                             std::make_unique<CXTPPropertyGridItem>(QStringLiteral("角度"), QStringLiteral("新")));
                         newAngle->SetID(302);
                     });
    angle->SetHidden(false);
    choose(angle, QStringLiteral("90°"));
    QApplication::processEvents();
    ASSERT_EQ(hook->GetChilds()->GetCount(), 1);
    EXPECT_EQ(grid.FindItem(302), newAngle);
    EXPECT_EQ(hook->node()->childCount(), 1);
    EXPECT_EQ(hook->node()->child(0)->text(1), QStringLiteral("新"));
    EXPECT_TRUE(newAngle->IsVisible());
}

TEST_F(PropertyGridTest, CaptionColoursArePainted)
{
    side->GetCaptionMetrics()->m_clrFore = 0xFF0000;
    side->GetCaptionMetrics()->m_clrBack = 0x08FEE0;
    grid.view()->viewport()->update();
    const QImage shot = grid.view()->viewport()->grab().toImage();
    const QRect row = tree()->visualItemRect(side->node());
    // Far right of the caption cell, away from its text.
    const QColor back = shot.pixelColor(tree()->columnWidth(0) - 3, row.center().y());
    EXPECT_EQ(back, QColor(0xE0, 0xFE, 0x08));
}

} // namespace

namespace {

TEST(PropertyGridInDialog, EnterInAnEditorDoesNotCloseTheDialog)
{
    QDialog dialog;
    auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    CXTPPropertyGrid* grid = new CXTPPropertyGrid;
    grid->Create(QRect(0, 30, 300, 300), &dialog, 101);
    CXTPPropertyGridItem* item = grid->AddCategory(QStringLiteral("c"))->AddChildItem(
        std::make_unique<CXTPPropertyGridItem>(QStringLiteral("连接数量"), QStringLiteral("1")));
    item->GetParentItem()->Expand();
    int changes = 0;
    QObject::connect(grid, &CXTPPropertyGrid::gridNotify, grid, [&changes](int code, CXTPPropertyGridItem*) {
        changes += code == XTP_PGN_ITEMVALUE_CHANGED;
    });
    dialog.show();
    item->Select();
    grid->view()->editItem(item->node(), 1);
    auto* edit = qobject_cast<QLineEdit*>(
        grid->view()->indexWidget(grid->view()->indexFromItem(item->node(), 1)));
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("2"));
    QTest::keyClick(edit, Qt::Key_Return);
    QApplication::processEvents();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), 0);
}

} // namespace
