#pragma once
// What the spreadsheet library writes of a workbook: the package with the
// workbook part, the styles (one cell format a look), the links and the
// content types, and the drawing parts that show the sheets' pictures.

#include "platform/xlsx/package.h"
#include "platform/xlsx/preparedsheet.h"
#include "platform/xlsx/worksheet.h"

#include <map>
#include <vector>
#include <xlsxwriter.h>

namespace platform::xlsx {

// Writes one workbook through the spreadsheet library, which makes the
// package: the workbook part, the styles, the links and the content types.
// The sheets' own parts, with their cells, and the shared strings are then
// written here (prepareSheet, worksheetPart) and put in the place of the
// library's; the library is given one text, so that it makes the shared
// strings part and the links to it. It is given one picture of each sheet
// that has pictures, so that it makes the sheet's drawing part and the links
// to it; the drawings with every picture are then made here (drawings()).
// Remembers the first error of any call.
class LibraryWriter {
public:
    LibraryWriter(lxw_workbook* book, const WorkbookTemplate& layout) : m_book(book), m_layout(layout) {}

    // Gives the library the sheet and its looks; `prepared` gets the
    // workbook's cell format of each look and whether it has a drawing.
    void writeSheet(const Worksheet& sheet, PreparedSheet& prepared, std::vector<int>* styleIndex,
                    bool active);
    lxw_error error() const { return m_error; }
    // The parts that show the pictures: each drawing with its links, and
    // each distinct picture file once.
    void drawings(std::vector<PackageMember>* parts, std::vector<PackageMember>* pictures) const;

private:
    void check(lxw_error error)
    {
        if (error != LXW_NO_ERROR && m_error == LXW_NO_ERROR)
            m_error = error;
    }
    lxw_format* format(const Style& style);
    // Each sheet's pictures where its drawing shows them; `pictures` gets
    // the picture files they show.
    std::vector<std::vector<PlacedPicture>> placedPictures(std::vector<PackageMember>* pictures) const;
    // Whether the sheet has a picture to show.
    bool writePictures(lxw_worksheet* target, const Worksheet& sheet, DrawingGrid grid);

    // A sheet's pictures, shown by the drawing part of that number.
    struct SheetDrawing {
        int number = 0;
        DrawingGrid grid;
        std::vector<const Picture*> pictures;
    };
    std::vector<SheetDrawing> m_drawings;

    lxw_workbook* m_book;
    const WorkbookTemplate& m_layout;
    std::map<Style, lxw_format*> m_formats;
    lxw_error m_error = LXW_NO_ERROR;
    bool m_hasText = false;
};

} // namespace platform::xlsx
