#pragma once
// The auto-save and backup settings ("自动保存与备份设置"): whether and how
// often open bar lists are saved by themselves, into the file itself or into
// a recovery file beside it, and whether saving keeps a backup. The values
// live in the profile section "settings", where the document windows read
// them.

#include <QDialog>

class QCheckBox;
class QRadioButton;
class QSpinBox;

class CAutoSaveDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAutoSaveDlg(QWidget* parent = nullptr);

    // Writes the four values and closes.
    void accept() override;

    // The auto-save interval of the profile in minutes, at least 1 (a
    // smaller stored value would make the document windows save without
    // pause).
    static int autoSaveMinutes();

    QCheckBox* m_autoSave;
    QSpinBox* m_minutes;
    QCheckBox* m_backup;
    QRadioButton* m_intoFile;
    QRadioButton* m_intoRecoveryFile;
};
