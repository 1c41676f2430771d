#pragma once
// The page and column layout that every sheet carries: paper, orientation,
// margins and gutter, row measure, the columns with their captions, widths
// and units, the eight title-block texts, the page-summary options, text
// heights and the cover page. Every table is its own template; the template
// also owns the first part of every sheet file and the template files in
// which a user keeps a layout for reuse.

#include "core/geometry/text.h"
#include "tables/framework/tablecover.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <array>

namespace platform { class Archive; }

// The stored layout of a template, apart from the cover. Kept as one value so
// that a load can read into a copy and take it over only when all was read.
struct TemplateLayout {
    static constexpr int kTitleTextCount = 8;

    int m_showTitle = 1;                                  // "显示标题"
    // Title-block texts: 0 to 2 above the table (0 is the title), 3 to 7 below.
    std::array<CVes_Variable, kTitleTextCount> m_texts;
    std::array<int, kTitleTextCount> m_textHeights{};     // 0.1 mm, per text
    int m_topMargin = 0;                                  // mm
    int m_bottomMargin = 0;
    int m_leftMargin = 0;
    int m_rightMargin = 0;
    int m_gutter = 0;                                     // mm, "装订线"
    int m_gutterPos = 0;                                  // 0 widens the left margin, 1 the top
    int m_pageNumberStyle = 0;                            // not stored; 1: "- %d -"
    int m_paper = 9;                                      // paper code
    int m_customWidth = 0;                                // mm, for paper code 5
    int m_customHeight = 0;
    int m_orientation = 1;                                // 1 portrait, 2 landscape
    unsigned int m_language = 0;                          // 0 Chinese, 1 English
    int m_reservedHeight = 0;                             // mm, the caption row
    int m_titleColorBk = 1;                               // caption row drawn on a background
    int m_rowHeight = 0;                                  // mm, in row mode 0
    int m_rowNum = 0;                                     // table rows per page
    int m_rowMode = 0;                                    // 0 fixed row height, 1 fixed row count
    int m_pageSummary = 0;                                // summary row at the foot of every page
    int m_sumWeight = 1;
    int m_sumLength = 1;
    int m_sumJoint = 1;
    int m_summaryRowHeight = 2;                           // table rows the summary row takes
    int m_columnNum = 0;
    int m_stretchColumn = 0;                              // the column adjustColWidth stretches
    QStringList m_captions;
    QList<int> m_widths;                                  // percent of the table width
    QList<int> m_units;                                   // -1 none, 0 mm … 5 t
    int m_tableTextHeight = 0;                            // mm
    double m_spareFactor = 1.0;                           // stored, used by nothing
    double m_formFactor = 4.0;                            // border width of the page form per scale
    int m_shapeTextHeight = -1;                           // "大样字高"; -1 the drawing's default
    int m_coverFlag = 0;                                  // the cover page is printed
};

class CVes_Template : public TemplateLayout {
public:
    static constexpr int kSchema = 9;

    // What a stored layout may hold; a file beyond it is damaged. Paper
    // sizes, margins and heights in mm.
    static constexpr int kMaxPaperSize = 10000;
    // Also the most rows one line may take.
    static constexpr int kMaxRowsPerPage = 500;
    static constexpr int kMaxColumns = 100;
    static constexpr int kMaxWidthPercent = 1000;

    // Paper codes.
    static constexpr int kCustomPaper = 5;
    static constexpr int kA3 = 8;
    static constexpr int kA4 = 9;
    static constexpr int kA5 = 11;
    static constexpr int kB4 = 12;
    static constexpr int kB5 = 13;
    // Orientations.
    static constexpr int kPortrait = 1;
    static constexpr int kLandscape = 2;
    // Column units.
    static constexpr int kNoUnit = -1;
    static constexpr int kMillimetre = 0;
    static constexpr int kCentimetre = 1;
    static constexpr int kMetre = 2;
    static constexpr int kGram = 3;
    static constexpr int kKilogram = 4;
    static constexpr int kTonne = 5;

    CVes_Template();
    CVes_Template(const CVes_Template&) = delete;
    CVes_Template& operator=(const CVes_Template&) = delete;
    virtual ~CVes_Template();

    // Paper width and height in mm after orientation; 0 for an unknown paper.
    int getRealW() const;
    int getRealH() const;
    // Sets the stretch column's width to what the other columns leave of 100.
    void adjustColWidth();
    // The factor that turns a value in unit `from` into unit `to`.
    static double transUnit(int from, int to);
    // Takes the page layout of another sheet (a summary of its source sheet).
    void CopyPageSetting(const CVes_Template* other);
    // Applies a template; keeps this sheet's language and texts 1 to 7.
    void loadTemplate(const CVes_Template* other);
    void setTitle(const QString& title);

    int isTitleColorBk() const { return m_titleColorBk; }
    void setTitleColorBk(int background) { m_titleColorBk = background; }
    int getDayangVarHigh() const { return m_shapeTextHeight; }
    int getColumnNum() const { return m_columnNum; }
    int getRowNum() const { return m_rowNum; }
    // Rows per page as paging and drawing take them: the count held to
    // 0 … kMaxRowsPerPage, whatever a dialog or a view left in it.
    int rowsPerPage() const { return std::clamp(m_rowNum, 0, kMaxRowsPerPage); }

    // Grows the caption, width and unit lists to the column count with " ",
    // 0 and -1.
    void growColumnLists();

    // The template part of every sheet file. Storing changes nothing but
    // the column lists, which grow to the column count. Loading is all or
    // nothing: a damaged stream throws platform::ArchiveError, an unknown
    // schema platform::SchemaError, and the template stays as it was.
    virtual void Serialize(platform::Archive& ar);

    // Writes the whole sheet (this object's own Serialize) into a template
    // file. Nothing for an empty path; answers whether the file was written.
    // File errors are not reported to the user; a previous file stays whole.
    // Writing a template is not saving the document: a sheet's storing
    // Serialize must leave its changed flag and undo steps alone (a document
    // save marks the sheet as saved in SaveFile instead).
    bool saveTemplateFile(const QString& path);
    // Reads the template part of a template (or sheet) file and applies it.
    // Nothing for an empty path or a missing file; a damaged file changes
    // nothing; an unknown schema passes to the caller as platform::SchemaError.
    bool loadTemplateFromFile(const QString& path);

    CVes_TableCover m_cover;

private:
    void storeLayout(platform::Archive& ar);
    static void loadLayout(platform::Archive& ar, int schema, TemplateLayout& layout);
};
