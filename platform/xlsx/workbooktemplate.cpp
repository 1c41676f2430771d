#include "platform/xlsx/workbooktemplate.h"

#include "platform/folders.h"
#include "platform/savefile.h"
#include "platform/xlsx/failure.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

namespace platform::xlsx {

namespace {

// The spreadsheet's own limits: 255 characters of width, 16384 columns.
constexpr double kMaxWidth = 255;
constexpr int kMaxColumns = 16384;

bool readNumber(const QJsonObject& object, const char* key, double min, double max, double* out,
                QString* error)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isUndefined())
        return true;
    if (!value.isDouble() || value.toDouble() < min || value.toDouble() > max)
        return fail(error, QStringLiteral("\"%1\" must be a number from %2 to %3")
                               .arg(QLatin1String(key))
                               .arg(min)
                               .arg(max));
    *out = value.toDouble();
    return true;
}

bool readAlign(const QJsonValue& value, Align* out)
{
    if (value.isUndefined()) {
        *out = Align::Center;
        return true;
    }
    const QString text = value.toString();
    if (text == QLatin1String("left"))
        *out = Align::Left;
    else if (text == QLatin1String("center"))
        *out = Align::Center;
    else if (text == QLatin1String("right"))
        *out = Align::Right;
    else
        return false;
    return true;
}

bool readColumn(const QJsonValue& value, ColumnTemplate* column, QString* error)
{
    if (!value.isObject())
        return fail(error, QStringLiteral("a column must be an object"));
    const QJsonObject object = value.toObject();
    if (!readNumber(object, "width", 0, kMaxWidth, &column->width, error))
        return false;
    const QJsonValue caption = object.value(QLatin1String("caption"));
    if (!caption.isUndefined() && !caption.isString())
        return fail(error, QStringLiteral("a caption must be a text"));
    column->caption = caption.toString();
    if (!readAlign(object.value(QLatin1String("align")), &column->align))
        return fail(error, QStringLiteral("\"align\" must be left, center or right"));
    return true;
}

bool readSheet(const QJsonValue& value, SheetTemplate* sheet, QString* error)
{
    if (!value.isObject())
        return fail(error, QStringLiteral("a sheet must be an object"));
    const QJsonObject object = value.toObject();
    sheet->name = object.value(QLatin1String("name")).toString();
    if (!isValidSheetName(sheet->name))
        return fail(error, QStringLiteral("invalid sheet name \"%1\"").arg(sheet->name));
    sheet->landscape = object.value(QLatin1String("landscape")).toBool(false);
    const QJsonArray columns = object.value(QLatin1String("columns")).toArray();
    if (columns.isEmpty() || columns.size() > kMaxColumns)
        return fail(error, QStringLiteral("sheet \"%1\" needs its columns").arg(sheet->name));
    for (const QJsonValue& column : columns) {
        ColumnTemplate read;
        if (!readColumn(column, &read, error))
            return false;
        sheet->columns.push_back(read);
    }
    return true;
}

} // namespace

bool isValidSheetName(const QString& name)
{
    if (name.isEmpty() || name.size() > 31)
        return false;
    if (name.startsWith(u'\'') || name.endsWith(u'\''))
        return false;
    for (const QChar c : name) {
        if (QStringView(u"[]:*?/\\").contains(c))
            return false;
    }
    return true;
}

bool WorkbookTemplate::parse(const QByteArray& json, WorkbookTemplate* out, QString* error)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(json, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        return fail(error, parseError.errorString());
    if (!document.isObject())
        return fail(error, QStringLiteral("the template must be an object"));
    const QJsonObject object = document.object();

    WorkbookTemplate read;
    const QJsonValue font = object.value(QLatin1String("font"));
    if (!font.isUndefined()) {
        if (!font.isString() || font.toString().isEmpty())
            return fail(error, QStringLiteral("\"font\" must be a font name"));
        read.font = font.toString();
    }
    if (!readNumber(object, "fontSize", 1, 409, &read.fontSize, error)
        || !readNumber(object, "titleFontSize", 1, 409, &read.titleFontSize, error))
        return false;

    const QJsonArray sheets = object.value(QLatin1String("sheets")).toArray();
    if (sheets.isEmpty())
        return fail(error, QStringLiteral("the template has no sheets"));
    QSet<QString> names;
    for (const QJsonValue& value : sheets) {
        SheetTemplate sheet;
        if (!readSheet(value, &sheet, error))
            return false;
        // The spreadsheet compares sheet names without regard to case.
        if (names.contains(sheet.name.toCaseFolded()))
            return fail(error, QStringLiteral("sheet \"%1\" appears twice").arg(sheet.name));
        names.insert(sheet.name.toCaseFolded());
        read.sheets.push_back(std::move(sheet));
    }
    *out = std::move(read);
    return true;
}

bool WorkbookTemplate::load(const QString& path, WorkbookTemplate* out, QString* error)
{
    QByteArray json;
    QString reason;
    if (!readFile(path, &json, &reason))
        return fail(error, QStringLiteral("%1: %2").arg(path, reason));
    if (!parse(json, out, &reason))
        return fail(error, QStringLiteral("%1: %2").arg(path, reason));
    return true;
}

QString templatePath(QString name)
{
    if (name.endsWith(QLatin1String(".xlt"), Qt::CaseInsensitive))
        name.chop(4);
    return dataFolder() + QStringLiteral("templates/") + name + QStringLiteral(".json");
}

} // namespace platform::xlsx
