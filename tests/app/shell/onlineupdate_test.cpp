// Online updates against a small HTTP server of the test on the loopback
// address: the version files, the program update check, the shape-library
// update with its swap, and the download that counts only a whole answer
// with status 200.

#include "app/shell/onlineupdate.h"

#include "core/geometry/datafolder.h"
#include "core/model/modelrecordlib.h"
#include "platform/gbk.h"
#include "platform/profile.h"
#include "platform/savefile.h"
#include "tests/support/recordinghost.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>
#include <map>

namespace {

using platform::Answer;

// Answers GET requests from a table of paths; unknown paths get 404.
class TestServer : public QTcpServer {
public:
    struct Response {
        int status = 200;
        QByteArray body;
        QByteArray type = "application/octet-stream";
    };

    TestServer() { listen(QHostAddress::LocalHost, 0); }
    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    void serve(const QByteArray& path, Response response) { m_routes[path] = std::move(response); }
    QList<QByteArray> requested;

protected:
    void incomingConnection(qintptr descriptor) override
    {
        auto* socket = new QTcpSocket(this);
        socket->setSocketDescriptor(descriptor);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }

private:
    void answer(QTcpSocket* socket)
    {
        QByteArray request = socket->property("request").toByteArray() + socket->readAll();
        if (!request.contains("\r\n\r\n")) {
            socket->setProperty("request", request);
            return;
        }
        const QByteArray path = request.split(' ').value(1);
        requested << path;
        const auto it = m_routes.find(path);
        const Response r = it != m_routes.end() ? it->second : Response{404, "<html>404 Not Found</html>", "text/html"};
        socket->write("HTTP/1.1 " + QByteArray::number(r.status) + " X\r\nContent-Type: " + r.type
                      + "\r\nContent-Length: " + QByteArray::number(r.body.size())
                      + "\r\nConnection: close\r\n\r\n" + r.body);
        socket->disconnectFromHost();
    }

    std::map<QByteArray, Response> m_routes;
};

QByteArray versionText(int a, int b, int c, const QByteArray& url = {})
{
    QByteArray text = "[Version]\r\nVer1=" + QByteArray::number(a) + "\r\nVer2=" + QByteArray::number(b)
                      + "\r\nVer3=" + QByteArray::number(c) + "\r\n";
    if (!url.isEmpty())
        text += "[URL]\r\nURL=" + url + "\r\n";
    return text;
}

// The bytes of a system shape library of one sub-library at a version.
QByteArray libraryBytes(int a, int b, int c, const char* name)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("library.jlb"));
    CVes_ModelRecordMainLib library;
    library.AddNewSubLib(QString::fromUtf8(name), 1);
    library.setVer(a, b, c);
    EXPECT_EQ(library.saveLib(path, 1), 1);
    QByteArray bytes;
    EXPECT_TRUE(platform::readFile(path, &bytes));
    return bytes;
}

class Updates : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::setProfileValue(QString::fromUtf8(kUpdateSection), QString::fromUtf8(kUpdateServerKey),
                                  QString(server.base() + QStringLiteral("/")));
        folder = GetRODOFilePath();
        // The test owns the installed library: it puts its own in place and
        // restores the shipped one afterwards.
        m_hadLibrary = platform::readFile(file("STeelStyleSys.jlb"), &m_shipped);
        installed = libraryBytes(5, 0, 2, "原库");
        ASSERT_TRUE(platform::saveFile(file("STeelStyleSys.jlb"), installed));
        QFile::remove(file("STeelStyleSys.bak"));
    }
    void TearDown() override
    {
        platform::setProfileValue(QString::fromUtf8(kUpdateSection), QString::fromUtf8(kUpdateServerKey), QString());
        for (const char* name : {"STeelStyleSys.bak", "STeelStyleSys.exe", "version.ini", "versionlib.ini"})
            QFile::remove(file(name));
        if (m_hadLibrary)
            platform::saveFile(file("STeelStyleSys.jlb"), m_shipped);
        else
            QFile::remove(file("STeelStyleSys.jlb"));
    }

    QString file(const char* name) const { return folder + QString::fromUtf8(name); }
    QByteArray bytesOf(const char* name) const
    {
        QByteArray bytes;
        platform::readFile(file(name), &bytes);
        return bytes;
    }

    test::HostScope host;
    TestServer server;
    QString folder;
    QByteArray installed;

private:
    QByteArray m_shipped;
    bool m_hadLibrary = false;
};

// version files

struct VersionCase {
    const char* name;
    QByteArray text;
    ProgramVersion version;
    QString url;
};

class VersionFiles : public ::testing::TestWithParam<VersionCase> {};

