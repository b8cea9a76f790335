#include "inspect/store_metadata_text.h"

#include "inspect/command_runner.h"
#include "inspect/details_scratch.h"
#include "inspect/ipa_unpack.h"

QString ReadStoreMetadataText(const QString &packagePath)
{
    // Only an iOS package (its name ending in "ipa", as the list tells the kinds apart) has the
    // entry; an Android package is not even opened.
    if (!packagePath.endsWith(QLatin1String("ipa")))
        return QString();
    const DetailsScratch scratch;
    RunHiddenAndWait(
        ToolCommands::extractMember(packagePath, scratch.path(), QStringLiteral("iTunesMetadata.plist")));
    FindAndConvertPlists(scratch.path());
    return scratch.read(ScratchOutput::storeMetadata());
}
