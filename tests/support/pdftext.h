#pragma once
// The text of a printed PDF as the desktop's text extractor (pdftotext) reads
// it back, for tests of what a printed page holds.

#include <QString>
#include <QStringList>

namespace test {

// Whether the extractor is installed; tests skip without it.
bool hasPdfText();
// The text of each page, in layout order. CJK characters that the extractor
// gives as radicals of the same shape (⻚ for 页) are read as the characters
// they show.
QStringList pdfPages(const QString& path);
// All pages in one text.
QString pdfText(const QString& path);

} // namespace test
