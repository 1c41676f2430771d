#include "platform/ui/qthostservices.h"

#include "platform/ui/translations.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <QUrl>

namespace platform {

namespace {

// How long the desktop may take to name the program for a file type.
constexpr int kDesktopAnswerMs = 5000;

bool onUiThread()
{
    return QCoreApplication::instance()
        && QThread::currentThread() == QCoreApplication::instance()->thread();
}

QMessageBox::StandardButtons toQt(Buttons buttons)
{
    switch (buttons) {
    case Buttons::Ok:
        return QMessageBox::Ok;
    case Buttons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

QMessageBox::Icon toQt(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Stop:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

Answer QtHostServices::message(const QString& text, MessageIcon icon, Buttons buttons,
                               const QString& title)
{
    // A worker thread never opens a dialog.
    if (!onUiThread())
        return safeAnswer(buttons);
    QMessageBox box(toQt(icon), title.isEmpty() ? QApplication::applicationDisplayName() : title,
                    text, toQt(buttons), QApplication::activeWindow());
    setChineseButtonTexts(box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Ok:
        return Answer::Ok;
    default:
        return Answer::Cancel;
    }
}

void QtHostServices::beginWait()
{
    if (onUiThread())
        QApplication::setOverrideCursor(Qt::WaitCursor);
}

void QtHostServices::endWait()
{
    if (onUiThread())
        QApplication::restoreOverrideCursor();
}

bool QtHostServices::openWithDesktop(const QString& pathOrUrl)
{
    if (!QFileInfo::exists(pathOrUrl))
        return QDesktopServices::openUrl(QUrl(pathOrUrl));
    // The desktop's launcher starts the program in the background and
    // cannot say whether there was one: the desktop is asked first.
    const QString type = QMimeDatabase().mimeTypeForFile(pathOrUrl).name();
    const QString query = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (!query.isEmpty()) {
        QProcess process;
        process.start(query, {QStringLiteral("query"), QStringLiteral("default"), type});
        if (process.waitForFinished(kDesktopAnswerMs) && process.exitStatus() == QProcess::NormalExit
            && process.readAllStandardOutput().trimmed().isEmpty())
            return false;
    }
    const QString launcher = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!launcher.isEmpty())
        return QProcess::startDetached(launcher, {pathOrUrl});
    return QDesktopServices::openUrl(QUrl::fromLocalFile(pathOrUrl));
}

QString QtHostServices::askSaveFileName(const QString& title, const QString& proposedPath,
                                        const QString& filter)
{
    if (!onUiThread())
        return {};
    return QFileDialog::getSaveFileName(QApplication::activeWindow(), title, proposedPath, filter);
}

} // namespace platform
