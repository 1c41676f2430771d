#pragma once
// A button that shows a picture instead of a text: the first picture while
// the mouse is over it or it is pressed, the second one otherwise. Pixels of
// a picture's transparent colour are not drawn.

#include "platform/gdi.h"

#include <QPixmap>
#include <QPushButton>

class CPictureButton : public QPushButton {
    Q_OBJECT
public:
    // Second pictures made from the first: grey, or darker.
    static constexpr int BTNST_AUTO_GRAY = -2;
    static constexpr int BTNST_AUTO_DARKER = -3;
    // Results of SetBitmaps.
    static constexpr int BTNST_OK = 0;
    static constexpr int BTNST_INVALIDRESOURCE = 1;
    static constexpr int BTNST_FAILEDMASK = 2;

    explicit CPictureButton(QWidget* parent = nullptr);

    // The pictures of two bitmap resources with their transparent colours; a
    // second id of 0 means none. Pictures set before are dropped first.
    int SetBitmaps(int nBitmapIn, platform::gdi::COLORREF crTransColorIn, int nBitmapOut = 0,
                   platform::gdi::COLORREF crTransColorOut = 0);
    const QPixmap& pictureIn() const { return m_in; }
    const QPixmap& pictureOut() const { return m_out; }
    // The picture shown now.
    const QPixmap& currentPicture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    QPixmap m_in;
    QPixmap m_out;
    bool m_hover = false;
};
