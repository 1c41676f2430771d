#pragma once
// A sheet file shown as its main table alone: the document reads and writes
// the table, the view shows its pages and runs the main window's table
// commands. This is how the three file types open until their own documents
// with all their derived sheets take their place.

#include "platform/ui/document.h"
#include "platform/ui/view.h"
#include "tables/framework/tableview.h"

#include <functional>
#include <memory>

class CVes_TableBase;

class CPlainTableDoc : public platform::Document {
    Q_OBJECT
public:
    using TableFactory = std::function<std::unique_ptr<CVes_TableBase>()>;

    explicit CPlainTableDoc(TableFactory factory);
    ~CPlainTableDoc() override;

    CVes_TableBase* table() const { return m_table.get(); }

    void Serialize(platform::Archive& ar) override;
    void DeleteContents() override;
    // A saved table is no longer changed.
    bool OnSaveDocument(const QString& path) override;

private:
    TableFactory m_factory;
    std::unique_ptr<CVes_TableBase> m_table;
};

class CPlainTableView : public CVes_TableViewBase, public platform::View {
    Q_OBJECT
public:
    CPlainTableView(int viewType, QWidget* parent = nullptr);

    void OnInitialUpdate() override;
    void OnUpdate(platform::View* sender, long lHint) override;
    int getViewType() override { return m_viewType; }

private:
    int m_viewType;
};
