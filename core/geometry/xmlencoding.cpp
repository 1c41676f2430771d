#include "core/geometry/xmlencoding.h"

#include "core/geometry/xmlencodingtables.h"
#include "platform/gbk.h"

#include <QHash>
#include <QStringDecoder>
#include <QStringEncoder>
#include <optional>

namespace xml {

namespace {

constexpr int kUtf8 = 65001;
constexpr int kUtf16Le = 1200;
constexpr int kUtf16Be = 1201;
constexpr int kUtf32Le = 12000;
constexpr int kUtf32Be = 12001;
constexpr int kUtf32Prefix = 65005;

// How far into a file the declared encoding is looked for.
constexpr int kSniffLength = 1024;

QString asciiLower(QStringView text)
{
    QString out(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        out[i] = QChar(c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c);
    }
    return out;
}

const QHash<QString, int>& codePageIndex()
{
    static const QHash<QString, int> index = [] {
        QHash<QString, int> h;
        for (const tables::CodePageName& entry : tables::codePageNames())
            h.insert(QString::fromLatin1(entry.name), entry.codePage);
        return h;
    }();
    return index;
}

struct EntityIndex {
    QHash<QString, int> exact;
    QHash<QString, int> folded;
};

const EntityIndex& entityIndex()
{
    static const EntityIndex index = [] {
        EntityIndex e;
        for (const tables::Entity& entry : tables::entities()) {
            const QString name = QString::fromLatin1(entry.name);
            e.exact.insert(name, entry.value);
            const QString lower = asciiLower(name);
            if (!e.folded.contains(lower))
                e.folded.insert(lower, entry.value);
        }
        return e;
    }();
    return index;
}

bool isWideCodePage(int codePage)
{
    return codePage == kUtf16Le || codePage == kUtf16Be || codePage == kUtf32Le
        || codePage == kUtf32Be || codePage == kUtf32Prefix;
}

bool isAnsi(int codePage)
{
    return codePage == 0 || codePage == kAnsiCodePage;
}

// The converter of a code page, by the names the platform's converters know:
// Windows and IBM forms of the number first, then the table's own names.
std::optional<QByteArray> converterName(int codePage)
{
    const QList<QByteArray> candidates = {
        "windows-" + QByteArray::number(codePage),
        "cp" + QByteArray::number(codePage),
        "ibm-" + QByteArray::number(codePage),
    };
    for (const QByteArray& name : candidates) {
        if (QStringDecoder(name.constData()).isValid())
            return name;
    }
    for (const tables::CodePageName& entry : tables::codePageNames()) {
        if (entry.codePage == codePage && QStringDecoder(entry.name).isValid())
            return QByteArray(entry.name);
    }
    return std::nullopt;
}

QString logName(const QString& encoding)
{
    return encoding.isEmpty() ? QStringLiteral("ANSI") : encoding;
}

LogEvent event(const char* name, QList<std::pair<QString, QString>> attributes = {})
{
    return LogEvent{QString::fromLatin1(name), std::move(attributes)};
}

std::pair<QString, QString> attr(const char* name, const QString& value)
{
    return {QString::fromLatin1(name), value};
}

std::pair<QString, QString> attr(const char* name, qsizetype value)
{
    return {QString::fromLatin1(name), QString::number(value)};
}

// Delimiters of the words of a declaration.
bool isSniffDelimiter(QChar c)
{
    switch (c.unicode()) {
    case u' ': case u'\t': case u'\n': case u'\r': case u'<': case u'>': case u'=':
    case u'\\': case u'/': case u'?': case u'!': case u'"': case u'\'': case u';':
        return true;
    default:
        return false;
    }
}

// The words of one tag, with "=" kept as a word of its own.
QList<QStringView> sniffWords(QStringView tag)
{
    QList<QStringView> words;
    qsizetype i = 0;
    while (i < tag.size()) {
        if (tag[i] == u'=') {
            words.append(tag.mid(i, 1));
            ++i;
            continue;
        }
        if (isSniffDelimiter(tag[i])) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < tag.size() && !isSniffDelimiter(tag[i]))
            ++i;
        words.append(tag.mid(start, i - start));
    }
    return words;
}

// The value after `key =` among the words, or empty.
QString valueAfter(const QList<QStringView>& words, QStringView key)
{
    for (qsizetype i = 0; i + 2 < words.size(); ++i) {
        if (words[i].compare(key, Qt::CaseInsensitive) == 0 && words[i + 1] == u"="
            && words[i + 2] != u"=")
            return words[i + 2].toString();
    }
    return {};
}

bool isValidUtf8(QByteArrayView bytes, QString* text)
{
    QStringDecoder decoder(QStringConverter::Encoding::Utf8, QStringConverter::Flag::Stateless);
    *text = decoder.decode(bytes);
    return !decoder.hasError();
}

void decodeWide(QByteArrayView data, bool bigEndian, DecodedText& out)
{
    if (bigEndian)
        out.events.append(event("endian_swap", {attr("length", data.size() / 2)}));
    QStringDecoder decoder(bigEndian ? QStringConverter::Encoding::Utf16BE
                                     : QStringConverter::Encoding::Utf16LE,
                           QStringConverter::Flag::Stateless);
    QString text = decoder.decode(data.first(data.size() & ~qsizetype(1)));
    const bool lossy = decoder.hasError();
    const qsizetype nulls = text.count(QChar(0));
    if (nulls > 0) {
        text.remove(QChar(0));
        out.events.append(event("nulls_removed", {attr("count", nulls)}));
    }
    out.events.append(event("converted_to", {attr("encoding", QStringLiteral("ANSI"))}));
    if (lossy)
        out.events.append(event("conversion_loss", {attr("encoding", out.encoding)}));
    out.text = std::move(text);
}

void decodeNarrow(QByteArrayView data, DecodedText& out)
{
    const int codePage = encodingCodePage(out.encoding);
    if (codePage == kUtf8 || isWideCodePage(codePage)) {
        // A declared 16- or 32-bit encoding in a file of 8-bit text can only
        // be a mislabelled ASCII-compatible file; read it as UTF-8.
        QString text;
        if (isValidUtf8(data, &text)) {
            out.text = std::move(text);
            out.events.append(event("converted_to", {attr("encoding", QStringLiteral("ANSI"))}));
        } else {
            out.text = platform::gbk::decode(data.toByteArray());
            out.events.append(event("utf8_detection", {attr("encoding", out.encoding)}));
        }
        return;
    }
    if (isAnsi(codePage)) {
        out.text = platform::gbk::decode(data.toByteArray());
        return;
    }
    const std::optional<QByteArray> name = codePage > 0 ? converterName(codePage) : std::nullopt;
    if (!name) {
        // No converter for that name: the bytes are taken as ANSI text.
        out.text = platform::gbk::decode(data.toByteArray());
        out.events.append(event("conversion_loss", {attr("encoding", out.encoding)}));
        return;
    }
    QStringDecoder decoder(name->constData(), QStringConverter::Flag::Stateless);
    out.text = decoder.decode(data);
    out.events.append(event("converted_to", {attr("encoding", QStringLiteral("ANSI"))}));
    if (decoder.hasError())
        out.events.append(event("conversion_loss", {attr("encoding", out.encoding)}));
}

QByteArray encodeWith(QStringConverter::Encoding encoding, const QString& text, bool* lossy)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    *lossy = encoder.hasError();
    return bytes;
}

} // namespace

