#pragma once
// The program's version, as the About box, the status bar and the update
// check show and compare it.

#include <QString>
#include <compare>

struct ProgramVersion {
    int major = 0;
    int minor = 0;
    int build = 0;
    auto operator<=>(const ProgramVersion&) const = default;
};

constexpr ProgramVersion kProgramVersion{5, 0, 3};

// "<prefix> v5.0.3".
inline QString versionText(const QString& prefix)
{
    return QString::asprintf("%s v%d.%d.%d", prefix.toUtf8().constData(), kProgramVersion.major,
                             kProgramVersion.minor, kProgramVersion.build);
}
