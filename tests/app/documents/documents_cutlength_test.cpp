// The side toolbar's 算 (a typed cut length instead of the computed one) as
// the user meets it: on the bar list it turns the selected bars to a typed
// length that starts from the length they showed and opens the editor on
// it; Escape out of the editor leaves the bars as they were, a length typed
// into it is one undo step with the switch. While a sheet made from the bar
// list is shown, the button is greyed and does nothing.

#include "app/documents/documentframe.h"
#include "app/documents/documentids.h"
#include "app/documents/setupmainview.h"
#include "app/panes/resourceids.h"
#include "tables/framework/form.h"
#include "tables/framework/ui/editrecorddlg.h"
#include "tables/framework/ui/inplaceedit.h"
#include "tests/app/support/documents_support.h"
#include "tests/tables/barlist/edithabits.h"
#include "widgara/commandbars.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using MainView = CRODO_SetUpMainView;

enum class Editor { InPlace, RecentValues };
enum class End { Escape, EnterUnchanged, TypedLength };

struct SwitchCase {
    const char* name;
    Editor editor;
    End end;
};

class CutLengthSwitch : public test::DocumentsFixture {
protected:
    static constexpr int kRow = 2; // KL1(2)'s first bar, a straight bar of 3000 mm
    void SetUp() override
    {
        DocumentsFixture::SetUp();
        doc = open<CRODOSetUpDoc>(saveBarList("a.pld"));
        ASSERT_TRUE(doc);
        view = dynamic_cast<MainView*>(containerOf(doc));
        ASSERT_TRUE(view);
        list = doc->setupTable();
        view->frame()->show();
        QApplication::processEvents();
    }
    void TearDown() override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DocumentsFixture::TearDown();
    }
    CVes_BarCore& bar() const
    {
        list->setPageTo(1, 1);
        return *list->getSteel(kRow);
    }
    void selectBar()
    {
        list->setPageTo(1, 1);
        list->clearSelect();
        list->AddSelect(kRow, 0);
        list->setCurRow(kRow);
        list->setCurCol(0);
    }
    // The 算 button of the document window's side toolbar: false when it
    // is greyed or missing.
    bool clickSwitch()
    {
        CXTPCommandBars* bars = view->frame()->GetCommandBars();
        bars->UpdateCommandBars();
        for (int i = 0; i < bars->GetCount(); ++i) {
            CXTPControl* control = bars->GetAt(i)->FindControl(ID_CUTLENGTH_MODE);
            if (!control)
                continue;
            if (!control->GetEnabled() || !control->widget())
                return false;
            QTest::mouseClick(control->widget(), Qt::LeftButton);
            return true;
        }
        return false;
    }
    QWidget* listView() const { return view->sheetView(MainView::kBarList); }
    // The text of the cut-length cell as the page shows it now.
    QString shownCutLength()
    {
        listView()->repaint();
        return list->getForm()->GetCell(kRow, CVes_SetupTable::kColCutLength)->text();
    }

    CRODOSetUpDoc* doc = nullptr;
    MainView* view = nullptr;
    CVes_SetupTable* list = nullptr;
};

class CutLengthEditorEnds : public CutLengthSwitch, public ::testing::WithParamInterface<SwitchCase> {};

