#include "app/documents/sheetdocument.h"

#include "app/documents/documenthost.h"
#include "app/documents/documentids.h"
#include "app/documents/sharedfiles.h"
#include "core/geometry/datafolder.h"
#include "platform/archive.h"
#include "platform/datarevision.h"
#include "platform/hostservices.h"
#include "platform/profile.h"
#include "platform/savefile.h"
#include "platform/ui/commandids.h"
#include "platform/ui/docmanager.h"
#include "platform/ui/doctemplate.h"
#include "tables/framework/tablebase.h"
#include "tables/quantity/sortbarsheet.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>

#include <exception>
#include <filesystem>
#include <functional>
#include <stdexcept>

namespace {

const QString kTemplateSection = QStringLiteral("模板");

// The diameters of the size commands 32833 to 32846, in order.
constexpr float kSizes[] = {12, 14, 16, 18, 20, 22, 25, 28, 30, 32, 36, 38, 40, 50};

QString withoutLeadingBlanks(QString text)
{
    qsizetype i = 0;
    while (i < text.size() && text.at(i).isSpace())
        ++i;
    return text.mid(i);
}

QString trimmedOf(QString text, QChar c)
{
    while (text.startsWith(c))
        text.remove(0, 1);
    while (text.endsWith(c))
        text.chop(1);
    return text;
}

// A title-block text becomes part of a file name: separators and the
// characters a file name cannot hold become "_".
QString fileNameSafe(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[/\\\\:*?\"<>|\\x00-\\x1f]"));
    text.replace(unsafe, QStringLiteral("_"));
    return text == QStringLiteral(".") || text == QStringLiteral("..") ? QString() : text;
}

// A bigger file is read on a thread of its own behind the progress window,
// so that the window goes on while a long list is read.
constexpr qint64 kReadInPlace = 1 << 20; // bytes

// Runs `read` on the window's thread, or for a big file on a thread of its
// own; what it throws is thrown here, as if it had run here.
void readMaybeAway(const QString& path, const std::function<void()>& read)
{
    if (QFileInfo(path).size() < kReadInPlace) {
        read();
        return;
    }
    std::exception_ptr failure;
    const bool ran = platform::runWithProgress(
        QStringLiteral("正在打开文件……"), false,
        [&](const std::atomic<bool>&, const platform::WorkProgress&) {
            try {
                read();
            } catch (...) {
                failure = std::current_exception();
            }
            return true;
        });
    if (failure)
        std::rethrow_exception(failure);
    if (!ran)
        throw std::runtime_error("the file was not read");
}

} // namespace

SheetDocument::SheetDocument(const Texts& texts) : m_texts(texts)
{
    commandMap().add(ID_TEMPLATE_SAVE, [this] { OnSaveTemplate(); });
    commandMap().add(ID_TEMPLATE_LOAD, [this] { OnLoadTemplate(); });
    commandMap().add(ID_TEMPLATE_DEFAULT, [this] { OnDefaultTemplate(); });
    if (!m_texts.cancelDefaultText.isEmpty())
        commandMap().add(ID_TEMPLATE_DEFAULT_CANCEL, [this] { OnCancelDefaultTemplate(); });
    addBatchCommands();
}

SheetDocument::~SheetDocument() = default;

// file

void SheetDocument::Serialize(platform::Archive& ar)
{
    CVes_TableBase* table = mainTable();
    if (ar.IsStoring()) {
        table->Serialize(ar);
        return;
    }
    std::unique_ptr<CVes_TableBase> fresh = table->createEmpty();
    fresh->Serialize(ar);
    table->takeOver(*fresh);
}

bool SheetDocument::readContents(const QString& path, QString* error)
{
    // The new contents are read into a table of their own, which nothing
    // else sees until it is taken over here.
    std::unique_ptr<CVes_TableBase> fresh = mainTable()->createEmpty();
    bool opened = false;
    readMaybeAway(path, [&] {
        QByteArray bytes;
        opened = platform::readFile(path, &bytes, error);
        if (!opened)
            return;
        platform::Archive ar(bytes);
        fresh->Serialize(ar);
    });
    if (!opened)
        return false;
    DeleteContents();
    mainTable()->takeOver(*fresh);
    return true;
}

bool SheetDocument::OnSaveDocument(const QString& path)
{
    if (!platform::Document::OnSaveDocument(path))
        return false;
    markTableSaved();
    return true;
}

bool SheetDocument::SaveModified()
{
    if (mainTable()->isModified())
        SetModifiedFlag(true);
    return platform::Document::SaveModified();
}

QString SheetDocument::schemaErrorMessage(const QString&) const
{
    return m_texts.schemaMessage;
}

