#pragma once
// What the bar list and the quantity sheet ask the user about their raw
// stock, their summary rules and the size to optimise, in the program's
// dialogs (served by the windows; see platform::askDialog).

#include "platform/hostservices.h"

class CVes_SortRules;
class CVes_SteelYuanCaiDataLib;

// The raw-stock dialog on a table's own stock: after OK the stock holds the
// user's edits; after Cancel it is as it was.
struct RawStockRequest : platform::DialogRequest {
    explicit RawStockRequest(CVes_SteelYuanCaiDataLib& s) : stock(s) {}
    CVes_SteelYuanCaiDataLib& stock;
};

// The summary settings of a table: after OK the rules take the dialog's
// values; after Cancel the rules and the raw stock (which the dialog also
// opens) are as they were.
struct SumSettingsRequest : platform::DialogRequest {
    SumSettingsRequest(CVes_SortRules& r, CVes_SteelYuanCaiDataLib& s) : rules(r), stock(s) {}
    CVes_SortRules& rules;
    CVes_SteelYuanCaiDataLib& stock;
};

// The bar size whose cutting is optimised: the dialog opens with the
// proposed grade and diameter and gives the chosen ones after OK.
struct CutSizeRequest : platform::DialogRequest {
    int grade = 2;
    float diameter = 20.0f;
};
