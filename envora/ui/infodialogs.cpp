#include "envora/ui/infodialogs.h"

#include "envora/steelyuancaidata.h"
#include "envora/ui/rulesdialogs.h"
#include "platform/hostservices.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

using envora::BarFamily;

namespace {

envora::RawStockEditor& rawStockEditor()
{
    static envora::RawStockEditor editor;
    return editor;
}

template <typename Dialog, typename... Args>
void runDialog(Args... args)
{
    Dialog dialog(args..., QApplication::activeWindow());
    dialog.exec();
}

} // namespace

void Info_SteelWeight() { runDialog<envora::SizeTableDialog>(); }
void Info_SetSteelWeishu() { runDialog<envora::DataEndDialog>(); }
void Info_SetSteelLenCalType() { runDialog<envora::CalcTypeDialog>(); }
void Info_SetSteelWanzheR() { runDialog<envora::BendDiameterDialog>(BarFamily::Steel); }
void Info_SetSteelWanzheJingYan() { runDialog<envora::BendAdjustDialog>(BarFamily::Steel); }
void Info_SetGuSteelWanzheR() { runDialog<envora::BendDiameterDialog>(BarFamily::Gu); }
void Info_SetGuSteelWanzheJingYan() { runDialog<envora::BendAdjustDialog>(BarFamily::Gu); }

void Info_SETYuanCai(const QString& path)
{
    const QString file = path.isEmpty() ? envora::defaultYuanCaiPath() : path;
    const envora::RawStockEditor& edit = rawStockEditor();
    if (!edit) {
        platform::showMessage(QStringLiteral("原材库管理不可用。"), platform::MessageIcon::Warning);
        return;
    }
    CVes_SteelYuanCaiDataLib library;
    // A missing file starts an empty library; a damaged one is kept as it is
    // rather than overwritten by an empty one.
    QString reason;
    if (!library.readFile(file, &reason) && QFileInfo::exists(file)) {
        platform::showMessage(QStringLiteral("无法读取原材库文件%1，未做任何修改。\n%2")
                                  .arg(QDir::toNativeSeparators(file), reason),
                              platform::MessageIcon::Warning);
        return;
    }
    if (!edit(library, QApplication::activeWindow()))
        return;
    QString error;
    if (!library.writeFile(file, &error))
        platform::showMessage(QStringLiteral("无法保存原材库文件%1：%2").arg(file, error),
                              platform::MessageIcon::Warning);
}

namespace envora {

void setRawStockEditor(RawStockEditor editor)
{
    rawStockEditor() = std::move(editor);
}

} // namespace envora
