// The flat button: colours and borders by state, hover tracking, check-box
// mode, the menu, the web address, images, sounds and the setters' refusals.

#include "shapeui/flatbutton.h"

#include "platform/painterdc.h"
#include "platform/recordingdc.h"
#include "tests/support/modal.h"
#include "tests/support/recordinghost.h"

#include <QAction>
#include <QAudioDevice>
#include <QDataStream>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QTemporaryDir>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <ostream>

using namespace platform::gdi;
using platform::DcOp;
using platform::Rect;

namespace {

// Colours that tell the states apart.
constexpr COLORREF BkIn = RGB(1, 0, 0), FgIn = RGB(2, 0, 0), BkOut = RGB(3, 0, 0),
                   FgOut = RGB(4, 0, 0), BkFocus = RGB(5, 0, 0), FgFocus = RGB(6, 0, 0);

void colourStates(CVes_FlatButton* button)
{
    button->SetColor(CVes_FlatButton::BTNST_COLOR_BK_IN, BkIn);
    button->SetColor(CVes_FlatButton::BTNST_COLOR_FG_IN, FgIn);
    button->SetColor(CVes_FlatButton::BTNST_COLOR_BK_OUT, BkOut);
    button->SetColor(CVes_FlatButton::BTNST_COLOR_FG_OUT, FgOut);
    button->SetColor(CVes_FlatButton::BTNST_COLOR_BK_FOCUS, BkFocus);
    button->SetColor(CVes_FlatButton::BTNST_COLOR_FG_FOCUS, FgFocus);
}

void moveMouse(QWidget* widget, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), QPointF(widget->mapToGlobal(at)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

void leave(QWidget* widget)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(widget, &event);
}

// The DrawText calls that draw (not those that only measure).
std::vector<platform::DcRecord> drawnTexts(const platform::RecordingDc& dc)
{
    std::vector<platform::DcRecord> out;
    for (const auto& r : dc.records(DcOp::DrawText))
        if (!(r.value & DT_CALCRECT))
            out.push_back(r);
    return out;
}

std::unique_ptr<platform::RecordingDc> draw(CVes_FlatButton* button,
                                            CVes_FlatButton::ItemState state = {})
{
    auto dc = std::make_unique<platform::RecordingDc>();
    button->DrawItem(dc.get(), Rect(0, 0, 80, 24), state);
    return dc;
}

// A button whose menu answers without opening.
class ScriptedMenuButton : public CVes_FlatButton {
public:
    using CVes_FlatButton::CVes_FlatButton;
    QAction* answer = nullptr;
    int opened = 0;
    bool pushedWhileOpen = false;

protected:
    QAction* TrackMenu(QMenu*, const QPoint&) override
    {
        ++opened;
        pushedWhileOpen = IsMenuPushed() && isDown();
        return answer;
    }
};

} // namespace

struct StateCase {
    const char* name;
    bool hover;
    bool selected;
    bool focus;
    bool checkBoxChecked;
    COLORREF background;
    COLORREF text;
};

class FlatButtonColours : public ::testing::TestWithParam<StateCase> {};

TEST_P(FlatButtonColours, BackgroundAndTextFollowTheState)
{
    const StateCase c = GetParam();
    CVes_FlatButton button(QStringLiteral("确定"));
    button.resize(80, 24);
    colourStates(&button);
    if (c.checkBoxChecked) {
        button.SubclassStyle(CVes_FlatButton::BS_AUTOCHECKBOX);
        button.SetCheck(1);
    }
    if (c.hover)
        moveMouse(&button, QPoint(10, 10));
    ASSERT_EQ(button.IsMouseOver(), c.hover);
    CVes_FlatButton::ItemState state;
    state.selected = c.selected;
    state.focus = c.focus;
    const auto dc = draw(&button, state);
    const auto fills = dc->records(DcOp::FillSolidRect);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].value, c.background);
    EXPECT_EQ(fills[0].rect, Rect(0, 0, 80, 24)); // flat: no black frame
    const auto texts = drawnTexts(*dc);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].state.textColor, c.text);
    EXPECT_EQ(texts[0].text, QStringLiteral("确定"));
}