bool SheetDocument::DoFileSave()
{
    return GetPathName().isEmpty() ? saveUntitled() : platform::Document::DoFileSave();
}

QString SheetDocument::proposedFileName() const
{
    QStringList items;
    const CVes_TableBase* table = mainTable();
    for (int i = 0; i < m_texts.nameItems; ++i)
        items << withoutLeadingBlanks(table->m_texts[std::size_t(kFirstNameText + i)].m_formula);
    const QString name = fileNameSafe(trimmedOf(items.join(u'_'), u'_'));
    return name.isEmpty() ? GetTitle() : name;
}

QString SheetDocument::askFile(bool open, const QString& title, const QString& filter,
                               const QString& proposed) const
{
    platform::DocManager* manager = GetDocTemplate() ? GetDocTemplate()->manager() : nullptr;
    if (!manager && DocumentProgram::instance())
        manager = &DocumentProgram::instance()->docManager();
    return manager ? manager->askFileName(open, title, filter, proposed) : QString();
}

bool SheetDocument::saveUntitled()
{
    const DocumentProgram* program = DocumentProgram::instance();
    const QString folder = program ? program->currentProjectFolder() : QString();
    const QString suffix = u'.' + m_texts.extension;
    QString proposed = proposedFileName() + suffix;
    if (!folder.isEmpty())
        proposed = QDir(folder).filePath(proposed);
    QString path = askFile(false, GetTitle() + m_texts.saveAsTitleSuffix, m_texts.filter, proposed);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += suffix;
    if (!OnSaveDocument(path))
        return false;
    SetPathName(path);
    refreshProjectFiles();
    return true;
}

void SheetDocument::refreshProjectFiles()
{
    if (DocumentProgram* program = DocumentProgram::instance())
        if (DocumentHost* host = program->mainHost())
            host->OnRefreshProjectFiles();
}

// templates

void SheetDocument::reportUnread(const QStringList& files) const
{
    if (files.isEmpty())
        return;
    QStringList shown;
    for (const QString& file : files)
        shown << QDir::toNativeSeparators(file);
    platform::showMessage(QStringLiteral("模板文件已损坏或由更新版本的程序保存，未能加载：\n%1")
                              .arg(shown.join(u'\n')),
                          platform::MessageIcon::Stop);
}

bool SheetDocument::loadDefaultTemplate()
{
    const QString path =
        platform::profileValue(kTemplateSection, m_texts.profileKey).toString();
    if (path.isEmpty())
        return false;
    // A bad default would otherwise be reported with every new document.
    static QSet<QString> reported;
    QStringList unread;
    for (const QString& file : docfiles::loadTemplateSet(path, templateParts()))
        if (!reported.contains(file)) {
            reported.insert(file);
            unread << file;
        }
    reportUnread(unread);
    return true;
}

void SheetDocument::OnSaveTemplate()
{
    const QString filter = m_texts.saveTemplateFilter;
    QString path = askFile(false, QStringLiteral("存为模板"), filter, templateFolder());
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += u'.' + m_texts.templateExtension;
    // The derived sheets' layouts go into the set: none may be half-built.
    finishBuilds();
    const QStringList unwritten = docfiles::saveTemplateSet(path, templateParts());
    if (!unwritten.isEmpty()) {
        platform::showMessage(QStringLiteral("模板文件未能保存：\n%1")
                                  .arg(QDir::toNativeSeparators(unwritten.join(u'\n'))),
                              platform::MessageIcon::Stop);
        return;
    }
    if (m_texts.askDefaultAfterSave
        && platform::ask(QStringLiteral("是否设为默认模板？")) == platform::Answer::Yes)
        platform::setProfileValue(kTemplateSection, m_texts.profileKey, path);
}

void SheetDocument::OnLoadTemplate()
{
    const QString path =
        askFile(true, QStringLiteral("加载模板"), m_texts.openTemplateFilter, templateFolder());
    if (path.isEmpty())
        return;
    // A worker must not write a sheet whose layout is read in.
    finishBuilds();
    const QStringList unread = docfiles::loadTemplateSet(path, templateParts());
    reportUnread(unread);
    if (unread.size() < int(templateParts().size())) {
        // The layout is stored with the main table: closing must offer to
        // save it.
        mainTable()->refreshCurPage();
        SetModifiedFlag(true);
    }
    UpdateAllViews(nullptr);
}

void SheetDocument::OnDefaultTemplate()
{
    const QString path = askFile(true, QStringLiteral("设置默认模板"),
                                 m_texts.defaultTemplateFilter, templateFolder());
    if (!path.isEmpty())
        platform::setProfileValue(kTemplateSection, m_texts.profileKey, path);
}

