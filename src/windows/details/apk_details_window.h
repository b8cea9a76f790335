#pragma once

#include "windows/details/details_form.h"

struct ApkDetails;

// The APK details window: what a fresh badging report says about the package, the permissions in
// Chinese one to a line, the current and the proposed file name, and the Play Store button for the
// identifier as the field reads when it is pressed.
class ForOuts : public DetailsForm
{
    Q_OBJECT
public:
    ForOuts(QWidget *owner, PackageList *list, PackageReader *reader, const DetailTarget &target);

    void fill(const ApkDetails &details);

    QPlainTextEdit *permissions() const { return m_permissions; }
    QPlainTextEdit *report() const { return m_report; }

protected:
    QUrl storeUrl() const override;
    ReadKind readKind() const override { return ReadKind::Badging; }
    // The fields from the reading, the preview by the active rule.
    void fillFrom(const PackageReading &reading) override;

private:
    QPlainTextEdit *m_permissions;
    QPlainTextEdit *m_report;
};
