#pragma once
// The property list of the shape editor: the shape's variables, the length
// and angle formulas of its sides, its connection marks, hooks, bar-group
// settings and length rule, as items of the property grid. Every item
// carries an id from which the editor finds what it edits; the side, mark
// and variable items keep their texts themselves and are edited through
// their children.

#include "widgara/propertygrid.h"

class CVes_DrawObject;
class CVes_ModelRecord;

namespace shapegrid {

constexpr int kIdOutDim = 101;
constexpr int kIdSideFirst = 200; // + index in the side array
constexpr int kIdSideLast = 299;
constexpr int kIdHook1 = 301;
constexpr int kIdHook1Angle = 302;
constexpr int kIdHook1Direction = 303;
constexpr int kIdHook2 = 401;
constexpr int kIdHook2Angle = 402;
constexpr int kIdHook2Direction = 403;
constexpr int kIdBarGroup = 505;
constexpr int kIdMidConnectCount = 5000;
constexpr int kIdMidConnectBase = 500; // + 10 k + role
constexpr int kMidRoleStat = 1;
constexpr int kMidRoleStyle = 2;
constexpr int kMidRoleCount = 3;
constexpr int kMidRoleThread = 4;
constexpr int kIdStirrup = 601;
constexpr int kIdVarFirst = 700; // + index in the variable array
constexpr int kIdVarLast = 799;
// Sides and variables beyond these many have no id of their own.
constexpr int kMaxIndexed = 100;

// The name of a mark's connection kind (0 … 9), and its one-character form
// ("" for an unknown kind).
QString jointKindName(int kind);
QString jointShortName(int kind);

// Clears `grid` and fills it from `record`; nothing without a record.
void fillGrid(CXTPPropertyGrid* grid, CVes_ModelRecord* record);

// What the editor does after a grid value reached the record.
struct ApplyResult {
    bool repaint = false; // the canvas shows something that changed
    bool rebuild = false; // the grid must be filled again
};
// Writes the value of `item` (the grid reported a change of it) into `record`.
ApplyResult applyValue(CVes_ModelRecord* record, CXTPPropertyGridItem* item);
// The side, mark or variable the item stands for, or null.
CVes_DrawObject* objectOf(CVes_ModelRecord* record, const CXTPPropertyGridItem* item);

} // namespace shapegrid

// A child that edits one text of its parent (a side's length or angle).
class CSideValueItem : public CXTPPropertyGridItem {
public:
    CSideValueItem(const QString& caption, QString* text);
    void OnValueChanged(QString strValue) override;

private:
    QString* m_pText;
};

// A bar side: its length and angle formulas, shown as "L=…;A=…°".
class CSideGridItem : public CXTPPropertyGridItem {
public:
    CSideGridItem(const QString& caption, const QString& length, const QString& angle,
                  bool angleReadOnly);

    QString length() const { return m_strLength; }
    QString angle() const { return m_strAngle; }
    QString valueText() const;

    void SetValue(QString strValue) override;
    void OnAddChildItem() override;
    Editor editor() const override { return Editor::None; }
    // A child changed one of the texts.
    void childChanged();

private:
    QString m_strLength;
    QString m_strAngle;
    bool m_bAngleReadOnly;
    CSideValueItem* m_pLengthItem = nullptr;
    CSideValueItem* m_pAngleItem = nullptr;
};

class CJointGridItem;

class CJointTypeItem : public CXTPPropertyGridItemEnum {
public:
    CJointTypeItem(CJointGridItem* joint, int kind);
    void OnValueChanged(QString strValue) override;

private:
    CJointGridItem* m_pJoint;
};

class CJointCountItem : public CXTPPropertyGridItem {
public:
    CJointCountItem(CJointGridItem* joint, QString* count);
    void OnValueChanged(QString strValue) override;

private:
    CJointGridItem* m_pJoint;
    QString* m_pCount;
};

// A connection mark: its connection kind and count, shown as "直;1次连接".
class CJointGridItem : public CXTPPropertyGridItem {
public:
    CJointGridItem(const QString& caption, int kind, const QString& count);

    int kind() const { return m_nKind; }
    QString count() const { return m_strCount; }
    QString valueText() const;

    void SetValue(QString strValue) override;
    void OnAddChildItem() override;
    Editor editor() const override { return Editor::None; }
    void kindChanged(int kind);
    void childChanged();

private:
    int m_nKind;
    QString m_strCount;
    CJointTypeItem* m_pTypeItem = nullptr;
    CJointCountItem* m_pCountItem = nullptr;
};

class CVariableGridItem;

class CVariableFormulaItem : public CXTPPropertyGridItem {
public:
    CVariableFormulaItem(CVariableGridItem* variable, const QString& formula);
    void OnValueChanged(QString strValue) override;

private:
    CVariableGridItem* m_pVariable;
};

class CVariablePrintItem : public CXTPPropertyGridItemEnum {
public:
    CVariablePrintItem(CVariableGridItem* variable, int print);
    void OnValueChanged(QString strValue) override;

private:
    CVariableGridItem* m_pVariable;
};

class CVariableTypeItem : public CXTPPropertyGridItemEnum {
public:
    CVariableTypeItem(CVariableGridItem* variable, int kind);
    void OnValueChanged(QString strValue) override;

private:
    CVariableGridItem* m_pVariable;
};

// A dimension variable: its expression, print flag and kind under its name.
class CVariableGridItem : public CXTPPropertyGridItem {
public:
    CVariableGridItem(const QString& caption, const QString& name, const QString& formula,
                      int print, int kind);

    QString name() const { return m_strName; }
    QString formula() const { return m_strFormula; }
    int print() const { return m_nPrint; }
    int kind() const { return m_nKind; }

    void SetValue(QString strValue) override;
    void OnAddChildItem() override;
    Editor editor() const override { return Editor::None; }

    void setFormula(const QString& formula);
    void setPrint(int print);
    void setKind(int kind);

private:
    void childChanged();

    QString m_strName;
    QString m_strFormula;
    int m_nPrint;
    int m_nKind;
    CVariableFormulaItem* m_pFormulaItem = nullptr;
    CVariablePrintItem* m_pPrintItem = nullptr;
    CVariableTypeItem* m_pTypeItem = nullptr;
};
