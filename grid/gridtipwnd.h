#pragma once
// The title tip: a borderless pop-up that shows the whole text of a cell
// whose text is cut off, laid exactly over the cell. It stays while the
// pointer stays within its hover rectangle; the grid hides it when the
// pointer leaves, on a key or a button press. The pointer passes through it
// to the grid underneath.

#include "grid/griditem.h"
#include "platform/rect.h"

#include <QString>
#include <QWidget>

class CGridTipWnd : public QWidget {
    Q_OBJECT

public:
    explicit CGridTipWnd(QWidget* parent = nullptr);
    ~CGridTipWnd() override;

    // Makes the window for `parent`; only the first call does anything.
    bool Create(QWidget* parent);
    // Shows `text` over `rectTitle` (the parent's client coordinates) when
    // it does not fit there; `hover` (default: the title rectangle) is where
    // the pointer may move without hiding the tip.
    void Show(platform::Rect rectTitle, const QString& text, int xOffset = 0,
              const platform::Rect* hover = nullptr, const LOGFONT* font = nullptr,
              COLORREF crText = CLR_DEFAULT, COLORREF crBack = CLR_DEFAULT);
    void Hide();

    // The hover rectangle in the parent's client coordinates.
    const platform::Rect& GetHoverRect() const { return m_rectHover; }
    const QString& GetShownText() const { return m_strText; }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The width of a text in a font as the parent shows it.
    virtual int TextWidth(const QString& text, const LOGFONT& font) const;

private:
    QWidget* m_pParentWnd = nullptr;
    platform::Rect m_rectDisplay;
    platform::Rect m_rectHover;
    bool m_bCreated = false;
    QString m_strText;
    LOGFONT m_font;
    COLORREF m_crText = CLR_DEFAULT;
    COLORREF m_crBack = CLR_DEFAULT;
};
