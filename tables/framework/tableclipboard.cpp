#include "tables/framework/tableclipboard.h"

CVes_TableClipboard::CVes_TableClipboard() = default;

CVes_TableClipboard::~CVes_TableClipboard()
{
    clear();
}

void CVes_TableClipboard::clear()
{
    // Front to back, each through its own destructor.
    for (auto& row : m_lines)
        row.reset();
    m_lines.clear();
}

int CVes_TableClipboard::canPaste() const
{
    switch (m_kind) {
    case kEmpty:
        return 0;
    case kSetupLines:
    case kProcessLines:
        return m_linesKind == m_kind && !m_lines.empty() ? 1 : 0;
    case kText:
        return m_text.isEmpty() ? 0 : 1;
    default:
        return 1;
    }
}

int CVes_TableClipboard::copyLine(const CVes_TableBaseLine* row, int kind, RowCopier copier,
                                  int clearFirst)
{
    if (!row)
        return 0;
    append(*row, kind, copier, clearFirst);
    return 1;
}

void CVes_TableClipboard::copyLines(const TableLineList& rows, int kind, RowCopier copier)
{
    clear();
    for (const CVes_TableBaseLine* row : rows) {
        if (row)
            append(*row, kind, copier, 0);
    }
}

void CVes_TableClipboard::append(const CVes_TableBaseLine& row, int kind, RowCopier copier,
                                 int clearFirst)
{
    // The copy is taken before anything is deleted, so a row may come from
    // anywhere. Rows of another sheet never stay beside the new ones.
    std::unique_ptr<CVes_TableBaseLine> copy = copier(row);
    m_kind = kind;
    if (clearFirst || m_linesKind != kind)
        clear();
    m_linesKind = kind;
    m_copier = copier;
    m_lines.push_back(std::move(copy));
}

int CVes_TableClipboard::setText(const QString& text, int kind)
{
    m_kind = kind;
    m_text = text;
    return 1;
}

QString CVes_TableClipboard::getText(int kind) const
{
    return kind == m_kind ? m_text : QString();
}

TableLineList CVes_TableClipboard::getLines(int kind) const
{
    TableLineList result;
    if (kind != m_kind || kind != m_linesKind)
        return result;
    for (const auto& row : m_lines)
        result.append(m_copier(*row).release());
    return result;
}

bool CVes_TableClipboard::hasLines(int kind) const
{
    return kind == m_kind && kind == m_linesKind && !m_lines.empty();
}

CVes_TableClipboard& tableClipboard()
{
    static CVes_TableClipboard clipboard;
    return clipboard;
}

namespace {

QString sheetName(int kind)
{
    switch (kind) {
    case CVes_TableClipboard::kSetupLines:
        return QStringLiteral("钢筋配料单");
    case CVes_TableClipboard::kProcessLines:
        return QStringLiteral("钢筋加工明细单");
    case CVes_TableClipboard::kSLLines:
        return QStringLiteral("钢筋用量明细表");
    default:
        return {};
    }
}

} // namespace

int CVes_TableClipboard::rowKindOfTable(unsigned int tableType)
{
    // The table types of the bar list, the processing sheet and the
    // quantity sheet.
    switch (tableType) {
    case 1:
        return kSetupLines;
    case 2:
        return kProcessLines;
    case 3:
        return kSLLines;
    default:
        return kEmpty;
    }
}

QString CVes_TableClipboard::pasteRefusal(CVes_TableBase& table)
{
    const int wanted = rowKindOfTable(table.getTableType());
    if (wanted == kEmpty)
        return QStringLiteral("这张表格不能粘贴行。");
    const CVes_TableClipboard& clip = tableClipboard();
    const int held = clip.heldKind();
    if (held == kEmpty || (held != kText && !clip.hasLines(held)))
        return QStringLiteral("剪贴板中没有可粘贴的行：请先复制或剪切%1中的行。").arg(sheetName(wanted));
    if (held == kText)
        return QStringLiteral("剪贴板中是一段备注文字，只能粘贴到钢筋配料单的备注列中。");
    if (held != wanted)
        return QStringLiteral("剪贴板中是%1的行，不能粘贴到%2中。").arg(sheetName(held), sheetName(wanted));
    if (table.getSelectRow() < 1)
        return QStringLiteral("请先选择要粘贴到的行。");
    if (!table.isContinueSelect())
        return QStringLiteral("粘贴的行只能替换一段连续选择的行。");
    return QStringLiteral("剪贴板中的内容不能粘贴到这里。");
}
