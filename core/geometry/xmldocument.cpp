#include "core/geometry/xmldocument.h"

#include "core/geometry/xmldocumenttokens.h"
#include "platform/savefile.h"

#include <QFileInfo>

namespace {

// The result log keeps the events that fit in this many characters.
constexpr int kMaxResultLength = 999;

QString firstLine(const QString& message)
{
    for (qsizetype i = 0; i < message.size(); ++i) {
        if (message[i] == u'\r' || message[i] == u'\n')
            return message.left(i);
    }
    return message;
}

// An attribute value of a log event, escaped and cut short enough that any
// single event fits in the log.
QString logValue(const QString& value)
{
    constexpr qsizetype kMaxValueLength = 200;
    QString out;
    for (const QChar c : value) {
        const QString escaped = xml::escapeText(QStringView(&c, 1), true);
        if (out.size() + escaped.size() > kMaxValueLength)
            break;
        out += escaped;
    }
    return out;
}

// Where getTagName stops reading a name.
bool endsTagName(QChar c)
{
    switch (c.unicode()) {
    case u'<': case u'>': case u'=': case u'\\': case u'/': case u'?': case u'!':
    case u'"': case u'\'': case u';':
        return true;
    default:
        return xml::isBlank(c);
    }
}

} // namespace

CXmlDocument::CXmlDocument()
{
    clear();
}

CXmlDocument::~CXmlDocument() = default;

void CXmlDocument::clear()
{
    m_strDoc.clear();
    m_aPos.assign(1, ElementPosition{});
    m_iPosParent = m_iPos = m_iPosChild = 0;
    m_nNodeType = 0;
    m_bIllFormed = false;
}

void CXmlDocument::logEvent(const char* name,
                            std::initializer_list<std::pair<const char*, QString>> attributes)
{
    xml::LogEvent event{QString::fromLatin1(name), {}};
    for (const auto& [key, value] : attributes)
        event.attributes.append({QString::fromLatin1(key), value});
    appendEvents({event});
}

void CXmlDocument::appendEvents(const xml::LogEvents& events)
{
    for (const xml::LogEvent& event : events) {
        QString text = u'<' + event.name;
        for (const auto& [key, value] : event.attributes)
            text += u' ' + key + QLatin1String("=\"") + logValue(value) + u'"';
        text += QLatin1String("/>");
        if (m_strResult.size() + text.size() > kMaxResultLength)
            return;
        m_strResult += text;
    }
}

bool CXmlDocument::setDocument(const QString& text)
{
    if (m_nDocFlags & (kFlagReadFile | kFlagWriteFile))
        return false;
    m_strResult.clear();
    clear();
    if (text.size() > kMaxTextLength) {
        logEvent("truncation_error", {{"length", QString::number(text.size())}});
        return false;
    }
    if (text.isNull())
        return true;
    m_strDoc = text;
    parse();
    return true;
}

bool CXmlDocument::loadFile(const QString& path)
{
    if (m_nDocFlags & (kFlagReadFile | kFlagWriteFile))
        return false;
    m_strResult.clear();
    clear();
    const QFileInfo info(path);
    if (info.exists() && info.size() > kMaxTextLength) {
        logEvent("file_error", {{"msg", QStringLiteral("file too large")}});
        return false;
    }
    QByteArray bytes;
    QString error;
    if (!platform::readFile(path, &bytes, &error)) {
        logEvent("file_error", {{"msg", firstLine(error)}});
        return false;
    }
    xml::DecodedText decoded = xml::decodeDocument(bytes);
    appendEvents(decoded.events);
    m_nDocFlags = (m_nDocFlags & ~xml::kByteOrderFlags) | decoded.flags;
    m_strDoc = std::move(decoded.text);
    parse();
    return true;
}

bool CXmlDocument::saveFile(const QString& path)
{
    if (m_nDocFlags & (kFlagReadFile | kFlagWriteFile))
        return false;
    m_strResult.clear();
    const xml::EncodedText encoded = xml::encodeDocument(m_strDoc);
    QString error;
    if (!platform::saveFile(path, encoded.bytes, &error)) {
        logEvent("file_error", {{"msg", firstLine(error)}});
        return false;
    }
    appendEvents(encoded.events);
    logEvent("write", {{"encoding", encoded.encoding},
                       {"length", QString::number(encoded.bytes.size())}});
    m_nDocFlags = (m_nDocFlags & ~xml::kByteOrderFlags) | encoded.flags;
    return true;
}

