#include "platform/instance_claim.h"

#include "scoped_environment.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

TEST(InstanceClaim, OnlyOneHolderUntilItGoes)
{
    QTemporaryDir dir;
    const QString lock = dir.path() + "/run/tavrel.lock";
    {
        InstanceClaim first(lock);
        ASSERT_TRUE(first.tryClaim());
        EXPECT_TRUE(first.isHeld());
        InstanceClaim second(lock);
        EXPECT_FALSE(second.tryClaim());
        EXPECT_FALSE(second.isHeld());
    }
    // The first is gone: the claim is free again.
    InstanceClaim third(lock);
    EXPECT_TRUE(third.tryClaim());
}

TEST(InstanceClaim, ALockLeftByADeadInstanceIsRecovered)
{
    QTemporaryDir dir;
    const QString lock = dir.path() + "/tavrel.lock";
    // A child takes the claim and dies without letting go, as a crash would leave it.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        InstanceClaim *dying = new InstanceClaim(lock); // never let go: the process just ends
        _exit(dying->tryClaim() ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    InstanceClaim claim(lock);
    EXPECT_TRUE(claim.tryClaim());
}

TEST(InstanceClaim, PathsDependOnTheSettingsFileAndTheRaiseRequestArrives)
{
    EXPECT_NE(InstanceClaim::lockPathFor("/a/Tavrel.conf"), InstanceClaim::lockPathFor("/b/Tavrel.conf"));
    EXPECT_EQ(InstanceClaim::lockPathFor("/a/Tavrel.conf"), InstanceClaim::lockPathFor("/a/Tavrel.conf"));
    EXPECT_TRUE(InstanceClaim::raiseSocketPathFor("/run/x.lock").endsWith("/run/x.sock"));

    QTemporaryDir dir;
    const QString socket = dir.path() + "/tavrel.sock";
    EXPECT_FALSE(requestRaise(socket)); // nobody listens
    QLocalServer server;
    ASSERT_TRUE(server.listen(socket));
    QSignalSpy connected(&server, &QLocalServer::newConnection);
    EXPECT_TRUE(requestRaise(socket));
    EXPECT_TRUE(connected.wait(5000) || connected.count() > 0);
}

TEST(InstanceClaim, AFolderOthersCanWriteInIsNeverUsedForTheClaim)
{
    QTemporaryDir dir;
    const QString shared = dir.path() + "/shared";
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    ScopedEnvironment environment;
    environment.set("XDG_RUNTIME_DIR", shared);
    environment.set("XDG_CACHE_HOME", dir.path() + "/cache");

    const QString lock = InstanceClaim::lockPathFor("/a/Tavrel.conf");
    const QString folder = QFileInfo(lock).absolutePath();
    EXPECT_FALSE(lock.startsWith(shared + "/")) << lock.toStdString();
    struct stat info;
    ASSERT_EQ(::lstat(QFile::encodeName(folder).constData(), &info), 0) << folder.toStdString();
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_uid, getuid());
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A private runtime folder of ours is used as it is; a relative one never.
    const QString own = dir.path() + "/own";
    ASSERT_TRUE(QDir().mkpath(own));
    ASSERT_EQ(::chmod(QFile::encodeName(own).constData(), 0700), 0);
    environment.set("XDG_RUNTIME_DIR", own);
    EXPECT_TRUE(InstanceClaim::lockPathFor("/a/Tavrel.conf").startsWith(own + "/"));
    environment.set("XDG_RUNTIME_DIR", "relative");
    EXPECT_FALSE(InstanceClaim::lockPathFor("/a/Tavrel.conf").startsWith("relative"));

    // Someone else's private folder is not ours either (only the root user can make one here).
    if (geteuid() == 0) {
        ASSERT_EQ(::chown(QFile::encodeName(own).constData(), 65534, 65534), 0);
        environment.set("XDG_RUNTIME_DIR", own);
        EXPECT_FALSE(InstanceClaim::lockPathFor("/a/Tavrel.conf").startsWith(own + "/"));
    }
}

TEST(InstanceClaim, ALockThatIsALinkIsNotFollowed)
{
    QTemporaryDir dir;
    const QString target = dir.path() + "/elsewhere";
    const QString lock = dir.path() + "/tavrel.lock";
    ASSERT_TRUE(QFile::link(target, lock));
    InstanceClaim claim(lock);
    EXPECT_TRUE(claim.tryClaim()); // runs, without a lock
    EXPECT_FALSE(QFileInfo::exists(target));
}

TEST(InstanceClaim, TheRaiseRequestNeverWaitsOnAListenerThatDoesNotAccept)
{
    QTemporaryDir dir;
    const QByteArray path = QFile::encodeName(dir.path() + "/stuck.sock");
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.constData(), size_t(path.size()));
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(listener, 0);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
    ASSERT_EQ(::listen(listener, 0), 0);
    // Its queue filled by connections it never takes.
    std::vector<int> waiting;
    for (int i = 0; i < 64; ++i) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK, 0);
        const bool queued = ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
        waiting.push_back(fd);
        if (!queued)
            break;
    }
    std::atomic<bool> done = false;
    std::thread request([&] {
        requestRaise(dir.path() + "/stuck.sock");
        done = true;
    });
    for (int i = 0; i < 400 && !done; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    const bool returned = done;
    ::close(listener); // lets a request that still waits go
    for (const int fd : waiting)
        ::close(fd);
    request.join();
    EXPECT_TRUE(returned);
}
