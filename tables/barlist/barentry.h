#pragma once
// What the user types into the cells of the bar list: the text an editor of
// a cell starts from, and what a committed entry does to the line under the
// cell, column by column and line kind by line kind (sizes such as "C25",
// spacings "100/200;300", counts "2.3" and "3|4", shape dimensions with
// formulas, ranges and anchorage keywords, shape and start-style numbers).
// Plain functions over the table, so that the view only opens editors and
// runs the closing steps, and every rule can be tried without a window.

#include <QChar>
#include <QString>

class CVes_ReferenceBase;
class CVes_SetupTable;
class CVes_SetupTableLine;
class CVes_Variable;

namespace barlist {

// The shape dimension, start-style dimension or sketch dimension an editor
// edits. It is kept by its name and found again on the line when the entry
// is committed: undo, cutting, deleting, importing and a new shape replace
// the bars, so a pointer into a bar could outlive it.
struct EditedVariable {
    enum class Source { None, Shape, Start, Image };

    Source source = Source::None;
    QString name;

    bool isSet() const { return source != Source::None; }
    // The reference of the line that holds the variable (the bar's shape,
    // its start style, the sketch of an image line); null when the line has
    // no such reference.
    CVes_ReferenceBase* owner(CVes_SetupTableLine& line) const;
    // The variable itself; null when the line no longer holds it.
    CVes_Variable* on(CVes_SetupTableLine& line) const;
};

// Recent-value categories of the cells (the store's lists "##1##" to "##8##").
inline constexpr int kNoCategory = -1;
// The category of a column: 0→1, 1→2, 2→3, 3→8, 4→4, 6→5, 10→6, else none.
int columnCategory(int column);

// The reference whose dimensions a cell shows: the sketch of an image line
// (every column), the bar's start style (column 3) or shape (column 4) of a
// bar line; null for every other cell.
CVes_ReferenceBase* cellReference(CVes_SetupTableLine& line, int column);
// Where a dimension of that cell comes from.
EditedVariable::Source cellSource(CVes_SetupTableLine& line, int column);

// What opening a cell does.
struct CellOpening {
    enum class Action { None, Editor, ShapeChooser, StartChooser };

    Action action = Action::None;
    QString text;                 // the editor's initial text
    int category = kNoCategory;   // its recent-value category
    // Variable cells: the variable edited (none when none was hit); the view
    // keeps it even when no editor opens.
    bool variableCell = false;
    EditedVariable variable;
};

// A click on the current cell, or Enter: `hit` is the variable of the cell's
// reference under the point (null when none was hit). A locked line opens
// nothing; an empty bar line opens the shape or start-style chooser in
// columns 4 and 3.
CellOpening clickOpening(CVes_SetupTableLine& line, int column, const CVes_Variable* hit);

// A character typed on the current cell: whether an editor opens (its text
// is then the character alone) and, in columns 3 and 4, the variable it
// edits: the one the cell's reference has in use (none: the entry is read as
// a shape or start-style number).
CellOpening typingOpening(CVes_SetupTableLine& line, int column, QChar typed);

// Commits an entry to (row, column) of the current page. Rows below 1 are
// the view's. Answers whether the line changed, and the view then runs its
// closing steps (undo step, flags, repaint, frame, document); false leaves
// the line as it was: a locked or missing line, an empty entry on an empty
// bar line or in the size column, an entry that is refused with a message
// (a size, number or formula that cannot be read), a shape or start-style
// number that names nothing. A typed shape number makes the new shape's
// first dimension the edited variable.
bool commitEntry(CVes_SetupTable& table, int row, int column, const QString& entry,
                 EditedVariable& edited);

// A count typed with the user's rounding digit n (1 to 9): above 0 the
// integer part of value + (10 - n) / 10; at or below 0 the integer part of
// value - r / 10 for a whole entry, value - r for the count after a
// separator and value + r for the group count before one.
// Whole, but not bounded: the field the count goes to decides what it
// takes.
enum class CountPart { Whole, AfterSeparator, BeforeSeparator };
double roundCount(double value, int digit, CountPart part);

} // namespace barlist
