#pragma once
// A dialog whose controls follow its size: each registered control keeps its
// place relative to the dialog's edges by anchor fractions (0 = stays with
// the left/top edge, 1 = moves with the right/bottom edge) for its left,
// top, right and bottom sides. The dialog can remember its placement in the
// program's profile.
//
//   bool MyDlg::OnInitDialog() {
//       CXTResizeDialog::OnInitDialog();
//       SetResize(IDC_LIST, SZ_TOP_LEFT, SZ_BOTTOM_RIGHT);   // grows both ways
//       SetResize(IDOK, 1, 1, 1, 1);                         // follows the corner
//       AutoLoadPlacement("My dialog");
//       return true;
//   }

#include <QDialog>
#include <QMargins>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <vector>

struct XT_RESIZEPOINT {
    double x = 0;
    double y = 0;
};
constexpr XT_RESIZEPOINT SZ_TOP_LEFT{0, 0};
constexpr XT_RESIZEPOINT SZ_TOP_CENTER{0.5, 0};
constexpr XT_RESIZEPOINT SZ_TOP_RIGHT{1, 0};
constexpr XT_RESIZEPOINT SZ_MIDDLE_LEFT{0, 0.5};
constexpr XT_RESIZEPOINT SZ_MIDDLE_CENTER{0.5, 0.5};
constexpr XT_RESIZEPOINT SZ_MIDDLE_RIGHT{1, 0.5};
constexpr XT_RESIZEPOINT SZ_BOTTOM_LEFT{0, 1};
constexpr XT_RESIZEPOINT SZ_BOTTOM_CENTER{0.5, 1};
constexpr XT_RESIZEPOINT SZ_BOTTOM_RIGHT{1, 1};

// SetFlag values.
constexpr int xtResizeNoSizeIcon = 0x01;
constexpr int xtResizeNoHorizontal = 0x02;
constexpr int xtResizeNoVertical = 0x04;
constexpr int xtResizeNoMinsize = 0x08;
constexpr int xtResizeNoClipChildren = 0x10;
constexpr int xtResizeNoTransparentGroup = 0x20;

class CXTPCommandBars;

class CXTResizeDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int IDOK = 1;
    static constexpr int IDCANCEL = 2;
    // Kinds of OnSize.
    static constexpr int SIZE_RESTORED = 0;
    static constexpr int SIZE_MINIMIZED = 1;
    static constexpr int SIZE_MAXIMIZED = 2;

    explicit CXTResizeDialog(int nIDTemplate, QWidget* pParent = nullptr, int nFlags = 0);
    ~CXTResizeDialog() override;

    int GetTemplateID() const { return m_nIDTemplate; }
    // Runs the dialog modally: IDOK or IDCANCEL (or EndDialog's value).
    int DoModal();
    void EndDialog(int nResult);

    // Runs once, before the dialog is first shown. The base records the
    // dialog's size as the one the anchors are measured from and, unless
    // xtResizeNoMinsize, makes it the smallest size.
    virtual bool OnInitDialog();
    // The dialog's size changed; the base moves the registered controls.
    virtual void OnSize(int nType, int cx, int cy);

    void SetResize(int nID, double left, double top, double right, double bottom);
    void SetResize(int nID, XT_RESIZEPOINT topLeft, XT_RESIZEPOINT bottomRight);
    void SetResize(QWidget* control, double left, double top, double right, double bottom);
    void SetFlag(int nFlags);
    int GetFlags() const { return m_nFlags; }

    // Restores the placement stored under `section` (when there is a sound
    // one) and stores it again whenever the dialog closes.
    void AutoLoadPlacement(const QString& section);
    void SavePlacement(const QString& section) const;
    bool LoadPlacement(const QString& section);

    // Moves every registered control by (dx, dy), for good.
    void Offset(int dx, int dy);
    // The size the anchors are measured from grows by (dx, dy), as when
    // command bars take room and the dialog grows to make it.
    void GrowRecordedSize(int dx, int dy);
    QSize recordedSize() const { return m_recorded; }
    // Lays out `pCommandBars` at the top; when the room they take differs
    // from `lastBorders`, the dialog grows by the difference (and its
    // recorded size with it) and the registered controls move by the change
    // of the left and top borders. `lastBorders` becomes the new room.
    // Answers whether anything moved.
    bool MakeRoomForCommandBars(CXTPCommandBars* pCommandBars, QMargins& lastBorders);

    QWidget* GetDlgItem(int nID) const;
    bool isInitialized() const { return m_bInitialized; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void done(int result) override;
    // Places every registered control for the dialog's present size.
    void layoutControls();

private:
    struct Item {
        QPointer<QWidget> control;
        QRectF base; // its rectangle at the recorded size
        double left, top, right, bottom;
    };
    void ensureInitialized();

    int m_nIDTemplate;
    int m_nFlags = 0;
    int m_nResult = IDCANCEL;
    bool m_bInitialized = false;
    bool m_bRecorded = false;
    QSize m_recorded;
    QString m_placementSection;
    std::vector<Item> m_items;
};
