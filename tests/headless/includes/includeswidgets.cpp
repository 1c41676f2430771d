// Compiled only by the headless guard's test, with a model library's include
// folders: it must not compile, because model code never reaches the widgets.
#include <QtWidgets/QMessageBox>

void askTheUserDirectly()
{
    QMessageBox::information(nullptr, QString(), QString());
}
