#include "tables/barlist/cuttingjob.h"

#include "core/model/processsteel.h"
#include "tables/framework/tablehelpers.h"
#include "tables/processing/processtablelistline.h"
#include "tables/quantity/youhuaduanliaotable.h"
#include "tables/shared/sumhelpers.h"

#include <algorithm>
#include <cmath>

namespace {

// Diameters this close to the chosen one are cut with it.
constexpr double kDiameterSlack = 0.1;
// A bar shorter than this (in its shape unit) has nothing to cut.
constexpr double kLeastLength = 0.001;

bool hasShape(const CVes_BarCore& bar)
{
    return !bar.getRecordId().isNull();
}

// Bent: a hook at either end, or a shape of two sides or more.
int bentFlag(CVes_BarCore& bar)
{
    if (bar.isHaveLeftHook() || bar.isHaveRightHook())
        return 1;
    return hasShape(bar) && !bar.isOneSide() ? 1 : 0;
}

// The pieces a processing bar gives: one per member of a graded bar, each
// with the bar's full count, else one. A graded bar's members run from its
// first length to its last, whether the lengths rise or fall.
void addPieces(CVes_ProcessSteel& bar, double toMillimetre, double toShape,
               std::vector<CVes_OptimizeUnit>& pieces)
{
    const int flag = bentFlag(bar);
    const int id = bar.getPID();
    if (bar.isMultiVal()) {
        const int n = bar.getMultiGroup();
        const double first = bar.getLength(0, toShape) * toMillimetre;
        const double last = bar.getLength(1, toShape) * toMillimetre;
        const double step = n > 1 ? (last - first) / (n - 1) : 0.0;
        for (int i = 0; i < n; ++i)
            pieces.emplace_back(barsum::truncated(first + i * step), bar.count, flag, id);
        return;
    }
    const double length =
        (hasShape(bar) ? double(bar.getLength(0, toShape)) : double(bar.length)) * toMillimetre;
    pieces.emplace_back(barsum::truncated(length), bar.count, flag, id);
}

QString metres(long long millimetres)
{
    return QString::asprintf("%g", double(millimetres) * 0.001);
}

QString sizeText(const CuttingJob::Group& group)
{
    return Steel_GradeDNToTableString(group.grade, group.diameter, group.type);
}

bool isTooLong(const OptimizeReport& report, const CVes_OptimizeUnit& piece)
{
    return std::any_of(report.tooLong.begin(), report.tooLong.end(),
                       [&](const CVes_OptimizeUnit& p) { return p.isSamePiece(piece); });
}

} // namespace

void CuttingJob::gather(const TableLineList& processLines, int shapeUnit,
                        CVes_SteelYuanCaiDataLib& own)
{
    m_groups.clear();
    const double toMillimetre = CVes_Template::transUnit(shapeUnit, CVes_Template::kMillimetre);
    const double toShape = CVes_Template::transUnit(CVes_Template::kMillimetre, shapeUnit);
    Group group;
    bool open = false;
    for (CVes_TableBaseLine* base : processLines) {
        auto* line = dynamic_cast<CVes_ProcessTableListLine*>(base);
        if (!line || line->isNull())
            continue;
        CVes_ProcessSteel& bar = *line->getProcessSteel();
        if (bar.isNull() || bar.getLength(0, 1.0) < kLeastLength)
            continue;
        barsum::stockRecord(own, m_stockFile, bar.DN, bar.grade, bar.steelType);
        if (open
            && (group.grade != bar.grade || group.diameter != bar.DN
                || group.type != bar.steelType)) {
            m_groups.push_back(std::move(group));
            group = Group();
            open = false;
        }
        if (!open) {
            group.grade = bar.grade;
            group.diameter = bar.DN;
            group.type = bar.steelType;
            open = true;
        }
        addPieces(bar, toMillimetre, toShape, group.pieces);
    }
    if (open)
        m_groups.push_back(std::move(group));
}

int CuttingJob::stockLength(const Group& group, const CVes_SteelYuanCaiDataLib& own) const
{
    const auto g = unsigned(group.grade);
    const auto t = unsigned(group.type);
    const CVes_SteelYuanCaiData* record = own.getYuanCai(group.diameter, g, t);
    if (!record)
        record = m_stockFile.getYuanCai(group.diameter, g, t);
    // Stock of no length set is cut as the usual 12 m bar.
    const int length = record ? record->length : 0;
    return length == 0 ? CVes_SteelYuanCai::kDefaultLength : length;
}

