#pragma once

#include <QHash>
#include <QSet>
#include <QString>

// Names the packages of a batch one after another, in the order given, so that of two packages
// whose new names coincide the first gets the name and the second is refused as taken. A dry run
// changes nothing and answers as the real run would, keeping track of the names it would have
// taken and freed.
class BatchNamer
{
public:
    struct Outcome
    {
        enum Kind { Renamed, AlreadyNamed, NotRenamed };
        Kind kind = NotRenamed;
        QString newPath; // Renamed, AlreadyNamed
        QString reason;  // NotRenamed: one line
    };

    BatchNamer(const QString &rule, bool dryRun) : m_rule(rule), m_dryRun(dryRun) {}

    Outcome rename(const QString &path, const QString &displayName, const QString &version);

private:
    bool wouldBeTaken(const QString &folder, const QString &name) const;

    QString m_rule;
    bool m_dryRun;
    // Dry run only: names this run would have taken or freed, per folder.
    QHash<QString, QSet<QString>> m_taken;
    QHash<QString, QSet<QString>> m_freed;
};
