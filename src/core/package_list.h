#pragma once

#include "core/package_info.h"

#include <QObject>
#include <QVector>

// The ordered rows of the main window's list, addressed by 1-based position. Rows keep the order
// in which they were appended; numbers are given once and never renumbered.
class PackageList : public QObject
{
    Q_OBJECT
public:
    struct Labels
    {
        QString count;
        QString hint;
        QString status;
    };

    using QObject::QObject;

    // Appends an empty row numbered with the new row count and returns its position.
    int append(const QString &folder, const QString &fileName);
    bool containsPath(const QString &folder, const QString &fileName) const;
    int count() const { return int(m_rows.size()); }

    // Position is 1 to count().
    const PackageInfo &rowAt(int position) const { return m_rows.at(position - 1); }
    bool isValidPosition(int position) const { return position >= 1 && position <= count(); }
    // The position of the row with that id; 0 when it is no longer listed.
    int positionOf(quint64 id) const;
    void setCell(int position, PackageInfo::Column column, const QString &text);
    void setSelected(int position, bool selected);

    // Removes the selected rows (from the last to the first) and returns the new labels.
    Labels removeSelected();
    void clear();

    // The three label texts of a refresh.
    Labels labels() const;

signals:
    void aboutToAppend(int index);
    void appended();
    void aboutToReset();
    void reset();
    void cellChanged(int index, PackageInfo::Column column);

private:
    QVector<PackageInfo> m_rows;
    quint64 m_nextId = 1;
};
