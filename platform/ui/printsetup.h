#pragma once
// The printer the user chose with the print-setup command; every print job
// and preview of the program starts with it. (Paper and orientation come
// from each sheet's own page setup.)

#include <QString>
#include <QStringList>

class QPrinter;
class QWidget;

namespace platform {

// Gives `printer` the chosen printer (nothing when none was chosen or it is
// no longer installed).
void applyPrintSetup(QPrinter& printer);
// The chosen printer's name, empty for the system's default.
QString chosenPrinter();
void setChosenPrinter(const QString& name);

// The print-setup dialog: the installed printers, the chosen one selected.
// The choice is kept when the user accepts; answers whether he did.
bool runPrintSetupDialog(QWidget* parent);

} // namespace platform
