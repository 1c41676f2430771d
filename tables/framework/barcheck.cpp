#include "tables/framework/barcheck.h"

#include "core/geometry/datafolder.h"
#include "core/model/barcore.h"
#include "core/geometry/text.h"
#include "core/model/modelrecord.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QDateTime>

#include <cmath>

namespace {

// The cut length in whole millimetres: computed or entered. Checking
// leaves the stored length as it is.
long long cutLength(CVes_BarCore& bar)
{
    const double length = bar.calcLength ? bar.lengthAsCalculated(0, 1.0) : bar.length;
    return std::isfinite(length) ? (long long)std::trunc(length) : 0;
}

bool hasSides(CVes_BarCore& bar)
{
    const CVes_ModelRecord* record = bar.getRecord();
    // The stand-in shown for a missing shape is no shape of the bar.
    return record && !isPlaceholderRecord(*record) && !record->m_arrSide.empty();
}

QString html(const QString& text)
{
    return text.toHtmlEscaped();
}

QString sameNumberEntry(const CheckedBar& later, const CheckedBar& earlier)
{
    return QStringLiteral("\n\n <LI>两根<b>%1号钢筋</b>中<I>（第%2页/第%3行 与 第%4页/第%5行）</I>， "
                          "编号相同，但<b>钢筋</b>不同！")
        .arg(html(later.bar->number), QString::number(later.page), QString::number(later.row),
             QString::number(earlier.page), QString::number(earlier.row));
}

QString lengthEntry(const CheckedBar& later, const CheckedBar& earlier)
{
    return QStringLiteral("\n\n <LI>第%1页/第%2行 <b>第%3号钢筋</b>与第%4页 第%5行 "
                          "<b>第%6号钢筋</b>， 钢筋规格与形状相同，但<b>长度不同</b>！")
        .arg(QString::number(later.page), QString::number(later.row), html(later.bar->number),
             QString::number(earlier.page), QString::number(earlier.row),
             html(earlier.bar->number));
}

// The same grade, diameter and shape: the same shape record with the same
// dimensions, whatever the cut lengths.
bool sameSpecAndShape(const CVes_BarCore& a, const CVes_BarCore& b)
{
    if (a.DN != b.DN || a.grade != b.grade || !(a.getRecordId() == b.getRecordId()))
        return false;
    const auto& mine = a.getVarArray();
    const auto& theirs = b.getVarArray();
    if (mine.size() != theirs.size())
        return false;
    for (std::size_t i = 0; i < mine.size(); ++i) {
        const CVes_Variable& x = *mine[i];
        const CVes_Variable& y = *theirs[i];
        if (x.m_text != y.m_text || x.m_value != y.m_value || x.m_value2 != y.m_value2
            || x.m_formula != y.m_formula)
            return false;
    }
    return true;
}

// The finding of comparing a complete bar with another; empty when the two
// agree.
QString compareBars(const CheckedBar& later, const CheckedBar& earlier, bool byShape)
{
    CVes_BarCore& bar = *later.bar;
    CVes_BarCore& other = *earlier.bar;
    if (bar.number == other.number)
        return bar.isSame(other) ? QString() : sameNumberEntry(later, earlier);
    const bool alike = byShape ? sameSpecAndShape(bar, other)
                               : bar.DN == other.DN && bar.grade == other.grade && bar.isSame(other);
    if (!alike || !hasSides(bar))
        return {};
    if (cutLength(bar) == cutLength(other) || (bar.calcLength && other.calcLength))
        return {};
    return lengthEntry(later, earlier);
}

} // namespace

QString barCheckReasonText(int reason)
{
    switch (reason) {
    case 0:
        return QStringLiteral("【钢筋编号】错误！");
    case 1:
        return QStringLiteral("【钢筋规格】错误！");
    case 2:
        return QStringLiteral("【钢筋形状】错误！");
    case 3:
        return QStringLiteral("【断料长度】错误！");
    case 4:
        return QStringLiteral("【每件根数】错误！");
    }
    return {};
}

int checkBarRows(const std::vector<CheckedBar>& bars, bool compareUnprocessed, QString& findings)
{
    BarCheckRules rules;
    rules.compareUnprocessed = compareUnprocessed;
    return checkBarRows(bars, rules, findings);
}

int checkBarRows(const std::vector<CheckedBar>& bars, const BarCheckRules& rules,
                 QString& findings)
{
    int result = 1;
    findings += QStringLiteral("<UL>");
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const CheckedBar& c = bars[i];
        if (!c.process || !c.bar)
            continue;
        if (c.reason >= 0) {
            findings += QStringLiteral("<LI>第%1页 第%2行  第 %3 号钢筋信息不完整——")
                            .arg(QString::number(c.page), QString::number(c.row),
                                 html(c.bar->number))
                + barCheckReasonText(c.reason);
            result = 0;
            continue;
        }
        for (std::size_t j = 0; j < (rules.bothSides ? bars.size() : i); ++j) {
            const CheckedBar& e = bars[j];
            if (j == i || !e.bar || (!e.process && !rules.compareUnprocessed)
                || (rules.bothSides && e.reason >= 0))
                continue;
            const QString entry = compareBars(c, e, rules.byShape);
            if (!entry.isEmpty()) {
                findings += entry;
                result = 0;
            }
        }
    }
    findings += QStringLiteral("</UL>");
    return result;
}

QString writeCheckReport(const QString& title, const QString& fileName, const QString& findings)
{
    const QDateTime now = platform::host().now();
    // The page says how it is encoded, so that a browser does not guess.
    QString page = QStringLiteral("<html><HEAD>\n<TITLE>%1</TITLE>\n"
                                  "<META http-equiv=\"Content-Type\" content=\"text/html; charset=gbk\">\n"
                                  "<BODY>\n<p><CENTER><B>"
                                  "<FONT SIZE=\"8\" COLOR=\"blue\">检查报告</FONT></B></CENTER></p>")
                       .arg(title);
    page += QStringLiteral("\n<p><b><I><FONT SIZE=\"2\" COLOR=\"#0033FF\">检查时间：%1-%2-%3 %4:%5"
                           "</FONT></I></b><br><p>\n ")
                .arg(QString::number(now.date().year()), QString::number(now.date().month()),
                     QString::number(now.date().day()), QString::number(now.time().hour()),
                     QString::number(now.time().minute()));
    page += QStringLiteral("\n<p>%1</p>\n ").arg(findings);
    page += QStringLiteral("\n</BODY>\n</HTML>");
    // A text file of the system's code page with its line ends.
    page.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    const QByteArray bytes = platform::gbk::encode(page);
    QString path = GetRODOFilePath() + fileName;
    if (!platform::saveFile(path, bytes)) {
        // An installed program folder may be read-only: the report goes to
        // the folder for temporary files instead.
        const QString fallback = platform::tempFolder() + fileName;
        if (!platform::saveFile(fallback, bytes)) {
            platform::showMessage(QStringLiteral("无法写入检查报告：%1").arg(path),
                                  platform::MessageIcon::Warning);
            return {};
        }
        path = fallback;
    }
    // Without a program for web pages the program shows the report itself;
    // failing that, the user learns where it is.
    if (!platform::host().openWithDesktop(path) && !platform::host().showHtml(title, page))
        platform::showMessage(QStringLiteral("检查报告已保存到：%1").arg(path),
                              platform::MessageIcon::Information);
    return path;
}
