#pragma once
// Stored forms of bar records written byte by byte from their layouts:
// little-endian ints and reals, texts with a one-byte length (ASCII only).

#include <QByteArray>
#include <QtEndian>

#include <cstdint>
#include <cstring>
#include <vector>

namespace test {

class Bytes {
public:
    Bytes& i32(std::int32_t v) { return put(v); }
    Bytes& u32(std::uint32_t v) { return put(v); }
    Bytes& f32(float v) { return put(v); }
    Bytes& f64(double v) { return put(v); }
    Bytes& str(const char* text)
    {
        const auto n = std::strlen(text);
        m_data.append(char(n));
        m_data.append(text, qsizetype(n));
        return *this;
    }
    Bytes& raw(const QByteArray& bytes)
    {
        m_data += bytes;
        return *this;
    }
    operator QByteArray() const { return m_data; }
    const QByteArray& data() const { return m_data; }

private:
    template <typename T>
    Bytes& put(T v)
    {
        char b[sizeof(T)];
        qToLittleEndian(v, b);
        m_data.append(b, sizeof(T));
        return *this;
    }
    QByteArray m_data;
};

// Hook, schema 1: enabled, kind, param, realParam.
inline QByteArray hookBytes(int enabled, int kind, int param)
{
    return Bytes().i32(1).i32(enabled).i32(kind).i32(param).f32(3.0f);
}

// Connection, schema 1: type, param, flag, direction, farDirection, farDN.
inline QByteArray connectBytes(int type, int param, int flag, float farDN)
{
    return Bytes().i32(1).i32(type).i32(param).i32(flag).i32(1).i32(1).f32(farDN);
}

// Intermediate connection, schema 3.
inline QByteArray midBytes(int style, const char* count)
{
    return Bytes().i32(3).i32(style).i32(1).i32(0).i32(1).i32(1).str(count).i32(0).i32(9000);
}

// Dimension variable, schema 3: position (point schema 1), height, angle,
// kind, unit, value, second value, step, alignment, colour, name, formula,
// font, print.
inline QByteArray variableBytes(const char* name, unsigned int kind, double value,
                                int x = 700, int y = 100)
{
    return Bytes()
        .i32(3)
        .i32(1).i32(x).i32(y).i32(0)
        .i32(60).i32(0).u32(kind).u32(0)
        .f64(value).f64(value).f64(0.0)
        .u32(6).u32(0xFF0000)
        .str(name).str("").str("")
        .i32(1);
}

// The variables of a bar of a straight shape with one dimension "L", the
// standard ones included.
inline QByteArray standardVariables(double d, double L, bool withLa = true)
{
    Bytes b;
    b.i32(withLa ? 6 : 5)
        .raw(variableBytes("d", 0, d, 0, 0))
        .raw(variableBytes("L", 2, L))
        .raw(variableBytes("lle", 0, 0, 0, 0))
        .raw(variableBytes("lae", 0, 0, 0, 0));
    if (withLa)
        b.raw(variableBytes("la", 0, 0, 0, 0));
    b.raw(variableBytes("bhc", 0, 0, 0, 0));
    return b;
}

// What a shape reference stores, by schema.
struct ReferenceFields {
    int mainId = 150;
    int recordNo = 20;
    QByteArray hookLeft = hookBytes(1, 2, 16);
    QByteArray hookRight = hookBytes(0, 1, 16);
    QByteArray connectLeft = connectBytes(8, 0, 1, 25.0f);
    QByteArray connectRight = connectBytes(3, 2, 0, 12.0f);
    QByteArray defaultMid = midBytes(7, "4");
    int outDim = 0, processed = 0, actualMeasure = 1, groupCount = 4, multiValue = 1;
    int stirrup = 0, barGroup = 0;
    unsigned int mirror = 1;
    QByteArray variables = standardVariables(12, 2500);
    std::vector<QByteArray> mids{midBytes(2, "1")};
    QByteArray privateRecord; // empty: flag 0
};

inline QByteArray referenceBytes(int schema, const ReferenceFields& f)
{
    Bytes b;
    b.i32(schema).i32(f.mainId).i32(f.recordNo).raw(f.hookLeft).raw(f.hookRight);
    if (schema >= 2)
        b.raw(f.connectLeft).raw(f.connectRight);
    if (schema >= 4)
        b.raw(f.defaultMid);
    if (schema >= 3) {
        b.i32(f.outDim).i32(f.processed).i32(f.actualMeasure).i32(f.groupCount).i32(f.multiValue);
        if (schema >= 5)
            b.i32(f.stirrup);
        if (schema >= 6)
            b.i32(f.barGroup);
        b.u32(f.mirror);
    }
    b.raw(f.variables);
    if (schema >= 7) {
        b.i32(std::int32_t(f.mids.size()));
        for (const QByteArray& mid : f.mids)
            b.raw(mid);
    }
    if (schema == 8) {
        b.i32(f.privateRecord.isEmpty() ? 0 : 1);
        b.raw(f.privateRecord);
    }
    return b;
}

} // namespace test
