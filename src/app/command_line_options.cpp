#include "app/command_line_options.h"

#include "app/startup.h"
#include "rename/name_rule_check.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

constexpr int maximumJobs = 256;

CommandLineOptions usageError(const QString &message)
{
    CommandLineOptions options;
    options.mode = CommandLineOptions::Mode::UsageError;
    options.error = message;
    return options;
}

bool readJobs(const QString &text, CommandLineOptions *options)
{
    bool ok = false;
    const int jobs = text.toInt(&ok);
    if (!ok || jobs < 1 || jobs > maximumJobs)
        return false;
    options->jobs = jobs;
    return true;
}

// The options that take no value, by their long and their short name.
struct Switch
{
    QLatin1String longName;
    char shortName;
    void (*apply)(CommandLineOptions &options);
};

const Switch kSwitches[] = {
    {QLatin1String("--dry-run"), 'n', [](CommandLineOptions &o) { o.dryRun = true; }},
    {QLatin1String("--recursive"), 'r', [](CommandLineOptions &o) { o.recursive = true; }},
    {QLatin1String("--quiet"), 'q', [](CommandLineOptions &o) { o.quiet = true; }},
    {QLatin1String("--help"), 'h', [](CommandLineOptions &o) { o.mode = CommandLineOptions::Mode::Help; }},
    {QLatin1String("--version"), 'V',
     [](CommandLineOptions &o) { o.mode = CommandLineOptions::Mode::Version; }},
};

const Switch *switchNamed(const QString &argument)
{
    for (const Switch &s : kSwitches) {
        if (argument == s.longName)
            return &s;
    }
    return nullptr;
}

const Switch *switchFlagged(QChar flag)
{
    for (const Switch &s : kSwitches) {
        if (flag == QLatin1Char(s.shortName))
            return &s;
    }
    return nullptr;
}

// Options and paths; the one-file forms were taken before.
CommandLineOptions parseOptions(const QStringList &arguments)
{
    CommandLineOptions options;
    options.mode = CommandLineOptions::Mode::Batch;
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            options.paths << argument;
            continue;
        }
        const auto value = [&](QString *out) {
            if (i + 1 >= arguments.size())
                return false;
            *out = arguments.at(++i);
            return true;
        };
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (const Switch *named = switchNamed(argument)) {
            named->apply(options);
        } else if (argument == QLatin1String("--jobs") || argument.startsWith(QLatin1String("--jobs="))) {
            QString text = argument.mid(7);
            if (argument.size() == 6 && !value(&text))
                return usageError(QCoreApplication::translate("CommandLine", "--jobs 需要一个数字"));
            if (!readJobs(text, &options))
                return usageError(
                    QCoreApplication::translate("CommandLine", "--jobs 的值无效: %1").arg(text));
        } else if (argument == QLatin1String("--rule") || argument.startsWith(QLatin1String("--rule="))) {
            QString text = argument.mid(7);
            if (argument.size() == 6 && !value(&text))
                return usageError(QCoreApplication::translate("CommandLine", "--rule 需要一个命名规则"));
            if (!isValidNameRule(text))
                return usageError(
                    QCoreApplication::translate("CommandLine", "规则命名错误,请确认.: %1").arg(text));
            options.rule = text;
        } else if (argument.startsWith(QLatin1String("--"))) {
            return usageError(QCoreApplication::translate("CommandLine", "未知选项: %1").arg(argument));
        } else {
            // Short options may be bundled ("-nr"); -j takes the rest of the word or the next one.
            for (int c = 1; c < argument.size(); ++c) {
                const QChar flag = argument.at(c);
                if (const Switch *flagged = switchFlagged(flag)) {
                    flagged->apply(options);
                } else if (flag == QLatin1Char('j')) {
                    QString text = argument.mid(c + 1);
                    if (text.isEmpty() && !value(&text))
                        return usageError(QCoreApplication::translate("CommandLine", "-j 需要一个数字"));
                    if (!readJobs(text, &options))
                        return usageError(
                            QCoreApplication::translate("CommandLine", "-j 的值无效: %1").arg(text));
                    break;
                } else {
                    return usageError(QCoreApplication::translate("CommandLine", "未知选项: -%1").arg(flag));
                }
            }
        }
    }
    if (options.mode == CommandLineOptions::Mode::Batch && options.paths.isEmpty())
        return usageError(QCoreApplication::translate("CommandLine", "没有给出文件或文件夹"));
    return options;
}

} // namespace

CommandLineOptions parseCommandLine(const QStringList &arguments)
{
    CommandLineOptions options;
    const QString tail = arguments.join(QLatin1Char(' '));
    const QString path = Startup::normalisedPath(tail);
    if (path.isEmpty())
        return options; // window mode

    // The file manager's entry and older scripts pass one unquoted path: when the words together
    // name a file, that file is meant, whatever it looks like.
    const QFileInfo named(path);
    if (named.exists() && !named.isDir()) {
        options.mode = CommandLineOptions::Mode::SingleFile;
        options.paths = QStringList{path};
        return options;
    }
    if (named.isDir())
        return parseOptions(QStringList{QStringLiteral("--"), tail});
    if (arguments.size() == 1 && !arguments.first().startsWith(QLatin1Char('-'))) {
        options.mode = CommandLineOptions::Mode::SingleFile;
        options.paths = QStringList{path};
        return options;
    }
    return parseOptions(arguments);
}

QString commandLineHelp()
{
    return QCoreApplication::translate(
        "CommandLine", "用法: tavrel                         打开窗口\n"
                       "      tavrel 文件                    按命名规则重命名这一个安装包\n"
                       "      tavrel --open 文件...          打开窗口并把这些文件加入列表\n"
                       "      tavrel [选项] 路径...          重命名列出的安装包和文件夹里的安装包\n"
                       "\n"
                       "选项:\n"
                       "  -n, --dry-run      只显示将会怎样重命名, 不改动任何文件\n"
                       "  -r, --recursive    也处理子文件夹里的安装包\n"
                       "  -j, --jobs N       同时读取 N 个安装包 (默认: 处理器个数)\n"
                       "      --rule 规则    本次使用这个命名规则 (须含 %Name% 和 %Version%), 不保存\n"
                       "  -q, --quiet        只显示错误\n"
                       "  -h, --help         显示这段说明\n"
                       "  -V, --version      显示版本\n"
                       "  --                 之后的参数都是路径\n"
                       "\n"
                       "例子:\n"
                       "  tavrel -n ~/下载                   看看下载文件夹里的安装包会叫什么\n"
                       "  tavrel -r -j 4 ~/下载 a.apk        重命名, 含子文件夹, 同时读 4 个\n"
                       "  tavrel --rule \"%Version%-%Name%\" *.ipa\n"
                       "\n"
                       "退出码: 0 全部已重命名或已是新名, 1 有安装包未能重命名, 2 用法错误.\n");
}
