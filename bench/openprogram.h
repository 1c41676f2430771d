#pragma once
// What the benchmarks that drive the whole program share: the generated bar
// lists of 1,000, 10,000 and 50,000 rows, kept in the data folder, and the
// program with its main window shown and a list open in it.

#include "app/documents/setupdoc.h"
#include "app/documents/setupmainview.h"
#include "app/shell/mainframe.h"
#include "app/shell/myrdapp.h"
#include "platform/profile.h"
#include "platform/ui/docmanager.h"
#include "tables/barlist/setuptable.h"
#include "tables/framework/ui/tableview.h"
#include "tests/support/generatedbarlist.h"

#include <QCoreApplication>
#include <QFile>
#include <QSettings>
#include <QString>

namespace bench {

struct ListSize {
    int rows;      // as the table calls it
    int elements;  // of 50 bars each
};
inline constexpr ListSize kSizes[] = {{1000, 20}, {10000, 200}, {50000, 1000}};

// The bar list of that size in the data folder, made on first use.
inline QString listFile(const QString& home, const ListSize& size)
{
    const QString path = home + QStringLiteral("list%1.pld").arg(size.rows);
    if (!QFile::exists(path)) {
        CVes_SetupTable list;
        test::fillGeneratedList(list, size.elements, 50);
        list.SaveFile(path);
    }
    return path;
}

// The program with a bar list open

class OpenList {
public:
    OpenList(CMyRdApp& app, const QString& path)
        : m_app(app),
          m_doc(dynamic_cast<CRODOSetUpDoc*>(app.docManager().OpenDocumentFile(path)))
    {
        m_container = m_doc && !m_doc->views().empty()
                          ? dynamic_cast<CRODO_SetUpMainView*>(m_doc->views().front())
                          : nullptr;
        settle();
    }
    ~OpenList()
    {
        if (m_doc) {
            m_doc->SetModifiedFlag(false);
            m_app.docManager().CloseAllDocuments();
        }
        settle();
    }
    bool isOpen() const { return m_container && view(); }
    CRODOSetUpDoc* doc() const { return m_doc; }
    CRODO_SetUpMainView* container() const { return m_container; }
    CVes_TableViewBase* view() const { return m_container->sheetView(CRODO_SetUpMainView::kBarList); }

    // Types a count into the second row of page 1 (a bar), as the cell
    // editor hands it over, and lets the window repaint.
    void commitTypedCell()
    {
        ++m_commits;
        view()->EndCellEdit(2, CVes_SetupTable::kColCount, QString::number(1 + m_commits % 9));
        settle();
    }

    // Lets the window do all it has to do, as the program's event loop does
    // before the user's next key: events that handling an event posts (a
    // repaint a layout asks for) are handled too, until none is left. One
    // pass alone would leave the rest of the window's first painting after
    // opening to the first commit.
    static void settle()
    {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kSettleLimitMs);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Longer than any painting of the window takes, so that it only stops
    // a loop of events that never ends.
    static constexpr int kSettleLimitMs = 2000;

private:
    CMyRdApp& m_app;
    CRODOSetUpDoc* m_doc;
    CRODO_SetUpMainView* m_container = nullptr;
    int m_commits = 0;
};

struct Program {
    Program()
    {
        platform::openProfile()->clear();
        ready = app.InitInstance({});
        if (ready)
            app.mainFrame()->show();
        OpenList::settle();
    }
    CMyRdApp app;
    bool ready = false;
};

} // namespace bench
