#include "app/documents/appdata.h"

#include <QDir>
#include <QStandardPaths>

int getShellAppDataPath(QString& path)
{
    const QString home = qEnvironmentVariable("RODO_HOME");
    const QString folder = !home.isEmpty()
                               ? home
                               : QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (folder.isEmpty())
        return 0;
    path = QDir::cleanPath(folder);
    return 1;
}

namespace {

// `base` joined with `names`, each folder made when missing; empty when
// `base` is.
QString madeFolder(const QString& base, std::initializer_list<const char*> names)
{
    if (base.isEmpty())
        return {};
    QString path = base;
    for (const char* name : names)
        path += u'/' + QString::fromUtf8(name);
    QDir().mkpath(path);
    return path;
}

} // namespace

QString getAppDataFolder()
{
    QString base;
    if (!getShellAppDataPath(base))
        return {};
    return madeFolder(base, {"Rodo"});
}

QString GetSetupTemplateFolder()
{
    return madeFolder(getAppDataFolder(), {"模板", "配料单"});
}

QString GetProcessTemplateFolder()
{
    return madeFolder(getAppDataFolder(), {"模板", "加工表"});
}

QString GetSLTemplateFolder()
{
    return madeFolder(getAppDataFolder(), {"模板", "算量表"});
}
