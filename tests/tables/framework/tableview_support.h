#pragma once
// Sheets and a view for the table-view tests. PageSheet draws a white page
// with its number and remembers every drawing and row command; GridSheet
// lays its rows on a form at fixed places of the client area, so that clicks
// hit known cells. RecordingView counts its repaints and records the hooks a
// sheet's own view fills; ShownView shows one over a sheet.

#include "tablebase_support.h"

#include "tables/framework/form.h"
#include "tables/framework/ui/tableview.h"

#include "core/geometry/text.h"
#include "platform/dc.h"
#include "platform/gdi.h"

#include <QApplication>
#include <QMouseEvent>
#include <QStringList>
#include <QTest>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace test {

// A sheet of 10 rows a page.
class PageSheet : public KeyTable {
public:
    struct Drawn {
        int page = -2;
        platform::Dc* dc = nullptr;
        platform::Rect rect;
        bool printing = false;
        double scrollX = 0;
        double scrollY = 0;
    };

    explicit PageSheet(int rows = 25)
    {
        for (int i = 0; i < rows; ++i)
            appendLine(new KeyLine(i + 1, 0));
        setPageTo(1, 1);
    }

    void Draw(platform::Dc* dc, const platform::Rect& rect) override
    {
        using namespace platform::gdi;
        drawn.push_back({m_curPage, dc, rect, dc->IsPrinting(), m_scrollX, m_scrollY});
        platform::Rect page = rect;
        if (dc->IsPrinting())
            page = platform::Rect(100, 100, 1900, 2700);
        else
            page.DeflateRect(rect.Width() / 8, rect.Height() / 16);
        dc->FillSolidRect(page, RGB(255, 255, 255));
        dc->SelectStockObject(BLACK_PEN);
        dc->MoveTo(page.left, page.top);
        dc->LineTo(page.right, page.top);
        dc->LineTo(page.right, page.bottom);
        dc->LineTo(page.left, page.bottom);
        dc->LineTo(page.left, page.top);
        dc->TextOut(page.left + 50, page.top + 50, QString("第 %1 页").arg(m_curPage));
    }
    void InsertRow(int flag) override { calls << QString("InsertRow %1").arg(flag); }
    void CopyRow() override { calls << "CopyRow"; }
    void PasteRow() override { calls << "PasteRow"; }
    // Rows are always there to paste.
    int canPaste() override { return 1; }
    void CutRow() override { calls << "CutRow"; }
    void UpRow() override { calls << "UpRow"; }
    void DownRow() override { calls << "DownRow"; }
    void Undo() override { calls << "Undo"; }
    void Redo() override { calls << "Redo"; }
    void DeleteRow() override
    {
        calls << "DeleteRow";
        KeyTable::DeleteRow();
    }
    void lockRow() override { calls << "lockRow"; }
    void unlockRow() override { calls << "unlockRow"; }

    QList<int> drawnPages() const
    {
        QList<int> pages;
        for (const Drawn& d : drawn)
            pages.append(d.page);
        return pages;
    }

    // The pages drawn for printing, in order.
    QList<int> printedPages() const
    {
        QList<int> pages;
        for (const Drawn& d : drawn)
            if (d.printing)
                pages.append(d.page);
        return pages;
    }

    std::vector<Drawn> drawn;
    QStringList calls;
};

// A sheet whose page lies at fixed places of the client area (0.1 mm): a
// form of a caption row, the 10 rows of the page and one row below them, in
// three columns, on a paper with a margin of 50 around it; title text 2
// stands to the right of the paper.
class GridSheet : public PageSheet {
public:
    static constexpr int kLeft = 100;
    static constexpr int kTop = 100;
    static constexpr int kRowHeight = 50;
    static constexpr int kColumnWidth = 250;
    static constexpr int kFormRows = 12;
    static constexpr int kColumns = 3;

    explicit GridSheet(int rows = 25) : PageSheet(rows)
    {
        m_columnNum = kColumns;
        m_widths = {30, 30, 40};
        m_form = std::make_unique<CVes_Form>(
            nullptr, platform::Rect(kLeft, kTop, kLeft + kColumns * kColumnWidth,
                                    kTop + kFormRows * kRowHeight));
        m_form->SetRowCount(kFormRows);
        m_form->SetColumnCount(kColumns);
        for (int r = 0; r < kFormRows; ++r)
            m_form->SetRowHeight(r, kRowHeight);
        for (int c = 0; c < kColumns; ++c)
            m_form->SetColumnWidth(c, kColumnWidth);
        m_paperRect = platform::Rect(kLeft - 50, kTop - 50, kLeft + kColumns * kColumnWidth + 50,
                                     kTop + kFormRows * kRowHeight + 50);
        CVes_Variable& title = m_texts[2];
        title.m_type = CVes_Variable::kTextKind;
        title.m_formula = "标题";
        title.m_text = "标题";
        title.m_position.set(1000, 300);
        title.m_height = 40;
        title.m_align = CVes_String::kCentre;
    }

