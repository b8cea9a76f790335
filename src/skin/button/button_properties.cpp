// The multistyle button: construction, persisted properties and the defaults of each style.
#include "skin/button/jcbutton.h"

#include "skin/common/draw_helpers.h"
#include "skin/common/property_bag.h"
#include "skin/subclassing/subclasser.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMessageBox>

namespace skin {

namespace {

// 220 twips at 15 twips to the pixel, rounded up.
constexpr int kMinimumSide = 15;

const QString kDefaultCaption = QStringLiteral("jcbutton");
// The name a newly placed button gets; equal captions are not written.
const QString kUnwrittenCaption = QStringLiteral("jcbutton1");

QVariant pictureVariant(const QPixmap &pixmap)
{
    return pixmap.isNull() ? QVariant() : QVariant::fromValue(pixmap);
}

QPixmap readPicture(const PropertyBag &bag, const QString &name)
{
    return bag.read(name, QVariant()).value<QPixmap>();
}

} // namespace

jcbutton::jcbutton(QWidget *parent) : QAbstractButton(parent)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(kMinimumSide, kMinimumSide);
    setText(kDefaultCaption);
    applyStyleDefaults();
    m_containerActive = window()->isActiveWindow();
}

jcbutton::~jcbutton()
{
    // Unhook while the button is still whole; its children go before it is.
    delete m_hooks;
    m_hooks = nullptr;
}

jcbutton::StyleDefaults jcbutton::styleDefaults(Style style)
{
    switch (style) {
    case ClassicStyle:
    case StandardStyle:
        return {kSysButtonFace, kSysButtonText, true, 0};
    case FlatStyle:
        return {kSysButtonFace, kSysButtonText, false, 3};
    case SilverStyle:
        return {0xE7EBEC, kSysButtonText, false, 3};
    case InfoStyle:
        return {kSysButtonFace, kSysButtonText, false, 4};
    case SoftStyle:
        return {shiftColour(0xD4D4D4, 0.06), kSysButtonText, false, 3};
    case ShadowStyle:
        return {0xAA6D00, 0xFFFFFF, true, 0};
    case DiagonalStyle:
        return {0xE1D6D5, kSysButtonText, true, 3};
    case ToolbarStyle:
        return {0xFFD1AD, 0x8B4215, false, 0};
    case RoundToolbarStyle:
        return {0xFFD1AD, 0x8B4215, false, 4};
    case PeachStyle:
        return {0xFCE1CA, kSysButtonText, false, 0};
    case GlossyStyle:
        return {0xD0D0D0, kSysButtonText, false, 18};
    case GlassStyle:
        return {0xE6CAA7, kSysButtonText, true, 0};
    default: // 9, 11, 12
        return {kSysButtonFace, kSysButtonText, false, 0};
    }
}

void jcbutton::applyStyleDefaults()
{
    const StyleDefaults d = styleDefaults(m_style);
    m_backColour = d.back;
    m_foreColour = d.fore;
    m_showFocusRect = d.showFocusRect;
    updateShape();
    update();
}

// ---------------------------------------------------------------------------------------
// Persisted properties

void jcbutton::initProperties(const QString &nameOnContainer)
{
    m_style = ClassicStyle;
    applyStyleDefaults();
    m_showFocusRect = true;
    if (QWidget *c = container()) {
        QFont f = c->font();
        f.setFamily(QStringLiteral("Tahoma"));
        setFont(f);
    }
    setEnabled(true);
    setCaption(nameOnContainer);
    m_value = false;
    m_mousePointer = 0;
    m_handPointer = false;
    m_mouseIcon = m_picture = m_pictureHover = QPixmap();
    m_pictureSize = 0;
    m_maskColour = 0xE0E0E0;
    m_useMaskColour = false;
    m_checkBoxMode = false;
    m_pictureAlign = PictureLeftOfCaption;
    m_captionAlign = 1;
    updatePointer();
    update();
}

void jcbutton::readProperties(const PropertyBag &bag)
{
    const QFont containerFont = container() ? container()->font() : QApplication::font();
    setButtonStyle(Style(bag.read<int>(QStringLiteral("ButtonStyle"), StandardStyle)));
    m_showFocusRect = bag.read<bool>(QStringLiteral("ShowFocusRect"), false);
    const QFont f = bag.read<QFont>(QStringLiteral("Font"), containerFont);
    // The container's own font is inherited rather than copied, so it follows later changes.
    setFont(f == containerFont ? QFont() : f);
    m_backColour = bag.read<ColourRef>(QStringLiteral("BackColor"), kSysButtonFace);
    setEnabled(bag.read<bool>(QStringLiteral("Enabled"), true));
    setCaption(bag.read<QString>(QStringLiteral("Caption"), kDefaultCaption));
    m_value = bag.read<bool>(QStringLiteral("Value"), false);
    m_mousePointer = bag.read<int>(QStringLiteral("MousePointer"), 0);
    m_handPointer = bag.read<bool>(QStringLiteral("HandPointer"), false);
    m_mouseIcon = readPicture(bag, QStringLiteral("MouseIcon"));
    m_picture = readPicture(bag, QStringLiteral("Picture"));
    m_pictureHover = readPicture(bag, QStringLiteral("PictureHover"));
    m_pictureSize = bag.read<int>(QStringLiteral("PictureSize"), 0);
    m_maskColour = bag.read<ColourRef>(QStringLiteral("MaskColor"), 0xE0E0E0);
    m_useMaskColour = bag.read<bool>(QStringLiteral("UseMaskCOlor"), false);
    m_checkBoxMode = bag.read<bool>(QStringLiteral("CheckBoxMode"), false);
    m_pictureAlign = bag.read<int>(QStringLiteral("PictureAlign"), PictureLeftOfCaption);
    m_captionAlign = bag.read<int>(QStringLiteral("CaptionAlign"), 1);
    m_foreColour = bag.read<ColourRef>(QStringLiteral("ForeColor"), kSysButtonText);
    updatePointer();
    installHooks();
    update();
}

