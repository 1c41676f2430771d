#pragma once
// Files that hold one archive stream (a sheet template, a cover layout, the
// sort rules): written whole and atomically, read whole, behind the wait
// cursor.

#include <QString>

#include <functional>

namespace platform {
class Archive;
} // namespace platform

namespace streamfile {

// Writes what `write` stores to `path`. False for an empty path, or when the
// stream or the file cannot be written; a previous file then stays whole.
bool save(const QString& path, const std::function<void(platform::Archive&)>& write);
// Reads the file at `path` through `read`. False for an empty path, a missing
// or unreadable file, or a damaged stream; `read` should read into an object
// of its own, so that a failure leaves the caller's data as it was. An
// unknown schema passes to the caller as platform::SchemaError.
bool load(const QString& path, const std::function<void(platform::Archive&)>& read);

} // namespace streamfile
