#include "tables/framework/barcheck.h"

#include "core/geometry/datafolder.h"
#include "core/model/barcore.h"
#include "core/geometry/text.h"
#include "core/model/modelrecord.h"
#include "core/model/samebarindex.h"
#include "platform/folders.h"
#include "platform/gbk.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QDateTime>
#include <QHash>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

namespace {

// The cut length in whole millimetres: computed or entered. Checking
// leaves the stored length as it is.
long long cutLength(CVes_BarCore& bar)
{
    const double length = bar.calcLength ? bar.lengthAsCalculated(0, 1.0) : bar.length;
    return std::isfinite(length) && std::fabs(length) < 9.0e18 ? (long long)std::trunc(length) : 0;
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

// What makes bars of one grade, diameter and shape for the check: the same
// shape record with the same dimensions the user gives. Standard and
// computed dimensions follow from the others and are left out: they are
// brought up to date only when a length is computed.
QByteArray shapeKey(const CVes_BarCore& bar)
{
    QByteArray key;
    appendKeyBytes(key, bar.grade);
    appendKeyBytes(key, bar.DN);
    const CSteelRecordId id = bar.getRecordId();
    appendKeyBytes(key, id.m_mainId);
    appendKeyBytes(key, id.m_recordNo);
    const auto& variables = bar.getVarArray();
    appendKeyBytes(key, variables.size());
    for (const auto& variable : variables) {
        appendKeyBytes(key, variable->m_type);
        if (variable->m_type <= CVes_Variable::kComputed)
            continue;
        key += variable->m_text.toUtf8();
        key += '\0';
        appendKeyBytes(key, variable->m_value);
        appendKeyBytes(key, variable->m_value2);
        if (variable->m_type == CVes_Variable::kTextKind)
            key += variable->m_formula.toUtf8();
        key += '\0';
    }
    return key;
}

// What the comparisons need of a bar, worked out once.
struct Prepared {
    long long cut = 0;
    bool computed = false;
    bool sides = false;
    int sameness = 0; // bars of one class are the same as the same bars
    int shape = 0;    // bars of one grade, diameter and shape
};

// The bars a bar is compared with, kept by number and by shape. A bar is
// compared with those of its number (one finding for each that is not the
// same bar) and with those of its shape under other numbers (one finding
// for each of another cut length, unless both lengths are computed).
class Comparisons {
public:
    Comparisons(const std::vector<CheckedBar>& bars, const std::vector<Prepared>& prepared)
        : m_bars(bars), m_prepared(prepared)
    {
    }

    void add(std::size_t at)
    {
        const Prepared& p = m_prepared[at];
        const QString& number = m_bars[at].bar->number;
        auto& classes = m_byNumber[number];
        const auto sameClass = std::find_if(classes.begin(), classes.end(), [&](const Members& m) {
            return m.sameness == p.sameness;
        });
        if (sameClass == classes.end())
            classes.push_back(Members{p.sameness, {at}});
        else
            sameClass->positions.push_back(at);

        ShapeGroup& group = m_byShape[p.shape];
        group.members.push_back(at);
        group.tally(p, number, +1);
    }

    // The findings of comparing bar `at` with the bars kept, by position.
    void findings(std::size_t at, std::vector<std::pair<std::size_t, QString>>& out)
    {
        const CheckedBar& c = m_bars[at];
        const Prepared& p = m_prepared[at];
        if (const auto found = m_byNumber.find(c.bar->number); found != m_byNumber.end()) {
            for (const Members& members : found.value()) {
                const CheckedBar& first = m_bars[members.positions.front()];
                if (m_memo.same(p.sameness, *c.bar, members.sameness, *first.bar))
                    continue;
                for (const std::size_t j : members.positions) {
                    if (j != at)
                        out.emplace_back(j, sameNumberEntry(c, m_bars[j]));
                }
            }
        }
        if (!p.sides)
            return;
        const auto group = m_byShape.find(p.shape);
        if (group == m_byShape.end() || group->differing(p, c.bar->number) == 0)
            return;
        for (const std::size_t j : group->members) {
            const Prepared& e = m_prepared[j];
            if (j == at || m_bars[j].bar->number == c.bar->number || e.cut == p.cut
                || (p.computed && e.computed))
                continue;
            out.emplace_back(j, lengthEntry(c, m_bars[j]));
        }
    }

private:
    struct Members {
        int sameness;
        std::vector<std::size_t> positions;
    };
    // The bars of one shape, and how many of them have each cut length,
    // number, or both, all of them and those of typed lengths alone: enough
    // to tell whether a bar differs from any of them without a walk.
    struct Tally {
        long long all = 0;
        QHash<long long, long long> byCut;
        QHash<QString, long long> byNumber;
        QHash<QPair<long long, QString>, long long> byBoth;
        void add(const Prepared& p, const QString& number, int n)
        {
            all += n;
            byCut[p.cut] += n;
            byNumber[number] += n;
            byBoth[qMakePair(p.cut, number)] += n;
        }
        // Those of another cut length and another number.
        long long differing(const Prepared& p, const QString& number) const
        {
            return all - byCut.value(p.cut) - byNumber.value(number)
                + byBoth.value(qMakePair(p.cut, number));
        }
    };
    struct ShapeGroup {
        std::vector<std::size_t> members;
        Tally every;
        Tally typed;
        void tally(const Prepared& p, const QString& number, int n)
        {
            every.add(p, number, n);
            if (!p.computed)
                typed.add(p, number, n);
        }
        long long differing(const Prepared& p, const QString& number) const
        {
            // A computed length is compared with typed ones only.
            return (p.computed ? typed : every).differing(p, number);
        }
    };

    const std::vector<CheckedBar>& m_bars;
    const std::vector<Prepared>& m_prepared;
    QHash<QString, std::vector<Members>> m_byNumber;
    QHash<int, ShapeGroup> m_byShape;
    SamenessMemo m_memo;
};

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
    const auto isChecked = [](const CheckedBar& b) { return b.bar && b.process; };
    const auto isComparedWith = [&](const CheckedBar& b) {
        return b.bar && (b.process || rules.compareUnprocessed) && !(rules.bothSides && b.reason >= 0);
    };

    // Each bar's lengths and keys, worked out once.
    std::vector<Prepared> prepared(bars.size());
    KeyClasses sameness;
    KeyClasses shapes;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const CheckedBar& b = bars[i];
        if (!isComparedWith(b) && !(isChecked(b) && b.reason < 0))
            continue;
        Prepared& p = prepared[i];
        p.cut = cutLength(*b.bar);
        p.computed = b.bar->calcLength != 0;
        p.sides = hasSides(*b.bar);
        p.sameness = sameness.of(samenessPrint(*b.bar));
        p.shape = shapes.of(shapeKey(*b.bar));
    }

