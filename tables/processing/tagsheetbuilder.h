#pragma once
// What the two builders of the bar-tag sheet share (the bar list's and the
// processing sheet's toLiaoPaiTable): preparing the tag table from the source
// sheet, walking processing rows with their project, storey, element-type
// and element headings, the element tag that each element gets before its
// bar tags with the range of their tag numbers, and the texts and weight of
// a tag.

#include "tables/framework/tablebase.h"

#include <QString>
#include <QStringList>

#include <functional>

class CVes_BarCore;
class CVes_LiaoPai;
class CVes_LiaoPaiTable;
class CVes_ProcessSteel;
class CVes_ProcessTableEditLine;

class TagSheetBuilder {
public:
    struct Options {
        QString prefix;          // before "料牌" in an element tag's range
        bool elementTags = true; // elements get element tags
        bool barTags = true;     // bar tags are added (their numbers count for the ranges anyway)
        // An element closed by a project row is captioned "构件总料牌".
        bool totalCaptionOnProject = false;
    };

    // Empties the tag table's rows, tags and column units and takes the
    // source's column units, the unit of its cut-length column, its tag
    // layout (an unknown one as the default) with the tags per page that
    // layout holds, and its title-block text 6.
    static void prepare(CVes_LiaoPaiTable& table, const CVes_TableBase& source,
                        int lengthColumn, int layout);
    // The tag modes that tag one kind of bar only: main bars (longitudinal
    // bars, everything but stirrups and ties) or stirrups and ties.
    static constexpr int kMainBarsOnly = 3;
    static constexpr int kStirrupsOnly = 4;
    // Whether the tag mode gives `bar` its tags: modes 3 and 4 take only
    // their kind of bar, every other mode every bar.
    static bool modeTakes(int tagMode, const CVes_BarCore& bar);

    // The range prefix: the text trimmed on the right, and "-" after it when
    // something is left.
    static QString prefixOf(const QString& text);
    // The grade-and-diameter text of a bar, with the tag's stock text in
    // brackets when it has one.
    static QString gradeText(const CVes_ProcessSteel& bar, const QString& stockText);
    // The metres of one bar of the row: a graded bar's mean length, any
    // other bar its length. `toShape` turns millimetres into the shape unit,
    // `toMetre` that unit into metres.
    static double metresPerBar(CVes_ProcessSteel& bar, double toShape, double toMetre);
    // "%.2f" of the weight in kg of the bars `tag` stands for.
    static QString weightText(const CVes_ProcessSteel& bar, const CVes_LiaoPai& tag,
                              double metresPerBar);

    TagSheetBuilder(CVes_LiaoPaiTable& table, Options options);

    // Walks the rows in order, skipping empty ones: headings change the
    // context, and every row with a bar is handed to `bar`. Ends with the
    // pending element tag closed and the tag table sorted and paged.
    void walk(const TableLineList& rows, const std::function<void(CVes_ProcessSteel&)>& bar);

    // Texts 0 to 2 and 5 of a tag: project, storey, element type, element.
    QString project() const { return m_project; }
    QString storey() const { return m_storey; }
    QString eleType() const { return m_eleType; }
    QString element() const { return m_element; }

    // Adds a bar tag of eleven texts (unless bar tags are off) and counts
    // its number in the element's range.
    void addBarTag(const QStringList& texts, CVes_ProcessSteel* bar, int number);

private:
    void heading(const CVes_ProcessTableEditLine& row);
    void closeElement(bool byProject);

    CVes_LiaoPaiTable& m_table;
    Options m_options;
    QString m_project;
    QString m_storey;
    QString m_eleType;
    QString m_element;
    int m_first = -1;
    int m_last = -1;
    // Where the pending element tag stands in the tag list, or -1.
    qsizetype m_pending = -1;
};