bool CuttingJob::proposeSize(int& grade, float& diameter, const CVes_SteelYuanCaiDataLib& own) const
{
    const Group* first = nullptr;
    for (const Group& group : m_groups) {
        if (stockLength(group, own) < 0)
            continue;
        if (group.grade == grade && std::fabs(double(group.diameter) - diameter) <= kDiameterSlack)
            return true;
        if (!first)
            first = &group;
    }
    if (!first)
        return false;
    grade = first->grade;
    diameter = first->diameter;
    return true;
}

void CuttingJob::choose(int grade, float diameter, const CVes_SteelYuanCaiDataLib& own)
{
    m_grade = grade;
    m_diameter = diameter;
    m_runs.clear();
    m_coiled.clear();
    for (const Group& group : m_groups) {
        if (group.grade != grade || std::fabs(double(group.diameter) - diameter) > kDiameterSlack)
            continue;
        const int length = stockLength(group, own);
        if (length < 0) {
            m_coiled.push_back(group);
            continue;
        }
        Run run;
        run.group = group;
        run.stock.DN = group.diameter;
        run.stock.steelType = group.type;
        run.stock.grade = group.grade;
        run.stock.length = length;
        run.stock.count = -1;  // as many as needed
        run.stock.number = 1;
        m_runs.push_back(std::move(run));
    }
}

bool CuttingJob::cut(const std::atomic<bool>* cancel, const std::function<void(int, int)>& progress)
{
    const int total = int(m_runs.size());
    for (int i = 0; i < total; ++i) {
        if (progress)
            progress(i, total);
        if (cancel && cancel->load())
            return false;
        Run& run = m_runs[std::size_t(i)];
        std::vector<CVes_OptimizeUnit> pieces = run.group.pieces;
        std::vector<CVes_SteelYuanCai> stock{run.stock};
        run.patterns.clear();
        run.report = OptimizeSteel(pieces, stock, run.patterns, cancel);
        if (run.report.outcome == OptimizeReport::Outcome::Cancelled)
            return false;
    }
    if (progress)
        progress(total, total);
    return true;
}

void CuttingJob::fill(CVes_YouhuaDuanLiaoTable& table) const
{
    table.m_cutGrade = m_grade;
    table.m_cutDiameter = m_diameter;
    table.m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula =
        Steel_GradeDNToString(m_grade, m_diameter, 0) + QStringLiteral(" 优化断料");
    for (const Run& run : m_runs) {
        long long bars = 0;
        long long stockLength = 0;
        long long cut = 0;
        long long rest = 0;
        for (const CVes_OptimizeCombine& pattern : run.patterns) {
            table.Add(pattern);
            bars += pattern.useCount;
            stockLength += (long long)pattern.useCount * pattern.stock.length;
            cut += (long long)pattern.useCount * pattern.getlistXLlen();
            rest += (long long)pattern.useCount * pattern.getlistSLlen();
        }
        const QString size = sizeText(run.group);
        table.Add(QStringList{QStringLiteral("合计"), QString(), size, metres(stockLength),
                              QString::number(bars), QString(), metres(cut), metres(rest),
                              QString(), QString()});
        for (const CVes_OptimizeUnit& piece : run.report.droppedPieces)
            table.AddLeftOut(size, metres(run.stock.length), piece,
                             piece.length <= 0 ? QStringLiteral("长度无效")
                                               : QStringLiteral("根数无效"));
        for (const CVes_OptimizeUnit& piece : run.report.unplaced)
            table.AddLeftOut(size, metres(run.stock.length), piece,
                             isTooLong(run.report, piece) ? QStringLiteral("长于原材，无法下料")
                                                         : QStringLiteral("未能排入断料组合"));
    }
    for (const Group& group : m_coiled) {
        for (const CVes_OptimizeUnit& piece : group.pieces)
            table.AddLeftOut(sizeText(group), QStringLiteral("盘条"), piece,
                             QStringLiteral("原材为盘条，不作优化断料"));
    }
}

QStringList CuttingJob::problems() const
{
    QStringList lines;
    for (const Run& run : m_runs)
        lines << run.report.messages;
    for (const Group& group : m_coiled)
        lines << Steel_GradeDNToString(group.grade, group.diameter, group.type)
                + QStringLiteral("原材为盘条，未作优化断料");
    return lines;
}
