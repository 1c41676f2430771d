#pragma once
// Small helpers for byte fixtures: hex text to bytes and back, fixture files,
// and an archive holding given bytes.

#include <QByteArray>
#include <QString>

namespace test {

// "04 B3 a3" → bytes; blanks and line breaks are ignored.
QByteArray hex(const char* text);
// Bytes as spaced upper-case hex, for readable failure messages.
QString toHex(const QByteArray& bytes);
// The bytes of a fixture file of the calling suite's "fixtures" folder.
QByteArray fixture(const QString& fixturesDir, const QString& name);

} // namespace test

#define RODO_FIXTURE(name) ::test::fixture(QStringLiteral(RODO_FIXTURES_DIR), QStringLiteral(name))
