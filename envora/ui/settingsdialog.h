#pragma once
// What every settings dialog shares: a banner with its title, the dialog's
// own controls, and "确定"/"取消". OK reads the controls into a copy of the
// settings in force and stores it; a value that cannot be read or is not
// allowed is named in a message and the dialog stays open with nothing
// stored. Cancel stores nothing. A stored change applies to the next length
// computed.

#include "envora/settings.h"

#include <QDialog>
#include <QTableWidget>

#include <vector>

class QVBoxLayout;

namespace envora {

class SettingsDialog : public QDialog {
    Q_OBJECT
public:
    SettingsDialog(const QString& title, QWidget* parent);

    void accept() override;

protected:
    // Where a dialog lays out its controls.
    QVBoxLayout* body() const { return m_body; }
    // Reads the controls into `settings`; false with `error` when something
    // typed is not a value.
    virtual bool apply(Settings& settings, QString* error) const = 0;

private:
    QVBoxLayout* m_body = nullptr;
};

// A table of numbers typed by the user: a row heading per row, a caption
// per column. Cells show numbers in their shortest form. Columns a dialog
// adds after the number columns hold its own controls.
class NumberTable : public QTableWidget {
    Q_OBJECT
public:
    NumberTable(const QString& name, const QStringList& columns, QWidget* parent = nullptr);

    // Replaces the rows; `headings` may be empty (rows are then numbered).
    void setRows(const std::vector<std::vector<double>>& rows, const QStringList& headings = {});
    // Appends an empty row and starts editing its first cell.
    void appendRow();
    // Removes the selected rows.
    void removeSelectedRows();

    // Every cell as a number; false with `error` naming the first cell that
    // holds no number (that cell is selected).
    bool read(std::vector<std::vector<double>>& rows, QString* error);

    static QString numberText(double value);

private:
    QString m_name;
    int m_numberColumns = 0;
};

} // namespace envora
