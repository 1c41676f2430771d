#include "tests/support/pdftext.h"

#include <QProcess>
#include <QStandardPaths>

namespace test {

bool hasPdfText()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

QStringList pdfPages(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-layout"), QStringLiteral("-enc"), QStringLiteral("UTF-8"), path,
                   QStringLiteral("-")});
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    QString all = QString::fromUtf8(process.readAllStandardOutput())
                      .normalized(QString::NormalizationForm_KC);
    all.replace(QChar(0x2EDA), QChar(0x9875)); // 页
    all.replace(QChar(0x2ED3), QChar(0x957F)); // 长
    QStringList pages = all.split(u'\f');
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

QString pdfText(const QString& path)
{
    return pdfPages(path).join(u'\f');
}

} // namespace test
