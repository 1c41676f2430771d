#pragma once
// The banner at the top of a settings dialog: a picture filling the control
// with a caption written on it, left-aligned and centred in height.

#include "platform/gdi.h"

#include <QImage>
#include <QWidget>

namespace platform {
class Dc;
}

class CVes_TextOnPictrue : public QWidget {
    Q_OBJECT
public:
    explicit CVes_TextOnPictrue(QWidget* parent = nullptr);

    void setText(const QString& text);
    QString text() const { return m_text; }
    // Font height in tenths of a point (200 draws 20-point letters).
    void setFontHeight(int tenthsOfPoint);
    int fontHeight() const { return m_fontHeight; }
    void setTextColor(platform::gdi::COLORREF color);
    platform::gdi::COLORREF textColor() const { return m_textColor; }
    void setFontName(const QString& face);
    QString fontName() const { return m_fontName; }
    // The picture under the text, stretched to the control; without one a
    // plain dark ground.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return m_picture; }

    // Draws the banner into `rect` of `dc` (device units).
    void draw(platform::Dc& dc, const QRect& rect) const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    int m_fontHeight = 200;
    platform::gdi::COLORREF m_textColor = platform::gdi::RGB(227, 227, 227);
    QString m_fontName = QStringLiteral("黑体");
    QImage m_picture;
};
