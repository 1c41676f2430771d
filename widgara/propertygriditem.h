#pragma once
// Items of the property grid: a caption and a value text, an id by which the
// owner recognises the item in notifications, children, and the states
// hidden, read-only and expanded. Subclasses override SetValue (the shown
// value changes), OnValueChanged (the user changed it; the base notifies the
// grid's owner with code 3) and OnAddChildItem (the item joined a grid: add
// children here). Items that draw their value themselves override
// OnDrawItemValue; SetVisible and OnIndexChanged tell them that their row
// was shown, hidden or moved. Kinds: text (this class), number, double,
// boolean, enumeration, category. An item may carry in-place buttons at the
// right of its value; a press notifies the owner with code 5.

#include "platform/gdi.h"

#include <QRect>
#include <QString>
#include <memory>
#include <vector>

class CXTPPropertyGrid;
class CXTPPropertyGridItem;
class QTreeWidgetItem;
class QValidator;
class QObject;

namespace platform {
class Dc;
}

// Item flags: the value is typed in a box even where it has choices; a
// "..." button follows the value; the choices drop down from a button.
constexpr int xtpGridItemHasEdit = 0x0001;
constexpr int xtpGridItemHasExpandButton = 0x0002;
constexpr int xtpGridItemHasComboButton = 0x0004;
// The id of the "..." button in its press notification.
constexpr int XTP_ID_PROPERTYGRID_EXPANDBUTTON = 100;

// A button at the right of an item's value.
class CXTPPropertyGridInplaceButton {
public:
    explicit CXTPPropertyGridInplaceButton(int nID) : m_nID(nID) {}

    int GetID() const { return m_nID; }
    QString GetCaption() const { return m_strCaption; }
    void SetCaption(const QString& caption);
    bool GetEnabled() const { return m_bEnabled; }
    void SetEnabled(bool bEnabled);
    CXTPPropertyGridItem* GetItem() const { return m_pItem; }
    // Where the button is drawn, in the grid view's coordinates; empty while
    // its item is not shown.
    QRect GetRect() const;

private:
    friend class CXTPPropertyGridInplaceButtons;
    int m_nID;
    QString m_strCaption;
    bool m_bEnabled = true;
    CXTPPropertyGridItem* m_pItem = nullptr;
};

class CXTPPropertyGridInplaceButtons {
public:
    explicit CXTPPropertyGridInplaceButtons(CXTPPropertyGridItem* item) : m_item(item) {}
    CXTPPropertyGridInplaceButton* AddButton(std::unique_ptr<CXTPPropertyGridInplaceButton> pButton);
    void Remove(int nID);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    CXTPPropertyGridInplaceButton* GetAt(int nIndex) const;
    CXTPPropertyGridInplaceButton* Find(int nID) const;

private:
    CXTPPropertyGridItem* m_item;
    std::vector<std::unique_ptr<CXTPPropertyGridInplaceButton>> m_buttons;
};

// Colours of an item's caption or value; CLR_DEFAULT leaves the grid's own.
using platform::gdi::CLR_DEFAULT;
struct CXTPPropertyGridItemMetrics {
    platform::gdi::COLORREF m_clrFore = CLR_DEFAULT;
    platform::gdi::COLORREF m_clrBack = CLR_DEFAULT;
};

// The fixed choices of an item: texts with a value each.
class CXTPPropertyGridItemConstraints {
public:
    explicit CXTPPropertyGridItemConstraints(CXTPPropertyGridItem* item) : m_item(item) {}
    // A choice with its value and, optionally, an image of the grid's image
    // manager shown beside the value while the choice is chosen.
    int AddConstraint(const QString& text, int data = 0, int nImage = -1);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    QString GetAt(int nIndex) const;
    int GetConstraintAt(int nIndex) const; // the value of entry nIndex
    int FindConstraint(const QString& text) const; // index or -1
    int FindConstraint(int data) const;
    int GetImageAt(int nIndex) const;

private:
    struct Entry {
        QString text;
        int data = 0;
        int image = -1;
    };
    CXTPPropertyGridItem* m_item;
    std::vector<Entry> m_entries;
};

// The children of an item, in order.
class CXTPPropertyGridItems {
public:
    int GetCount() const { return static_cast<int>(m_items.size()); }
    CXTPPropertyGridItem* GetAt(int nIndex) const;
    // The item of the id among these and their descendants, or null.
    CXTPPropertyGridItem* FindItem(int nID) const;

private:
    friend class CXTPPropertyGridItem;
    friend class CXTPPropertyGrid;
    std::vector<std::unique_ptr<CXTPPropertyGridItem>> m_items;
};