int encodingCodePage(const QString& name)
{
    if (name.startsWith(QLatin1String("UTF-32")))
        return kUtf32Prefix;
    if (name.isEmpty())
        return 0;
    if (name.size() > 99)
        return -1;
    return codePageIndex().value(asciiLower(name), -1);
}

bool encodingsDiffer(const QString& a, const QString& b)
{
    int first = encodingCodePage(a);
    int second = encodingCodePage(b);
    if (first == -1 || second == -1)
        return false;
    if (first == 0)
        first = kAnsiCodePage;
    if (second == 0)
        second = kAnsiCodePage;
    return first != second;
}

QString declaredEncoding(QStringView head)
{
    // Only the first characters are looked at. A tag the window cuts off
    // before its ">" is not read: its name could be cut short ("UTF" for
    // "UTF-8") and name another encoding, or none.
    const bool cut = head.size() > kSniffLength;
    head = head.first(qMin<qsizetype>(head.size(), kSniffLength));
    qsizetype i = 0;
    while ((i = head.indexOf(u'<', i)) >= 0) {
        qsizetype end = head.indexOf(u'>', i + 1);
        if (end < 0 && cut)
            break;
        if (end < 0)
            end = head.size();
        const QStringView tag = head.mid(i + 1, end - i - 1);
        const QList<QStringView> words = sniffWords(tag);
        if (tag.startsWith(u"?xml") && !words.isEmpty() && words.front() == u"xml") {
            const QString value = valueAfter(words, u"encoding");
            if (!value.isEmpty())
                return value;
        } else if (!words.isEmpty() && words.front().compare(u"meta", Qt::CaseInsensitive) == 0) {
            // Both <meta charset="…"> and the content="text/html; charset=…"
            // of an http-equiv Content-Type come down to the word "charset".
            const QString value = valueAfter(words, u"charset");
            if (!value.isEmpty())
                return value;
        }
        i = end;
    }
    return {};
}

