#include "app/shell/plaintabledoc.h"

#include "tables/framework/tablebase.h"

CPlainTableDoc::CPlainTableDoc(TableFactory factory)
    : m_factory(std::move(factory)), m_table(m_factory())
{
}

CPlainTableDoc::~CPlainTableDoc() = default;

void CPlainTableDoc::Serialize(platform::Archive& ar)
{
    m_table->Serialize(ar);
}

void CPlainTableDoc::DeleteContents()
{
    // The views keep showing the table object; a fresh one takes its data.
    if (auto fresh = m_factory())
        m_table->takeOver(*fresh);
}

bool CPlainTableDoc::OnSaveDocument(const QString& path)
{
    if (!platform::Document::OnSaveDocument(path))
        return false;
    m_table->setModified(0);
    return true;
}

CPlainTableView::CPlainTableView(int viewType, QWidget* parent)
    : CVes_TableViewBase(parent), platform::View(this), m_viewType(viewType)
{
    connect(this, &CVes_TableViewBase::modifyRequested, this, [this](bool modified) {
        if (platform::Document* document = GetDocument())
            document->SetModifiedFlag(modified);
    });
}

void CPlainTableView::OnInitialUpdate()
{
    if (auto* document = dynamic_cast<CPlainTableDoc*>(GetDocument()))
        setTable(document->table());
    platform::View::OnInitialUpdate();
}

void CPlainTableView::OnUpdate(platform::View*, long)
{
    viewport()->update();
}
