#include "app/projects/projectpaths.h"

#include "core/geometry/datafolder.h"
#include "platform/hostservices.h"

#include <QDir>
#include <QFileInfo>

namespace projects {

namespace {

const QString kForbidden = QStringLiteral("\\/:*?\"<>|");

QString canonical(const QString& path)
{
    const QFileInfo info(path);
    const QString resolved = info.canonicalFilePath();
    return resolved.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : resolved;
}

} // namespace

QString joinPath(const QString& folder, const QString& name)
{
    return folder.endsWith(u'/') ? QString(folder + name) : QString(folder + u'/' + name);
}

QString nameProblem(const QString& name)
{
    bool bad = name.trimmed().isEmpty() || name == u"." || name == u"..";
    for (const QChar c : name)
        bad = bad || kForbidden.contains(c) || c.unicode() < 0x20 || c.unicode() == 0x7F;
    if (!bad)
        return {};
    return QStringLiteral("“%1”不能用作文件或目录的名称：名称不能为空，不能是“.”或“..”，"
                          "也不能含有 \\ / : * ? \" < > | 等字符。")
        .arg(name);
}

bool acceptName(const QString& name)
{
    const QString problem = nameProblem(name);
    if (problem.isEmpty())
        return true;
    platform::showMessage(problem, platform::MessageIcon::Warning);
    return false;
}

bool isUnderFolder(const QString& path, const QString& folder)
{
    if (path.isEmpty() || folder.isEmpty())
        return false;
    const QString p = canonical(path);
    const QString f = canonical(folder);
    return p == f || p.startsWith(f.endsWith(u'/') ? f : f + u'/');
}

bool makeFolder(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return true;
    if (info.exists() || info.isSymLink()) {
        platform::showMessage(QStringLiteral("不能创建目录%1：已有同名的文件。").arg(path),
                              platform::MessageIcon::Warning);
        return false;
    }
    return Ves_CreateDirectory(path) != 0;
}

QString freeFileName(const QString& folder, const QString& stem, const QString& extension)
{
    const QDir dir(folder);
    QString name = stem + extension;
    for (int n = 2; QFileInfo::exists(dir.filePath(name)) || QFileInfo(dir.filePath(name)).isSymLink(); ++n)
        name = QStringLiteral("%1(%2)%3").arg(stem).arg(n).arg(extension);
    return name;
}

} // namespace projects