void jcbutton::writeProperties(PropertyBag &bag) const
{
    const QFont containerFont = container() ? container()->font() : QApplication::font();
    bag.write<int>(QStringLiteral("ButtonStyle"), m_style, 1);
    bag.write<bool>(QStringLiteral("ShowFocusRect"), m_showFocusRect, false);
    bag.write<QFont>(QStringLiteral("Font"), font(), containerFont);
    bag.write<ColourRef>(QStringLiteral("BackColor"), m_backColour, kSysButtonFace);
    bag.write<bool>(QStringLiteral("Enabled"), isEnabled(), true);
    bag.write<QString>(QStringLiteral("Caption"), text(), kUnwrittenCaption);
    bag.write<bool>(QStringLiteral("Value"), m_value, false);
    bag.write<int>(QStringLiteral("MousePointer"), m_mousePointer, 0);
    bag.write<bool>(QStringLiteral("HandPointer"), m_handPointer, false);
    bag.write(QStringLiteral("MouseIcon"), pictureVariant(m_mouseIcon), QVariant());
    bag.write(QStringLiteral("Picture"), pictureVariant(m_picture), QVariant());
    bag.write(QStringLiteral("PictureHover"), pictureVariant(m_pictureHover), QVariant());
    bag.write<int>(QStringLiteral("PictureSize"), m_pictureSize, 0);
    bag.write<ColourRef>(QStringLiteral("MaskColor"), m_maskColour, 0xE0E0E0);
    bag.write<bool>(QStringLiteral("UseMaskCOlor"), m_useMaskColour, false);
    bag.write<bool>(QStringLiteral("CheckBoxMode"), m_checkBoxMode, false);
    bag.write<int>(QStringLiteral("PictureAlign"), m_pictureAlign, PictureLeftOfCaption);
    bag.write<int>(QStringLiteral("CaptionAlign"), m_captionAlign, 1);
    bag.write<ColourRef>(QStringLiteral("ForeColor"), m_foreColour, kSysButtonText);
}

void jcbutton::setButtonStyle(Style style)
{
    m_style = Style(std::clamp(int(style), int(ClassicStyle), int(GlassStyle)));
    applyStyleDefaults();
}

void jcbutton::setShowFocusRect(bool on)
{
    m_showFocusRect = on;
    update();
}

void jcbutton::setBackColor(ColourRef colour)
{
    m_backColour = colour;
    update();
}

void jcbutton::setForeColor(ColourRef colour)
{
    m_foreColour = colour;
    update();
}

void jcbutton::setCaption(const QString &caption)
{
    // setText also takes the access key ("&x") of the caption.
    setText(caption);
    update();
}

void jcbutton::setValue(bool value)
{
    m_value = value;
    update();
}

void jcbutton::setMousePointer(int pointer)
{
    m_mousePointer = pointer;
    updatePointer();
}

void jcbutton::setHandPointer(bool on)
{
    m_handPointer = on;
    updatePointer();
}

void jcbutton::setMouseIcon(const QPixmap &icon)
{
    m_mouseIcon = icon;
    updatePointer();
}

void jcbutton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    update();
}

void jcbutton::setPictureHover(const QPixmap &picture)
{
    m_pictureHover = picture;
    update();
}

void jcbutton::setPictureSize(int size)
{
    m_pictureSize = size;
    update();
}

void jcbutton::setMaskColor(ColourRef colour)
{
    m_maskColour = colour;
    update();
}

void jcbutton::setUseMaskColor(bool on)
{
    m_useMaskColour = on;
    update();
}

void jcbutton::setCheckBoxMode(bool on)
{
    m_checkBoxMode = on;
    update();
}

void jcbutton::setPictureAlign(int align)
{
    m_pictureAlign = align;
    update();
}

void jcbutton::setCaptionAlign(int align)
{
    m_captionAlign = align;
    update();
}

void jcbutton::setDefault(bool on)
{
    m_isDefault = on;
    update();
}

void jcbutton::About()
{
    QMessageBox::about(this, tr("关于 jcbutton"),
                       tr("jcbutton 多样式按钮\n\n十六种绘制样式，支持热点、按下与选中外观、"
                          "按钮图片和复选模式。"));
}

QSize jcbutton::sizeHint() const
{
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic | Qt::TextSingleLine, this->text());
    return QSize(std::max(75, text.width() + 24), std::max(23, text.height() + 10));
}

QSize jcbutton::minimumSizeHint() const
{
    return QSize(kMinimumSide, kMinimumSide);
}

} // namespace skin
