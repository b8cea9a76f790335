#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

// Start-up steps the main program runs before it chooses between window mode and the
// command-line rename.
namespace Startup {

QString windowTitle();

// The whole command-line tail as one path: the arguments joined by single blanks, so that an
// unquoted path with spaces stays whole.
QString commandLineTail(const QStringList &arguments);

// An absolute path for the tail; empty when the tail holds nothing but blanks (window mode).
QString normalisedPath(const QString &tail);

// The sibling tools, in the order they are checked.
QStringList toolNames();
// The first tool missing from the folder, or the empty text when all are there.
QString firstMissingTool(const QString &programFolder);
// "\"aapt\"文件丢失,软件无法正常运行."
QString missingToolMessage(const QString &toolName);
QString alreadyRunningMessage();

} // namespace Startup

// One running instance per user. The first one listens; a later one asks it to raise its window
// and ends.
class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &key = defaultKey(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the only instance (it now listens); false when another one runs, which
    // has been asked to raise its window.
    bool claim();

    static QString defaultKey();

signals:
    void raiseRequested();

private:
    QString m_key;
    QLocalServer *m_server = nullptr;
};
