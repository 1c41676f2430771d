#pragma once
// The tokenizer of CXmlDocument: one markup or text token at a time.

#include <QStringView>

namespace xml {

struct Token {
    int type = 2;        // a node type of CXmlDocument
    int start = 0;
    int length = 0;
    int nameStart = 0;   // tags: the name
    int nameLength = 0;
    bool emptyElement = false;
    const char* error = nullptr; // the syntax-error event of an error token
};

// The token starting at `offset` (< text.size()). Its length is at least 1.
Token scanToken(QStringView text, int offset);

// Whether `c` may start a tag name: a letter, "_", ":" or any non-ASCII
// character.
bool isNameStart(QChar c);

// Blank, tab, line feed or carriage return.
inline bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

} // namespace xml
