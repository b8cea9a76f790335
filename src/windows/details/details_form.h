#pragma once

#include "core/detail_target.h"
#include "inspect/package_reading.h"

#include <QDialog>
#include <QUrl>
#include <QVector>

class PackageIcons;
class PackageList;
class PackageReader;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace skin {
class jcForms;
class jcbutton;
} // namespace skin

// What the APK and IPA details windows share: a frameless window of 5310 by 6675 twips in its
// themed frame, labelled fields placed in twips, and the button array cmdButton (0 exit, 1 store
// page, 2 rename, 3 raw metadata) with one handler. A rename goes through the safe rename and
// records its outcome in the target's list row; a failed store opening shows the standard error box.
class DetailsForm : public QDialog
{
    Q_OBJECT
public:
    enum Button { ExitButton = 0, StoreButton = 1, RenameButton = 2, InfoButton = 3 };
    // The package's icon beside the first fields, read in the background.
    static constexpr int IconSize = 48;
    QLabel *iconLabel() const { return m_icon; }

    // A field by its name: "Text1" ... "Text12"; the APK window's pairs are "Text5_0", "Text5_1".
    QLineEdit *field(const QString &name) const;
    skin::jcbutton *cmdButton(int index) const { return m_buttons.value(index); }
    skin::jcForms *frame() const { return m_frame; }
    const DetailTarget &target() const { return m_target; }

    // The handler of all four buttons; any other index does nothing.
    void buttonClicked(int index);

    // For a file that is no longer where the list found it: the window says so and offers
    // nothing that would act on the file (no rename, no store page, no raw metadata).
    void showFileGone();
    static QString fileGoneText() { return tr("文件已不存在"); }

    // Has the reader read the package again; the fields fill when it has (loaded() then). Where a
    // tool failed, the name field says why ("aapt 超时") in grey while it is empty.
    void load();
    bool isLoaded() const { return m_loaded; }

signals:
    void loaded();

protected:
    DetailsForm(QWidget *owner, PackageList *list, PackageReader *reader, const DetailTarget &target,
                const QString &caption, const QString &storeCaption);

    // What this window has the reader read, and what it does with the reading.
    virtual ReadKind readKind() const = 0;
    virtual void fillFrom(const PackageReading &reading) = 0;

    // A label at left 240, 40 twips below its field, and the field at the given place (twips).
    QLineEdit *addField(const QString &name, const QString &label, int left, int top, int width);
    QLabel *addLabel(const QString &name, const QString &caption, int fieldTop);
    QPlainTextEdit *addTextBox(const QString &name, int left, int top, int width, int height);
    // Current name and proposed new name (Text11, Text12), the same on both windows.
    void addNameFields();

    // The store page for the identifier field as it reads now.
    virtual QUrl storeUrl() const = 0;

    // The package's path for the raw metadata window (where the file is now).
    QString packagePath() const { return m_target.folder + m_currentName; }
    void setCurrentName(const QString &name);

private:
    void openStorePage();
    void renameFile();
    void showRawMetadata();
    void showIcon();

    PackageList *m_list;
    PackageReader *m_reader;
    quint64 m_ticket = 0;
    bool m_loaded = false;
    DetailTarget m_target;
    QString m_currentName;
    skin::jcForms *m_frame;
    QVector<skin::jcbutton *> m_buttons;
    QLabel *m_icon = nullptr;
    PackageIcons *m_icons = nullptr;
};
