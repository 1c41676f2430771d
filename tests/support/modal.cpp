#include "tests/support/modal.h"

#include <QDialog>

namespace test {

void closeLeftOpen(QWidget* dialog, const char* why)
{
    if (!dialog || !dialog->isVisible())
        return;
    ADD_FAILURE() << why << ": " << dialog->metaObject()->className();
    if (auto* box = qobject_cast<QDialog*>(dialog))
        box->reject();
    else
        dialog->close();
}

} // namespace test
