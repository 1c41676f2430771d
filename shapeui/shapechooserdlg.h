#pragma once
// What the two shape choosers share: a tab strip with the shape list laid on
// its page, OK and Cancel, a double-click that chooses, and DoModal, which
// builds the dialog once before it runs.

#include <QDialog>

class CVes_ShapeListCtrl;
class CVes_ThemedTabCtrl;
class QHBoxLayout;

class ShapeChooserDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;

    ~ShapeChooserDlg() override;

    // IDOK or IDCANCEL.
    int DoModal();
    // Builds tabs and list; DoModal (or showing) runs it once.
    virtual void OnInitDialog() = 0;

    CVes_ThemedTabCtrl* tabCtrl() const { return m_tab; }
    CVes_ShapeListCtrl* shapeList() const { return m_list; }

protected:
    // Makes the tab strip and the list on it, with the dialog's and their
    // control ids as object names.
    ShapeChooserDlg(int dialogId, int tabId, int listId, QWidget* parent);

    // The OK button (the default, labelled `okText`) and Cancel in a row.
    QHBoxLayout* okCancelButtons(const QString& okText);
    // Lays the list on the tab strip's page area; called whenever the
    // dialog or the strip changes size.
    virtual void placeList();

    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

    CVes_ThemedTabCtrl* m_tab = nullptr;
    CVes_ShapeListCtrl* m_list = nullptr;
};
