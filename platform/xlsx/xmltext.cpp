#include "platform/xlsx/xmltext.h"

#include <cmath>

namespace platform::xlsx {

void appendDouble(QByteArray& out, double value)
{
    char text[40];
    const double size = std::fabs(value);
    const auto form = size >= 1e-6 && size < 1e16 ? std::chars_format::fixed : std::chars_format::general;
    const auto end = std::to_chars(text, text + sizeof text, value, form);
    if (end.ec != std::errc()) {
        out += '0';
        return;
    }
    for (char* c = text; c != end.ptr; ++c) {
        if (*c == 'e')
            *c = 'E';
    }
    out.append(text, end.ptr - text);
}

bool isXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void appendText(QByteArray& out, const QByteArray& text)
{
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '\t':
        case '\n': out += c; break;
        default:
            if (std::uint8_t(c) < 0x20) {
                static const char kHex[] = "0123456789ABCDEF";
                out += "_x00";
                out += kHex[std::uint8_t(c) >> 4];
                out += kHex[std::uint8_t(c) & 15];
                out += '_';
            } else {
                out += c;
            }
        }
    }
}

} // namespace platform::xlsx
