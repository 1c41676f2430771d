#include "platform/ui/pagepreview.h"

#include <QAction>
#include <QIcon>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QResizeEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

namespace {

// The grey around the paper and the paper's distance from it, in pixels.
constexpr int kMargin = 12;
constexpr double kMinScale = 0.02;
constexpr double kMaxScale = 2.0;

// A picture that the drawing code sees as the printer: its resolution, its
// page size and depth, so that a page is laid out as it is printed.
class PrinterPicture final : public QPicture {
public:
    explicit PrinterPicture(const QPrinter* printer) : m_printer(printer) {}

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth: return m_printer->width();
        case PdmHeight: return m_printer->height();
        case PdmWidthMM: return m_printer->widthMM();
        case PdmHeightMM: return m_printer->heightMM();
        case PdmNumColors: return m_printer->colorCount();
        case PdmDepth: return m_printer->depth();
        case PdmDpiX: return m_printer->logicalDpiX();
        case PdmDpiY: return m_printer->logicalDpiY();
        case PdmPhysicalDpiX: return m_printer->physicalDpiX();
        case PdmPhysicalDpiY: return m_printer->physicalDpiY();
        case PdmDevicePixelRatio: return m_printer->devicePixelRatio();
        case PdmDevicePixelRatioScaled:
            return int(m_printer->devicePixelRatioF() * QPaintDevice::devicePixelRatioFScale());
        default: return QPicture::metric(metric);
        }
    }

private:
    const QPrinter* m_printer;
};

} // namespace

// The current page on its paper, scaled, on grey.
class PagePreviewDialog::PageWidget final : public QWidget {
public:
    explicit PageWidget(PagePreviewDialog* dialog) : m_dialog(dialog)
    {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().color(QPalette::Dark));
        const QSizeF paper = m_dialog->paperPixels() * m_dialog->scale();
        const QRectF sheet(kMargin, kMargin, paper.width(), paper.height());
        painter.fillRect(sheet.translated(3, 3), Qt::black);
        painter.fillRect(sheet, Qt::white);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.translate(sheet.topLeft());
        painter.scale(m_dialog->scale(), m_dialog->scale());
        m_dialog->playPage(painter, m_dialog->currentPage());
    }

private:
    PagePreviewDialog* m_dialog;
};

PagePreviewDialog::PagePreviewDialog(QPrinter* printer, int firstPage, int lastPage,
                                     int currentPage, DrawPage drawPage, QWidget* parent)
    : QDialog(parent), m_printer(printer), m_first(firstPage),
      m_last(std::max(firstPage, lastPage)), m_current(std::clamp(currentPage, m_first, m_last)),
      m_drawPage(std::move(drawPage))
{
    setWindowTitle(QStringLiteral("打印预览"));
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    buildToolBar();
    m_area = new QScrollArea(this);
    m_area->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_area->setBackgroundRole(QPalette::Dark);
    m_pageWidget = new PageWidget(this);
    m_area->setWidget(m_pageWidget);
    layout->addWidget(m_area, 1);
    resize(900, 700);
    showCurrent();
}

PagePreviewDialog::~PagePreviewDialog() = default;

void PagePreviewDialog::buildToolBar()
{
    auto* bar = new QToolBar(this);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout()->addWidget(bar);
    connect(bar->addAction(style()->standardIcon(QStyle::SP_FileDialogContentsView),
                           QStringLiteral("打印…")),
            &QAction::triggered, this, &PagePreviewDialog::print);
    bar->addSeparator();
    m_previous = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                QStringLiteral("上一页"));
    m_previous->setShortcut(QKeySequence::MoveToPreviousPage);
    connect(m_previous, &QAction::triggered, this, [this] { setCurrentPage(m_current - 1); });
    m_pageBox = new QSpinBox(bar);
    m_pageBox->setRange(m_first, m_last);
    m_pageBox->setSuffix(QStringLiteral(" / %1").arg(m_last));
    m_pageBox->setKeyboardTracking(false);
    bar->addWidget(m_pageBox);
    connect(m_pageBox, &QSpinBox::valueChanged, this, &PagePreviewDialog::setCurrentPage);
    m_next = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                            QStringLiteral("下一页"));
    m_next->setShortcut(QKeySequence::MoveToNextPage);
    connect(m_next, &QAction::triggered, this, [this] { setCurrentPage(m_current + 1); });
    bar->addSeparator();
    connect(bar->addAction(QStringLiteral("适合宽度")), &QAction::triggered, this,
            [this] { setFit(Fit::Width); });
    connect(bar->addAction(QStringLiteral("整页")), &QAction::triggered, this,
            [this] { setFit(Fit::Page); });
    QAction* in = bar->addAction(QStringLiteral("放大"));
    in->setShortcut(QKeySequence::ZoomIn);
    connect(in, &QAction::triggered, this, [this] { zoomBy(1.25); });
    QAction* out = bar->addAction(QStringLiteral("缩小"));
    out->setShortcut(QKeySequence::ZoomOut);
    connect(out, &QAction::triggered, this, [this] { zoomBy(0.8); });
    bar->addSeparator();
    connect(bar->addAction(QStringLiteral("关闭")), &QAction::triggered, this, &QDialog::reject);
}

