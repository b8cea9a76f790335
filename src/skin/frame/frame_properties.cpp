// The themed window frame: construction and its persisted properties.
#include "skin/frame/jcforms.h"

#include "skin/common/draw_primitives.h"

#include <QApplication>
#include <QLocale>
#include <QMenu>
#include <QShortcut>

namespace skin {

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
    readProperties(design);
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
    m_colourFrom = rgbRef(128, 64, 64);
    m_colourTo = rgbRef(255, 224, 192);
    m_themeColour = 0;
    m_backColourStyle = 0;
    m_borderStyle = 1;
    m_button[CloseSlot].visible = true;
    m_button[MaxSlot].visible = true;
    m_button[MinSlot].visible = true;
    m_windowState = NormalState;
    m_customBackColour = kSysButtonFace;
    m_style = 0;
    m_iconSize = 16;
    m_changeAllBackgrounds = false;
    m_titleBarShadow = true;
}

void jcForms::readProperties(const PropertyBag &bag)
{
    const int state = bag.read<int>(QStringLiteral("WindowState"), NormalState);
    // A number that names no state is taken as normal.
    m_windowState = state == MinimisedState || state == MaximisedState ? FrameState(state) : NormalState;
    m_colourFrom = bag.read<ColourRef>(QStringLiteral("ColorFrom"), rgbRef(128, 64, 64));
    m_colourTo = bag.read<ColourRef>(QStringLiteral("ColorTo"), rgbRef(255, 224, 192));
    m_themeColour = bag.read<int>(QStringLiteral("ThemeColor"), 6);
    m_backColourStyle = bag.read<int>(QStringLiteral("BackColorStyle"), 0);
    m_borderStyle = bag.read<int>(QStringLiteral("BorderStyle"), 1);
    m_button[CloseSlot].visible = bag.read<bool>(QStringLiteral("CloseButton"), true);
    m_button[MaxSlot].visible = bag.read<bool>(QStringLiteral("MaxButton"), true);
    m_button[MinSlot].visible = bag.read<bool>(QStringLiteral("MinButton"), true);
    m_customBackColour = bag.read<ColourRef>(QStringLiteral("CustomBackColor"), kSysButtonFace);
    m_style = bag.read<int>(QStringLiteral("Style"), 0);
    m_iconSize = bag.read<qint16>(QStringLiteral("IconSize"), qint16(16));
    m_changeAllBackgrounds = bag.read<bool>(QStringLiteral("ChangeAllBackgrounds"), false);
    m_titleBarShadow = bag.read<bool>(QStringLiteral("TitleBarShadow"), true);
    if (!m_button[MaxSlot].visible)
        m_windowState = NormalState;
    if (!m_inSetup)
        startRunTime();
}

void jcForms::writeProperties(PropertyBag &bag) const
{
    bag.write<int>(QStringLiteral("WindowState"), m_windowState, 0);
    bag.write<ColourRef>(QStringLiteral("ColorFrom"), m_colourFrom, rgbRef(128, 64, 64));
    bag.write<ColourRef>(QStringLiteral("ColorTo"), m_colourTo, rgbRef(255, 224, 192));
    bag.write<int>(QStringLiteral("ThemeColor"), m_themeColour, 6);
    bag.write<int>(QStringLiteral("BackColorStyle"), m_backColourStyle, 0);
    bag.write<int>(QStringLiteral("BorderStyle"), m_borderStyle, 1);
    bag.write<bool>(QStringLiteral("CloseButton"), m_button[CloseSlot].visible, true);
    bag.write<bool>(QStringLiteral("MaxButton"), m_button[MaxSlot].visible, true);
    bag.write<bool>(QStringLiteral("MinButton"), m_button[MinSlot].visible, true);
    bag.write<ColourRef>(QStringLiteral("CustomBackColor"), m_customBackColour, kSysButtonFace);
    bag.write<int>(QStringLiteral("Style"), m_style, 0);
    bag.write<qint16>(QStringLiteral("IconSize"), m_iconSize, qint16(16));
    bag.write<bool>(QStringLiteral("ChangeAllBackgrounds"), m_changeAllBackgrounds, false);
    bag.write<bool>(QStringLiteral("TitleBarShadow"), m_titleBarShadow, true);
}

void jcForms::setColorFrom(ColourRef c)
{
    m_colourFrom = c;
    SetThemeColor();
    Refresh();
}

void jcForms::setColorTo(ColourRef c)
{
    m_colourTo = c;
    SetThemeColor();
    Refresh();
}

void jcForms::setThemeColor(int theme)
{
    m_themeColour = theme;
    SetThemeColor();
    Refresh();
}

void jcForms::setBackColorStyle(int s)
{
    m_backColourStyle = s;
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
    if (!on && m_windowState == MaximisedState)
        jcWindowState(true);
    BorderStyleSetup();
}

void jcForms::setMinButton(bool on)
{
    m_button[MinSlot].visible = on;
    BorderStyleSetup();
}

void jcForms::setFrameWindowState(FrameState state)
{
    if (state == m_windowState)
        return;
    if (state == MinimisedState) {
        // Kept, so that WindowState reads what was asked and the design data stores it.
        m_stateBeforeMinimise = m_windowState;
        m_windowState = MinimisedState;
        if (m_window)
            m_window->showMinimized();
        return;
    }
    if (m_windowState == MinimisedState) {
        restoreFromMinimised();
        if (state == m_windowState)
            return;
    }
    if (state == MaximisedState && !MaxButton())
        return;
    jcWindowState(true);
}

void jcForms::setCustomBackColor(ColourRef c)
{
    m_customBackColour = c;
    Refresh(true);
}

void jcForms::setFrameStyle(int style)
{
    m_style = style;
    TitleBarHeightSetup();
    placeCaptionButtons();
    Refresh();
}

void jcForms::setIconSize(qint16 size)
{
    m_iconSize = size;
    TitleBarHeightSetup();
    placeCaptionButtons();
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

} // namespace skin
