// The desktop's side of the host services: opening a file with the program
// the desktop names for its type (faked by scripts on the PATH), and the
// save question's file dialog.

#include "platform/ui/qthostservices.h"

#include "tests/support/modal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <ostream>

namespace {

// A desktop of scripts: xdg-mime names `program` as the default for every
// type, xdg-open writes the file it was asked to open into "opened".
class FakeDesktop {
public:
    explicit FakeDesktop(const char* program) : m_oldPath(qgetenv("PATH"))
    {
        script(QStringLiteral("xdg-mime"), QStringLiteral("echo '%1'\n").arg(QString::fromUtf8(program)));
        // Written aside and renamed, so that the log never shows half written.
        script(QStringLiteral("xdg-open"),
               QStringLiteral("echo \"$1\" > '%1.part' && mv '%1.part' '%1'\n").arg(openedLog()));
        qputenv("PATH", QFile::encodeName(m_bin.path()) + ':' + m_oldPath);
    }
    ~FakeDesktop() { qputenv("PATH", m_oldPath); }

    QString openedLog() const { return m_bin.filePath(QStringLiteral("opened")); }
    // What xdg-open was asked to open, once it has run (it runs detached).
    QString opened(int waitMs) const
    {
        QElapsedTimer timer;
        timer.start();
        while (!QFile::exists(openedLog()) && timer.elapsed() < waitMs)
            QTest::qWait(20);
        QFile log(openedLog());
        return log.open(QIODevice::ReadOnly) ? QString::fromUtf8(log.readAll()).trimmed() : QString();
    }

private:
    void script(const QString& name, const QString& body)
    {
        QFile file(m_bin.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(("#!/bin/sh\n" + body).toUtf8());
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
    }

    QTemporaryDir m_bin;
    QByteArray m_oldPath;
};

struct DesktopCase {
    const char* program; // the desktop's default program for the type
    bool opens;
};

void PrintTo(const DesktopCase& c, std::ostream* os)
{
    *os << (*c.program ? c.program : "no program");
}

class OpenWithDesktop : public ::testing::TestWithParam<DesktopCase> {};

TEST_P(OpenWithDesktop, StartsTheDesktopsProgramOnlyWhenTheDesktopHasOne)
{
    const DesktopCase& c = GetParam();
    FakeDesktop desktop(c.program);
    QTemporaryDir dir;
    const QString book = dir.filePath(QStringLiteral("一层柱.xlsx"));
    QFile file(book);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();

    platform::QtHostServices host;
    EXPECT_EQ(host.openWithDesktop(book), c.opens);
    // Without a program nothing is started: the log stays missing.
    EXPECT_EQ(desktop.opened(c.opens ? 5000 : 300), c.opens ? book : QString());
}

INSTANTIATE_TEST_SUITE_P(Programs, OpenWithDesktop,
                         ::testing::Values(DesktopCase{"libreoffice-calc.desktop", true},
                                           DesktopCase{"", false}));

TEST(AskSaveFileName, TheDialogOpensInTheProposedFolderWithTheProposedName)
{
    QTemporaryDir dir;
    const QString proposed = dir.filePath(QStringLiteral("一层柱_钢筋配料单.xlsx"));
    QString shownFolder;
    QString shownName;
    test::onNextModal<QFileDialog>([&](QFileDialog* dialog) {
        shownFolder = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_TRUE(name);
        shownName = name->text();
        QTest::keyClick(name, Qt::Key_Return);
    });
    platform::QtHostServices host;
    const QString chosen = host.askSaveFileName(QStringLiteral("导出到Excel"), proposed,
                                                QStringLiteral("Excel 工作簿 (*.xlsx)"));
    EXPECT_EQ(shownFolder, QDir(dir.path()).absolutePath());
    EXPECT_EQ(shownName, QStringLiteral("一层柱_钢筋配料单.xlsx"));
    EXPECT_EQ(chosen, proposed);
}

} // namespace
