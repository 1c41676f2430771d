#pragma once
// Rules the project commands share for names and folders: which names a user
// may give a file or folder, whether a path lies under a folder, making a
// folder without harming a file of that name, and free names for new files.

#include <QString>

namespace projects {

// `name` inside `folder`.
QString joinPath(const QString& folder, const QString& name);

// The message for a name that cannot name a file or folder, or an empty
// text for a name that can. Refused: empty names, "." and "..", and names
// holding a separator, a character that a file name on either of the usual
// desktop systems cannot hold (\ / : * ? " < > |) or a control character.
QString nameProblem(const QString& name);
// Tells the user when the name is refused; answers whether it may be used.
bool acceptName(const QString& name);

// Whether `path` is `folder` or lies below it. Both are compared as
// canonical paths (links resolved, "." and ".." removed) at separator
// boundaries: "/p/a" does not lie under "/p/ab", nor "/p/ab" under "/p/a".
bool isUnderFolder(const QString& path, const QString& folder);

// Makes the folder `path` (its parent must exist). An existing folder is
// fine. A file of that name is left alone and the folder refused. A failure
// is shown to the user; answers whether the folder is there.
bool makeFolder(const QString& path);

// `stem` + `extension` in `folder`, or, when a file of that name is there
// already, the first of stem(2), stem(3), … that is free.
QString freeFileName(const QString& folder, const QString& stem, const QString& extension);

} // namespace projects
