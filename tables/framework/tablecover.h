#pragma once
// The cover page (page 0) of every sheet: a column of cover texts, one per row
// of a form of cells, with the share of the page height each row takes. It
// is stored with the template in every sheet file and can be kept in a cover
// file (".fmt") of its own.

#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

class CVes_Form;
class CVes_Variable;

namespace platform { class Archive; }

class CVes_TableCover {
public:
    static constexpr int kSchema = 2;
    static constexpr int kDefaultRows = 20;
    static constexpr int kTextHeight = 50;   // 0.1 mm
    static constexpr unsigned int kTextAlign = 6; // centred
    // A stored cover beyond these sizes is damaged: no page holds it.
    static constexpr int kMaxRows = 1000;
    static constexpr int kMaxColumns = 100;

    CVes_TableCover();
    CVes_TableCover(const CVes_TableCover&) = delete;
    CVes_TableCover& operator=(const CVes_TableCover&) = delete;
    virtual ~CVes_TableCover();

    // Appends one empty centred text of height 50 per row, and a share of
    // 100 / rows percent per row.
    void initVariables();
    // Deletes every text and empties the shares.
    void clearVariables();
    // Takes the other cover's rows, columns, texts and shares (the form
    // follows them); a cover without texts changes nothing.
    void copyFrom(const CVes_TableCover* other);
    // The text being edited, or null.
    CVes_Variable* getCurVar();
    // The form's hit test with both outputs first set to -1; always true.
    bool HitTest(QPoint point, int& row, int& column);

    // The cover part of every sheet file. Loading is all or nothing: a
    // damaged stream throws platform::ArchiveError and an unknown schema
    // platform::SchemaError, and the cover stays as it was.
    void Serialize(platform::Archive& ar);

    // Cover files. Both do nothing for an empty path (and loading nothing for
    // a missing file) and answer whether they succeeded; file errors are not
    // reported to the user and leave the cover (and a previous file) as it
    // was. An unknown schema in a cover file passes to the caller as
    // platform::SchemaError.
    bool saveToFile(const QString& path);
    bool loadFromFile(const QString& path);

    std::unique_ptr<CVes_Form> m_form; // laid out over the printable area when drawn
    int m_rows = kDefaultRows;
    int m_columns = 1;
    int m_curVar = -1;      // the text the view last hit
    int m_curCol = -1;      // the column the view last hit
    QList<int> m_percents;  // share of the cover height per row
    std::vector<std::unique_ptr<CVes_Variable>> m_variables;
    QStringList m_barSummaryTexts;   // filled when a cover text shows the bar summary
    QStringList m_jointSummaryTexts; // likewise for the joint summary

private:
    // Gives the form the cover's columns and rows, so that every row is drawn.
    void fitForm();
    void padPercents();
};
