#pragma once
// Sheet tabs as in a spreadsheet: one tab per view along the bottom edge,
// with scroll arrows when they do not fit; choosing a tab shows its view
// above the tabs. The selected tab may have a colour of its own per tab.

#include "platform/gdi.h"

#include <QPointer>
#include <QWidget>
#include <vector>

class QStackedWidget;
class QTabBar;

// Styles: tabs at the bottom, scroll arrows, home and end arrows, tool tips.
constexpr int FTS_XT_BOTTOM = 0x0001;
constexpr int FTS_XT_HASARROWS = 0x0002;
constexpr int FTS_XT_HASHOMEEND = 0x0004;
constexpr int FTS_XT_TOOLTIPS = 0x0008;
constexpr int FTS_XT_DEFAULT = FTS_XT_BOTTOM | FTS_XT_HASARROWS | FTS_XT_TOOLTIPS;

class CXTExcelTabCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CXTExcelTabCtrl(QWidget* parent = nullptr);
    ~CXTExcelTabCtrl() override;

    bool Create(int dwStyle, const QRect& rect, QWidget* pParentWnd, int nID);
    int GetStyle() const { return m_style; }

    // Inserts a tab before nItem (clamped) showing `pView`, which the
    // control takes as its child; answers the tab's index.
    int InsertItem(int nItem, const QString& caption, QWidget* pView);
    bool DeleteItem(int nItem);
    void DeleteAllItems();
    int GetItemCount() const;
    QWidget* GetItemWnd(int nItem) const;
    QString GetItemText(int nItem) const;
    void SetItemText(int nItem, const QString& caption);

    int GetCurSel() const;
    // Selects a tab without a notification; answers the previous one, or -1
    // for an index out of range.
    int SetCurSel(int nItem);

    // Colours of a tab while it is selected.
    void SetSelTabBackColor(int nItem, platform::gdi::COLORREF color);
    void SetSelTabTextColor(int nItem, platform::gdi::COLORREF color);
    platform::gdi::COLORREF GetSelTabBackColor(int nItem) const;
    platform::gdi::COLORREF GetSelTabTextColor(int nItem) const;

    QTabBar* tabBar() const { return m_tabs; }

Q_SIGNALS:
    // The user chose tab `nItem` (its view shows already).
    void selChanged(int nItem);

private:
    struct TabColors {
        platform::gdi::COLORREF back = platform::gdi::CLR_DEFAULT;
        platform::gdi::COLORREF text = platform::gdi::CLR_DEFAULT;
    };
    void applyStyle();

    int m_style = FTS_XT_DEFAULT;
    QStackedWidget* m_stack = nullptr;
    QTabBar* m_tabs = nullptr;
    std::vector<TabColors> m_colors;
    bool m_quiet = false;
};
