#include "platform/profile.h"

#include "platform/datarevision.h"

#include <QSettings>

namespace platform {

std::unique_ptr<QSettings> openProfile()
{
    const QString home = qEnvironmentVariable("RODO_HOME");
    if (!home.isEmpty())
        return std::make_unique<QSettings>(home + QStringLiteral("/Rodo.ini"), QSettings::IniFormat);
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QStringLiteral("Rodo"), QStringLiteral("Rodo"));
}

QVariant profileValue(const QString& section, const QString& key, const QVariant& defaultValue)
{
    return openProfile()->value(section + u'/' + key, defaultValue);
}

void setProfileValue(const QString& section, const QString& key, const QVariant& value)
{
    openProfile()->setValue(section + u'/' + key, value);
    noteSharedDataChanged();
}

} // namespace platform
