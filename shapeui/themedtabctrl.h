#pragma once
// The tab strip of the shape choosers: tabs at the top, bottom, left or
// right of a pane, drawn in the look of the running visual style on every
// side. With visual styles off, or themed drawing disabled, it is a plain
// tab control in the classic look. Content windows are placed by the caller
// over the display rectangle (AdjustRect).

#include "platform/rect.h"

#include <QIcon>
#include <QList>
#include <QTabWidget>

class QStyle;

class CVes_ThemedTabCtrl : public QTabWidget {
    Q_OBJECT
public:
    // Window styles of a tab control.
    static constexpr unsigned TCS_BOTTOM = 0x0002;
    static constexpr unsigned TCS_RIGHT = 0x0002;
    static constexpr unsigned TCS_VERTICAL = 0x0080;
    static constexpr unsigned TCS_MULTILINE = 0x0200;
    // Hit-test answers.
    static constexpr unsigned TCHT_NOWHERE = 0x0001;
    static constexpr unsigned TCHT_ONITEMICON = 0x0002;
    static constexpr unsigned TCHT_ONITEMLABEL = 0x0004;
    static constexpr unsigned TCHT_ONITEM = TCHT_ONITEMICON | TCHT_ONITEMLABEL;

    explicit CVes_ThemedTabCtrl(QWidget* parent = nullptr);
    ~CVes_ThemedTabCtrl() override;

    // The window style; the orientation follows it: 0 top, 1 bottom
    // (TCS_BOTTOM), 2 left (TCS_VERTICAL), 3 right (both).
    unsigned GetStyle() const { return m_style; }
    void ModifyStyle(unsigned remove, unsigned add);
    int GetOrientation() const { return m_orientation; }

    void EnableThemedDrawing(bool enable);
    bool IsThemedDrawingEnabled() const { return m_bThemed; }
    // Whether the control draws the themed look now: themed drawing is
    // enabled and the desktop's visual style is active.
    bool IsThemed() const;

    // Items.
    int InsertItem(int index, const QString& text, int image = -1);
    bool DeleteItem(int index);
    bool DeleteAllItems();
    int GetItemCount() const { return count(); }
    QString GetItemText(int index) const;
    bool SetItemText(int index, const QString& text);
    int GetItemImage(int index) const;
    void SetImageList(const QList<QIcon>& images);
    // The selected item (-1 without items). SetCurSel sends no notices and
    // answers the previous selection, or -1 for an invalid index.
    int GetCurSel() const { return currentIndex(); }
    int SetCurSel(int index);
    // The selection before the last change made by the user.
    int GetPreviousSel() const { return m_nPrevSel; }

    // An item's rectangle in client coordinates.
    bool GetItemRect(int index, platform::Rect* rect) const;
    // The item at a client point, or -1 (flags TCHT_NOWHERE).
    int HitTest(QPoint point, unsigned* flags = nullptr) const;
    // larger false: the display rectangle of a window rectangle; true: the
    // window rectangle of a display rectangle.
    void AdjustRect(bool larger, platform::Rect* rect) const;

Q_SIGNALS:
    // After the user changed the selection (not after SetCurSel):
    // selChanging with the previous selection, then selChanged with the new.
    void selChanging(int previous);
    void selChanged(int current);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void updateLook();
    void ensureLayout() const;
    void onCurrentChanged(int index);

    unsigned m_style = 0;
    int m_orientation = 1;
    bool m_bThemed = true;
    int m_nPrevSel = -1;
    int m_lastSel = -1;
    bool m_quiet = false;
    QList<QIcon> m_images;
    QList<int> m_itemImages;
    QStyle* m_classicStyle = nullptr; // the classic look in force, or null
};
