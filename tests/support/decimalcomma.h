#pragma once
// A locale that writes numbers with a decimal comma (German), set for both
// the C library and Qt's default for as long as the object lives. When the
// system lacks the locale it is compiled, once a program, into a temporary
// folder.

#include <QByteArray>
#include <QLocale>
#include <string>

namespace test {

class DecimalCommaLocale {
public:
    DecimalCommaLocale();
    ~DecimalCommaLocale();
    DecimalCommaLocale(const DecimalCommaLocale&) = delete;
    DecimalCommaLocale& operator=(const DecimalCommaLocale&) = delete;

    // True when the C library now reads "1,5" as one and a half.
    bool active() const;

private:
    std::string m_oldNumeric;
    QLocale m_oldQt;
    QByteArray m_oldLocPath;
};

} // namespace test