TEST_P(CutLengthEditorEnds, StartsFromTheComputedLength)
{
    const SwitchCase& c = GetParam();
    test::EditHabits habits(0xFF, 5, c.editor == Editor::InPlace ? 1 : 0);
    selectBar();
    ASSERT_EQ(bar().calcLength, 1);
    const QString shownBefore = shownCutLength();
    const float computed = bar().getLength(0, list->shapeUnitFactor());
    ASSERT_EQ(computed, 3000.0f);

    ASSERT_TRUE(clickSwitch());
    // The bar now keeps the length it showed, typed; nothing else changed.
    EXPECT_EQ(bar().calcLength, 0);
    EXPECT_EQ(bar().length, computed);
    EXPECT_EQ(shownCutLength(), shownBefore);
    EXPECT_TRUE(doc->IsModified());

    // The editor opens on that length.
    auto* inPlace = listView()->findChild<CVes_InPlaceEdit*>();
    auto* recent = listView()->findChild<CVes_EditRecordDlg*>();
    QLineEdit* box = c.editor == Editor::InPlace ? static_cast<QLineEdit*>(inPlace)
                                                 : (recent ? recent->edit() : nullptr);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), QStringLiteral("3000.0"));

    switch (c.end) {
    case End::Escape: QTest::keyClick(box, Qt::Key_Escape); break;
    case End::EnterUnchanged: QTest::keyClick(box, Qt::Key_Return); break;
    case End::TypedLength:
        box->setText(QStringLiteral("3250"));
        QTest::keyClick(box, Qt::Key_Return);
        break;
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    if (c.end == End::Escape) {
        EXPECT_EQ(bar().calcLength, 1) << "Escape leaves the bar computed";
        EXPECT_FALSE(doc->IsModified());
        EXPECT_FALSE(list->isModified());
        EXPECT_EQ(shownCutLength(), shownBefore);
        return;
    }
    EXPECT_EQ(bar().calcLength, 0);
    EXPECT_EQ(bar().length, c.end == End::TypedLength ? 3250.0f : computed);
    EXPECT_TRUE(doc->IsModified());
    // The switch and its length are one step: one undo takes it all back.
    ASSERT_TRUE(app->mainFrame()->routeCommand(ID_EDIT_UNDO, nullptr));
    EXPECT_EQ(bar().calcLength, 1);
    EXPECT_EQ(shownCutLength(), shownBefore);
    EXPECT_FALSE(doc->IsModified()) << "back at what the file holds";
}

INSTANTIATE_TEST_SUITE_P(
    Editors, CutLengthEditorEnds,
    ::testing::Values(SwitchCase{"InPlaceEscape", Editor::InPlace, End::Escape},
                      SwitchCase{"InPlaceEnter", Editor::InPlace, End::EnterUnchanged},
                      SwitchCase{"InPlaceTyped", Editor::InPlace, End::TypedLength},
                      SwitchCase{"RecentValuesEscape", Editor::RecentValues, End::Escape},
                      SwitchCase{"RecentValuesEnter", Editor::RecentValues, End::EnterUnchanged},
                      SwitchCase{"RecentValuesTyped", Editor::RecentValues, End::TypedLength}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CutLengthSwitch, IsGreyedAndDoesNothingWhileASheetMadeFromTheListIsShown)
{
    selectBar();
    for (int tab : {MainView::kSort, MainView::kSummary, MainView::kPurchase, MainView::kTags}) {
        view->selectTab(tab);
        doc->finishBuilds();
        QApplication::processEvents();
        EXPECT_FALSE(clickSwitch()) << "tab " << tab;
        // Reached another way (a key, a script), it changes nothing either.
        runCommand(doc, ID_CUTLENGTH_MODE);
        EXPECT_EQ(bar().calcLength, 1) << "tab " << tab;
    }
    EXPECT_FALSE(doc->IsModified());
    view->selectTab(MainView::kBarList);
    selectBar();
    EXPECT_TRUE(clickSwitch());
    EXPECT_EQ(bar().calcLength, 0);
}

TEST_F(CutLengthSwitch, TheOtherWaysToSwitchStartFromTheComputedLengthToo)
{
    // The menu's 断料长度自动计算 and the "]" key on the cut-length cell.
    selectBar();
    const float computed = bar().getLength(0, list->shapeUnitFactor());
    ASSERT_TRUE(app->mainFrame()->routeCommand(ID_CUTLENGTH_AUTO, nullptr));
    EXPECT_EQ(bar().calcLength, 0);
    EXPECT_EQ(bar().length, computed);
    ASSERT_TRUE(app->mainFrame()->routeCommand(ID_EDIT_UNDO, nullptr));
    ASSERT_EQ(bar().calcLength, 1);

    selectBar();
    list->setCurCol(CVes_SetupTable::kColCutLength);
    listView()->setFocus();
    QTest::keyClick(listView(), Qt::Key_BracketRight);
    EXPECT_EQ(bar().calcLength, 0);
    EXPECT_EQ(bar().length, computed);
}

} // namespace
