#pragma once
// The dialogs of the calculation settings: unit weights of the bar sizes,
// rounding of finished lengths, how cutting lengths are computed, and for
// longitudinal bars and stirrups each the bend diameters with the straight
// lengths after hooks, and the experience tables of bend adjustments and
// hook increments. Each shows the settings in force and stores on OK.

#include "envora/ui/settingsdialog.h"

#include <array>

class QComboBox;
class CVes_SteelGradeComBox;

namespace envora {

// The bar families of the length rules.
enum class BarFamily { Steel, Gu };

// "钢筋规格与理论重量": the sizes with their unit weights and default grades.
class SizeTableDialog final : public SettingsDialog {
    Q_OBJECT
public:
    explicit SizeTableDialog(QWidget* parent = nullptr);

    NumberTable* table() const { return m_table; }
    CVes_SteelGradeComBox* gradeBox(int row) const;
    void addSize();
    void removeSelectedSizes();

protected:
    bool apply(Settings& settings, QString* error) const override;

private:
    void setGradeBox(int row, int grade);

    NumberTable* m_table = nullptr;
};

// "钢筋尺寸尾数设置": the rounding of finished lengths, per family.
class DataEndDialog final : public SettingsDialog {
    Q_OBJECT
public:
    explicit DataEndDialog(QWidget* parent = nullptr);

    QComboBox* rounding(BarFamily family) const { return m_rounding[int(family)]; }

protected:
    bool apply(Settings& settings, QString* error) const override;

private:
    std::array<QComboBox*, 2> m_rounding{};
};

// "钢筋断料长度计算模式": calculation, adjustment and dimensioning, per family.
class CalcTypeDialog final : public SettingsDialog {
    Q_OBJECT
public:
    explicit CalcTypeDialog(QWidget* parent = nullptr);

    QComboBox* calcType(BarFamily family) const { return m_boxes[int(family)][0]; }
    QComboBox* adjustType(BarFamily family) const { return m_boxes[int(family)][1]; }
    QComboBox* dimType(BarFamily family) const { return m_boxes[int(family)][2]; }

protected:
    bool apply(Settings& settings, QString* error) const override;

private:
    std::array<std::array<QComboBox*, 3>, 2> m_boxes{};
};

// "… 弯折内径与弯钩弯后平直长度设置": bend inner diameters by grade family
// and hook angle, and the straight lengths after hooks, multiples of d.
class BendDiameterDialog final : public SettingsDialog {
    Q_OBJECT
public:
    explicit BendDiameterDialog(BarFamily family, QWidget* parent = nullptr);

    NumberTable* diameters() const { return m_diameters; }
    NumberTable* straights() const { return m_straights; }

protected:
    bool apply(Settings& settings, QString* error) const override;

private:
    BarFamily m_family;
    NumberTable* m_diameters = nullptr;
    NumberTable* m_straights = nullptr;
};

// "… 弯曲调整及弯钩增加长度经验数据设置": hook increments and bend adjustments
// by grade family (multiples of d) and by diameter (mm).
class BendAdjustDialog final : public SettingsDialog {
    Q_OBJECT
public:
    explicit BendAdjustDialog(BarFamily family, QWidget* parent = nullptr);

    NumberTable* hooksByGrade() const { return m_hooks; }
    NumberTable* bendsByGrade() const { return m_bends; }
    NumberTable* byDiameter() const { return m_byDiameter; }

protected:
    bool apply(Settings& settings, QString* error) const override;

private:
    BarFamily m_family;
    NumberTable* m_hooks = nullptr;
    NumberTable* m_bends = nullptr;
    NumberTable* m_byDiameter = nullptr;
};

} // namespace envora
