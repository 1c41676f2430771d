// Printing of the table view: the print command with its own page loop
// (copies, collation, the cover as page 0), and the print preview with its
// print button, which print the pages 1 to the page count. Also where the
// files the view writes and reads are proposed.

#include "tables/framework/ui/tableview.h"

#include "tables/framework/tablebase.h"
#include "tables/framework/tablehelpers.h"

#include "platform/folders.h"
#include "platform/hostservices.h"
#include "platform/painterdc.h"
#include "platform/profile.h"
#include "platform/ui/pagepreview.h"
#include "platform/ui/printsetup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPageRanges>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>

using platform::Rect;

namespace {

// Prints `pages` in order onto `device`, one a sheet, through `printPage`.
// A page that cannot be started does not stop the pages after it; the job
// is aborted when its last page failed. True when every page was printed.
template <typename PrintPage>
bool printPages(QPagedPaintDevice* device, const QList<int>& pages, PrintPage printPage)
{
    QPainter painter;
    if (pages.isEmpty() || !painter.begin(device))
        return false;
    bool every = true;
    bool last = true;
    {
        platform::PainterDc dc(&painter);
        dc.setPrinting(true);
        for (qsizetype i = 0; i < pages.size(); ++i) {
            last = i == 0 || device->newPage();
            every = every && last;
            printPage(&dc, pages[i]);
        }
    }
    if (!last) {
        if (auto* printer = dynamic_cast<QPrinter*>(device))
            printer->abort();
    }
    const bool ended = painter.end();
    return every && last && ended;
}

void reportPrintFailure()
{
    platform::showMessage(QStringLiteral("打印未能完成：有页面没有送到打印机。"),
                          platform::MessageIcon::Stop);
}

// A job printed into a file says where the file is, or that it could not
// be written there.
void reportPrintedFile(const QString& file, bool printed)
{
    const QString where = QDir::toNativeSeparators(file);
    if (printed)
        platform::showMessage(QStringLiteral("已打印到文件：\n%1").arg(where));
    else
        platform::showMessage(QStringLiteral("打印未能完成：无法写入文件\n%1\n请确认文件夹存在并且可以写入。").arg(where),
                              platform::MessageIcon::Stop);
}

} // namespace

int CVes_TableViewBase::firstPrintPage() const
{
    return (m_table && m_table->haveFengmian()) ? 0 : 1;
}

int CVes_TableViewBase::lastPrintPage() const
{
    return m_table ? m_table->resetPages() : 0;
}

QList<int> CVes_TableViewBase::printOrder(int fromPage, int toPage, int copies, bool collate)
{
    QList<int> pages;
    if (fromPage > toPage || copies < 1)
        return pages;
    if (collate) {
        for (int copy = 0; copy < copies; ++copy)
            for (int page = fromPage; page <= toPage; ++page)
                pages.append(page);
    } else {
        for (int page = fromPage; page <= toPage; ++page)
            for (int copy = 0; copy < copies; ++copy)
                pages.append(page);
    }
    return pages;
}

void CVes_TableViewBase::OnPrint(platform::Dc* dc, int page, bool recount)
{
    if (!m_table || !dc)
        return;
    m_table->setPageTo(page, recount ? 1 : 0);
    setTableMapping(dc, 1);
    m_table->Draw(dc, Rect(1, 1, 100, 100));
}

bool CVes_TableViewBase::printTo(QPagedPaintDevice* device, int fromPage, int toPage, int copies,
                                 bool collate)
{
    if (!m_table || !device)
        return false;
    const int first = firstPrintPage();
    const int last = lastPrintPage();
    fromPage = std::clamp(fromPage, first, last);
    toPage = std::clamp(toPage, first, last);
    if (fromPage > toPage)
        std::swap(fromPage, toPage);
    const QList<int> pages = printOrder(fromPage, toPage, copies, collate);
    if (pages.isEmpty())
        return false;

    device->setPageOrientation(m_table->m_orientation == CVes_Template::kLandscape
                                   ? QPageLayout::Landscape
                                   : QPageLayout::Portrait);
    const QString title = m_table->m_texts[0].m_formula;
    if (auto* printer = dynamic_cast<QPrinter*>(device))
        printer->setDocName(title);
    else if (auto* pdf = dynamic_cast<QPdfWriter*>(device))
        pdf->setTitle(title);

    const int shown = m_table->getCurPage();
    const bool ok = printPages(device, pages, [this](platform::Dc* dc, int page) {
        OnPrint(dc, page, false);
    });
    m_table->setPageTo(shown, 1);
    repaintView();
    return ok;
}

QString CVes_TableViewBase::proposedPdfPath() const
{
    const QString title = m_table ? m_table->m_texts[0].m_formula : QString();
    return platform::proposedOutputPath(documentPath(), title, QStringLiteral(".pdf"));
}