void SheetDocument::OnCancelDefaultTemplate()
{
    const QString path =
        platform::profileValue(kTemplateSection, m_texts.profileKey).toString();
    if (path.isEmpty())
        return;
    if (platform::ask(m_texts.cancelDefaultText.arg(path)) == platform::Answer::Yes)
        platform::setProfileValue(kTemplateSection, m_texts.profileKey, QString());
}

// sheets rebuilt in the background

void SheetDocument::enableSortBuild(SheetBuild::Kind kind, CVes_SortBarSheet* sheet)
{
    m_buildKind = kind;
    m_buildsEnabled = true;
    m_sortSheet = sheet;
}

void SheetDocument::requestBuild(CVes_TableBase* sheet, const SheetBuild::Prepare& prepare,
                                 QWidget* busyParent, const QString& failure)
{
    if (!m_buildsEnabled || !sheet)
        return;
    // The builds read the shape library and the raw-stock file.
    reportDamagedSharedFiles();
    std::unique_ptr<SheetBuild>& build = m_builds[sheet];
    if (!build) {
        build = std::make_unique<SheetBuild>(m_buildKind);
        // Started, the worker writes the sheet: no view may show it until
        // the end of the last build asked for.
        connect(build.get(), &SheetBuild::started, this, [this, sheet] { Q_EMIT sheetBuildStarted(sheet); });
        connect(build.get(), &SheetBuild::finished, this, [this, sheet](bool) { Q_EMIT sheetBuilt(sheet); });
    }
    build->request(
        [sheet, prepare, failure] {
            SheetBuild::Job job = prepare();
            job.done = [sheet, failure, done = job.done](bool ok) {
                if (done)
                    done(ok);
                if (ok)
                    return;
                sheet->clearnAllLineOnly();
                platform::showMessage(failure, platform::MessageIcon::Stop);
            };
            return job;
        },
        busyParent);
}

void SheetDocument::requestSortBuild(const SheetBuild::Prepare& prepare, QWidget* busyParent)
{
    CVes_SortBarSheet* sort = m_sortSheet;
    requestBuild(
        sort,
        [prepare, sort] {
            SheetBuild::Job job = prepare();
            job.done = [sort, done = job.done](bool ok) {
                if (done)
                    done(ok);
                if (!ok)
                    sort->clearBars();
            };
            return job;
        },
        busyParent, QStringLiteral("规格排序表未能生成。"));
}

bool SheetDocument::isBuilding(const CVes_TableBase* table) const
{
    const auto build = m_builds.find(table);
    return build != m_builds.end() && build->second->isRunning();
}

void SheetDocument::finishBuilds(const CVes_TableBase* table)
{
    for (auto& [sheet, build] : m_builds)
        if (!table || sheet == table)
            build->finish();
}

void SheetDocument::cancelBuilds()
{
    for (auto& [sheet, build] : m_builds)
        build->cancel();
}

void SheetDocument::adoptRawStock(CVes_TableBase& own, CVes_TableBase& copy)
{
    CVes_SteelYuanCaiDataLib& kept = own.getYuanCaiLib();
    const CVes_SteelYuanCaiDataLib& gained = copy.getYuanCaiLib();
    for (int i = 0; i < gained.count(); ++i) {
        const CVes_SteelYuanCaiData* record = gained.at(i);
        if (!kept.getYuanCai(record->DN, unsigned(record->grade), unsigned(record->steelType)))
            kept.append(*record);
    }
}

// derived sheets kept until what they read changes

SheetDocument::BuildSource SheetDocument::buildSource() const
{
    // The builders read the user's raw-stock file each time: a change of it
    // by any program counts as well. Its time is taken as the system keeps
    // it, with no local time worked out (a worker may be doing that).
    const std::filesystem::path stock(
        QFile::encodeName(GetRODOFilePath() + QStringLiteral("KUCUN.xml")).toStdString());
    std::error_code failed;
    const auto time = std::filesystem::last_write_time(stock, failed);
    const std::int64_t stockTime = failed ? -1 : std::int64_t(time.time_since_epoch().count());
    const auto size = std::filesystem::file_size(stock, failed);
    return {mainTable()->changeCount(), derivedSettings(), platform::sharedDataRevision(), stockTime,
            failed ? -1 : std::int64_t(size)};
}

bool SheetDocument::isBuiltFromNow(const CVes_TableBase& sheet) const
{
    const auto built = m_built.find(&sheet);
    return built != m_built.end() && !built->second.from.settings.isEmpty()
        && built->second.sheetChanges == sheet.changeCount() && built->second.from == buildSource();
}

