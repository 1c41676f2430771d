#pragma once
// The message in which a later copy of the program hands its files to the
// running one: a first line naming the message, one absolute path a line in
// UTF-8, and an empty line at the end.

#include <QByteArray>
#include <QStringList>
#include <optional>

// A message larger than this is not one of ours.
constexpr qsizetype kMaxOpenRequest = 1 << 20;

QByteArray encodeOpenRequest(const QStringList& files);
// The files of a whole message; nothing for a message that is not one (or
// holds a path that is not absolute or not UTF-8).
std::optional<QStringList> decodeOpenRequest(const QByteArray& message);
