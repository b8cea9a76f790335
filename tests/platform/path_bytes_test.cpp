#include "platform/path_bytes.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

TEST(PathBytes, EveryByteStringComesBackWholeAndUtf8ReadsAsQtReadsIt)
{
    // Every pair of bytes, and longer runs that are valid, cut short or overlong UTF-8.
    QList<QByteArray> samples = {"plain/名前.apk", "\xff\xfe",     "caf\xe9.apk",      "\xe4\xbd",
                                 "\xc0\xaf",       "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf0\x9f\x98\x80 ok",
                                 "a\xe4\xbd\xa0"};
    for (int a = 1; a < 256; ++a)
        for (int b = 0; b < 256; b += 7)
            samples << QByteArray(1, char(a)) + char(b);
    for (const QByteArray &bytes : samples) {
        const QString text = PathBytes::decode(bytes);
        EXPECT_EQ(PathBytes::encode(text), bytes) << bytes.toHex().constData();
        const QString qt = QFile::decodeName(bytes);
        if (QFile::encodeName(qt) == bytes) {
            EXPECT_EQ(text, qt) << bytes.toHex().constData();
            EXPECT_TRUE(PathBytes::isPlain(text));
        } else {
            EXPECT_FALSE(PathBytes::isPlain(text)) << bytes.toHex().constData();
        }
    }
}

TEST(PathBytes, AFileWhoseNameIsNotUtf8IsReachedThroughQt)
{
    QTemporaryDir dir;
    const QByteArray folder = QFile::encodeName(dir.path()) + "/\xff d\xe9";
    ASSERT_EQ(::mkdir(folder.constData(), 0700), 0);
    for (const QByteArray &name : {QByteArray("\xe9t\xe9.apk"), QByteArray("plain.apk")}) {
        const int fd = ::open((folder + "/" + name).constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
        ASSERT_GE(fd, 0);
        ASSERT_EQ(::write(fd, "PK", 2), 2);
        ::close(fd);
        const QString path = PathBytes::decode(folder + "/" + name);
        EXPECT_FALSE(QFileInfo(path).isFile()); // Qt alone loses the bytes
        const QString reachable = PathBytes::reachable(path);
        EXPECT_TRUE(reachable.startsWith("/proc/")) << reachable.toStdString();
        QFile file(reachable);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << reachable.toStdString();
        EXPECT_EQ(file.readAll(), "PK");
    }
    // A plain name in that folder keeps its own name, extension and all.
    EXPECT_TRUE(PathBytes::reachable(PathBytes::decode(folder + "/plain.apk")).endsWith("/plain.apk"));
    EXPECT_EQ(PathBytes::reachable("/tmp/plain"), "/tmp/plain");
}
