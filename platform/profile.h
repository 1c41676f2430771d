#pragma once
// The program's profile (what the registry held on the original platform):
// an INI file with the same section and key names. Under `$RODO_HOME` it is
// "Rodo.ini" in that folder, so tests and portable installs keep their own.

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

namespace platform {

std::unique_ptr<QSettings> openProfile();

QVariant profileValue(const QString& section, const QString& key,
                      const QVariant& defaultValue = {});
void setProfileValue(const QString& section, const QString& key, const QVariant& value);

} // namespace platform
