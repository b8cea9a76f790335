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
    ForOuta(QWidget *owner, PackageList *list, const DetailTarget &target);

    // Unpacks the package's lists again, fills the fields (the preview by the active rule) and
    // clears the scratch folder.
    void load();
    void fill(const IpaDetails &details);

protected:
    QUrl storeUrl() const override;

private:
    QString m_storeItemId;
};
