#include "platform/ui/dialogfit.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

QRect g_area;

// The title bar a window manager usually adds, when no window shown yet
// tells what this one adds.
constexpr int kUsualTitleBar = 32;

// The title bar and borders the window manager puts around `dialog`: those
// of the dialog itself once it has been shown, else those of the window it
// opens over.
QMargins frameMargins(const QWidget* dialog)
{
    const QWidget* over = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    for (const QWidget* window : {dialog, over}) {
        if (!window || !window->isVisible())
            continue;
        const QRect frame = window->frameGeometry();
        const QRect inside = window->geometry();
        return {inside.left() - frame.left(), inside.top() - frame.top(),
                frame.right() - inside.right(), frame.bottom() - inside.bottom()};
    }
    return {0, kUsualTitleBar, 0, 0};
}

QRect areaFor(const QWidget* dialog)
{
    if (g_area.isValid())
        return g_area;
    const QWidget* over = dialog->parentWidget() ? dialog->parentWidget()->window() : dialog;
    const QScreen* screen = over->screen();
    return screen ? screen->availableGeometry() : QRect();
}

// Qt's own dialogs (files, colours, printing, messages) build and rebuild
// their layouts themselves; they are fitted by size only.
bool isQtsOwn(const QWidget* dialog)
{
    const QMetaObject* kind = dialog->metaObject();
    while (kind && !QByteArray(kind->className()).startsWith('Q'))
        kind = kind->superClass();
    return kind && kind != &QDialog::staticMetaObject;
}

// Moves the layout of `dialog` into a scrolled area; the button box of
// that layout stays below the area, always in view.
void scrollContents(QWidget* dialog)
{
    QLayout* contents = dialog->layout();
    QDialogButtonBox* buttons = nullptr;
    for (int i = 0; i < contents->count() && !buttons; ++i)
        buttons = qobject_cast<QDialogButtonBox*>(contents->itemAt(i)->widget());
    if (buttons)
        contents->removeWidget(buttons);
    const QMargins margins = contents->contentsMargins();

    auto* body = new QWidget;
    body->setLayout(contents); // takes the layout, and its widgets, off the dialog
    auto* area = new QScrollArea(dialog);
    area->setObjectName(QStringLiteral("scrolledContents"));
    area->setFrameShape(QFrame::NoFrame);
    area->setWidgetResizable(true);
    area->setWidget(body);
    // The dialog's own background shows through, as before.
    area->viewport()->setAutoFillBackground(false);
    body->setAutoFillBackground(false);

    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(area, 1);
    if (buttons) {
        buttons->setContentsMargins(margins.left(), margins.bottom(), margins.right(), margins.bottom());
        layout->addWidget(buttons);
    }
    // The smallest size is now the new layout's, at once.
    layout->activate();
}

// Keeps the frame of `dialog` inside `area`.
void moveInside(QWidget* dialog, const QRect& area, const QMargins& frame)
{
    const QRect outer = dialog->geometry().marginsAdded(frame);
    const int x = std::clamp(outer.left(), area.left(), std::max(area.left(), area.right() - outer.width() + 1));
    const int y = std::clamp(outer.top(), area.top(), std::max(area.top(), area.bottom() - outer.height() + 1));
    if (x != outer.left() || y != outer.top())
        dialog->move(x + frame.left(), y + frame.top());
}

void fitBySize(QWidget* dialog, const QSize& room)
{
    dialog->setMinimumSize(dialog->minimumSize().boundedTo(room));
    dialog->resize(dialog->size().boundedTo(room));
}

} // namespace

DialogFitter::DialogFitter(QObject* parent) : QObject(parent) {}

DialogFitter::~DialogFitter() = default;

void DialogFitter::setAvailableArea(const QRect& area)
{
    g_area = area;
}

bool DialogFitter::fit(QWidget* dialog, const QRect& area)
{
    return fitInside(dialog, area, dialog && dialog->testAttribute(Qt::WA_Moved));
}

bool DialogFitter::fitInside(QWidget* dialog, const QRect& area, bool placed)
{
    if (!dialog || !area.isValid())
        return false;
    const QMargins frame = frameMargins(dialog);
    const QSize room = area.size().shrunkBy(frame);
    const QSize wanted = dialog->size();
    const bool fits = wanted.width() <= room.width() && wanted.height() <= room.height();
    if (!fits) {
        const bool scrolls = dialog->findChild<QScrollArea*>(QStringLiteral("scrolledContents"),
                                                             Qt::FindDirectChildrenOnly);
        if (dialog->layout() && !scrolls && !isQtsOwn(dialog)) {
            scrollContents(dialog);
            // Room for the scroll bar, so that only one way scrolls.
            const int bar = dialog->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, dialog);
            dialog->resize((wanted + QSize(bar, 0)).boundedTo(room));
        } else {
            fitBySize(dialog, room);
        }
    }
    // A dialog not placed yet is centred over its window as it is shown.
    if (placed)
        moveInside(dialog, area, frame);
    return !fits;
}

bool DialogFitter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::Show || !watched->isWidgetType())
        return false;
    auto* dialog = static_cast<QWidget*>(watched);
    if (!dialog->isWindow() || !qobject_cast<QDialog*>(dialog))
        return false;
    if (dialog->layout()) {
        fit(dialog, areaFor(dialog));
        return false;
    }
    // A dialog that places its controls itself lays them out for its size
    // as it is shown; it is fitted once that is done.
    QTimer::singleShot(0, dialog, [guard = QPointer<QWidget>(dialog)] {
        if (guard)
            fitInside(guard, areaFor(guard), true);
    });
    return false;
}

} // namespace platform
