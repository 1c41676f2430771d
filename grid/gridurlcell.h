#pragma once
// A cell that shows a link in the highlight colour and opens the word under
// a click when it is an address of a known kind. It is never edited in place.

#include "grid/gridcell.h"

class CGridURLCell : public CGridCell {
public:
    static constexpr const char* ClassName = "CGridURLCell";

    CGridURLCell();
    ~CGridURLCell() override;

    bool Draw(platform::Dc* pDC, int nRow, int nCol, platform::Rect rect,
              bool bEraseBkgnd = true) override;
    bool Edit(int nRow, int nCol, platform::Rect rect, QPoint point, UINT nID, UINT nChar) override;
    void OnClick(QPoint pointCellRelative) override;
    bool OnSetCursor() override;

    // True when a blank-separated word of the text starts with a link prefix.
    static bool HasUrl(const QString& str);
    // The word under a point (relative to the cell's left and top) and
    // whether it is a link.
    bool OverURL(QPoint& pt, QString& strURL);

    void SetUrlColour(COLORREF clr) { m_clrUrl = clr; }
    COLORREF GetUrlColour() const { return m_clrUrl; }
    void SetAutoLaunchUrl(bool bLaunch = true) { m_bLaunchUrl = bLaunch; }
    bool GetAutoLaunchUrl() const { return m_bLaunchUrl; }

    // The link prefixes, in the order they are tried.
    static const QStringList& UrlPrefixes();
    // The address the desktop opens for a link word ("www." and "ftp." get
    // their scheme).
    static QString AddressOf(const QString& word);

protected:
    COLORREF m_clrUrl;
    bool m_bLaunchUrl = true;
    platform::Rect m_Rect;
};
