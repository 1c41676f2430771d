#include "shapeui/flatbutton.h"

#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/painterdc.h"

#include <QAction>
#include <QAudioDevice>
#include <QEnterEvent>
#include <QFocusEvent>
#include <QMediaDevices>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSoundEffect>
#include <QUrl>

#include <cmath>

using namespace platform::gdi;
using platform::Rect;

namespace {

constexpr int MaxUrlBytes = 260;

// A copy of `image` with every pixel of the transparent colour cleared, so
// that drawing it leaves the background there.
QImage maskedCopy(const QImage& image, COLORREF transparent)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = qRgb(GetRValue(transparent), GetGValue(transparent), GetBValue(transparent));
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & 0x00FFFFFF) == (key & 0x00FFFFFF))
                line[x] = 0;
    }
    return out;
}

QImage greyCopy(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            const int g = int(0.299 * qRed(p) + 0.587 * qGreen(p) + 0.114 * qBlue(p));
            line[x] = qRgba(g, g, g, qAlpha(p));
        }
    }
    return out;
}

QImage darkerCopy(const QImage& image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb p = line[x];
            line[x] = qRgba(qRed(p) * 3 / 4, qGreen(p) * 3 / 4, qBlue(p) * 3 / 4, qAlpha(p));
        }
    }
    return out;
}

} // namespace

CVes_FlatButton::CVes_FlatButton(QWidget* parent) : QPushButton(parent)
{
    init();
}

CVes_FlatButton::CVes_FlatButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    init();
}

CVes_FlatButton::~CVes_FlatButton()
{
    delete m_hMenu.data();
}

void CVes_FlatButton::init()
{
    setMouseTracking(true);
    setAttribute(Qt::WA_Hover, false);
    SetDefaultColors(false);
    // Runs before any handler that others connect later, so that they see
    // the new check state.
    connect(this, &QAbstractButton::clicked, this, &CVes_FlatButton::OnClicked);
}

void CVes_FlatButton::SubclassStyle(unsigned style)
{
    m_nTypeStyle = style & BS_TYPEMASK;
    if (m_nTypeStyle & BS_CHECKBOX)
        m_bIsCheckBox = true;
    if (m_nTypeStyle == BS_DEFPUSHBUTTON) {
        m_bIsDefault = true;
        m_nTypeStyle = BS_PUSHBUTTON;
    }
    setDefault(m_bIsDefault);
    update();
}

void CVes_FlatButton::SetButtonStyle(unsigned style, bool repaint)
{
    const unsigned type = style & BS_TYPEMASK;
    if (type == BS_DEFPUSHBUTTON)
        m_bIsDefault = true;
    else if (type == BS_PUSHBUTTON)
        m_bIsDefault = false;
    setDefault(m_bIsDefault);
    if (repaint)
        update();
}

