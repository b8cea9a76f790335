#include "windows/details/details_form.h"

#include "app/details_rename.h"
#include "app/package_icons.h"
#include "core/package_list.h"
#include "inspect/package_reader.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/button_looks.h"
#include "windows/common/dialog_frame.h"
#include "windows/common/twips.h"
#include "windows/common/url_opener.h"
#include "windows/details/details_font.h"
#include "windows/details/raw_metadata_window.h"

#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>

using skin::jcbutton;

namespace {

struct ButtonPlace
{
    int left, top, width, height;
};

// cmdButton 0 to 3: exit, store page (right of the identifier), rename (right of the new name), Info.
const ButtonPlace kButtonPlaces[] = {
    {4035, 6120, 1080, 375}, {4200, 1580, 850, 285}, {4350, 5600, 705, 285}, {240, 6120, 960, 285}};

// The store buttons are narrow for their Latin captions; a smaller font keeps the caption whole
// whatever font the desktop gives.
void fitCaption(jcbutton *button)
{
    QFont f = button->font();
    const int room = button->width() - 6;
    while (f.pointSizeF() > 6 && QFontMetrics(f).horizontalAdvance(button->Caption()) > room)
        f.setPointSizeF(f.pointSizeF() - 0.5);
    button->setFont(f);
}

} // namespace

DetailsForm::DetailsForm(QWidget *owner, PackageList *list, PackageReader *reader, const DetailTarget &target,
                         const QString &caption, const QString &storeCaption)
    : QDialog(owner), m_list(list), m_reader(reader), m_target(target), m_currentName(target.fileName)
{
    connect(m_reader, &PackageReader::packageRead, this,
            [this](quint64 ticket, const PackageReading &reading) {
                if (ticket != m_ticket)
                    return;
                m_ticket = 0;
                fillFrom(reading);
                field(QStringLiteral("Text1"))->setPlaceholderText(reading.failure);
                m_loaded = true;
                emit loaded();
            });

    setDetailsFont(this);
    m_frame = dressWindow(this, owner, caption, 5310, 6675);

    const QString captions[] = {tr("退出"), storeCaption, tr("重命名"), QStringLiteral("Info.")};
    for (int i = 0; i < 4; ++i) {
        auto *b = new jcbutton(this);
        b->setObjectName(QStringLiteral("cmdButton_%1").arg(i));
        b->setIndex(i);
        dressButton(b, i == ExitButton   ? ButtonLook::DetailsExit
                       : i == InfoButton ? ButtonLook::DetailsInfo
                                         : ButtonLook::DetailsPlain);
        b->setCaption(captions[i]);
        const ButtonPlace &at = kButtonPlaces[i];
        b->setGeometry(twipsRect(at.left, at.top, at.width, at.height));
        fitCaption(b);
        connect(b, &jcbutton::Click, this, &DetailsForm::buttonClicked);
        m_buttons << b;
    }

    // The package's own icon, right of the name, version and size fields and above the store
    // button: the one place on both windows where it moves no control.
    m_icon = new QLabel(this);
    m_icon->setObjectName(QStringLiteral("PackageIcon"));
    m_icon->setGeometry(twipsRect(4335, 720, 720, 720));
    m_icon->setAlignment(Qt::AlignCenter);
    m_icons = new PackageIcons(this);
    connect(m_icons, &PackageIcons::iconReady, this, &DetailsForm::showIcon);
    showIcon();
}

void DetailsForm::showIcon()
{
    QPixmap pixmap;
    const QByteArray png = m_icons->icon(packagePath(), IconSize);
    if (!png.isEmpty())
        pixmap.loadFromData(png, "PNG");
    m_icon->setPixmap(pixmap);
}

void DetailsForm::load()
{
    m_loaded = false;
    m_ticket = m_reader->read(readKind(), packagePath());
}

QLineEdit *DetailsForm::field(const QString &name) const
{
    return findChild<QLineEdit *>(name, Qt::FindDirectChildrenOnly);
}

QLabel *DetailsForm::addLabel(const QString &name, const QString &caption, int fieldTop)
{
    auto *label = new QLabel(caption, this);
    label->setObjectName(name);
    label->setGeometry(twipsRect(240, fieldTop + 40, 1420, 245));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return label;
}

QLineEdit *DetailsForm::addField(const QString &name, const QString &label, int left, int top, int width)
{
    if (!label.isEmpty())
        addLabel(QStringLiteral("Label_") + name, label, top);
    auto *edit = new QLineEdit(this);
    edit->setObjectName(name);
    edit->setGeometry(twipsRect(left, top, width, 285));
    return edit;
}

QPlainTextEdit *DetailsForm::addTextBox(const QString &name, int left, int top, int width, int height)
{
    auto *box = new QPlainTextEdit(this);
    box->setObjectName(name);
    box->setGeometry(twipsRect(left, top, width, height));
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return box;
}

void DetailsForm::addNameFields()
{
    QLineEdit *current = addField(QStringLiteral("Text11"), tr("当前名称:"), 1680, 5300, 2655);
    current->setEnabled(false);
    addField(QStringLiteral("Text12"), tr("新建名称:"), 1680, 5600, 2655);
}

void DetailsForm::setCurrentName(const QString &name)
{
    m_currentName = name;
    field(QStringLiteral("Text11"))->setText(name);
    showIcon();
}

void DetailsForm::showFileGone()
{
    setCurrentName(m_target.fileName);
    field(QStringLiteral("Text1"))->setText(fileGoneText());
    QLineEdit *newName = field(QStringLiteral("Text12"));
    newName->clear();
    newName->setEnabled(false);
    for (int button : {StoreButton, RenameButton, InfoButton})
        m_buttons[button]->setEnabled(false);
}

void DetailsForm::buttonClicked(int index)
{
    // A button the window does not offer does nothing, however its handler is reached.
    if (jcbutton *b = m_buttons.value(index); b && !b->isEnabled())
        return;
    switch (index) {
    case ExitButton:
        close();
        break;
    case StoreButton:
        openStorePage();
        break;
    case RenameButton:
        renameFile();
        break;
    case InfoButton:
        showRawMetadata();
        break;
    default:
        break;
    }
}

void DetailsForm::openStorePage()
{
    UrlOpener::open(storeUrl(), this, [this] {
        // The answer may come while the user does something else: the box waits, modal to
        // this window, without holding up the program.
        auto *box = new QMessageBox(QMessageBox::Critical, tr("错误："), tr("调用浏览器错误！"),
                                    QMessageBox::Ok, this);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->open();
    });
}

void DetailsForm::renameFile()
{
    const QString newName = field(QStringLiteral("Text12"))->text();
    PackageList scratchList;
    PackageList &list = m_list ? *m_list : scratchList;
    // The current-name field follows the file, so that Info. and a second rename find it.
    if (renameFromDetails(list, m_target, m_currentName, newName) == RenameOutcome::Renamed)
        setCurrentName(newName);
}

void DetailsForm::showRawMetadata()
{
    // Owned by this window: should it go while the raw window is up, it takes that one along.
    QPointer<ForShow> raw = new ForShow(this, packagePath(), m_reader);
    raw->exec();
    delete raw;
}
