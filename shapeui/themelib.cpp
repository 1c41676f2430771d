#include "shapeui/themelib.h"

#include "platform/painterdc.h"

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionToolButton>
#include <QWidget>

#include <atomic>

namespace {

std::atomic<bool> g_stylesAvailable{true};

// What an open theme handle stands for.
struct ThemeData {
    enum Kind { Button, ToolBar } kind = Button;
    QPointer<QWidget> window;
};

bool widgetApplication()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

} // namespace

CVes_ThemeLib::CVes_ThemeLib() : m_loaded(g_stylesAvailable.load() && widgetApplication()) {}

CVes_ThemeLib::~CVes_ThemeLib() = default;

void CVes_ThemeLib::setStylesAvailable(bool available)
{
    g_stylesAvailable = available;
}

bool CVes_ThemeLib::stylesAvailable()
{
    return g_stylesAvailable.load();
}

int CVes_ThemeLib::IsAppThemed()
{
    return m_loaded && g_stylesAvailable.load() && widgetApplication() ? 1 : 0;
}

int CVes_ThemeLib::IsThemeActive()
{
    return IsAppThemed();
}

CVes_ThemeLib::HTHEME CVes_ThemeLib::OpenThemeData(QWidget* window, const QString& classList)
{
    if (!IsAppThemed())
        return nullptr;
    ThemeData::Kind kind;
    if (classList.compare(QLatin1String("BUTTON"), Qt::CaseInsensitive) == 0)
        kind = ThemeData::Button;
    else if (classList.compare(QLatin1String("TOOLBAR"), Qt::CaseInsensitive) == 0)
        kind = ThemeData::ToolBar;
    else
        return nullptr;
    auto* data = new ThemeData;
    data->kind = kind;
    data->window = window;
    return data;
}

CVes_ThemeLib::HRESULT CVes_ThemeLib::CloseThemeData(HTHEME theme)
{
    if (!theme)
        return E_FAIL;
    delete static_cast<ThemeData*>(theme);
    return S_OK;
}

CVes_ThemeLib::HRESULT CVes_ThemeLib::DrawThemeParentBackground(QWidget* window,
                                                                platform::Dc* dc,
                                                                const platform::Rect* rect)
{
    // Child widgets are transparent over their parent: the parent's
    // background is already there.
    if (!IsAppThemed() || !window || !dc || !rect)
        return E_FAIL;
    return S_OK;
}

CVes_ThemeLib::HRESULT CVes_ThemeLib::DrawThemeBackground(HTHEME theme, platform::Dc* dc,
                                                          int partId, int stateId,
                                                          const platform::Rect* rect,
                                                          const platform::Rect* clip)
{
    if (!IsAppThemed() || !theme || !dc || !rect)
        return E_FAIL;
    const auto* data = static_cast<const ThemeData*>(theme);
    if (rect && data->window)
        DrawThemeParentBackground(data->window, dc, rect);
    auto* painterDc = dynamic_cast<platform::PainterDc*>(dc);
    if (!painterDc || !painterDc->painter() || partId != 1)
        return E_FAIL;
    platform::Rect device = *rect;
    dc->LPtoDP(&device);
    device.NormalizeRect();
    QPainter* painter = painterDc->painter();
    painter->save();
    if (clip) {
        platform::Rect c = *clip;
        dc->LPtoDP(&c);
        c.NormalizeRect();
        painter->setClipRect(c.toQRect(), Qt::IntersectClip);
    }
    QWidget* window = data->window;
    QStyle* style = window ? window->style() : QApplication::style();
    QStyle::State state = QStyle::State_None;
    if (stateId != PBS_DISABLED)
        state |= QStyle::State_Enabled;
    if (stateId == PBS_HOT)
        state |= QStyle::State_MouseOver;
    if (stateId == PBS_PRESSED)
        state |= QStyle::State_Sunken;
    else
        state |= QStyle::State_Raised;
    if (data->kind == ThemeData::Button) {
        QStyleOptionButton option;
        if (window)
            option.initFrom(window);
        option.rect = device.toQRect();
        option.state = state | (option.state & QStyle::State_HasFocus);
        if (stateId == PBS_DEFAULTED)
            option.features |= QStyleOptionButton::DefaultButton;
        option.text.clear();
        option.icon = QIcon();
        style->drawControl(QStyle::CE_PushButtonBevel, &option, painter, window);
    } else {
        QStyleOptionToolButton option;
        if (window)
            option.initFrom(window);
        option.rect = device.toQRect();
        option.state = state | QStyle::State_AutoRaise;
        // A toolbar button shows its panel only under the mouse or pressed.
        if (stateId == PBS_HOT || stateId == PBS_PRESSED)
            style->drawPrimitive(QStyle::PE_PanelButtonTool, &option, painter, window);
    }
    painter->restore();
    return S_OK;
}
