// The themed window frame. Put one on every top-level window:
//
//     auto *frame = new jcForms(this);   // then setters, e.g. frame->setThemeColor(6);
//
// A new frame has the values of a new control (Style 0, ThemeColor 0, all three caption
// buttons, a sizable border); the program's windows set Style 5, MaxButton false and
// BorderStyle 0. A frame built from a PropertyBag takes the stored design data instead.
// Set the window's title, icon and font before or after; the frame follows them.
// The frame makes the window frameless, covers its whole client area behind the other
// controls and paints the title bar (theme gradient, icon, caption, caption buttons), the
// three-pixel border and the shadow under the title bar. It drags and resizes the window,
// handles its caption buttons and Alt+F4, and offers the window menu.
#pragma once

#include "skin/common/colour_ref.h"
#include "skin/common/property_bag.h"
#include "skin/frame/frame_theme.h"
#include "skin/subclassing/subclasser.h"

#include <QIcon>
#include <QImage>
#include <QMap>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <optional>

class QAction;
class QMenu;
class QShortcut;

namespace skin {

class ResizeStrip;

class jcForms : public QWidget
{
    Q_OBJECT
public:
    enum Slot { CloseSlot = 0, MaxSlot = 1, MinSlot = 2 };
    enum MenuItem {
        MenuRestore = 0,
        MenuMove = 1,
        MenuSize = 2,
        MenuMinimise = 3,
        MenuMaximise = 4,
        MenuClose = 6,
        MenuOnTop = 8
    };
    // The window state as the frame keeps it (stored as these numbers).
    enum FrameState { NormalState = 0, MinimisedState = 1, MaximisedState = 2 };
    enum ResizeMode { NoResize = 0, ResizeHeight = 7, ResizeBoth = 8, ResizeWidth = 9 };

    struct CaptionButton
    {
        int left = 0;
        int top = 0;
        int width = 18;
        int height = 18;
        QString tooltip;
        bool visible = true;
    };

    // A new frame with the values a new control gets.
    explicit jcForms(QWidget *window);
    // A frame whose settings are read from a window's stored design data.
    jcForms(QWidget *window, const PropertyBag &design);
    ~jcForms() override;

    void readProperties(const PropertyBag &bag);
    void writeProperties(PropertyBag &bag) const;

    // Persisted properties.
    ColourRef ColorFrom() const { return m_colourFrom; }
    void setColorFrom(ColourRef c);
    ColourRef ColorTo() const { return m_colourTo; }
    void setColorTo(ColourRef c);
    int ThemeColor() const { return m_themeColour; }
    void setThemeColor(int theme);
    int BackColorStyle() const { return m_backColourStyle; }
    void setBackColorStyle(int s);
    int BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(int s);
    bool CloseButton() const { return m_button[CloseSlot].visible; }
    void setCloseButton(bool on);
    bool MaxButton() const { return m_button[MaxSlot].visible; }
    void setMaxButton(bool on);
    bool MinButton() const { return m_button[MinSlot].visible; }
    void setMinButton(bool on);
    FrameState WindowState() const { return m_windowState; }
    void setFrameWindowState(FrameState state); // (QWidget::setWindowState is the window system's)
    ColourRef CustomBackColor() const { return m_customBackColour; }
    void setCustomBackColor(ColourRef c);
    int Style() const { return m_style; }
    void setFrameStyle(int style); // the Style property (QWidget::setStyle takes a QStyle)
    qint16 IconSize() const { return m_iconSize; }
    void setIconSize(qint16 size);
    bool ChangeAllBackgrounds() const { return m_changeAllBackgrounds; }
    void setChangeAllBackgrounds(bool on);
    bool TitleBarShadow() const { return m_titleBarShadow; }
    void setTitleBarShadow(bool on);

    void Refresh(bool force = false);

    // Window menu.
    void FormMenuAdd(const QString &caption, bool addSeparator = false, bool enabled = true,
                     bool checked = false, bool visible = true);
    void FormMenuShow(qint16 n);
    void ModifyAddedMenu(int index, const QString &caption, bool enabled, bool checked, bool visible);
    void FormMenuRemove(int index);
    // property: 0 caption, 1 enabled, 2 checked, 3 visible; an invalid value when there is no such item.
    QVariant GetMenuItemValue(int index, int property) const;
    void SetjcFormsMenuCaption(int index, const QString &caption);
    void SetAlwaysOnTop(bool on);

    // Captions of the window menu for the user-interface language ("Spanish" has its own).
    void applyLanguage(const QString &languageName);