TEST_P(VersionFiles, AreReadAsInitialisationFiles)
{
    const VersionFile file = readVersionFile(GetParam().text);
    EXPECT_EQ(file.version, GetParam().version);
    EXPECT_EQ(file.url.toStdString(), GetParam().url.toStdString());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, VersionFiles,
    ::testing::Values(
        VersionCase{"only_the_first_number", "[Version]\r\nVer1=5\r\n", {5, 0, 1}, {}},
        VersionCase{"whole", versionText(5, 0, 4, "http://h/rodo.exe"), {5, 0, 4}, QStringLiteral("http://h/rodo.exe")},
        VersionCase{"any_case_and_blanks", "[version]\n ver2 = 7 \n[url]\nurl= http://h/x \n", {1, 7, 1}, QStringLiteral("http://h/x")},
        VersionCase{"empty", "", {1, 0, 1}, {}},
        VersionCase{"html_error_page", "<html><body>404</body></html>", {1, 0, 1}, {}},
        VersionCase{"not_a_number", "[Version]\nVer1=五\nVer3=9x\n", {0, 0, 9}, {}},
        VersionCase{"key_of_another_section", "[URL]\nVer1=9\n[Version]\nURL=http://h\n", {1, 0, 1}, {}},
        VersionCase{"long_address_cut", "[URL]\nURL=http://h/" + QByteArray(200, 'a'), {1, 0, 1},
                    QStringLiteral("http://h/") + QString(91, u'a')},
        VersionCase{"gbk_text", "[URL]\nURL=" + platform::gbk::encode(QStringLiteral("http://h/升级.exe")), {1, 0, 1},
                    QStringLiteral("http://h/升级.exe")}),
    [](const auto& info) { return std::string(info.param.name); });

// the program update check

TEST_F(Updates, ANewerProgramIsOfferedAndItsAddressOpenedOnYes)
{
    server.serve("/rodo/version.txt", {200, versionText(5, 0, 4, "https://example.invalid/rodo.exe")});
    host->script({Answer::Yes});
    checkProgramUpdate();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral(
                                        "目前程序有最新版本，是否下载最新升级包？\n下载完毕后请执行升级包安装文件。")});
    EXPECT_EQ(host->opened(), QStringList{QStringLiteral("https://example.invalid/rodo.exe")});
    EXPECT_FALSE(QFile::exists(file("version.ini")));
}

TEST_F(Updates, ANewerProgramDeclinedOpensNothing)
{
    server.serve("/rodo/version.txt", {200, versionText(6, 0, 0, "http://h/x.exe")});
    host->script({Answer::No});
    checkProgramUpdate();
    EXPECT_TRUE(host->opened().isEmpty());
}

struct CheckCase {
    const char* name;
    int status;
    QByteArray body;
    const char* message;
};

class ProgramCheck : public Updates, public ::testing::WithParamInterface<CheckCase> {};

TEST_P(ProgramCheck, SaysWhyNothingIsOffered)
{
    server.serve("/rodo/version.txt", {GetParam().status, GetParam().body});
    checkProgramUpdate();
    ASSERT_EQ(host->messageTexts().size(), 1);
    EXPECT_TRUE(host->messageTexts().first().contains(QString::fromUtf8(GetParam().message)))
        << host->messageTexts().first().toStdString();
    EXPECT_TRUE(host->opened().isEmpty());
    EXPECT_FALSE(QFile::exists(file("version.ini")));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, ProgramCheck,
    ::testing::Values(
        CheckCase{"same_version", 200, versionText(5, 0, 3, "http://h/x.exe"), "目前程序没有更新"},
        CheckCase{"older_newer_third", 200, versionText(4, 9, 9), "目前程序没有更新"},
        CheckCase{"ver1_five_alone", 200, "[Version]\r\nVer1=5\r\n", "目前程序没有更新"},
        CheckCase{"not_found", 404, "<html>404</html>", "网络连接失败！"},
        CheckCase{"server_error", 500, "", "网络连接失败！"},
        // Only a web address is handed to the browser.
        CheckCase{"local_program", 200, versionText(5, 1, 0, "file:///usr/bin/xterm"), "不是网址"},
        CheckCase{"plain_path", 200, versionText(5, 1, 0, "/usr/bin/rm -rf"), "不是网址"},
        CheckCase{"script", 200, versionText(5, 1, 0, "javascript:alert(1)"), "不是网址"},
        CheckCase{"other_scheme", 200, versionText(5, 1, 0, "ftp://h/x.exe"), "不是网址"},
        CheckCase{"no_host", 200, versionText(5, 1, 0, "http://"), "不是网址"},
        CheckCase{"no_address", 200, versionText(5, 1, 0), "不是网址"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Updates, WithoutAServerAddressTheCommandsSaySo)
{
    platform::setProfileValue(QString::fromUtf8(kUpdateSection), QString::fromUtf8(kUpdateServerKey), QString());
    checkProgramUpdate();
    updateBarLibrary();
    ASSERT_EQ(host->messageTexts().size(), 2);
    EXPECT_TRUE(host->messageTexts().first().contains(QStringLiteral("没有设置更新服务器")));
    EXPECT_TRUE(server.requested.isEmpty());
}

// the shape-library update

TEST_F(Updates, ANewerLibraryIsSwappedInAndTheOldOneKept)
{
    const QByteArray fresh = libraryBytes(5, 1, 0, "新库");
    server.serve("/rodo/versionlib.txt", {200, versionText(5, 1, 0)});
    server.serve("/download/STeelStyleSys.exe", {200, fresh});
    updateBarLibrary();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("钢筋大样库更新成功")});
    EXPECT_EQ(bytesOf("STeelStyleSys.jlb"), fresh);
    EXPECT_EQ(bytesOf("STeelStyleSys.bak"), installed);
    EXPECT_FALSE(QFile::exists(file("versionlib.ini")));
    EXPECT_FALSE(QFile::exists(file("STeelStyleSys.exe")));
    EXPECT_EQ(server.requested, (QList<QByteArray>{"/rodo/versionlib.txt", "/download/STeelStyleSys.exe"}));
}