DecodedText decodeDocument(const QByteArray& bytes)
{
    DecodedText out;
    QByteArrayView data(bytes);
    bool wide = false;
    bool bigEndian = false;
    if (data.startsWith("\xEF\xBB\xBF")) {
        out.encoding = QStringLiteral("UTF-8");
        out.flags = kFlagUtf8Bom;
        data = data.sliced(3);
    } else if (data.startsWith("\xFF\xFE")) {
        out.encoding = QStringLiteral("UTF-16LE");
        out.flags = kFlagUtf16Le;
        wide = true;
        data = data.sliced(2);
    } else if (data.startsWith("\xFE\xFF")) {
        out.encoding = QStringLiteral("UTF-16BE");
        out.flags = kFlagUtf16Be;
        wide = bigEndian = true;
        data = data.sliced(2);
    }
    if (out.flags != 0) {
        out.events.append(event("bom", {attr("encoding", out.encoding),
                                        attr("type", QString::number(out.flags))}));
    } else {
        // One byte past the window tells a declaration cut by the window
        // from one cut by the end of the file.
        const QByteArrayView head = data.first(qMin<qsizetype>(data.size(), kSniffLength + 1));
        out.encoding = declaredEncoding(QString::fromLatin1(head));
        if (out.encoding.isEmpty() && data.startsWith('<'))
            out.encoding = QStringLiteral("UTF-8");
    }
    if (wide)
        decodeWide(data, bigEndian, out);
    else
        decodeNarrow(data, out);
    out.events.append(event("read", {attr("encoding", logName(out.encoding)),
                                     attr("length", bytes.size())}));
    return out;
}

EncodedText encodeDocument(const QString& text)
{
    EncodedText out;
    out.encoding = declaredEncoding(text);
    const bool declared = !out.encoding.isEmpty();
    if (!declared)
        out.encoding = QStringLiteral("UTF-8");
    const int codePage = encodingCodePage(out.encoding);
    bool lossy = false;
    if (isAnsi(codePage) || codePage < 0) {
        // ANSI, or a name no converter knows: the text goes out in the ANSI
        // code page, which is how such a file is read back.
        out.bytes = platform::gbk::encode(text, &lossy);
        lossy = !lossy;
    } else {
        out.events.append(event("converted_from", {attr("encoding", out.encoding)}));
        switch (codePage) {
        case kUtf8:
        case kUtf32Le:
        case kUtf32Be:
        case kUtf32Prefix:
            // 32-bit text is written as UTF-8, which is how a file of 8-bit
            // text declaring a wide encoding is read.
            out.bytes = encodeWith(QStringConverter::Encoding::Utf8, text, &lossy);
            if (!declared && !text.startsWith(u'<') && out.bytes.size() != text.size()) {
                // Without a declaration or a leading "<" the file would be
                // read back as ANSI text; the mark keeps it UTF-8.
                out.bytes.prepend("\xEF\xBB\xBF");
                out.flags = kFlagUtf8Bom;
            }
            break;
        case kUtf16Le:
            out.bytes = "\xFF\xFE" + encodeWith(QStringConverter::Encoding::Utf16LE, text, &lossy);
            out.flags = kFlagUtf16Le;
            break;
        case kUtf16Be:
            out.bytes = "\xFE\xFF" + encodeWith(QStringConverter::Encoding::Utf16BE, text, &lossy);
            out.flags = kFlagUtf16Be;
            out.events.append(event("endian_swap", {attr("length", text.size())}));
            break;
        default:
            if (const std::optional<QByteArray> name = converterName(codePage)) {
                QStringEncoder encoder(name->constData(), QStringConverter::Flag::Stateless);
                out.bytes = encoder.encode(text);
                // Some converters substitute silently; reading the bytes back
                // tells whether every character survived.
                QStringDecoder decoder(name->constData(), QStringConverter::Flag::Stateless);
                lossy = encoder.hasError() || QString(decoder.decode(out.bytes)) != text;
            } else {
                out.bytes = platform::gbk::encode(text, &lossy);
                lossy = true;
            }
            break;
        }
    }
    // Bytes that begin like a byte-order mark without being one (a text
    // that starts with U+FEFF, ANSI characters whose bytes match a mark)
    // are taken for a mark when the file is read: the text would not come
    // back as it was.
    if (out.flags == 0
        && (out.bytes.startsWith("\xEF\xBB\xBF") || out.bytes.startsWith("\xFF\xFE")
            || out.bytes.startsWith("\xFE\xFF")))
        lossy = true;
    if (lossy)
        out.events.append(event("conversion_loss", {attr("encoding", out.encoding)}));
    return out;
}

