// The themed window frame: properties, colours, title height and painting.
#include "skin/jcforms.h"

#include "skin/draw_primitives.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLocale>
#include <QMenu>
#include <QPaintEvent>
#include <QPainter>
#include <QShortcut>

namespace skin {

namespace {

const ColorRef kWhite = rgbRef(255, 255, 255);
const ColorRef kBlack = 0;

QColor qc(ColorRef c)
{
    return QColor(refRed(c), refGreen(c), refBlue(c));
}

} // namespace

void themeColors(int theme, ColorRef &dark, ColorRef &light)
{
    switch (theme) {
    case 1:
        dark = rgbRef(95, 95, 111), light = rgbRef(244, 244, 251);
        break;
    case 2:
        dark = rgbRef(63, 93, 56), light = rgbRef(247, 249, 225);
        break;
    case 3:
        dark = rgbRef(98, 107, 72), light = rgbRef(248, 248, 242);
        break;
    case 4:
        dark = rgbRef(117, 91, 30), light = rgbRef(255, 239, 165);
        break;
    default:
        dark = rgbRef(19, 97, 156), light = rgbRef(221, 236, 254);
        break;
    }
}

void GetGradientColor(const QString &schemeName, bool themed, ColorRef &dark, ColorRef &light)
{
    if (!themed)
        themeColors(0, dark, light);
    else if (schemeName == QLatin1String("NormalColor"))
        themeColors(0, dark, light);
    else if (schemeName == QLatin1String("Metallic"))
        themeColors(1, dark, light);
    else if (schemeName == QLatin1String("HomeStead"))
        themeColors(2, dark, light);
}

QString TrimWord(const QString &text, int width, const QFontMetrics &metrics)
{
    if (metrics.horizontalAdvance(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    QString t = text;
    while (!t.isEmpty()) {
        // Whole characters only: never half of a surrogate pair.
        t.chop(t.size() >= 2 && t.back().isLowSurrogate() && t[t.size() - 2].isHighSurrogate() ? 2 : 1);
        if (t.isEmpty())
            break;
        if (metrics.horizontalAdvance(t + dots) <= width)
            return t + dots;
    }
    return QString();
}

// ---------------------------------------------------------------------------------------
// Construction and properties

jcForms::jcForms(QWidget *window) : QWidget(window), m_window(window)
{
    initProperties();
    startRunTime();
}

jcForms::jcForms(QWidget *window, const PropertyBag &design) : QWidget(window), m_window(window)
{
    initProperties();
    m_inSetup = true;
    ReadProperties(design);
    m_inSetup = false;
    startRunTime();
}

jcForms::~jcForms()
{
    m_ready = false;
    m_subclass.unsubclassAll();
    delete m_closeShortcut;
}

void jcForms::initProperties()
{
    m_colorFrom = rgbRef(128, 64, 64);
    m_colorTo = rgbRef(255, 224, 192);
    m_themeColor = 0;
    m_backColorStyle = 0;
    m_borderStyle = 1;
    m_button[CloseSlot].visible = true;
    m_button[MaxSlot].visible = true;
    m_button[MinSlot].visible = true;
    m_windowState = 0;
    m_customBackColor = kSysButtonFace;
    m_style = 0;
    m_iconSize = 16;
    m_changeAllBackgrounds = false;
    m_titleBarShadow = true;
}

void jcForms::ReadProperties(const PropertyBag &bag)
{
    m_windowState = bag.read<int>(QStringLiteral("WindowState"), 0);
    m_colorFrom = bag.read<ColorRef>(QStringLiteral("ColorFrom"), rgbRef(128, 64, 64));
    m_colorTo = bag.read<ColorRef>(QStringLiteral("ColorTo"), rgbRef(255, 224, 192));
    m_themeColor = bag.read<int>(QStringLiteral("ThemeColor"), 6);
    m_backColorStyle = bag.read<int>(QStringLiteral("BackColorStyle"), 0);
    m_borderStyle = bag.read<int>(QStringLiteral("BorderStyle"), 1);
    m_button[CloseSlot].visible = bag.read<bool>(QStringLiteral("CloseButton"), true);
    m_button[MaxSlot].visible = bag.read<bool>(QStringLiteral("MaxButton"), true);
    m_button[MinSlot].visible = bag.read<bool>(QStringLiteral("MinButton"), true);
    m_customBackColor = bag.read<ColorRef>(QStringLiteral("CustomBackColor"), kSysButtonFace);
    m_style = bag.read<int>(QStringLiteral("Style"), 0);
    m_iconSize = bag.read<qint16>(QStringLiteral("IconSize"), qint16(16));
    m_changeAllBackgrounds = bag.read<bool>(QStringLiteral("ChangeAllBackgrounds"), false);
    m_titleBarShadow = bag.read<bool>(QStringLiteral("TitleBarShadow"), true);
    if (!m_button[MaxSlot].visible)
        m_windowState = 0;
    if (!m_inSetup)
        startRunTime();
}

void jcForms::WriteProperties(PropertyBag &bag) const
{
    bag.write<int>(QStringLiteral("WindowState"), m_windowState, 0);
    bag.write<ColorRef>(QStringLiteral("ColorFrom"), m_colorFrom, rgbRef(128, 64, 64));
    bag.write<ColorRef>(QStringLiteral("ColorTo"), m_colorTo, rgbRef(255, 224, 192));
    bag.write<int>(QStringLiteral("ThemeColor"), m_themeColor, 6);
    bag.write<int>(QStringLiteral("BackColorStyle"), m_backColorStyle, 0);
    bag.write<int>(QStringLiteral("BorderStyle"), m_borderStyle, 1);
    bag.write<bool>(QStringLiteral("CloseButton"), m_button[CloseSlot].visible, true);
    bag.write<bool>(QStringLiteral("MaxButton"), m_button[MaxSlot].visible, true);
    bag.write<bool>(QStringLiteral("MinButton"), m_button[MinSlot].visible, true);
    bag.write<ColorRef>(QStringLiteral("CustomBackColor"), m_customBackColor, kSysButtonFace);
    bag.write<int>(QStringLiteral("Style"), m_style, 0);
    bag.write<qint16>(QStringLiteral("IconSize"), m_iconSize, qint16(16));
    bag.write<bool>(QStringLiteral("ChangeAllBackgrounds"), m_changeAllBackgrounds, false);
    bag.write<bool>(QStringLiteral("TitleBarShadow"), m_titleBarShadow, true);
}

void jcForms::setColorFrom(ColorRef c)
{
    m_colorFrom = c;
    SetThemeColor();
    Refresh();
}

void jcForms::setColorTo(ColorRef c)
{
    m_colorTo = c;
    SetThemeColor();
    Refresh();
}

void jcForms::setThemeColor(int theme)
{
    m_themeColor = theme;
    SetThemeColor();
    Refresh();
}

void jcForms::setBackColorStyle(int s)
{
    m_backColorStyle = s;
    Refresh(true);
}

void jcForms::setBorderStyle(int s)
{
    m_borderStyle = s;
    placeStrips();
}

void jcForms::setCloseButton(bool on)
{
    m_button[CloseSlot].visible = on;
    if (QAction *close = m_items.value(MenuClose))
        close->setEnabled(on);
    BorderStyleSetup();
}

void jcForms::setMaxButton(bool on)
{
    m_button[MaxSlot].visible = on;
    if (!on && m_windowState == 2)
        jcWindowState(true);
    BorderStyleSetup();
}

void jcForms::setMinButton(bool on)
{
    m_button[MinSlot].visible = on;
    BorderStyleSetup();
}

void jcForms::setFrameWindowState(int state)
{
    if (state == m_windowState)
        return;
    if (state == 1) {
        if (m_window)
            m_window->showMinimized();
        return;
    }
    if (state == 2 && !MaxButton())
        return;
    jcWindowState(true);
}

void jcForms::setCustomBackColor(ColorRef c)
{
    m_customBackColor = c;
    Refresh(true);
}

void jcForms::setStyle(int style)
{
    m_style = style;
    TitleBarHeightSetup();
    Refresh();
}

void jcForms::setIconSize(qint16 size)
{
    m_iconSize = size;
    TitleBarHeightSetup();
    Refresh();
}

void jcForms::setChangeAllBackgrounds(bool on)
{
    m_changeAllBackgrounds = on;
    Refresh();
}

void jcForms::setTitleBarShadow(bool on)
{
    m_titleBarShadow = on;
    update();
}

// ---------------------------------------------------------------------------------------
// Colours, title height, layout

void jcForms::SetThemeColor()
{
    if (m_themeColor == 6) {
        // There is no desktop colour scheme to follow here: the classic colours apply.
        m_schemeName = QStringLiteral("Classic");
        GetGradientColor(m_schemeName, false, m_rawDark, m_rawLight);
    } else if (m_themeColor == 5) {
        m_rawDark = translateColor(m_colorFrom);
        m_rawLight = translateColor(m_colorTo);
    } else {
        themeColors(m_themeColor, m_rawDark, m_rawLight);
    }
    if (m_active) {
        m_dark = m_rawDark;
        m_light = m_rawLight;
    } else {
        m_dark = BlendColor(m_rawDark, kWhite, 190);
        m_light = BlendColor(m_rawLight, kWhite, 190);
    }
}

void jcForms::applyBackColor()
{
    ColorRef c = kColorInvalid;
    switch (m_backColorStyle) {
    case 1:
        c = m_light;
        break;
    case 2:
        c = translateColor(m_customBackColor);
        break;
    default:
        c = translateColor(kSysButtonFace);
        break;
    }
    if (c == kColorInvalid)
        c = translateColor(kSysButtonFace);
    m_backColor = c;
}

void jcForms::TitleBarHeightSetup()
{
    QFont f = m_window ? m_window->font() : font();
    f.setBold(true);
    m_boldFont = f;
    setFont(f);
    const int textHeight = QFontMetrics(f).height();
    m_baseTitleHeight = std::max(textHeight + 10, int(m_iconSize) + 15);
    m_titleHeight = m_baseTitleHeight + (m_style == 1 ? 10 : 0);
}

int jcForms::leftmostButton() const
{
    for (int slot = 2; slot >= 0; --slot) {
        if (m_button[slot].visible)
            return slot;
    }
    return -1;
}

void jcForms::CaptionBtnSetup()
{
    const int sw = width();
    const int bh = m_button[CloseSlot].visible ? m_button[CloseSlot].height : 18;
    int offset = roundEven((m_titleHeight - bh) / 2.0);
    if (m_style == 1)
        offset += 3;
    int k = 0;
    for (auto &b : m_button) {
        b.width = 18;
        b.height = 18;
        if (!b.visible)
            continue;
        b.left = sw - 3 - 21 * (k + 1);
        b.top = offset + 2;
        ++k;
    }
    m_button[CloseSlot].tooltip = m_closeTip;
    m_button[MinSlot].tooltip = m_minTip;
    m_button[MaxSlot].tooltip = m_windowState == 2 ? m_restoreTip : m_maxTip;
}

void jcForms::BorderStyleSetup()
{
    CaptionBtnSetup();
    DrawTitleBarInitial();
    update();
}

void jcForms::DrawTitleBarInitial()
{
    const QIcon icon = m_window ? m_window->windowIcon() : QIcon();
    const int sw = width();
    m_w0 = icon.isNull() ? 0 : sw - 1;
    m_titleCache = QImage();
    if (m_w0 <= 0)
        return;
    // The title background with the icon, kept so that repaints need not scale the icon.
    m_titleCache = QImage(m_w0 + 2, m_titleHeight + 1, QImage::Format_RGB32);
    m_titleCache.fill(qc(m_backColor));
    QPainter p(&m_titleCache);
    p.translate(1, 0); // the image starts at x = -1
    paintTitleBackground(p, -1, m_w0 + 2);
    const int s = m_iconSize;
    // Halves round to even, like every other position of the title bar.
    const int y = m_style == 1 ? roundEven((m_titleHeight - s - 8) / 2.0 + 10)
                               : roundEven((m_titleHeight - s) / 2.0 + 2);
    icon.paint(&p, QRect(9, y, s, s));
}

void jcForms::Refresh(bool force)
{
    if (m_changeAllBackgrounds || force)
        applyBackColor();
    DrawTitleBarInitial();
    handleResize();
}

// ---------------------------------------------------------------------------------------
// Painting

void jcForms::paintTitleBackground(QPainter &p, int x, int w) const
{
    const int t = m_titleHeight;
    switch (m_style) {
    case 1:
        DrawGradientInRectangle(p, m_dark, m_light, x, -2, w, 10, 2, false, 0, 5.01);
        DrawGradientInRectangle(p, m_dark, m_light, x, 7, w, t - 7, 2, false, 0, 5.01);
        break;
    case 2:
        DrawGradientInRectangle(p, m_dark, m_light, x, -2, w, 10, 0);
        p.fillRect(QRect(x, 7, w, t - 7), qc(m_dark));
        break;
    case 3:
        DrawGradientInRectangle(p, m_dark, m_light, x, -1, w, t + 1, 0);
        break;
    case 4:
        DrawGradientInRectangle(p, m_dark, m_light, x, -2, w, 7, 2, false, 0, 5.01);
        DrawGradientInRectangle(p, m_light, m_dark, x, 4, w, t - 4, 2, false, 0, 1.01);
        break;
    case 5: {
        const ColorRef c1 = BlendColor(m_dark, kBlack, 128);
        const ColorRef c2 = BlendColor(m_light, c1, 128);
        DrawGradientInRectangle(p, m_light, c2, x, -2, w, 12, 2, false, 0, 1.01);
        DrawGradientInRectangle(p, m_dark, m_dark, x, 8, w, t - 8, 2, false, 0, 7.01);
        APILineEx(p, x, 8, x + w, 8, BlendColor(m_dark, m_light, 128));
        APILineEx(p, x, 0, x + w, 0, BlendColor(kWhite, m_light, 128));
        break;
    }
    default:
        DrawGradientInRectangle(p, m_dark, m_light, x, -1, w, t + 1, 2, true, m_dark, 5.01);
        break;
    }
}

void jcForms::PaintShpInBar(QPainter &p, int left, int right, int top) const
{
    // A short row of raised dots in the middle of the bar, as a grip.
    const ColorRef darker = BlendColor(m_dark, kBlack, 128);
    const int mid = (left + right) / 2;
    for (int i = -4; i <= 4; ++i) {
        const int x = mid + i * 4;
        setPixelRef(p, x, top, m_light);
        setPixelRef(p, x + 1, top + 1, darker);
        setPixelRef(p, x, top + 3, m_light);
        setPixelRef(p, x + 1, top + 4, darker);
    }
}

void jcForms::paintGlyph(QPainter &p, int slot, int l, int t, ColorRef c) const
{
    auto line = [&](int x1, int y1, int x2, int y2) { APILineEx(p, l + x1, t + y1, l + x2, t + y2, c); };
    switch (slot) {
    case CloseSlot:
        line(6, 5, 14, 13);
        line(5, 5, 14, 14);
        line(5, 6, 13, 14);
        line(5, 12, 13, 4);
        line(5, 13, 14, 4);
        line(6, 13, 14, 5);
        break;
    case MaxSlot:
        if (m_windowState == 2 && m_ready) {
            line(7, 5, 7, 8);
            line(7, 5, 16, 5);
            line(7, 4, 16, 4);
            line(15, 4, 15, 11);
            line(15, 11, 11, 11);
            line(3, 9, 11, 9);
            ApiRectangle(p, l + 3, t + 8, 8, 7, c);
        } else {
            line(4, 5, 15, 5);
            ApiRectangle(p, l + 4, t + 6, 10, 8, c);
        }
        break;
    case MinSlot:
        line(5, 11, 14, 11);
        line(5, 12, 14, 12);
        line(5, 13, 14, 13);
        break;
    default:
        break;
    }
}

void jcForms::DrawCaptionBtns(QPainter &p, int state, ColorRef colour, int slot) const
{
    if (slot < 0) {
        for (int s = 0; s < 3; ++s) {
            if (m_button[s].visible)
                DrawCaptionBtns(p, 0, colour, s);
        }
        return;
    }
    const CaptionButton &b = m_button[slot];
    if (!b.visible)
        return;
    const bool flat = m_style == 2 || m_style == 5;
    const ColorRef darker = BlendColor(m_dark, kBlack, 128);
    const ColorRef frameColour = flat ? kBlack : darker;
    int l = b.left, t = b.top;
    const int w = b.width, h = b.height;
    ColorRef glyph = colour;
    if (state == 0) {
        // The title background under the button is already in place: the whole frame is
        // painted in one pass.
        glyph = flat ? m_light : colour;
    } else {
        if (state == 2)
            ++l, ++t;
        DrawGradientInRectangle(p, BlendColor(colour, kWhite, 128), kWhite, l + 1, t, w - 1, h, 2, false, 0,
                                2.01);
        APILineEx(p, l + 1, t, l + w, t, frameColour);
        APILineEx(p, l, t + 1, l, t + h, frameColour);
        APILineEx(p, l + 1, t + h, l + w, t + h, frameColour);
        APILineEx(p, l + w, t + 1, l + w, t + h, frameColour);
        glyph = m_dark;
    }
    paintGlyph(p, slot, l, t, glyph);
}

void jcForms::DrawTitleBar(QPainter &p)
{
    const int sw = width(), sh = height(), t = m_titleHeight;
    const ColorRef darker = BlendColor(m_dark, kBlack, 128);
    const int lm = leftmostButton();
    const int bl = lm < 0 ? sw : m_button[lm].left;

    if (sw > m_w0 + 1)
        paintTitleBackground(p, m_w0, sw + 1 - m_w0);

    QRect text =
        m_style == 1 ? QRect(QPoint(9, 11), QPoint(bl - 12, t + 3)) : QRect(QPoint(9, 4), QPoint(bl - 12, t));
    if (m_style == 1)
        PaintShpInBar(p, 0, sw, 2);

    ApiRectangle(p, 0, t + 1, sw - 1, sh - t - 2, m_dark);
    ApiRectangle(p, 1, t + 1, sw - 3, sh - t - 3, m_dark);
    ApiRectangle(p, 2, t + 1, sw - 5, sh - t - 4, darker);

    if (m_titleBarShadow) {
        DrawGradientInRectangle(p, m_backColor, BlendColor(m_backColor, kBlack, 128), 3, t, sw - 6, 8, 0);
        APILineEx(p, -1, t, sw + 1, t, m_dark);
        APILineEx(p, 5, t, sw - 5, t, darker);
    } else if (m_style != 0) {
        APILineEx(p, -1, t, sw + 1, t, m_dark);
    }

    for (auto [x, y] :
         {std::pair{2, t + 1}, {2, t + 2}, {3, t + 1}, {sw - 3, t + 1}, {sw - 3, t + 2}, {sw - 4, t + 1}})
        setPixelRef(p, x, y, m_dark);
    for (auto [x, y] : {std::pair{4, t + 1}, {3, t + 2}, {sw - 5, t + 1}, {sw - 4, t + 2}})
        setPixelRef(p, x, y, darker);

    if (m_w0 > 0) {
        text.translate(m_iconSize + 6, 0);
        text.setRight(text.right() - m_iconSize);
    }
    if (m_ready && m_window && !m_window->windowTitle().isEmpty() && m_window->windowTitle() != m_caption)
        m_caption = m_window->windowTitle();
    if (!m_caption.isEmpty()) {
        p.setFont(m_boldFont);
        const QString shown = TrimWord(m_caption, text.width(), QFontMetrics(m_boldFont));
        const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
        p.setPen(qc(m_light));
        p.drawText(text, flags, shown);
        if (m_style != 2 && m_style != 5) {
            p.setPen(qc(darker));
            p.drawText(text.translated(-1, -1), flags, shown);
        }
    }
}

void jcForms::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), qc(m_backColor));
    if (!m_titleCache.isNull())
        p.drawImage(-1, 0, m_titleCache);
    DrawTitleBar(p);
    for (int s = 0; s < 3; ++s) {
        if (!m_button[s].visible)
            continue;
        int state = 0;
        if (s == m_hot)
            state = (m_pressed == s) ? 2 : (m_pressed < 0 ? 1 : 0);
        DrawCaptionBtns(p, state, m_dark, s);
    }
}

QImage jcForms::renderImage()
{
    // A hidden window gets no resize events; follow its size here.
    stretchOverWindow();
    QImage img(size(), QImage::Format_RGB32);
    img.fill(Qt::black);
    render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

} // namespace skin
