#include "platform/file_manager_formats.h"

#include "platform/command_quoting.h"

using namespace CommandQuoting;

namespace {

const char kMarker[] = "# Tavrel file-manager entry: renames the chosen package by its name and version.";

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

// Dolphin (KF5 and KF6) service menu. %f with at most one file: the desktop entry format lets a
// launcher start one process per file side by side for %f, so the entry is offered for one file.
QByteArray dolphinServiceMenu(const QString &program)
{
    const QString exec = keyFileString(desktopExecArgument(program) + QLatin1String(" %f"));
    return QByteArray(kMarker) +
           "\n[Desktop Entry]\n"
           "Type=Service\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
           "MimeType=application/octet-stream;\n"
           "X-KDE-RequiredNumberOfUrls=1\n"
           "X-KDE-MaxNumberOfUrls=1\n"
           "Actions=tavrel;\n"
           "\n[Desktop Action tavrel]\n"
           "Name=Tavrel\n"
           "Icon=tavrel\n"
           "Exec=" +
           utf8(exec) + "\n";
}

// Nautilus and Caja run a script from their scripts folder with the chosen files as arguments
// (names relative to the folder shown, for local files). It renames them one after the other.
QByteArray scriptsEntry(const QString &program)
{
    return "#!/bin/sh\n" + QByteArray(kMarker) +
           "\n"
           "for file in \"$@\"; do\n"
           "    case $file in\n"
           "    /*) ;;\n"
           "    *) file=\"$PWD/$file\" ;;\n"
           "    esac\n"
           "    [ -d \"$file\" ] && continue\n"
           "    " +
           utf8(shellWord(program)) +
           " \"$file\"\n"
           "done\n"
           "exit 0\n";
}

// Nemo puts the paths for %F into the command text, backslash before blanks (EscapeSpaces) and
// quotes, then splits it like a shell without expanding anything; Selection=s: one file only.
// Every other '%' starts a token of its own too, so a literal one is %%.
QByteArray nemoAction(const QString &program)
{
    QString exec = shellWord(program);
    exec.replace(QLatin1Char('%'), QLatin1String("%%"));
    return QByteArray(kMarker) +
           "\n[Nemo Action]\n"
           "Active=true\n"
           "Name=Tavrel\n"
           "Icon-Name=tavrel\n"
           "Exec=" +
           utf8(keyFileString(exec + QLatin1String(" %F"))) +
           "\n"
           "Selection=s\n"
           "Extensions=nodirs;\n"
           "EscapeSpaces=true\n";
}

// PCManFM-Qt and LXQt read file-manager actions: %f is the shell-quoted path, %% a '%', and the
// command is split like a shell. SelectionCount==1 offers it for one file.
QByteArray fileManagerAction(const QString &program)
{
    QString exec = shellWord(program);
    exec.replace(QLatin1Char('%'), QLatin1String("%%"));
    exec += QLatin1String(" %f");
    return QByteArray(kMarker) +
           "\n[Desktop Entry]\n"
           "Type=Action\n"
           "Name=Tavrel\n"
           "Icon=tavrel\n"
           "Profiles=tavrel;\n"
           "\n[X-Action-Profile tavrel]\n"
           "MimeTypes=all/allfiles;\n"
           "SelectionCount==1\n"
           "Exec=" +
           utf8(keyFileString(exec)) + "\n";
}

} // namespace

QList<FileManager> allFileManagers()
{
    return {FileManager::Dolphin, FileManager::Nautilus, FileManager::Caja,
            FileManager::Nemo,    FileManager::Thunar,   FileManager::PcmanfmQt};
}

QStringList fileManagerExecutables(FileManager manager)
{
    switch (manager) {
    case FileManager::Dolphin:
        return {QStringLiteral("dolphin"), QStringLiteral("konqueror")};
    case FileManager::Nautilus:
        return {QStringLiteral("nautilus")};
    case FileManager::Caja:
        return {QStringLiteral("caja")};
    case FileManager::Nemo:
        return {QStringLiteral("nemo")};
    case FileManager::Thunar:
        return {QStringLiteral("thunar"), QStringLiteral("Thunar")};
    case FileManager::PcmanfmQt:
        return {QStringLiteral("pcmanfm-qt"), QStringLiteral("pcmanfm")};
    }
    return {};
}

QStringList entryPaths(FileManager manager, const UserFolders &folders)
{
    switch (manager) {
    case FileManager::Dolphin:
        // KF5 reads both folders (one entry per file name); KF6 only the second.
        return {folders.dataHome + QLatin1String("/kservices5/ServiceMenus/tavrel.desktop"),
                folders.dataHome + QLatin1String("/kio/servicemenus/tavrel.desktop")};
    case FileManager::Nautilus:
        return {folders.dataHome + QLatin1String("/nautilus/scripts/Tavrel")};
    case FileManager::Caja:
        return {folders.configHome + QLatin1String("/caja/scripts/Tavrel")};
    case FileManager::Nemo:
        return {folders.dataHome + QLatin1String("/nemo/actions/tavrel.nemo_action")};
    case FileManager::Thunar:
        return {folders.configHome + QLatin1String("/Thunar/uca.xml")};
    case FileManager::PcmanfmQt:
        return {folders.dataHome + QLatin1String("/file-manager/actions/tavrel.desktop")};
    }
    return {};
}

QList<EntryFile> entryFiles(FileManager manager, const QString &program, const UserFolders &folders)
{
    const QStringList paths = entryPaths(manager, folders);
    switch (manager) {
    case FileManager::Dolphin:
        // KF6 shows a service menu outside the system folders only when it is executable.
        return {{paths.at(0), dolphinServiceMenu(program), true},
                {paths.at(1), dolphinServiceMenu(program), true}};
    case FileManager::Nautilus:
    case FileManager::Caja:
        return {{paths.at(0), scriptsEntry(program), true}};
    case FileManager::Nemo:
        return {{paths.at(0), nemoAction(program), false}};
    case FileManager::PcmanfmQt:
        return {{paths.at(0), fileManagerAction(program), false}};
    case FileManager::Thunar:
        break;
    }
    return {};
}

QByteArray entryMarker()
{
    return kMarker;
}
