#include "platform/instance_claim.h"

#include <QFile>
#include <QLocalServer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

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