INSTANTIATE_TEST_SUITE_P(
    States, FlatButtonColours,
    ::testing::Values(StateCase{"Idle", false, false, false, false, BkOut, FgOut},
                      StateCase{"Hover", true, false, false, false, BkIn, FgIn},
                      StateCase{"Pressed", false, true, false, false, BkIn, FgIn},
                      StateCase{"Focus", false, false, true, false, BkFocus, FgFocus},
                      StateCase{"HoverWinsOverFocus", true, false, true, false, BkIn, FgIn},
                      StateCase{"CheckedCheckBox", false, false, false, true, BkIn, FgIn}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlatButton, BordersOfFlatAndRaisedButtons)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.resize(80, 24);
    // Flat and idle: no border at all.
    EXPECT_EQ(draw(&button)->count(DcOp::Draw3dRect), 0);
    // Flat under the mouse: raised.
    moveMouse(&button, QPoint(5, 5));
    auto dc = draw(&button);
    ASSERT_EQ(dc->count(DcOp::Draw3dRect), 1);
    EXPECT_EQ(dc->records(DcOp::Draw3dRect)[0].value, GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(dc->records(DcOp::Draw3dRect)[0].value2, GetSysColor(COLOR_BTNSHADOW));
    // Flat and pressed: sunken.
    dc = draw(&button, {true, false, false});
    ASSERT_EQ(dc->count(DcOp::Draw3dRect), 1);
    EXPECT_EQ(dc->records(DcOp::Draw3dRect)[0].value, GetSysColor(COLOR_BTNSHADOW));

    // Raised button: the four-line edge, and a frame when pressed.
    button.SetFlat(false);
    dc = draw(&button);
    const auto edges = dc->records(DcOp::Draw3dRect);
    ASSERT_EQ(edges.size(), 2u);
    EXPECT_EQ(edges[0].rect, Rect(0, 0, 80, 24));
    EXPECT_EQ(edges[0].value, GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(edges[0].value2, GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(edges[1].rect, Rect(1, 1, 79, 23));
    EXPECT_EQ(edges[1].value, GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(edges[1].value2, GetSysColor(COLOR_BTNSHADOW));
    dc = draw(&button, {true, false, false});
    ASSERT_EQ(dc->count(DcOp::FrameRect), 1);
    EXPECT_EQ(dc->records(DcOp::FrameRect)[0].brush.color(), GetSysColor(COLOR_BTNSHADOW));

    // Without border drawing nothing is framed.
    button.DrawBorder(false);
    dc = draw(&button, {true, false, false});
    EXPECT_EQ(dc->count(DcOp::FrameRect) + dc->count(DcOp::Draw3dRect), 0);
}

TEST(FlatButton, FocusedRaisedButtonIsFramedInBlackWithAFocusRectangle)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.SetFlat(false);
    const auto dc = draw(&button, {false, true, false});
    const auto frames = dc->records(DcOp::FrameRect);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0].rect, Rect(0, 0, 80, 24));
    EXPECT_EQ(frames[0].brush.color(), RGB(0, 0, 0));
    EXPECT_EQ(dc->records(DcOp::FillSolidRect).at(0).rect, Rect(1, 1, 79, 23));
    ASSERT_EQ(dc->count(DcOp::DrawFocusRect), 1);
    EXPECT_EQ(dc->records(DcOp::DrawFocusRect)[0].rect, Rect(3, 3, 77, 21));

    // A flat button shows focus only when asked to.
    CVes_FlatButton flat(QStringLiteral("A"));
    EXPECT_EQ(draw(&flat, {false, true, false})->count(DcOp::DrawFocusRect), 0);
    flat.DrawFlatFocus(true);
    EXPECT_EQ(draw(&flat, {false, true, false})->count(DcOp::DrawFocusRect), 1);
}

TEST(FlatButton, DisabledTextIsEmbossed)
{
    CVes_FlatButton button(QStringLiteral("取消"));
    const auto dc = draw(&button, {false, false, true});
    const auto texts = drawnTexts(*dc);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].state.textColor, GetSysColor(COLOR_BTNHILIGHT));
    EXPECT_EQ(texts[1].state.textColor, GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(texts[0].rect.left, texts[1].rect.left + 1);
    EXPECT_EQ(texts[0].rect.top, texts[1].rect.top + 1);
}

