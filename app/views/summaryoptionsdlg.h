#pragma once
// 请选择汇总选项: what the summary written into the bar list sums and where it
// goes. The dialog is itself the option record the summary takes, so after
// OK the caller hands it on as it is.

#include "tables/barlist/huizongrules.h"

#include <QDialog>

class CSummaryOptionsDlg : public QDialog, public CVes_totalSteelType {
    Q_OBJECT
public:
    static constexpr int IDD = 213;
    static constexpr int kLengthId = 1020;
    static constexpr int kWeightId = 1019;
    static constexpr int kJointId = 1021;
    static constexpr int kWholeTableId = 1022;
    static constexpr int kPerElementId = 1023;
    static constexpr int kFirstPageId = 1059;
    static constexpr int kLastPageId = 1060;
    // Placements: the last page, the first page.
    static constexpr int kOnLastPage = 0;
    static constexpr int kOnFirstPage = 1;

    explicit CSummaryOptionsDlg(QWidget* parent = nullptr);
    ~CSummaryOptionsDlg() override;

    void UpdateData(bool saveAndValidate);
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
};
