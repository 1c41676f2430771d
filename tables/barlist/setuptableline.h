#pragma once
// One line of the bar list. The kind of a line says what it holds: a bar
// with its shape and quantities, an element heading with its element count,
// a range of units, a row of free texts (one per column) or a sketch from
// the start-style library. Every operation on the bar list looks at the kind
// first; only the fields of the line's own kind mean anything, and only they
// are stored.

#include "tables/framework/tablebaseline.h"

#include "core/model/steel.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace platform { class Archive; }

class CVes_SetupTableLine : public CVes_TableBaseLine {
public:
    // Line kinds (the view's LINETYPE values). Kind 3 is never made by the
    // bar list and carries nothing.
    static constexpr unsigned int kUnitLine = 0;
    static constexpr unsigned int kSteelLine = 1;
    static constexpr unsigned int kTextLine = 2;
    static constexpr unsigned int kElementLine = 4;
    static constexpr unsigned int kImageLine = 5;

    // The stored form written; reading takes schemas 1 to this.
    static constexpr int kSchema = 7;

    // Why a bar line is incomplete (isAvailable).
    static constexpr int kBadNumber = 0;
    static constexpr int kBadGradeOrSize = 1;
    static constexpr int kBadShape = 2;
    static constexpr int kBadLength = 3;
    static constexpr int kBadCount = 4;

    // Remark merge marks of a bar line.
    static constexpr int kRemarkNotMerged = 0;
    static constexpr int kRemarkMergeFirst = 1;
    static constexpr int kRemarkMergeNext = 2;

    // An empty bar line, element count 0: what a file is read into.
    CVes_SetupTableLine();
    // An empty line of that kind for the insert commands: the element count
    // is the user's default, an image line gets an empty sketch.
    explicit CVes_SetupTableLine(int kind);
    ~CVes_SetupTableLine() override;
    // Lines are copied with copy(), which keeps the shown flag and colour.
    CVes_SetupTableLine(const CVes_SetupTableLine&) = delete;
    CVes_SetupTableLine& operator=(const CVes_SetupTableLine&) = delete;

    // Schema 7; reads schemas 1 to 7 and throws platform::SchemaError
    // (code -100) for any other.
    void Serialize(platform::Archive& ar) override;
    int isSteelLine() override { return m_type == kSteelLine ? 1 : 0; }
    // The bar of a bar line; null for every other kind.
    CVes_BarCore* getSteel() override;

    // Takes the other line's empty mark, lock, rows and kind, then the fields
    // of that kind (the bar deeply, the sketch by value). Shown flag and text
    // colour stay as they are.
    void copy(const CVes_SetupTableLine* other);

    // Bar line only: the bar becomes a deep copy of `bar`; the line is no
    // longer empty.
    void setSteel(const CVes_Steel* bar);
    // The bar of a bar line; null for every other kind.
    CVes_Steel* getSetupSteel() { return m_type == kSteelLine ? &m_steel : nullptr; }
    const CVes_Steel* getSetupSteel() const { return m_type == kSteelLine ? &m_steel : nullptr; }
    int getRemarkMerge() const { return m_remarkMerge; }
    void setRemarkMerge(int mark) { m_remarkMerge = mark; }

    // Unit line only: an empty end means a range of one unit.
    void setUnit(const QString& start, const QString& end, int sameBars);
    QString getUnitStart() const { return m_unitStart; }
    QString getUnitEnd() const { return m_unitEnd; }

    // Text line: the text of a column; an empty text outside the list or on
    // another kind.
    QString GetText(int index) const;
    // Text line only: sets one column's text, growing the list; a negative
    // column changes nothing.
    void SetText(int index, const QString& text);
    // Text line only: the first texts.size() columns take the texts, every
    // column beyond them is emptied; the list never shrinks.
    void SetText(const QStringList& texts);
    QStringList* getTextArray() { return m_type == kTextLine ? &m_texts : nullptr; }
    void getTextArray(QStringList& out) const;

    // Image line only (null otherwise): the line's own sketch, created empty
    // when missing.
    CVes_SteelStartReference* getImage();
    // Image line only: copies `image` into the line's own sketch.
    void setImage(const CVes_SteelStartReference* image);

    void setElement(const QString& name) { m_element = name; }
    QString getElement() const { return m_element; }
    void setEleRemark(const QString& remark) { m_eleRemark = remark; }
    QString getEleRemark() const { return m_eleRemark; }
    int getEleNum() const { return m_eleNum; }
    void setEleNum(int count) { m_eleNum = count; }

    int isTextLine() const { return m_type == kTextLine ? 1 : 0; }
    int isElementLine() const { return m_type == kElementLine ? 1 : 0; }
    int isImageLine() const { return m_type == kImageLine ? 1 : 0; }

    // 1 for a complete bar line and for every other kind; 0 for an
    // incomplete bar line, with the first failed check in `reason`
    // (kBadNumber … kBadCount), which is left alone otherwise.
    int isAvailable(int& reason);

    // Unit line.
    QString m_unitStart;
    QString m_unitEnd;
    int m_unitMerged = 1;  // 1: unit names written merged
    int m_unitSame = 1;    // 1: every unit has the same bars
    int m_unitForm = 2;    // 0 names only, 1 positions only, 2 names and positions
    // Text line.
    QStringList m_texts;
    // Bar line.
    CVes_Steel m_steel;
    int m_remarkMerge = kRemarkNotMerged;
    // Element line.
    QString m_element;
    int m_eleNum = 0;
    QString m_eleRemark;

private:
    // Image line: always owned by the line, never shared.
    std::unique_ptr<CVes_SteelStartReference> m_image;
};
