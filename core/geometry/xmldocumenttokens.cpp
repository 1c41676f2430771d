#include "core/geometry/xmldocumenttokens.h"

#include "core/geometry/xmldocument.h"

namespace xml {

namespace {

bool endsTokenName(QChar c)
{
    return isBlank(c) || c == u'/' || c == u'>';
}

int size(QStringView text)
{
    return int(text.size());
}

int indexOf(QStringView text, QStringView what, int from)
{
    return int(text.indexOf(what, from));
}

// A syntax error: the "<" and whatever follows up to the next "<".
Token errorToken(QStringView text, int offset, const char* error)
{
    Token t;
    t.type = CXmlDocument::kNodeError;
    t.start = offset;
    int next = int(text.indexOf(u'<', offset + 1));
    if (next < 0)
        next = size(text);
    t.length = next - offset;
    t.error = error;
    return t;
}

// A tag or section that the text ends inside.
Token unterminated(QStringView text, int offset)
{
    Token t;
    t.type = CXmlDocument::kNodeError;
    t.start = offset;
    t.length = size(text) - offset;
    t.error = "unterminated_tag_syntax";
    return t;
}

// A token ended by `terminator`, searched from `from`.
Token delimited(QStringView text, int offset, int from, QStringView terminator, int type)
{
    const int end = indexOf(text, terminator, from);
    if (end < 0)
        return unterminated(text, offset);
    Token t;
    t.type = type;
    t.start = offset;
    t.length = end + int(terminator.size()) - offset;
    return t;
}

Token textToken(QStringView text, int offset)
{
    int next = int(text.indexOf(u'<', offset));
    if (next < 0)
        next = size(text);
    Token t;
    t.start = offset;
    t.length = next - offset;
    t.type = CXmlDocument::kNodeWhitespace;
    for (int i = offset; i < next; ++i) {
        if (!isBlank(text[i])) {
            t.type = CXmlDocument::kNodeText;
            break;
        }
    }
    return t;
}

// A start tag: its name, then attributes up to a ">" outside quotes.
Token startTag(QStringView text, int offset)
{
    const int n = size(text);
    int i = offset + 1;
    while (i < n && !endsTokenName(text[i]))
        ++i;
    Token t;
    t.type = CXmlDocument::kNodeElement;
    t.start = offset;
    t.nameStart = offset + 1;
    t.nameLength = i - t.nameStart;
    QChar quote;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == u'"' || c == u'\'') {
            quote = c;
        } else if (c == u'>') {
            t.length = i + 1 - offset;
            t.emptyElement = text[i - 1] == u'/' && i - 1 >= t.nameStart + t.nameLength;
            return t;
        }
    }
    return unterminated(text, offset);
}

Token endTag(QStringView text, int offset)
{
    const int n = size(text);
    if (offset + 2 >= n)
        return unterminated(text, offset);
    if (!isNameStart(text[offset + 2]))
        return errorToken(text, offset, "first_tag_syntax");
    int i = offset + 2;
    while (i < n && !endsTokenName(text[i]))
        ++i;
    const int close = int(text.indexOf(u'>', i));
    if (close < 0)
        return unterminated(text, offset);
    Token t;
    t.type = CXmlDocument::kNodeEndTag;
    t.start = offset;
    t.length = close + 1 - offset;
    t.nameStart = offset + 2;
    t.nameLength = i - t.nameStart;
    return t;
}

// A document type declaration: nested declarations in angle brackets, ended
// by the first ">" outside them.
Token documentType(QStringView text, int offset)
{
    int depth = 0;
    for (int i = offset + 2; i < size(text); ++i) {
        if (text[i] == u'<') {
            ++depth;
        } else if (text[i] == u'>') {
            if (depth == 0) {
                Token t;
                t.type = CXmlDocument::kNodeDocumentType;
                t.start = offset;
                t.length = i + 1 - offset;
                return t;
            }
            --depth;
        }
    }
    return unterminated(text, offset);
}

Token exclamationTag(QStringView text, int offset)
{
    const QStringView rest = text.sliced(offset);
    if (rest.size() < 3)
        return unterminated(text, offset);
    if (rest.startsWith(u"<!--"))
        return delimited(text, offset, offset + 4, u"-->", CXmlDocument::kNodeComment);
    if (rest[2] == u'-')
        return errorToken(text, offset, "comment_tag_syntax");
    if (rest[2] == u'[') {
        if (rest.startsWith(u"<![CDATA["))
            return delimited(text, offset, offset + 9, u"]]>", CXmlDocument::kNodeCData);
        if (QStringView(u"<![CDATA[").startsWith(rest))
            return unterminated(text, offset);
        return errorToken(text, offset, "cdata_section_syntax");
    }
    if (rest[2] == u'D' || rest[2] == u'd') {
        if (rest.startsWith(u"<!DOCTYPE", Qt::CaseInsensitive))
            return documentType(text, offset);
        if (QStringView(u"<!DOCTYPE").startsWith(rest, Qt::CaseInsensitive))
            return unterminated(text, offset);
        return errorToken(text, offset, "doctype_tag_syntax");
    }
    return errorToken(text, offset, "exclamation_tag_syntax");
}

} // namespace

bool isNameStart(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'a' && u <= u'z') || (u >= u'A' && u <= u'Z') || u == u'_' || u == u':'
        || u >= 128;
}

Token scanToken(QStringView text, int offset)
{
    if (text[offset] != u'<')
        return textToken(text, offset);
    if (offset + 1 >= size(text))
        return unterminated(text, offset);
    const QChar next = text[offset + 1];
    if (isNameStart(next))
        return startTag(text, offset);
    if (next == u'/')
        return endTag(text, offset);
    if (next == u'?')
        return delimited(text, offset, offset + 2, u"?>", CXmlDocument::kNodeProcessingInstruction);
    if (next == u'!')
        return exclamationTag(text, offset);
    return errorToken(text, offset, "first_tag_syntax");
}

} // namespace xml
