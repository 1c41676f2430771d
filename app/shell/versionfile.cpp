#include "app/shell/versionfile.h"

#include "platform/gbk.h"

#include <QRegularExpression>
#include <QStringList>

namespace {

constexpr qsizetype kMaxUrlLength = 100;

// A value read as the number it starts with (blanks, a sign, digits); 0
// when it starts with none, as initialisation files are read.
int iniInt(const QString& value)
{
    qsizetype i = 0;
    while (i < value.size() && value[i].isSpace())
        ++i;
    const qsizetype start = i;
    if (i < value.size() && (value[i] == u'+' || value[i] == u'-'))
        ++i;
    while (i < value.size() && value[i].isDigit() && i - start < 10)
        ++i;
    bool ok = false;
    const int n = value.mid(start, i - start).toInt(&ok);
    return ok ? n : 0;
}

} // namespace

VersionFile readVersionFile(const QByteArray& bytes)
{
    VersionFile file;
    QString section;
    const QStringList lines = platform::gbk::decode(bytes).split(QRegularExpression(QStringLiteral("[\r\n]")));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            section = (close > 0 ? line.mid(1, close - 1) : line.mid(1)).trimmed().toLower();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0 || line.startsWith(u';'))
            continue;
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        if (section == u"version") {
            if (key == u"ver1")
                file.version.major = iniInt(value);
            else if (key == u"ver2")
                file.version.minor = iniInt(value);
            else if (key == u"ver3")
                file.version.build = iniInt(value);
        } else if (section == u"url" && key == u"url") {
            file.url = value.left(kMaxUrlLength);
        }
    }
    return file;
}

