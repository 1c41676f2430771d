#include "widgara/shortcuttexts.h"

#include <algorithm>

namespace widgara {

namespace {

// A key that names real keys and reads back as itself once written.
bool usable(const QKeySequence& key)
{
    if (key.isEmpty())
        return false;
    for (int i = 0; i < key.count(); ++i)
        if (key[i].key() == Qt::Key_unknown)
            return false;
    return QKeySequence::fromString(key.toString(QKeySequence::PortableText), QKeySequence::PortableText) == key;
}

} // namespace

QStringList shortcutsToStrings(const std::vector<std::pair<QKeySequence, int>>& bindings)
{
    QStringList entries;
    for (const auto& [key, command] : bindings)
        entries << QStringLiteral("%1=%2").arg(command).arg(key.toString(QKeySequence::PortableText));
    return entries;
}

std::vector<std::pair<QKeySequence, int>> shortcutsFromStrings(const QStringList& entries)
{
    std::vector<std::pair<QKeySequence, int>> bindings;
    for (const QString& entry : entries) {
        const qsizetype equals = entry.indexOf(QLatin1Char('='));
        bool ok = false;
        const int command = entry.left(equals).toInt(&ok);
        if (equals <= 0 || !ok || command <= 0)
            continue;
        const QKeySequence key = QKeySequence::fromString(entry.mid(equals + 1), QKeySequence::PortableText);
        if (!usable(key))
            continue;
        const bool taken = std::any_of(bindings.begin(), bindings.end(),
                                       [&key](const auto& b) { return b.first == key; });
        if (!taken)
            bindings.emplace_back(key, command);
    }
    return bindings;
}

} // namespace widgara
