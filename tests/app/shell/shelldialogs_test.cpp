// The About box with its scrolling notice, the auto-save settings and the
// working-habit settings.

#include "app/shell/aboutdlg.h"
#include "app/shell/autosavedlg.h"
#include "app/shell/marqueestatic.h"
#include "app/shell/picturebutton.h"
#include "app/shell/shellresources.h"
#include "app/shell/usercustomdlg.h"
#include "core/model/connecttext.h"
#include "envora/usercustom.h"
#include "platform/profile.h"
#include "tests/shapeui/shapeview_screenshot.h"
#include "widgara/button.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>
#include <ostream>

namespace {

// the About box

TEST(AboutBox, ShowsNameVersionPictureAndAScrollingNotice)
{
    registerShellResources();
    CAboutDlg box;
    ASSERT_TRUE(box.OnInitDialog());
    EXPECT_EQ(box.m_version->text(), QStringLiteral("版本： v5.0.3"));
    EXPECT_EQ(box.m_name->font().weight(), QFont::Bold);
    EXPECT_EQ(box.m_name->font().pixelSize(), 20);
    EXPECT_EQ(box.m_version->font().pixelSize(), 14);
    EXPECT_FALSE(box.m_picture->pictureIn().isNull());
    EXPECT_EQ(box.GetDlgItem(CAboutDlg::IDC_NOTICE), box.m_notice);
    EXPECT_EQ(box.m_notice->GetText(), aboutNotice());
    EXPECT_TRUE(box.m_notice->isScrolling());
    EXPECT_EQ(box.m_notice->GetTextColor(), 0xFF6432u);
    // The toolkit's flat button with its Office look.
    EXPECT_EQ(box.m_ok->GetXButtonStyle(), 0x1022);
    EXPECT_TRUE(dynamic_cast<CXTButtonThemeOfficeXP*>(box.m_ok->GetTheme()));
    QSignalSpy finished(&box, &QDialog::finished);
    box.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    test::saveScreenshot(box, "about");
    QTest::mouseClick(box.m_ok, Qt::LeftButton);
    EXPECT_EQ(finished.size(), 1);
    EXPECT_EQ(box.result(), CAboutDlg::IDOK);
}

// the scrolling text

struct StepCase {
    int direction;
    QPoint from;
    QPoint to;
};

void PrintTo(const StepCase& c, std::ostream* os)
{
    *os << "direction " << c.direction << " from " << c.from.x() << "," << c.from.y();
}

class MarqueeSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(MarqueeSteps, MoveByTheStepUntilTheTextHasLeftThenComeBackOpposite)
{
    // A 100 × 50 area at (0, 0); a text 30 wide and 20 high; step 5.
    const StepCase& c = GetParam();
    EXPECT_EQ(CMarqueeStatic::nextPosition(c.direction, c.from, 5, QRect(0, 0, 100, 50), QSize(30, 20)), c.to);
}

INSTANTIATE_TEST_SUITE_P(
    Directions, MarqueeSteps,
    ::testing::Values(StepCase{CMarqueeStatic::kLeft, {10, 3}, {5, 3}},
                      StepCase{CMarqueeStatic::kLeft, {-29, 3}, {-34, 3}},
                      StepCase{CMarqueeStatic::kLeft, {-30, 3}, {100, 3}},
                      StepCase{CMarqueeStatic::kRight, {99, 3}, {104, 3}},
                      StepCase{CMarqueeStatic::kRight, {100, 3}, {-30, 3}},
                      StepCase{CMarqueeStatic::kUp, {0, -19}, {0, -24}},
                      StepCase{CMarqueeStatic::kUp, {0, -20}, {0, 50}},
                      StepCase{CMarqueeStatic::kDown, {0, 49}, {0, 54}},
                      StepCase{CMarqueeStatic::kDown, {0, 50}, {0, -20}}));

TEST(Marquee, ATwoLineTextLeavesTheTopWhollyBeforeComingBackFromTheBottom)
{
    CMarqueeStatic marquee;
    marquee.resize(200, 60);
    marquee.SetText(QStringLiteral("第一行\n第二行"));
    marquee.StartScroll(3, 100000);
    marquee.SetDirection(CMarqueeStatic::kUp);
    marquee.grab(); // draws, and so measures
    ASSERT_TRUE(marquee.isMeasured());
    const int height = marquee.textSize().height();
    EXPECT_EQ(height, 2 * QFontMetrics(marquee.font()).lineSpacing());
    int last = marquee.position().y();
    for (int i = 0; i < 100; ++i) {
        marquee.scrollOnce();
        const int y = marquee.position().y();
        if (y > last) {
            // It came back in from below only after its last line was gone.
            EXPECT_LE(last + height, 0);
            EXPECT_EQ(y, marquee.height());
            return;
        }
        last = y;
    }
    FAIL() << "the text never came back";
}

TEST(Marquee, TheSameTextAgainDoesNotRestartTheScroll)
{
    CMarqueeStatic marquee;
    marquee.resize(200, 60);
    marquee.SetText(QStringLiteral("通知"));
    marquee.StartScroll(3, 100000);
    marquee.grab();
    for (int i = 0; i < 4; ++i)
        marquee.scrollOnce();
    const QPoint where = marquee.position();
    marquee.SetText(QStringLiteral("通知"));
    marquee.grab();
    EXPECT_EQ(marquee.position(), where);
    EXPECT_TRUE(marquee.isMeasured());
}

TEST(Marquee, AfterTheMouseHasPassedItScrollsOnInBlack)
{
    CMarqueeStatic marquee;
    marquee.resize(200, 60);
    QFont underlined = marquee.font();
    underlined.setUnderline(true);
    marquee.setFont(underlined);
    marquee.SetText(QStringLiteral("通知"));
    marquee.SetTextColor(0xFF6432);
    marquee.StartScroll(3, 100000);
    marquee.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&marquee));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&marquee, &leave);
    EXPECT_EQ(marquee.GetTextColor(), 0u);
    EXPECT_TRUE(marquee.isScrolling());
    const QPoint before = marquee.position();
    marquee.grab();
    marquee.scrollOnce();
    EXPECT_EQ(marquee.position(), before - QPoint(0, 3));
}

