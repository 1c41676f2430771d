#include "platform/ui/qthostservices.h"

#include "platform/ui/translations.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QProcess>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QThread>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include <atomic>
#include <thread>

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

bool QtHostServices::showHtml(const QString& title, const QString& html)
{
    if (!onUiThread())
        return false;
    auto* window = new QDialog(QApplication::activeWindow());
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setObjectName(QStringLiteral("HtmlPageWindow"));
    window->setWindowTitle(title);
    auto* page = new QTextBrowser(window);
    page->setOpenExternalLinks(false);
    page->setHtml(html);
    auto* buttons = new QDialogButtonBox(window);
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    QObject::connect(close, &QPushButton::clicked, window, &QDialog::close);
    auto* layout = new QVBoxLayout(window);
    layout->addWidget(page, 1);
    layout->addWidget(buttons);
    window->resize(760, 560);
    window->show();
    window->raise();
    window->activateWindow();
    return true;
}

bool QtHostServices::runWithProgress(const QString& text, bool cancellable,
                                     const BackgroundWork& work)
{
    return runWithProgress(text, cancellable, ProgressJob{{}, work, {}});
}

bool QtHostServices::runWithProgress(const QString& text, bool cancellable, const ProgressJob& job)
{
    constexpr int kProgressTick = 100;  // ms
    constexpr int kEndPoll = 10;        // ms
    // Read by the window while the worker runs.
    std::atomic<bool> cancel{false};
    std::atomic<int> done{0};
    std::atomic<int> total{0};
    // Read once the worker has been joined.
    bool finished = false;

    QProgressDialog progress(text, cancellable ? QStringLiteral("取消") : QString(), 0, 0,
                             QApplication::activeWindow());
    progress.setWindowTitle(QStringLiteral("请稍候"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    progress.setAutoClose(false);
    progress.setAutoReset(false);

    QEventLoop loop;
    if (cancellable)
        QObject::connect(&progress, &QProgressDialog::canceled, &loop, [&] { cancel = true; });
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, &progress, [&] {
        if (cancellable && progress.wasCanceled())
            cancel = true;
        // Work of a single step keeps the bar busy.
        if (total > 1) {
            progress.setMaximum(total);
            progress.setValue(done);
        }
    });
    // The work runs on a thread of the standard library and is joined
    // before its result is read: the join orders everything the work wrote
    // before what the caller, or the next run, does with it, also for the
    // race checker, which sees neither how Qt's own threads are waited for
    // nor, once the program has started a child process, the window
    // thread's atomics. The worker makes no call into Qt (a queued call would
    // hand an object over through Qt's event queue, unseen): the window's
    // loop looks for the end itself, often enough to close at once.
    std::atomic<bool> over{false};
    std::thread worker;
    enum class Step { Take, Work, Give, End } step = Step::Take;
    bool given = false;
    // One slice a turn of the loop, the window's own events between.
    QTimer slices;
    const auto next = [&] {
        switch (step) {
        case Step::Take:
            if (cancel) {
                step = Step::End;
            } else if (!job.take || job.take()) {
                step = Step::Work;
                slices.stop();
                worker = std::thread([&] {
                    finished = job.work(cancel, [&](int d, int t) {
                        done = d;
                        total = t;
                    });
                    over = true;
                });
            }
            break;
        case Step::Work:
            if (!over)
                return;
            worker.join();
            step = finished && !cancel ? Step::Give : Step::End;
            // What the work made is handed back whole.
            if (step == Step::Give && job.give && cancellable)
                progress.setCancelButtonText(QString());
            slices.start(0);
            break;
        case Step::Give:
            if (!job.give || job.give()) {
                given = true;
                step = Step::End;
            }
            break;
        case Step::End:
            break;
        }
        if (step == Step::End)
            loop.quit();
    };
    QObject::connect(&slices, &QTimer::timeout, &loop, next);
    QTimer end;
    QObject::connect(&end, &QTimer::timeout, &loop, [&] {
        if (step == Step::Work)
            next();
    });
    end.start(kEndPoll);
    tick.start(kProgressTick);
    slices.start(0);
    progress.show();
    loop.exec();
    if (worker.joinable())
        worker.join();
    return given;
}

} // namespace platform
