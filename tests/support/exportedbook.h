#pragma once
// A workbook the spreadsheet export wrote, read back member by member with
// the unzip tool: the workbook's sheet list, a worksheet's cells with their
// texts and borders, and where its pictures are anchored.

#include "tests/support/recordinghost.h"

#include <QCryptographicHash>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>

#include <atomic>
#include <cmath>
#include <map>
#include <optional>
#include <utility>
#include <vector>

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

// The bytes of every member of a saved workbook, in the package's order, as
// they were before compression (so another zlib reads the same), with the
// time stamp of the document's properties masked: what tells one workbook
// from another but the moment it was written.
inline std::vector<std::pair<QByteArray, QByteArray>> workbookMembers(const QString& zip)
{
    // Unpacked whole at once: a tool run a member takes long for a big
    // workbook.
    QTemporaryDir unpacked;
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-Z1"), zip});
    if (!unpacked.isValid() || !unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    const QList<QByteArray> names = unzip.readAllStandardOutput().split('\n');
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-qq"), zip, QStringLiteral("-d"), unpacked.path()});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    std::vector<std::pair<QByteArray, QByteArray>> members;
    for (const QByteArray& name : names) {
        if (name.isEmpty())
            continue;
        QFile file(unpacked.filePath(QString::fromUtf8(name)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        QByteArray bytes = file.readAll();
        if (name == "docProps/core.xml") {
            static const QRegularExpression time(
                QStringLiteral("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ"));
            bytes = QString::fromUtf8(bytes).replace(time, QStringLiteral("TIME")).toUtf8();
        }
        members.emplace_back(name, bytes);
    }
    return members;
}

// "member sha1" a line for every member of a saved workbook (workbookMembers),
// a picture by its pixels (another zlib packs the same pixels in other
// bytes): what a fixture records of a workbook.
inline QStringList workbookDigests(const QString& zip)
{
    QStringList lines;
    for (auto [name, bytes] : workbookMembers(zip)) {
        if (name.endsWith(".png")) {
            const QImage image = QImage::fromData(bytes, "PNG").convertToFormat(QImage::Format_ARGB32);
            bytes = QByteArray(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
        }
        lines << QString::fromUtf8(name) + u' '
                + QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha1).toHex());
    }
    return lines;
}

// The lines the fixture file holds, to compare with `written`. With the
// environment variable `recordInto` set to a path, `written` is first
// written there: the fixture is written anew that way after an intended
// change.
inline QStringList recordedLines(const QString& fixture, const char* recordInto,
                                 const QStringList& written)
{
    if (const QByteArray record = qgetenv(recordInto); !record.isEmpty()) {
        QFile out(QString::fromLocal8Bit(record));
        if (out.open(QIODevice::WriteOnly))
            out.write(written.join(u'\n').toUtf8() + '\n');
    }
    QFile file(fixture);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

// What the export wrote, read back from the file it opened.
class ExportedBook {
public:
    ExportedBook(const QString& path, int sheetIndex) : m_sheetIndex(sheetIndex), m_path(path)
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

    // The names of the workbook's sheets, in order.
    QStringList sheetNames() const
    {
        QStringList names;
        const QRegularExpression sheet(QStringLiteral("<sheet name=\"([^\"]*)\""));
        for (auto it = sheet.globalMatch(m_workbook); it.hasNext();)
            names << it.next().captured(1);
        return names;
    }

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
        const auto border = QRegularExpression(QStringLiteral("borderId=\"(\\d+)\"")).match(look(name));
        return border.hasMatch() && border.captured(1) != QLatin1String("0");
    }

    // The cell format of the cell ("<xf …>…</xf>", its alignment and
    // protection too); empty for one without.
    QString look(const QString& name) const
    {
        const auto style = QRegularExpression(QStringLiteral(" s=\"(\\d+)\"")).match(cell(name));
        if (!style.hasMatch())
            return {};
        const QString xfs = QRegularExpression(QStringLiteral("<cellXfs[^>]*>(.*?)</cellXfs>"),
                                               QRegularExpression::DotMatchesEverythingOption)
                                .match(m_styles)
                                .captured(1);
        QStringList entries;
        const QRegularExpression xf(QStringLiteral("<xf [^>]*?(?:/>|>.*?</xf>)"));
        for (auto it = xf.globalMatch(xfs); it.hasNext();)
            entries << it.next().captured(0);
        return entries.value(style.captured(1).toInt());
    }

    // The value of a number cell ("E8" with no type, or the type "n");
    // nothing for a text, blank or missing one.
    std::optional<double> number(const QString& name) const
    {
        const auto value = QRegularExpression(QStringLiteral("^<c r=\"[A-Z]+\\d+\"(?: s=\"\\d+\")?"
                                                             "(?: t=\"n\")?><v>([^<]+)</v></c>$"))
                               .match(cell(name));
        if (!value.hasMatch())
            return std::nullopt;
        bool ok = false;
        const double number = value.captured(1).toDouble(&ok);
        return ok ? std::optional(number) : std::nullopt;
    }
    // The number format the cell is shown with ("0.000"; "General" when it
    // has none).
    QString numberFormat(const QString& name) const
    {
        const auto id = QRegularExpression(QStringLiteral("numFmtId=\"(\\d+)\"")).match(look(name));
        const int format = id.hasMatch() ? id.captured(1).toInt() : 0;
        switch (format) { // the spreadsheet's own formats of whole and two decimals
        case 0: return QStringLiteral("General");
        case 1: return QStringLiteral("0");
        case 2: return QStringLiteral("0.00");
        default: break;
        }
        const QString code = QStringLiteral("<numFmt numFmtId=\"%1\" formatCode=\"([^\"]*)\"").arg(format);
        return QRegularExpression(code).match(m_styles).captured(1);
    }
    // The cell as a spreadsheet shows it: its text, or its number in its
    // number format ("0.000" shows three decimals).
    QString shown(const QString& name) const
    {
        const std::optional<double> value = number(name);
        if (!value)
            return text(name);
        const QString format = numberFormat(name);
        if (format == QLatin1String("General"))
            return QString::number(*value, 'g', 15);
        const qsizetype point = format.indexOf(u'.');
        return QString::number(*value, 'f', point < 0 ? 0 : int(format.size() - point - 1));
    }

    // Every string cell of the sheet ("B6") with its text.
    std::map<QString, QString> strings() const
    {
        std::map<QString, QString> cells;
        const QRegularExpression cell(
            QStringLiteral("<c r=\"([A-Z]+\\d+)\"[^>]*t=\"s\"[^>]*><v>(\\d+)</v>"));
        for (auto it = cell.globalMatch(m_sheet); it.hasNext();) {
            const auto m = it.next();
            cells[m.captured(1)] = m_strings.value(m.captured(2).toInt());
        }
        return cells;
    }
    // Every number cell of the sheet ("B6") with its value.
    std::map<QString, double> numbers() const
    {
        std::map<QString, double> cells;
        const QRegularExpression cell(
            QStringLiteral("<c r=\"([A-Z]+\\d+)\"(?: s=\"\\d+\")?(?: t=\"n\")?><v>([^<]+)</v></c>"));
        for (auto it = cell.globalMatch(m_sheet); it.hasNext();) {
            const auto m = it.next();
            cells[m.captured(1)] = m.captured(2).toDouble();
        }
        return cells;
    }
    // The heights the sheet sets its rows to, in points, by row number.
    std::map<int, double> rowHeights() const
    {
        std::map<int, double> heights;
        const QRegularExpression row(QStringLiteral("<row r=\"(\\d+)\"[^>]* ht=\"([0-9.]+)\""));
        for (auto it = row.globalMatch(m_sheet); it.hasNext();) {
            const auto m = it.next();
            heights[m.captured(1).toInt()] = m.captured(2).toDouble();
        }
        return heights;
    }
    // The merged ranges ("B7:F7"), in order.
    QStringList merges() const
    {
        QStringList ranges;
        const QRegularExpression merge(QStringLiteral("<mergeCell ref=\"([^\"]+)\""));
        for (auto it = merge.globalMatch(m_sheet); it.hasNext();)
            ranges << it.next().captured(1);
        return ranges;
    }

    // The cells the sheet's pictures are anchored at ("D6"), in order.
    QStringList pictureCells() const
    {
        const QString drawing = this->drawing();
        QStringList cells;
        const QRegularExpression from(QStringLiteral(
            "<xdr:from><xdr:col>(\\d+)</xdr:col><xdr:colOff>\\d+</xdr:colOff><xdr:row>(\\d+)</xdr:row>"));
        for (auto it = from.globalMatch(drawing); it.hasNext();) {
            const auto m = it.next();
            cells << QChar(u'A' + m.captured(1).toInt()) + QString::number(m.captured(2).toInt() + 1);
        }
        return cells;
    }

    // The cells ("E21") whose picture reaches onto a line of its cell as a
    // spreadsheet program shows the sheet: it draws every row and column a
    // whole number of pixels wide, the lines on the cells' edge pixels, and
    // places a picture by its cell's exact place plus the picture's offset.
    QStringList picturesOverTheirLines() const
    {
        constexpr double kEmuPerPixel = 9525;
        constexpr double kPixelsPerPoint = 96.0 / 72.0;
        const auto defaultHeight =
            QRegularExpression(QStringLiteral("defaultRowHeight=\"([0-9.]+)\"")).match(m_sheet);
        const double defaultPoints = defaultHeight.hasMatch() ? defaultHeight.captured(1).toDouble() : 15;
        const std::map<int, double> heights = rowHeights();
        // Row r's top: exact, and as drawn (each row above rounded to pixels).
        const auto rowTop = [&](int row, bool drawn) {
            double top = 0;
            for (int r = 1; r < row; ++r) {
                const auto found = heights.find(r);
                const double pixels = (found == heights.end() ? defaultPoints : found->second) * kPixelsPerPoint;
                top += drawn ? std::round(pixels) : pixels;
            }
            return top;
        };
        // Column widths in characters of seven pixels and five of margin.
        std::map<int, double> widths;
        const QRegularExpression column(
            QStringLiteral("<col min=\"(\\d+)\" max=\"(\\d+)\" width=\"([0-9.]+)\""));
        for (auto it = column.globalMatch(m_sheet); it.hasNext();) {
            const auto m = it.next();
            for (int c = m.captured(1).toInt(); c <= m.captured(2).toInt(); ++c)
                widths[c] = m.captured(3).toDouble();
        }
        const auto columnLeft = [&](int column) {
            double left = 0;
            for (int c = 1; c < column; ++c) {
                const auto found = widths.find(c);
                const double width = found == widths.end() ? 8.43 : found->second;
                left += width < 1 ? std::floor(width * 12 + 0.5) : std::floor(width * 7 + 0.5) + 5;
            }
            return left;
        };

        QStringList over;
        const QRegularExpression anchor(QStringLiteral(
            "<xdr:from><xdr:col>(\\d+)</xdr:col><xdr:colOff>(\\d+)</xdr:colOff><xdr:row>(\\d+)</xdr:row>"
            "<xdr:rowOff>(\\d+)</xdr:rowOff></xdr:from>.*?<a:ext cx=\"(\\d+)\" cy=\"(\\d+)\""));
        for (auto it = anchor.globalMatch(drawing()); it.hasNext();) {
            const auto m = it.next();
            const int column = m.captured(1).toInt() + 1;
            const int row = m.captured(3).toInt() + 1;
            const double left = columnLeft(column) + m.captured(2).toDouble() / kEmuPerPixel;
            const double right = left + m.captured(5).toDouble() / kEmuPerPixel;
            const double top = rowTop(row, false) + m.captured(4).toDouble() / kEmuPerPixel;
            const double bottom = top + m.captured(6).toDouble() / kEmuPerPixel;
            // The cell's own pixels, inside the lines on its edges.
            if (left < columnLeft(column) + 1 || right > columnLeft(column + 1) - 1
                || top < rowTop(row, true) + 1 || bottom > rowTop(row + 1, true) - 1)
                over << QChar(u'A' + column - 1) + QString::number(row);
        }
        return over;
    }

private:
    // The drawing of the sheet's pictures; empty without.
    QString drawing() const
    {
        const QString rels = member(
            m_path, QStringLiteral("xl/worksheets/_rels/sheet%1.xml.rels").arg(m_sheetIndex));
        const auto target = QRegularExpression(QStringLiteral("Target=\"../drawings/([^\"]+)\""))
                                .match(rels);
        if (!target.hasMatch())
            return {};
        return member(m_path, QStringLiteral("xl/drawings/") + target.captured(1));
    }

    int m_sheetIndex = 1;
    QString m_path;
    QString m_workbook;
    QString m_sheet;
    QString m_styles;
    QStringList m_strings;
};

// A folder of its own for the exports made during its lifetime: the
// recording host saves the workbooks there (as a user who keeps the
// proposed name), and the temporary folder the export works in is there
// too, so that nothing is shared with other test processes.
class ExportFolder {
public:
    ExportFolder()
        : m_old(qgetenv("TMPDIR")), m_oldSaveFolder(RecordingHost::current().saveFolder())
    {
        qputenv("TMPDIR", QFile::encodeName(m_dir.path()));
        RecordingHost::current().setSaveFolder(m_dir.path());
    }
    ~ExportFolder()
    {
        RecordingHost::current().setSaveFolder(m_oldSaveFolder);
        if (m_old.isNull())
            qunsetenv("TMPDIR");
        else
            qputenv("TMPDIR", m_old);
    }
    ExportFolder(const ExportFolder&) = delete;
    ExportFolder& operator=(const ExportFolder&) = delete;

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
    QString m_oldSaveFolder;
};

// Answers the save question with a path and plays a user who cancels just
// as the work ends: what the work reads is taken, the work runs whole, but
// the window reports it cancelled. It notes whether the work was given a
// step that takes what it reads (slices on the user-interface thread).
class CancelAtEndHost final : public platform::HostServices {
public:
    explicit CancelAtEndHost(QString path) : m_path(std::move(path)) {}
    platform::Answer message(const QString&, platform::MessageIcon, platform::Buttons buttons,
                             const QString&) override
    {
        ++messages;
        return platform::safeAnswer(buttons);
    }
    void beginWait() override {}
    void endWait() override {}
    bool openWithDesktop(const QString&) override
    {
        ++opened;
        return true;
    }
    QString askSaveFileName(const QString&, const QString&, const QString&) override { return m_path; }
    bool runWithProgress(const QString&, bool cancellable, const platform::BackgroundWork& work) override
    {
        const std::atomic<bool> cancel{false};
        ran = work(cancel, [](int, int) {});
        return !cancellable;
    }
    bool runWithProgress(const QString& text, bool cancellable, const platform::ProgressJob& job) override
    {
        taken = bool(job.take);
        return platform::HostServices::runWithProgress(text, cancellable, job);
    }

    int messages = 0;
    int opened = 0;
    bool ran = false;
    bool taken = false;

private:
    QString m_path;
};

// Whether the unzip tool that reads workbooks back is installed.
inline bool canReadWorkbooks()
{
    return !QStandardPaths::findExecutable(QStringLiteral("unzip")).isEmpty();
}

} // namespace test
