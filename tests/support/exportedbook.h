#pragma once
// A workbook an export wrote, read back through the unzip tool: the
// workbook's sheet list, one worksheet's cells with their shared strings,
// and whether a cell is bordered.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

namespace test {

// One member of a saved workbook, through the unzip tool.
inline QString member(const QString& zip, const QString& name)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), zip, name});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

// What the export wrote, read back from the file it opened.
class ExportedBook {
public:
    ExportedBook(const QString& path, int sheetIndex) : m_path(path)
    {
        m_workbook = member(path, QStringLiteral("xl/workbook.xml"));
        m_sheet = member(path, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetIndex));
        m_styles = member(path, QStringLiteral("xl/styles.xml"));
        const QString shared = member(path, QStringLiteral("xl/sharedStrings.xml"));
        const QRegularExpression item(QStringLiteral("<si><t[^>]*>(.*?)</t></si>"),
                                      QRegularExpression::DotMatchesEverythingOption);
        for (auto it = item.globalMatch(shared); it.hasNext();)
            m_strings << it.next().captured(1);
    }

    const QString& workbook() const { return m_workbook; }
    const QString& sheet() const { return m_sheet; }

    QString cell(const QString& name) const
    {
        return QRegularExpression(QStringLiteral("<c r=\"%1\"[^>]*?(/>|>.*?</c>)").arg(name))
            .match(m_sheet)
            .captured(0);
    }
    // The text of a string cell; empty for a missing or blank one.
    QString text(const QString& name) const
    {
        const auto index =
            QRegularExpression(QStringLiteral("t=\"s\"[^>]*><v>(\\d+)</v>")).match(cell(name));
        return index.hasMatch() ? m_strings.value(index.captured(1).toInt()) : QString();
    }
    bool bordered(const QString& name) const
    {
        const auto style = QRegularExpression(QStringLiteral(" s=\"(\\d+)\"")).match(cell(name));
        if (!style.hasMatch())
            return false;
        const QString xfs = QRegularExpression(QStringLiteral("<cellXfs[^>]*>(.*?)</cellXfs>"))
                                .match(m_styles)
                                .captured(1);
        QStringList entries;
        for (auto it = QRegularExpression(QStringLiteral("<xf [^>]*>")).globalMatch(xfs);
             it.hasNext();)
            entries << it.next().captured(0);
        const auto border = QRegularExpression(QStringLiteral("borderId=\"(\\d+)\""))
                                .match(entries.value(style.captured(1).toInt()));
        return border.hasMatch() && border.captured(1) != QLatin1String("0");
    }

private:
    QString m_path;
    QString m_workbook;
    QString m_sheet;
    QString m_styles;
    QStringList m_strings;
};

} // namespace test
