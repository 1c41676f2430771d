#include "app/documents/documentfiles.h"

#include "core/geometry/datafolder.h"
#include "platform/archive.h"
#include "platform/hostservices.h"
#include "platform/profile.h"
#include "tables/framework/streamfile.h"
#include "tables/framework/tablebase.h"
#include "tables/framework/template.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QHash>
#include <QSet>

#include <algorithm>
#include <memory>
#include <mutex>
#include <typeinfo>

bool FileExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo::exists(path);
}

namespace {

QString withoutTrailingSeparator(QString path)
{
    if (path.size() > 1 && (path.endsWith(u'/') || path.endsWith(u'\\')))
        path.chop(1);
    return path;
}

// Where the file name begins.
qsizetype fileNameStart(const QString& path)
{
    return std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\')) + 1;
}

} // namespace

bool EnsureFolder(const QString& path)
{
    const QString folder = withoutTrailingSeparator(path);
    return QFileInfo(folder).isDir() || CreateFolderTree(folder);
}

bool CreateFolderTree(const QString& path)
{
    const QString folder = withoutTrailingSeparator(path);
    if (!folder.isEmpty() && QDir().mkpath(folder) && QFileInfo(folder).isDir())
        return true;
    platform::showMessage(QStringLiteral("不能创建目录%1").arg(QDir::toNativeSeparators(folder)),
                          platform::MessageIcon::Stop);
    return false;
}

namespace docfiles {

QString companionBase(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot <= 0 || dot < fileNameStart(path))
        return {};
    return path.left(dot + 1);
}

QString backupPath(const QString& path)
{
    const QString base = companionBase(path);
    return base.isEmpty() ? path + QStringLiteral(".bak") : base + QStringLiteral("bak");
}

QString recoveryPath(const QString& path)
{
    return path + QStringLiteral("$$$");
}

QString usedRecoveryPath(const QString& path, const QDateTime& when)
{
    const QString stamped = recoveryPath(path) + when.toString(QStringLiteral("yyyy-MM-dd-HH-mm"));
    QString candidate = stamped;
    for (int n = 2; FileExists(candidate); ++n)
        candidate = stamped + QStringLiteral("-%1").arg(n);
    return candidate;
}

QStringList usedRecoveryFiles(const QString& path)
{
    static const QRegularExpression stamp(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}-\\d{2}-\\d{2}(-\\d+)?$"));
    const QFileInfo file(path);
    const QString prefix = recoveryPath(file.fileName());
    QStringList used;
    const QDir folder = file.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden, QDir::Name))
        if (name.startsWith(prefix) && stamp.match(name.mid(prefix.size())).hasMatch())
            used << folder.filePath(name);
    return used;
}

int autoSaveMinutes()
{
    constexpr int kDefaultMinutes = 5;
    return std::max(1, platform::profileValue(QStringLiteral("settings"), QStringLiteral("autoSaveTime"),
                                              kDefaultMinutes)
                           .toInt());
}

QString autoSaveFolder()
{
    return GetRODOFilePath() + QStringLiteral("autosave");
}

QString untitledAutoSavePath(const QDateTime& when)
{
    // Names handed out in this run: two documents saved within one second
    // must not share a file.
    static QSet<QString> handedOut;
    const QString stem = autoSaveFolder() + u'/'
                         + when.toString(QStringLiteral("yyyy年MM月dd日HH时mm分ss秒"));
    const QString suffix = QStringLiteral("autoSave.$pld");
    QString candidate = stem + suffix;
    for (int n = 2; handedOut.contains(candidate) || FileExists(candidate); ++n)
        candidate = stem + QStringLiteral("_%1").arg(n) + suffix;
    handedOut.insert(candidate);
    return candidate;
}

QStringList untitledAutoSaves()
{
    const QDir folder(autoSaveFolder());
    QStringList files;
    for (const QString& name :
         folder.entryList({QStringLiteral("*autoSave.$pld")}, QDir::Files | QDir::Hidden, QDir::Name))
        files << folder.filePath(name);
    return files;
}

QString templatePartPath(const QString& path, const TemplatePart& part)
{
    if (part.extension.isEmpty())
        return path;
    const QString base = companionBase(path);
    return base.isEmpty() ? QString() : base + part.extension;
}

namespace {

// Whether the whole of a main template file reads as the sheet it was saved
// from. Saved from a sheet, the file holds all of it (a bar list's, every
// row) after the template part, which alone is applied; damage in the rest
// would go unnoticed. Each state of a file is read once.
bool wholeSheetReads(const QString& file, const CVes_TableBase& sheet)
{
    struct Checked {
        qint64 size;
        qint64 modified;
        bool reads;
    };
    static std::mutex lock;
    static QHash<QString, Checked> checked;
    const QFileInfo info(file);
    const qint64 size = info.size();
    const qint64 modified = info.lastModified().toMSecsSinceEpoch();
    const QString key = info.absoluteFilePath() + u'\n' + QString::fromLatin1(typeid(sheet).name());
    {
        const std::lock_guard guard(lock);
        const auto seen = checked.constFind(key);
        if (seen != checked.cend() && seen->size == size && seen->modified == modified)
            return seen->reads;
    }
    const std::unique_ptr<CVes_TableBase> fresh = sheet.createEmpty();
    bool reads = false;
    try {
        reads = streamfile::load(file, [&fresh](platform::Archive& ar) { fresh->Serialize(ar); });
    } catch (const platform::SchemaError&) {
        reads = false;
    }
    const std::lock_guard guard(lock);
    checked.insert(key, {size, modified, reads});
    return reads;
}

} // namespace

QStringList loadTemplateSet(const QString& path, const std::vector<TemplatePart>& parts)
{
    QStringList unread;
    for (const TemplatePart& part : parts) {
        const QString file = templatePartPath(path, part);
        if (!part.sheet || !QFileInfo(file).isFile())
            continue;
        const auto* whole = dynamic_cast<const CVes_TableBase*>(part.sheet);
        bool read = false;
        try {
            read = (!whole || !part.extension.isEmpty() || wholeSheetReads(file, *whole))
                   && part.sheet->loadTemplateFromFile(file);
        } catch (const platform::SchemaError&) {
            read = false;
        }
        if (!read)
            unread << file;
    }
    return unread;
}

QStringList saveTemplateSet(const QString& path, const std::vector<TemplatePart>& parts)
{
    QStringList unwritten;
    for (const TemplatePart& part : parts) {
        const QString file = templatePartPath(path, part);
        if (part.sheet && !file.isEmpty() && !part.sheet->saveTemplateFile(file))
            unwritten << file;
    }
    return unwritten;
}

} // namespace docfiles