QString CVes_TableViewBase::askImportFile(const QString& filter)
{
    const QString section = QStringLiteral("setting");
    const QString key = QStringLiteral("importFolder");
    const QString last = platform::profileValue(section, key).toString();
    const QString folder =
        !last.isEmpty() && QFileInfo(last).isDir() ? last : platform::workingFolder(documentPath());
    const QString path = QFileDialog::getOpenFileName(this, QString(), folder, filter);
    if (!path.isEmpty())
        platform::setProfileValue(section, key, QFileInfo(path).absolutePath());
    return path;
}

void CVes_TableViewBase::OnFilePrint()
{
    if (!m_table)
        return;
    const int first = firstPrintPage();
    const int last = lastPrintPage();
    QPrinter printer(QPrinter::HighResolution);
    platform::applyPrintSetup(printer);
    const QString pdf = proposedPdfPath();
    printer.setDocName(QFileInfo(pdf).completeBaseName());
    // Without a printer the job goes into a PDF file, proposed beside the
    // document; with printers, the dialog offers the file among them.
    if (QPrinterInfo::availablePrinterNames().isEmpty())
        printer.setOutputFileName(pdf);
    const int current = std::clamp(m_table->getCurPage(), first, last);
    printer.setFromTo(current, current);
    QPrintDialog dialog(&printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
                      | QAbstractPrintDialog::PrintCollateCopies
                      | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(first, last);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int from = first;
    int to = last;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    const int copies = std::max(1, printer.copyCount());
    const bool collate = printer.collateCopies();
    // The copies are printed here, page by page.
    printer.setCopyCount(1);
    const QString file =
        printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : QString();
    const bool printed = printTo(&printer, from, to, copies, collate);
    if (!file.isEmpty())
        reportPrintedFile(file, printed);
    else if (!printed)
        reportPrintFailure();
}

void CVes_TableViewBase::OnPreparePrinting(PrintInfo& info)
{
    info.minPage = 1;
    info.maxPage = std::max(m_table ? m_table->resetPages() : 1, info.minPage);
    // On the cover the preview opens at the first page.
    const int current = m_table ? m_table->getCurPage() : 1;
    info.currentPage = std::clamp(current, info.minPage, info.maxPage);
}

bool CVes_TableViewBase::printPreviewPages(QPrinter* printer)
{
    if (!m_table || !printer)
        return false;
    PrintInfo info;
    OnPreparePrinting(info);
    OnBeginPrinting(printer);
    QList<int> pages;
    if (printer->printRange() == QPrinter::PageRange && !printer->pageRanges().isEmpty()) {
        for (const QPageRanges::Range& range : printer->pageRanges().toRangeList()) {
            for (int page = std::max(range.from, info.minPage);
                 page <= std::min(range.to, info.maxPage); ++page)
                pages.append(page);
        }
    } else {
        for (int page = info.minPage; page <= info.maxPage; ++page)
            pages.append(page);
    }
    printer->setPageOrientation(m_table->m_orientation == CVes_Template::kLandscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    const int shown = m_table->getCurPage();
    const bool ok = printPages(printer, pages, [this](platform::Dc* dc, int page) {
        OnPrint(dc, page, true);
    });
    // The view shows the page it showed before the preview drew the others.
    m_table->setPageTo(shown, 1);
    repaintView();
    return ok;
}

void CVes_TableViewBase::drawPreviewPage(QPainter& painter, int page)
{
    const int shown = m_table->getCurPage();
    {
        platform::PainterDc dc(&painter);
        dc.setPrinting(true);
        OnPrint(&dc, page, true);
    }
    // The view goes on showing its own page behind the preview (and finds
    // its cells on it again).
    m_table->setPageTo(shown, 1);
    repaintView();
}

std::unique_ptr<platform::PagePreviewDialog> CVes_TableViewBase::createPrintPreview(QPrinter* printer)
{
    if (!m_table || !printer)
        return nullptr;
    PrintInfo info;
    OnPreparePrinting(info);
    OnBeginPrinting(printer);
    printer->setDocName(m_table->m_texts[0].m_formula);
    printer->setPageOrientation(m_table->m_orientation == CVes_Template::kLandscape
                                    ? QPageLayout::Landscape
                                    : QPageLayout::Portrait);
    // The print dialog of the preview's print button offers the current page.
    printer->setFromTo(info.currentPage, info.currentPage);
    // Only the pages the user comes to are drawn.
    auto dialog = std::make_unique<platform::PagePreviewDialog>(
        printer, info.minPage, info.maxPage, info.currentPage,
        [this](QPainter& painter, int page) { drawPreviewPage(painter, page); }, this);
    connect(dialog.get(), &platform::PagePreviewDialog::printRequested, this, [this](QPrinter* target) {
        const bool ok = printPreviewPages(target);
        const QPrinter::PrinterState state = target->printerState();
        if (!ok && (state == QPrinter::Error || state == QPrinter::Aborted))
            reportPrintFailure();
    });
    return dialog;
}

void CVes_TableViewBase::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    platform::applyPrintSetup(printer);
    std::unique_ptr<platform::PagePreviewDialog> dialog = createPrintPreview(&printer);
    if (dialog)
        dialog->exec();
}