TEST(FlatButton, HoverNeedsAnActiveWindowUnlessAlwaysTracking)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.resize(80, 24);
    ASSERT_FALSE(button.isActiveWindow());
    button.SetAlwaysTrack(false);
    moveMouse(&button, QPoint(10, 10));
    EXPECT_FALSE(button.IsMouseOver());

    button.SetAlwaysTrack(true);
    moveMouse(&button, QPoint(10, 10));
    EXPECT_TRUE(button.IsMouseOver());
    // Leaving the button, or a point outside it, ends the hover.
    leave(&button);
    EXPECT_FALSE(button.IsMouseOver());
    moveMouse(&button, QPoint(10, 10));
    moveMouse(&button, QPoint(100, 10));
    EXPECT_FALSE(button.IsMouseOver());
    // Disabling ends it too.
    moveMouse(&button, QPoint(10, 10));
    button.setEnabled(false);
    EXPECT_FALSE(button.IsMouseOver());

    // A raised button does not track at all.
    CVes_FlatButton raised(QStringLiteral("B"));
    raised.resize(80, 24);
    raised.SetFlat(false);
    moveMouse(&raised, QPoint(10, 10));
    EXPECT_FALSE(raised.IsMouseOver());
}

TEST(FlatButton, HoverAndPressWithTheMouse)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.resize(80, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    QTest::mousePress(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button.currentItemState().selected);
    QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(button.currentItemState().selected);
    EXPECT_EQ(clicked.count(), 1);
    // A double click (press, release, double click, release) is two clicks.
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent dblClick(QEvent::MouseButtonDblClick, QPointF(10, 10),
                         QPointF(button.mapToGlobal(QPoint(10, 10))), Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &dblClick);
    EXPECT_TRUE(button.isDown());
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(10, 10),
                        QPointF(button.mapToGlobal(QPoint(10, 10))), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&button, &release);
    EXPECT_EQ(clicked.count(), 3);
}

TEST(FlatButton, CheckBoxModeTogglesWithoutMenuOrAddress)
{
    test::HostScope host;
    ScriptedMenuButton button(QStringLiteral("A"));
    button.SubclassStyle(CVes_FlatButton::BS_AUTOCHECKBOX);
    ASSERT_TRUE(button.IsCheckBox());
    auto* menu = new QMenu;
    button.answer = menu->addAction(QStringLiteral("x"));
    button.SetMenu(menu);
    button.SetURL(QStringLiteral("http://example.invalid/"));
    int seenInHandler = -1;
    QObject::connect(&button, &QAbstractButton::clicked,
                     [&] { seenInHandler = button.GetCheck(); });

    button.click();
    EXPECT_EQ(button.GetCheck(), 1);
    EXPECT_EQ(seenInHandler, 1); // the parent sees the new state
    button.click();
    EXPECT_EQ(button.GetCheck(), 0);
    EXPECT_EQ(button.opened, 0);
    EXPECT_TRUE(host->opened().isEmpty());
}

TEST(FlatButton, SetCheckTakesOneAndTwoAsChecked)
{
    CVes_FlatButton button;
    for (auto [value, expected] : {std::pair{1, 1}, {2, 1}, {3, 0}, {0, 0}, {-1, 0}}) {
        button.SetCheck(value);
        EXPECT_EQ(button.GetCheck(), expected) << value;
    }
}

