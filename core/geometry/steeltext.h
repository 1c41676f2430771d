#pragma once
// Steel grades, diameters and typed bar sizes as text. A grade is a small
// code; lists show it as letters, table texts hold it as the escape "%%" and
// one character, and spreadsheets show it as its letters.

#include <QPoint>
#include <QString>

// Letters of a grade for lists and dialogs ("A", "BF"); empty for codes
// without letters.
QString Steel_GradeToString(int grade);
// The escape character of a grade in table texts: "%%" followed by it.
char Steel_GradeToTableCHAR(int grade);
// The grade as a workbook shows it: its letters ("C"), which every
// spreadsheet program shows in any font; empty when unknown.
QString Steel_GradeToExcelString(int grade);
// 1 for a grade the program offers, else 0.
int Steel_isValidGrade(int grade);
// Replaces every grade escape of a table text by its spreadsheet letters.
void Steel_ReplaceTableStringToExcelString(QString& text);

// A diameter as text: "12", "12.5".
QString DNtoString(float diameter);

// Reads a typed bar size ("C25", "-25", "HM12", "320") into a grade and a
// diameter; 1 when the text is a bar size, 0 when not. The grade is set in
// both cases; the diameter only when a valid one was typed.
int transStringToGuige(const QString& text, int& grade, float& diameter);
// The same for a size the user gives a bar: 0 also for a text that names
// no grade and no diameter ("X", "0") or whose part after the grade letters
// is no plain number ("ABC", "C25mm"), and then nothing is set.
int transTypedGuige(const QString& text, int& grade, float& diameter);

namespace platform { class Dc; }

// The smallest text a reader reads on a screen, 8 pixels of a 96-dpi
// screen, in logical units of `dc`; 0 on paper (or without a mapping).
int screenLegibleHeight(const platform::Dc& dc);

// Draws a text whose grade escapes ("%%C" …) become drawn grade symbols, in
// the context's text colour. `point`, `height` are logical units of `dc`,
// `angle` degrees counter-clockwise, `align` a text alignment (TA_…);
// `fontName` of fewer than three bytes means Times New Roman.
// `widthFactor` is the drawing's scale: it scales the pen of the symbols
// and the smallest height of their letters. A height beyond a million units
// either way is drawn at a million.
void writeText(platform::Dc* dc, const QString& text, QPoint point, int height, int angle,
               unsigned align, const QString& fontName, int weight, double widthFactor);

// The width, in logical units of `dc`, of the line writeText draws for
// `text` at `height` (a text without line breaks; grade escapes take the
// room their symbols are drawn in, at the scale `widthFactor` as writeText
// draws them).
int writeTextWidth(platform::Dc* dc, const QString& text, int height, const QString& fontName,
                   int weight, double widthFactor = 1.0);
