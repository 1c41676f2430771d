#pragma once
// Views that show a shape outside the editor: CVes_ShapeView draws one shape
// model fitted into its window on black; CTestView is an empty view.

#include <QWidget>

class CVes_ShapeModel;
namespace platform { class Dc; }

class CVes_ShapeView : public QWidget {
    Q_OBJECT
public:
    // The window class of the view, registered once.
    static constexpr const char* kWindowClassName = "CSHapeViewClass";

    explicit CVes_ShapeView(QWidget* parent = nullptr);
    ~CVes_ShapeView() override;

    // Registers the window class once; answers whether it is registered.
    static bool RegisterWindowClass();
    static bool isWindowClassRegistered();

    // The model shown (borrowed, may be null); the caller repaints.
    void setModel(CVes_ShapeModel* model) { m_pModel = model; }
    CVes_ShapeModel* model() const { return m_pModel; }

    // Draws the view's whole client area into `dc`: through an off-screen
    // bitmap unless printing, at 254 logical units an inch, the model drawn
    // in its own colours on black.
    virtual void OnDraw(platform::Dc* dc);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    CVes_ShapeModel* m_pModel = nullptr;
};

// An empty view: its drawing does nothing.
class CTestView : public QWidget {
    Q_OBJECT
public:
    explicit CTestView(QWidget* parent = nullptr) : QWidget(parent) {}

    virtual void OnDraw(platform::Dc*) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};