bool CXmlDocument::isWellFormed() const
{
    if (m_nDocFlags & kFlagWriteFile)
        return true;
    const int root = m_aPos[0].firstChild;
    return !m_bIllFormed && root != 0 && m_aPos[root].nextSibling == 0;
}

int CXmlDocument::getEncodingCodePage(const QString& name)
{
    return xml::encodingCodePage(name);
}

int CXmlDocument::setPosition(int parent, int current, int child)
{
    const auto valid = [this](int position) { return isElement(position) ? position : 0; };
    m_iPosParent = valid(parent);
    m_iPos = valid(current);
    m_iPosChild = valid(child);
    m_nNodeType = m_iPos ? kNodeElement : 0;
    return m_iPos;
}

bool CXmlDocument::isElement(int position) const
{
    return position > 0 && position < int(m_aPos.size());
}

bool CXmlDocument::namesEqual(QStringView a, QStringView b) const
{
    return a.compare(b, (m_nDocFlags & kFlagIgnoreCase) ? Qt::CaseInsensitive : Qt::CaseSensitive)
        == 0;
}

bool CXmlDocument::findElement(const QString& name)
{
    if ((m_nDocFlags & kFlagWriteFile) || m_aPos.size() <= 1)
        return false;
    const int first = m_iPos ? m_aPos[m_iPos].nextSibling : m_aPos[m_iPosParent].firstChild;
    for (int p = first; p; p = m_aPos[p].nextSibling) {
        if (name.isEmpty() || namesEqual(getTagName(p), name)) {
            m_iPos = p;
            m_iPosChild = 0;
            m_nNodeType = kNodeElement;
            return true;
        }
    }
    return false;
}

bool CXmlDocument::findChildElement(const QString& name)
{
    if (m_nDocFlags & kFlagWriteFile)
        return false;
    if (!m_iPos && !findElement())
        return false;
    const int first = m_iPosChild ? m_aPos[m_iPosChild].nextSibling : m_aPos[m_iPos].firstChild;
    for (int p = first; p; p = m_aPos[p].nextSibling) {
        if (name.isEmpty() || namesEqual(getTagName(p), name)) {
            m_iPosChild = p;
            return true;
        }
    }
    return false;
}

bool CXmlDocument::intoElement()
{
    if (!m_iPos || m_nNodeType != kNodeElement)
        return false;
    m_iPosParent = m_iPos;
    m_iPos = m_iPosChild;
    m_iPosChild = 0;
    m_nNodeType = m_iPos ? kNodeElement : 0;
    return true;
}

bool CXmlDocument::outOfElement()
{
    if (!m_iPosParent)
        return false;
    m_iPosChild = m_iPos;
    m_iPos = m_iPosParent;
    m_iPosParent = m_aPos[m_iPos].parent;
    m_nNodeType = kNodeElement;
    return true;
}

QString CXmlDocument::getTagName(int position) const
{
    if (!isElement(position))
        return {};
    const ElementPosition& e = m_aPos[position];
    const int tagEnd = e.start + e.startTagLength;
    int i = e.start + 1;
    while (i < tagEnd && xml::isBlank(m_strDoc[i]))
        ++i;
    int j = i;
    while (j < tagEnd && !endsTagName(m_strDoc[j]))
        ++j;
    return m_strDoc.mid(i, j - i);
}

int CXmlDocument::nameEnd(int position) const
{
    const ElementPosition& e = m_aPos[position];
    const int tagEnd = e.start + e.startTagLength - 1;
    int i = e.start + 1;
    while (i < tagEnd && !xml::isBlank(m_strDoc[i]) && m_strDoc[i] != u'/' && m_strDoc[i] != u'>')
        ++i;
    return i;
}

