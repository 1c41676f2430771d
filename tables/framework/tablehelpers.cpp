#include "tables/framework/tablehelpers.h"

#include "core/geometry/connect.h"
#include "core/geometry/geometry.h"
#include "core/geometry/steeltext.h"
#include "core/model/barcore.h"
#include "core/model/modelrecord.h"
#include "core/model/modelreference.h"
#include "core/model/shapebitmap.h"
#include "platform/archive.h"
#include "platform/saturate.h"
#include "platform/xlsx/workbook.h"
#include "tables/framework/template.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <cmath>
#include <exception>
#include <limits>
#include <memory>
#include <vector>

using namespace platform::gdi;

namespace {

QString withCoating(QString text, int coated)
{
    if (coated == 1)
        text += QStringLiteral("环");
    return text;
}

} // namespace

int setTableMapping(platform::Dc* dc, int sign)
{
    const int old = dc->SetMapMode(MM_ANISOTROPIC);
    dc->SetWindowExt(254, 254);
    dc->SetViewportExt(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY) * sign);
    return old;
}

QPoint paperToDevicePoint(int originX, int originY, int x, int y, double scale)
{
    return QPoint(deviceCoordinate(x * scale + originX), deviceCoordinate(y * scale + originY));
}

QPoint devicePointToPaper(int x1, int y1, int x2, int y2, double scale)
{
    if (scale == 0)
        return QPoint(0, 0);
    return QPoint(platform::saturatedInt((double(x2) - x1) / scale),
                  platform::saturatedInt((double(y2) - y1) / scale));
}

std::optional<platform::Pen> createTablePen(int style, int width, platform::COLORREF colour,
                                            double dashFactor)
{
    // The cut lines between bar tags: the drawing pens, with wider fine dots.
    constexpr double kTableFineDotGap = 12;
    return createStylePen(style, width, colour, dashFactor, kTableFineDotGap);
}

QString Steel_GradeDNToTableString(int grade, float diameter, int coated)
{
    if (grade < 1)
        grade = 1;
    return withCoating(QStringLiteral("%%") + QLatin1Char(Steel_GradeToTableCHAR(grade))
                           + DNtoString(diameter),
                       coated);
}

QString Steel_GradeDNToString(int grade, float diameter, int coated)
{
    if (grade < 1)
        grade = 1;
    return withCoating(Steel_GradeToString(grade) + DNtoString(diameter), coated);
}

QString Steel_GradeDNToExcelString(int grade, float diameter, int coated)
{
    if (grade < 1)
        grade = 1;
    return withCoating(Steel_GradeToExcelString(grade) + DNtoString(diameter), coated);
}

void setBarVarying(CVes_BarCore& bar, bool varying)
{
    if ((bar.isMultiVal() != 0) == varying)
        return;
    if (varying) {
        const bool regrouped = bar.count >= 1 && bar.count <= CVes_ReferenceBase::kMaxGroupBars;
        bar.setMultiGroup(regrouped ? bar.count : 1);
        if (regrouped)
            bar.count = 1;
    } else if (!varying && bar.count >= 1 && bar.getMultiGroup() >= 1) {
        bar.count = platform::saturatedMul(bar.count, bar.getMultiGroup());
    }
    bar.setMultiVal(varying ? 1 : 0);
}

QString nextNumberString(const QString& text)
{
    const QString trimmed = text.trimmed();
    qsizetype start = trimmed.size();
    while (start > 0 && trimmed[start - 1] >= u'0' && trimmed[start - 1] <= u'9')
        --start;
    // The number as it would read: leading zeros dropped, empty is 0.
    QString number = trimmed.mid(start);
    while (number.size() > 1 && number.front() == u'0')
        number.remove(0, 1);
    if (number.isEmpty())
        number = QStringLiteral("0");
    // Add one digit by digit, so that no length of number overflows.
    qsizetype i = number.size() - 1;
    while (i >= 0 && number[i] == u'9')
        number[i--] = u'0';
    if (i >= 0)
        number[i] = QChar(number[i].unicode() + 1);
    else
        number.prepend(u'1');
    return trimmed.left(start) + number;
}