class CXTPPropertyGridItem {
public:
    explicit CXTPPropertyGridItem(const QString& strCaption, const QString& strValue = {},
                                  QString* pBindString = nullptr);
    virtual ~CXTPPropertyGridItem();
    CXTPPropertyGridItem(const CXTPPropertyGridItem&) = delete;
    CXTPPropertyGridItem& operator=(const CXTPPropertyGridItem&) = delete;

    int GetID() const { return m_nID; }
    void SetID(int nID) { m_nID = nID; }
    QString GetCaption() const { return m_strCaption; }
    void SetCaption(const QString& caption);
    QString GetDescription() const { return m_strDescription; }
    void SetDescription(const QString& description) { m_strDescription = description; }

    QString GetValue() const { return m_strValue; }
    // Sets the shown value (and the bound string); nobody is notified.
    virtual void SetValue(QString strValue);
    // The user changed the value: sets it and tells the grid's owner (code 3).
    virtual void OnValueChanged(QString strValue);
    // The item joined a grid; items add their children here.
    virtual void OnAddChildItem() {}

    // Adds a child and answers it; the item owns it.
    CXTPPropertyGridItem* AddChildItem(std::unique_ptr<CXTPPropertyGridItem> pItem);
    template <typename T>
    T* AddChildItem(std::unique_ptr<T> pItem)
    {
        T* item = pItem.get();
        AddChildItem(std::unique_ptr<CXTPPropertyGridItem>(std::move(pItem)));
        return item;
    }
    CXTPPropertyGridItems* GetChilds() { return &m_children; }
    const CXTPPropertyGridItems* GetChilds() const { return &m_children; }
    // Takes every child out of the item and the grid. As with the grid's
    // ResetContent, the children stay valid until the event loop runs again,
    // so an owner may do this from inside a child's notification.
    void RemoveChilds();
    bool HasChilds() const { return m_children.GetCount() > 0; }
    CXTPPropertyGridItem* GetParentItem() const { return m_pParent; }
    CXTPPropertyGrid* GetGrid() const { return m_pGrid; }
    virtual bool IsCategory() const { return false; }

    void Expand();
    void Collapse();
    bool IsExpanded() const { return m_bExpanded; }
    void Select();
    bool IsSelected() const;
    void SetHidden(bool bHidden);
    bool GetHidden() const { return m_bHidden; }
    void SetReadOnly(bool bReadOnly = true);
    bool GetReadOnly() const { return m_bReadOnly; }
    void SetFlags(int nFlags);
    int GetFlags() const { return m_nFlags; }
    // Row height in pixels; 0 is the grid's own.
    void SetHeight(int nHeight);
    int GetHeight() const { return m_nHeight; }

    CXTPPropertyGridInplaceButtons* GetInplaceButtons() { return &m_buttons; }
    // A button of the item was pressed: the owner hears code 5.
    virtual void OnInplaceButtonDown(CXTPPropertyGridInplaceButton* pButton);

    // Draws the value into `rcValue` and answers true, or answers false to
    // leave the value text to the grid.
    virtual bool OnDrawItemValue(platform::Dc& dc, const QRect& rcValue);
    // The item's row was shown (true) or is no longer shown (false): hidden,
    // under a collapsed parent, or taken out of the grid.
    virtual void SetVisible(bool bVisible) { m_bVisible = bVisible; }
    bool IsVisible() const { return m_bVisible; }
    // The item's position among the shown rows changed.
    virtual void OnIndexChanged() {}
    // Position among the shown rows, -1 when not shown.
    int GetIndex() const { return m_nIndex; }
    // Levels below the top (a category's items are at level 1).
    int GetIndent() const;
    // The item's row and its value cell, in the grid view's coordinates.
    QRect GetItemRect() const;
    QRect GetValueRect() const;

    CXTPPropertyGridItemConstraints* GetConstraints() { return &m_constraints; }
    const CXTPPropertyGridItemConstraints* GetConstraints() const { return &m_constraints; }
    CXTPPropertyGridItemMetrics* GetCaptionMetrics() { return &m_captionMetrics; }
    CXTPPropertyGridItemMetrics* GetValueMetrics() { return &m_valueMetrics; }

    // How the grid shows and edits the item.
    enum class Editor { None, Text, List, CheckBox };
    virtual Editor editor() const;
    // The value column's text.
    virtual QString GetViewValue() const { return m_strValue; }
    // Called when the choices change; enumerations show their text again.
    virtual void OnConstraintsChanged() {}
    // What a typed value may hold; null for any text.
    virtual std::unique_ptr<QValidator> createValidator(QObject* parent) const;

