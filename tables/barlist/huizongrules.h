#pragma once
// What the bar list's summaries cover: the summary selection (all bars, the
// bars of chosen elements, or the bars whose number or remark matches a
// keyword) and the options of the quantity totals written into the sheet.

#include <QList>
#include <QString>

class CVes_SetupTableLine;

class CVes_HuizongRules {
public:
    // Modes.
    static constexpr int kAllBars = 0;
    static constexpr int kChosenElements = 1;
    static constexpr int kBarNumberKey = 3;
    static constexpr int kBarRemarkKey = 4;

    CVes_HuizongRules() = default;
    CVes_HuizongRules(const CVes_HuizongRules&) = default;
    CVes_HuizongRules& operator=(const CVes_HuizongRules&) = default;
    virtual ~CVes_HuizongRules() = default;

    // 1 when the text matches the key: equal to it with whole text on,
    // containing it otherwise (so an empty key matches every text).
    int PipeiKey(const QString& text) const;

    // Forgets the chosen element lines. The bar list calls it whenever its
    // lines are replaced or deleted, so that no stale line is ever compared.
    void forgetElements() { m_elements.clear(); }

    int m_mode = kAllBars;
    // Element lines of the owning bar list; not owned.
    QList<CVes_SetupTableLine*> m_elements;
    QString m_key;
    int m_wholeText = 0;
};

// Which quantity totals the bar list writes into its sheet, and where.
class CVes_totalSteelType {
public:
    CVes_totalSteelType() = default;
    CVes_totalSteelType(const CVes_totalSteelType&) = default;
    CVes_totalSteelType& operator=(const CVes_totalSteelType&) = default;
    virtual ~CVes_totalSteelType() = default;

    int m_length = 1;      // "长度汇总"
    int m_weight = 1;      // "重量汇总"
    int m_joint = 1;       // "连接类型汇总"
    int m_wholeTable = 1;  // "整表汇总"
    int m_perElement = 1;  // "构件内汇总"
    int m_place = 0;       // 0 on the last page, any other value on the first
};
