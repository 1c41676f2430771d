#include "shapeui/shapelistctrl.h"

#include "core/model/modelrecord.h"
#include "platform/painterdc.h"
#include "core/model/steelmodeluserid.h"

#include <QBitmap>
#include <QImage>

using namespace platform::gdi;

namespace {

QColor toQColor(platform::COLORREF colour)
{
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

} // namespace

CVes_ShapeListCtrl::CVes_ShapeListCtrl(QWidget* parent) : QListWidget(parent)
{
    setViewMode(QListView::IconMode);
    setMovement(QListView::Static);
    setResizeMode(QListView::Adjust);
    setWrapping(true);
    setFlow(QListView::LeftToRight);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setIconSize(QSize(m_thumbWidth, m_thumbHeight));
}

CVes_ShapeListCtrl::~CVes_ShapeListCtrl() = default;

void CVes_ShapeListCtrl::setThumbnailSize(int width, int height)
{
    m_thumbWidth = width;
    m_thumbHeight = height;
}

void CVes_ShapeListCtrl::setRecords(const RecordArray* records)
{
    m_hasRecords = records != nullptr;
    m_records = records ? *records : RecordArray();
    refreshImages();
    insertItems();
}

void CVes_ShapeListCtrl::setRecords(const OwnedRecordArray* records)
{
    RecordArray pointers;
    if (records) {
        for (const auto& record : *records)
            pointers.push_back(record.get());
    }
    setRecords(records ? &pointers : nullptr);
}

CVes_ModelRecord* CVes_ShapeListCtrl::getRecord(int item) const
{
    return item >= 0 && item < recordCount() ? m_records[size_t(item)] : nullptr;
}

void CVes_ShapeListCtrl::clearImages()
{
    m_bitmaps.clear();
    m_images.clear();
    m_captions.clear();
    m_tips.clear();
}

void CVes_ShapeListCtrl::refreshImages()
{
    clearImages();
    if (!m_hasRecords)
        return;

    CVes_SteelModelUserIdLib ids;
    if (m_startLib)
        ids.readStartFile(QString());
    else
        ids.readFile(QString());

    for (CVes_ModelRecord* record : m_records) {
        const platform::Bitmap bitmap = renderRecord(record);
        m_bitmaps.push_back(bitmap);
        QPixmap image;
        if (!bitmap.isNull()) {
            image = QPixmap::fromImage(*bitmap.image());
            image.setMask(image.createMaskFromColor(toQColor(kMaskColour), Qt::MaskInColor));
        }
        m_images.append(image);
        m_captions.append(record ? captionOf(record, ids) : QString());
        m_tips.append(record ? describe(*record) : QString());
    }
}

QString CVes_ShapeListCtrl::describe(const CVes_ModelRecord& record)
{
    // What the picture alone does not say: the dimensions to type and the
    // hooks the shape comes with.
    QStringList dimensions;
    for (const auto& variable : record.m_arrVar)
        if (variable->m_type >= CVes_Variable::kGiven && !variable->m_text.isEmpty())
            dimensions << variable->m_text;
    const auto hook = [](const CVes_Hook& h) -> QString {
        if (!h.enabled)
            return QStringLiteral("无");
        switch (h.kind) {
        case 1: return QStringLiteral("90°");
        case 2: return QStringLiteral("135°");
        default: return QStringLiteral("180°");
        }
    };
    QString text = record.getID().ToString() + (record.m_stirrup == 1 ? QStringLiteral(" 箍筋") : QString());
    if (!dimensions.isEmpty())
        text += QStringLiteral("\n尺寸：") + dimensions.join(QStringLiteral("、"));
    text += QStringLiteral("\n弯钩：左 %1，右 %2").arg(hook(record.m_hookLeft), hook(record.m_hookRight));
    return text;
}

QString CVes_ShapeListCtrl::captionOf(const CVes_ModelRecord* record,
                                      const CVes_SteelModelUserIdLib& ids) const
{
    const CSteelRecordId key = record->getID();
    if (const CVes_SteelModelUserId* entry = ids.getModelUserId(key))
        return key.ToString() + QStringLiteral("(自定义：%1)").arg(entry->getUseId());
    return key.ToString();
}

platform::Bitmap CVes_ShapeListCtrl::renderRecord(CVes_ModelRecord* record, platform::Dc* dc)
{
    if (!record)
        return {};
    // The list's own screen: an image with the list's resolution and pixel
    // ratio, so that a screen scaled twice gets thumbnails of twice the pixels.
    QImage screenImage(1, 1, QImage::Format_RGB32);
    screenImage.setDotsPerMeterX(int(std::lround(logicalDpiX() / 0.0254)));
    screenImage.setDotsPerMeterY(int(std::lround(logicalDpiY() / 0.0254)));
    screenImage.setDevicePixelRatio(devicePixelRatioF());
    std::unique_ptr<platform::PainterDc> screen;
    if (!dc) {
        screen = std::make_unique<platform::PainterDc>(&screenImage);
        dc = screen.get();
    }

    platform::Bitmap bitmap = dc->CreateCompatibleBitmap(m_thumbWidth, m_thumbHeight);
    std::unique_ptr<platform::Dc> memory = dc->CreateCompatibleDC();
    const platform::Bitmap oldBitmap = memory->SelectObject(bitmap);

    const int oldMode = memory->SetMapMode(MM_ANISOTROPIC);
    memory->SetWindowExt(m_unitsPerInch, m_unitsPerInch);
    memory->SetViewportExt(dc->GetDeviceCaps(LOGPIXELSX), dc->GetDeviceCaps(LOGPIXELSY));
    platform::Rect rect(0, 0, m_thumbWidth, m_thumbHeight);
    memory->DPtoLP(&rect);

    memory->SetBkColor(m_thumbBkColour);
    memory->SetBkMode(TRANSPARENT);
    memory->FillSolidRect(rect, m_thumbBkColour);
    record->DrawEx(memory.get(), RGB(0, 255, 0), RGB(255, 0, 0), RGB(0, 0, 0), RGB(0, 0, 255), 0, 0,
                   0, &rect, m_drawOption2, m_drawOption1, 0.5);
    if (m_showLabel && record->m_outDim == 0) {
        memory->TextOut(0, 0, record->m_stirrup == 1 ? QStringLiteral("内皮尺寸(箍)")
                                                     : QStringLiteral("内皮尺寸(纵)"));
    }

    memory->SetMapMode(oldMode);
    memory->SelectObject(oldBitmap);
    return bitmap;
}

void CVes_ShapeListCtrl::insertItems()
{
    setIconSize(QSize(m_thumbWidth, m_thumbHeight));
    clear();
    m_hotItem = -1;
    for (int i = 0; i < m_images.size(); ++i) {
        auto* item = new QListWidgetItem;
        if (m_insertMask & LVIF_TEXT)
            item->setText(m_captions.value(i));
        item->setToolTip(m_tips.value(i));
        if ((m_insertMask & LVIF_IMAGE) && !m_images[i].isNull())
            item->setIcon(QIcon(m_images[i]));
        if (m_insertMask & LVIF_PARAM)
            item->setData(Qt::UserRole, i);
        item->setTextAlignment(Qt::AlignHCenter | Qt::AlignTop);
        Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        if (m_editLabels)
            flags |= Qt::ItemIsEditable;
        item->setFlags(flags);
        if (m_textBkColour)
            item->setBackground(*m_textBkColour);
        addItem(item);
    }
    SetHotItem(0);
}

QString CVes_ShapeListCtrl::GetItemText(int item) const
{
    const QListWidgetItem* it = this->item(item);
    return it ? it->text() : QString();
}

unsigned CVes_ShapeListCtrl::GetItemState(int item, unsigned mask) const
{
    const QListWidgetItem* it = this->item(item);
    if (!it)
        return 0;
    unsigned state = 0;
    if (it->isSelected())
        state |= LVIS_SELECTED;
    if (currentRow() == item)
        state |= LVIS_FOCUSED;
    return state & mask;
}

bool CVes_ShapeListCtrl::SetItemState(int item, unsigned state, unsigned mask)
{
    QListWidgetItem* it = this->item(item);
    if (!it)
        return false;
    if (mask & LVIS_FOCUSED) {
        if (state & LVIS_FOCUSED)
            setCurrentRow(item, QItemSelectionModel::NoUpdate);
    }
    if (mask & LVIS_SELECTED)
        it->setSelected((state & LVIS_SELECTED) != 0);
    return true;
}

int CVes_ShapeListCtrl::nextSelectedItem(int from) const
{
    for (int i = std::max(from + 1, 0); i < count(); ++i) {
        if (item(i)->isSelected())
            return i;
    }
    return -1;
}

int CVes_ShapeListCtrl::SetHotItem(int item)
{
    const int previous = m_hotItem;
    if (this->item(item)) {
        m_hotItem = item;
        setCurrentRow(item, QItemSelectionModel::NoUpdate);
    } else {
        m_hotItem = -1;
    }
    return previous;
}

bool CVes_ShapeListCtrl::EnsureVisible(int item)
{
    QListWidgetItem* it = this->item(item);
    if (!it)
        return false;
    scrollToItem(it);
    return true;
}

void CVes_ShapeListCtrl::SetIconSpacing(int cx, int cy)
{
    setGridSize(QSize(cx, cy));
}

void CVes_ShapeListCtrl::SetTextColor(platform::COLORREF colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Text, toQColor(colour));
    setPalette(p);
}

void CVes_ShapeListCtrl::SetTextBkColor(platform::COLORREF colour)
{
    m_textBkColour = toQColor(colour);
    for (int i = 0; i < count(); ++i)
        item(i)->setBackground(*m_textBkColour);
}

void CVes_ShapeListCtrl::SetBkColor(platform::COLORREF colour)
{
    QPalette p = palette();
    p.setColor(QPalette::Base, toQColor(colour));
    setPalette(p);
}

void CVes_ShapeListCtrl::setEditLabels(bool edit)
{
    m_editLabels = edit;
    setEditTriggers(edit ? QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked
                         : QAbstractItemView::NoEditTriggers);
    for (int i = 0; i < count(); ++i) {
        Qt::ItemFlags flags = item(i)->flags();
        item(i)->setFlags(edit ? flags | Qt::ItemIsEditable : flags & ~Qt::ItemIsEditable);
    }
}
