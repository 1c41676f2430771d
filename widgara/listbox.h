#pragma once
// A list of texts with one selection, as dialogs use it.

#include <QListWidget>

class CXTListBox : public QListWidget {
    Q_OBJECT
public:
    explicit CXTListBox(QWidget* parent = nullptr);

    // Each answers the index of the text, or -1 (LB_ERR).
    int AddString(const QString& text);
    int InsertString(int nIndex, const QString& text);
    int DeleteString(int nIndex);  // the count left, or -1
    int FindStringExact(int nStartAfter, const QString& text) const;
    void ResetContent() { clear(); }
    int GetCount() const { return count(); }
    int GetCurSel() const { return currentRow(); }
    int SetCurSel(int nSelect);
    QString GetText(int nIndex) const;
};
