#pragma once
// Shared by the XML document tests: the whole element tree as lines of text.

#include "core/geometry/xmldocument.h"

#include <QStringList>
#include <cctype>
#include <string>

namespace test {

// Every element in document order, one line each: one blank per level below
// the root, the tag name, " name=value" for each of `attributes` the element
// has, then " =" and its data. Walks with the cursor only, without recursion.
inline QStringList xmlOutline(CXmlDocument& doc,
                              const QStringList& attributes = {"x", "DN", "NAME"})
{
    QStringList lines;
    doc.setPosition(0, 0, 0);
    int depth = 0;
    for (;;) {
        if (doc.findElement()) {
            const int at = doc.getCurrentPosition();
            QString line = QString(depth, u' ') + doc.getTagName(at);
            for (const QString& name : attributes) {
                const QString value = doc.getAttributeAt(at, name);
                if (!value.isEmpty())
                    line += u' ' + name + u'=' + value;
            }
            lines << line + QLatin1String(" =") + doc.getDataAt(at);
            doc.intoElement();
            ++depth;
        } else if (doc.outOfElement()) {
            --depth;
        } else {
            break;
        }
    }
    doc.setPosition(0, 0, 0);
    return lines;
}

// A test-case name from any text: letters and digits kept, the rest "_",
// prefixed with the row number so that names stay distinct.
inline std::string caseName(std::size_t row, const char* text)
{
    std::string name = std::to_string(row) + '_';
    for (const char* p = text; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

} // namespace test
