#include "inspect/apk_details.h"

#include "inspect/apk_reader.h"
#include "inspect/new_name_preview.h"
#include "inspect/permission_catalogue.h"

#include <QFileInfo>
#include <optional>

namespace {

// The rest of a line that starts with the key, without its quotes and outer blanks. Only a line
// that starts with the key counts: a label that merely holds "densities:" is not a densities line.
std::optional<QString> listAfter(const QString &line, const QString &key)
{
    if (!line.startsWith(key))
        return std::nullopt;
    return line.mid(key.size()).remove(QLatin1Char('\'')).trimmed();
}

} // namespace

QString ApkDetails::permissionText() const
{
    return permissions.join(QLatin1Char('\n'));
}

ApkDetails ApkDetailsFromReport(const QString &report, const QString &packagePath, const QString &rule)
{
    ApkDetails details;
    details.report = report;
    details.name = CleanLabel(PickLabel(report));
    details.version =
        QuotedValueAfter(report, QStringLiteral("versionName='")).value_or(ApkPlaceholder::unknown());
    if (const auto size = FileSizeMB(packagePath))
        details.size = *size + QStringLiteral(" MB");
    const ApiLevel minimum = ReadApiLevel(report, QStringLiteral("sdkVersion:'"));
    const ApiLevel target = ReadApiLevel(report, QStringLiteral("targetSdkVersion:'"));
    details.minLevel = minimum.number;
    details.minSystem = minimum.name;
    details.targetLevel = target.number;
    details.targetSystem = target.name;
    details.identifier =
        QuotedValueAfter(report, QStringLiteral("package: name='")).value_or(ApkPlaceholder::unknown());

    // The report's lines end in CR LF; LF alone is read the same way.
    for (QStringView view : QStringView(report).split(QLatin1Char('\n'))) {
        if (view.endsWith(QLatin1Char('\r')))
            view.chop(1);
        const QString line = view.toString();
        if (const auto screens = listAfter(line, QStringLiteral("supports-screens:")))
            details.screens = *screens;
        if (const auto densities = listAfter(line, QStringLiteral("densities:")))
            details.densities = *densities;
        if (const auto permission = listAfter(line, QStringLiteral("uses-permission:"))) {
            const QString description = PermissionCatalogue::describe(*permission);
            if (!description.isEmpty())
                details.permissions << description;
        }
    }
    if (details.screens.isEmpty())
        details.screens = ApkPlaceholder::unknown();
    if (details.densities.isEmpty())
        details.densities = ApkPlaceholder::unknown();

    details.currentName = QFileInfo(packagePath).fileName();
    details.newName =
        NewNamePreview(rule, details.name, details.version, details.currentName, QStringLiteral(".apk"));
    return details;
}
