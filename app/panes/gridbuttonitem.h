#pragma once
// A property-grid item that shows a push button with its caption, over the
// value cell or over the whole row. Every press inverts the item's value and
// reports a value change to the grid's owner. The button exists while the
// item's row is shown and follows the row.

#include "widgara/button.h"
#include "widgara/propertygriditem.h"

#include <QFont>
#include <QPointer>

class CGridButtonItem;

// The item's button: a toolkit button that knows its item.
class CGridItemButton : public CXTButton {
    Q_OBJECT
public:
    CGridItemButton(CGridButtonItem* item, QWidget* parent);
    CGridButtonItem* item() const { return m_item; }

private:
    CGridButtonItem* m_item;
};

class CGridButtonItem : public CXTPPropertyGridItem {
public:
    // With `bFullRow` the button covers the row and carries the caption
    // alone; otherwise it covers the value cell beside the caption.
    CGridButtonItem(const QString& strCaption, bool bFullRow, bool bValue);
    ~CGridButtonItem() override;

    bool GetBool() const { return m_bValue; }
    bool isFullRow() const { return m_bFullRow; }
    // The button while the row is shown, else null.
    CGridItemButton* button() const { return m_pButton; }

    bool OnDrawItemValue(platform::Dc& dc, const QRect& rcValue) override;
    void SetVisible(bool bVisible) override;
    void OnIndexChanged() override;

    // The button was pressed.
    void onButtonClicked();

private:
    void placeButton();
    void destroyButton();
    QRect buttonRect() const;

    QPointer<CGridItemButton> m_pButton;
    QFont m_font;
    QString m_strButtonText;
    bool m_bFullRow;
    bool m_bValue;
    bool m_bShownValue;
};
