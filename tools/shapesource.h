#pragma once
// The program's default shapes, read from their readable source (one JSON
// file per sub-library in data/shapes/) and turned into the library files,
// category files and common-bar lists that a new data folder starts with.
//
// A sub-library file:
//   { "library": "shapes" | "starts", "mainId": 190, "name": "直筋",
//     "stirrup": 0, "shapes": [ shape, ... ] }
// A shape (the record number is its place in the list, from 1):
//   { "name": "两端180°弯钩直筋",              documentation and messages only
//     "stirrup": 1,                            overrides the sub-library's flag
//     "hooks": { "left": 135, "right": 90, "leftParam": 8, "rightParam": 16 },
//     "vars": [ { "name": "L", "value": 3000, "at": [750, 150],
//                 "align": "left" | "centre" | "right", "unit": "deg",
//                 "kind": "given" | "computed", "formula": "20*d",
//                 "height": 80 } ],
//     "sides": [ { "from": [x, y], "to": [x, y], "L": "L1" },
//                { "to": [x, y], "A": "90", "L": "L2" },
//                { "to": [x, y], "through": [x, y], "A": "180", "L": "..." },
//                { "mark": 8, "count": "1" } ],
//     "texts": [ { "text": "…", "at": [x, y], "align": "centre", "height": 70 } ],
//     "lines": [ [x1, y1, x2, y2] or [x1, y1, x2, y2, style] ],
//     "arcs": [ [x1, y1, x2, y2, x3, y3] ], "circles": [ [x, y, r] ] }
// A shape with one hook has it at the first end ("left"): a bar takes the
// hooks of its shape only when that end has one.
// Sides are drawn in order the way the shape editor adds them, so that the
// bend directions are the editor's; "from" defaults to the previous end; a
// side with "through" is an arc; a mark splits the straight line formed by
// the side before it and the side after it, as the editor's joint tool does.
//
// lists.json names the categories and the lists:
//   { "steelLib.xml": [ { "name": "常用", "file": "common.dat",
//                         "keys": ["190-001", ...] } ],
//     "startLib.xml": [ ... ],
//     "lists": { "recentSteel.dat": ["190-001", ...], ... } }

#include "core/model/modelrecordlib.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <map>
#include <memory>
#include <vector>

namespace shapes {

// What the source says about one record beyond the record itself.
struct ShapeInfo {
    CSteelRecordId key;
    QString name;
    bool start = false; // a start (sketch) style
};

struct Category {
    QString name;
    QString file;
    QStringList keys;
};

struct ShapeSet {
    ShapeSet();

    std::unique_ptr<CVes_ModelRecordMainLib> shapes; // system sub-libraries
    std::unique_ptr<CVes_ModelStartMainLib> starts;  // system sub-libraries
    std::vector<ShapeInfo> info;                     // in library order
    std::vector<Category> steelCategories;
    std::vector<Category> startCategories;
    std::map<QString, QStringList> lists;            // fixed list files

    // The record of a key of either library, or null.
    CVes_ModelRecord* record(CSteelRecordId key, bool start) const;
};

// Reads every sub-library file and lists.json of `dir`. On failure answers
// false with the file and the reason in `error`.
bool readShapeSources(const QString& dir, ShapeSet& set, QString& error);

// One shape from its JSON text, checked as readShapeSources checks it (for
// tests and messages); `start` makes a start style.
std::unique_ptr<CVes_ModelRecord> shapeFromJson(const QByteArray& json, bool start, int stirrup,
                                                QString& error);

// Writes the four library files (the user libraries empty), the two
// category files and every list file into `outDir`, through the library
// code the program uses; false with the reason on failure.
bool writeShapeFiles(ShapeSet& set, const QString& outDir, QString& error);

// A ".dat" list: one "%d-%.3d" key a line, CR LF.
QByteArray listFileBytes(const QStringList& keys);

// The names the library files are written under.
inline const char* const kSysLibFile = "STeelStyleSys.jlb";
inline const char* const kUseLibFile = "STeelStyleUse.jlb";
inline const char* const kStartSysLibFile = "STeelStartStyleSys.jlb";
inline const char* const kStartUseLibFile = "STeelStartStyleUser.jlb";

} // namespace shapes
