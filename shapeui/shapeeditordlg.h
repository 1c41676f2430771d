#pragma once
// The shape editor: the modal dialog in which the user draws and edits one
// parametric bar shape. It joins the drawing and attribute toolbars, the
// canvas and the shape's property list, and works on a private copy of the
// caller's record; only a confirmed edit whose formulas all pass the check
// is copied back.
//
//   CShapeEditorDlg dlg(parent);
//   dlg.setEditRecord(&record);
//   if (dlg.DoModal() == CShapeEditorDlg::IDOK) { /* record holds the edit */ }

#include "core/model/modelrecord.h"
#include "shapeui/recorddrawview.h"
#include "shapeui/themelib.h"
#include "widgara/commandbars.h"
#include "widgara/propertygrid.h"
#include "widgara/resizedialog.h"

#include <QFrame>
#include <QMargins>
#include <QPointer>
#include <memory>

class CVes_ThemedButton;
class CXTPControlComboBox;

class CShapeEditorDlg : public CXTResizeDialog, public CXTPCommandBarsSite {
    Q_OBJECT
public:
    static constexpr int IDD = 2022;
    // Controls.
    static constexpr int kIdGridFrame = 2009;   // hidden; the grid takes its place
    static constexpr int kIdCanvasFrame = 2010;
    static constexpr int kIdBottomFrame = 2013; // hidden
    static constexpr int kIdCombo = 2015;       // hidden
    static constexpr int kIdPropertyGrid = 101;
    static constexpr int kIdCanvas = 201;
    // Resources.
    static constexpr int kIconOk = 2019;
    static constexpr int kIconCancel = 2020;
    static constexpr int kIconDialog = 2023;
    static constexpr int kToolBarDraw = 2026;
    static constexpr int kToolBarAttributes = 2032;
    // Commands of the drawing toolbar.
    static constexpr int ID_LINE_KIND = 42792;
    static constexpr int ID_MODE_SELECT = 42811;
    static constexpr int ID_MODE_LINE = 42793;
    static constexpr int ID_MODE_POLYLINE = 42794;
    static constexpr int ID_MODE_ARC = 42804;
    static constexpr int ID_MODE_CIRCLE = 42805;
    static constexpr int ID_MODE_VARIABLE = 42810;
    static constexpr int ID_MODE_TEXT = 42809;
    static constexpr int ID_UNUSED = 32846;
    static constexpr int ID_MODE_JOINT = 32847;
    // Commands of the attribute toolbar.
    static constexpr int ID_ALIGN_LEFT = 42815;
    static constexpr int ID_ALIGN_CENTER = 42816;
    static constexpr int ID_ALIGN_RIGHT = 42817;
    static constexpr int ID_TEXT_HEIGHT = 42826;
    static constexpr int ID_VAR_TYPE = 42835;
    static constexpr int ID_VAR_UNIT = 42836;
    static constexpr int ID_VAR_PRINT = 42837;
    static constexpr int ID_LINE_WIDTH = 42818;
    static constexpr int ID_LINE_STYLE = 42819;
    static constexpr int ID_UNDO = 42822;
    static constexpr int ID_REDO = 42824;
    static constexpr int ID_DELETE = 42825;
    static constexpr int ID_SNAP = 42831;
    // The buttons of the width and style popups.
    static constexpr int ID_WIDTH_FIRST = 1001;
    static constexpr int ID_WIDTH_LAST = 1020;
    static constexpr int ID_STYLE_FIRST = 1200;
    static constexpr int ID_STYLE_LAST = 1220;

    explicit CShapeEditorDlg(QWidget* parent = nullptr);
    ~CShapeEditorDlg() override;

    // The caller's record (borrowed): copied into the working record now,
    // written back only by a successful OK.
    void setEditRecord(CVes_ModelRecord* record);

    bool OnInitDialog() override;
    void OnSize(int nType, int cx, int cy) override;

    // Checks the formulas, turns connection marks into intermediate
    // connections, copies the shape back and ends with IDOK; false (the
    // dialog stays open) when a formula fails.
    bool OnOK();
    void OnCancel();
    // The window's close box: asks whether to keep the shape. Answers
    // whether the dialog closed.
    bool OnClose();

    // Rebuilds the property list from the working record.
    void fillPropertyGrid();
    // A selection (2) or value (3) change in the property list.
    long OnGridNotify(int code, CXTPPropertyGridItem* item);
    // The canvas's WM_VES_SHAPECHANGED: the list is rebuilt; answers 1.
    long OnShapeChanged();

    int OnCreateControl(XTP_COMMANDBARS_CREATECONTROL* lpCreateControl) override;
    long OnControlNotify(int code, CXTPControl* pControl) override;
    void OnCommand(int nID) override;
    void OnUpdateCommandUI(CCmdUI* pCmdUI) override;

    CVes_ModelRecord* workRecord() const { return m_pRecord.get(); }
    CVes_ModelRecordDrawView* canvas() const { return m_pView; }
    CXTPPropertyGrid* propertyGrid() const { return m_pGrid; }
    CXTPCommandBars* commandBars() const { return m_pCommandBars.get(); }

public Q_SLOTS:
    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void createCommandBars();
    void recalcBarLayout();
    void fitCanvas();
    bool checkFormulas();
    void makeMidConnects();
    void setMode(int mode);
    void onComboChanged(CXTPControlComboBox* combo);

    QPointer<QFrame> m_pGridFrame;
    QPointer<QFrame> m_pCanvasFrame;
    CVes_ThemedButton* m_pOk = nullptr;
    CVes_ThemedButton* m_pCancel = nullptr;
    CVes_ThemeLib m_theme;
    QPointer<CXTPPropertyGrid> m_pGrid;
    std::unique_ptr<CXTPCommandBars> m_pCommandBars;
    QMargins m_rcBorders;
    bool m_bInRecalcLayout = false;
    bool m_bInitialized = false;
    std::unique_ptr<CVes_ModelRecord> m_pRecord;
    CVes_ModelRecord* m_pEditRecord = nullptr;
    QPointer<CVes_ModelRecordDrawView> m_pView;
};

// Opens the editor on an empty start style; 1 when confirmed, else 0.
int drawModel(int unused);
