// Editing: attributes and elements are written into the text in place, and
// the offsets and lengths of the element table follow the change.

#include "core/geometry/xmldocument.h"

#include "core/geometry/xmldocumenttokens.h"

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

// A name that can be written into a tag as it is.
bool isWritableName(const QString& name)
{
    if (name.isEmpty() || !xml::isNameStart(name.front()))
        return false;
    for (const QChar c : name) {
        switch (c.unicode()) {
        case u'<': case u'>': case u'=': case u'/': case u'\\': case u'"': case u'\'':
        case u'&': case u'?': case u'!': case u';':
            return false;
        default:
            if (xml::isBlank(c) || c.unicode() < 32)
                return false;
        }
    }
    return true;
}

} // namespace

bool CXmlDocument::fits(qsizetype extra) const
{
    return m_strDoc.size() + extra <= kMaxTextLength;
}

void CXmlDocument::replaceText(int offset, int removed, const QString& inserted)
{
    const int delta = int(inserted.size()) - removed;
    const int editEnd = offset + removed;
    m_strDoc.replace(offset, removed, inserted);
    for (std::size_t i = 1; i < m_aPos.size(); ++i) {
        ElementPosition& e = m_aPos[i];
        if (e.start >= editEnd)
            e.start += delta;
        else if (e.start < offset && e.end() > editEnd)
            e.length += delta;
    }
    m_aPos[0].length = int(m_strDoc.size());
}

// An element without an end tag gets one, so that it can take children: an
// empty-element tag loses its "/", and the end tag follows on its own line.
void CXmlDocument::makeStartAndEndTags(int position)
{
    // The name as the parser matches end tags with it.
    const int nameStart = m_aPos[position].start + 1;
    const QString name = m_strDoc.mid(nameStart, nameEnd(position) - nameStart);
    {
        const ElementPosition& e = m_aPos[position];
        const int close = e.start + e.startTagLength - 1; // the ">"
        if (e.startTagLength >= 3 && m_strDoc[close - 1] == u'/') {
            int from = close - 1;
            while (from - 1 > e.start && xml::isBlank(m_strDoc[from - 1]))
                --from;
            // Any "/" right before the ">" makes an empty element, so one that
            // belongs to a value ("<a x=y//>") is kept apart by a blank.
            const QString rest = m_strDoc[from - 1] == u'/' ? QStringLiteral(" ") : QString();
            replaceText(from, close - from, rest);
            m_aPos[position].startTagLength -= close - from - int(rest.size());
        }
    }
    const int end = m_aPos[position].end();
    const bool onNewLine = end > 0 && m_strDoc[end - 1] == u'\n';
    const QString endTag = (onNewLine ? QString() : kLineBreak) + QLatin1String("</") + name
        + u'>';
    replaceText(end, 0, endTag);
    // The edit lies right at this element's end, so neither it nor the
    // ancestors that end at the same place were grown.
    for (int p = position; p; p = m_aPos[p].parent) {
        if (m_aPos[p].end() == end)
            m_aPos[p].length += int(endTag.size());
    }
    ElementPosition& e = m_aPos[position];
    e.endTagLength = int(name.size()) + 3;
    e.flags &= ~kElementUnended;
}

bool CXmlDocument::setAttributeAt(int position, const QString& name, const QString& value)
{
    if ((m_nDocFlags & kFlagReadFile) || !isElement(position) || !isWritableName(name))
        return false;
    const QString quoted = u'"' + xml::escapeText(value, true) + u'"';
    if (!fits(name.size() + quoted.size() + 2))
        return false;
    const qsizetype before = m_strDoc.size();
    const std::vector<Attribute> attributes = attributesOf(position);
    const Attribute* existing = nullptr;
    for (const Attribute& a : attributes) {
        if (namesEqual(QStringView(m_strDoc).mid(a.nameStart, a.nameLength), name)) {
            existing = &a;
            break;
        }
    }
    if (existing && existing->valueStart >= 0) {
        replaceText(existing->valueStart, existing->valueEnd - existing->valueStart, quoted);
    } else if (existing) {
        replaceText(existing->nameStart + existing->nameLength, 0, u'=' + quoted);
    } else {
        int at = nameEnd(position);
        QString text = u' ' + name + u'=' + quoted;
        if (!attributes.empty()) {
            const Attribute& last = attributes.back();
            at = last.valueStart >= 0 ? last.valueEnd : last.nameStart + last.nameLength;
            // A last attribute with "=" and no value would take the new one
            // as its value; it gets an empty value first.
            if (last.valueStart >= 0 && !last.quoted && last.valueStart == last.valueEnd)
                text = QLatin1String("\"\"") + text;
        }
        replaceText(at, 0, text);
    }
    m_aPos[position].startTagLength += int(m_strDoc.size() - before);
    return true;
}

