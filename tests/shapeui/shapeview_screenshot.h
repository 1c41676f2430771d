#pragma once
// Pictures of widgets for a person to look at: written as
// $RODO_SCREENSHOT_DIR/<name>.png when that variable is set, else nothing.

#include <QDir>
#include <QWidget>

namespace test {

inline void saveScreenshot(QWidget& widget, const char* name)
{
    const QString dir = qEnvironmentVariable("RODO_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        widget.grab().save(QDir(dir).filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
}

} // namespace test