TEST(FlatButton, MenuShowsPressedAndSendsTheChosenCommand)
{
    ScriptedMenuButton button(QStringLiteral("A"));
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("一"))->setData(101);
    QAction* second = menu->addAction(QStringLiteral("二"));
    second->setData(102);
    button.SetMenu(menu);
    QMenu* seenByCallback = nullptr;
    button.SetMenuCallback([&](QMenu* m) { seenByCallback = m; });
    QSignalSpy commands(&button, &CVes_FlatButton::menuCommand);

    button.answer = second;
    button.click();
    EXPECT_EQ(seenByCallback, menu);
    EXPECT_TRUE(button.pushedWhileOpen);
    EXPECT_FALSE(button.IsMenuPushed());
    EXPECT_FALSE(button.isDown());
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 102);

    // Closing the menu without a choice sends nothing.
    button.answer = nullptr;
    button.click();
    EXPECT_EQ(commands.count(), 1);
}

TEST(FlatButton, RealMenuReturnsTheCommandChosenWithTheKeyboard)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.resize(80, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    auto* menu = new QMenu;
    menu->addAction(QStringLiteral("一"))->setData(101);
    menu->addAction(QStringLiteral("二"))->setData(102);
    button.SetMenu(menu);
    QSignalSpy commands(&button, &CVes_FlatButton::menuCommand);
    QTimer::singleShot(0, menu, [menu] {
        menu->setActiveAction(menu->actions().at(1));
        QTest::keyClick(menu, Qt::Key_Return);
        test::closeLeftOpen(menu, "Return left the menu open");
    });
    button.click();
    ASSERT_EQ(commands.count(), 1);
    EXPECT_EQ(commands.at(0).at(0).toInt(), 102);
}

TEST(FlatButton, WebAddressOpensWithTheDesktopAndIsCut)
{
    test::HostScope host;
    CVes_FlatButton button(QStringLiteral("A"));
    button.SetURL(QStringLiteral("https://example.invalid/帮助"));
    button.click();
    EXPECT_EQ(host->opened(), QStringList{QStringLiteral("https://example.invalid/帮助")});

    button.SetURL(QString(300, QLatin1Char('a')));
    EXPECT_EQ(button.GetURL().size(), 260);
    button.SetURL(QString(200, QChar(0x94A2))); // 钢, two bytes each
    EXPECT_EQ(button.GetURL().size(), 130);
}

TEST(FlatButton, SettersRefuseBadValues)
{
    CVes_FlatButton button;
    EXPECT_EQ(button.SetColor(6, RGB(1, 2, 3)), CVes_FlatButton::BTNST_INVALIDINDEX);
    EXPECT_EQ(button.SetColor(-1, RGB(1, 2, 3)), CVes_FlatButton::BTNST_INVALIDINDEX);
    EXPECT_EQ(button.SetPressedStyle(2), CVes_FlatButton::BTNST_INVALIDPRESSEDSTYLE);
    EXPECT_EQ(button.SetAlign(3), CVes_FlatButton::BTNST_INVALIDALIGN);
    COLORREF colour = 0;
    EXPECT_EQ(button.GetColor(CVes_FlatButton::BTNST_COLOR_BK_OUT, &colour),
              CVes_FlatButton::BTNST_OK);
    EXPECT_EQ(colour, GetSysColor(COLOR_BTNFACE));
}

TEST(FlatButton, DefaultButtonFromTheStyle)
{
    CVes_FlatButton button;
    button.SubclassStyle(CVes_FlatButton::BS_DEFPUSHBUTTON);
    EXPECT_TRUE(button.isDefault());
    EXPECT_EQ(button.GetButtonType(), CVes_FlatButton::BS_PUSHBUTTON);
    EXPECT_FALSE(button.IsCheckBox());
    EXPECT_TRUE(button.GetDlgCode() & CVes_FlatButton::DLGC_DEFPUSHBUTTON);
    button.SetButtonStyle(CVes_FlatButton::BS_PUSHBUTTON);
    EXPECT_FALSE(button.isDefault());
    EXPECT_TRUE(button.GetDlgCode() & CVes_FlatButton::DLGC_UNDEFPUSHBUTTON);
}

