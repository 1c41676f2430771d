#pragma once
// The owner-drawn push button of the shape library's dialogs: flat,
// toolbar-like buttons with an icon or a bitmap, colours per state, hover
// tracking, an optional check-box behaviour, a drop-down menu, a web
// address, a tooltip, a cursor and sounds. It draws itself through the
// drawing context, so that derived buttons change only the background or
// the border.

#include "platform/dc.h"
#include "platform/gdi.h"
#include "platform/rect.h"

#include <QCursor>
#include <QMenu>
#include <QImage>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <optional>

class QAction;
class QSoundEffect;

class CVes_FlatButton : public QPushButton {
    Q_OBJECT
public:
    // Results of the setters.
    enum Result {
        BTNST_OK = 0,
        BTNST_INVALIDRESOURCE = 1,
        BTNST_FAILEDMASK = 2,
        BTNST_INVALIDINDEX = 3,
        BTNST_INVALIDALIGN = 4,
        BTNST_BADPARAM = 5,
        BTNST_INVALIDPRESSEDSTYLE = 6,
    };
    // Colour indexes.
    enum ColorIndex {
        BTNST_COLOR_BK_IN = 0,
        BTNST_COLOR_FG_IN = 1,
        BTNST_COLOR_BK_OUT = 2,
        BTNST_COLOR_FG_OUT = 3,
        BTNST_COLOR_BK_FOCUS = 4,
        BTNST_COLOR_FG_FOCUS = 5,
        BTNST_MAX_COLORS = 6,
    };
    // Image alignments.
    enum Align { ST_ALIGN_HORIZ = 0, ST_ALIGN_VERT = 1, ST_ALIGN_HORIZ_RIGHT = 2 };
    // Pressed styles.
    enum PressedStyle { BTNST_PRESSED_LEFTRIGHT = 0, BTNST_PRESSED_TOPBOTTOM = 1 };
    // How an "out" image is made from the "in" image.
    enum OutImage { BTNST_AUTO_NONE = 0, BTNST_AUTO_GRAY = 1, BTNST_AUTO_DARKER = 2 };

    // Button styles (the low bits of a button window's style) and the codes
    // a dialog asks of its controls.
    static constexpr unsigned BS_PUSHBUTTON = 0x0;
    static constexpr unsigned BS_DEFPUSHBUTTON = 0x1;
    static constexpr unsigned BS_CHECKBOX = 0x2;
    static constexpr unsigned BS_AUTOCHECKBOX = 0x3;
    static constexpr unsigned BS_RADIOBUTTON = 0x4;
    static constexpr unsigned BS_AUTORADIOBUTTON = 0x9;
    static constexpr unsigned BS_OWNERDRAW = 0xB;
    static constexpr unsigned BS_TYPEMASK = 0x1F;
    static constexpr unsigned DLGC_BUTTON = 0x2000;
    static constexpr unsigned DLGC_DEFPUSHBUTTON = 0x0010;
    static constexpr unsigned DLGC_UNDEFPUSHBUTTON = 0x0020;

    // Called with the menu just before it opens.
    using MenuCallback = std::function<void(QMenu*)>;

    explicit CVes_FlatButton(QWidget* parent = nullptr);
    explicit CVes_FlatButton(const QString& text, QWidget* parent = nullptr);
    ~CVes_FlatButton() override;

    // Takes the button type from a dialog's style word: a check-box style
    // turns on check-box mode, BS_DEFPUSHBUTTON makes the default button.
    void SubclassStyle(unsigned style);
    // BM_SETSTYLE: push or default push button.
    void SetButtonStyle(unsigned style, bool repaint = true);
    unsigned GetButtonType() const { return m_nTypeStyle; }
    unsigned GetDlgCode() const;

    // Icons: "in" for hover and pressed, "out" otherwise (none: "in").
    int SetIcon(const QImage& iconIn, const QImage& iconOut = {}, bool repaint = true);
    int SetIcon(const QImage& iconIn, OutImage makeOut, bool repaint = true);
    // Bitmaps drawn through a mask of their transparent colour.
    int SetBitmaps(const QImage& bitmapIn, platform::COLORREF transparentIn,
                   const QImage& bitmapOut = {}, platform::COLORREF transparentOut = 0,
                   bool repaint = true);

