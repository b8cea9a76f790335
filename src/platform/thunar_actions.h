#pragma once

#include <QByteArray>
#include <QString>

// Thunar keeps every custom action of a user in one file, Thunar/uca.xml. Ours is merged into it
// as text, leaving the bytes of the user's own actions as they are (Thunar itself writes a file
// that strict XML readers refuse, so the file is never parsed and rewritten wholesale).
namespace ThunarActions {

// The unique-id that marks our action.
QString uniqueId();

// Our <action> element: "Tavrel" for one selected file, running program with its path.
QByteArray action(const QString &program);

// A new uca.xml holding only our action.
QByteArray newFile(const QString &program);

// existing with our action in it (an earlier one of ours replaced). False when existing has no
// <actions> element to put it in; the caller then leaves the file alone.
bool withAction(const QByteArray &existing, const QString &program, QByteArray *result);

// existing without any action of ours; byte for byte what it was before withAction().
QByteArray withoutAction(const QByteArray &existing);

bool holdsAction(const QByteArray &content);

} // namespace ThunarActions
