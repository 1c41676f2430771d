#include "tests/support/decimalcomma.h"

#include <QProcess>
#include <QTemporaryDir>
#include <clocale>
#include <cstring>

namespace test {

namespace {

constexpr const char* kName = "de_DE.UTF-8";

// glibc reads locales from $LOCPATH when it is set; localedef builds one
// there from the sources the "locales" package installs.
QString compiledLocaleFolder()
{
    static QTemporaryDir folder;
    static const bool compiled = folder.isValid()
        && QProcess::execute(QStringLiteral("localedef"),
                             {QStringLiteral("-c"), QStringLiteral("-i"), QStringLiteral("de_DE"),
                              QStringLiteral("-f"), QStringLiteral("UTF-8"),
                              folder.filePath(QString::fromLatin1(kName))}) >= 0;
    return compiled ? folder.path() : QString();
}

} // namespace

DecimalCommaLocale::DecimalCommaLocale()
    : m_oldNumeric(std::setlocale(LC_NUMERIC, nullptr)), m_oldLocPath(qgetenv("LOCPATH"))
{
    if (!(std::setlocale(LC_NUMERIC, kName) && active())) {
        qputenv("LOCPATH", compiledLocaleFolder().toLocal8Bit());
        std::setlocale(LC_NUMERIC, kName);
    }
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
}

DecimalCommaLocale::~DecimalCommaLocale()
{
    std::setlocale(LC_NUMERIC, m_oldNumeric.c_str());
    QLocale::setDefault(m_oldQt);
    if (m_oldLocPath.isNull())
        qunsetenv("LOCPATH");
    else
        qputenv("LOCPATH", m_oldLocPath);
}

bool DecimalCommaLocale::active() const
{
    return std::strcmp(std::localeconv()->decimal_point, ",") == 0;
}

} // namespace test
