#pragma once
// The version files of the update server, in the layout of an
// initialisation file.

#include "app/shell/version.h"

#include <QByteArray>
#include <QString>

// A version file: [Version] Ver1, Ver2, Ver3 (1, 0, 1 when absent) and
// [URL] URL (at most 100 characters), in the layout of an initialisation
// file. Sections and keys are found without regard to case.
struct VersionFile {
    ProgramVersion version{1, 0, 1};
    QString url;
};
VersionFile readVersionFile(const QByteArray& bytes);
