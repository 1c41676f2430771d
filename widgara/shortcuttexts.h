#pragma once
// Shortcuts as the profile keeps them: one "command=key" text each, the key
// in Qt's portable form ("Ctrl+Shift+Z").

#include <QKeySequence>
#include <QStringList>

#include <utility>
#include <vector>

namespace widgara {

// Entries that are not of that form, or repeat a key, are dropped.
QStringList shortcutsToStrings(const std::vector<std::pair<QKeySequence, int>>& bindings);
std::vector<std::pair<QKeySequence, int>> shortcutsFromStrings(const QStringList& entries);

} // namespace widgara
