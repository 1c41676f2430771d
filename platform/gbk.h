#pragma once
// GBK (code page 936) is the encoding of every string in the program's binary
// files and of the text files it writes in the ANSI code page. Strings are
// QString in memory; these helpers convert at those boundaries and count the
// bytes where a rule of the program counts bytes of text.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace platform::gbk {

// Encodes `text`; `*ok` becomes false when a character has no GBK form (it is
// then written as '?', the way the original code page did).
QByteArray encode(const QString& text, bool* ok = nullptr);
QString decode(QByteArrayView bytes);

// Whether `text` is plain ASCII, which GBK holds byte for byte.
bool isAscii(QStringView text);

// Whether every character of `text` has a GBK form.
bool canEncode(const QString& text);

// The number of GBK bytes `text` takes (characters without a GBK form count
// as one byte, like their replacement).
int byteLength(const QString& text);

// Whether `byte` can start a two-byte GBK character.
inline bool isLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

} // namespace platform::gbk
