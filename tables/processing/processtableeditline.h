#pragma once
// A row of the processing sheet (the ".jgd" document): a project, storey,
// element-type or element heading, or a processing bar. These rows are what
// the document stores, what the row clipboard and the undo snapshots copy,
// and what a bar list's conversion produces.

#include "tables/processing/processtablelistline.h"

#include <QString>

class CVes_ProcessTableEditLine : public CVes_ProcessTableListLine {
public:
    // Row kinds of the processing sheet. A heading row carries one text and
    // keeps a processing bar too, marked empty.
    // kSteelRow (0) is the list row's.
    static constexpr unsigned int kEleRow = 1;
    static constexpr unsigned int kEleTypeRow = 2;
    static constexpr unsigned int kStoryRow = 3;
    static constexpr unsigned int kProjectRow = 4;

    // Fault codes of isAvailable.
    static constexpr int kFaultNumber = 0;
    static constexpr int kFaultSpec = 1;
    static constexpr int kFaultShape = 2;
    static constexpr int kFaultLength = 3;
    static constexpr int kFaultCount = 4;

    CVes_ProcessTableEditLine();
    explicit CVes_ProcessTableEditLine(unsigned int kind);
    // The bar, the kind and the four texts; empty mark, lock and rows start
    // afresh.
    CVes_ProcessTableEditLine(const CVes_ProcessTableEditLine& other);
    CVes_ProcessTableEditLine& operator=(const CVes_ProcessTableEditLine&) = delete;
    ~CVes_ProcessTableEditLine() override;

    // Version 1: kind, rows, lock, the text of a heading row, then the bar.
    // The empty mark is not stored (a row read back is as empty as its bar)
    // and a heading keeps only its own text. Loading throws
    // platform::SchemaError for another version and platform::ArchiveError
    // for a damaged stream, a kind outside 0 to 4 or rows outside 0 to the
    // rows a line may take.
    void Serialize(platform::Archive& ar) override;

    // A heading is empty by its empty mark; a bar row also when its bar is.
    int isNull() override { return emptyState(); }
    // Sets the empty mark, and on a bar row the bar's empty flag with it.
    void setNull(int empty) override;
    // The bar's empty flag only.
    void setSteelNull(int empty) { m_steel.setNull(empty); }

    // Makes this row a copy of `source`: its emptiness, lock, rows, kind,
    // four texts and bar. Used by undo snapshots, the row clipboard and
    // appending one sheet to another.
    void copy(const CVes_ProcessTableEditLine* source);
    void copy(const CVes_ProcessTableEditLine& source) { copy(&source); }
    // Nonzero when the two rows' bars are the same bar.
    int compare(const CVes_ProcessTableEditLine& other) const;

    void setProject(const QString& text) { m_project = text; }
    void setStory(const QString& text) { m_story = text; }
    void setEleType(const QString& text) { m_eleType = text; }
    void setEle(const QString& text) { m_ele = text; }
    QString getProject() const { return m_project; }
    QString getStory() const { return m_story; }
    QString getEleType() const { return m_eleType; }
    QString getEle() const { return m_ele; }

    int isStoryLine() const { return getType() == kStoryRow ? 1 : 0; }
    // The row as a processing sheet's row, or null for a row of another kind.
    static CVes_ProcessTableEditLine* of(CVes_TableBaseLine* row)
    {
        return dynamic_cast<CVes_ProcessTableEditLine*>(row);
    }
    // Processing rows are never joined into one another here.
    bool joinTo(CVes_ProcessTableListLine* other);

    // Whether a bar row is complete enough to be numbered and checked. A row
    // whose bar is empty answers 1 and leaves `fault` alone; otherwise
    // `fault` names the first missing item (kFault*) and the answer is 0, or
    // the answer is 1.
    int isAvailable(int& fault);

    QString m_project;
    QString m_story;
    QString m_eleType;
    QString m_ele;

private:
    int emptyState() const;
    // The text a heading of `kind` carries; null for a bar row.
    QString* headingText(unsigned int kind);
    // Nonzero when a dimension the user gives is 0 or less.
    int hasEmptyDimension() const;
};
