#include "tables/framework/streamfile.h"

#include "platform/archive.h"
#include "platform/hostservices.h"
#include "platform/savefile.h"

#include <QFileInfo>

namespace streamfile {

bool save(const QString& path, const std::function<void(platform::Archive&)>& write)
{
    if (path.isEmpty())
        return false;
    const platform::WaitCursor wait;
    try {
        platform::Archive ar;
        write(ar);
        return platform::saveFile(path, ar.data());
    } catch (const platform::ArchiveError&) {
        return false;
    }
}

bool load(const QString& path, const std::function<void(platform::Archive&)>& read)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return false;
    const platform::WaitCursor wait;
    QByteArray bytes;
    if (!platform::readFile(path, &bytes))
        return false;
    try {
        platform::Archive ar(bytes);
        read(ar);
        return true;
    } catch (const platform::ArchiveError&) {
        return false;
    }
}

} // namespace streamfile