namespace {

bool isPldFileName(const QString& name)
{
    return name.size() > 4 && name.endsWith(QStringLiteral(".pld"), Qt::CaseInsensitive);
}

void collectPldFilesIn(const QString& folder, const QStringList& filters, QStringList& files,
                       QSet<QString>& visited)
{
    const QString canonical = QFileInfo(folder).canonicalFilePath();
    if (canonical.isEmpty() || visited.contains(canonical))
        return;
    visited.insert(canonical);

    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(
        filters, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString name = entry.fileName();
        if (entry.isDir()) {
            if (!name.startsWith(u'.'))
                collectPldFilesIn(folder + name + u'/', filters, files, visited);
        } else if (isPldFileName(name)) {
            files.append(folder + name);
        }
    }
}

} // namespace

void collectPldFiles(const QString& folder, const QString& pattern, QStringList& files)
{
    QString start = folder;
    if (!start.endsWith(u'/'))
        start += u'/';
    // "*.*" finds every entry, names without a dot included.
    const QString filter = (pattern == QStringLiteral("*.*") || pattern.isEmpty())
                               ? QStringLiteral("*")
                               : pattern;
    QSet<QString> visited;
    collectPldFilesIn(start, QStringList{filter}, files, visited);
}

QString unitName(int unit)
{
    switch (unit) {
    case CVes_Template::kMillimetre: return QStringLiteral("mm");
    case CVes_Template::kCentimetre: return QStringLiteral("cm");
    case CVes_Template::kMetre: return QStringLiteral("m");
    case CVes_Template::kGram: return QStringLiteral("g");
    case CVes_Template::kKilogram: return QStringLiteral("kg");
    case CVes_Template::kTonne: return QStringLiteral("t");
    default: return {};
    }
}

QString unitCaption(const QString& caption, int unit)
{
    QString text = caption;
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text + QStringLiteral("\n(") + unitName(unit) + u')';
}

namespace decimals {
QString f2(double value) { return QString::asprintf("%.2f", value); }
QString f3(double value) { return QString::asprintf("%.3f", value); }
} // namespace decimals

QString remarkText(const QString& remark)
{
    QString text = remark;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'|', u'\n');
    return text;
}

void insertBarPicture(platform::xlsx::Worksheet& sheet, int row, int column, CVes_ModelReference& bar,
                      int width, int height)
{
    // The bar takes from its shape what a drawing would take, as it keeps
    // it; then what the drawing reads: the shape and its variables, hooks,
    // ends and mirroring as the bar stores them, and the diameter.
    // The drawing is made later, beside the others on the workbook's
    // threads, when the bar may be gone: it owns its copy of the record and
    // of the bar's two end connections, which the record only points at.
    struct Drawing {
        std::unique_ptr<CVes_ModelRecord> record;
        CVes_Connect left;
        CVes_Connect right;
    };
    const auto drawing = std::make_shared<Drawing>();
    drawing->record = bar.makeWorkingRecord();
    if (!drawing->record)
        return;
    CVes_ModelRecord& record = *drawing->record;
    if (record.m_pConnectLeft) {
        drawing->left = *record.m_pConnectLeft;
        record.m_pConnectLeft = &drawing->left;
    }
    if (record.m_pConnectRight) {
        drawing->right = *record.m_pConnectRight;
        record.m_pConnectRight = &drawing->right;
    }
    const auto draw = [drawing, width, height, mirror = bar.getMirror()] {
        platform::Bitmap picture;
        ModelRecordToBitmap(picture, drawing->record.get(), width, height, nullptr, mirror);
        return picture.isNull() ? QImage() : *picture.image();
    };
    platform::Archive key;
    try {
        key << std::int32_t(width) << std::int32_t(height);
        if (const auto* core = dynamic_cast<const CVes_BarCore*>(&bar))
            key << core->DN;
        bar.CVes_ModelReference::Serialize(key);
    } catch (const std::exception&) {
        // A bar that cannot be written is drawn for its cell alone.
        sheet.insertPicture(row, column, draw(), 2.0, 3.0);
        return;
    }
    sheet.insertPicture(row, column, key.data(), QSize(width, height), draw, 2.0, 3.0);
}
