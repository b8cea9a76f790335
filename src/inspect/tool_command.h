#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A tool run as data: the program and its argument vector. No shell ever sees it; display()
// gives the line as a user would type it, for the details window and for messages.
struct ToolCommand
{
    QString program;
    QStringList arguments;

    QString display() const;
    bool operator==(const ToolCommand &) const = default;
};

// The command lines of the three sibling tools, found in the program folder.
namespace ToolCommands {
QString toolPath(const QString &toolName);

// aapt d badging PACKAGE
ToolCommand badging(const QString &packagePath);
// 7za x -y -r PACKAGE -oFOLDER MEMBER (FOLDER keeps its trailing '/')
ToolCommand extractMember(const QString &packagePath, const QString &outputFolder, const QString &member);
// The same for several member names in one run: one start of the tool instead of one per name.
ToolCommand extractMembers(const QString &packagePath, const QString &outputFolder,
                           const QStringList &members);
// plistconvert -convert xml1 -s -o OUTPUT SOURCE
ToolCommand convertPlist(const QString &outputPath, const QString &sourcePath);
// The same for several lists in one run, converted in the order given:
// plistconvert -convert xml1 -s -o OUTPUT1 SOURCE1 -o OUTPUT2 SOURCE2 ...
struct PlistConversion
{
    QString outputPath;
    QString sourcePath;
};
ToolCommand convertPlists(const QList<PlistConversion> &conversions);
} // namespace ToolCommands
