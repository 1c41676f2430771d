#pragma once
// The table of contents of a bar list: a plain two-column list of entries and
// their page numbers, laid out like every sheet by the page drawing but drawn
// without rules and without a caption row background. Its rows are text rows
// (CVes_TableTextLine) with two texts, the entry and its page number; the bar
// list builds them.

#include "tables/framework/tablebase.h"

#include <memory>

class CVes_TableContents : public CVes_TableBase {
public:
    // Dynamic creation by the program's documents.
    static std::unique_ptr<CVes_TableBase> CreateObject();

    CVes_TableContents();
    ~CVes_TableContents() override;

    std::unique_ptr<CVes_TableBase> createEmpty() const override;
    void Draw(platform::Dc* dc, const platform::Rect& rect) override;
};