// auto-save settings

class AutoSaveSettings : public ::testing::Test {
protected:
    void SetUp() override { platform::openProfile()->remove(QStringLiteral("settings")); }
    void TearDown() override { platform::openProfile()->remove(QStringLiteral("settings")); }
    int stored(const char* key) const
    {
        return platform::profileValue(QStringLiteral("settings"), QString::fromUtf8(key), -1).toInt();
    }
};

TEST_F(AutoSaveSettings, AnEmptyProfileShowsTheDefaults)
{
    CAutoSaveDlg dialog;
    EXPECT_TRUE(dialog.m_autoSave->isChecked());
    EXPECT_EQ(dialog.m_minutes->value(), 5);
    EXPECT_TRUE(dialog.m_backup->isChecked());
    EXPECT_TRUE(dialog.m_intoFile->isChecked());
    EXPECT_FALSE(dialog.m_intoRecoveryFile->isChecked());
    test::saveScreenshot(dialog, "autosave");
    dialog.reject();
    EXPECT_EQ(stored("autoSaveTime"), -1);
}

TEST_F(AutoSaveSettings, OkStoresTheFourValues)
{
    CAutoSaveDlg dialog;
    dialog.m_autoSave->setChecked(false);
    dialog.m_minutes->setValue(12);
    dialog.m_backup->setChecked(false);
    dialog.m_intoRecoveryFile->setChecked(true);
    dialog.accept();
    EXPECT_EQ(stored("autoSave"), 0);
    EXPECT_EQ(stored("autoSaveTime"), 12);
    EXPECT_EQ(stored("autoBak"), 0);
    EXPECT_EQ(stored("autoSaveType"), 1);
    EXPECT_EQ(CAutoSaveDlg::autoSaveMinutes(), 12);
}

class AutoSaveMinutes : public AutoSaveSettings, public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(AutoSaveMinutes, TheIntervalIsAtLeastAMinute)
{
    platform::setProfileValue(QStringLiteral("settings"), QStringLiteral("autoSaveTime"), GetParam().first);
    EXPECT_EQ(CAutoSaveDlg::autoSaveMinutes(), GetParam().second);
    CAutoSaveDlg dialog;
    EXPECT_EQ(dialog.m_minutes->value(), GetParam().second);
    dialog.m_minutes->setValue(0);
    EXPECT_EQ(dialog.m_minutes->value(), 1);
}

INSTANTIATE_TEST_SUITE_P(Stored, AutoSaveMinutes,
                         ::testing::Values(std::pair{0, 1}, std::pair{-5, 1}, std::pair{1, 1}, std::pair{30, 30}));

// working habits

// Keeps the user's habits as they were before the test.
class HabitSettings : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_content = contentNow();
        m_digit = Info_UserCustomGenshuJinwei();
        m_mode = Info_GetUserCustomSteelSelectMode();
        m_wheel = Info_UserCustomCtrlGunLun();
    }
    void TearDown() override
    {
        Info_UserCustomSetContent(m_content);
        Info_UserCustomSetGenshuJinwei(m_digit);
        Info_SetUserCustomSteelSelectMode(m_mode);
        Info_UserCustomSetCtrlGunLun(m_wheel);
    }
    static int contentNow()
    {
        int content = 0;
        for (int bit : CUserCustomDlg::kContentBits)
            if (Info_UserCustomContentIsClude(bit))
                content |= bit;
        return content;
    }

