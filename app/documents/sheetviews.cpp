#include "app/documents/sheetviews.h"

#include "tables/barlist/ui/setupview2.h"
#include "tables/processing/ui/liaopaiview.h"
#include "tables/processing/ui/processtableeditview.h"
#include "tables/processing/ui/processtablelistview.h"
#include "tables/quantity/ui/sltableview.h"
#include "tables/quantity/ui/steeljinhuoview.h"

namespace {

SheetViewFactory& installedFactory()
{
    static SheetViewFactory factory;
    return factory;
}

CVes_TableViewBase* libraryView(SheetTab tab, QWidget* parent)
{
    switch (tab) {
    case SheetTab::SetUpList:
        return new PlainSheetView<CVes_SetupView2>(parent);
    case SheetTab::SetUpPurchase:
        return new PlainSheetView<CVes_SteelJinHuoView>(parent);
    case SheetTab::SetUpTags:
    case SheetTab::ProcessTags:
        return new PlainSheetView<CVes_LiaoPaiView>(parent);
    case SheetTab::ProcessDetail:
        return new PlainSheetView<CVes_ProcessTableEditView>(parent);
    case SheetTab::ProcessList:
        return new PlainSheetView<CVes_ProcessTableListView>(parent);
    case SheetTab::SLDetail:
        return new PlainSheetView<CVes_SLTableView>(parent);
    default:
        return new PlainSheetView<CVes_TableViewBase>(parent);
    }
}

} // namespace

void setSheetViewFactory(SheetViewFactory factory)
{
    installedFactory() = std::move(factory);
}

CVes_TableViewBase* createSheetView(SheetTab tab, QWidget* parent)
{
    const SheetViewFactory& factory = installedFactory();
    return factory ? factory(tab, parent) : libraryView(tab, parent);
}
