#pragma once
// The stirrup count of a beam over one or more spans, with densified zones
// at the supports: one row per group of identical spans (their number, net
// span, densified and normal spacing, additional stirrups). The caller sets
// the unit mode and may preset the spacings; after OK it reads the total and
// the remembered spacings of the first span.

#include "grid/gridowner.h"

#include <QDialog>

class CGridCtrl;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Unit modes of the lengths: 0 mm, 1 cm, 2 m.
inline constexpr int BeamHoopUnitMm = 0;
inline constexpr int BeamHoopUnitCm = 1;
inline constexpr int BeamHoopUnitM = 2;

// Zones: densified at both ends of a span, or at one end only.
inline constexpr int BeamHoopBothEnds = 0;
inline constexpr int BeamHoopOneEnd = 1;

// The length of the densified zone for a beam height and the factor chosen
// (index 0 "0", 1 "1.5", 2 "2"): 0, 1.5 hb or 2 hb, whole, and never below
// the unit mode's minimum (500 mm) when there is a zone.
int beamHoopDensifiedLength(int beamHeight, int factorIndex, int unitMode);

// One row of identical spans.
struct BeamHoopSpan {
    int spans = 1;          // k
    int netLength = 0;      // L
    int denseSpacing = 100; // s1
    int normalSpacing = 200; // s2
    int extra = 0;          // a
};

struct BeamHoopSpanCount {
    int densified = 0;
    int normal = 0;
    int count = 0; // (a + densified + normal) × k

    bool operator==(const BeamHoopSpanCount&) const = default;
};

// The counts of one row. `densifiedLength` is fitted to the span (half the
// span with zones at both ends, the span with one) and stays fitted for the
// rows after it. `roundDigit` is n of the user's count rounding.
BeamHoopSpanCount beamHoopSpanCount(const BeamHoopSpan& span, int& densifiedLength, int zones,
                                    int factorIndex, int roundDigit, int unitMode);

class CVes_BeamHoopCountDlg : public QDialog, public GridOwner {
    Q_OBJECT

public:
    // The values kept from one opening to the next for the life of the program.
    struct Remembered {
        int beamHeight = 400;
        QString beamHeightText = QStringLiteral("400");
        int factorIndex = 1;
        int denseSpacing = 100;
        int normalSpacing = 200;
    };
    static Remembered& remembered();

    // Grid columns.
    static constexpr int kColSpans = 0;
    static constexpr int kColLength = 1;
    static constexpr int kColDense = 2;
    static constexpr int kColNormal = 3;
    static constexpr int kColExtra = 4;
    static constexpr int kColDenseCount = 5;
    static constexpr int kColNormalCount = 6;

    explicit CVes_BeamHoopCountDlg(QWidget* parent = nullptr);
    ~CVes_BeamHoopCountDlg() override;

    // Set before the dialog shows: the unit of the lengths (the spacing
    // column's unit kind: 0 mm, 1 cm, 2 m).
    void setUnitMode(int mode);
    int unitMode() const { return m_nUnitMode; }

    // What the caller reads after OK.
    int total() const { return m_nTotal; }
    int denseSpacing() const { return remembered().denseSpacing; }
    int normalSpacing() const { return remembered().normalSpacing; }

    int densifiedLength() const { return m_nDensified; }
    int roundDigit() const { return m_nRound; }

    CGridCtrl* grid() const { return m_pGrid; }
    QComboBox* beamHeightCombo() const { return m_pHeight; }
    QComboBox* factorCombo() const { return m_pFactor; }
    QRadioButton* zoneButton(int zones) const { return zones == BeamHoopOneEnd ? m_pOneEnd : m_pBothEnds; }
    QLineEdit* dropDigitEdit() const { return m_pDrop; }
    QLineEdit* roundDigitEdit() const { return m_pRoundShown; }
    QLineEdit* densifiedEdit() const { return m_pDensifiedShown; }
    QLineEdit* totalEdit() const { return m_pTotal; }
    QLabel* minimumLabel() const { return m_pMinimum; }
    QPushButton* addButton() const { return m_pAdd; }
    QPushButton* deleteButton() const { return m_pDelete; }

    // Adds a span row that copies the last row's spacings; deletes the row
    // holding the focus (never the header).
    void addSpan();
    void deleteSpan();

    LRESULT OnGridNotify(const GridNotify& notify) override;

public:
    void accept() override;

private:
    void buildGrid();
    void setHeader();
    void fitCaptions();
    void fillHeightList();
    void appendRow(const BeamHoopSpan& span);
    BeamHoopSpan rowSpan(int row);
    // D from the beam height, the factor and the zone choice, then all rows.
    void onHeightChanged();
    void recomputeDensified();
    void recomputeRows();

    CGridCtrl* m_pGrid = nullptr;
    QComboBox* m_pHeight = nullptr;
    QComboBox* m_pFactor = nullptr;
    QRadioButton* m_pBothEnds = nullptr;
    QRadioButton* m_pOneEnd = nullptr;
    QLineEdit* m_pDrop = nullptr;
    QLineEdit* m_pRoundShown = nullptr;
    QLineEdit* m_pDensifiedShown = nullptr;
    QLineEdit* m_pTotal = nullptr;
    QLabel* m_pMinimum = nullptr;
    QPushButton* m_pAdd = nullptr;
    QPushButton* m_pDelete = nullptr;
    int m_nUnitMode = BeamHoopUnitMm;
    int m_nDensified = 0;
    int m_nRound = 5;
    int m_nTotal = 0;
    bool m_bLoading = false;
};
