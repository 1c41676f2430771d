#pragma once
// A print preview that draws a page only when the user comes to it: a long
// list opens its preview at once, whatever its page count. Each page is
// recorded as it would be painted on the printer (its resolution and page
// size) and shown scaled, one page at a time; the print button prints
// through the caller.

#include <QDialog>
#include <QPicture>

#include <functional>
#include <map>

class QAction;
class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace platform {

class PagePreviewDialog : public QDialog {
    Q_OBJECT
public:
    // Draws page `page` with `painter`, which paints a device of the
    // printer's resolution and page size.
    using DrawPage = std::function<void(QPainter& painter, int page)>;

    // Pages `firstPage` to `lastPage` of `printer`'s layout (its orientation
    // and paper as set now), opened at `currentPage`.
    PagePreviewDialog(QPrinter* printer, int firstPage, int lastPage, int currentPage,
                      DrawPage drawPage, QWidget* parent = nullptr);
    ~PagePreviewDialog() override;

    int firstPage() const { return m_first; }
    int lastPage() const { return m_last; }
    int pageCount() const { return m_last - m_first + 1; }
    int currentPage() const { return m_current; }
    void setCurrentPage(int page);

    // Page `page` as recorded for the printer; drawn the first time it is
    // asked for.
    const QPicture& page(int page);
    // How many pages were drawn so far.
    int drawnPages() const { return int(m_pages.size()); }
    // Page `page` painted on white into an image of `size` pixels, the
    // paper filling it.
    QImage pageImage(int page, QSize size);

    // The zoom: the width of the page, the whole page, or a fixed scale of
    // the printer's pixels to the screen's.
    enum class Fit { Width, Page, None };
    void setFit(Fit fit);
    void zoomBy(double factor);
    double scale() const { return m_scale; }

Q_SIGNALS:
    // The user chose to print (the printer's print dialog was accepted).
    void printRequested(QPrinter* printer);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    class PageWidget;
    void buildToolBar();
    void print();
    void updateScale();
    void showCurrent();
    QSizeF paperPixels() const;
    // Plays page `page` with `painter`, scaled to the printer's pixels, at
    // the paper's corner.
    void playPage(QPainter& painter, int page);

    QPrinter* m_printer;
    int m_first;
    int m_last;
    int m_current;
    DrawPage m_drawPage;
    std::map<int, QPicture> m_pages;
    Fit m_fit = Fit::Width;
    double m_scale = 1.0;
    QScrollArea* m_area = nullptr;
    PageWidget* m_pageWidget = nullptr;
    QSpinBox* m_pageBox = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
};

} // namespace platform