TEST_F(Updates, TheSameLibraryVersionDownloadsNothing)
{
    server.serve("/rodo/versionlib.txt", {200, versionText(5, 0, 2)});
    updateBarLibrary();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("目前钢筋大样库没有更新")});
    EXPECT_EQ(server.requested.size(), 1);
    EXPECT_FALSE(QFile::exists(file("versionlib.ini")));
}

struct BadDownload {
    const char* name;
    int status;
    QByteArray body;
    QByteArray type;
};

class LibraryDownload : public Updates, public ::testing::WithParamInterface<BadDownload> {};

TEST_P(LibraryDownload, ThatIsNoLibraryLeavesTheInstalledOneAlone)
{
    server.serve("/rodo/versionlib.txt", {200, versionText(5, 1, 0)});
    server.serve("/download/STeelStyleSys.exe", {GetParam().status, GetParam().body, GetParam().type});
    updateBarLibrary();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("更新失败！")});
    EXPECT_EQ(bytesOf("STeelStyleSys.jlb"), installed);
    EXPECT_FALSE(QFile::exists(file("STeelStyleSys.bak")));
    EXPECT_FALSE(QFile::exists(file("STeelStyleSys.exe")));
}

INSTANTIATE_TEST_SUITE_P(
    Answers, LibraryDownload,
    ::testing::Values(
        BadDownload{"not_found", 404, "<html><body>404 Not Found</body></html>", "text/html"},
        BadDownload{"html_error_page", 200, "<html><body>请先登录</body></html>", "text/html"},
        BadDownload{"empty", 200, "", "application/octet-stream"},
        BadDownload{"cut_short", 200, libraryBytes(5, 1, 0, "新库").left(20), "application/octet-stream"},
        BadDownload{"no_sub_library", 200, QByteArray::fromHex("0200000000000000"), "application/octet-stream"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Updates, AVersionFileThatCannotBeFetchedIsANetworkFailure)
{
    updateBarLibrary();
    EXPECT_EQ(host->messageTexts(), QStringList{QStringLiteral("网络连接失败！")});
    EXPECT_EQ(bytesOf("STeelStyleSys.jlb"), installed);
}

// downloads

TEST_F(Updates, ADownloadCountsOnlyAWholeAnswerWithStatus200)
{
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("x.bin"));
    server.serve("/ok", {200, "payload"});
    server.serve("/error", {500, "oops"});
    EXPECT_EQ(downloadFile(server.base() + QStringLiteral("/ok"), target), 0);
    QByteArray bytes;
    ASSERT_TRUE(platform::readFile(target, &bytes));
    EXPECT_EQ(bytes, QByteArray("payload"));
    EXPECT_EQ(downloadFile(server.base() + QStringLiteral("/error"), target), -1);
    ASSERT_TRUE(platform::readFile(target, &bytes));
    EXPECT_EQ(bytes, QByteArray("payload"));
    EXPECT_EQ(downloadFile(QUrl::fromLocalFile(target).toString(), dir.filePath(QStringLiteral("y"))), -1);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("y"))));
}

} // namespace