private:
    int m_content = 0;
    int m_digit = 5;
    int m_mode = 0;
    int m_wheel = 0;
};

TEST_F(HabitSettings, UntickingCopyNothingTicksTheUsualContent)
{
    ASSERT_TRUE(Info_UserCustomSetContent(0));
    CUserCustomDlg dialog;
    EXPECT_TRUE(dialog.m_noContent->isChecked());
    dialog.m_noContent->click();
    EXPECT_EQ(dialog.contentByte(), 0xDB);
    dialog.accept();
    EXPECT_EQ(contentNow(), 0xDB);
    EXPECT_FALSE(Info_UserCustomContentIsClude(0));
}

TEST_F(HabitSettings, TickingCopyNothingClearsEveryContentBox)
{
    ASSERT_TRUE(Info_UserCustomSetContent(0x25));
    CUserCustomDlg dialog;
    EXPECT_TRUE(dialog.m_content[0]->isChecked());
    EXPECT_TRUE(dialog.m_content[2]->isChecked());
    EXPECT_TRUE(dialog.m_content[5]->isChecked());
    dialog.m_noContent->click();
    for (QCheckBox* box : dialog.m_content)
        EXPECT_FALSE(box->isChecked());
    dialog.accept();
    EXPECT_EQ(contentNow(), 0);
    EXPECT_TRUE(Info_UserCustomContentIsClude(0));
}

struct DigitCase {
    const char* typed;
    const char* dropShown;
    const char* roundShown;
    int stored;
};

void PrintTo(const DigitCase& c, std::ostream* os)
{
    *os << "typed " << c.typed;
}

class RoundingDigits : public HabitSettings, public ::testing::WithParamInterface<DigitCase> {};

TEST_P(RoundingDigits, TheDroppedDigitSetsTheRoundingOne)
{
    ASSERT_TRUE(Info_UserCustomSetGenshuJinwei(4));
    CUserCustomDlg dialog;
    EXPECT_EQ(dialog.m_dropDigit->text(), QStringLiteral("3"));
    EXPECT_EQ(dialog.m_roundDigit->text(), QStringLiteral("4"));
    dialog.m_dropDigit->setText(QString::fromUtf8(GetParam().typed));
    Q_EMIT dialog.m_dropDigit->editingFinished();
    EXPECT_EQ(dialog.m_dropDigit->text(), QString::fromUtf8(GetParam().dropShown));
    EXPECT_EQ(dialog.m_roundDigit->text(), QString::fromUtf8(GetParam().roundShown));
    dialog.accept();
    EXPECT_EQ(Info_UserCustomGenshuJinwei(), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Typed, RoundingDigits,
                         ::testing::Values(DigitCase{"5", "5", "6", 6}, DigitCase{"1", "1", "2", 2},
                                           DigitCase{"8", "8", "9", 9},
                                           // Refused: the field goes back to what it held.
                                           DigitCase{"0", "3", "4", 4}, DigitCase{"10", "3", "4", 4},
                                           DigitCase{"9", "3", "4", 4}, DigitCase{"", "3", "4", 4}));

TEST_F(HabitSettings, TheListsOfferTheirChoicesAndOkKeepsWhatWasShown)
{
    ASSERT_TRUE(Info_SetUserCustomSteelSelectMode(1));
    ASSERT_TRUE(Info_UserCustomSetCtrlGunLun(2));
    CUserCustomDlg dialog;
    EXPECT_EQ(dialog.m_selectMode->checkedId(), 1);
    EXPECT_EQ(dialog.m_selectMode->button(0)->text(), QStringLiteral("应用大视窗"));
    ASSERT_EQ(dialog.m_wheel->count(), 3);
    EXPECT_EQ(dialog.m_wheel->itemText(1), QStringLiteral("放大表格"));
    EXPECT_EQ(dialog.m_ctrlWheel->currentIndex(), 2);
    ASSERT_EQ(dialog.m_connectStyle->count(), 9);
    for (int kind = 0; kind < 9; ++kind)
        EXPECT_EQ(dialog.m_connectStyle->itemText(kind), barcore_getConnectString(kind));
    test::saveScreenshot(dialog, "usercustom");
    dialog.accept();
    EXPECT_EQ(Info_GetUserCustomSteelSelectMode(), 1);
    EXPECT_EQ(Info_UserCustomCtrlGunLun(), 2);
}

TEST_F(HabitSettings, CancelStoresNothing)
{
    ASSERT_TRUE(Info_SetUserCustomSteelSelectMode(0));
    CUserCustomDlg dialog;
    dialog.m_selectMode->button(1)->setChecked(true);
    dialog.reject();
    EXPECT_EQ(Info_GetUserCustomSteelSelectMode(), 0);
}

} // namespace
