#include "rename/command_line_rename.h"

#include "core/package_info.h"
#include "inspect/apk_reader.h"
#include "inspect/ipa_reader.h"
#include "inspect/ipa_unpack.h"
#include "rename/name_rule.h"
#include "rename/rename_run.h"

#include <QFileInfo>

int RunCommandLineRename(const QString &path, QString *why)
{
    NameAndVersion found;
    QString extension;
    switch (packageKindOf(path)) {
    case PackageKind::Apk:
        extension = QStringLiteral(".apk");
        if (QFileInfo(path).isFile())
            found = ReadApkNameAndVersion(path);
        break;
    case PackageKind::Ipa:
        extension = QStringLiteral(".ipa");
        if (QFileInfo(path).isFile()) {
            // Start-up moved the old "temp" aside, so this unpack cannot meet its clearing.
            ScratchFolder::setCurrent(ScratchFolder::Temp);
            UnpackIpa(path);
            found = ReadUnpackedIpaNameAndVersion();
            ClearFolderInBackground(ScratchFolder::Temp);
        }
        break;
    case PackageKind::None:
        *why = QStringLiteral("不是 apk 或 ipa 文件: %1").arg(path);
        return 1;
    }
    if (!QFileInfo(path).isFile()) {
        *why = QStringLiteral("文件不存在: %1").arg(path);
        return 1;
    }
    return renameFileByRule(path, found.displayName, found.version, NameRule::active(), extension, why) ? 0
                                                                                                        : 1;
}
