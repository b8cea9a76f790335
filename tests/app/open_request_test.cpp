#include "app/open_request.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Runs with the current folder set to a fresh folder, and puts the old one back.
class OpenRequestTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir::setCurrent(folder.path()));
        here = QDir::currentPath() + "/";
    }
    void TearDown() override { QDir::setCurrent(previous); }
    void touch(const QString &name)
    {
        QFile file(here + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    const QString previous = QDir::currentPath();
    QTemporaryDir folder;
    QString here;
};

TEST_F(OpenRequestTest, OnlyALeadingOpenAsksForWindowModeWithFiles)
{
    EXPECT_EQ(OpenRequest::filesToOpen({"tavrel", "--open", "a.apk", "/abs/b c.ipa", ""}),
              QStringList({here + "a.apk", "/abs/b c.ipa"}));
    // The launcher started without files: just the window.
    EXPECT_EQ(OpenRequest::filesToOpen({"tavrel", "--open"}), QStringList());
    for (const QStringList &other : {QStringList{"tavrel"}, QStringList{"tavrel", "a.apk", "--open"},
                                     QStringList{"tavrel", "--opened", "a.apk"}})
        EXPECT_FALSE(OpenRequest::filesToOpen(other).has_value()) << other.join(' ').toStdString();

    // A file that really carries the whole tail as its name is still the one-file rename.
    touch("--open a.apk");
    EXPECT_FALSE(OpenRequest::filesToOpen({"tavrel", "--open", "a.apk"}).has_value());
    EXPECT_TRUE(OpenRequest::filesToOpen({"tavrel", "--open", "b.apk"}).has_value());
}

TEST_F(OpenRequestTest, OnlyWhatTheDialogCouldChooseIsTaken)
{
    for (const char *name : {"a.apk", "b.ipa", "c.xapk", "D.APK", "notes.txt", "apk", "x.ipa.txt"})
        touch(name);
    ASSERT_TRUE(QDir().mkpath(here + "folder.apk"));
    const QStringList given{here + "notes.txt",   here + "b.ipa",     here + "folder.apk",
                            here + "missing.apk", here + "a.apk",     here + "D.APK",
                            here + "apk",         here + "x.ipa.txt", here + "c.xapk"};
    // The dialog's filter shows names without regard to case, and no folder can be chosen.
    EXPECT_EQ(OpenRequest::choosableAmong(given),
              QStringList({here + "b.ipa", here + "a.apk", here + "D.APK", here + "c.xapk"}));
}

} // namespace