    QTreeWidgetItem* node() const { return m_node; }
    // Shows the item's present caption, value and states in its row.
    void refreshNode();
    bool isRefreshing() const { return m_bRefreshing; }

private:
    friend class CXTPPropertyGrid;
    void attach(CXTPPropertyGrid* grid, QTreeWidgetItem* node);
    void detachFromGrid();
    void setIndex(int nIndex) { m_nIndex = nIndex; }

    int m_nID = 0;
    QString m_strCaption;
    QString m_strDescription;
    QString m_strValue;
    QString* m_pBindString = nullptr;
    bool m_bExpanded = false;
    bool m_bHidden = false;
    bool m_bReadOnly = false;
    bool m_bRefreshing = false;
    bool m_bVisible = false;
    int m_nIndex = -1;
    int m_nFlags = 0;
    int m_nHeight = 0;
    CXTPPropertyGridItem* m_pParent = nullptr;
    CXTPPropertyGrid* m_pGrid = nullptr;
    QTreeWidgetItem* m_node = nullptr;
    CXTPPropertyGridItems m_children;
    CXTPPropertyGridItemConstraints m_constraints{this};
    CXTPPropertyGridItemMetrics m_captionMetrics;
    CXTPPropertyGridItemMetrics m_valueMetrics;
    CXTPPropertyGridInplaceButtons m_buttons{this};
};

// A whole number, typed in a box that takes digits only.
class CXTPPropertyGridItemNumber : public CXTPPropertyGridItem {
public:
    explicit CXTPPropertyGridItemNumber(const QString& strCaption, long nValue = 0,
                                        long* pBindNumber = nullptr);

    long GetNumber() const { return m_nValue; }
    void SetNumber(long nValue);
    // A text that is no whole number leaves the value as it was.
    void SetValue(QString strValue) override;
    std::unique_ptr<QValidator> createValidator(QObject* parent) const override;

private:
    long m_nValue = 0;
    long* m_pBindNumber = nullptr;
};

// A real number shown with a printf format ("%.1f"; the default "%0.2f").
class CXTPPropertyGridItemDouble : public CXTPPropertyGridItem {
public:
    explicit CXTPPropertyGridItemDouble(const QString& strCaption, double fValue = 0,
                                        const QString& strFormat = {}, double* pBindDouble = nullptr);

    double GetDouble() const { return m_fValue; }
    void SetDouble(double fValue);
    // A format with anything but one conversion of a real number is not
    // taken: the default stays.
    void SetFormat(const QString& strFormat);
    QString GetFormat() const { return m_strFormat; }
    // A text that is no number leaves the value as it was.
    void SetValue(QString strValue) override;
    std::unique_ptr<QValidator> createValidator(QObject* parent) const override;

private:
    double m_fValue = 0;
    QString m_strFormat;
    double* m_pBindDouble = nullptr;
};

// A yes/no item, shown with its true and false texts; as a check box in the
// check-box style, else chosen from the two texts.
class CXTPPropertyGridItemBool : public CXTPPropertyGridItem {
public:
    explicit CXTPPropertyGridItemBool(const QString& strCaption, bool bValue = false,
                                      bool* pBindBool = nullptr);

    bool GetBool() const { return m_bValue; }
    void SetBool(bool bValue);
    void SetTrueFalseText(const QString& strTrueText, const QString& strFalseText);
    void SetCheckBoxStyle(bool bCheckBoxStyle = true);
    bool IsCheckBoxStyle() const { return m_bCheckBoxStyle; }

    void SetValue(QString strValue) override;
    Editor editor() const override;

private:
    void refillChoices();

    bool m_bValue = false;
    bool* m_pBindBool = nullptr;
    QString m_strTrueText = QStringLiteral("True");
    QString m_strFalseText = QStringLiteral("False");
    bool m_bCheckBoxStyle = false;
};

// A choice among the constraints' texts; its value is the chosen entry's number.
class CXTPPropertyGridItemEnum : public CXTPPropertyGridItem {
public:
    explicit CXTPPropertyGridItemEnum(const QString& strCaption, int nValue = 0,
                                      int* pBindEnum = nullptr);

    int GetEnum() const { return m_nValue; }
    void SetEnum(int nValue);

    void SetValue(QString strValue) override;
    void OnConstraintsChanged() override;

private:
    int m_nValue = 0;
    int* m_pBindEnum = nullptr;
};

// A heading that groups items; it has no value.
class CXTPPropertyGridItemCategory : public CXTPPropertyGridItem {
public:
    explicit CXTPPropertyGridItemCategory(const QString& strCaption)
        : CXTPPropertyGridItem(strCaption)
    {
    }
    bool IsCategory() const override { return true; }
    Editor editor() const override { return Editor::None; }
};
