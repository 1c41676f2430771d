#include "app/documents/sharedfiles.h"

#include "core/model/modelrecordlib.h"
#include "envora/steelyuancaidata.h"
#include "platform/hostservices.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QStringList>

#include <functional>

namespace {

// A file as it was checked: its size and time, so that a change is seen.
struct Stamp {
    qint64 size = -1;
    qint64 modified = 0;
    bool operator==(const Stamp&) const = default;
};

Stamp stampOf(const QFileInfo& file)
{
    return {file.size(), file.lastModified().toMSecsSinceEpoch()};
}

struct SharedFile {
    QString path;
    const char* what; // what the user loses with it
    // Reads the file; false, with what is wrong when the reader says, when
    // it cannot be used.
    std::function<bool(const QString&, QString*)> reads;
};

} // namespace

void reportDamagedSharedFiles()
{
    const SharedFile files[] = {
        {CVes_ModelRecordMainLib::sysLibPath(), "系统钢筋大样库文件（钢筋的形状和长度将无法显示和计算）",
         [](const QString& path, QString*) { return CVes_ModelRecordMainLib().loadLib(path, 1) == 1; }},
        {envora::defaultYuanCaiPath(), "钢筋原材文件（汇总和断料将不用其中的原材长度和价格）",
         [](const QString& path, QString* reason) { return CVes_SteelYuanCaiDataLib().readFile(path, reason); }},
    };
    // The state each file was last checked in.
    static QHash<QString, Stamp> checked;
    QStringList damaged;
    for (const SharedFile& file : files) {
        const QFileInfo info(file.path);
        if (!info.isFile()) {
            checked.remove(file.path);
            continue;
        }
        const Stamp now = stampOf(info);
        const auto seen = checked.constFind(file.path);
        if (seen != checked.cend() && *seen == now)
            continue;
        checked.insert(file.path, now);
        QString reason;
        if (!file.reads(file.path, &reason))
            damaged << QString::fromUtf8(file.what) + QStringLiteral("：\n")
                           + QDir::toNativeSeparators(file.path)
                           + (reason.isEmpty() ? QString() : QStringLiteral("\n") + reason);
    }
    if (!damaged.isEmpty())
        platform::showMessage(QStringLiteral("以下文件已损坏或由更新版本的程序保存，不能读取，请恢复或重新安装：\n\n%1")
                                  .arg(damaged.join(QStringLiteral("\n\n"))),
                              platform::MessageIcon::Stop);
}
