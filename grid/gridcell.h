#pragma once
// The cells of the grid: the abstract cell with its state bits, the text cell
// every grid makes by default, and the default cells that hold what the cells
// of one kind (normal, fixed row, fixed column, corner) fall back to.

#include "grid/griditem.h"
#include "platform/rect.h"

#include <QPoint>
#include <QPointer>
#include <QWidget>
#include <QSize>
#include <QString>
#include <memory>

class CGridCtrl;
class QFont;
class QWidget;

class CGridCellBase {
public:
    CGridCellBase() = default;
    virtual ~CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = delete;

    virtual void SetText(const QString& text) = 0;
    virtual void SetImage(int nImage) = 0;
    virtual void SetData(LPARAM lParam) = 0;
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD nFormat) = 0;
    virtual void SetTextClr(COLORREF clr) = 0;
    virtual void SetBackClr(COLORREF clr) = 0;
    virtual void SetFont(const LOGFONT* plf) = 0;
    virtual void SetMargin(UINT nMargin) = 0;
    virtual void SetGrid(CGridCtrl* pGrid) = 0;
    virtual void SetCoords(int nRow, int nCol) = 0;

    virtual QString GetText() const = 0;
    virtual QString GetTipText() const { return GetText(); }
    virtual int GetImage() const = 0;
    virtual LPARAM GetData() const = 0;
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const = 0;
    virtual COLORREF GetTextClr() const = 0;
    virtual COLORREF GetBackClr() const = 0;
    virtual const LOGFONT* GetFont() const = 0;
    // The font to select for drawing: the cell's own, else its default
    // cell's; null when there is neither.
    virtual const platform::Font* GetFontObject() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual QWidget* GetEditWnd() const = 0;
    virtual UINT GetMargin() const = 0;
    virtual CGridCellBase* GetDefaultCell() const;
    virtual bool IsDefaultFont() const = 0;
    virtual bool IsEditing() const = 0;
    virtual bool IsFocused() const { return GetState() & GridStateFocused; }
    virtual bool IsFixed() const { return GetState() & GridStateFixed; }
    virtual bool IsFixedCol() const { return GetState() & GridStateFixedCol; }
    virtual bool IsFixedRow() const { return GetState() & GridStateFixedRow; }
    virtual bool IsSelected() const { return GetState() & GridStateSelected; }
    virtual bool IsReadOnly() const { return GetState() & GridStateReadOnly; }
    virtual bool IsModified() const { return GetState() & GridStateModified; }
    virtual bool IsDropHighlighted() const { return GetState() & GridStateDropHighlighted; }

    // Copies every property through the getters and setters; nothing when
    // the source is this cell.
    virtual CGridCellBase& operator=(const CGridCellBase& cell);
    virtual void Reset() { m_nState = 0; }

    // Drawing and measuring; rectangles are the grid's inclusive cell
    // rectangles (right and bottom are the last pixel of the cell).
    virtual bool Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
                      bool bEraseBkgnd = true);
    virtual bool GetTextRect(platform::Rect* pRect);
    virtual bool GetTipTextRect(platform::Rect* pRect) { return GetTextRect(pRect); }
    virtual QSize GetTextExtent(const QString& text, platform::Dc* pDC = nullptr);
    virtual QSize GetCellExtent(platform::Dc* pDC);

    // In-place editing.
    virtual bool Edit(int nRow, int nCol, platform::Rect rect, QPoint point, UINT nID, UINT nChar);
    virtual bool ValidateEdit(const QString& str);
    virtual void EndEdit() {}

    virtual bool PrintCell(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect);
    virtual void OnEndEdit() {}

    // Mouse notifications; points are relative to the cell's top left.
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(QPoint pointCellRelative) { (void)pointCellRelative; }
    virtual void OnClickDown(QPoint pointCellRelative) { (void)pointCellRelative; }
    virtual void OnRClick(QPoint pointCellRelative) { (void)pointCellRelative; }
    virtual void OnDblClick(QPoint pointCellRelative) { (void)pointCellRelative; }
    // Sets the grid's cursor for a pointer over this cell.
    virtual bool OnSetCursor();

protected:
    DWORD m_nState = 0;
};

// The standard text cell.
class CGridCell : public CGridCellBase {
public:
    static constexpr const char* ClassName = "CGridCell";

    CGridCell();
    ~CGridCell() override;

    using CGridCellBase::operator=;
    CGridCell& operator=(const CGridCell& cell);

    void SetText(const QString& text) override { m_strText = text; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextClr(COLORREF clr) override { m_crTextClr = clr; }
    void SetBackClr(COLORREF clr) override { m_crBkClr = clr; }
    void SetFont(const LOGFONT* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }
    void SetCoords(int, int) override {}

    QString GetText() const override { return m_strText; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextClr() const override { return m_crTextClr; }
    COLORREF GetBackClr() const override { return m_crBkClr; }
    const LOGFONT* GetFont() const override;
    const platform::Font* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    QWidget* GetEditWnd() const override { return m_pEditWnd; }
    UINT GetMargin() const override;
    bool IsDefaultFont() const override { return !m_plfFont; }
    bool IsEditing() const override { return m_bEditing; }

    void Reset() override;
    bool Edit(int nRow, int nCol, platform::Rect rect, QPoint point, UINT nID, UINT nChar) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    QString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = 0xFFFFFFFF;
    COLORREF m_crTextClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    std::unique_ptr<LOGFONT> m_plfFont;
    UINT m_nMargin = 0xFFFFFFFF;
    bool m_bEditing = false;
    CGridCtrl* m_pGrid = nullptr;
    // The open editor; it deletes itself, so the cell only watches it.
    QPointer<QWidget> m_pEditWnd;

private:
    // The font object made from the own font, rebuilt when asked for.
    mutable platform::Font m_fontObject;
};

// One of the four cells each grid holds to give the cells of one kind their
// default format, colours, font, margin and size. It reports itself
// read-only and keeps no data or state.
class CGridDefaultCell : public CGridCell {
public:
    CGridDefaultCell();
    ~CGridDefaultCell() override;

    int GetDefaultFlag() const { return m_nDefaultFlag; }
    void SetDefaultFlag(int nFlag) { m_nDefaultFlag = nFlag; }
    int GetWidth() const { return m_nWidth; }
    int GetHeight() const { return m_nHeight; }
    void SetWidth(int nWidth) { m_nWidth = nWidth; }
    void SetHeight(int nHeight) { m_nHeight = nHeight; }

    // Also measures the default size and margin in the new font.
    void SetFont(const LOGFONT* plf) override;
    const LOGFONT* GetFont() const override { return m_plfFont.get(); }
    const platform::Font* GetFontObject() const override { return &m_Font; }
    // A default cell is the end of every fall-back chain.
    CGridCellBase* GetDefaultCell() const override { return nullptr; }
    DWORD GetState() const override { return CGridCell::GetState() | GridStateReadOnly; }
    void SetData(LPARAM) override {}
    void SetState(DWORD) override {}

protected:
    int m_nWidth = 30;
    int m_nHeight = 10;
    int m_nDefaultFlag = 0;
    platform::Font m_Font;
};

// A drawing context for measuring text as the screen shows it; null when
// none can be had.
std::unique_ptr<platform::Dc> gridScreenDC();

// The description of a Qt font in the grid's font terms (height in pixels).
LOGFONT logFontFromQFont(const QFont& font);