    int SetFlat(bool flat = true, bool repaint = true);
    bool GetFlat() const { return m_bIsFlat; }
    int SetAlign(int align, bool repaint = true);
    int GetAlign() const { return m_byAlign; }
    int SetPressedStyle(int style, bool repaint = true);
    int SetCheck(int check, bool repaint = true);
    int GetCheck() const { return m_nCheck; }
    bool IsCheckBox() const { return m_bIsCheckBox; }
    int SetAlwaysTrack(bool alwaysTrack = true);
    int DrawBorder(bool enable = true, bool repaint = true);
    int DrawFlatFocus(bool drawFlatFocus, bool repaint = true);
    int SetContentMargins(int x, int y, bool repaint = true);

    int SetColor(int index, platform::COLORREF color, bool repaint = true);
    int GetColor(int index, platform::COLORREF* color) const;
    int SetDefaultColors(bool repaint = true);

    // Copies up to 260 bytes of the address.
    int SetURL(const QString& url);
    QString GetURL() const { return m_szURL; }
    void SetTooltipText(const QString& text, bool activate = true);
    void ActivateTooltip(bool activate = true);
    // Takes the menu (deleted with the button); the command chosen from it
    // is sent by menuCommand().
    int SetMenu(QMenu* menu, bool repaint = true);
    QMenu* GetMenu() const { return m_hMenu; }
    int SetMenuCallback(MenuCallback callback);
    int SetBtnCursor(const std::optional<QCursor>& cursor, bool repaint = false);
    // The sound played when the pointer comes over the button, or with
    // `playOnClick` when it is clicked: a sound file's path, or a resource
    // (":/…"); an empty name sets none.
    int SetSound(const QString& sound, bool playOnClick = false);

    bool IsMouseOver() const { return m_bMouseOnButton; }
    bool IsMenuPushed() const { return m_bMenuPushed; }

    // The item state of one drawing.
    struct ItemState {
        bool selected = false; // the button is held down
        bool focus = false;
        bool disabled = false;
    };
    // Draws the whole button into `dc` over `rect`.
    void DrawItem(platform::Dc* dc, const platform::Rect& rect, const ItemState& state);
    ItemState currentItemState() const;

Q_SIGNALS:
    // A command chosen from the button's menu (the action's data as an int;
    // actions without data give 0).
    void menuCommand(int commandId);

protected:
    virtual void OnDrawBackground(platform::Dc* dc, platform::Rect* rect);
    virtual void OnDrawBorder(platform::Dc* dc, platform::Rect* rect);
    // Shows the menu at a global point and answers the chosen action.
    virtual QAction* TrackMenu(QMenu* menu, const QPoint& globalPos);
    // Plays the click or the hover sound; silent when that sound is not set
    // or the machine has no audio output.
    virtual void PlaySound(bool click);

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

    // Drawing state, kept by DrawItem for the overridable parts.
    bool m_bIsFlat = true;
    bool m_bMouseOnButton = false;
    bool m_bAlwaysTrack = true;
    bool m_bIsPressed = false;
    bool m_bIsFocused = false;
    bool m_bIsDisabled = false;
    bool m_bIsDefault = false;
    bool m_bIsCheckBox = false;
    int m_nCheck = 0;
    int m_byAlign = ST_ALIGN_HORIZ;
    bool m_bDrawBorder = true;
    bool m_bDrawFlatFocus = false;
    QPoint m_ptImageOrg{3, 3};
    QPoint m_ptPressedOffset{1, 1};
    platform::COLORREF m_crColors[BTNST_MAX_COLORS] = {};

private Q_SLOTS:
    void OnClicked();

private:
    struct Picture {
        QImage image; // transparent pixels already cleared
        QSize size;
    };
    void init();
    void trackMouse(const QPoint& localPos);
    void CancelHover();
    void DrawTheIcon(platform::Dc* dc, bool hasTitle, const platform::Rect& item,
                     platform::Rect* title, bool pressed, bool disabled);
    void DrawTheText(platform::Dc* dc, const QString& text, platform::Rect* textRect,
                     const platform::Rect& item, bool pressed, bool disabled);
    void PrepareImageRect(bool hasTitle, const platform::Rect& item, platform::Rect* text,
                          bool pressed, QSize image, platform::Rect* imageRect) const;
    platform::Font buttonFont() const;

    Picture m_icons[2];
    Picture m_bitmaps[2];
    unsigned m_nTypeStyle = BS_TYPEMASK;
    std::optional<QCursor> m_hCursor;
    QPointer<QMenu> m_hMenu;
    bool m_bMenuPushed = false;
    MenuCallback m_menuCallback;
    QString m_szURL;
    QString m_tooltipText;
    QString m_soundHover;
    QString m_soundClick;
    // Made on first use, one per sound (children of the button).
    QSoundEffect* m_effectHover = nullptr;
    QSoundEffect* m_effectClick = nullptr;
};