    // State, for the window and for tests.
    QMenu *SysMnu() const { return m_menu; }
    QAction *menuItem(int index) const { return m_items.value(index); }
    int menuItemCount() const { return int(m_items.size()); }
    bool popupEnabled() const { return m_popupEnabled; }
    int titleHeight() const { return m_titleHeight; }
    const CaptionButton &captionButton(int slot) const { return m_button[slot]; }
    int leftmostButton() const; // slot index, -1 when no button is visible
    // Where the caption is written: right and bottom edges excluded, the icon's room left out.
    QRect captionTextRect() const;
    int hotButton() const { return m_hot; }
    int pressedButton() const { return m_pressed; }
    bool isActiveLook() const { return m_active; }
    // Follows the window's activation; set directly to render either look.
    void setActiveLook(bool active);
    ColourRef darkColour() const { return m_dark; }
    ColourRef lightColour() const { return m_light; }
    ColourRef backgroundColour() const { return m_backColour; }
    int cachedWidth() const { return m_w0; }
    QString keptCaption() const { return m_caption; }
    bool isReady() const { return m_ready; }
    bool isMaximisedByFrame() const { return m_windowState == MaximisedState; }
    QWidget *rightStrip() const;
    QWidget *bottomStrip() const;
    int resizeMode() const { return m_resizeMode; }

    // The frame as painted, at its current size.
    QImage renderImage();

    // Pointer handling in frame pixels; the resize strips pass their movement on here.
    void pointerMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint pos);
    void setResizeMode(int mode) { m_resizeMode = mode; }

signals:
    void Click();
    void DblClick();
    void MouseDown(int button, int shift, int x, int y);
    void MouseMove(int button, int shift, int x, int y);
    void MouseUp(int button, int shift, int x, int y);
    void jcCloseClick();
    void Resize();
    void MenuItemSelected(int index, const QString &caption);

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    // Hands the drag to the window system; returns whether it took it.
    virtual bool beginSystemMove();

private:
    void initProperties();
    void startRunTime();
    void installHooks();
    void onWindowEvent(SubclassCall &call);
    void onFrameEvent(SubclassCall &call);

    void SetThemeColor();
    void applyBackColor();
    void TitleBarHeightSetup();
    void BorderStyleSetup();
    void CaptionBtnSetup();
    void placeCaptionButtons();
    void DrawTitleBarInitial();
    void stretchOverWindow();
    void recordNormalBounds();
    void keepReachable();
    void handleResize();
    void recolourControls();

    void paintTitleBackground(QPainter &p, int x, int w) const;
    void DrawTitleBar(QPainter &p);
    void DrawCaptionBtns(QPainter &p, int state, ColourRef colour, int slot) const;
    void paintGlyph(QPainter &p, int slot, int left, int top, ColourRef colour) const;
    void PaintShpInBar(QPainter &p, int left, int right, int top) const;

    int hitTest(QPoint pos) const;
    void setHot(int slot);
    void buttonAction(int slot);
    void jcWindowState(bool toggle);
    void restoreFromMinimised();
    void closeWindow(bool clearReady);
    void closeShortcut();
    void menuChosen(int index);
    void showMenuAtCursor();
    void ensureStrips();
    void placeStrips();
    void keyboardMoveOrSize(bool size);

    QPointer<QWidget> m_window;
    Subclasser m_subclass{Subclasser::Kind::Frame, QStringLiteral("jcForms")};

    // Persisted.
    ColourRef m_colourFrom = rgbRef(128, 64, 64);
    ColourRef m_colourTo = rgbRef(255, 224, 192);
    int m_themeColour = 0;
    int m_backColourStyle = 0;
    int m_borderStyle = 1;
    FrameState m_windowState = NormalState;
    FrameState m_stateBeforeMinimise = NormalState;
    ColourRef m_customBackColour = kSysButtonFace;
    int m_style = 0;
    qint16 m_iconSize = 16;
    bool m_changeAllBackgrounds = false;
    bool m_titleBarShadow = true;

    // Run time.
    QString m_caption;
    QFont m_boldFont;
    int m_baseTitleHeight = 31;
    int m_titleHeight = 31;
    ColourRef m_rawDark = 0, m_rawLight = 0;
    ColourRef m_dark = 0, m_light = 0;
    ColourRef m_backColour = 0;
    QString m_schemeName;
    bool m_active = true;
    CaptionButton m_button[3];
    int m_hot = -1;
    int m_pressed = -1;
    Qt::MouseButton m_lastButton = Qt::NoButton;
    bool m_inTitle = false;
    int m_w0 = 0;
    QImage m_titleCache;
    bool m_ready = false;
    bool m_inSetup = false;

    // Behaviour.
    QMenu *m_menu = nullptr;
    QMap<int, QAction *> m_items;
    bool m_popupEnabled = false;
    int m_resizeMode = NoResize;
    bool m_manualDrag = false;
    // A move handed to the window manager and not known to have ended.
    bool m_systemMove = false;
    // Where the left button went down on the frame, while it is down.
    std::optional<QPoint> m_leftPressAt;
    QPoint m_dragFrom, m_dragWindowPos, m_pointerOnScreen;
    ResizeStrip *m_picRight = nullptr;
    ResizeStrip *m_picBottom = nullptr;
    QRect m_normalBounds;
    bool m_keyboardGrab = false;
    QPointer<QShortcut> m_closeShortcut;
    QString m_languageName;
    QString m_closeTip, m_minTip, m_maxTip, m_restoreTip;
};

} // namespace skin