namespace {

QImage solid(QRgb colour, int size = 16)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

unsigned drawnFlags(const platform::RecordingDc& dc)
{
    const auto states = dc.records(DcOp::DrawState);
    return states.empty() ? 0 : unsigned(states[0].value);
}

} // namespace

TEST(FlatButton, OutIconWhenIdleInIconWhenHoveredOrChecked)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.resize(80, 24);
    button.SetIcon(solid(qRgb(255, 0, 0)), solid(qRgb(0, 0, 255), 12));
    // The picture's size tells which icon was drawn.
    auto drawnSize = [&](CVes_FlatButton::ItemState state = {}) {
        const auto dc = draw(&button, state);
        const auto states = dc->records(DcOp::DrawState);
        return states.empty() ? QSize() : states[0].rect.Size();
    };
    EXPECT_EQ(drawnSize(), QSize(12, 12));
    EXPECT_EQ(drawnSize({true, false, false}), QSize(16, 16));
    moveMouse(&button, QPoint(5, 5));
    EXPECT_EQ(drawnSize(), QSize(16, 16));
    leave(&button);
    button.SubclassStyle(CVes_FlatButton::BS_CHECKBOX);
    button.SetCheck(1);
    EXPECT_EQ(drawnSize(), QSize(16, 16));
    button.SetCheck(0);
    EXPECT_EQ(drawnSize(), QSize(12, 12));

    // Disabled icons are greyed by the drawing.
    const auto dc = draw(&button, {false, false, true});
    EXPECT_EQ(drawnFlags(*dc), DSS_DISABLED);
}

TEST(FlatButton, IconPlacementByAlignmentAndPressedStyle)
{
    CVes_FlatButton button(QStringLiteral("A"));
    button.SetIcon(solid(qRgb(255, 0, 0)));
    auto at = [&](CVes_FlatButton::ItemState state = {}) {
        return draw(&button, state)->records(DcOp::DrawState).at(0).points.at(0);
    };
    // 80 × 24 button, 16 × 16 icon, margins 3.
    EXPECT_EQ(at(), QPoint(3, 4));
    EXPECT_EQ(at({true, false, false}), QPoint(4, 5));
    button.SetPressedStyle(CVes_FlatButton::BTNST_PRESSED_TOPBOTTOM);
    EXPECT_EQ(at({true, false, false}), QPoint(3, 6));
    button.SetAlign(CVes_FlatButton::ST_ALIGN_VERT);
    EXPECT_EQ(at(), QPoint(32, 3));
    button.SetAlign(CVes_FlatButton::ST_ALIGN_HORIZ_RIGHT);
    EXPECT_EQ(at(), QPoint(61, 4));
    button.setText(QString());
    EXPECT_EQ(at(), QPoint(32, 4)); // alone, the icon is centred
}

TEST(FlatButton, AutomaticOutIconsAndBitmapMasks)
{
    CVes_FlatButton button;
    button.SetColor(CVes_FlatButton::BTNST_COLOR_BK_OUT, RGB(0, 255, 0));
    auto idlePixel = [&](QPoint p) {
        QImage target(20, 20, QImage::Format_RGB32);
        {
            platform::PainterDc dc(&target);
            button.DrawItem(&dc, Rect(0, 0, 20, 20), {});
        }
        return target.pixel(p);
    };
    // A 2 × 2 icon is centred at (9, 9) on a 20 × 20 button without text.
    button.SetIcon(solid(qRgb(100, 150, 200), 2), CVes_FlatButton::BTNST_AUTO_GRAY);
    EXPECT_EQ(idlePixel(QPoint(9, 9)), qRgb(140, 140, 140)); // 0.299·100 + 0.587·150 + 0.114·200
    button.SetIcon(solid(qRgb(100, 150, 200), 2), CVes_FlatButton::BTNST_AUTO_DARKER);
    EXPECT_EQ(idlePixel(QPoint(9, 9)), qRgb(75, 112, 150));

    // A bitmap leaves the background where it has its transparent colour.
    QImage bitmap = solid(qRgb(255, 0, 255), 2);
    bitmap.setPixel(1, 1, qRgb(0, 0, 255));
    button.SetIcon(QImage());
    button.SetBitmaps(bitmap, RGB(255, 0, 255));
    EXPECT_EQ(idlePixel(QPoint(9, 9)), qRgb(0, 255, 0));
    EXPECT_EQ(idlePixel(QPoint(10, 10)), qRgb(0, 0, 255));
}