unsigned CVes_FlatButton::GetDlgCode() const
{
    return DLGC_BUTTON | (isDefault() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

int CVes_FlatButton::SetIcon(const QImage& iconIn, const QImage& iconOut, bool repaint)
{
    for (Picture& icon : m_icons)
        icon = Picture();
    if (!iconIn.isNull()) {
        m_icons[0] = {iconIn.convertToFormat(QImage::Format_ARGB32), iconIn.size()};
        if (!iconOut.isNull())
            m_icons[1] = {iconOut.convertToFormat(QImage::Format_ARGB32), iconOut.size()};
    }
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetIcon(const QImage& iconIn, OutImage makeOut, bool repaint)
{
    if (iconIn.isNull() || makeOut == BTNST_AUTO_NONE)
        return SetIcon(iconIn, QImage(), repaint);
    return SetIcon(iconIn, makeOut == BTNST_AUTO_GRAY ? greyCopy(iconIn) : darkerCopy(iconIn),
                   repaint);
}

int CVes_FlatButton::SetBitmaps(const QImage& bitmapIn, COLORREF transparentIn,
                                const QImage& bitmapOut, COLORREF transparentOut, bool repaint)
{
    for (Picture& bitmap : m_bitmaps)
        bitmap = Picture();
    if (!bitmapIn.isNull()) {
        m_bitmaps[0] = {maskedCopy(bitmapIn, transparentIn), bitmapIn.size()};
        if (!bitmapOut.isNull())
            m_bitmaps[1] = {maskedCopy(bitmapOut, transparentOut), bitmapOut.size()};
    }
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetFlat(bool flat, bool repaint)
{
    m_bIsFlat = flat;
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetAlign(int align, bool repaint)
{
    if (align != ST_ALIGN_HORIZ && align != ST_ALIGN_VERT && align != ST_ALIGN_HORIZ_RIGHT)
        return BTNST_INVALIDALIGN;
    m_byAlign = align;
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetPressedStyle(int style, bool repaint)
{
    switch (style) {
    case BTNST_PRESSED_LEFTRIGHT: m_ptPressedOffset = QPoint(1, 1); break;
    case BTNST_PRESSED_TOPBOTTOM: m_ptPressedOffset = QPoint(0, 2); break;
    default: return BTNST_INVALIDPRESSEDSTYLE;
    }
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetCheck(int check, bool repaint)
{
    m_nCheck = (check == 1 || check == 2) ? 1 : 0;
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetAlwaysTrack(bool alwaysTrack)
{
    m_bAlwaysTrack = alwaysTrack;
    return BTNST_OK;
}

int CVes_FlatButton::DrawBorder(bool enable, bool repaint)
{
    m_bDrawBorder = enable;
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::DrawFlatFocus(bool drawFlatFocus, bool repaint)
{
    m_bDrawFlatFocus = drawFlatFocus;
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetContentMargins(int x, int y, bool repaint)
{
    m_ptImageOrg = QPoint(x, y);
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetColor(int index, COLORREF color, bool repaint)
{
    if (index < 0 || index >= BTNST_MAX_COLORS)
        return BTNST_INVALIDINDEX;
    m_crColors[index] = color;
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::GetColor(int index, COLORREF* color) const
{
    if (index < 0 || index >= BTNST_MAX_COLORS || !color)
        return BTNST_INVALIDINDEX;
    *color = m_crColors[index];
    return BTNST_OK;
}

int CVes_FlatButton::SetDefaultColors(bool repaint)
{
    m_crColors[BTNST_COLOR_BK_IN] = GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_IN] = GetSysColor(COLOR_BTNTEXT);
    m_crColors[BTNST_COLOR_BK_OUT] = GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_OUT] = GetSysColor(COLOR_BTNTEXT);
    m_crColors[BTNST_COLOR_BK_FOCUS] = GetSysColor(COLOR_BTNFACE);
    m_crColors[BTNST_COLOR_FG_FOCUS] = GetSysColor(COLOR_BTNTEXT);
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetURL(const QString& url)
{
    QString kept = url;
    while (platform::gbk::byteLength(kept) > MaxUrlBytes)
        kept.chop(1);
    m_szURL = kept;
    return BTNST_OK;
}

void CVes_FlatButton::SetTooltipText(const QString& text, bool activate)
{
    m_tooltipText = text;
    ActivateTooltip(activate);
}

void CVes_FlatButton::ActivateTooltip(bool activate)
{
    setToolTip(activate ? m_tooltipText : QString());
}

int CVes_FlatButton::SetMenu(QMenu* menu, bool repaint)
{
    if (m_hMenu && m_hMenu != menu)
        delete m_hMenu.data();
    m_hMenu = menu;
    if (menu && menu->parent() != this)
        menu->setParent(this, menu->windowFlags());
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetMenuCallback(MenuCallback callback)
{
    m_menuCallback = std::move(callback);
    return BTNST_OK;
}

int CVes_FlatButton::SetBtnCursor(const std::optional<QCursor>& cursor, bool repaint)
{
    m_hCursor = cursor;
    if (cursor)
        setCursor(*cursor);
    else
        unsetCursor();
    if (repaint)
        update();
    return BTNST_OK;
}

int CVes_FlatButton::SetSound(const QString& sound, bool playOnClick)
{
    (playOnClick ? m_soundClick : m_soundHover) = sound;
    QSoundEffect*& effect = playOnClick ? m_effectClick : m_effectHover;
    delete effect;
    effect = nullptr;
    return BTNST_OK;
}

void CVes_FlatButton::PlaySound(bool click)
{
    const QString& sound = click ? m_soundClick : m_soundHover;
    if (sound.isEmpty() || QMediaDevices::audioOutputs().isEmpty())
        return;
    QSoundEffect*& effect = click ? m_effectClick : m_effectHover;
    if (!effect) {
        effect = new QSoundEffect(this);
        effect->setSource(sound.startsWith(QLatin1Char(':')) ? QUrl(QLatin1String("qrc") + sound)
                                                             : QUrl::fromLocalFile(sound));
    }
    // A sound that cannot be read stays silent.
    effect->play();
}

void CVes_FlatButton::trackMouse(const QPoint& localPos)
{
    if (!m_bIsFlat)
        return;
    if (!m_bAlwaysTrack && !isActiveWindow())
        return;
    if (rect().contains(localPos) && isEnabled()) {
        if (!m_bMouseOnButton) {
            m_bMouseOnButton = true;
            update();
            if (!m_soundHover.isEmpty())
                PlaySound(false);
        }
    } else {
        CancelHover();
    }
}

void CVes_FlatButton::CancelHover()
{
    if (m_bIsFlat && m_bMouseOnButton) {
        m_bMouseOnButton = false;
        update();
    }
}

void CVes_FlatButton::mouseMoveEvent(QMouseEvent* event)
{
    trackMouse(event->position().toPoint());
    QPushButton::mouseMoveEvent(event);
}

void CVes_FlatButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second click is a click of its own.
    if (event->button() == Qt::LeftButton) {
        QMouseEvent press(QEvent::MouseButtonPress, event->position(), event->scenePosition(),
                          event->globalPosition(), event->button(), event->buttons(),
                          event->modifiers());
        mousePressEvent(&press);
        return;
    }
    QPushButton::mouseDoubleClickEvent(event);
}

void CVes_FlatButton::enterEvent(QEnterEvent* event)
{
    trackMouse(event->position().toPoint());
    QPushButton::enterEvent(event);
}

void CVes_FlatButton::leaveEvent(QEvent* event)
{
    CancelHover();
    QPushButton::leaveEvent(event);
}

void CVes_FlatButton::focusOutEvent(QFocusEvent* event)
{
    CancelHover();
    QPushButton::focusOutEvent(event);
}

void CVes_FlatButton::changeEvent(QEvent* event)
{
    if ((event->type() == QEvent::ActivationChange && !isActiveWindow())
        || (event->type() == QEvent::EnabledChange && !isEnabled()))
        CancelHover();
    QPushButton::changeEvent(event);
}

QAction* CVes_FlatButton::TrackMenu(QMenu* menu, const QPoint& globalPos)
{
    return menu->exec(globalPos);
}

void CVes_FlatButton::OnClicked()
{
    setFocus(Qt::MouseFocusReason);
    if (!m_soundClick.isEmpty())
        PlaySound(true);
    if (m_bIsCheckBox) {
        m_nCheck = m_nCheck ? 0 : 1;
        update();
        return;
    }
    if (m_hMenu) {
        QPointer<CVes_FlatButton> alive(this);
        m_bMenuPushed = true;
        setDown(true);
        repaint();
        QMenu* menu = m_hMenu;
        if (m_menuCallback)
            m_menuCallback(menu);
        QAction* chosen = TrackMenu(menu, mapToGlobal(QPoint(0, height())));
        if (!alive)
            return;
        m_bMenuPushed = false;
        setDown(false);
        update();
        if (chosen)
            Q_EMIT menuCommand(chosen->data().toInt());
        return;
    }
    if (!m_szURL.isEmpty())
        platform::host().openWithDesktop(m_szURL);
}

CVes_FlatButton::ItemState CVes_FlatButton::currentItemState() const
{
    ItemState state;
    state.selected = isDown();
    state.focus = hasFocus();
    state.disabled = !isEnabled();
    return state;
}

void CVes_FlatButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    platform::PainterDc dc(&painter);
    DrawItem(&dc, Rect(0, 0, width(), height()), currentItemState());
}

platform::Font CVes_FlatButton::buttonFont() const
{
    const QFont f = font();
    int pixels = f.pixelSize();
    if (pixels <= 0)
        pixels = int(std::lround(f.pointSizeF() * logicalDpiY() / 72.0));
    platform::LogFont lf;
    lf.lfHeight = -std::max(1, pixels);
    lf.lfWeight = f.bold() ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfFaceName = f.family();
    return platform::Font(lf);
}

void CVes_FlatButton::DrawItem(platform::Dc* dc, const Rect& rect, const ItemState& state)
{
    m_bIsPressed = state.selected || (m_bIsCheckBox && m_nCheck);
    m_bIsFocused = state.focus;
    m_bIsDisabled = state.disabled;
    m_bIsDefault = isDefault();

    dc->SetBkMode(TRANSPARENT);
    const platform::Font oldFont = dc->SelectObject(buttonFont());

    Rect item = rect;
    OnDrawBackground(dc, &item);
    if (m_bDrawBorder)
        OnDrawBorder(dc, &item);

    const QString title = text();
    Rect caption = rect;
    if (!m_icons[0].image.isNull() || !m_bitmaps[0].image.isNull())
        DrawTheIcon(dc, !title.isEmpty(), rect, &caption, m_bIsPressed, m_bIsDisabled);
    if (!title.isEmpty())
        DrawTheText(dc, title, &caption, rect, m_bIsPressed, m_bIsDisabled);

    if (m_bIsFocused && (!m_bIsFlat || m_bDrawFlatFocus)) {
        Rect focus = rect;
        focus.left += 3;
        focus.top += 3;
        focus.right -= 3;
        focus.bottom -= 3;
        dc->DrawFocusRect(focus);
    }
    dc->SelectObject(oldFont);
}

void CVes_FlatButton::OnDrawBackground(platform::Dc* dc, Rect* rect)
{
    if (!m_bIsFlat && (m_bIsFocused || m_bIsDefault)) {
        dc->FrameRect(*rect, platform::Brush::stock(BLACK_BRUSH));
        rect->left += 1;
        rect->top += 1;
        rect->right -= 1;
        rect->bottom -= 1;
    }
    COLORREF color;
    if (m_bMouseOnButton || m_bIsPressed)
        color = m_crColors[BTNST_COLOR_BK_IN];
    else if (m_bIsFocused)
        color = m_crColors[BTNST_COLOR_BK_FOCUS];
    else
        color = m_crColors[BTNST_COLOR_BK_OUT];
    dc->FillSolidRect(*rect, color);
}

void CVes_FlatButton::OnDrawBorder(platform::Dc* dc, Rect* rect)
{
    if (m_bIsPressed) {
        if (m_bIsFlat)
            dc->Draw3dRect(*rect, GetSysColor(COLOR_BTNSHADOW), GetSysColor(COLOR_BTNHILIGHT));
        else
            dc->FrameRect(*rect, platform::Brush::sysColor(COLOR_BTNSHADOW));
        return;
    }
    if (!m_bIsFlat) {
        // The classic raised edge: light outside and inside on the top and
        // left, dark on the bottom and right.
        dc->Draw3dRect(*rect, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_3DDKSHADOW));
        Rect inner(rect->left + 1, rect->top + 1, rect->right - 1, rect->bottom - 1);
        dc->Draw3dRect(inner, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_BTNSHADOW));
    } else if (m_bMouseOnButton) {
        dc->Draw3dRect(*rect, GetSysColor(COLOR_BTNHILIGHT), GetSysColor(COLOR_BTNSHADOW));
    }
}

void CVes_FlatButton::PrepareImageRect(bool hasTitle, const Rect& item, Rect* title, bool pressed,
                                       QSize image, Rect* imageRect) const
{
    *imageRect = item;
    const int w = image.width();
    const int h = image.height();
    switch (m_byAlign) {
    case ST_ALIGN_VERT:
        imageRect->left += (item.Width() - w) / 2;
        if (hasTitle) {
            imageRect->top += m_ptImageOrg.y();
            title->top += h + m_ptImageOrg.y();
        } else {
            imageRect->top += (item.Height() - h) / 2;
        }
        break;
    case ST_ALIGN_HORIZ_RIGHT:
        if (hasTitle) {
            imageRect->left = item.right - w - m_ptImageOrg.x();
            title->right = imageRect->left;
            title->left += m_ptImageOrg.x();
        } else {
            imageRect->left += (item.Width() - w) / 2;
        }
        imageRect->top += (item.Height() - h) / 2;
        break;
    default:
        if (hasTitle) {
            imageRect->left += m_ptImageOrg.x();
            title->left += w + m_ptImageOrg.x();
        } else {
            imageRect->left += (item.Width() - w) / 2;
        }
        imageRect->top += (item.Height() - h) / 2;
        break;
    }
    imageRect->right = imageRect->left + w;
    imageRect->bottom = imageRect->top + h;
    if (pressed) {
        imageRect->left += m_ptPressedOffset.x();
        imageRect->right += m_ptPressedOffset.x();
        imageRect->top += m_ptPressedOffset.y();
        imageRect->bottom += m_ptPressedOffset.y();
    }
}

void CVes_FlatButton::DrawTheIcon(platform::Dc* dc, bool hasTitle, const Rect& item, Rect* title,
                                  bool pressed, bool disabled)
{
    const bool useIcons = !m_icons[0].image.isNull();
    const Picture* pictures = useIcons ? m_icons : m_bitmaps;
    bool useOut;
    if (m_bIsCheckBox)
        useOut = !m_nCheck;
    else
        useOut = !pressed && !m_bMouseOnButton;
    const Picture& picture = (useOut && !pictures[1].image.isNull()) ? pictures[1] : pictures[0];
    Rect imageRect;
    PrepareImageRect(hasTitle, item, title, pressed, picture.size, &imageRect);
    if (useIcons)
        dc->DrawState(imageRect.TopLeft(), picture.image, disabled ? DSS_DISABLED : DSS_NORMAL);
    else
        dc->DrawState(imageRect.TopLeft(), picture.image, DSS_NORMAL);
}

void CVes_FlatButton::DrawTheText(platform::Dc* dc, const QString& text, Rect* textRect,
                                  const Rect&, bool pressed, bool disabled)
{
    Rect centre = *textRect;
    dc->DrawText(text, &centre, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
    const int dx = (textRect->Width() - centre.Width()) / 2;
    const int dy = (textRect->Height() - centre.Height()) / 2;
    centre = Rect(textRect->left + dx, textRect->top + dy, textRect->left + dx + centre.Width(),
                  textRect->top + dy + centre.Height());
    dc->SetBkMode(TRANSPARENT);
    if (disabled) {
        Rect raised(centre.left + 1, centre.top + 1, centre.right + 1, centre.bottom + 1);
        dc->SetTextColor(GetSysColor(COLOR_BTNHILIGHT));
        dc->DrawText(text, &raised, DT_WORDBREAK | DT_CENTER);
        dc->SetTextColor(GetSysColor(COLOR_BTNSHADOW));
        dc->DrawText(text, &centre, DT_WORDBREAK | DT_CENTER);
        return;
    }
    COLORREF color;
    if (m_bMouseOnButton || pressed)
        color = m_crColors[BTNST_COLOR_FG_IN];
    else if (m_bIsFocused)
        color = m_crColors[BTNST_COLOR_FG_FOCUS];
    else
        color = m_crColors[BTNST_COLOR_FG_OUT];
    dc->SetTextColor(color);
    dc->DrawText(text, &centre, DT_WORDBREAK | DT_CENTER);
}
