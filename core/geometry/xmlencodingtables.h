#pragma once
// The static name tables behind the XML text layer: encoding names with their
// Windows code pages, and the named character references.

#include <QStringView>
#include <span>

namespace xml::tables {

struct CodePageName {
    const char* name; // lower case
    int codePage;
};

struct Entity {
    const char* name;
    int value;
};

std::span<const CodePageName> codePageNames();
std::span<const Entity> entities();

} // namespace xml::tables
