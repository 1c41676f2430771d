#include "platform/xlsx/workbook.h"

#include "platform/xlsx/failure.h"
#include "platform/xlsx/librarywriter.h"
#include "platform/xlsx/package.h"
#include "platform/xlsx/preparedsheet.h"

#include "platform/folders.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QTemporaryDir>
#include <QtDebug>
#include <future>
#include <utility>
#include <xlsxwriter.h>

namespace platform::xlsx {

namespace {

// The workbook's shared strings: the sheets' own texts, each once, in the
// order the sheets first show them, with each sheet's texts' places among
// them.
struct SharedStrings {
    std::vector<QByteArray> texts;
    std::vector<std::vector<int>> ofSheet;
    qint64 cells = 0; // the cells that show them
};

SharedStrings sharedStrings(const std::vector<PreparedSheet>& prepared)
{
    SharedStrings strings;
    strings.ofSheet.resize(prepared.size());
    QHash<QByteArray, int> shared;
    for (std::size_t i = 0; i < prepared.size(); ++i) {
        for (const QByteArray& text : prepared[i].part.texts) {
            auto found = shared.constFind(text);
            if (found == shared.cend()) {
                found = shared.insert(text, int(strings.texts.size()));
                strings.texts.push_back(text);
            }
            strings.ofSheet[i].push_back(*found);
        }
        strings.cells += prepared[i].textCells;
    }
    return strings;
}

// The sheets of a workbook being saved.
struct BookSheets {
    const std::vector<std::unique_ptr<Worksheet>>& all;
    const WorkbookTemplate& layout;
    int active = 0;
};

std::vector<PreparedSheet> prepareSheets(const BookSheets& sheets)
{
    // Each sheet made ready on a thread of its own.
    std::vector<std::future<PreparedSheet>> preparing;
    for (std::size_t i = 0; i < sheets.all.size(); ++i) {
        preparing.push_back(std::async(std::launch::async, [&sheets, i] {
            return prepareSheet(*sheets.all[i], sheets.layout, int(i) == sheets.active);
        }));
    }
    std::vector<PreparedSheet> prepared;
    for (auto& sheet : preparing)
        prepared.push_back(sheet.get());
    return prepared;
}

// Writes the workbook through the library and makes our own parts of it:
// `parts` to put in the place of the library's, `pictures` in the place of
// its picture files.
bool writeBook(lxw_workbook* book, const BookSheets& sheets, std::vector<PackageMember>* parts,
               std::vector<PackageMember>* pictures, QString* error)
{
    std::vector<PreparedSheet> prepared = prepareSheets(sheets);
    LibraryWriter writer(book, sheets.layout);
    std::vector<std::vector<int>> styleIndex(sheets.all.size());
    for (std::size_t i = 0; i < sheets.all.size(); ++i)
        writer.writeSheet(*sheets.all[i], prepared[i], &styleIndex[i], int(i) == sheets.active);
    const SharedStrings strings = sharedStrings(prepared);
    // The sheets, the shared strings and the drawings are written and
    // compressed side by side while the library packs the rest.
    std::vector<std::future<PackageMember>> writing;
    for (std::size_t i = 0; i < sheets.all.size(); ++i) {
        writing.push_back(std::async(std::launch::async, [&, i] {
            return PackageMember::compress("xl/worksheets/sheet" + QByteArray::number(qulonglong(i + 1)) + ".xml",
                                           worksheetPart(prepared[i].part, strings.ofSheet[i], styleIndex[i]));
        }));
    }
    if (!sheets.all.empty()) {
        writing.push_back(std::async(std::launch::async, [&] {
            return PackageMember::compress("xl/sharedStrings.xml",
                                           sharedStringsPart(strings.texts, strings.cells));
        }));
    }
    auto drawings = std::async(std::launch::async, [&writer, parts, pictures] {
        writer.drawings(parts, pictures);
    });
    const lxw_error closed = workbook_close(book);
    drawings.get();
    for (auto& part : writing)
        parts->push_back(part.get());
    const lxw_error failed = writer.error() != LXW_NO_ERROR ? writer.error() : closed;
    if (failed != LXW_NO_ERROR)
        return fail(error, QString::fromUtf8(lxw_strerror(failed)));
    return true;
}

} // namespace

QString createFailedText()
{
    return QStringLiteral("创建Excel服务失败!");
}

Workbook::Workbook() : m_pictures(std::make_shared<PictureStore>()) {}
Workbook::~Workbook() = default;

void Workbook::setTemplate(const WorkbookTemplate& layout)
{
    m_layout = layout;
    m_sheets.clear();
    for (const SheetTemplate& sheet : layout.sheets)
        m_sheets.push_back(std::make_unique<Worksheet>(sheet, m_pictures));
    m_active = 0;
}

bool Workbook::loadTemplate(const QString& path, QString* error)
{
    WorkbookTemplate layout;
    if (!WorkbookTemplate::load(path, &layout, error))
        return false;
    setTemplate(layout);
    return true;
}

bool Workbook::openTemplate(const QString& name, const QString& failureText)
{
    QString error;
    if (loadTemplate(templatePath(name), &error))
        return true;
    qWarning().noquote() << "spreadsheet template:" << error;
    showMessage(failureText, MessageIcon::Warning);
    return false;
}

Worksheet* Workbook::sheet(QStringView name)
{
    for (const auto& sheet : m_sheets) {
        if (QStringView(sheet->name()).compare(name, Qt::CaseInsensitive) == 0)
            return sheet.get();
    }
    return nullptr;
}

Worksheet* Workbook::addSheet(const SheetTemplate& layout)
{
    if (!isValidSheetName(layout.name) || sheet(layout.name))
        return nullptr;
    m_sheets.push_back(std::make_unique<Worksheet>(layout, m_pictures));
    return m_sheets.back().get();
}

bool Workbook::activate(QStringView name)
{
    const Worksheet* found = sheet(name);
    if (!found)
        return false;
    activate(*found);
    return true;
}

void Workbook::activate(const Worksheet& sheet)
{
    for (std::size_t i = 0; i < m_sheets.size(); ++i) {
        if (m_sheets[i].get() == &sheet)
            m_active = int(i);
    }
}

const Worksheet* Workbook::activeSheet() const
{
    return m_sheets.empty() ? nullptr : m_sheets[std::size_t(m_active)].get();
}

bool Workbook::save(const QString& path, QString* error) const
{
    QByteArray bytes;
    return build(&bytes, error) && saveFile(path, bytes, error);
}

bool Workbook::build(QByteArray* bytes, QString* error, const std::atomic<bool>* cancel) const
{
    const auto cancelled = [cancel] { return cancel && cancel->load(); };
    QTemporaryDir work(tempFolder() + QStringLiteral("rodo-xlsx-XXXXXX"));
    if (!work.isValid())
        return fail(error, work.errorString());
    const QString built = work.filePath(QStringLiteral("book.xlsx"));
    // The library passes every picture and part through a file of its own,
    // in the work folder on disk. (Not in a memory folder such as /dev/shm:
    // where that is small, the library writes a sheet short without saying
    // so.)
    QByteArray scratch = QFile::encodeName(work.path());
    lxw_workbook_options options{};
    options.tmpdir = scratch.data();
    lxw_workbook* book = workbook_new_opt(QFile::encodeName(built).constData(), &options);
    if (!book)
        return fail(error, QStringLiteral("the workbook could not be started"));
    // Our own parts, put in the place of the library's.
    std::vector<PackageMember> parts;
    std::vector<PackageMember> pictures;
    if (!writeBook(book, {m_sheets, m_layout, m_active}, &parts, &pictures, error))
        return false;
    if (cancelled() || !readFile(built, bytes, error))
        return false;
    if (!parts.empty() && !cancelled()) {
        *bytes = repackage(*bytes, parts, "xl/media/", pictures, error);
        if (bytes->isEmpty())
            return false;
    }
    return !cancelled();
}

namespace {

thread_local QString t_exportDocument;

} // namespace

ExportDocument::ExportDocument(const QString& documentPath)
    : m_previous(std::exchange(t_exportDocument, documentPath))
{
}

ExportDocument::~ExportDocument()
{
    t_exportDocument = m_previous;
}

QString ExportDocument::current()
{
    return t_exportDocument;
}

QString Workbook::show(const QString& baseName, const WorkbookFill& filling)
{
    const QString proposed = proposedOutputPath(ExportDocument::current(), baseName, QStringLiteral(".xlsx"));
    QString path = host().askSaveFileName(QStringLiteral("导出到Excel"), proposed,
                                          QStringLiteral("Excel 工作簿 (*.xlsx)"));
    if (path.isEmpty())
        return {};
    if (QFileInfo(path).suffix().compare(QStringLiteral("xlsx"), Qt::CaseInsensitive) != 0)
        path += QStringLiteral(".xlsx");

    // The file is written beside its place on the worker and put in place
    // back on this thread, once the work has ended and can no longer be
    // cancelled. The filled sheets are let go on the worker too: freeing
    // a big workbook takes long.
    StagedFile file;
    QString error;
    bool saved = false;
    ProgressJob job;
    job.take = filling.take;
    job.work = [&](const std::atomic<bool>& cancel, const WorkProgress&) {
        if (filling.fill && !filling.fill(cancel))
            return false;
        QByteArray bytes;
        if (cancel || !build(&bytes, &error, &cancel))
            return false;
        std::vector<std::unique_ptr<Worksheet>> filled;
        filled.swap(m_sheets);
        const std::shared_ptr<PictureStore> pictures =
            std::exchange(m_pictures, std::make_shared<PictureStore>());
        return file.write(path, bytes, &error) && !cancel;
    };
    job.give = [&] {
        saved = file.commit(&error);
        return true;
    };
    runWithProgress(QStringLiteral("正在导出到Excel……"), true, job);
    if (!saved && error.isEmpty())
        return {};
    if (!saved) {
        qWarning().noquote() << "spreadsheet export:" << path << error;
        showMessage(QStringLiteral("工作簿无法保存到：\n%1\n%2").arg(QDir::toNativeSeparators(path), error),
                    MessageIcon::Warning);
        return {};
    }
    const QString where = QStringLiteral("工作簿已保存到：\n%1").arg(QDir::toNativeSeparators(path));
    if (host().openWithDesktop(path))
        showMessage(where);
    else
        showMessage(where + QStringLiteral("\n\n没有找到能打开它的电子表格程序，请用电子表格程序打开这个文件。"),
                    MessageIcon::Warning);
    return path;
}

} // namespace platform::xlsx
