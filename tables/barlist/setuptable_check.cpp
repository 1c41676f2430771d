// The check of the bar lines: incomplete bars, one number used for different
// bars, and equal bars with different numbers and cut lengths; and the HTML
// report of what it finds.

#include "tables/barlist/setuptable.h"

#include "core/geometry/datafolder.h"
#include "core/model/modelrecord.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QDateTime>

#include <cmath>
#include <vector>

namespace {

QString reasonText(int reason)
{
    switch (reason) {
    case CVes_SetupTableLine::kBadNumber:
        return QStringLiteral("【钢筋编号】错误！");
    case CVes_SetupTableLine::kBadGradeOrSize:
        return QStringLiteral("【钢筋规格】错误！");
    case CVes_SetupTableLine::kBadShape:
        return QStringLiteral("【钢筋形状】错误！");
    case CVes_SetupTableLine::kBadLength:
        return QStringLiteral("【断料长度】错误！");
    case CVes_SetupTableLine::kBadCount:
        return QStringLiteral("【每件根数】错误！");
    }
    return {};
}

// The cut length in whole millimetres: computed or entered.
long long cutLength(CVes_Steel& bar)
{
    const double length = bar.calcLength ? bar.calculateLength(0, 1.0) : bar.length;
    return std::isfinite(length) ? (long long)std::trunc(length) : 0;
}

bool hasSides(CVes_Steel& bar)
{
    const CVes_ModelRecord* record = bar.getRecord();
    // The stand-in shown for a missing shape is no shape of the bar.
    return record && !isPlaceholderRecord(*record) && !record->m_arrSide.empty();
}

// A bar number as it goes into the report: the user's text, escaped.
QString html(const QString& text)
{
    return text.toHtmlEscaped();
}

} // namespace

int CVes_SetupTable::CheckData(QString& findings)
{
    int result = 1;
    findings += QStringLiteral("<UL>");

    struct Place {
        CVes_SetupTableLine* line;
        int page;
        int row;
    };
    std::vector<Place> places;
    places.reserve(size_t(m_lines.size()));
    for (CVes_TableBaseLine* base : std::as_const(m_lines)) {
        int page = -1;
        int row = -1;
        getInfo(base, page, row);
        places.push_back({dynamic_cast<CVes_SetupTableLine*>(base), page, row});
    }

    for (size_t i = 0; i < places.size(); ++i) {
        const Place& c = places[i];
        if (!c.line || c.line->isNull() || c.line->m_type != CVes_SetupTableLine::kSteelLine
            || !c.line->m_steel.isProcess())
            continue;
        CVes_Steel& bar = c.line->m_steel;
        int reason = -1;
        if (!c.line->isAvailable(reason)) {
            findings += QStringLiteral("<LI>第%1页 第%2行  第 %3 号钢筋信息不完整——")
                            .arg(QString::number(c.page), QString::number(c.row), html(bar.number))
                + reasonText(reason);
            result = 0;
            continue;
        }
        for (size_t j = 0; j < i; ++j) {
            const Place& e = places[j];
            if (!e.line || e.line->isNull() || e.line->m_type != CVes_SetupTableLine::kSteelLine)
                continue;
            CVes_Steel& other = e.line->m_steel;
            if (bar.number == other.number) {
                if (!bar.isSame(other)) {
                    findings += QStringLiteral("\n\n <LI>两根<b>%1号钢筋</b>中<I>（第%2页/第%3行 与 "
                                               "第%4页/第%5行）</I>， 编号相同，但<b>钢筋</b>不同！")
                                    .arg(html(bar.number), QString::number(c.page),
                                         QString::number(c.row), QString::number(e.page),
                                         QString::number(e.row));
                    result = 0;
                }
                continue;
            }
            if (bar.DN != other.DN || bar.grade != other.grade || !bar.isSame(other)
                || !hasSides(bar))
                continue;
            if (cutLength(bar) != cutLength(other) && !(bar.calcLength && other.calcLength)) {
                findings += QStringLiteral("\n\n <LI>第%1页/第%2行 <b>第%3号钢筋</b>与第%4页 第%5行 "
                                           "<b>第%6号钢筋</b>， 钢筋规格与形状相同，但<b>长度不同</b>！")
                                .arg(QString::number(c.page), QString::number(c.row),
                                     html(bar.number), QString::number(e.page),
                                     QString::number(e.row), html(other.number));
                result = 0;
            }
        }
    }
    findings += QStringLiteral("</UL>");
    return result;
}

QString CVes_SetupTable::checkReportPath()
{
    return GetRODOFilePath() + QStringLiteral("配料单检查报告.html");
}

void CVes_SetupTable::checkTable()
{
    const QDateTime now = platform::host().now();
    QString page = QStringLiteral("<html><HEAD>\n<TITLE>配料单检查报告</TITLE>\n<BODY>\n<p><CENTER><B>"
                                  "<FONT SIZE=\"8\" COLOR=\"blue\">检查报告</FONT></B></CENTER></p>");
    page += QStringLiteral("\n<p><b><I><FONT SIZE=\"2\" COLOR=\"#0033FF\">检查时间：%1-%2-%3 %4:%5"
                           "</FONT></I></b><br><p>\n ")
                .arg(QString::number(now.date().year()), QString::number(now.date().month()),
                     QString::number(now.date().day()), QString::number(now.time().hour()),
                     QString::number(now.time().minute()));
    QString findings;
    if (CheckData(findings)) {
        platform::showMessage(QStringLiteral("钢筋行数据检查通过！"), platform::MessageIcon::Information);
        return;
    }
    page += QStringLiteral("\n<p>%1</p>\n ").arg(findings);
    page += QStringLiteral("\n</BODY>\n</HTML>");
    // A text file of the system's code page with its line ends.
    page.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = platform::gbk::encode(page);
    QString path = checkReportPath();
    if (!platform::saveFile(path, bytes)) {
        // An installed program folder may be read-only: the report goes to
        // the folder for temporary files instead.
        const QString fallback = platform::tempFolder() + QStringLiteral("配料单检查报告.html");
        if (!platform::saveFile(fallback, bytes)) {
            platform::showMessage(QStringLiteral("无法写入检查报告：%1").arg(path),
                                  platform::MessageIcon::Warning);
            return;
        }
        path = fallback;
    }
    platform::host().openWithDesktop(path);
}
