#include "platform/xlsx/librarywriter.h"

#include "platform/xlsx/sheetunits.h"

#include <QHash>

#include <cmath>
#include <future>

namespace platform::xlsx {

namespace {

// The spreadsheet's number format of that many decimals: "0", "0.00", …
QByteArray numberFormat(int decimals)
{
    QByteArray format("0");
    if (decimals > 0)
        format += '.' + QByteArray(decimals, '0');
    return format;
}

} // namespace

lxw_format* LibraryWriter::format(const Style& style)
{
    const auto found = m_formats.find(style);
    if (found != m_formats.end())
        return found->second;
    lxw_format* made = workbook_add_format(m_book);
    if (!made) {
        check(LXW_ERROR_MEMORY_MALLOC_FAILED);
        return nullptr;
    }
    format_set_font_name(made, m_layout.font.toUtf8().constData());
    format_set_font_size(made, style.role == Role::Title ? m_layout.titleFontSize : m_layout.fontSize);
    format_set_align(made, LXW_ALIGN_VERTICAL_CENTER);
    switch (style.role) {
    case Role::Title:
        format_set_bold(made);
        format_set_align(made, LXW_ALIGN_CENTER_ACROSS);
        break;
    case Role::Heading:
        format_set_align(made, LXW_ALIGN_LEFT);
        break;
    case Role::Caption:
    case Role::Body:
        format_set_align(made, style.align == Align::Left    ? LXW_ALIGN_LEFT
                               : style.align == Align::Right ? LXW_ALIGN_RIGHT
                                                             : LXW_ALIGN_CENTER);
        break;
    }
    if (style.wrap)
        format_set_text_wrap(made);
    if (style.shrink)
        format_set_shrink(made);
    if (style.decimals >= 0)
        format_set_num_format(made, numberFormat(style.decimals).constData());
    if (style.border)
        format_set_border(made, LXW_BORDER_THIN);
    m_formats.emplace(style, made);
    return made;
}

bool LibraryWriter::writePictures(lxw_worksheet* target, const Worksheet& sheet, DrawingGrid grid)
{
    SheetDrawing drawing;
    for (const Picture& picture : sheet.pictures()) {
        if (!picture.png.isEmpty()) // else it could not be encoded
            drawing.pictures.push_back(&picture);
    }
    if (drawing.pictures.empty())
        return false;
    drawing.number = int(m_drawings.size()) + 1;
    drawing.grid = std::move(grid);
    m_drawings.push_back(std::move(drawing));
    // The first picture makes the library give the sheet its drawing.
    {
        const Picture& picture = *m_drawings.back().pictures.front();
        lxw_image_options options{};
        options.x_offset = std::int32_t(std::lround(picture.left * kPixelsPerPoint));
        options.y_offset = std::int32_t(std::lround(picture.top * kPixelsPerPoint));
        // The writer sizes by the stored resolution: scaled back to exactly
        // one pixel a pixel.
        options.x_scale = kPixelScale;
        options.y_scale = kPixelScale;
        check(worksheet_insert_image_buffer_opt(
            target, lxw_row_t(picture.row - 1), lxw_col_t(picture.column - 1),
            reinterpret_cast<const unsigned char*>(picture.png.constData()),
            std::size_t(picture.png.size()), &options));
    }
    return true;
}

void LibraryWriter::drawings(std::vector<PackageMember>* parts, std::vector<PackageMember>* pictures) const
{
    const std::vector<std::vector<PlacedPicture>> placed = placedPictures(pictures);
    // Each sheet's drawing made and compressed on a thread of its own.
    std::vector<std::future<std::pair<PackageMember, PackageMember>>> made;
    for (std::size_t d = 0; d < m_drawings.size(); ++d) {
        made.push_back(std::async(std::launch::async, [&, d] {
            const QByteArray number = QByteArray::number(m_drawings[d].number);
            QByteArray relations;
            const QByteArray xml = drawingPart(m_drawings[d].grid, placed[d], &relations);
            return std::make_pair(
                PackageMember::compress("xl/drawings/drawing" + number + ".xml", xml),
                PackageMember::compress("xl/drawings/_rels/drawing" + number + ".xml.rels", relations));
        }));
    }
    for (auto& drawing : made) {
        auto [xml, relations] = drawing.get();
        parts->push_back(std::move(xml));
        parts->push_back(std::move(relations));
    }
}

std::vector<std::vector<PlacedPicture>> LibraryWriter::placedPictures(std::vector<PackageMember>* pictures) const
{
    // Each distinct picture file once, numbered in the order the sheets
    // first show them.
    std::vector<std::vector<PlacedPicture>> placed(m_drawings.size());
    std::map<int, int> mediaOfStored;
    QHash<QByteArray, int> mediaOfBytes;
    for (std::size_t d = 0; d < m_drawings.size(); ++d) {
        for (const Picture* picture : m_drawings[d].pictures) {
            auto known = mediaOfStored.find(picture->stored);
            if (known == mediaOfStored.end()) {
                int& media = mediaOfBytes[picture->png];
                if (media == 0) {
                    media = int(pictures->size()) + 1;
                    pictures->push_back(PackageMember::store(
                        "xl/media/image" + QByteArray::number(media) + ".png", picture->png));
                }
                known = mediaOfStored.emplace(picture->stored, media).first;
            }
            PlacedPicture at;
            at.row = picture->row;
            at.column = picture->column;
            at.left = int(std::lround(picture->left * kPixelsPerPoint));
            at.top = int(std::lround(picture->top * kPixelsPerPoint));
            at.size = picture->size;
            at.media = known->second;
            placed[d].push_back(at);
        }
    }
    return placed;
}

void LibraryWriter::writeSheet(const Worksheet& sheet, PreparedSheet& prepared,
                        std::vector<int>* styleIndex, bool active)
{
    lxw_worksheet* target = workbook_add_worksheet(m_book, sheet.name().toUtf8().constData());
    if (!target) {
        check(LXW_ERROR_SHEETNAME_ALREADY_USED);
        return;
    }
    // The rows above the table are printed on every page.
    check(worksheet_repeat_rows(target, 0, 4));
    if (!m_hasText) {
        m_hasText = true;
        check(worksheet_write_string(target, 0, 0, "-", nullptr));
    }
    for (const Style& style : prepared.styles) {
        lxw_format* look = format(style);
        styleIndex->push_back(look ? lxw_format_get_xf_index(look) : 0);
    }
    DrawingGrid grid;
    grid.rowHeights = prepared.rowHeights;
    grid.columnWidths = prepared.part.columnWidths;
    prepared.part.drawing = writePictures(target, sheet, std::move(grid));
    if (active)
        worksheet_activate(target);
}

} // namespace platform::xlsx
