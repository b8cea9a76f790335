#pragma once

#include "windows/details/details_form.h"

struct IpaDetails;

// The IPA details window: what the package's property lists and store metadata say, in beige
// fields under the separator line the current and the proposed file name, and the Apple Store
// button: the app's store page when its item id is known, else the store's search for the
// identifier as the field reads when it is pressed.
class ForOuta : public DetailsForm
{
    Q_OBJECT
public:
    ForOuta(QWidget *owner, PackageList *list, PackageReader *reader, const DetailTarget &target);

    void fill(const IpaDetails &details);

protected:
    QUrl storeUrl() const override;
    ReadKind readKind() const override { return ReadKind::IpaPlists; }
    // The fields from the reading, the preview by the active rule.
    void fillFrom(const PackageReading &reading) override;

private:
    QString m_storeItemId;
};
