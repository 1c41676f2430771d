#pragma once
// The table of contents of a bar list: a plain two-column list of entries and
// their page numbers, laid out like every sheet by the page drawing but drawn
// without rules and without a caption row background. Its rows are text rows
// (CVes_TableTextLine) with two texts, the entry and its page number; the bar
// list builds them.

#include "tables/framework/tablebase.h"

#include <QStringList>

#include <memory>

class CVes_TableTextLine;

class CVes_TableContents : public CVes_TableBase {
public:
    // Dynamic creation by the program's documents.
    static std::unique_ptr<CVes_TableBase> CreateObject();

    CVes_TableContents();
    ~CVes_TableContents() override;

    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    // Appends a row holding a copy of the texts (entry, page); the table
    // owns it and is marked changed. The row is on no page until the pages
    // are counted again.
    CVes_TableTextLine* Add(const QStringList& texts);
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
};