TEST(FlatButton, EnterInADialogPressesTheDefaultButton)
{
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* ok = new CVes_FlatButton(QStringLiteral("确定"), &dialog);
    auto* cancel = new CVes_FlatButton(QStringLiteral("取消"), &dialog);
    cancel->move(0, 40);
    ok->move(0, 80);
    ok->SubclassStyle(CVes_FlatButton::BS_DEFPUSHBUTTON);
    QSignalSpy okClicked(ok, &QAbstractButton::clicked);
    QSignalSpy cancelClicked(cancel, &QAbstractButton::clicked);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(okClicked.count(), 1);
    EXPECT_EQ(cancelClicked.count(), 0);
}

namespace {

// A button that records which sounds it is asked to play, then plays them.
class ListeningButton : public CVes_FlatButton {
public:
    using CVes_FlatButton::CVes_FlatButton;
    QList<bool> played; // true: the click sound

protected:
    void PlaySound(bool click) override
    {
        played << click;
        CVes_FlatButton::PlaySound(click);
    }
};

// A short silent sound file.
QString writeWave(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    const quint32 samples = 800;
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(8000) << quint32(16000)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples * 2);
    for (quint32 i = 0; i < samples; ++i)
        out << qint16(0);
    return path;
}

struct SoundCase {
    const char* name;
    bool hover;
    bool click;
    QList<bool> played;
};

std::ostream& operator<<(std::ostream& os, const SoundCase& c) { return os << c.name; }

} // namespace

class FlatButtonSounds : public ::testing::TestWithParam<SoundCase> {};

TEST_P(FlatButtonSounds, PlayOnlyWhenSetAndStaySilentWithoutAnAudioOutput)
{
    const SoundCase& c = GetParam();
    QTemporaryDir dir;
    const QString wave = writeWave(dir.filePath("beep.wav"));
    ASSERT_FALSE(wave.isEmpty());
    ListeningButton button(QStringLiteral("A"));
    button.SetSound(c.hover ? wave : QString());
    button.SetSound(c.click ? wave : QString(), true);
    button.resize(80, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    moveMouse(&button, QPoint(10, 10));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(button.played, c.played);
    // Without an audio output no sound is even loaded.
    const bool audio = !QMediaDevices::audioOutputs().isEmpty();
    EXPECT_EQ(button.findChildren<QSoundEffect*>().size(), audio ? c.played.size() : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, FlatButtonSounds,
    ::testing::Values(SoundCase{"None", false, false, {}},
                      SoundCase{"HoverOnly", true, false, {false}},
                      SoundCase{"ClickOnly", false, true, {true}},
                      SoundCase{"Both", true, true, {false, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FlatButton, AClearedSoundIsSilent)
{
    ListeningButton button(QStringLiteral("A"));
    button.SetSound(QStringLiteral("/no/such/sound.wav"), true);
    button.SetSound(QString(), true);
    button.resize(80, 24);
    button.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&button));
    QTest::mouseClick(&button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button.played.isEmpty());
    EXPECT_TRUE(button.findChildren<QSoundEffect*>().isEmpty());
}
