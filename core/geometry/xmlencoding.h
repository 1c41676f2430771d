#pragma once
// The text layer under CXmlDocument: encoding names and their code pages,
// byte-order marks, the encoding a file declares, whole-file conversion to and
// from text, and the character references and escapes of XML text.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringView>
#include <utility>

namespace xml {

// One event of a document's result log: an element name and its attributes.
struct LogEvent {
    QString name;
    QList<std::pair<QString, QString>> attributes;
};
using LogEvents = QList<LogEvent>;

// The program's ANSI code page (GBK).
inline constexpr int kAnsiCodePage = 936;

// Byte-order-mark flags a file gives its document.
inline constexpr int kFlagUtf16Le = 0x1;
inline constexpr int kFlagUtf8Bom = 0x4;
inline constexpr int kFlagUtf16Be = 0x80;
inline constexpr int kByteOrderFlags = kFlagUtf16Le | kFlagUtf8Bom | kFlagUtf16Be;

// The Windows code page an encoding name stands for: 0 for an empty name (the
// ANSI code page), -1 for an unknown name or one longer than 99 bytes. Names
// are compared without regard to case, except that any name starting with the
// capitals "UTF-32" answers 65005 at once.
int encodingCodePage(const QString& name);

// Whether two encoding names mean different code pages; an unknown name never
// differs, and the empty name stands for the ANSI code page.
bool encodingsDiffer(const QString& a, const QString& b);

// The encoding named by an XML declaration or an HTML meta element in the
// first kilobyte of `head` (the start of a file, or a text); empty when none.
// A tag that runs past the kilobyte is not read, one that runs to the end of
// a shorter `head` is.
QString declaredEncoding(QStringView head);

// A file's bytes as text: the byte-order mark or the declared encoding decides
// the conversion; `events` tells what was done.
struct DecodedText {
    QString text;
    QString encoding;
    int flags = 0;
    LogEvents events;
};
DecodedText decodeDocument(const QByteArray& bytes);

// A text as file bytes in the encoding its declaration names (UTF-8 when it
// names none). UTF-16 files begin with their byte-order mark; UTF-8 files do
// not.
struct EncodedText {
    QByteArray bytes;
    QString encoding;
    int flags = 0;
    LogEvents events;
};
EncodedText encodeDocument(const QString& text);

// The character of a named reference ("amp", "Alpha", "apos", …), or -1.
// An exact name wins; otherwise the name is tried in lower case.
int entityValue(QStringView name);

// Resolves the named and numeric character references in `text`; a reference
// that is unknown or malformed is kept as written.
QString resolveReferences(QStringView text);

// Escapes "<", "&" and ">", and in attribute values also "'" and '"'.
QString escapeText(QStringView text, bool attribute);

// `data` as one or more CDATA sections; a "]]>" inside is split across two.
QString cdataSection(QStringView data);

} // namespace xml
