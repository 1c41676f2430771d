#pragma once
// A text control that draws its text itself and can scroll it through its
// area in any of four directions: when the text has left the area at one
// edge it comes back in at the opposite one. Texts with line breaks are
// drawn line under line. After the mouse has been over it, it writes in
// black with its own copy of its font.

#include "platform/gdi.h"

#include <QBasicTimer>
#include <QPoint>
#include <QSize>
#include <QWidget>

class CMarqueeStatic : public QWidget {
    Q_OBJECT
public:
    enum Direction { kLeft = 0, kRight = 1, kUp = 2, kDown = 3 };

    explicit CMarqueeStatic(QWidget* parent = nullptr);

    // A different text is taken and measured again; the same text changes
    // nothing (the scroll goes on where it is).
    void SetText(const QString& text);
    QString GetText() const { return m_text; }
    void SetTextColor(platform::gdi::COLORREF colour);
    void SetBkColor(platform::gdi::COLORREF colour);
    platform::gdi::COLORREF GetTextColor() const { return m_textColor; }
    // Scrolls by `step` pixels every `interval` milliseconds.
    void StartScroll(int step, int interval);
    void SetDirection(int direction);
    void SetStartX(int x);
    void CenterVertically();

    // Where the text goes next: `pos` moved by `step` in `direction`, or,
    // once a text of `text` size has left `client` at one edge, to just
    // outside the opposite edge.
    static QPoint nextPosition(int direction, QPoint pos, int step, const QRect& client, QSize text);

    QPoint position() const { return m_current; }
    QSize textSize() const { return m_textSize; }
    bool isScrolling() const { return m_scrolling; }
    bool isMeasured() const { return m_measured; }
    // One step of the scroll timer.
    void scrollOnce();

protected:
    void paintEvent(QPaintEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QFont drawingFont() const;
    // Measures the text (the widest line, the lines' total height) once.
    void measure();

    QString m_text;
    platform::gdi::COLORREF m_textColor;
    platform::gdi::COLORREF m_bkColor;
    QFont m_ownFont;
    bool m_useWindowFont = true;
    bool m_centerH = false;
    bool m_centerV = false;
    bool m_measured = false;
    bool m_positionInitialised = false;
    bool m_scrolling = false;
    int m_direction = kUp;
    QPoint m_current{3, 3};
    QPoint m_start{3, 3};
    int m_step = 10;
    QSize m_textSize;
    QBasicTimer m_timer;
};
