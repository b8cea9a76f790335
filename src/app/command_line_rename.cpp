#include "app/command_line_rename.h"

#include "core/package_info.h"
#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"
#include "inspect/ipa_unpack.h"
#include "platform/path_bytes.h"
#include "rename/name_rule.h"
#include "rename/rename_run.h"

#include <QFileInfo>

bool RunCommandLineRename(const QString &path, QString *error)
{
    // A name that is not UTF-8 is read through a path the tools can take; the rename itself
    // works on the bytes.
    const QString readable = PathBytes::reachable(path);
    NameAndVersion found;
    switch (packageKindOf(path)) {
    case PackageKind::Apk:
        if (QFileInfo(readable).isFile())
            found = ReadApkNameAndVersion(readable);
        break;
    case PackageKind::Ipa:
        if (QFileInfo(readable).isFile()) {
            // Start-up moved the old "temp" aside, so this unpack cannot meet its clearing.
            ScratchFolder::setCurrent(ScratchFolder::Temp);
            UnpackIpa(readable);
            found = ReadUnpackedIpaNameAndVersion();
            ClearFolderInBackground(ScratchFolder::Temp);
        }
        break;
    case PackageKind::None:
        if (error)
            *error = QStringLiteral("不是 apk、xapk、apks、apkm 或 ipa 文件: %1").arg(path);
        return false;
    }
    if (!QFileInfo(readable).isFile()) {
        if (error)
            *error = QStringLiteral("文件不存在: %1").arg(path);
        return false;
    }
    return renameFileByRule(path, found.displayName, found.version, NameRule::active(),
                            packageExtensionOf(path), error);
}
