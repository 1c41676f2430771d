#pragma once
// Builds stream bytes by hand, field by field, for the template and cover
// tests: numbers and strings through the archive's primitives, and a cover
// or title-block text as its own record (schema 3 of a text variable).

#include "platform/archive.h"

#include <QString>
#include <cstdint>
#include <initializer_list>

namespace test {

struct TextRecord {
    QString name;
    QString value;
    int height = 50;
    unsigned int align = 6;
    unsigned int kind = 3;
    int x = 0;
    int y = 0;
};

class StreamBuilder {
public:
    StreamBuilder& i(std::int32_t v) { m_ar << v; return *this; }
    StreamBuilder& ints(std::initializer_list<std::int32_t> vs)
    {
        for (std::int32_t v : vs)
            m_ar << v;
        return *this;
    }
    StreamBuilder& d(double v) { m_ar << v; return *this; }
    StreamBuilder& s(const QString& v) { m_ar << v; return *this; }
    StreamBuilder& count(std::uint32_t n) { m_ar.writeCount(n); return *this; }
    StreamBuilder& bytes(const QByteArray& b) { m_ar.writeBytes(b); return *this; }
    // A text variable record: schema, point, height, angle, kind, unit,
    // three values, alignment, colour, name, text, font name, print flag.
    StreamBuilder& text(const TextRecord& t)
    {
        m_ar << std::int32_t(3);
        m_ar << std::int32_t(1) << std::int32_t(t.x) << std::int32_t(t.y) << std::int32_t(0);
        m_ar << std::int32_t(t.height) << std::int32_t(0) << std::uint32_t(t.kind)
             << std::uint32_t(0) << 0.0 << 0.0 << 0.0 << std::uint32_t(t.align)
             << std::uint32_t(0x00FFFF) << t.name << t.value << QStringLiteral("宋体")
             << std::int32_t(1);
        return *this;
    }
    QByteArray data() const { return m_ar.data(); }

private:
    platform::Archive m_ar;
};

} // namespace test
