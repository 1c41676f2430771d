#pragma once
// The bar tags (tab "钢筋料牌" of bar-list and processing-sheet windows) and
// the optimised cutting list (tab "优化断料" of bar-list windows). The tag
// view's menu chooses the tag layout, which bars get tags, how like tags
// are merged or split and how the tags are ordered; each choice rebuilds the
// tags from the document's sheet. The cutting view's menu cuts again.

#include "app/views/sheetview.h"
#include "tables/processing/ui/liaopaiview.h"

class CRODOProcessDoc;
class CRODOSetUpDoc;
class CVes_LiaoPaiTable;

class CRODOLiaoPaiView : public SheetView<CVes_LiaoPaiView> {
public:
    explicit CRODOLiaoPaiView(QWidget* parent = nullptr);
    ~CRODOLiaoPaiView() override;

    CVes_LiaoPaiTable* tagTable() const;
    // The document's tag layout (0-5) and generation mode (0-4): those of a
    // bar list or processing sheet; -1 in another document.
    int documentLayout() const;
    int documentMode() const;

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;

private:
    void addCommands();
    void setLayout(int layout);
    void setMode(int mode);
    // The tags built again from the document's sheet, then repainted.
    void regenerate();
    // A bar-list window's tags sorted again in another order, keeping the
    // page shown.
    void resort(void (CVes_TableBase::*order)());
    void layoutItems(SheetMenu& menu);
    void sortItems(SheetMenu& menu);
    void modeItems(SheetMenu& menu);
    CRODOSetUpDoc* setupDocument() const;
    CRODOProcessDoc* processDocument() const;
};

class CRODODuanLiaoView : public SheetView<CVes_TableViewBase> {
public:
    explicit CRODODuanLiaoView(QWidget* parent = nullptr);
    ~CRODODuanLiaoView() override;

protected:
    void fillContextMenu(BCMenu& menu, CVes_TableBase& table) override;
};
