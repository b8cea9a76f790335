#pragma once

#include <QString>

// One running instance per user and settings file. The claim is an exclusive lock on a file, taken
// atomically; the system lets go of it when its holder ends, so an instance that died leaves
// nothing stale behind. It is held until the object goes.
class InstanceClaim
{
public:
    // lockPath: where the lock lives; its folder is created when missing.
    explicit InstanceClaim(const QString &lockPath);
    ~InstanceClaim();
    InstanceClaim(const InstanceClaim &) = delete;
    InstanceClaim &operator=(const InstanceClaim &) = delete;

    // True when this instance now holds the claim; false when another running instance holds it.
    bool tryClaim();
    bool isHeld() const;

    // Per user and settings file: a run with another XDG_CONFIG_HOME is another user. The folder
    // is private to the user ($XDG_RUNTIME_DIR when it is, else one of ours) and is made so.
    static QString lockPathFor(const QString &settingsFile);
    // Where the window instance listens for the request to raise its window (beside its lock).
    static QString raiseSocketPathFor(const QString &lockPath);

private:
    QString m_path;
    int m_fd = -1;
};

// Asks the instance listening at socketPath to raise its window: a plain connection that says
// "raise". False when nobody listens there, or nobody takes the request within half a second.
bool requestRaise(const QString &socketPath);
