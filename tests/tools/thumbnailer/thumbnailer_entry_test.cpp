// The freedesktop thumbnailer entry: the keys file managers read, the command they run, and
// MIME types that the system or our own MIME package defines.
#include <QFile>
#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

QString shareFile(const QString &name)
{
    QFile f(QStringLiteral(TAVREL_FIXTURES_DIR "/../../share/") + name);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(ThumbnailerEntry, HasTheKeysAndCommandOfTheConvention)
{
    const QString text = shareFile("thumbnailers/tavrel.thumbnailer");
    QStringList lines = text.split('\n');
    ASSERT_TRUE(text.endsWith('\n'));
    lines.removeLast();
    ASSERT_FALSE(lines.isEmpty());
    EXPECT_EQ(lines.takeFirst(), "[Thumbnailer Entry]");
    QMap<QString, QString> keys;
    for (const QString &line : lines) {
        const qsizetype eq = line.indexOf('=');
        ASSERT_GT(eq, 0) << line.toStdString();
        EXPECT_FALSE(keys.contains(line.left(eq))) << "repeated key " << line.toStdString();
        keys.insert(line.left(eq), line.mid(eq + 1));
    }
    EXPECT_EQ(keys.keys(), (QStringList{"Exec", "MimeType", "TryExec"}));
    EXPECT_EQ(keys.value("TryExec"), "tavrel-thumbnailer");
    // The size, the input and the output, each a separate argument.
    EXPECT_EQ(keys.value("Exec").split(' '), (QStringList{"tavrel-thumbnailer", "-s", "%s", "%i", "%o"}));
    EXPECT_TRUE(keys.value("MimeType").endsWith(';'));
}

TEST(ThumbnailerEntry, EveryMimeTypeIsDefinedAndEveryPackageKindCovered)
{
    QStringList types = shareFile("thumbnailers/tavrel.thumbnailer")
                            .section("MimeType=", 1)
                            .section('\n', 0, 0)
                            .split(';', Qt::SkipEmptyParts);
    const QString ours = shareFile("mime/packages/tavrel.xml");
    QFile system("/usr/share/mime/packages/freedesktop.org.xml");
    const QString theirs = system.open(QIODevice::ReadOnly) ? QString::fromUtf8(system.readAll()) : QString();
    for (const QString &type : types) {
        const QString declared = "<mime-type type=\"" + type + "\"";
        EXPECT_TRUE(ours.contains(declared) || theirs.contains(declared)) << type.toStdString();
        EXPECT_FALSE(ours.contains(declared) && theirs.contains(declared))
            << type.toStdString() << " is the system's already";
    }
    // Each extension the program reads has a type here, by our MIME package's globs or the system's.
    for (const char *ext : {"xapk", "apks", "apkm", "ipa"})
        EXPECT_TRUE(ours.contains(QString("<glob pattern=\"*.%1\"/>").arg(ext))) << ext;
    EXPECT_TRUE(types.contains("application/vnd.android.package-archive"));
    EXPECT_EQ(types.size(), 5);
}
