#include "tables/processing/processtablelistline.h"

namespace {

const CVes_ProcessTableListLine* processLine(const CVes_TableBaseLine* line)
{
    return dynamic_cast<const CVes_ProcessTableListLine*>(line);
}

} // namespace

// Sameness may bring a bar's stored length up to date, hence the copies.
bool CVes_ProcessTableListLine::sameBars(const CVes_ProcessSteel& a, const CVes_ProcessSteel& b)
{
    CVes_BarCore mine(a);
    CVes_BarCore theirs(b);
    return mine.isSame(theirs) != 0;
}

CVes_ProcessTableListLine::CVes_ProcessTableListLine()
{
    setType(kSteelRow);
}

CVes_ProcessTableListLine::CVes_ProcessTableListLine(int)
{
    setType(kTextRow);
}

CVes_ProcessTableListLine::CVes_ProcessTableListLine(const CVes_ProcessTableListLine& other)
    : CVes_TableBaseLine(), m_steel(other.m_steel)
{
    setType(kSteelRow);
}

CVes_ProcessTableListLine::~CVes_ProcessTableListLine() = default;

bool CVes_ProcessTableListLine::isGreat(const CVes_TableBaseLine& other)
{
    const CVes_ProcessTableListLine* line = processLine(&other);
    return line && sameBars(m_steel, line->m_steel);
}

bool CVes_ProcessTableListLine::operator==(const CVes_TableBaseLine& other)
{
    return isGreat(other);
}

bool CVes_ProcessTableListLine::lessthan(CVes_TableBaseLine* const& other) const
{
    const CVes_ProcessTableListLine* line = processLine(other);
    return line && line->m_steel < m_steel;
}

bool CVes_ProcessTableListLine::operator<(const CVes_ProcessTableListLine& other) const
{
    return m_steel < other.m_steel;
}

void CVes_ProcessTableListLine::getSteel(CVes_ProcessSteel& out) const
{
    out = m_steel;
}

void CVes_ProcessTableListLine::SetText(const QStringList& texts)
{
    if (getType() != kTextRow)
        return;
    if (m_arrText.size() < texts.size())
        m_arrText.resize(texts.size());
    for (qsizetype i = 0; i < m_arrText.size(); ++i)
        m_arrText[i] = i < texts.size() ? texts.at(i) : QString();
    setNull(0);
}

void CVes_ProcessTableListLine::getTextArray(QStringList& out) const
{
    if (getType() == kTextRow)
        out += m_arrText;
}

QStringList* CVes_ProcessTableListLine::getTextArray()
{
    return getType() == kTextRow ? &m_arrText : nullptr;
}

void CVes_ProcessTableListLine::setSteel(const CVes_ProcessSteel* bar)
{
    if (!bar)
        return;
    m_steel.set(bar);
    m_steel.setNull(0);
    if (m_steel.getLPNum() == 0)
        addDefaultLp(m_steel.getPID());
    setRows(m_steel.resetRows());
}

void CVes_ProcessTableListLine::setSteel(const CVes_ProcessSteel& bar)
{
    setSteel(&bar);
}

void CVes_ProcessTableListLine::changeLp()
{
    if (m_steel.getLPNum() == 0)
        addDefaultLp(m_steel.getPID());
    else
        refreshLpPieces();
}

void CVes_ProcessTableListLine::setID(int number, int apply)
{
    if (!apply)
        return;
    if (m_steel.getLPNum() == 0) {
        addDefaultLp(number);
        return;
    }
    for (CVes_LiaoPai& tag : *m_steel.getLpArrayPtr())
        tag.mark = number;
    refreshLpPieces();
}

// A graded bar's tag counts the bars a group and, second, the bar's count
// of groups; any other bar's tag counts its bars. The tag is never a split tag.
void CVes_ProcessTableListLine::addDefaultLp(int number)
{
    CVes_LiaoPai tag;
    tag.mark = number;
    m_steel.setTagCount(tag, m_steel.count);
    m_steel.AddLp(tag);
}

void CVes_ProcessTableListLine::refreshLpPieces()
{
    for (CVes_LiaoPai& tag : *m_steel.getLpArrayPtr()) {
        // A bar no longer graded counts no groups.
        tag.auxB = 0;
        m_steel.setTagCount(tag, m_steel.count);
    }
}

void CVes_ProcessTableListLine::restorePerGroupPieces()
{
    const int groups = m_steel.isMultiVal() ? m_steel.count : 0;
    for (CVes_LiaoPai& tag : *m_steel.getLpArrayPtr())
        tag.auxB = groups;
}
