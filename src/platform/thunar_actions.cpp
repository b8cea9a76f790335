#include "platform/thunar_actions.h"

#include "platform/command_quoting.h"
#include "platform/file_manager_formats.h"

#include <QCryptographicHash>
#include <QXmlStreamReader>

namespace ThunarActions {

namespace {

const QByteArray kNotePrefix = " Tavrel made this file from the actions it had; it removes the file again "
                               "with its action while the rest is unchanged: ";

const QByteArray kEmptyList = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<actions>\n</actions>\n";

QByteArray idElement()
{
    return "<unique-id>" + uniqueId().toUtf8() + "</unique-id>";
}

QByteArray digestOf(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QByteArray note(const QByteArray &digest)
{
    return "<!--" + kNotePrefix + digest + " -->";
}

// The text the reader parses: one character per byte, so that its character offsets are byte
// offsets into the file. A leading byte-order mark and XML declaration become blanks: Thunar
// writes its declaration with the attributes in an order the XML rules do not allow.
QString parseCopy(const QByteArray &content)
{
    QByteArray copy = content;
    qsizetype at = 0;
    if (copy.startsWith("\xEF\xBB\xBF")) {
        copy.replace(0, 3, "   ");
        at = 3;
    }
    if (copy.mid(at, 5) == "<?xml") {
        const qsizetype end = copy.indexOf("?>", at);
        if (end >= 0)
            copy.replace(at, end + 2 - at, QByteArray(end + 2 - at, ' '));
    }
    return QString::fromLatin1(copy);
}

// The end of a range that takes the line break after it along.
qsizetype withLineBreak(const QByteArray &content, qsizetype end)
{
    return end < content.size() && content.at(end) == '\n' ? end + 1 : end;
}

QByteArray cutOut(const QByteArray &content, const Layout &layout)
{
    QByteArray kept;
    kept.reserve(content.size());
    qsizetype from = 0;
    for (const auto &[begin, end] : layout.ours) {
        kept.append(content.constData() + from, begin - from);
        from = end;
    }
    kept.append(content.constData() + from, content.size() - from);
    return kept;
}

// content (without anything of ours) with block put at the end of its list.
QByteArray inserted(const QByteArray &content, const Layout &layout, const QByteArray &block)
{
    QByteArray result = content;
    if (layout.insertAt >= 0)
        return result.insert(layout.insertAt, block + '\n');
    return result.replace(layout.actionsBegin, layout.actionsEnd - layout.actionsBegin,
                          QByteArray("<actions>\n" + block + "\n</actions>"));
}

} // namespace

QString uniqueId()
{
    return QStringLiteral("tavrel-file-manager-entry");
}

QByteArray action(const QString &program)
{
    // Thunar hands the command to /bin/sh with %F replaced by the quoted paths of the whole
    // selection; a literal '%' is %%. Offered for packages only, by their names' endings.
    QString command = CommandQuoting::shellWord(program);
    command.replace(QLatin1Char('%'), QLatin1String("%%"));
    command += QLatin1String(" %F");
    QStringList patterns;
    for (const QString &extension : packageExtensions())
        patterns << QStringLiteral("*.") + extension;
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
           "\t<patterns>" +
           patterns.join(QLatin1Char(';')).toUtf8() +
           "</patterns>\n"
           "\t<audio-files/>\n"
           "\t<image-files/>\n"
           "\t<other-files/>\n"
           "\t<text-files/>\n"
           "\t<video-files/>\n"
           "</action>";
}

Layout layoutOf(const QByteArray &content)
{
    // The reader tells where each token ends; an element's tag starts at the last '<' before
    // that (no '<' can stand inside a tag), a comment as far back as its text goes. (Where one
    // token ends is not where the next begins: text is read one character ahead, and blanks
    // outside the root element are no token at all.)
    Layout layout;
    QXmlStreamReader xml(parseCopy(content));
    const auto tagBegin = [&](qsizetype end) { return content.lastIndexOf('<', end - 1); };
    const QString id = uniqueId();
    int depth = 0;
    qsizetype actionBegin = -1;
    bool inId = false, actionIsOurs = false;
    QString idText;
    while (!xml.atEnd()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        const qsizetype end = xml.characterOffset();
        switch (token) {
        case QXmlStreamReader::StartElement:
            ++depth;
            if (depth == 1) {
                if (xml.name() != QLatin1String("actions"))
                    return {};
                layout.actionsBegin = tagBegin(end);
            } else if (depth == 2 && xml.name() == QLatin1String("action")) {
                actionBegin = tagBegin(end);
                actionIsOurs = false;
            } else if (depth == 3 && actionBegin >= 0 && xml.name() == QLatin1String("unique-id")) {
                inId = true;
                idText.clear();
            }
            break;
        case QXmlStreamReader::Characters:
            if (inId)
                idText += xml.text();
            break;
        case QXmlStreamReader::Comment:
            if (depth == 1 && xml.text().startsWith(QLatin1String(kNotePrefix))) {
                const qsizetype begin = end - xml.text().size() - qsizetype(sizeof("<!---->") - 1);
                layout.ours.append({begin, withLineBreak(content, end)});
                layout.madeFromDigest = xml.text().mid(kNotePrefix.size()).trimmed().toLatin1();
            }
            break;
        case QXmlStreamReader::EndElement:
            if (depth == 3 && inId) {
                inId = false;
                actionIsOurs = actionIsOurs || idText.trimmed() == id;
            } else if (depth == 2 && actionBegin >= 0) {
                if (actionIsOurs)
                    layout.ours.append({actionBegin, withLineBreak(content, end)});
                actionBegin = -1;
            } else if (depth == 1) {
                // An empty <actions/> has no closing tag of its own.
                const qsizetype begin = tagBegin(end);
                layout.insertAt = content.mid(begin, 2) == "</" ? begin : -1;
                layout.actionsEnd = end;
            }
            --depth;
            break;
        default:
            break;
        }
    }
    if (xml.hasError() || layout.actionsBegin < 0)
        return {};
    layout.valid = true;
    return layout;
}

bool withAction(const QByteArray &existing, const QString &program, QByteArray *result)
{
    const Layout before = layoutOf(existing);
    if (!before.valid)
        return false;
    const QByteArray base = cutOut(existing, before);
    const Layout layout = layoutOf(base);
    if (!layout.valid)
        return false;
    QByteArray block = action(program);
    if (!before.madeFromDigest.isEmpty())
        block = note(before.madeFromDigest) + '\n' + block;
    *result = inserted(base, layout, block);
    return true;
}

bool madeFrom(const QByteArray &base, const QString &program, QByteArray *result)
{
    const QByteArray from = base.isEmpty() ? kEmptyList : base;
    const Layout layout = layoutOf(from);
    if (!layout.valid || !layout.ours.isEmpty())
        return false;
    // An empty base stands for "no file": the note's digest is that of no bytes at all.
    *result = inserted(from, layout, note(digestOf(base)) + '\n' + action(program));
    return true;
}

QByteArray withoutAction(const QByteArray &existing)
{
    const Layout layout = layoutOf(existing);
    return layout.valid ? cutOut(existing, layout) : existing;
}

bool onlyOursAdded(const QByteArray &existing)
{
    const Layout layout = layoutOf(existing);
    if (!layout.valid || layout.madeFromDigest.isEmpty())
        return false;
    const QByteArray rest = cutOut(existing, layout);
    if (layout.madeFromDigest == digestOf(QByteArray()))
        return rest == kEmptyList;
    return digestOf(rest) == layout.madeFromDigest;
}

bool holdsAction(const QByteArray &content)
{
    const Layout layout = layoutOf(content);
    return layout.valid ? !layout.ours.isEmpty() : content.contains(idElement());
}

} // namespace ThunarActions
