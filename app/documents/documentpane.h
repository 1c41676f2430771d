#pragma once
// The docking panes of a document window (the bar-property pane 4001 and,
// in bar-list windows, the element tree 4003) come from the program
// through a factory; a pane window that derives from CDocumentPane hears
// which sheet the window shows. A pane tells its frame of an edit
// (DocumentFrame::OnPaneEdited) and asks it to bring the current row into
// view (DocumentFrame::OnShowCurrentRow).

#include <functional>

class CVes_TableBase;
class DocumentFrame;
class QWidget;

class CDocumentPane {
public:
    virtual ~CDocumentPane() = default;
    // The frame shows `table` now (null: no sheet, or one being rebuilt);
    // the property pane rebuilds its items, the element tree refills.
    virtual void showTable(CVes_TableBase* table, DocumentFrame* frame) = 0;
};

// Makes the window of a pane of `frame`; null leaves the pane empty.
using DocumentPaneFactory = std::function<QWidget*(int nPaneID, DocumentFrame* frame)>;
// Installs the program's pane windows; an empty factory leaves the panes
// empty.
void setDocumentPaneFactory(DocumentPaneFactory factory);
QWidget* createDocumentPane(int nPaneID, DocumentFrame* frame);
