#include "file_manager_reading.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// GLib's g_shell_quote: single quotes, a quote inside as '\''.
QString glibQuote(const QString &text)
{
    QString quoted = text;
    quoted.replace("'", "'\\''");
    return "'" + quoted + "'";
}

// The desktop entry format's Exec key: arguments split at blanks, double-quoted ones with \" \`
// \$ \\ undone; then %f becomes the file as one argument and %% a '%'. A reserved character
// outside quotes, or '`', '$' or a lone '\' inside them, makes the line invalid (empty result),
// as launchers that hand such lines to a shell would misread them.
QStringList desktopExec(const QString &exec, const QStringList &files)
{
    QStringList argv;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (quoted) {
            if (c == '\\') {
                if (i + 1 == exec.size() || !QStringLiteral("\"`$\\").contains(exec.at(i + 1)))
                    return {};
                word += exec.at(++i);
            } else if (c == '`' || c == '$') {
                return {};
            } else if (c == '"') {
                quoted = false;
            } else {
                word += c;
            }
        } else if (QStringLiteral("\t\n'\\><~|&;$*?#()`").contains(c)) {
            return {};
        } else if (c == ' ') {
            if (inWord)
                argv << word;
            word.clear();
            inWord = false;
        } else {
            inWord = true;
            if (c == '"')
                quoted = true;
            else
                word += c;
        }
    }
    if (inWord)
        argv << word;
    QStringList expanded;
    for (QString &argument : argv) {
        if (argument == "%F")
            expanded << files;
        else if (argument == "%f")
            expanded << files.value(0);
        else
            expanded << argument.replace("%%", "%");
    }
    return expanded;
}

// Nemo's expansion, in one pass: %F the paths, %% a '%', and its other tokens (%U, %P, %R, %f,
// %p, %D, %e, %X, %N) their own values, which an Exec line must never give by mistake.
QString nemoExpanded(const QString &exec, const QString &paths)
{
    QString out;
    for (qsizetype i = 0; i < exec.size(); ++i) {
        const QChar next = i + 1 < exec.size() ? exec.at(i + 1) : QChar();
        if (exec.at(i) != '%' || !QStringLiteral("%FUPRfpDeXN").contains(next)) {
            out += exec.at(i);
            continue;
        }
        ++i;
        out += next == '%' ? QStringLiteral("%") : next == 'F' ? paths : QStringLiteral("<nemo-token>");
    }
    return out;
}

QString xmlUnescaped(QString text)
{
    text.replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"").replace("&apos;", "'");
    return text.replace("&amp;", "&");
}

// Thunar's and libfm's expansion: %f the shell-quoted path, %F every path so quoted and
// separated by blanks, %% a '%'.
QString expandQuotedPath(const QString &command, const QStringList &files)
{
    QString expanded;
    for (qsizetype i = 0; i < command.size(); ++i) {
        if (command.at(i) == '%' && i + 1 < command.size()) {
            const QChar code = command.at(++i);
            if (code == 'f') {
                expanded += glibQuote(files.value(0));
            } else if (code == 'F') {
                QStringList quoted;
                for (const QString &file : files)
                    quoted << glibQuote(file);
                expanded += quoted.join(' ');
            } else if (code == '%')
                expanded += '%';
        } else {
            expanded += command.at(i);
        }
    }
    return expanded;
}

} // namespace

QStringList glibShellWords(const QString &command)
{
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < command.size(); ++i) {
        const QChar c = command.at(i);
        if (c == ' ' || c == '\t' || c == '\n') {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else if (c == '#' && !inWord) {
            while (i < command.size() && command.at(i) != '\n')
                ++i;
        } else if (c == '\'') {
            inWord = true;
            for (++i; i < command.size() && command.at(i) != '\''; ++i)
                word += command.at(i);
        } else if (c == '"') {
            inWord = true;
            for (++i; i < command.size() && command.at(i) != '"'; ++i) {
                if (command.at(i) == '\\' && i + 1 < command.size() &&
                    QStringLiteral("$`\"\\\n").contains(command.at(i + 1))) {
                    ++i;
                    if (command.at(i) != '\n')
                        word += command.at(i);
                } else {
                    word += command.at(i);
                }
            }
        } else if (c == '\\' && i + 1 < command.size()) {
            inWord = true;
            if (command.at(++i) != '\n')
                word += command.at(i);
        } else {
            inWord = true;
            word += c;
        }
    }
    if (inWord)
        words << word;
    return words;
}

QString keyFileValue(const QByteArray &content, const QString &group, const QString &key)
{
    QString current;
    for (const QString &line : QString::fromUtf8(content).split('\n')) {
        if (line.startsWith('[')) {
            current = line.mid(1, line.indexOf(']') - 1);
            continue;
        }
        if (current != group || !line.startsWith(key + "="))
            continue;
        const QString raw = line.mid(key.size() + 1);
        QString value;
        for (qsizetype i = 0; i < raw.size(); ++i) {
            if (raw.at(i) != '\\' || i + 1 == raw.size()) {
                value += raw.at(i);
                continue;
            }
            const QChar e = raw.at(++i);
            value += e == 'n'   ? QChar('\n')
                     : e == 't' ? QChar('\t')
                     : e == 'r' ? QChar('\r')
                     : e == 's' ? QChar(' ')
                                : e;
        }
        return value;
    }
    return QString();
}

StartedCommand commandFor(FileManager manager, const QString &entryFile, const QString &chosenFile)
{
    return commandFor(manager, entryFile, QStringList{chosenFile});
}

StartedCommand commandFor(FileManager manager, const QString &entryFile, const QStringList &chosenFiles)
{
    const QByteArray content = readAll(entryFile);
    switch (manager) {
    case FileManager::Dolphin:
        return {desktopExec(keyFileValue(content, "Desktop Action tavrel", "Exec"), chosenFiles), {}};
    case FileManager::Nautilus:
    case FileManager::Caja: {
        // Local files reach a script as names relative to the folder shown, its working folder.
        QStringList argv{entryFile};
        for (const QString &chosen : chosenFiles)
            argv << QFileInfo(chosen).fileName();
        return {argv, QFileInfo(chosenFiles.value(0)).absolutePath()};
    }
    case FileManager::Nemo: {
        // %F: each path with a backslash before quotes and (EscapeSpaces) blanks, put into the
        // command text unquoted and separated by blanks; the whole is then split by GLib.
        QStringList paths;
        for (QString path : chosenFiles)
            paths << path.replace("\"", "\\\"").replace("'", "\\'").replace(" ", "\\ ");
        return {glibShellWords(nemoExpanded(keyFileValue(content, "Nemo Action", "Exec"), paths.join(' '))),
                {}};
    }
    case FileManager::Thunar: {
        // Our action's <command>, %f or %F expanded, run by /bin/sh -c.
        const QString text = QString::fromUtf8(content);
        const qsizetype id = text.indexOf("<unique-id>tavrel-file-manager-entry</unique-id>");
        const qsizetype begin = text.indexOf("<command>", id) + int(sizeof("<command>") - 1);
        const qsizetype end = text.indexOf("</command>", begin);
        if (id < 0 || end < 0)
            return {};
        const QString command = xmlUnescaped(text.mid(begin, end - begin));
        return {{"/bin/sh", "-c", expandQuotedPath(command, chosenFiles)}, {}};
    }
    case FileManager::PcmanfmQt:
        return {glibShellWords(
                    expandQuotedPath(keyFileValue(content, "X-Action-Profile tavrel", "Exec"), chosenFiles)),
                {}};
    }
    return {};
}
