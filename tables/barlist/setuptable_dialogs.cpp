// The bar list's commands that ask the user in a dialog: its raw stock, its
// summary settings, and the optimised cutting list (the size to cut asked
// here, on the user-interface thread; only the cutting runs on a worker).

#include "tables/barlist/setuptable.h"

#include "platform/hostservices.h"
#include "tables/barlist/cuttingjob.h"
#include "tables/barlist/cuttingprogress.h"
#include "tables/quantity/cutoptimizespecdlg.h"
#include "tables/quantity/rawstockdlg.h"
#include "tables/quantity/sumsettingdlg.h"
#include "tables/quantity/youhuaduanliaotable.h"

#include <QApplication>

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
    CuttingJob job = prepareDuanLiao();
    CCutOptimizeSpecDlg dlg(parent);
    if (dlg.exec() != QDialog::Accepted)
        return cut;
    job.choose(dlg.m_nGrade, dlg.m_fDN, m_yuanCai);
    if (!cutWithProgress(job, parent))
        return cut;
    job.fill(*cut);
    // Pieces no stock bar could take would be missing from the list unseen.
    const QStringList problems = job.problems();
    if (!problems.isEmpty())
        platform::showMessage(problems.join(u'\n'), platform::MessageIcon::Warning,
                              QStringLiteral("优化断料"));
    return cut;
}