void SheetDocument::noteBuilt(const CVes_TableBase& sheet)
{
    m_built[&sheet] = {buildSource(), sheet.changeCount()};
}

void SheetDocument::buildOnChoice(CVes_TableBase* sheet, const SheetBuild::Prepare& prepare,
                                  QWidget* busyParent, const QString& failure)
{
    if (!sheet)
        return;
    const BuildSource now = buildSource();
    if (isBuilding(sheet)) {
        // The build that runs, or the one asked for after it, reads this
        // already.
        const auto asked = m_asked.find(sheet);
        if (!now.settings.isEmpty() && asked != m_asked.end() && asked->second == now)
            return;
    } else if (isBuiltFromNow(*sheet)) {
        return;
    }
    m_asked[sheet] = now;
    requestBuild(
        sheet,
        [this, sheet, prepare] {
            SheetBuild::Job job = prepare();
            // What the build reads, as it is once all of it is taken.
            auto from = std::make_shared<BuildSource>();
            if (job.take) {
                job.take = [this, from, take = job.take](std::chrono::milliseconds budget) {
                    if (!take(budget))
                        return false;
                    *from = buildSource();
                    return true;
                };
            } else {
                *from = buildSource();
            }
            job.done = [this, sheet, from, done = job.done](bool ok) {
                // Kept only when nothing it read changed while it was built.
                const bool current = ok && buildSource() == *from;
                if (done)
                    done(ok);
                if (current)
                    noteBuilt(*sheet);
                else
                    m_built.erase(sheet);
            };
            return job;
        },
        busyParent, failure);
}

void SheetDocument::OnCloseDocument()
{
    cancelBuilds();
    platform::Document::OnCloseDocument();
}

// batch commands

void SheetDocument::afterBatchEdit()
{
    if (mainTable()->isModified())
        SetModifiedFlag(true);
    UpdateAllViews(nullptr);
}

void SheetDocument::afterUndoStep(CVes_TableBase* table)
{
    if (!table)
        return;
    // A sheet made from the main table is stored nowhere.
    if (table != mainTable()) {
        if (table->isModified())
            SetModifiedFlag(true);
        return;
    }
    // The table knows whether it is back at the state last saved or read;
    // what it holds beside its undo steps (settings, texts the user set
    // since) only the file can tell.
    const bool asSaved = !table->isModified() && fileHoldsMainTable();
    if (!asSaved && !table->isModified())
        table->setModified(1);
    SetModifiedFlag(!asSaved);
}

bool SheetDocument::fileHoldsMainTable() const
{
    const QString path = GetPathName();
    QByteArray held;
    if (path.isEmpty() || !platform::readFile(path, &held))
        return false;
    try {
        platform::Archive ar;
        mainTable()->Serialize(ar);
        return ar.data() == held;
    } catch (const std::exception&) {
        // What cannot be written out is not what the file holds.
        return false;
    }
}

void SheetDocument::batch(const std::function<void(CVes_TableBase&)>& edit)
{
    edit(*mainTable());
    afterBatchEdit();
}

int SheetDocument::scaledBarValue()
{
    return 1;
}

void SheetDocument::addBatchCommands()
{
    platform::CommandMap& map = commandMap();
    const std::pair<int, int> grades[] = {
        {ID_GRADE_1, 1}, {ID_GRADE_2, 2}, {ID_GRADE_3, 3}, {ID_GRADE_4, 32}, {ID_GRADE_5, 4}};
    for (const auto& [id, grade] : grades)
        map.add(id, [this, grade = grade] { batch([grade](CVes_TableBase& t) { t.setSelLineGrade(grade); }); });
    map.addRange(ID_SIZE_FIRST, ID_SIZE_LAST, [this](int id) {
        const float d = kSizes[id - ID_SIZE_FIRST];
        batch([d](CVes_TableBase& t) { t.setSelLineDN(d); });
    });
    const std::pair<int, float> smallSizes[] = {{ID_SIZE_6, 6}, {ID_SIZE_8, 8}, {ID_SIZE_10, 10}};
    for (const auto& [id, d] : smallSizes)
        map.add(id, [this, d = d] { batch([d](CVes_TableBase& t) { t.setSelLineDN(d); }); });
    map.add(ID_BAR_PLAIN, [this] { batch([](CVes_TableBase& t) { t.setSelLineSteelType(0); }); });
    map.add(ID_BAR_EPOXY, [this] { batch([](CVes_TableBase& t) { t.setSelLineSteelType(1); }); });
    map.add(ID_BAR_SCALED, [this] {
        const int value = scaledBarValue();
        batch([value](CVes_TableBase& t) { t.setSelLineMultVar(value); });
    });
}
