#pragma once
// Online updates: the program update check compares the program's version
// with the version file on the update server and offers the upgrade
// package's address to the user's browser; the shape-library update
// downloads a newer system shape library and puts it in place of the
// installed one, which is kept as "STeelStyleSys.bak".
//
// The server's base address ("http://host:port") is the profile value
// "update"/"server"; with none set the commands say so. Its files are
// "/rodo/version.txt", "/rodo/versionlib.txt" and
// "/download/STeelStyleSys.exe". A download counts only with HTTP status
// 200, and a library only when it reads as a shape library; anything else
// leaves the installed library as it was.

#include "app/shell/versionfile.h"

#include <QByteArray>
#include <QString>

// The profile section and key of the update server's base address.
constexpr const char* kUpdateSection = "update";
constexpr const char* kUpdateServerKey = "server";
QString updateServerAddress();

// Fetches `url` (http or https only) into `localPath`: 0 when the server
// answered 200 and the whole body was written, -1 otherwise (the file is
// then left as it was). Waits for the answer without taking user input.
int downloadFile(const QString& url, const QString& localPath);

// Whether `url` may be handed to the browser: an http or https address.
bool isUpgradeLink(const QString& url);

void checkProgramUpdate();
void updateBarLibrary();
