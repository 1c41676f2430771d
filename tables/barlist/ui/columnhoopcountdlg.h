#pragma once
// The stirrup count of a concealed (wall) column over one storey, with the
// lap zones of its longitudinal bars densified. The caller gives the design
// values and the lap factor; the dialog keeps storey height, longitudinal
// bar, spacings, rounding digit and the lap-zone switch for the life of the
// program; after OK the caller reads the total and the spacings.

#include <QDialog>

class CVes_SteelDnComBox;
class CVes_SteelGradeComBox;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// What one computation reads; lengths in mm.
struct WallHoopInput {
    int storeyHeight = 0;    // H
    int normalSpacing = 200; // s, outside the lap zones
    int lapSpacing = 100;    // t, in the lap zones
    int roundDigit = 1;      // n
    int extra = 0;           // A, additional stirrups
    bool lapZones = true;
    int lapLength = 0;       // L, the lap zones' total length
    float diameter = 12.0f;  // of the longitudinal bars
};

struct WallHoopResult {
    int total = 0;
    int normal = 0;
    int lap = 0;
    int lapSpacing = 0; // t as used: the bar's 5 d (at most 100) when none was given

    bool operator==(const WallHoopResult&) const = default;
};

// The lap zones' total length from the anchorage multiple, the bar's
// diameter and the lap factor index (0 1.2 four zones, 1 1.4 two zones,
// 2 1.6 one zone; any other index the anchorage length alone).
int wallHoopLapLength(int anchorageMultiple, float diameter, int factorIndex);
// The lap-zone spacing a longitudinal bar asks for: 5 d, at most 100.
int wallHoopLapSpacing(float diameter);
WallHoopResult wallHoopCount(const WallHoopInput& input);

class CColumnHoopCountDlg : public QDialog {
    Q_OBJECT

public:
    // The values kept from one opening to the next for the life of the program.
    struct Remembered {
        int roundDigit = 1;
        int normalSpacing = 200;
        int lapSpacing = 100;
        int grade = 1;
        float diameter = 12.0f;
        bool lapZones = true;
        int storeyHeight = 0;
        int kind = 0; // 0 plain, 1 epoxy-coated
    };
    static Remembered& remembered();

    explicit CColumnHoopCountDlg(QWidget* parent = nullptr);
    ~CColumnHoopCountDlg() override;

    // Set by the caller before the dialog shows.
    void setDesign(float concrete, float seismic, int atlas);
    // 0 1.2, 1 1.4, 2 1.6; any other index leaves the dialog's own.
    void setFactorIndex(int index);

    // What the caller reads after OK: the total as the box shows it, and the
    // remembered spacings.
    int total() const { return m_nTotal; }
    int normalSpacing() const { return remembered().normalSpacing; }
    int lapSpacing() const { return remembered().lapSpacing; }

    int anchorageMultiple() const { return m_nMultiple; }
    int lapLength() const { return m_nLapLength; }
    int factorIndex() const { return m_nFactor; }

    QLineEdit* heightEdit() const { return m_pHeight; }
    CVes_SteelDnComBox* diameterCombo() const { return m_pDiameter; }
    QComboBox* kindCombo() const { return m_pKind; }
    CVes_SteelGradeComBox* gradeCombo() const { return m_pGrade; }
    QLineEdit* normalSpacingEdit() const { return m_pNormal; }
    QLineEdit* lapSpacingEdit() const { return m_pLap; }
    QCheckBox* lapCheck() const { return m_pLapCheck; }
    QLineEdit* multipleEdit() const { return m_pMultiple; }
    QComboBox* factorCombo() const { return m_pFactorCombo; }
    QLineEdit* lapLengthEdit() const { return m_pLapLength; }
    QLineEdit* dropDigitEdit() const { return m_pDrop; }
    QLineEdit* roundDigitEdit() const { return m_pRoundShown; }
    QLineEdit* totalEdit() const { return m_pTotal; }
    QLineEdit* normalCountEdit() const { return m_pNormalCount; }
    QLineEdit* lapCountEdit() const { return m_pLapCount; }
    QLineEdit* extraEdit() const { return m_pExtra; }
    QPushButton* computeButton() const { return m_pCompute; }
    QLabel* picture() const { return m_pPicture; }

    // Reads the boxes and shows the counts (the "计算" button).
    void compute();

public:
    void accept() override;

private:
    void readControls();
    void loadControls();
    // The anchorage multiple of the longitudinal bar from the design values.
    void askMultiple();
    void recomputeLapLength();
    void onBarChanged();
    void onDiameterChanged();
    void onMultipleEdited();

    QLineEdit* m_pHeight = nullptr;
    CVes_SteelDnComBox* m_pDiameter = nullptr;
    QComboBox* m_pKind = nullptr;
    CVes_SteelGradeComBox* m_pGrade = nullptr;
    QLineEdit* m_pNormal = nullptr;
    QLineEdit* m_pLap = nullptr;
    QCheckBox* m_pLapCheck = nullptr;
    QLineEdit* m_pMultiple = nullptr;
    QComboBox* m_pFactorCombo = nullptr;
    QLineEdit* m_pLapLength = nullptr;
    QLineEdit* m_pDrop = nullptr;
    QLineEdit* m_pRoundShown = nullptr;
    QLineEdit* m_pTotal = nullptr;
    QLineEdit* m_pNormalCount = nullptr;
    QLineEdit* m_pLapCount = nullptr;
    QLineEdit* m_pExtra = nullptr;
    QPushButton* m_pCompute = nullptr;
    QLabel* m_pPicture = nullptr;

    float m_fConcrete = -1.0f;
    float m_fSeismic = -1.0f;
    int m_nAtlas = 0;
    int m_nMultiple = 0;
    int m_nLapLength = 0;
    int m_nFactor = 1;
    int m_nExtra = 0;
    int m_nTotal = 0;
    bool m_bLoading = false;
};
