#pragma once
// The rules by which the derived bar tables order, filter, merge and total
// bars: the sort order of the sorted bar table, the grades and bar kinds it
// shows, the loss added to weights in the summaries, the stirrup processing
// fee and how joints are counted. Every bar list, quantity sheet, bar-tag
// sheet and sorted bar table holds one by value; the sheets store theirs in
// their files, and the user's defaults lie in "sortrule.rul".

#include <QString>

#include <cstdint>

namespace platform { class Archive; }

class CVes_SortRules {
public:
    // The record as written; reading takes versions 1 to this.
    static constexpr int kSchema = 9;
    static constexpr int kRecordBytes = 112;

    // Grade selection bits of m_sortGrade.
    static constexpr unsigned int kGrade1 = 0x01;
    static constexpr unsigned int kGrade2 = 0x02;
    static constexpr unsigned int kGrade3 = 0x04;
    static constexpr unsigned int kGrade4 = 0x08;
    static constexpr unsigned int kGradeL = 0x10;  // grade 12, cold-rolled ribbed
    static constexpr unsigned int kGradeN = 0x20;  // grade 14, cold-rolled twisted
    static constexpr unsigned int kGrade5 = 0x40;
    // Bar-kind bits of m_state.
    static constexpr unsigned int kStirrups = 0x1;
    static constexpr unsigned int kBent = 0x2;
    static constexpr unsigned int kStraight = 0x4;

    CVes_SortRules() = default;
    CVes_SortRules(const CVes_SortRules&) = default;
    CVes_SortRules& operator=(const CVes_SortRules&) = default;
    virtual ~CVes_SortRules() = default;

    int isSortGrade1() const { return (m_sortGrade & kGrade1) ? 1 : 0; }
    int isSortGrade2() const { return (m_sortGrade & kGrade2) ? 1 : 0; }
    int isSortGrade3() const { return (m_sortGrade & kGrade3) ? 1 : 0; }
    int isSortGrade4() const { return (m_sortGrade & kGrade4) ? 1 : 0; }
    int isSortGrade5() const { return (m_sortGrade & kGrade5) ? 1 : 0; }
    int isSortGradeL() const { return (m_sortGrade & kGradeL) ? 1 : 0; }
    int isSortGradeN() const { return (m_sortGrade & kGradeN) ? 1 : 0; }
    void setSortGrade(unsigned int grades) { m_sortGrade = grades; }

    int isStateGu() const { return (m_state & kStirrups) ? 1 : 0; }
    int isStateGuai() const { return (m_state & kBent) ? 1 : 0; }
    int isStateZhi() const { return (m_state & kStraight) ? 1 : 0; }
    void setStateGu(int on) { setBit(m_state, kStirrups, on); }
    void setStateGuai(int on) { setBit(m_state, kBent, on); }
    void setStateZhi(int on) { setBit(m_state, kStraight, on); }
    void setState(unsigned int state) { m_state = state; }

    unsigned int getDNstateStyle() const { return m_dnStateStyle; }
    void setDNstateStyle(unsigned int style) { m_dnStateStyle = style; }
    float getGuigeDN() const { return m_guigeDN; }
    void setGuigeDN(float diameter) { m_guigeDN = diameter; }
    int isSortZheShu() const { return m_sortZheshu; }

    // A bar of this diameter (mm) is wire rod (coil stock): up to the limit,
    // the limit included.
    bool isWireRod(double diameter) const { return diameter <= m_wireDN; }
    // The loss percentage every sheet adds to a bar of this diameter: the bar
    // loss above the wire-rod size, the wire-rod loss up to it and at it; 0
    // when the loss of its stock kind is off.
    double lossPercent(double diameter) const;
    // A weight (or length) of bars of this diameter with that loss added.
    double withLoss(double amount, double diameter) const
    {
        return amount * (1.0 + lossPercent(diameter) * 0.01);
    }

    // Version 9 when storing. Loading reads versions 1 to 9, each its own
    // fields; the fields a version lacks keep their values. Any other version
    // throws platform::SchemaError; a short stream platform::ArchiveError.
    void Serialize(platform::Archive& ar);

    // Reads a rules file. Nothing happens for an empty path or a missing file;
    // a damaged or unknown file leaves every rule as it was. True when read.
    bool readFromFile(const QString& path);
    // Writes the rules into a file (replacing it whole). Nothing for an empty
    // path; false when the file could not be written.
    bool saveFile(const QString& path) const;

    // The user's default rules file, "sortrule.rul" in the "userdata" folder
    // of the data folder.
    static QString userRulesPath();
    // Creates the "userdata" folder when missing, then reads the user's
    // default rules file into these rules.
    bool readUserRules();

    unsigned int m_sortGrade = 127;   // not stored; every grade shown
    int m_dnOrder = 0;                // 0 large to small, 1 small to large
    int m_lenOrder = 3;               // 0 long first, 1 short first, other: none
    int m_sortZheshu = 0;             // order by number of bends
    int m_mergeSame = 0;              // merge equal bars as they are added
    double m_lossBar = 2.5;           // % for bars above the wire-rod limit
    double m_lossWire = 2.5;          // % for wire rod
    int m_showLoss = 1;
    int m_calcLossBar = 1;
    int m_calcLossWire = 1;
    int m_lossPlace = 1;              // 0 at the grand total, 1 in each subtotal
    int m_sumByGrade = 0;
    int m_sumByDnClass = 1;
    float m_wireDN = 12.0f;           // mm; up to it a bar is wire rod
    int m_autoPrice = 1;
    int m_calcStirrupFee = 0;
    float m_stirrupFee = 0.1f;        // 元 a stirrup
    int m_autoStirrupCount = 1;
    int m_stirrupCount = 0;
    int m_sumInEleType = 1;
    unsigned int m_state = 7;         // not stored; bar kinds shown
    float m_guigeDN = 10.0f;
    unsigned int m_dnStateStyle = 0;  // 0 none, 1 below, 2 equal, 3 above m_guigeDN
    int m_showZeroNum = 1;
    int m_autoMidConnect = 1;
    int m_reverseSleeve = 1;
    int m_guibingShow = 2;            // 0 none, 1 element, 2 bar number, 3 both

private:
    // Refuses (platform::ArchiveError) rules holding a value that is no
    // number, which no rules dialog gives.
    void checkStored() const;
    static void setBit(unsigned int& bits, unsigned int bit, int on)
    {
        if (on)
            bits |= bit;
        else
            bits &= ~bit;
    }
};
