#include "core/geometry/datafolder.h"

#include "platform/folders.h"
#include "platform/hostservices.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QString GetRODOFilePath()
{
    return platform::dataFolder();
}

namespace {

bool makeOneLevel(const QString& path)
{
    const QFileInfo info(path);
    return QDir(info.absolutePath()).mkdir(info.fileName());
}

void reportFailure(const QString& path)
{
    platform::showMessage(QString::asprintf("不能创建目录%s", path.toUtf8().constData()),
                          platform::MessageIcon::Warning);
}

} // namespace

int Ves_CreateDirectory(QString path)
{
    if (path.endsWith(u'\\') || path.endsWith(u'/'))
        path.chop(1);
    const QFileInfo info(path);
    if (info.isDir())
        return 1;
    if (info.exists() || info.isSymLink()) {
        if (QFile::remove(path) && makeOneLevel(path))
            return 1;
        reportFailure(path);
        return makeOneLevel(path) ? 1 : 0;
    }
    if (makeOneLevel(path))
        return 1;
    reportFailure(path);
    return 0;
}
