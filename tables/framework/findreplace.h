#pragma once
// What find and replace does to the rows of a sheet, apart from its
// window: the text of a result entry, the replacement in one row by the
// searched item (what a row holds, its sheet answers), the checks that a
// remembered row or shape variable still belongs to the table, and the two histories of typed texts that every
// find-and-replace dialog of the program shares while it runs.
//
// Matching is the table's own business (isFindLine, searchAllLine,
// searchNextLine); a replacement happens only in a row the table finds.

#include <QList>
#include <QString>
#include <QStringList>

class CVes_Steel;
class CVes_TableBase;
class CVes_TableBaseLine;
class CVes_Variable;

namespace findreplace {

// The searched items, in the order of the item list; the table's value
// categories of the same numbers.
enum Item : int {
    kElement = 0,  // 构件编号
    kNumber = 1,   // 钢筋编号
    kGrade = 2,    // 钢筋规格
    kSpacing = 3,  // 钢筋间距
    kShape = 4,    // 钢筋形状
    kVariable = 5, // 钢筋形状变量
    kCount = 6,    // 每件根数
    kRemark = 7,   // 备注
};

// The item list's texts in item order, with the empty ninth entry.
QStringList itemTexts();

// The ranges of a search.
enum Range : int { kCurrentPage = 0, kWholeTable = 1, kPageRange = 2 };

// The result list's entry n for `line` at (page, row): "n、第page页，第row行——"
// followed by what the item shows of the row (the table's foundRowText).
QString entryText(CVes_TableBase& table, int n, int page, int row, CVes_TableBaseLine* line,
                  int item);

// Replaces `find` by `replace` in one row, by the item's rule. Nothing
// happens for an empty find text, a locked row, or a row the table does not
// find for the text and item. A replacement is held to what typing the
// value into its cell takes: a text the file cannot hold, a size that names
// none ("abc"), a spacing part that is not a whole number 0 to 99999, a
// count that is not a whole number 0 to 99999, a variable value the
// dimension cannot hold, a formula the bar cannot evaluate or a shape key
// the shape library lacks is refused, the row stays as it was and
// `refusal` (when given) takes the words the user is told. A shape key with
// a negative number leaves the shape as it was. True when the row changed.
bool replaceInLine(CVes_TableBase& table, CVes_TableBaseLine* line, const QString& find,
                   const QString& replace, int item, QString* refusal = nullptr);

// What a sheet's foundRowText and replaceInFoundRow do with the bar of a
// found row: the item's texts of the bar ("钢筋编号：A1。  规格：…"), and the
// replacement in the bar by the item's rule (true when it changed).
QString describeBar(CVes_Steel& bar, int item);
bool replaceInBar(CVes_Steel& bar, const QString& find, const QString& replace, int item,
                  QString* refusal = nullptr);
// Whether a replacement may go ahead: true when `words` is empty, else the
// words go to `refusal` (when given) and false.
bool allowed(const QString& words, QString* refusal);

// A row whose replacement was refused: its page and row and why.
struct RefusedRow {
    int page = 0;
    int row = 0;
    QString words;
};
// The one message that tells the user which rows were not replaced and
// why: each reason once, followed by its rows ("第2页第5行"), the first
// kMaxNamedRows of them named and the others counted.
inline constexpr int kMaxNamedRows = 10;
QString refusedRowsText(const QList<RefusedRow>& rows);

// Replaces `find` by `replace` in a text field; true when it changed.
bool replaceText(QString& field, const QString& find, const QString& replace);
// A text as printf's "%s" writes it from its UTF-8: up to its first NUL, a
// lone surrogate replaced.
QString printed(const QString& text);

// Whether `line` is still one of the table's rows.
bool holdsLine(const CVes_TableBase& table, const CVes_TableBaseLine* line);
// Whether `variable` is a shape variable of one of the table's bars.
bool holdsVariable(const CVes_TableBase& table, const CVes_Variable* variable);

// Typed texts in the order they were first typed; none is there twice and
// none is removed.
class TextHistory {
public:
    // Appends `text` unless it is there already; answers whether it did.
    bool add(const QString& text);
    const QStringList& texts() const { return m_texts; }
    void clear() { m_texts.clear(); }

private:
    QStringList m_texts;
};

// The histories of search texts and of replacement texts.
TextHistory& searchHistory();
TextHistory& replaceHistory();
// What a typed search text adds to its history: the text without leading
// blanks (an empty text adds nothing).
QString searchHistoryText(const QString& typed);

} // namespace findreplace
