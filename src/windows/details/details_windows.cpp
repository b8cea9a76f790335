#include "windows/details/details_windows.h"

#include "app/stray_metadata.h"
#include "core/detail_target.h"
#include "core/package_info.h"
#include "windows/common/owner_disabled.h"
#include "windows/details/apk_details_window.h"
#include "windows/details/ipa_details_window.h"

#include <memory>

void openDetailsWindow(QWidget *mainWindow, PackageList *list, PackageReader *reader, const DetailTarget &target)
{
    // Anything else (a name a rename gave another ending) opens nothing; the main window stays usable.
    const PackageKind kind = packageKindOf(target.fileName);
    if (kind == PackageKind::None)
        return;

    const OwnerDisabled disabled(mainWindow);
    std::unique_ptr<DetailsForm> window;
    if (kind == PackageKind::Apk) {
        auto apk = std::make_unique<ForOuts>(mainWindow, list, reader, target);
        apk->load();
        window = std::move(apk);
    } else {
        // A store metadata file other tools left in the program folder is not this package's.
        RemoveStrayStoreMetadata();
        auto ipa = std::make_unique<ForOuta>(mainWindow, list, reader, target);
        ipa->load();
        window = std::move(ipa);
    }
    // A window made under a disabled owner starts disabled itself.
    window->setEnabled(true);
    window->exec();
}
