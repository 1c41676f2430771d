#pragma once
// Spreadsheet workbooks for the table exports. A workbook is made from a
// template (workbooktemplate.h), filled cell by cell in any order, and then
// written as one .xlsx file and opened with the desktop's spreadsheet program.
//
// Rows and columns are 1-based as the spreadsheet counts them (row 1, column
// 1 is "A1"). Everything is kept in memory until the save, so cells can be
// written, read back (the template's captions of row 5, for example) and
// bordered in any order (worksheet.h).

#include "platform/hostservices.h"
#include "platform/xlsx/worksheet.h"

#include <QString>
#include <QStringView>
#include <memory>
#include <vector>

namespace platform::xlsx {

// The height of one line of text of a font of `points` points, in points,
// as the spreadsheet programs set Chinese faces: a row of n lines is at
// least n times this high.
double lineHeight(double points);

// The message the exports show when no workbook could be made or shown.
QString createFailedText();

// A workbook filled away from the user-interface thread, while the
// progress window is up: `take` copies, a slice at a time on that thread,
// what `fill` reads; `fill` then fills the workbook's sheets on a worker and
// answers false when it stopped because the flag was set.
struct WorkbookFill {
    platform::UiSlices take;
    std::function<bool(const std::atomic<bool>& cancel)> fill;
};

class Workbook {
public:
    Workbook();
    ~Workbook();
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    // Replaces the sheets by those of the template; the first becomes active.
    void setTemplate(const WorkbookTemplate& layout);
    // Loads the template description file; false with a reason when it is
    // missing or damaged (the workbook then stays as it was).
    bool loadTemplate(const QString& path, QString* error = nullptr);
    // The export's first step: the template `name` ("pld.xlt", "jgd", …) of
    // the data folder. When it cannot be read the user is shown
    // `failureText` and the answer is false.
    bool openTemplate(const QString& name, const QString& failureText = createFailedText());

    const WorkbookTemplate& layout() const { return m_layout; }
    int sheetCount() const { return int(m_sheets.size()); }
    Worksheet& sheetAt(int index) { return *m_sheets.at(std::size_t(index)); }
    const Worksheet& sheetAt(int index) const { return *m_sheets.at(std::size_t(index)); }
    // The sheet of that name; null when the workbook has none.
    Worksheet* sheet(QStringView name);
    // Appends a sheet; null when the name is invalid or taken.
    Worksheet* addSheet(const SheetTemplate& layout);

    // The sheet shown when the workbook is opened.
    bool activate(QStringView name);
    void activate(const Worksheet& sheet);
    const Worksheet* activeSheet() const;

    // Writes the workbook to `path`: built beside in a temporary file and put
    // in place only when complete, so a failure leaves no file and never
    // damages an older one.
    bool save(const QString& path, QString* error = nullptr) const;
    // The bytes of the workbook's file. False with a reason when it could
    // not be made; false without one when it stopped because `cancel` was
    // set.
    bool build(QByteArray* bytes, QString* error = nullptr,
               const std::atomic<bool>* cancel = nullptr) const;
    // Asks the user where to save the workbook, proposing a name made of
    // the exported document's and `baseName` (ExportDocument); then, behind
    // a progress window the user can cancel, fills it (`filling`, when
    // given) and makes its file on a worker, saves it there and opens it
    // with the desktop's spreadsheet program. The user is told where it
    // went, and when no program opened it. Answers the file's path; empty
    // when the user cancelled (nothing is written then, an older file stays
    // as it was) or the save failed (then he is shown why). Once its file
    // is made the workbook has no sheets left.
    QString show(const QString& baseName, const WorkbookFill& filling = {});

private:
    WorkbookTemplate m_layout;
    std::vector<std::unique_ptr<Worksheet>> m_sheets;
    std::shared_ptr<PictureStore> m_pictures;
    int m_active = 0;
};

// While one lives, the workbooks exported on this thread are proposed
// beside `documentPath`, the file of the document whose sheet is exported,
// and named after it.
class ExportDocument {
public:
    explicit ExportDocument(const QString& documentPath);
    ~ExportDocument();
    ExportDocument(const ExportDocument&) = delete;
    ExportDocument& operator=(const ExportDocument&) = delete;
    // The document of the innermost one alive; empty without.
    static QString current();

private:
    QString m_previous;
};

} // namespace platform::xlsx
