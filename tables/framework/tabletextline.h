#pragma once
// A row of a text-only sheet (the summaries, the table of contents): one text
// per column, from the left. A row with fewer texts than columns leaves the
// remaining cells empty.

#include "tables/framework/tablebaseline.h"

#include <QString>
#include <QStringList>

class CVes_TableTextLine : public CVes_TableBaseLine {
public:
    CVes_TableTextLine() = default;
    explicit CVes_TableTextLine(const QStringList& texts) : m_texts(texts) {}

    void setTexts(const QStringList& texts) { m_texts = texts; }
    const QStringList& getTexts() const { return m_texts; }
    // The text of a column; empty beyond the row's texts.
    QString getText(int column) const { return m_texts.value(column); }

    QStringList m_texts;
};
