#include "platform/gbk.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace platform::gbk {

namespace {

// "windows-936" is the Windows mapping: the user-defined area (AA A1 … AF FE,
// where the grade symbols live) goes to the private-use area and back.
constexpr const char* kCodec = "windows-936";

} // namespace

QByteArray encode(const QString& text, bool* ok)
{
    // A fresh encoder each time: the error flag of an ICU-backed encoder
    // survives resetState().
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    QByteArray out = encoder.encode(text);
    if (ok)
        *ok = !encoder.hasError();
    return out;
}

QString decode(const QByteArray& bytes)
{
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    return decoder.decode(bytes);
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
