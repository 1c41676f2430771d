// The bar list's commands that ask the user in a dialog: its raw stock, its
// summary settings, and the optimised cutting list (the size to cut asked
// here, on the user-interface thread; only the cutting runs on a worker).

#include "tables/barlist/setuptable.h"

#include "platform/hostservices.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/quantity/stockrequests.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <atomic>
#include <memory>

void CVes_SetupTable::setYuanCai()
{
    RawStockRequest request(m_yuanCai);
    if (platform::askDialog(request))
        setModified(1);
}

void CVes_SetupTable::setSumray()
{
    SumSettingsRequest request(m_rules, m_yuanCai);
    if (platform::askDialog(request))
        setModified(1);
}

CVes_YouhuaDuanLiaoTable* CVes_SetupTable::toDuanLiaoTable(CVes_YouhuaDuanLiaoTable* cut)
{
    return cutList(cut, 0, 0.0f);
}

CVes_YouhuaDuanLiaoTable* CVes_SetupTable::cutAgain(CVes_YouhuaDuanLiaoTable* cut)
{
    return cut ? cutList(cut, cut->m_cutGrade, cut->m_cutDiameter) : toDuanLiaoTable(cut);
}

CVes_YouhuaDuanLiaoTable* CVes_SetupTable::cutList(CVes_YouhuaDuanLiaoTable* cut, int grade,
                                                   float diameter)
{
    if (!cut)
        cut = new CVes_YouhuaDuanLiaoTable;
    else
        cut->clearnAllLineOnly();
    // The size it was cut for is proposed again; until a new cutting is
    // written the list names no size (a cancelled one leaves it empty).
    const int lastGrade = cut->m_cutGrade;
    const float lastDiameter = cut->m_cutDiameter;
    cut->m_cutGrade = 0;
    cut->m_texts[CVes_YouhuaDuanLiaoTable::kNoteText].m_formula.clear();

    // The pieces are gathered from a copy of the list, so that nothing the
    // screen shows is read on the worker; the raw-stock records the copy
    // gained are the list's own afterwards.
    std::unique_ptr<CVes_SetupTable> copy = workingCopy();
    CuttingJob job;
    platform::runWithProgress(QStringLiteral("正在整理钢筋……"), false,
                              [&](const std::atomic<bool>&, const platform::WorkProgress&) {
                                  job = copy->prepareDuanLiao();
                                  return true;
                              });
    const CVes_SteelYuanCaiDataLib& gained = copy->getYuanCaiLib();
    for (int i = m_yuanCai.count(); i < gained.count(); ++i)
        m_yuanCai.append(*gained.at(i));

    if (grade <= 0) {
        CutSizeRequest size;
        if (lastGrade > 0) {
            size.grade = lastGrade;
            size.diameter = lastDiameter;
        }
        // The dialog proposes that size when the list still has bars of it,
        // else a size the list has bars of.
        job.proposeSize(size.grade, size.diameter, m_yuanCai);
        if (!platform::askDialog(size))
            return cut;
        grade = size.grade;
        diameter = size.diameter;
    }
    job.choose(grade, diameter, m_yuanCai);
    const bool finished = platform::runWithProgress(
        QStringLiteral("正在优化断料……"), true,
        [&](const std::atomic<bool>& cancel, const platform::WorkProgress& progress) {
            return job.cut(&cancel, progress);
        });
    if (!finished)
        return cut;
    job.fill(*cut);
    // Pieces no stock bar could take would be missing from the list unseen.
    const QStringList problems = job.problems();
    if (!problems.isEmpty())
        platform::showMessage(problems.join(u'\n'), platform::MessageIcon::Warning,
                              QStringLiteral("优化断料"));
    return cut;
}
