// Every test program starts here: a QApplication on the offscreen platform,
// a recorder in place of the desktop's dialogs, and a fresh data folder for
// every test, so that no test sees the files another one changed, whatever
// the order they run in.

#include "tests/support/datafolder.h"
#include "tests/support/recordinghost.h"

#include "platform/folders.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

#if defined(__SANITIZE_THREAD__)
#include <dlfcn.h>
#include <sched.h>
#include <sys/types.h>

#include <cstdarg>
#endif

namespace {

class DataFolderPerTest final : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { m_folder = std::make_unique<test::FreshDataFolder>(); }
    void OnTestEnd(const ::testing::TestInfo&) override { m_folder.reset(); }

    std::unique_ptr<test::FreshDataFolder> m_folder;
};

// A row that undo snapshots share, changed behind their back, fails the
// test that changed it; other messages go where they always went.
QtMessageHandler g_previousHandler = nullptr;

void failOnSharedRowMessages(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtCriticalMsg && text.startsWith(QLatin1String("undo snapshots:"))
        && ::testing::UnitTest::GetInstance()->current_test_info())
        ADD_FAILURE() << text.toStdString();
    if (g_previousHandler)
        g_previousHandler(type, context, text);
}

} // namespace

// Runtime options of the sanitizer builds (scripts/sanitize), also when a
// test program is run by hand: stop at the first finding, so that the test
// fails, and leave alone what the suppression files name in libraries that
// are not ours. Options in the environment still come on top.
extern "C" const char* __asan_default_options()
{
    return "detect_leaks=1:check_initialization_order=1:strict_init_order=1:detect_stack_use_after_return=1";
}

extern "C" const char* __lsan_default_options()
{
    return "suppressions=" RODO_SANITIZER_SUPPRESSIONS "/lsan.supp:print_suppressions=0";
}

extern "C" const char* __ubsan_default_options()
{
    return "halt_on_error=1:print_stacktrace=1:suppressions=" RODO_SANITIZER_SUPPRESSIONS "/ubsan.supp";
}

// Some tests start a child process (a second copy of the program, a PDF
// reader): the child runs a program of its own at once, so the threads the
// test makes after the fork are as safe as before it.
extern "C" const char* __tsan_default_options()
{
    return "halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=" RODO_SANITIZER_SUPPRESSIONS
           "/tsan.supp";
}

#if defined(__SANITIZE_THREAD__)
// Qt starts a child process the way vfork does: until the child runs its
// program it works in the memory of the thread that started it, the race
// checker's record of that thread included, and from then on the checker
// misses that thread's locks and atomics and reports races where there are
// none. (Qt leaves vfork aside when Qt itself is built for the checker; the
// system's Qt is not.) Here the child gets a copy of the memory instead; the
// parent still waits until the child has started its program or failed to.
extern "C" int clone(int (*fn)(void*), void* stack, int flags, void* arg, ...)
{
    va_list rest;
    va_start(rest, arg);
    auto* parentTid = va_arg(rest, pid_t*);
    void* tls = va_arg(rest, void*);
    auto* childTid = va_arg(rest, pid_t*);
    va_end(rest);
    using Clone = int (*)(int (*)(void*), void*, int, void*, ...);
    static const auto systemClone = reinterpret_cast<Clone>(dlsym(RTLD_NEXT, "clone"));
    if ((flags & CLONE_VM) && (flags & CLONE_VFORK))
        flags &= ~CLONE_VM;
    return systemClone(fn, stack, flags, arg, parentTid, tls, childTid);
}
#endif

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Every undo snapshot checks that the rows it shares with its sheet did
    // not change behind its back.
    qputenv("RODO_CHECK_SHARED_ROWS", "1");
    g_previousHandler = qInstallMessageHandler(failOnSharedRowMessages);
    // Whatever runs before the first test (the application's start) has a
    // data folder of its own too.
    test::FreshDataFolder home;
    // Qt's own dialogs keep their history in the user's configuration
    // folder: a test run keeps it in one of its own.
    const QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());

    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Rodo"));
    QApplication::setApplicationName(QStringLiteral("Rodo"));

    test::RecordingHost host;
    platform::setHost(&host);

    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new DataFolderPerTest);
    const int rc = RUN_ALL_TESTS();
    platform::setHost(nullptr);
    return rc;
}