int entityValue(QStringView name)
{
    const EntityIndex& index = entityIndex();
    const QString key = name.toString();
    if (const auto it = index.exact.constFind(key); it != index.exact.cend())
        return it.value();
    return index.folded.value(asciiLower(name), -1);
}

namespace {

// A character number of a reference, when it names a character.
bool isReferableCharacter(char32_t value)
{
    return value > 0 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
}

// The character of the reference at `text[at]` (an ampersand) and the length
// of the reference, or nothing when it is not one.
std::optional<std::pair<char32_t, qsizetype>> readReference(QStringView text, qsizetype at)
{
    constexpr qsizetype kMaxEntityName = 8;
    constexpr qsizetype kMaxDigits = 8;
    qsizetype i = at + 1;
    if (i < text.size() && text[i] == u'#') {
        ++i;
        const bool hex = i < text.size() && text[i] == u'x';
        if (hex)
            ++i;
        const qsizetype digitsStart = i;
        char32_t value = 0;
        while (i < text.size() && i - digitsStart < kMaxDigits) {
            const char16_t c = text[i].unicode();
            if (c >= u'0' && c <= u'9')
                value = value * (hex ? 16 : 10) + (c - u'0');
            else if (hex && c >= u'a' && c <= u'f')
                value = value * 16 + (c - u'a' + 10);
            else if (hex && c >= u'A' && c <= u'F')
                value = value * 16 + (c - u'A' + 10);
            else
                break;
            ++i;
        }
        if (i == digitsStart || i >= text.size() || text[i] != u';' || !isReferableCharacter(value))
            return std::nullopt;
        return std::pair{value, i + 1 - at};
    }
    const qsizetype nameStart = i;
    while (i < text.size() && text[i] != u';' && i - nameStart <= kMaxEntityName)
        ++i;
    if (i >= text.size() || text[i] != u';' || i == nameStart || i - nameStart > kMaxEntityName)
        return std::nullopt;
    const int value = entityValue(text.mid(nameStart, i - nameStart));
    if (value < 0)
        return std::nullopt;
    return std::pair{char32_t(value), i + 1 - at};
}

} // namespace

QString resolveReferences(QStringView text)
{
    if (!text.contains(u'&'))
        return text.toString();
    QString out;
    out.reserve(text.size());
    qsizetype i = 0;
    while (i < text.size()) {
        if (text[i] != u'&') {
            out.append(text[i]);
            ++i;
            continue;
        }
        if (const auto reference = readReference(text, i)) {
            const char32_t value = reference->first;
            out.append(QStringView(QChar::fromUcs4(value)));
            i += reference->second;
        } else {
            out.append(u'&');
            ++i;
        }
    }
    return out;
}

QString escapeText(QStringView text, bool attribute)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'<': out.append(QLatin1String("&lt;")); break;
        case u'&': out.append(QLatin1String("&amp;")); break;
        case u'>': out.append(QLatin1String("&gt;")); break;
        case u'\'':
            if (attribute)
                out.append(QLatin1String("&apos;"));
            else
                out.append(c);
            break;
        case u'"':
            if (attribute)
                out.append(QLatin1String("&quot;"));
            else
                out.append(c);
            break;
        default: out.append(c); break;
        }
    }
    return out;
}

QString cdataSection(QStringView data)
{
    QString inner = data.toString();
    inner.replace(QLatin1String("]]>"), QLatin1String("]]]]><![CDATA[>"));
    return QLatin1String("<![CDATA[") + inner + QLatin1String("]]>");
}

} // namespace xml
