#pragma once
// Keeps every dialog of the program within the screen it opens on, so that
// its buttons can always be reached. A dialog that would be taller or wider
// than the screen's free area shows its contents in a scrolled area, with
// its row of buttons (the QDialogButtonBox of its top layout) kept in view
// below it; a dialog without a layout, or one of Qt's own, is made to fit
// by its size. Dialogs that fit are left exactly as they are.
//
// The program installs one DialogFitter on the application; it sees every
// dialog as it is first shown.

#include <QObject>
#include <QRect>

class QWidget;

namespace platform {

class DialogFitter final : public QObject {
    Q_OBJECT
public:
    explicit DialogFitter(QObject* parent = nullptr);
    ~DialogFitter() override;

    // The area dialogs must fit, in place of the free area of the screen a
    // dialog opens on (a smaller screen than the one the program runs on,
    // for tests); an empty rectangle restores the screen's.
    static void setAvailableArea(const QRect& area);

    // Fits `dialog` within `area` (its frame included); answers whether it
    // had to change anything.
    static bool fit(QWidget* dialog, const QRect& area);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // As fit; a dialog already `placed` is moved inside the area too.
    static bool fitInside(QWidget* dialog, const QRect& area, bool placed);
};

} // namespace platform
