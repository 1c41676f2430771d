#pragma once
// Cutting jobs with the plans the optimisation made of them, kept as text so
// that a change to the search can be checked against the plans it gave
// before, job by job. One job takes a block of lines:
//
//   job NAME
//   stock LENGTH:COUNT ...
//   pieces ID:LENGTH:COUNT:FLAG ...
//   plan USES*LENGTH:COUNT = ID:LENGTH:COUNT:FLAG ...   (one line a pattern)
//   left ID:LENGTH:COUNT:FLAG ...                       (pieces not placed)
//   outcome N
//
// A plan's stock is the stock kind as the pattern holds it (its count is
// what was left of the kind when the pattern was found).

#include "core/model/optimize.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

#include <vector>

namespace test {

struct CuttingJobInput {
    QString name;
    std::vector<CVes_OptimizeUnit> pieces;
    std::vector<CVes_SteelYuanCai> stock;
};

struct RecordedCuttingJob {
    CuttingJobInput input;
    // The lines after "pieces": the plans, the pieces left and the outcome.
    QStringList result;
};

inline QString pieceText(const CVes_OptimizeUnit& piece)
{
    return QString::asprintf("%d:%d:%d:%d", piece.id, piece.length, piece.count, piece.flag);
}

inline QString piecesText(const std::vector<CVes_OptimizeUnit>& pieces)
{
    QStringList texts;
    for (const CVes_OptimizeUnit& piece : pieces)
        texts << pieceText(piece);
    return texts.join(u' ');
}

// What a run made of a job, in the lines of the format above.
inline QStringList resultLines(const std::vector<CVes_OptimizeCombine>& patterns,
                               const OptimizeReport& report)
{
    QStringList lines;
    for (const CVes_OptimizeCombine& pattern : patterns) {
        lines << QString::asprintf("plan %d*%d:%d = ", pattern.useCount, pattern.stock.length,
                                   pattern.stock.count)
                     + piecesText(pattern.pieces);
    }
    lines << QString(QStringLiteral("left ") + piecesText(report.unplaced)).trimmed();
    lines << QStringLiteral("outcome %1").arg(int(report.outcome));
    return lines;
}

// Runs the optimisation on a copy of the job; answers its result lines.
inline QStringList runCuttingJob(const CuttingJobInput& job)
{
    std::vector<CVes_OptimizeUnit> pieces = job.pieces;
    std::vector<CVes_SteelYuanCai> stock = job.stock;
    std::vector<CVes_OptimizeCombine> patterns;
    const OptimizeReport report = OptimizeSteel(pieces, stock, patterns);
    return resultLines(patterns, report);
}

inline QStringList jobLines(const CuttingJobInput& job, const QStringList& result)
{
    QStringList stock;
    for (const CVes_SteelYuanCai& bar : job.stock)
        stock << QString::asprintf("%d:%d", bar.length, bar.count);
    QStringList lines{QStringLiteral("job ") + job.name, QStringLiteral("stock ") + stock.join(u' '),
                      QStringLiteral("pieces ") + piecesText(job.pieces)};
    return lines + result;
}

// Parses the blocks of a recorded file; an empty list for a file that cannot
// be read or a line out of place.
inline std::vector<RecordedCuttingJob> parseCuttingJobs(const QByteArray& text)
{
    std::vector<RecordedCuttingJob> jobs;
    const auto fields = [](const QString& line) {
        return line.section(u' ', 1).split(u' ', Qt::SkipEmptyParts);
    };
    const auto numbers = [](const QString& field) {
        std::vector<int> values;
        for (const QString& part : field.split(u':'))
            values.push_back(part.toInt());
        return values;
    };
    for (const QString& line : QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1String("job "))) {
            jobs.emplace_back();
            jobs.back().input.name = line.mid(4);
            continue;
        }
        if (jobs.empty())
            return {};
        RecordedCuttingJob& job = jobs.back();
        if (line.startsWith(QLatin1String("stock"))) {
            for (const QString& field : fields(line)) {
                const std::vector<int> v = numbers(field);
                if (v.size() != 2)
                    return {};
                job.input.stock.emplace_back(v[0], v[1]);
            }
        } else if (line.startsWith(QLatin1String("pieces"))) {
            for (const QString& field : fields(line)) {
                const std::vector<int> v = numbers(field);
                if (v.size() != 4)
                    return {};
                job.input.pieces.emplace_back(v[1], v[2], v[3], v[0]);
            }
        } else {
            job.result << line;
        }
    }
    return jobs;
}

inline std::vector<RecordedCuttingJob> readCuttingJobs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseCuttingJobs(file.readAll());
}

} // namespace test
