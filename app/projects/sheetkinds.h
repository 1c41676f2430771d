#pragma once
// The three kinds of sheet file a project folder holds, as the project tree
// lists and makes them: bar lists (.pld), processing sheets (.jgd) and
// quantity sheets (.ylb), each with its category node, its file items and
// the document template that makes it.

#include <QString>
#include <span>

struct SheetKind {
    const char* extension;  // without the dot
    int category;           // the category item's kind
    const char* categoryText;
    int file;               // the file item's kind
    int image;              // the file item's image
    int templateId;         // the document template of the kind
    int placementText;      // the header text that names the placement
};

std::span<const SheetKind> sheetKinds();
// The kind of a file name by its extension (letter case aside), or null.
const SheetKind* sheetKindOfFile(const QString& fileName);
const SheetKind* sheetKindOfCategory(int category);
const SheetKind* sheetKindOfTemplate(int templateId);
