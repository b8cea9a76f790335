#include "platform/thunar_actions.h"

#include "platform/command_quoting.h"

namespace ThunarActions {

namespace {

const QByteArray kOpen = "<action>";
const QByteArray kClose = "</action>";

QByteArray idElement()
{
    return "<unique-id>" + uniqueId().toUtf8() + "</unique-id>";
}

// [begin, end) of the next action of ours at or after from, the newline after it included;
// begin < 0 when there is none.
std::pair<qsizetype, qsizetype> findOurs(const QByteArray &content, qsizetype from)
{
    for (qsizetype begin = content.indexOf(kOpen, from); begin >= 0;
         begin = content.indexOf(kOpen, begin + 1)) {
        const qsizetype close = content.indexOf(kClose, begin);
        if (close < 0)
            break;
        qsizetype end = close + kClose.size();
        if (content.mid(begin, end - begin).contains(idElement())) {
            if (end < content.size() && content.at(end) == '\n')
                ++end;
            return {begin, end};
        }
    }
    return {-1, -1};
}

} // namespace

QString uniqueId()
{
    return QStringLiteral("tavrel-file-manager-entry");
}

QByteArray action(const QString &program)
{
    // Thunar hands the command to /bin/sh with %f replaced by the quoted path; a literal '%' is %%.
    QString command = CommandQuoting::shellWord(program);
    command.replace(QLatin1Char('%'), QLatin1String("%%"));
    command += QLatin1String(" %f");
    return "<action>\n"
           "\t<icon>tavrel</icon>\n"
           "\t<name>Tavrel</name>\n"
           "\t" +
           idElement() +
           "\n"
           "\t<command>" +
           command.toHtmlEscaped().toUtf8() +
           "</command>\n"
           "\t<description></description>\n"
           "\t<patterns>*</patterns>\n"
           "\t<audio-files/>\n"
           "\t<image-files/>\n"
           "\t<other-files/>\n"
           "\t<text-files/>\n"
           "\t<video-files/>\n"
           "</action>";
}

QByteArray newFile(const QString &program)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n" + action(program) + "\n</actions>\n";
}

bool withAction(const QByteArray &existing, const QString &program, QByteArray *result)
{
    QByteArray content = withoutAction(existing);
    const qsizetype close = content.lastIndexOf("</actions>");
    if (close >= 0) {
        content.insert(close, action(program) + '\n');
    } else {
        const qsizetype empty = content.lastIndexOf("<actions/>");
        if (empty < 0)
            return false;
        content.replace(empty, qsizetype(sizeof("<actions/>") - 1),
                        "<actions>\n" + action(program) + "\n</actions>");
    }
    *result = content;
    return true;
}

QByteArray withoutAction(const QByteArray &existing)
{
    QByteArray content = existing;
    for (auto [begin, end] = findOurs(content, 0); begin >= 0;
         std::tie(begin, end) = findOurs(content, begin))
        content.remove(begin, end - begin);
    return content;
}

bool holdsAction(const QByteArray &content)
{
    return findOurs(content, 0).first >= 0;
}

} // namespace ThunarActions
