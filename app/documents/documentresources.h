#pragma once
// The document windows' toolbars: the commands on each, their texts
// (status prompt and tooltip) and their icons, small pictures of a short
// label drawn at start-up. Registered once in the toolkit's resources.

#include <QIcon>
#include <QString>

// Registers the toolbars, texts and icons (again only after a reset of the
// toolkit's resources; calling it twice is harmless).
void registerDocumentResources();

// A 16 × 16 icon showing a label of one to three characters in a colour.
QIcon labelIcon(const QString& label, const QColor& colour);
