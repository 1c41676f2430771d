// Controls of one's own: created by class name, copied, exchanged through
// properties, sized and drawn through the drawing context.

#include "widgara/commandbars.h"
#include "widgara/controlcombobox.h"
#include "widgara/controlpopup.h"
#include "widgara/propexchange.h"

#include "platform/recordingdc.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A button with one property of its own, as the shape editor's width buttons.
class WidthButton : public CXTPControlButton {
    DECLARE_XTP_CONTROL(WidthButton)

public:
    explicit WidthButton(double width = 0.0) : m_width(width) {}

    void Copy(const CXTPControl* pControl, bool bRecursive) override
    {
        CXTPControlButton::Copy(pControl, bRecursive);
        m_width = static_cast<const WidthButton*>(pControl)->m_width;
    }
    void DoPropExchange(CXTPPropExchange* pPX) override
    {
        CXTPControlButton::DoPropExchange(pPX);
        PX_Double(pPX, QStringLiteral("Width"), m_width, 0.0);
    }
    QSize GetSize(platform::Dc*) override { return {160, 16}; }
    void Draw(platform::Dc* pDC) override
    {
        GetPaintManager()->DrawControlEntry(pDC, this);
        pDC->TextOut(2, 2, QString::asprintf("%2.2f", m_width));
    }

    double m_width;
};

IMPLEMENT_XTP_CONTROL(WidthButton)

TEST(Controls, CreatedByClassNameAndClonedWithTheirOwnProperty)
{
    std::unique_ptr<CXTPControl> made = widgara::createControl(QStringLiteral("WidthButton"));
    ASSERT_NE(dynamic_cast<WidthButton*>(made.get()), nullptr);
    EXPECT_EQ(widgara::createControl(QStringLiteral("NoSuchControl")), nullptr);

    WidthButton original(2.5);
    original.SetID(1002);
    original.SetCaption(QStringLiteral("线宽"));
    std::unique_ptr<CXTPControl> copy = original.Clone();
    auto* button = dynamic_cast<WidthButton*>(copy.get());
    ASSERT_NE(button, nullptr);
    EXPECT_DOUBLE_EQ(button->m_width, 2.5);
    EXPECT_EQ(button->GetID(), 1002);
    EXPECT_EQ(button->GetCaption(), QStringLiteral("线宽"));
}

TEST(Controls, StandardControlsAreCreatedByName)
{
    for (const char* name : {"CXTPControlButton", "CXTPControlComboBox", "CXTPControlPopup"}) {
        std::unique_ptr<CXTPControl> made = widgara::createControl(QString::fromLatin1(name));
        ASSERT_NE(made, nullptr) << name;
        EXPECT_EQ(made->GetRuntimeClassName(), QString::fromLatin1(name));
    }
}

TEST(Controls, PropertyExchangeRoundTrip)
{
    WidthButton original(7.25);
    original.SetID(1007);
    original.SetFlags(xtpFlagManualUpdate);
    original.SetBeginGroup(true);
    CXTPPropExchange storing;
    original.DoPropExchange(&storing);
    EXPECT_DOUBLE_EQ(storing.data().value(QStringLiteral("Width")).toDouble(), 7.25);

    WidthButton loaded;
    CXTPPropExchange loading(storing.data());
    loaded.DoPropExchange(&loading);
    EXPECT_DOUBLE_EQ(loaded.m_width, 7.25);
    EXPECT_EQ(loaded.GetID(), 1007);
    EXPECT_EQ(loaded.GetFlags(), xtpFlagManualUpdate);
    EXPECT_TRUE(loaded.GetBeginGroup());
}

TEST(Controls, LoadingMissingOrDamagedValuesGivesDefaults)
{
    CXTPPropExchange loading(QVariantMap{{QStringLiteral("Style"), QStringLiteral("dash")},
                                         {QStringLiteral("Count"), 3}});
    int style = 9;
    EXPECT_FALSE(PX_Int(&loading, QStringLiteral("Style"), style, 0));
    EXPECT_EQ(style, 0);
    int count = 0;
    EXPECT_TRUE(PX_Int(&loading, QStringLiteral("Count"), count, 0));
    EXPECT_EQ(count, 3);
    double width = 5.0;
    EXPECT_FALSE(PX_Double(&loading, QStringLiteral("Width"), width, 1.5));
    EXPECT_DOUBLE_EQ(width, 1.5);
}

TEST(Controls, CustomSizeAndDrawingAreUsedByTheBar)
{
    CXTPCommandBars bars;
    QWidget site;
    bars.SetSite(&site);
    CXTPToolBar* bar = bars.Add(QStringLiteral("t"));
    auto* button = bar->GetControls()->Add(std::make_unique<WidthButton>(1.0), 1001);
    EXPECT_EQ(button->widget()->sizeHint(), QSize(160, 16));

    platform::RecordingDc dc;
    button->Draw(&dc);
    EXPECT_TRUE(dc.texts().contains(QStringLiteral("1.00")));
}

TEST(Controls, OwnerDrawnComboListDrawsEntriesThroughTheControl)
{
    struct LineCombo : CXTPControlComboBox {
        void DrawItem(XTPDrawItemStruct* item) override { drawn.push_back(item->itemData); }
        std::vector<quintptr> drawn;
    };
    CXTPCommandBars bars;
    QWidget site;
    site.resize(300, 200);
    bars.SetSite(&site);
    CXTPToolBar* bar = bars.Add(QStringLiteral("t"));
    auto* combo = bar->GetControls()->Add(std::make_unique<LineCombo>(), 500);
    combo->ModifyListBoxStyle(0, CBS_OWNERDRAWFIXED | CBS_HASSTRINGS);
    for (int i = 1; i <= 3; ++i)
        combo->SetItemData(combo->AddString(QStringLiteral("%1号").arg(i)), i);
    site.show();
    auto* shown = qobject_cast<QComboBox*>(combo->widget());
    shown->showPopup();
    QTest::qWait(1);
    shown->view()->grab();
    shown->hidePopup();
    ASSERT_FALSE(combo->drawn.empty());
    EXPECT_NE(std::find(combo->drawn.begin(), combo->drawn.end(), 3u), combo->drawn.end());
}

TEST(Controls, ComboEntriesAndSelectionFollowInsertAndDelete)
{
    CXTPControlComboBox combo;
    combo.AddString(QStringLiteral("a"));
    combo.AddString(QStringLiteral("b"));
    combo.SetCurSel(1);
    combo.InsertString(0, QStringLiteral("z"));
    EXPECT_EQ(combo.GetCurSel(), 2);
    EXPECT_EQ(combo.GetLBText(2), QStringLiteral("b"));
    combo.DeleteItem(2);
    EXPECT_EQ(combo.GetCurSel(), CB_ERR);
    EXPECT_EQ(combo.DeleteItem(7), CB_ERR);
    EXPECT_EQ(combo.GetLBText(-1), QString());
    EXPECT_EQ(combo.FindStringExact(-1, QStringLiteral("A")), 1);
}

} // namespace
