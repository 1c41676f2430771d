#include "tests/support/fixtures.h"

#include <QFile>
#include <stdexcept>

namespace test {

QByteArray hex(const char* text)
{
    QByteArray compact(text);
    compact.replace(' ', "").replace('\n', "");
    return QByteArray::fromHex(compact);
}

QString toHex(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QByteArray fixture(const QString& fixturesDir, const QString& name)
{
    QFile file(fixturesDir + u'/' + name);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture " + name.toStdString());
    return file.readAll();
}

} // namespace test