    // The centre of a cell, in 0.1 mm.
    static QPoint cellCentre(int row, int column)
    {
        return QPoint(kLeft + column * kColumnWidth + kColumnWidth / 2,
                      kTop + row * kRowHeight + kRowHeight / 2);
    }
    QPoint titleCentre()
    {
        platform::Rect box;
        m_texts[2].LocateRect(box);
        return box.CenterPoint();
    }
};

// Counts repaints and records the hooks a sheet's own view would fill.
class RecordingView : public CVes_TableViewBase {
public:
    void repaintView() override
    {
        ++repaints;
        CVes_TableViewBase::repaintView();
    }
    int getViewType() override { return viewType; }
    void EditCell(int row, int column, QPoint) override
    {
        editCells << QString("%1,%2").arg(row).arg(column);
    }
    int isCanEditVar(int, int column, QPoint) override { return column == editableColumn; }
    void insertClipBoard() override { ++clipboardInserts; }
    void openCalculator() override { ++calculators; }
    void EndCellEdit(int row, int column, const QString& text) override
    {
        cellEdits << QString("%1,%2 %3").arg(row).arg(column).arg(text);
    }

    // Opens an edit box over the view as a sheet view does.
    CVes_InPlaceEdit* openEditor(int row, int column, const QString& text)
    {
        m_inPlaceEdit = new CVes_InPlaceEdit(viewport(), platform::Rect(10, 10, 120, 30),
                                             inplace::WS_CHILD | inplace::WS_VISIBLE,
                                             kInPlaceEditId, row, column, text, inplace::kEnter);
        m_inPlaceEdit->setOwner(this);
        return m_inPlaceEdit;
    }
    CVes_EditRecordDlg* openRecordDialog()
    {
        m_recordDlg = new CVes_EditRecordDlg(this);
        return m_recordDlg;
    }

    // Mouse messages at a page point (0.1 mm), sent to the client area as
    // the window system sends them.
    void mouse(QEvent::Type type, QPoint logical, Qt::MouseButton button,
               Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF at(LPtoDP(logical));
        QMouseEvent event(type, at, viewport()->mapToGlobal(at), button, held, modifiers);
        QApplication::sendEvent(viewport(), &event);
    }
    void click(QPoint logical, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        mouse(QEvent::MouseButtonPress, logical, Qt::LeftButton, Qt::LeftButton, modifiers);
        mouse(QEvent::MouseButtonRelease, logical, Qt::LeftButton, Qt::NoButton, modifiers);
    }
    void wheel(QPoint logical, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF at(LPtoDP(logical));
        QWheelEvent event(at, viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport(), &event);
    }

    int viewType = kBaseView;
    int editableColumn = -2;
    int repaints = 0;
    int clipboardInserts = 0;
    int calculators = 0;
    QStringList editCells;
    QStringList cellEdits;
};

// A view of 420 × 320 pixels, shown, over its own sheet.
template <typename Sheet> struct ShownView : ::testing::Test {
    void SetUp() override
    {
        view.resize(420, 320);
        view.setTable(&sheet);
        view.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&view));
        view.repaints = 0;
        sheet.drawn.clear();
    }
    Sheet sheet;
    RecordingView view;
};

// Lays out the cover of `table` as one column of 20 rows 30 units high,
// from (100, 100) to (900, 700) of the page, makes its fourth text a text
// to edit reading "工程名称" and shows the cover. Answers that text.
inline CVes_Variable* layOutCover(CVes_TableBase& table)
{
    table.m_cover.initVariables();
    CVes_Form& form = *table.m_cover.m_form;
    form.setRect(platform::Rect(100, 100, 900, 700));
    form.SetRowCount(20);
    form.SetColumnCount(1);
    for (int r = 0; r < 20; ++r)
        form.SetRowHeight(r, 30);
    form.SetColumnWidth(0, 800);
    CVes_Variable* text = table.m_cover.m_variables[3].get();
    text->m_type = CVes_Variable::kTextKind;
    text->m_formula = QStringLiteral("工程名称");
    table.setPageTo(0, 1);
    return text;
}

// The middle of a row of that cover, in page units.
inline QPoint coverRowCentre(int row)
{
    return QPoint(500, 100 + row * 30 + 15);
}

} // namespace test
