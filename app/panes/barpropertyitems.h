#pragma once
// The items of the bar-property pane: their ids (which the pane dispatches
// edits on), the choice lists they offer, a diameter item that takes a
// chosen or typed real diameter, and the ways the pane shows a mixed value,
// a heading in blue and a highlighted item.

#include "widgara/propertygriditem.h"

#include <utility>

#include <QString>

#include <memory>
#include <span>

class CXTPPropertyGrid;
class CXTPPropertyGridItemCategory;
class QValidator;

namespace barprop {

// Bar items
constexpr int kBasicCategory = 1;    // "钢筋基本属性"
constexpr int kAdvancedCategory = 2; // "钢筋高级属性"
constexpr int kNumber = 101;
constexpr int kScaled = 102;
constexpr int kPerGroup = 103;
constexpr int kAutoLength = 105;
constexpr int kManualLength = 106;
constexpr int kCount = 107;
constexpr int kOutDim = 108;
constexpr int kCalcType = 109;
constexpr int kGrade = 111;
constexpr int kDiameter = 112;
constexpr int kCoating = 113;
constexpr int kSpacingDense = 121;
constexpr int kSpacingNormal = 122;
constexpr int kSpacingLap = 123;
constexpr int kShape = 201;
constexpr int kShapeMirrorHor = 202;
constexpr int kShapeMirrorVer = 203;
constexpr int kVarName = 220;
constexpr int kVarValue = 221;
constexpr int kVarValueEnd = 222;
constexpr int kStartShape = 251;
constexpr int kStartMirrorHor = 252;
constexpr int kStartVarName = 260;
constexpr int kStartVarValue = 261;
// Hooks and end connections: the left end's ids; the right end's are 10 more.
constexpr int kHook = 301;
constexpr int kHookAngle = 302;
constexpr int kHookDirection = 303;
constexpr int kConnectStyle = 401;
constexpr int kConnectLength = 402;
constexpr int kConnectCounted = 403;
constexpr int kConnectThread = 404;
constexpr int kConnectOtherThread = 405;
constexpr int kConnectOtherDiameter = 406;
constexpr int kRightEnd = 10;
constexpr int kMidCategory = 4000;
constexpr int kMidCounted = 4001;
constexpr int kMidStyle = 4002;
constexpr int kMidAutoCount = 4003;
constexpr int kMidStockLength = 4004;
constexpr int kMidCountText = 4005;
// The "计算" button of the connection length items.
constexpr int kComputeButton = 1;

// Page items
constexpr int kTitle = 1001;       // 1002 … 1007: heading fields 1 to 6
constexpr int kDefaultPieces = 1008;
constexpr int kShowSummary = 1009;
constexpr int kSummaryHeight = 1010;
constexpr int kSumWeight = 1011;
constexpr int kSumLength = 1012;
constexpr int kSumJoint = 1013;
constexpr int kLanguage = 1015;
constexpr int kShowTitle = 1016;
constexpr int kMarginLeft = 1101;
constexpr int kMarginRight = 1102;
constexpr int kMarginTop = 1103;
constexpr int kMarginBottom = 1104;
constexpr int kGutter = 1105;
constexpr int kGutterPos = 1106;
constexpr int kOrientation = 1111;
constexpr int kRowMode = 1112;
constexpr int kRowHeight = 1113;
constexpr int kRowsPerPage = 1114;
constexpr int kTitleBackground = 1115;
constexpr int kTableTextHeight = 1116;
constexpr int kShapeTextHeight = 1117;
constexpr int kColumnCaption = 1500; // + column index
constexpr int kColumnWidth = 1530;
constexpr int kColumnUnit = 1560;
constexpr int kStretchColumn = 1590;
constexpr int kHeadingFields = 6;

// Cover items
constexpr int kCoverPrinted = 2000;
constexpr int kCoverText = 2001; // + 10 × row
constexpr int kCoverAlign = 2002;
constexpr int kCoverSize = 2003;
constexpr int kCoverHeight = 2004;
constexpr int kCoverRowStep = 10;

// A choice of an enumeration item.
struct Choice {
    const char* text;
    int value;
};

// The bar diameters the pane offers, each with its real diameter in mm.
struct DiameterChoice {
    const char* text;
    float diameter;
};
std::span<const DiameterChoice> diameterChoices();
// A diameter as an enumeration's value: whole tenths of a millimetre.
int diameterTenths(float diameter);

// The grades with the image each shows (the grid's images 0 to 5).
struct GradeChoice {
    const char* text;
    int value;
    int image;
};
std::span<const GradeChoice> gradeChoices();
int gradeImage(int grade);

// Fills an enumeration item with the choices.
void addChoices(CXTPPropertyGridItem* item, std::span<const Choice> choices);
// The nine connection types, 0 to 8.
void addConnectionChoices(CXTPPropertyGridItem* item);
// The diameter list with tenths of a millimetre as values.
void addDiameterChoices(CXTPPropertyGridItem* item);

using Number = CXTPPropertyGridItemNumber;
using Real = CXTPPropertyGridItemDouble;
using Check = CXTPPropertyGridItemBool;
using Choices = CXTPPropertyGridItemEnum;

// Adds a child item of kind T with the id.
template <typename T, typename... Args>
T* addItem(CXTPPropertyGridItem* parent, int id, Args&&... args)
{
    T* item = parent->AddChildItem(std::make_unique<T>(std::forward<Args>(args)...));
    item->SetID(id);
    return item;
}
// A category under `parent` (id 0), expanded or collapsed.
CXTPPropertyGridItemCategory* addCategory(CXTPPropertyGridItem* parent, const QString& caption,
                                          bool expanded);
// A yes/no item shown as a check box beside "是" or "否".
Check* addCheckBox(CXTPPropertyGridItem* parent, int id, const QString& caption);
// A choice with no value chosen yet.
Choices* addChoiceItem(CXTPPropertyGridItem* parent, int id, const QString& caption,
                       std::span<const Choice> choices);

// Values and states of the grid's items by id; an id the grid lacks, or an
// item of another kind, is passed over.
void setChoice(const CXTPPropertyGrid& grid, int id, int value);
void setCheck(const CXTPPropertyGrid& grid, int id, int value); // on when 1 or more
void setNumber(const CXTPPropertyGrid& grid, int id, long value);
void setReal(const CXTPPropertyGrid& grid, int id, double value);
void setText(const CXTPPropertyGrid& grid, int id, const QString& text);
void setItemHidden(const CXTPPropertyGrid& grid, int id, bool hidden);

// Shows no value (the selected rows differ) without changing the item's
// number.
void showMixed(CXTPPropertyGridItem* item);
// A number, or no value when negative.
void showNumber(CXTPPropertyGridItemNumber* item, long value);
void showDouble(CXTPPropertyGridItemDouble* item, double value);
// "%.1f" of a value, empty when negative.
QString oneDecimal(double value);

// A blue caption (the pane's two top categories).
void setBlueCaption(CXTPPropertyGridItem* item);
// Caption and value drawn black.
void setBlack(CXTPPropertyGridItem* item);
// A blue caption on the highlight colour: the item the user is at on the page.
void highlight(CXTPPropertyGridItem* item);

} // namespace barprop

// The diameter of the selected bars: a real number shown "%.1f", typed or
// chosen from the diameter list ("6.5 mm").
class CDiameterItem : public CXTPPropertyGridItemDouble {
public:
    explicit CDiameterItem(const QString& strCaption);
    // Takes "6.5", "6.5 mm" and "6.5mm"; other texts leave the value.
    void SetValue(QString strValue) override;
    std::unique_ptr<QValidator> createValidator(QObject* parent) const override;
};
