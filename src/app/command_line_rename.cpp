#include "app/command_line_rename.h"

#include "core/package_info.h"
#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"
#include "inspect/ipa_unpack.h"
#include "rename/name_rule.h"
#include "rename/rename_run.h"

#include <QFileInfo>

bool RunCommandLineRename(const QString &path, QString *error)
{
    NameAndVersion found;
    switch (packageKindOf(path)) {
    case PackageKind::Apk:
        if (QFileInfo(path).isFile())
            found = ReadApkNameAndVersion(path);
        break;
    case PackageKind::Ipa:
        if (QFileInfo(path).isFile()) {
            // Start-up moved the old "temp" aside, so this unpack cannot meet its clearing.
            ScratchFolder::setCurrent(ScratchFolder::Temp);
            UnpackIpa(path);
            found = ReadUnpackedIpaNameAndVersion();
            ClearFolderInBackground(ScratchFolder::Temp);
        }
        break;
    case PackageKind::None:
        if (error)
            *error = QStringLiteral("不是 apk、xapk、apks、apkm 或 ipa 文件: %1").arg(path);
        return false;
    }
    if (!QFileInfo(path).isFile()) {
        if (error)
            *error = QStringLiteral("文件不存在: %1").arg(path);
        return false;
    }
    return renameFileByRule(path, found.displayName, found.version, NameRule::active(),
                            packageExtensionOf(path), error);
}
