// The bar list's commands that ask the user in a dialog: its raw stock, its
// summary settings, and the optimised cutting list (the size to cut asked
// here, on the user-interface thread; only the cutting runs on a worker).

#include "tables/barlist/setuptable.h"

#include "platform/hostservices.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/backgroundwork.h"
#include "tables/quantity/cutoptimizespecdlg.h"
#include "tables/quantity/rawstockdlg.h"
#include "tables/quantity/sumsettingdlg.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <QApplication>

#include <atomic>
#include <memory>

void CVes_SetupTable::setYuanCai()
{
    CVes_RawStockDlg dlg(QApplication::activeWindow());
    dlg.m_pYuanCaiLib = &m_yuanCai;
    if (dlg.exec() == QDialog::Accepted)
        setModified(1);
}

void CVes_SetupTable::setSumray()
{
    if (CVes_SumSettingDlg::editRules(m_rules, &m_yuanCai, QApplication::activeWindow()))
        setModified(1);
}

CVes_YouhuaDuanLiaoTable* CVes_SetupTable::toDuanLiaoTable(CVes_YouhuaDuanLiaoTable* cut)
{
    if (!cut)
        cut = new CVes_YouhuaDuanLiaoTable;
    else
        cut->clearnAllLineOnly();
    QWidget* parent = QApplication::activeWindow();

    // The pieces are gathered from a copy of the list, so that nothing the
    // screen shows is read on the worker; the raw-stock records the copy
    // gained are the list's own afterwards.
    std::unique_ptr<CVes_SetupTable> copy = workingCopy();
    CuttingJob job;
    runInBackground(parent, QStringLiteral("正在整理钢筋……"), false,
                    [&](const std::atomic<bool>&, const WorkProgress&) {
                        job = copy->prepareDuanLiao();
                        return true;
                    });
    const CVes_SteelYuanCaiDataLib& gained = copy->getYuanCaiLib();
    for (int i = m_yuanCai.count(); i < gained.count(); ++i)
        m_yuanCai.append(*gained.at(i));

    CCutOptimizeSpecDlg dlg(parent);
    // The dialog proposes a size the list has bars of.
    job.proposeSize(dlg.m_nGrade, dlg.m_fDN, m_yuanCai);
    if (dlg.exec() != QDialog::Accepted)
        return cut;
    job.choose(dlg.m_nGrade, dlg.m_fDN, m_yuanCai);
    const bool finished = runInBackground(
        parent, QStringLiteral("正在优化断料……"), true,
        [&](const std::atomic<bool>& cancel, const WorkProgress& progress) {
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
