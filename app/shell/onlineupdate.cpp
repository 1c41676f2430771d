#include "app/shell/onlineupdate.h"

#include "core/geometry/datafolder.h"
#include "core/model/modelrecordlib.h"
#include "core/model/shapebitmap.h"
#include "platform/hostservices.h"
#include "platform/profile.h"

#include <QDateTime>
#include <QFileInfo>
#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSaveFile>
#include <QUrl>

namespace {

constexpr int kTransferTimeoutMs = 60000;
const QString kNetworkFailed = QStringLiteral("网络连接失败！");

QString serverFile(const char* path)
{
    return updateServerAddress() + QString::fromUtf8(path);
}

// Fetches one of the server's version files through the data folder's
// "name" and reads it; false (after the network message) when it could not
// be fetched. The local copy is deleted once read.
bool fetchVersionFile(const char* serverPath, const char* localName, VersionFile& file)
{
    const QString local = GetRODOFilePath() + QString::fromUtf8(localName);
    const bool fetched = downloadFile(serverFile(serverPath), local) == 0;
    QByteArray bytes;
    if (fetched) {
        QFile in(local);
        if (in.open(QIODevice::ReadOnly))
            bytes = in.readAll();
    }
    QFile::remove(local);
    if (!fetched) {
        platform::showMessage(kNetworkFailed);
        return false;
    }
    file = readVersionFile(bytes);
    return true;
}

bool haveServer()
{
    if (!updateServerAddress().isEmpty())
        return true;
    platform::showMessage(QStringLiteral("没有设置更新服务器的地址。\n请在配置文件 Rodo.ini 的 [%1] 一节写入 %2=http://服务器地址。")
                              .arg(QString::fromUtf8(kUpdateSection), QString::fromUtf8(kUpdateServerKey)));
    return false;
}

// Whether `path` holds a system shape library with at least one sub-library.
bool isShapeLibrary(const QString& path)
{
    if (QFileInfo(path).size() <= 0)
        return false;
    CVes_ModelRecordMainLib trial;
    return trial.loadLib(path, 1) == 1 && !trial.getSyslibArray().empty();
}

// Puts `fresh` in place of `installed`, keeping the previous library as
// `backup`; when the last step fails, the previous library goes back.
bool swapLibrary(const QString& fresh, const QString& installed, const QString& backup)
{
    QFile::remove(backup);
    const bool hadLibrary = QFile::exists(installed);
    if (hadLibrary && !QFile::rename(installed, backup))
        return false;
    if (QFile::rename(fresh, installed))
        return true;
    if (hadLibrary)
        QFile::rename(backup, installed);
    return false;
}

} // namespace

QString updateServerAddress()
{
    QString address = platform::profileValue(QString::fromUtf8(kUpdateSection),
                                             QString::fromUtf8(kUpdateServerKey))
                          .toString()
                          .trimmed();
    while (address.endsWith(u'/'))
        address.chop(1);
    return address;
}

bool isUpgradeLink(const QString& url)
{
    const QUrl parsed(url.trimmed(), QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    return parsed.isValid() && (scheme == u"http" || scheme == u"https") && !parsed.host().isEmpty();
}

int downloadFile(const QString& url, const QString& localPath)
{
    if (!isUpgradeLink(url))
        return -1;
    QNetworkAccessManager network;
    QNetworkRequest request{QUrl(url)};
    request.setRawHeader("Accept", "*/*");
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QStringLiteral("Agent%1").arg(QDateTime::currentMSecsSinceEpoch()));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    request.setTransferTimeout(kTransferTimeoutMs);

    QSaveFile out(localPath);
    if (!out.open(QIODevice::WriteOnly))
        return -1;
    platform::WaitCursor wait;
    QNetworkReply* reply = network.get(request);
    bool written = true;
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [&] {
        const QByteArray piece = reply->readAll();
        if (written && out.write(piece) != piece.size())
            written = false;
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    const QByteArray rest = reply->readAll();
    if (written && out.write(rest) != rest.size())
        written = false;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status == 200 && written;
    reply->deleteLater();
    if (!ok) {
        out.cancelWriting();
        return -1;
    }
    return out.commit() ? 0 : -1;
}

void checkProgramUpdate()
{
    if (!haveServer())
        return;
    VersionFile file;
    if (!fetchVersionFile("/rodo/version.txt", "version.ini", file))
        return;
    if (file.version <= kProgramVersion) {
        platform::showMessage(QStringLiteral("目前程序没有更新"));
        return;
    }
    if (!isUpgradeLink(file.url)) {
        platform::showMessage(QStringLiteral("有新版本的程序，但升级包的地址“%1”不是网址，未打开。").arg(file.url),
                              platform::MessageIcon::Warning);
        return;
    }
    if (platform::ask(QStringLiteral("目前程序有最新版本，是否下载最新升级包？\n下载完毕后请执行升级包安装文件。"))
        == platform::Answer::Yes)
        platform::host().openWithDesktop(file.url);
}

void updateBarLibrary()
{
    if (!haveServer())
        return;
    VersionFile file;
    if (!fetchVersionFile("/rodo/versionlib.txt", "versionlib.ini", file))
        return;
    ProgramVersion installed;
    getSysLibVer(installed.major, installed.minor, installed.build);
    if (!(installed < file.version)) {
        platform::showMessage(QStringLiteral("目前钢筋大样库没有更新"));
        return;
    }
    const QString folder = GetRODOFilePath();
    const QString fresh = folder + QStringLiteral("STeelStyleSys.exe");
    if (downloadFile(serverFile("/download/STeelStyleSys.exe"), fresh) < 0 || !isShapeLibrary(fresh)) {
        QFile::remove(fresh);
        platform::showMessage(QStringLiteral("更新失败！"));
        return;
    }
    if (!swapLibrary(fresh, folder + QStringLiteral("STeelStyleSys.jlb"),
                     folder + QStringLiteral("STeelStyleSys.bak"))) {
        QFile::remove(fresh);
        platform::showMessage(QStringLiteral("更新失败！"));
        return;
    }
    platform::showMessage(QStringLiteral("钢筋大样库更新成功"));
}
