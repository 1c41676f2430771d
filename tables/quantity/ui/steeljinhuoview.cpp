#include "tables/quantity/ui/steeljinhuoview.h"

#include "core/geometry/text.h"
#include "tables/framework/tablebase.h"

CVes_SteelJinHuoView::CVes_SteelJinHuoView(QWidget* parent) : CVes_TableViewBase(parent) {}

CVes_SteelJinHuoView::~CVes_SteelJinHuoView() = default;

void CVes_SteelJinHuoView::OnLButtonDblClk(unsigned int flags, QPoint point)
{
    if (!m_table)
        return;
    endEdit();
    if (const int field = headingAt(point); field >= 0)
        EditoutSideVar(CVes_TableBase::kTitleTextRow, field, point, nullptr);
    CVes_TableViewBase::OnLButtonDblClk(flags, point);
}

int CVes_SteelJinHuoView::headingAt(QPoint point) const
{
    int row = 0;
    int field = -1;
    if (m_table && m_table->HitTest(DPtoLP(point), row, field) && row == CVes_TableBase::kTitleTextRow
        && field >= 0)
        return field;
    return -1;
}

bool CVes_SteelJinHuoView::onTitleText(QPoint point) const
{
    if (headingAt(point) >= 0)
        return true;
    return m_table && m_table->getCurPage() > 0
           && m_table->m_texts[1].HitTest(DPtoLP(point), 0, QPoint(0, 0));
}

void CVes_SteelJinHuoView::EndCellEdit(int row, int, const QString& text)
{
    OnEndEdit(row, text);
}

void CVes_SteelJinHuoView::OnEndEdit(int row, const QString& text)
{
    if (!m_table)
        return;
    const QString trimmed = text.trimmed();
    if (row == CVes_TableBase::kTitleTextRow && m_curEditVar
        && m_curEditVar->m_type == CVes_Variable::kTextKind)
        m_curEditVar->m_formula = trimmed;
    m_table->AddUndo();
    m_table->setModified(1);
    repaintView();
    notifyFrame();
    setModify(true);
}
