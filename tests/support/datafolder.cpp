#include "tests/support/datafolder.h"

#include "platform/folders.h"

#include <gtest/gtest.h>

namespace test {

FreshDataFolder::FreshDataFolder() : m_oldHome(qgetenv("RODO_HOME"))
{
    EXPECT_TRUE(m_dir.isValid()) << m_dir.errorString().toStdString();
    qputenv("RODO_HOME", path().toUtf8());
    // Settings and libraries read from the folder before are those of
    // another test.
    platform::resetFolderCache();
}

FreshDataFolder::~FreshDataFolder()
{
    qputenv("RODO_HOME", m_oldHome);
    platform::resetFolderCache();
}

QString FreshDataFolder::path() const
{
    return m_dir.path() + u'/';
}

} // namespace test
