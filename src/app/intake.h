#pragma once

#include <QObject>
#include <QStringList>

class PackageList;

// Deletes a store metadata file ("iTunesMetadata.plist") that other tools left in the program
// folder: it is not ours to read, and a later IPA must not be taken for it.
void removeStaleStoreMetadata();

// Adding packages to the list, one batch at a time (a drop or the files chosen in the dialog).
// While a batch runs the readers let the window handle events; the window asks isBusy() before
// starting another batch, a clear or a rename run, and busyChanged lets it grey its commands.
class Intake : public QObject
{
    Q_OBJECT
public:
    explicit Intake(PackageList *list, QObject *parent = nullptr);

    bool isBusy() const { return m_busy; }

    // Dropped paths: folders and files that are no package (see packageKindOf: ".apk", the
    // Android bundles ".xapk", ".apks", ".apkm", and ".ipa") are passed over. False when
    // refused because another batch runs.
    bool addDroppedPaths(const QStringList &paths);
    // Files chosen in the dialog, in its order: other types get a row with only number, file
    // name and folder. An empty list (a cancelled dialog) adds nothing.
    bool addChosenFiles(const QStringList &paths);

    // Adds one file unless the list already holds it, then reads it by its kind. Returns the
    // new row's position, or 0 when skipped.
    int addOneFile(const QString &folder, const QString &fileName);

signals:
    void busyChanged(bool busy);
    // The batch has ended and the list labels are to be refreshed.
    void batchFinished();

private:
    bool begin();
    void end();

    PackageList *m_list;
    bool m_busy = false;
};