    Comparisons kept(bars, prepared);
    if (rules.bothSides) {
        for (std::size_t i = 0; i < bars.size(); ++i) {
            if (isComparedWith(bars[i]))
                kept.add(i);
        }
    }
    int result = 1;
    findings += QStringLiteral("<UL>");
    std::vector<std::pair<std::size_t, QString>> found;
    for (std::size_t i = 0; i < bars.size(); ++i) {
        const CheckedBar& c = bars[i];
        if (isChecked(c) && c.reason >= 0) {
            findings += QStringLiteral("<LI>第%1页 第%2行  第 %3 号钢筋信息不完整——")
                            .arg(QString::number(c.page), QString::number(c.row),
                                 html(c.bar->number))
                + barCheckReasonText(c.reason);
            result = 0;
        } else if (isChecked(c)) {
            found.clear();
            kept.findings(i, found);
            std::sort(found.begin(), found.end(),
                      [](const auto& a, const auto& b) { return a.first < b.first; });
            for (const auto& entry : found)
                findings += entry.second;
            if (!found.empty())
                result = 0;
        }
        // Each bar is compared with the bars before it.
        if (!rules.bothSides && isComparedWith(c))
            kept.add(i);
    }
    findings += QStringLiteral("</UL>");
    return result;
}

CheckReport writeCheckReportFile(const QString& title, const QString& fileName,
                                 const QString& findings)
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
                     // "9:07", not "9:7": a minute below ten reads as a time.
                     QStringLiteral("%1").arg(now.time().minute(), 2, 10, QLatin1Char('0')));
    page += QStringLiteral("\n<p>%1</p>\n ").arg(findings);
    page += QStringLiteral("\n</BODY>\n</HTML>");
    // A text file of the system's code page with its line ends.
    page.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    CheckReport report{title, page, {}, GetRODOFilePath() + fileName};
    const QByteArray bytes = platform::gbk::encode(page);
    // An installed program folder may be read-only: the report goes to the
    // folder for temporary files instead.
    for (const QString& path : {report.tried, QString(platform::tempFolder() + fileName)}) {
        if (platform::saveFile(path, bytes)) {
            report.path = path;
            break;
        }
    }
    return report;
}

void showCheckReport(const CheckReport& report)
{
    if (report.path.isEmpty()) {
        platform::showMessage(QStringLiteral("无法写入检查报告：%1").arg(report.tried),
                              platform::MessageIcon::Warning);
        return;
    }
    // Without a program for web pages the program shows the report itself;
    // failing that, the user learns where it is.
    if (!platform::host().openWithDesktop(report.path)
        && !platform::host().showHtml(report.title, report.page))
        platform::showMessage(QStringLiteral("检查报告已保存到：%1").arg(report.path),
                              platform::MessageIcon::Information);
}

QString writeCheckReport(const QString& title, const QString& fileName, const QString& findings)
{
    const CheckReport report = writeCheckReportFile(title, fileName, findings);
    showCheckReport(report);
    return report.path;
}
