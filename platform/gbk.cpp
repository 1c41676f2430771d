#include "platform/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <optional>

namespace platform::gbk {

namespace {

// "windows-936" is the Windows mapping: the user-defined area (AA A1 … AF FE,
// where the grade symbols live) goes to the private-use area and back.
constexpr const char* kCodec = "windows-936";

// Making an ICU converter costs far more than converting a short string, so
// each thread keeps one of each (a converter is not safe to share between
// threads). Both are stateless: nothing of one string reaches the next.
QStringDecoder& threadDecoder()
{
    thread_local QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    return decoder;
}

// The error flag of an ICU-backed encoder survives resetState(), so an
// encoder that met a character without a GBK form is replaced by a new one
// before the next string.
QStringEncoder& threadEncoder()
{
    thread_local std::optional<QStringEncoder> encoder;
    if (!encoder || encoder->hasError())
        encoder.emplace(kCodec, QStringConverter::Flag::Stateless);
    return *encoder;
}

// Below 0x80 GBK is ASCII, byte for byte: most texts of a file need no
// converter at all.
bool isAsciiBytes(QByteArrayView bytes)
{
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool isAscii(QStringView text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; });
}

QByteArray encode(const QString& text, bool* ok)
{
    if (isAscii(text)) {
        if (ok)
            *ok = true;
        return text.toLatin1();
    }
    QStringEncoder& encoder = threadEncoder();
    QByteArray out = encoder.encode(text);
    if (ok)
        *ok = !encoder.hasError();
    return out;
}

QString decode(QByteArrayView bytes)
{
    if (isAsciiBytes(bytes))
        return QString::fromLatin1(bytes);
    return threadDecoder().decode(bytes);
}

bool canEncode(const QString& text)
{
    bool ok = true;
    encode(text, &ok);
    return ok;
}

int byteLength(const QString& text)
{
    return int(encode(text).size());
}

} // namespace platform::gbk