bool CXmlDocument::setAttributeAt(int position, const QString& name, int value)
{
    return setAttributeAt(position, name, QString::asprintf("%d", value));
}

bool CXmlDocument::addElement(const QString& name, const QString& data, int flags)
{
    if ((m_nDocFlags & kFlagReadFile) || !isWritableName(name))
        return false;
    const bool asChild = flags & kAddChild;
    if (asChild && (!isElement(m_iPos) || m_nNodeType != kNodeElement
                    || (m_nDocFlags & kFlagWriteFile)))
        return false;
    if ((flags & kAddLeaveOpen) && !data.isEmpty())
        return false;
    const int parent = asChild ? m_iPos : m_iPosParent;
    const int after = asChild ? m_iPosChild : m_iPos;
    if (after && m_aPos[after].parent != parent)
        return false; // a cursor set by hand to positions that do not belong together

    ElementPosition e;
    QString node;
    if (!data.isEmpty()) {
        const QString startTag = u'<' + name + u'>';
        node = startTag
            + ((flags & kAddCData) ? xml::cdataSection(data) : xml::escapeText(data, false))
            + QLatin1String("</") + name + u'>';
        e.startTagLength = int(startTag.size());
        e.endTagLength = int(name.size()) + 3;
    } else if (flags & kAddLeaveOpen) {
        node = u'<' + name + u'>';
        e.startTagLength = int(node.size());
        e.flags = kElementUnended;
    } else {
        node = u'<' + name + ((flags & kAddSpacedEmpty) ? QLatin1String(" />") : QLatin1String("/>"));
        e.startTagLength = int(node.size());
    }
    if (!fits(node.size() + name.size() + 8))
        return false;

    if (parent && m_aPos[parent].endTagLength == 0)
        makeStartAndEndTags(parent);

    // Where the element goes: after a sibling, first under the parent, last
    // in the parent, or at the end of the text; always on a line of its own.
    int offset = 0;
    QString prefix;
    if (after || asChild) {
        offset = after ? m_aPos[after].end() : m_aPos[parent].start + m_aPos[parent].startTagLength;
        if (QStringView(m_strDoc).sliced(offset).startsWith(kLineBreak))
            offset += 2;
        else if (offset < m_strDoc.size() && m_strDoc[offset] == u'\n')
            offset += 1;
        else
            prefix = kLineBreak;
    } else {
        offset = parent ? m_aPos[parent].end() - m_aPos[parent].endTagLength : int(m_strDoc.size());
        if (offset > 0 && m_strDoc[offset - 1] != u'\n')
            prefix = kLineBreak;
    }
    replaceText(offset, 0, prefix + node + kLineBreak);

    e.start = offset + int(prefix.size());
    e.length = int(node.size());
    e.level = m_aPos[parent].level + 1;
    m_aPos.push_back(e);
    const int position = int(m_aPos.size()) - 1;
    int linkAfter = after;
    if (!after && !asChild) {
        const int first = m_aPos[parent].firstChild;
        linkAfter = first ? m_aPos[first].previousSibling : 0;
    }
    linkElement(position, parent, linkAfter);

    if (asChild) {
        m_iPosChild = position;
    } else {
        m_iPos = position;
        m_iPosChild = 0;
    }
    m_nNodeType = kNodeElement;
    return true;
}
