#include "inspect/tool_command.h"

#include "platform/command_quoting.h"
#include "platform/program_folder.h"

QString ToolCommand::display() const
{
    QStringList parts{CommandQuoting::shellWordIfNeeded(program)};
    for (const QString &argument : arguments)
        parts << CommandQuoting::shellWordIfNeeded(argument);
    return parts.join(QLatin1Char(' '));
}

namespace ToolCommands {

QString toolPath(const QString &toolName)
{
    return ProgramFolder::path() + QLatin1Char('/') + toolName;
}

ToolCommand badging(const QString &packagePath)
{
    return {toolPath(QStringLiteral("aapt")), {QStringLiteral("d"), QStringLiteral("badging"), packagePath}};
}

ToolCommand extractMember(const QString &packagePath, const QString &outputFolder, const QString &member)
{
    return extractMembers(packagePath, outputFolder, {member});
}

ToolCommand extractMembers(const QString &packagePath, const QString &outputFolder,
                           const QStringList &members)
{
    return {toolPath(QStringLiteral("7za")),
            QStringList{QStringLiteral("x"), QStringLiteral("-y"), QStringLiteral("-r"), packagePath,
                        QStringLiteral("-o") + outputFolder} +
                members};
}

ToolCommand convertPlist(const QString &outputPath, const QString &sourcePath)
{
    return convertPlists({{outputPath, sourcePath}});
}

ToolCommand convertPlists(const QList<PlistConversion> &conversions)
{
    QStringList arguments{QStringLiteral("-convert"), QStringLiteral("xml1"), QStringLiteral("-s")};
    for (const PlistConversion &conversion : conversions)
        arguments << QStringLiteral("-o") << conversion.outputPath << conversion.sourcePath;
    return {toolPath(QStringLiteral("plistconvert")), arguments};
}

} // namespace ToolCommands
