#pragma once
// The views of the sheet tabs. Each tab of a document window shows one
// table of its document in a sheet view; the program puts its own sheet
// views (with their context menus and commands) in place through a factory,
// and without one each tab shows its sheet in the tables library's view of
// that sheet.
//
// A sheet view made by the factory derives from CVes_TableViewBase and
// should also derive from platform::View, so that its document reaches it
// (UpdateAllViews) and commands reach it first. The tab sets its table
// (setTable) and unsets it (null) while a background rebuild writes that
// table: a view must cope with having no table. The tab listens to its
// tableChanged (the frame rebuilds its panes) and modifyRequested (the
// document is marked modified) signals.

#include "platform/ui/view.h"

#include <functional>

class CVes_TableViewBase;
class QWidget;

// The sheets of the three document windows, by tab.
enum class SheetTab {
    SetUpList,     // bar list: "钢筋配料单"
    SetUpSort,     // "规格排序"
    SetUpSummary,  // "用量汇总"
    SetUpJoints,   // "接头汇总"
    SetUpPurchase, // "原材进货"
    SetUpTags,     // "钢筋料牌"
    SetUpCutting,  // "优化断料"
    SetUpContents, // "目录"
    ProcessDetail, // processing sheet: "加工明细单"
    ProcessList,   // "加工汇总单"
    ProcessTags,   // "钢筋料牌"
    SLDetail,      // quantity sheet: "钢筋用量明细表"
    SLSummary,     // "钢筋用量汇总表"
    SLJoints,      // "钢筋连接类型汇总表"
    SLSort,        // "钢筋规格排序表"
};

// Makes the view of a tab as a child of `parent`; null when it could not
// (the document window is then not opened).
using SheetViewFactory = std::function<CVes_TableViewBase*(SheetTab tab, QWidget* parent)>;

// Installs the program's sheet views; an empty factory brings back the
// tables library's views.
void setSheetViewFactory(SheetViewFactory factory);
// The view of a tab: the factory's, or the tables library's view of it.
CVes_TableViewBase* createSheetView(SheetTab tab, QWidget* parent);

// A sheet view of the tables library shown in a document window: the
// library's view that also is a view of the document.
template <class Base>
class PlainSheetView : public Base, public platform::View {
public:
    explicit PlainSheetView(QWidget* parent) : Base(parent), platform::View(this) {}
    void OnUpdate(platform::View*, long) override { this->viewport()->update(); }
};
