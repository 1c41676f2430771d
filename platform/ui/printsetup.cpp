#include "platform/ui/printsetup.h"

#include "platform/ui/translations.h"


#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>

namespace platform {

namespace {

QString& chosen()
{
    static QString name;
    return name;
}

} // namespace

QString chosenPrinter()
{
    return chosen();
}

void setChosenPrinter(const QString& name)
{
    chosen() = name;
}

void applyPrintSetup(QPrinter& printer)
{
    if (chosen().isEmpty() || printer.outputFormat() != QPrinter::NativeFormat)
        return;
    if (QPrinterInfo::availablePrinterNames().contains(chosen()))
        printer.setPrinterName(chosen());
}

bool runPrintSetupDialog(QWidget* parent)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("打印设置"));
    auto* layout = new QFormLayout(&dialog);
    const QStringList printers = QPrinterInfo::availablePrinterNames();
    auto* list = new QComboBox(&dialog);
    list->addItem(QStringLiteral("默认打印机"), QString());
    for (const QString& name : printers)
        list->addItem(name, name);
    list->setCurrentIndex(std::max(0, list->findData(chosen())));
    layout->addRow(QStringLiteral("打印机："), list);
    if (printers.isEmpty())
        layout->addRow(new QLabel(QStringLiteral("没有安装打印机；可以打印到 PDF 文件。"), &dialog));
    layout->addRow(okCancelButtons(dialog));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    setChosenPrinter(list->currentData().toString());
    return true;
}

} // namespace platform
