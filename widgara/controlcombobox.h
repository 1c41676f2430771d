#pragma once
// A combo box on a command bar: a drop-down list (list style) or an editable
// drop-down with an edit hint. Choosing an entry, or pressing Enter in the
// edit part, runs the control: its owner gets the notification
// CBN_XTP_EXECUTE (100) with the control. The list can be owner-drawn
// (ModifyListBoxStyle with CBS_OWNERDRAWFIXED): DrawItem then draws each entry.

#include "widgara/control.h"

#include <QString>
#include <vector>

// List styles (ModifyListBoxStyle).
constexpr unsigned CBS_OWNERDRAWFIXED = 0x0010;
constexpr unsigned CBS_OWNERDRAWVARIABLE = 0x0020;
constexpr unsigned CBS_HASSTRINGS = 0x0200;
// Entry states of an owner-drawn entry.
constexpr unsigned ODS_SELECTED = 0x0001;
constexpr unsigned ODS_DISABLED = 0x0004;
constexpr unsigned ODS_FOCUS = 0x0010;
constexpr unsigned ODS_COMBOBOXEDIT = 0x1000;
// The answer for no entry.
constexpr int CB_ERR = -1;

// One owner-drawn entry: where and how to draw it.
struct XTPDrawItemStruct {
    platform::Dc* pDC = nullptr;
    platform::Rect rcItem;
    int itemID = -1;
    unsigned itemState = 0;
    quintptr itemData = 0;
};

class CXTPControlComboBox : public CXTPControl {
public:
    CXTPControlComboBox() : CXTPControl(xtpControlComboBox) {}
    QString GetRuntimeClassName() const override { return QStringLiteral("CXTPControlComboBox"); }

    // On (the default): choose from the list only; off: an editable box.
    void SetDropDownListStyle(bool bSet = true);
    bool GetDropDownListStyle() const { return m_bDropDownList; }
    // The grey hint in an empty edit part.
    void SetEditHint(const QString& hint);
    QString GetEditHint() const { return m_strEditHint; }
    void ModifyListBoxStyle(unsigned dwRemove, unsigned dwAdd);
    unsigned GetListBoxStyle() const { return m_listStyle; }

    int AddString(const QString& text);
    int InsertString(int nIndex, const QString& text);
    int DeleteItem(int nIndex);
    void ResetContent();
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    QString GetLBText(int nIndex) const;
    int SetItemData(int nIndex, quintptr data);
    quintptr GetItemData(int nIndex) const;
    int FindStringExact(int nStartAfter, const QString& text) const;

    // Selects an entry (CB_ERR for none) without notifying anyone.
    int SetCurSel(int nIndex);
    int GetCurSel() const { return m_nCurSel; }
    QString GetEditText() const { return m_strEditText; }
    void SetEditText(const QString& text);

    void Copy(const CXTPControl* pControl, bool bRecursive = false) override;
    void DoPropExchange(CXTPPropExchange* pPX) override;
    QWidget* createWidget(CXTPCommandBar* bar) override;

    // Draws one entry of an owner-drawn list.
    virtual void DrawItem(XTPDrawItemStruct* lpDrawItemStruct);
    // Height of an owner-drawn entry.
    virtual int GetItemHeight() const { return 18; }

    // Called by the combo widget: the user chose an entry or typed a text.
    void onEntryChosen(int nIndex);
    void onTextEntered(const QString& text);

protected:
    void syncWidget() override;

private:
    struct Entry {
        QString text;
        quintptr data = 0;
    };
    void refillWidget();

    std::vector<Entry> m_entries;
    int m_nCurSel = CB_ERR;
    QString m_strEditText;
    QString m_strEditHint;
    bool m_bDropDownList = true;
    unsigned m_listStyle = CBS_HASSTRINGS;
};
