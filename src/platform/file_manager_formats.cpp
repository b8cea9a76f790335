#include "platform/file_manager_formats.h"

#include "platform/command_quoting.h"

using namespace CommandQuoting;

namespace {

const char kMarker[] = "# Tavrel file-manager entry: renames the chosen package by its name and version.";

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

// The package types: the Android package, our iOS package type and the Android bundles.
QByteArray packageMimeTypes()
{
    return "application/vnd.android.package-archive;application/x-ios-app;application/x-android-xapk;"
           "application/x-android-apks;application/x-android-apkm;";
}

// "*.apk|*.ipa|..." for a shell's case: the names the program takes for packages.
QByteArray packageShellPatterns()
{
    QStringList patterns;
    for (const QString &extension : packageExtensions())
        patterns << QStringLiteral("*.") + extension;
    return patterns.join(QLatin1Char('|')).toUtf8();
}

// Dolphin (KF5 and KF6) service menu: %F hands the whole selection to one run.
QByteArray dolphinServiceMenu(const QString &program)
{
    const QString exec = keyFileString(desktopExecArgument(program) + QLatin1String(" %F"));
    return QByteArray(kMarker) +
           "\n[Desktop Entry]\n"
           "Type=Service\n"
           "X-KDE-ServiceTypes=KonqPopupMenu/Plugin\n"
           "MimeType=" +
           packageMimeTypes() +
           "\n"
           "Actions=tavrel;\n"
           "\n[Desktop Action tavrel]\n"
           "Name=Tavrel\n"
           "Icon=tavrel\n"
           "Exec=" +
           utf8(exec) + "\n";
}

// Nautilus and Caja run a script from their scripts folder with the chosen files as arguments
// (names relative to the folder shown, for local files). The packages among them, made absolute,
// go to one run; folders and other files are left out.
QByteArray scriptsEntry(const QString &program)
{
    return "#!/bin/sh\n" + QByteArray(kMarker) +
           "\n"
           "for file in \"$@\"; do\n"
           "    shift\n"
           "    case $file in\n"
           "    /*) ;;\n"
           "    *) file=\"$PWD/$file\" ;;\n"
           "    esac\n"
           "    [ -f \"$file\" ] || continue\n"
           "    case $file in\n"
           "    " +
           packageShellPatterns() +
           ") set -- \"$@\" \"$file\" ;;\n"
           "    esac\n"
           "done\n"
           "[ $# -gt 0 ] || exit 0\n"
           "exec " +
           utf8(shellWord(program)) + " \"$@\"\n";
}

// Nemo puts the paths for %F into the command text, backslash before blanks (EscapeSpaces) and
// quotes, then splits it like a shell without expanding anything; offered for any number of
// chosen packages, by their extensions.
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
           "Selection=notnone\n"
           "Extensions=" +
           packageExtensions().join(QLatin1Char(';')).toUtf8() +
           ";\n"
           "EscapeSpaces=true\n";
}

// PCManFM-Qt and LXQt read file-manager actions: %F the shell-quoted paths, %% a '%', and the
// command is split like a shell. Offered for one or more chosen packages.
QByteArray fileManagerAction(const QString &program)
{
    QString exec = shellWord(program);
    exec.replace(QLatin1Char('%'), QLatin1String("%%"));
    exec += QLatin1String(" %F");
    return QByteArray(kMarker) +
           "\n[Desktop Entry]\n"
           "Type=Action\n"
           "Name=Tavrel\n"
           "Icon=tavrel\n"
           "Profiles=tavrel;\n"
           "\n[X-Action-Profile tavrel]\n"
           "MimeTypes=" +
           packageMimeTypes() +
           "\n"
           "SelectionCount>0\n"
           "Exec=" +
           utf8(keyFileString(exec)) + "\n";
}

} // namespace

QStringList packageExtensions()
{
    return {QStringLiteral("apk"), QStringLiteral("ipa"), QStringLiteral("xapk"), QStringLiteral("apks"),
            QStringLiteral("apkm")};
}

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
