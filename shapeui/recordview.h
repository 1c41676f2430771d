#pragma once
// A plain window that paints a grey panel.

#include <QWidget>

namespace platform { class Dc; }

class CVes_RecordDrawView : public QWidget {
    Q_OBJECT
public:
    explicit CVes_RecordDrawView(QWidget* parent = nullptr);

    // Fills the client area with the grey stock brush, except while printing.
    virtual void OnDraw(platform::Dc* dc);

protected:
    void paintEvent(QPaintEvent* event) override;
};