void PagePreviewDialog::setCurrentPage(int page)
{
    page = std::clamp(page, m_first, m_last);
    if (page == m_current)
        return;
    m_current = page;
    showCurrent();
}

void PagePreviewDialog::showCurrent()
{
    const QSignalBlocker block(m_pageBox);
    m_pageBox->setValue(m_current);
    m_previous->setEnabled(m_current > m_first);
    m_next->setEnabled(m_current < m_last);
    m_area->verticalScrollBar()->setValue(0);
    m_pageWidget->update();
}

QSizeF PagePreviewDialog::paperPixels() const
{
    return m_printer->paperRect(QPrinter::DevicePixel).size();
}

const QPicture& PagePreviewDialog::page(int page)
{
    const auto found = m_pages.find(page);
    if (found != m_pages.end())
        return found->second;
    PrinterPicture picture(m_printer);
    {
        QPainter painter(&picture);
        m_drawPage(painter, page);
    }
    return m_pages.emplace(page, picture).first->second;
}

void PagePreviewDialog::playPage(QPainter& painter, int number)
{
    // The picture starts at the printable area's corner, as printing does.
    const QPointF printable = m_printer->pageRect(QPrinter::DevicePixel).topLeft()
                              - m_printer->paperRect(QPrinter::DevicePixel).topLeft();
    painter.drawPicture(printable, page(number));
}

QImage PagePreviewDialog::pageImage(int number, QSize size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    const QSizeF paper = paperPixels();
    painter.scale(size.width() / paper.width(), size.height() / paper.height());
    playPage(painter, number);
    return image;
}

void PagePreviewDialog::setFit(Fit fit)
{
    m_fit = fit;
    updateScale();
}

void PagePreviewDialog::zoomBy(double factor)
{
    m_fit = Fit::None;
    m_scale = std::clamp(m_scale * factor, kMinScale, kMaxScale);
    updateScale();
}

void PagePreviewDialog::updateScale()
{
    const QSizeF paper = paperPixels();
    if (paper.isEmpty())
        return;
    const QSize room = m_area->maximumViewportSize() - QSize(2 * kMargin + 3, 2 * kMargin + 3);
    const double width = std::max(1, room.width()) / paper.width();
    const double height = std::max(1, room.height()) / paper.height();
    if (m_fit == Fit::Width)
        m_scale = width;
    else if (m_fit == Fit::Page)
        m_scale = std::min(width, height);
    m_scale = std::clamp(m_scale, kMinScale, kMaxScale);
    const QSizeF shown = paper * m_scale;
    m_pageWidget->setFixedSize(int(shown.width()) + 2 * kMargin + 3,
                               int(shown.height()) + 2 * kMargin + 3);
    m_pageWidget->update();
}

void PagePreviewDialog::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    updateScale();
}

void PagePreviewDialog::print()
{
    QPrintDialog dialog(m_printer, this);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange
                      | QAbstractPrintDialog::PrintShowPageSize);
    dialog.setMinMax(m_first, m_last);
    if (dialog.exec() != QDialog::Accepted)
        return;
    Q_EMIT printRequested(m_printer);
    accept();
}

} // namespace platform