std::vector<CXmlDocument::Attribute> CXmlDocument::attributesOf(int position) const
{
    std::vector<Attribute> attributes;
    const ElementPosition& e = m_aPos[position];
    const int tagEnd = e.start + e.startTagLength - 1; // the ">"
    const auto at = [this](int i) { return m_strDoc[i]; };
    const auto isQuote = [](QChar c) { return c == u'"' || c == u'\''; };
    // Steps over a word up to `stops`; a quoted part is taken whole, the way
    // the tokenizer found the end of the tag.
    const auto word = [&](int i, auto stops) {
        while (i < tagEnd && !stops(at(i))) {
            if (isQuote(at(i))) {
                const int close = int(m_strDoc.indexOf(at(i), i + 1));
                i = close < 0 || close >= tagEnd ? tagEnd : close + 1;
            } else {
                ++i;
            }
        }
        return i;
    };
    const auto endsName = [](QChar c) { return xml::isBlank(c) || c == u'=' || c == u'/'; };
    int i = nameEnd(position);
    while (i < tagEnd) {
        if (endsName(at(i))) {
            ++i; // blanks, and stray "/" or "=" where a name belongs
            continue;
        }
        Attribute a;
        a.nameStart = i;
        i = word(i, endsName);
        a.nameLength = i - a.nameStart;
        int j = i;
        while (j < tagEnd && xml::isBlank(at(j)))
            ++j;
        if (j < tagEnd && at(j) == u'=') {
            ++j;
            while (j < tagEnd && xml::isBlank(at(j)))
                ++j;
            a.valueStart = j;
            if (j < tagEnd && isQuote(at(j))) {
                a.quoted = true;
                const int close = int(m_strDoc.indexOf(at(j), j + 1));
                a.valueEnd = close < 0 || close >= tagEnd ? tagEnd : close + 1;
            } else {
                a.valueEnd = word(j, [](QChar c) { return xml::isBlank(c); });
                if (a.valueEnd == tagEnd && a.valueEnd > j && at(a.valueEnd - 1) == u'/')
                    --a.valueEnd; // the "/" of "/>"
            }
            i = qMax(a.valueEnd, i + 1);
        }
        attributes.push_back(a);
    }
    return attributes;
}

QString CXmlDocument::getAttributeAt(int position, const QString& name) const
{
    if (!isElement(position))
        return {};
    for (const Attribute& a : attributesOf(position)) {
        if (!namesEqual(QStringView(m_strDoc).mid(a.nameStart, a.nameLength), name))
            continue;
        if (a.valueStart < 0)
            return {};
        QStringView value = QStringView(m_strDoc).mid(a.valueStart, a.valueEnd - a.valueStart);
        if (a.quoted) {
            value = value.sliced(1);
            if (!value.isEmpty() && value.back() == m_strDoc[a.valueStart])
                value.chop(1);
        }
        return xml::resolveReferences(value);
    }
    return {};
}

QString CXmlDocument::getDataAt(int position) const
{
    if (!isElement(position))
        return {};
    const ElementPosition& e = m_aPos[position];
    const int contentEnd = e.end() - e.endTagLength;
    const bool hasChildren = e.firstChild != 0;
    QString data;
    // The content between the child elements, token by token; a view that
    // ends with the segment keeps tokens from running past it.
    const auto appendSegment = [&](int from, int to) {
        const QStringView segment = QStringView(m_strDoc).first(to);
        for (int i = from; i < to;) {
            const xml::Token t = xml::scanToken(segment, i);
            const QStringView raw = segment.mid(t.start, t.length);
            if (t.type == kNodeText)
                data += xml::resolveReferences(raw);
            else if (t.type == kNodeWhitespace && !hasChildren)
                data += raw;
            else if (t.type == kNodeCData)
                data += raw.mid(9, raw.size() - 12);
            i += t.length;
        }
    };
    int offset = e.start + e.startTagLength;
    for (int child = e.firstChild; child; child = m_aPos[child].nextSibling) {
        appendSegment(offset, m_aPos[child].start);
        offset = m_aPos[child].end();
    }
    if (offset < contentEnd)
        appendSegment(offset, contentEnd);
    return data;
}

std::optional<QString> childElementText(CXmlDocument& doc, const QString& name)
{
    doc.setPosition(doc.getParentPosition(), doc.getCurrentPosition(), 0);
    std::optional<QString> text;
    if (doc.findChildElement(name))
        text = doc.getDataAt(doc.getChildPosition());
    doc.setPosition(doc.getParentPosition(), doc.getCurrentPosition(), 0);
    return text;
}
