#pragma once
// The stirrup count of a column in one storey, with densified zones below the
// beam above and at the bottom of the column. The caller sets the unit mode,
// may preset the spacings and reads the total and the spacings after OK.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// Lower-zone rules: Hn/6, Hn/3, rigid ground floor (500 above and below).
inline constexpr int ColumnHoopRuleHn6 = 0;
inline constexpr int ColumnHoopRuleHn3 = 1;
inline constexpr int ColumnHoopRuleGround = 2;

// Unit modes of the lengths: 0 mm, 1 cm, 2 m.
inline constexpr int ColumnHoopUnitMm = 0;
inline constexpr int ColumnHoopUnitCm = 1;
inline constexpr int ColumnHoopUnitM = 2;

// Everything the computation reads. Lengths are whole numbers in the unit of
// the mode; n is the count-rounding digit (1..9).
struct ColumnHoopInput {
    int storeyHeight = 0;   // H
    int columnSide = 0;     // Hc
    int beamHeight = 0;     // Hj
    int rule = ColumnHoopRuleHn6;
    bool upperZone = true;
    bool lowerZone = true;
    int denseSpacing = 100; // s1
    int normalSpacing = 200; // s2
    int roundDigit = 5;     // n
    int extra = 0;          // a, additional stirrups
    int unitMode = ColumnHoopUnitMm;
};

struct ColumnHoopResult {
    int total = 0;
    int normal = 0;
    int densified = 0;

    bool operator==(const ColumnHoopResult&) const = default;
};

// First-stirrup offset c and minimum zone length M of a unit mode.
double columnHoopOffset(int unitMode);
double columnHoopMinZone(int unitMode);

// Length of the lower densified zone by its rule, before the rigid-ground
// rule replaces it: max(Hn/6 + 1 or Hn/3 + 1, M, Hc), or M with rule 2.
double columnHoopLowerZone(int rule, int clearHeight, int columnSide, int unitMode);

// The counts of the upper and lower zones and of the normal part between them.
ColumnHoopResult columnHoopCount(const ColumnHoopInput& input);

class CVes_ColumnHoopCalcDlg : public QDialog {
    Q_OBJECT

public:
    explicit CVes_ColumnHoopCalcDlg(QWidget* parent = nullptr);
    ~CVes_ColumnHoopCalcDlg() override;

    // Set by the caller before the dialog shows.
    void setUnitMode(int mode);
    void setSpacings(int dense, int normal);
    void setLapZone(int diameter, double factor);

    // What the caller reads after OK: the total as the box shows it and the
    // remembered spacings.
    int result() const { return m_nResult; }
    int denseSpacing() const;
    int normalSpacing() const;

    // The inputs remembered for the life of the program; the rounding digits
    // start from the user's count-rounding digit.
    static ColumnHoopInput& remembered();

    int unitMode() const { return m_nUnitMode; }
    int pictureId() const { return m_nPicture; }

    QLineEdit* heightEdit() const { return m_pHeight; }
    QLineEdit* sideEdit() const { return m_pSide; }
    QLineEdit* beamEdit() const { return m_pBeam; }
    QLineEdit* denseEdit() const { return m_pDense; }
    QLineEdit* normalEdit() const { return m_pNormalSpacing; }
    QComboBox* ruleCombo() const { return m_pRule; }
    QCheckBox* upperCheck() const { return m_pUpper; }
    QCheckBox* lowerCheck() const { return m_pLower; }
    QSpinBox* dropDigitSpin() const { return m_pDrop; }
    QSpinBox* roundDigitSpin() const { return m_pRound; }
    QLineEdit* totalEdit() const { return m_pTotal; }
    QLineEdit* normalCountEdit() const { return m_pNormalCount; }
    QLineEdit* denseCountEdit() const { return m_pDenseCount; }
    QLineEdit* extraEdit() const { return m_pExtra; }
    QPushButton* computeButton() const { return m_pCompute; }
    QLabel* groundHint() const { return m_pGroundHint; }
    QLabel* sideHint() const { return m_pSideHint; }
    QLabel* minHint() const { return m_pMinHint; }
    QGroupBox* storeyGroup() const { return m_pStoreyGroup; }
    QGroupBox* spacingGroup() const { return m_pSpacingGroup; }

public:
    void accept() override;

private:
    void readFields();
    void recompute();
    void updateHints();
    void onRuleChanged();

    QLineEdit* m_pHeight = nullptr;
    QLineEdit* m_pSide = nullptr;
    QLineEdit* m_pBeam = nullptr;
    QLineEdit* m_pDense = nullptr;
    QLineEdit* m_pNormalSpacing = nullptr;
    QComboBox* m_pRule = nullptr;
    QCheckBox* m_pUpper = nullptr;
    QCheckBox* m_pLower = nullptr;
    QSpinBox* m_pDrop = nullptr;
    QSpinBox* m_pRound = nullptr;
    QLineEdit* m_pTotal = nullptr;
    QLineEdit* m_pNormalCount = nullptr;
    QLineEdit* m_pDenseCount = nullptr;
    QLineEdit* m_pExtra = nullptr;
    QPushButton* m_pCompute = nullptr;
    QLabel* m_pGroundHint = nullptr;
    QLabel* m_pSideHint = nullptr;
    QLabel* m_pMinHint = nullptr;
    QLabel* m_pPicture = nullptr;
    QGroupBox* m_pStoreyGroup = nullptr;
    QGroupBox* m_pSpacingGroup = nullptr;
    int m_nUnitMode = ColumnHoopUnitMm;
    int m_nPicture = 4021;
    int m_nLapDiameter = 0;
    double m_dLapFactor = 0.0;
    int m_nResult = 0;
    bool m_bLoading = false;
};
