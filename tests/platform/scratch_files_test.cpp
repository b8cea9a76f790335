#include "platform/scratch_files.h"

#include "platform/program_folder.h"
#include "scoped_environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

} // namespace

TEST(ScratchFiles, AnInstalledProgramKeepsItsScratchInThePrivateCacheFolder)
{
    QTemporaryDir dir;
    ScopedEnvironment environment;
    environment.set("HOME", dir.path() + "/home");
    environment.set("XDG_CACHE_HOME", dir.path() + "/cache");

    // A build folder of the user's own, writable: scratch files stay beside the program.
    const QString build = dir.path() + "/build/bin";
    ASSERT_TRUE(QDir().mkpath(build));
    EXPECT_EQ(ProgramFolder::scratchRootFor(build), build);

    // Under the system's prefixes, though writable by the root user: the cache folder, private.
    EXPECT_EQ(ProgramFolder::scratchRootFor("/usr/lib/tavrel"), dir.path() + "/cache/tavrel");
    EXPECT_EQ(modeOf(dir.path() + "/cache/tavrel"), 0700u);

    // A cache folder made open by an earlier version is closed again.
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path() + "/cache/tavrel").constData(), 0755), 0);
    EXPECT_EQ(ProgramFolder::scratchRootFor("/opt/tavrel"), dir.path() + "/cache/tavrel");
    EXPECT_EQ(modeOf(dir.path() + "/cache/tavrel"), 0700u);

    // A relative XDG_CACHE_HOME is ignored, as the XDG rules say.
    environment.set("XDG_CACHE_HOME", "cache");
    EXPECT_EQ(ProgramFolder::scratchRootFor("/usr/lib/tavrel"), dir.path() + "/home/.cache/tavrel");

    // A program folder that belongs to someone else (only the root user can make one here).
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(build).constData(), 65534, 65534), 0);
        EXPECT_EQ(ProgramFolder::scratchRootFor(build), dir.path() + "/home/.cache/tavrel");
    }
}
