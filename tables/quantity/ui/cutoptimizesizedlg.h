#pragma once
// The choice of the bar size whose cutting is optimised: a grade and a
// diameter (选择要优化断料的钢筋规格). The caller reads both after OK.

#include <QDialog>

class CVes_SteelDnComBox;
class CVes_SteelGradeComBox;

class CCutOptimizeSpecDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int IDD = 4030;
    static constexpr int kGradeBoxId = 4128;
    static constexpr int kDiameterBoxId = 4129;

    explicit CCutOptimizeSpecDlg(QWidget* parent = nullptr);
    ~CCutOptimizeSpecDlg() override;

    // Shows the members in the boxes (false) or reads the boxes into them.
    void UpdateData(bool saveAndValidate);
    void accept() override;

    CVes_SteelGradeComBox* gradeBox() const { return m_gradeBox; }
    CVes_SteelDnComBox* diameterBox() const { return m_diameterBox; }

    float m_fDN = 20.0f;
    int m_nGrade = 2;

protected:
    void showEvent(QShowEvent* event) override;

private:
    CVes_SteelGradeComBox* m_gradeBox = nullptr;
    CVes_SteelDnComBox* m_diameterBox = nullptr;
};
