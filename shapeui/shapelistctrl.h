#pragma once
// The thumbnail list of the shape library manager, the shape choosers and
// the common-bars editor: every shape record drawn into a small bitmap and
// captioned with its key and, when the user gave the shape a number of his
// own, that number. The dialogs set the thumbnail size, the start-library
// and label flags before they call setRecords.

#include "platform/dc.h"
#include "platform/gdi.h"

#include <QListWidget>
#include <QPixmap>
#include <QStringList>

#include <memory>
#include <optional>
#include <vector>

class CVes_ModelRecord;
class CVes_SteelModelUserIdLib;

class CVes_ShapeListCtrl : public QListWidget {
    Q_OBJECT
public:
    // What an inserted item carries (the insert mask).
    static constexpr unsigned LVIF_TEXT = 0x1;
    static constexpr unsigned LVIF_IMAGE = 0x2;
    static constexpr unsigned LVIF_PARAM = 0x4;
    // Item states.
    static constexpr unsigned LVIS_FOCUSED = 0x1;
    static constexpr unsigned LVIS_SELECTED = 0x2;
    // Pixels of this colour are transparent in the thumbnails.
    static constexpr platform::COLORREF kMaskColour = platform::RGB(255, 255, 0);

    using RecordArray = std::vector<CVes_ModelRecord*>;
    using OwnedRecordArray = std::vector<std::unique_ptr<CVes_ModelRecord>>;

    explicit CVes_ShapeListCtrl(QWidget* parent = nullptr);
    ~CVes_ShapeListCtrl() override;

    // Shows the records (borrowed; null shows nothing): rebuilds thumbnails
    // and captions, one item per record in order, item 0 the hot item.
    void setRecords(const RecordArray* records);
    void setRecords(const OwnedRecordArray* records);
    // The record item `item` shows, or null.
    CVes_ModelRecord* getRecord(int item) const;
    int recordCount() const { return int(m_records.size()); }

    // Rebuilds the bitmaps, the image list and the captions from the records.
    void refreshImages();
    // The record drawn into a new bitmap of the thumbnail size, made
    // compatible with `dc` (null: the list's own screen); a null bitmap
    // without a record.
    platform::Bitmap renderRecord(CVes_ModelRecord* record, platform::Dc* dc = nullptr);

    // Settings, made before setRecords.
    void setThumbnailSize(int width, int height);
    int thumbnailWidth() const { return m_thumbWidth; }
    int thumbnailHeight() const { return m_thumbHeight; }
    void setUnitsPerInch(int units) { m_unitsPerInch = units; }
    int unitsPerInch() const { return m_unitsPerInch; }
    void setInsertMask(unsigned mask) { m_insertMask = mask; }
    unsigned insertMask() const { return m_insertMask; }
    // The thumbnails' background.
    void setThumbnailBkColor(platform::COLORREF colour) { m_thumbBkColour = colour; }
    // The two options the records are drawn with (names, values).
    void setDrawOption1(int option) { m_drawOption1 = option; }
    void setDrawOption2(int option) { m_drawOption2 = option; }
    int drawOption1() const { return m_drawOption1; }
    int drawOption2() const { return m_drawOption2; }
    // Nonzero when the records are start styles (their own user numbers).
    void setStartLib(int startLib) { m_startLib = startLib; }
    int isStartLib() const { return m_startLib; }
    // Nonzero marks thumbnails of shapes dimensioned on the inside.
    void setShowLabel(int show) { m_showLabel = show; }
    int showLabel() const { return m_showLabel; }

    // What was built by the last setRecords.
    const QStringList& captions() const { return m_captions; }
    // The tooltip of each item: key, dimensions and hooks of its shape.
    const QStringList& tips() const { return m_tips; }
    static QString describe(const CVes_ModelRecord& record);
    const std::vector<platform::Bitmap>& bitmaps() const { return m_bitmaps; }
    const QList<QPixmap>& images() const { return m_images; }

    // The list-control operations the dialogs use.
    int GetItemCount() const { return count(); }
    QString GetItemText(int item) const;
    unsigned GetItemState(int item, unsigned mask) const;
    bool SetItemState(int item, unsigned state, unsigned mask);
    // The first selected item from `from` + 1 on (-1: from the start), or -1.
    int nextSelectedItem(int from = -1) const;
    int GetHotItem() const { return m_hotItem; }
    int SetHotItem(int item);
    bool EnsureVisible(int item);
    void SetIconSpacing(int cx, int cy);
    void SetTextColor(platform::COLORREF colour);
    void SetTextBkColor(platform::COLORREF colour);
    void SetBkColor(platform::COLORREF colour);
    // Lets the user edit the captions in place.
    void setEditLabels(bool edit);

private:
    void clearImages();
    void insertItems();
    QString captionOf(const CVes_ModelRecord* record, const CVes_SteelModelUserIdLib& ids) const;

    RecordArray m_records;
    bool m_hasRecords = false;
    QList<QPixmap> m_images;             // the image list
    int m_thumbWidth = 150;
    int m_thumbHeight = 30;
    unsigned m_insertMask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    platform::COLORREF m_thumbBkColour = platform::RGB(255, 255, 255);
    int m_drawOption1 = 0;
    int m_drawOption2 = 1;
    int m_unitsPerInch = 130;
    int m_startLib = 0;
    int m_showLabel = 0;
    std::vector<platform::Bitmap> m_bitmaps;
    QStringList m_captions;
    QStringList m_tips;
    int m_hotItem = -1;
    bool m_editLabels = false;
    std::optional<QColor> m_textBkColour;
};
