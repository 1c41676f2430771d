// The cell editors a sheet view opens over its cells.

#include "tables/framework/ui/tableview.h"

#include "core/geometry/text.h"
#include "envora/usercustom.h"

#include <algorithm>

void CVes_TableViewBase::openCellEditor(int row, int column, const QString& text,
                                        const platform::Rect& box, int textHeight,
                                        int recordType, unsigned firstChar, bool inPlace,
                                        QWidget* parent)
{
    if (!inPlace && Info_GetUserCustomTableEditMode() == 0) {
        if (m_recordDlg) {
            CVes_EditRecordDlg* old = m_recordDlg;
            old->commitEdit();
            old->deleteLater();
        }
        m_recordDlg = new CVes_EditRecordDlg(this);
        m_recordDlg->setRecordType(recordType);
        m_recordDlg->setEditInfo(row, column, text, int(firstChar));
        m_recordDlg->show();
        return;
    }
    if (m_inPlaceEdit)
        m_inPlaceEdit->EndEdit();
    m_inPlaceEdit = new CVes_InPlaceEdit(
        parent ? parent : viewport(), box,
        inplace::WS_CHILD | inplace::WS_VISIBLE | inplace::WS_BORDER | inplace::WS_TABSTOP
            | inplace::ES_AUTOHSCROLL | inplace::ES_CENTER,
        kInPlaceEditId, row, column, text, firstChar);
    if (auto* owner = dynamic_cast<InPlaceEditOwner*>(parent))
        m_inPlaceEdit->setOwner(owner);
    else
        m_inPlaceEdit->setOwner(this);
    m_editorFont = QFont(QStringLiteral("Times New Roman"));
    m_editorFont.setPixelSize(std::max(1, textHeight));
    m_editorFont.setWeight(QFont::Weight(600));
    m_editorFont.setStyleHint(QFont::Serif);
    m_inPlaceEdit->setFont(m_editorFont);
}

void CVes_TableViewBase::openCellList(int row, int column, const QStringList& items,
                                      const QString& initialText, const platform::Rect& box)
{
    if (m_inPlaceList)
        m_inPlaceList->EndEdit();
    m_inPlaceList = new CVes_InPlaceList(
        viewport(), box,
        inplace::WS_CHILD | inplace::WS_VISIBLE | inplace::WS_VSCROLL
            | CVes_InPlaceList::CBS_DROPDOWNLIST,
        CVes_InPlaceList::kEditFieldId, row, column, items, initialText, inplace::kClick);
    m_inPlaceList->setOwner(this);
}

platform::Rect CVes_TableViewBase::textEditBox(CVes_Variable& variable) const
{
    platform::Rect box;
    variable.LocateRect(box);
    box = LPtoDP(box);
    const int textHeight = LPtoDP(variable.m_height);
    const double halfWidth = box.Width() / 2.0;
    if (variable.m_align == CVes_String::kCentre) {
        const QPoint centre = box.CenterPoint();
        return platform::Rect(int(centre.x() - 1.4 * halfWidth),
                              int(centre.y() - 0.7 * textHeight),
                              int(centre.x() + 1.4 * halfWidth),
                              int(centre.y() + 0.7 * textHeight));
    }
    box.top = int(box.top - 0.3 * textHeight);
    box.bottom = int(box.top + 1.5 * textHeight);
    return box;
}
