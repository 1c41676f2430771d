#pragma once
// The workbook export every sheet makes: the workbook is opened from its
// template and every worksheet it fills is found before the user is asked
// where to save; then, behind a progress window the user can cancel, a
// working copy of the sheet is taken a slice at a time on the
// user-interface thread (CVes_TableBase::takeWorkerCopy), the worksheets
// are filled from it on a worker and the file is made and saved there
// (platform::xlsx::Workbook::show). Cancelled, nothing is written.

#include <QString>

#include <functional>
#include <vector>

class CVes_TableBase;

namespace platform::xlsx { class Worksheet; }

// One worksheet of the workbook and how the working copy fills it (on the
// worker). The worksheets are filled in their order: the pictures of the
// workbook are numbered in the order they are put in.
struct ExportedSheet {
    QString name;
    std::function<void(CVes_TableBase& copy, platform::xlsx::Worksheet& sheet)> fill;
    // Left out when the template has no such worksheet; otherwise a
    // missing one stops the export with a message.
    bool optional = false;
};

// Exports `table` into a workbook of the template `templateName` with the
// worksheets `sheets`, of which the one at `shown` is active when the
// workbook opens; the workbook is named after the table's title, or
// `untitledName` when it has none. A failure is a message. A sheet that
// gives no working copy is filled as it is, before the user is asked.
void exportWorkbook(CVes_TableBase& table, const QString& templateName,
                    const std::vector<ExportedSheet>& sheets, std::size_t shown,
                    const QString& untitledName);
