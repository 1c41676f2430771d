// Shortcut entries read back from the profile: any text gives bindings
// without a crash, and what it gives writes and reads back the same.

#include "widgara/shortcuttexts.h"

#include <QGuiApplication>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const auto bindings = widgara::shortcutsFromStrings(text.split(QLatin1Char('\n')));
    if (widgara::shortcutsFromStrings(widgara::shortcutsToStrings(bindings)) != bindings)
        std::abort();
    return 0;
}
