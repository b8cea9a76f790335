#include "windows/details/details_windows.h"

#include "app/stray_metadata.h"
#include "core/detail_target.h"
#include "core/package_info.h"
#include "windows/common/owner_disabled.h"
#include "windows/details/apk_details_window.h"
#include "windows/details/ipa_details_window.h"

#include <QFileInfo>
#include <QPointer>

void openDetailsWindow(QWidget *mainWindow, PackageList *list, PackageReader *reader,
                       const DetailTarget &target)
{
    // Anything else (a name a rename gave another ending) opens nothing; the main window stays usable.
    const PackageKind kind = packageKindOf(target.fileName);
    if (kind == PackageKind::None)
        return;

    const OwnerDisabled disabled(mainWindow);
    // A file deleted or moved since it was listed has nothing to read.
    const bool present = QFileInfo(target.folder + target.fileName).isFile();
    // The main window owns the window as its parent; should the main window go while this one
    // is open, it takes this one with it, and the guard then holds nothing left to delete.
    QPointer<DetailsForm> window;
    if (kind == PackageKind::Apk) {
        window = new ForOuts(mainWindow, list, reader, target);
    } else {
        // A store metadata file other tools left in the program folder is not this package's.
        RemoveStrayStoreMetadata();
        window = new ForOuta(mainWindow, list, reader, target);
    }
    if (present)
        window->load();
    else
        window->showFileGone();
    // A window made under a disabled owner starts disabled itself.
    window->setEnabled(true);
    window->exec();
    delete window;
}
