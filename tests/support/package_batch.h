#pragma once

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>
#include <QStringList>

// Copies of the fixture packages, APKs and IPAs mixed, numbered so that their order is plain:
// "001-label-zh.apk", "002-store_app.ipa", ... Returns their full paths in that order.
inline QStringList makePackageBatch(const QString &folder, int count)
{
    const QString fixtures = QStringLiteral(TAVREL_FIXTURES_DIR);
    QStringList sources;
    for (const QString &name : QDir(fixtures + "/apk").entryList({"*.apk"}, QDir::Files, QDir::Name))
        sources << fixtures + "/apk/" + name;
    for (const char *name : {"store_app.ipa", "nested_app.ipa", "caps_bundle.ipa", "metadata_only.ipa",
                             "priced_app.ipa", "not_a_zip.ipa"})
        sources << fixtures + "/ipa/" + name;
    QStringList paths;
    for (int i = 0; i < count; ++i) {
        const QString source = sources.at(i % sources.size());
        const QString path =
            folder + QStringLiteral("/%1-").arg(i + 1, 3, 10, QLatin1Char('0')) + source.section('/', -1);
        if (!QFile::copy(source, path))
            return {};
        paths << path;
    }
    return paths;
}

// Every file under the folder with a digest of its content, to tell that nothing was changed.
inline QMap<QString, QByteArray> folderDigest(const QString &folder)
{
    QMap<QString, QByteArray> digest;
    for (const QString &name : QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        QFile file(folder + "/" + name);
        if (file.open(QIODevice::ReadOnly))
            digest.insert(name, QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256));
    }
    return digest;
}
