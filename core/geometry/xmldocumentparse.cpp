// Parsing: the tags of the text are matched first, then the element table is
// built in one pass. Both passes use explicit stacks, so nesting depth costs
// memory in proportion to the text and never recursion.

#include "core/geometry/xmldocument.h"

#include "core/geometry/xmldocumenttokens.h"

#include <QHash>

namespace {

// How a start tag was closed.
constexpr int kClosedByOuterEndTag = -1; // unended; what followed it belongs to its parent
constexpr int kOpenAtEnd = -2;           // unended; it keeps its content up to the end
constexpr int kNoMatch = -3;

struct Tag {
    int start = 0;
    int length = 0;
    bool isEnd = false;
    bool empty = false;
    int match = kNoMatch; // start tags: their end tag, or how they were closed
};

} // namespace

void CXmlDocument::parse()
{
    const QStringView text(m_strDoc);
    const int n = int(text.size());
    const bool ignoreCase = m_nDocFlags & kFlagIgnoreCase;
    const auto key = [&](const xml::Token& t) {
        const QString name = text.mid(t.nameStart, t.nameLength).toString();
        return ignoreCase ? name.toLower() : name;
    };
    const auto tagName = [&](const Tag& tag) {
        const int from = tag.start + (tag.isEnd ? 2 : 1);
        int to = from;
        while (to < tag.start + tag.length && !xml::isBlank(text[to]) && text[to] != u'/'
               && text[to] != u'>')
            ++to;
        return text.mid(from, to - from).toString();
    };

    // Pass 1: match every end tag with the innermost open start tag of the
    // same name. Open tags above the match are closed as unended there.
    std::vector<Tag> tags;
    std::vector<int> open;           // indices into tags
    std::vector<QString> openKeys;   // their names
    QHash<QString, std::vector<int>> openByName; // name → depths in `open`
    const auto closeTop = [&](int how) {
        tags[open.back()].match = how;
        openByName[openKeys.back()].pop_back();
        open.pop_back();
        openKeys.pop_back();
    };
    for (int offset = 0; offset < n;) {
        const xml::Token t = xml::scanToken(text, offset);
        offset += t.length;
        if (t.type == kNodeError) {
            m_bIllFormed = true;
            logEvent(t.error, {{"offset", QString::number(t.start)}});
            continue;
        }
        if (t.type != kNodeElement && t.type != kNodeEndTag)
            continue;
        const int index = int(tags.size());
        tags.push_back(Tag{t.start, t.length, t.type == kNodeEndTag, t.emptyElement, kNoMatch});
        if (t.type == kNodeElement) {
            if (!t.emptyElement) {
                open.push_back(index);
                openKeys.push_back(key(t));
                openByName[openKeys.back()].push_back(int(open.size()) - 1);
            }
            continue;
        }
        const auto found = openByName.constFind(key(t));
        if (found == openByName.cend() || found->empty()) {
            m_bIllFormed = true;
            logEvent("lone_end_tag", {{"tagname", tagName(tags.back())},
                                      {"offset", QString::number(t.start)}});
            continue;
        }
        const int depth = found->back();
        while (int(open.size()) - 1 > depth) {
            m_bIllFormed = true;
            logEvent("unended_start_tag", {{"tagname", tagName(tags[open.back()])},
                                           {"offset", QString::number(tags[open.back()].start)}});
            closeTop(kClosedByOuterEndTag);
        }
        tags[index].match = open.back();
        closeTop(index);
    }
    while (!open.empty()) {
        m_bIllFormed = true;
        logEvent("unended_start_tag", {{"tagname", tagName(tags[open.back()])},
                                       {"offset", QString::number(tags[open.back()].start)}});
        closeTop(kOpenAtEnd);
    }

    // Pass 2: the element table, in document order.
    m_aPos.assign(1, ElementPosition{});
    m_aPos.reserve(std::size_t(n) / 64 + 8);
    m_aPos[0].length = n;
    std::vector<int> stack; // positions of elements whose end is still ahead
    for (const Tag& tag : tags) {
        if (tag.isEnd) {
            if (tag.match >= 0 && !stack.empty()) {
                ElementPosition& e = m_aPos[stack.back()];
                e.endTagLength = tag.length;
                e.length = tag.start + tag.length - e.start;
                stack.pop_back();
            }
            continue;
        }
        const int parent = stack.empty() ? 0 : stack.back();
        ElementPosition e;
        e.start = tag.start;
        e.length = tag.length;
        e.startTagLength = tag.length;
        e.level = m_aPos[parent].level + 1;
        if (!tag.empty && tag.match < 0)
            e.flags |= kElementUnended;
        m_aPos.push_back(e);
        const int position = int(m_aPos.size()) - 1;
        const int first = m_aPos[parent].firstChild;
        linkElement(position, parent, first ? m_aPos[first].previousSibling : 0);
        if (!tag.empty && (tag.match >= 0 || tag.match == kOpenAtEnd))
            stack.push_back(position);
    }
    for (const int position : stack)
        m_aPos[position].length = n - m_aPos[position].start;

    const int root = m_aPos[0].firstChild;
    if (!root)
        logEvent("no_root_element", {});
    else if (const int sibling = m_aPos[root].nextSibling)
        logEvent("root_has_sibling", {{"tagname", getTagName(sibling)},
                                      {"offset", QString::number(m_aPos[sibling].start)}});
    m_iPosParent = m_iPos = m_iPosChild = 0;
    m_nNodeType = 0;
}

void CXmlDocument::linkElement(int position, int parent, int after)
{
    ElementPosition& e = m_aPos[position];
    e.parent = parent;
    const int first = m_aPos[parent].firstChild;
    if (!first) {
        m_aPos[parent].firstChild = position;
        e.previousSibling = position;
        e.nextSibling = 0;
    } else if (!after) {
        e.nextSibling = first;
        e.previousSibling = m_aPos[first].previousSibling;
        m_aPos[first].previousSibling = position;
        m_aPos[parent].firstChild = position;
    } else {
        const int next = m_aPos[after].nextSibling;
        e.previousSibling = after;
        e.nextSibling = next;
        m_aPos[after].nextSibling = position;
        if (next)
            m_aPos[next].previousSibling = position;
        else
            m_aPos[first].previousSibling = position;
    }
}
