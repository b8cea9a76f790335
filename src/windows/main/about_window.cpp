#include "windows/main/about_window.h"

#include "app/program_version.h"
#include "app/startup.h"
#include "skin/button/jcbutton.h"
#include "skin/frame/jcforms.h"
#include "windows/common/button_looks.h"
#include "windows/common/dialog_frame.h"
#include "windows/common/twips.h"
#include "windows/main/about_pictures.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>

namespace {

QLabel *textLabel(QWidget *parent, const QString &name, const QString &text, QPoint at)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->move(at);
    label->adjustSize();
    return label;
}

// A label one character wide: the text runs down the column.
QLabel *columnLabel(QWidget *parent, const QString &name, const QString &text, const QRect &where)
{
    QStringList characters;
    for (const QChar c : text)
        characters.append(QString(c));
    auto *label = new QLabel(characters.join(QLatin1Char('\n')), parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setGeometry(where);
    // A wording longer than the column (the English ones) runs in a smaller size rather than
    // losing its last letters.
    QFont font = label->font();
    while (QFontMetrics(font).lineSpacing() * characters.size() > where.height() && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        label->setFont(font);
    }
    return label;
}

QLabel *pictureLabel(QWidget *parent, const QString &name, const QPixmap &picture, const QRect &where)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setScaledContents(true);
    label->setPixmap(picture);
    label->setGeometry(where);
    return label;
}

// The main window's caption: the owner's when it has one, else the caption the main window gets.
QString mainCaption(QWidget *owner)
{
    if (owner && !owner->window()->windowTitle().isEmpty())
        return owner->window()->windowTitle();
    return Startup::windowTitle();
}

} // namespace

QString creditLine()
{
    return QCoreApplication::translate("ForMail", "Tavrel %1 安装包改名工具").arg(ProgramVersion::text());
}

QString aboutText()
{
    return Startup::windowTitle() + QStringLiteral("\r\n") + creditLine() + QStringLiteral("\r\n") +
           ProgramVersion::date();
}

ForMail::ForMail(QWidget *owner) : QDialog(owner ? owner->window() : nullptr)
{
    m_frame = setUpDialog(this, owner, QStringLiteral("ForMail"), tr("关于"), 6060, 3840);

    const QIcon icon = windowIcon();
    const QPixmap picture = icon.isNull() ? programPicture(64) : icon.pixmap(64, 64);
    pictureLabel(this, QStringLiteral("Image2"), picture, QRect(twips(600), twips(840), 64, 64));
    m_caption =
        textLabel(this, QStringLiteral("Label4"), mainCaption(owner), QPoint(twips(1920), twips(960)));
    textLabel(this, QStringLiteral("Label3"), creditLine(), QPoint(twips(1920), twips(1320)));
    auto *date = textLabel(this, QStringLiteral("Label5"), QStringLiteral("2018/01/12"),
                           QPoint(twips(1920), twips(1680)));
    date->setGeometry(twipsRect(1920, 1680, 1095, 255));
    columnLabel(this, QStringLiteral("Label1"), tr("支付宝赞助"), twipsRect(720, 2280, 255, 1095));
    pictureLabel(this, QStringLiteral("Image1_0"), packagePicture(200), twipsRect(960, 2040, 1500, 1500));
    columnLabel(this, QStringLiteral("Label2"), tr("微信赞助"), twipsRect(3360, 2400, 255, 1215));
    pictureLabel(this, QStringLiteral("Image1_1"), phonePicture(200), twipsRect(3600, 2025, 1545, 1545));

    m_exit = new skin::jcbutton(this);
    m_exit->setObjectName(QStringLiteral("jcbutton1"));
    dressButton(m_exit, ButtonLook::AboutExit);
    m_exit->setCaption(tr("退出"));
    m_exit->setGeometry(twipsRect(4680, 1560, 855, 375));
    connect(m_exit, &skin::jcbutton::Click, this, &QDialog::accept);
}

void openAboutWindow(QWidget *owner)
{
    QPointer<ForMail> window = new ForMail(owner);
    window->exec();
    delete window;
}
