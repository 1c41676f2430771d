#pragma once
// 钢筋排序设置: which bars a sort of the sorted bar table covers (by grade, by
// bending and by diameter) and in which order it lists them. The command
// that opens it fills the members and applies them after OK.

#include <QDialog>

class CVes_SteelDnComBox;
class QCheckBox;
class QComboBox;

class CBarSortDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 242;
    // Controls.
    static constexpr int kGrade1Id = 1029;
    static constexpr int kGrade2Id = 1030;
    static constexpr int kGrade3Id = 1031;
    static constexpr int kGrade4Id = 1032;
    static constexpr int kGrade5Id = 1038;
    static constexpr int kColdRibbedId = 1036;
    static constexpr int kColdTwistedId = 1037;
    static constexpr int kStirrupId = 1033;
    static constexpr int kBentId = 1034;
    static constexpr int kStraightId = 1035;
    static constexpr int kDiameterOrderId = 4005;
    static constexpr int kLengthOrderId = 4034;
    static constexpr int kRangeModeId = 1077;
    static constexpr int kDiameterId = 1078;
    // Range modes: every diameter, below, equal to, above the diameter.
    static constexpr int kAllDiameters = 0;

    explicit CBarSortDlg(QWidget* parent = nullptr);
    ~CBarSortDlg() override;

    // Shows the members in the controls (false) or reads the controls into
    // the members (true).
    void UpdateData(bool saveAndValidate);
    void accept() override;

    // Grades (0 or 1 each).
    int m_bGrade1 = 0;
    int m_bGrade2 = 0;
    int m_bGrade3 = 0;
    int m_bGrade4 = 0;
    int m_bGrade5 = 0;
    int m_bColdRibbed = 0;
    int m_bColdTwisted = 0;
    // Kinds of bar.
    int m_bStirrup = 0;
    int m_bBent = 0;
    int m_bStraight = 0;
    // Orders: -1 none chosen; diameters 0 large to small, 1 small to large;
    // lengths 0 long to short, 1 short to long, 2 not by length.
    int m_nDiameterOrder = -1;
    int m_nLengthOrder = -1;
    // The diameter range and its diameter in mm.
    int m_nRangeMode = kAllDiameters;
    float m_fDiameter = 10.0f;

protected:
    void showEvent(QShowEvent* event) override;

private:
    // The diameter counts only in a range mode other than every diameter.
    void OnRangeModeChanged();

    QCheckBox* addCheck(int id, const QString& text);

    QComboBox* m_pDiameterOrder = nullptr;
    QComboBox* m_pLengthOrder = nullptr;
    QComboBox* m_pRangeMode = nullptr;
    CVes_SteelDnComBox* m_pDiameter = nullptr;
};
