#pragma once
// The widgets that show command-bar controls in their bars: a button drawn
// by its control, and a separator. Internal to the toolkit.

#include <QPointer>
#include <QWidget>

class CXTPControl;

namespace widgara {

// A widget that shows a control; detach() cuts it from a control that is
// going away, before the widget itself is deleted later.
class ControlView {
public:
    virtual ~ControlView() = default;
    virtual void detach() = 0;
};

class ControlButtonWidget : public QWidget, public ControlView {
    Q_OBJECT

public:
    ControlButtonWidget(CXTPControl* control, QWidget* parent);
    CXTPControl* control() const { return m_control; }
    void detach() override { m_control = nullptr; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CXTPControl* m_control;
};

class SeparatorWidget : public QWidget {
public:
    SeparatorWidget(Qt::Orientation barOrientation, QWidget* parent);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Qt::Orientation m_orientation;
};

} // namespace widgara
