#include "tables/framework/tablecontents.h"

#include "core/geometry/text.h"
#include "tables/framework/form.h"
#include "tables/framework/tabletextline.h"

std::unique_ptr<CVes_TableBase> CVes_TableContents::CreateObject()
{
    return std::make_unique<CVes_TableContents>();
}

CVes_TableContents::CVes_TableContents()
{
    m_orientation = kPortrait;
    m_topMargin = 15;
    m_bottomMargin = 15;
    m_leftMargin = 25;
    m_rightMargin = 25;
    m_rowHeight = 10;
    m_tableTextHeight = 5;
    m_reservedHeight = 12;
    m_rowNum = 25;
    m_rowMode = 1;

    m_columnNum = 2;
    m_captions = {QString(), QString()};
    m_widths = {90, 10};
    m_units = {kNoUnit, kNoUnit};
    m_pageNumberStyle = 1;

    CVes_Variable& title = m_texts[0];
    title.m_text = QStringLiteral("表单标题");
    title.m_formula = QStringLiteral("目  录");
    title.m_height = 90;
    title.m_align = CVes_String::kCentre;
    title.m_position.set(getRealW() * 5, m_topMargin * 10);

    m_textHeights = {90, 40, 40, 40, 40, 30, 30, 30};

    if (!m_form)
        m_form = std::make_unique<CVes_Form>();
}

// The base owns the page form and deletes it.
CVes_TableContents::~CVes_TableContents() = default;

std::unique_ptr<CVes_TableBase> CVes_TableContents::createEmpty() const
{
    return CreateObject();
}

CVes_TableTextLine* CVes_TableContents::Add(const QStringList& texts)
{
    auto* row = new CVes_TableTextLine(texts);
    appendLine(row);
    setModified(1);
    return row;
}

void CVes_TableContents::Draw(platform::Dc* dc, const platform::Rect& rect)
{
    CVes_TableBase::Draw(dc, rect);
    if (!dc || !m_form || m_curPage <= 0)
        return;

    CVes_Form* form = m_form.get();
    const int height = int(m_tableTextHeight * 10 * m_drawScale);
    // No caption row background, no outer border and no cell borders.
    form->setRowDrawBk(0, 0);
    form->setBorder(0);

    int k = 1;
    for (CVes_TableBaseLine* line : std::as_const(m_pageLines)) {
        const auto* row = dynamic_cast<const CVes_TableTextLine*>(line);
        const QString entry = row ? row->getText(0) : QString();
        const QString page = row ? row->getText(1) : QString();
        form->setCellText(k, 0, entry, CVes_Cell::kAlignLeft, height, QPoint(0, 0),
                          QStringLiteral("黑体"));
        form->setCellDrawBorder(k, 0, 0);
        form->setCellText(k, 1, page, CVes_Cell::kAlignRight, height, QPoint(0, 0), QString());
        form->setCellDrawBorder(k, 1, 0);
        ++k;
    }
    form->setScale(m_drawScale);
    form->OnDraw(dc);
}
