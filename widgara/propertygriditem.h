#pragma once
// Items of the property grid: a caption and a value text, an id by which the
// owner recognises the item in notifications, children, and the states
// hidden, read-only and expanded. Subclasses override SetValue (the shown
// value changes), OnValueChanged (the user changed it; the base notifies the
// grid's owner with code 3) and OnAddChildItem (the item joined a grid: add
// children here). Kinds: text (this class), boolean, enumeration, category.

#include "platform/gdi.h"

#include <QString>
#include <memory>
#include <vector>

class CXTPPropertyGrid;
class CXTPPropertyGridItem;
class QTreeWidgetItem;

// Colours of an item's caption or value; CLR_DEFAULT leaves the grid's own.
constexpr platform::gdi::COLORREF CLR_DEFAULT = 0xFF000000;
struct CXTPPropertyGridItemMetrics {
    platform::gdi::COLORREF m_clrFore = CLR_DEFAULT;
    platform::gdi::COLORREF m_clrBack = CLR_DEFAULT;
};

// The fixed choices of an item: texts with a value each.
class CXTPPropertyGridItemConstraints {
public:
    explicit CXTPPropertyGridItemConstraints(CXTPPropertyGridItem* item) : m_item(item) {}
    int AddConstraint(const QString& text, int data = 0);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    QString GetAt(int nIndex) const;
    int GetConstraintAt(int nIndex) const; // the value of entry nIndex
    int FindConstraint(const QString& text) const; // index or -1
    int FindConstraint(int data) const;

private:
    struct Entry {
        QString text;
        int data = 0;
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

    QTreeWidgetItem* node() const { return m_node; }
    // Shows the item's present caption, value and states in its row.
    void refreshNode();
    bool isRefreshing() const { return m_bRefreshing; }

private:
    friend class CXTPPropertyGrid;
    void attach(CXTPPropertyGrid* grid, QTreeWidgetItem* node);
    void detachFromGrid();

    int m_nID = 0;
    QString m_strCaption;
    QString m_strDescription;
    QString m_strValue;
    QString* m_pBindString = nullptr;
    bool m_bExpanded = false;
    bool m_bHidden = false;
    bool m_bReadOnly = false;
    bool m_bRefreshing = false;
    CXTPPropertyGridItem* m_pParent = nullptr;
    CXTPPropertyGrid* m_pGrid = nullptr;
    QTreeWidgetItem* m_node = nullptr;
    CXTPPropertyGridItems m_children;
    CXTPPropertyGridItemConstraints m_constraints{this};
    CXTPPropertyGridItemMetrics m_captionMetrics;
    CXTPPropertyGridItemMetrics m_valueMetrics;
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
