#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Thunar keeps every custom action of a user in one file, Thunar/uca.xml. The file is parsed as
// XML to find our action, but it is never rewritten wholesale: ours is cut out of or put into the
// user's bytes, which stay exactly as they were around it. (Thunar itself writes an XML
// declaration that strict readers refuse; the declaration is passed over when parsing.)
namespace ThunarActions {

// The unique-id that marks our action.
QString uniqueId();

// Our <action> element: "Tavrel" for one selected file, running program with its path.
QByteArray action(const QString &program);

// Where things stand in a uca.xml, as byte offsets into it.
struct Layout
{
    bool valid = false;          // well-formed, with <actions> as its root element
    qsizetype actionsBegin = -1; // "<actions"
    qsizetype insertAt = -1;     // "</actions>", or -1 for an empty "<actions/>"
    qsizetype actionsEnd = -1;   // after the root element
    // Our actions and the notes we keep beside them, each with the line break after it.
    QList<std::pair<qsizetype, qsizetype>> ours;
    // The digest a note of ours holds (see madeFrom()), empty without one.
    QByteArray madeFromDigest;
};

// In time linear in the size of content.
Layout layoutOf(const QByteArray &content);

// existing with our action in it (an earlier one of ours replaced). False when existing is not
// a well-formed file with an <actions> root; the caller then leaves the file alone.
bool withAction(const QByteArray &existing, const QString &program, QByteArray *result);

// A uca.xml that we create ourselves, from base (the system-wide file, or an empty list when
// base is empty), holding our action and a note of what base was. False as for withAction().
bool madeFrom(const QByteArray &base, const QString &program, QByteArray *result);

// existing without any action of ours: the bytes around it as they were.
QByteArray withoutAction(const QByteArray &existing);

// True when existing is a file that madeFrom() made and that, without our action, is still
// exactly what it was made from: taking our action away then means taking the file away.
bool onlyOursAdded(const QByteArray &existing);

bool holdsAction(const QByteArray &content);

} // namespace ThunarActions
