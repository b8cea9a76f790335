// The multistyle push button of every window: sixteen drawing styles, a hot look while the
// pointer is over it, a pressed look while held, an optional two-state check mode and a
// picture beside the caption. Its settings persist as named properties of the window's
// design data; its events are signals that carry the button's index in a control array
// (-1 for a button that belongs to none).
#pragma once

#include "skin/common/colour_ref.h"

#include <QAbstractButton>
#include <QPixmap>
#include <QPointer>

class QPainter;

namespace skin {

class PropertyBag;
class Subclasser;
struct SubclassCall;

class jcbutton : public QAbstractButton
{
    Q_OBJECT
public:
    // The sixteen looks, stored by these numbers as ButtonStyle.
    enum Style {
        ClassicStyle = 0,
        StandardStyle = 1,
        SilverStyle = 2,
        InfoStyle = 3,
        SoftStyle = 4,
        ShadowStyle = 5,
        DiagonalStyle = 6,
        ToolbarStyle = 7,
        FlatStyle = 8,
        ToolButtonStyle = 9,
        RoundToolbarStyle = 10,
        SunkenStyle = 11,
        ThinEdgeStyle = 12,
        PeachStyle = 13,
        GlossyStyle = 14,
        GlassStyle = 15
    };
    enum DrawState { StateNormal = 0, StateHot = 1, StatePressed = 2 };

    // Where the picture stands: at an edge of the button with the caption placed in the
    // remaining room, or beside the caption with both kept together as one group.
    enum PictureAlignment {
        PictureLeftEdge = 0,
        PictureLeftOfCaption = 1,
        PictureRightEdge = 2,
        PictureRightOfCaption = 3,
        PictureTopEdge = 4,
        PictureTopOfCaption = 5,
        PictureBottomEdge = 6,
        PictureBottomOfCaption = 7,
        PictureBehindCaption = 8
    };

    explicit jcbutton(QWidget *parent = nullptr);
    ~jcbutton() override;

    // Values a button takes when it is newly placed on a window (not read from stored data).
    void initProperties(const QString &nameOnContainer);
    // Reads the stored design data in the fixed order; missing names take their read default.
    void readProperties(const PropertyBag &bag);
    // Writes every property that differs from its read default.
    void writeProperties(PropertyBag &bag) const;

    Style ButtonStyle() const { return m_style; }
    // Also resets BackColor, ForeColor and ShowFocusRect to the style's defaults.
    void setButtonStyle(Style style);
    bool ShowFocusRect() const { return m_showFocusRect; }
    void setShowFocusRect(bool on);
    ColourRef BackColor() const { return m_backColour; }
    void setBackColor(ColourRef colour);
    ColourRef ForeColor() const { return m_foreColour; }
    void setForeColor(ColourRef colour);
    QString Caption() const { return text(); }
    void setCaption(const QString &caption);
    bool Value() const { return m_value; }
    void setValue(bool value);
    int MousePointer() const { return m_mousePointer; }
    void setMousePointer(int pointer);
    bool HandPointer() const { return m_handPointer; }
    void setHandPointer(bool on);
    QPixmap MouseIcon() const { return m_mouseIcon; }
    void setMouseIcon(const QPixmap &icon);
    QPixmap Picture() const { return m_picture; }
    void setPicture(const QPixmap &picture);
    QPixmap PictureHover() const { return m_pictureHover; }
    void setPictureHover(const QPixmap &picture);
    int PictureSize() const { return m_pictureSize; }
    void setPictureSize(int size);
    ColourRef MaskColor() const { return m_maskColour; }
    void setMaskColor(ColourRef colour);
    bool UseMaskColor() const { return m_useMaskColour; }
    void setUseMaskColor(bool on);
    bool CheckBoxMode() const { return m_checkBoxMode; }
    void setCheckBoxMode(bool on);
    int PictureAlign() const { return m_pictureAlign; }
    void setPictureAlign(int align);
    int CaptionAlign() const { return m_captionAlign; }
    void setCaptionAlign(int align);

    // The container's display-as-default flag.
    bool isDefault() const { return m_isDefault; }
    void setDefault(bool on);
    // Position in a control array, -1 when the button stands alone.
    int Index() const { return m_index; }
    void setIndex(int index) { m_index = index; }

    // The native window that holds the button (buttons have no window of their own here).
    WId hWnd() const { return effectiveWinId(); }
    void About();

    // What the button shows now, for callers that look at it without a screen.
    DrawState drawState() const { return DrawState(m_state); }
    bool isPointerInside() const { return m_inside; }
    bool isContainerActive() const { return m_containerActive; }
    // The button painted over a background of the given colour.
    QImage render(const QColor &background) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Defaults of a style: face, caption colour, focus rectangle and outline corner (0 for a
    // plain rectangle).
    struct StyleDefaults
    {
        ColourRef back;
        ColourRef fore;
        bool showFocusRect;
        int corner;
    };
    static StyleDefaults styleDefaults(Style style);

signals:
    void Click(int index);
    void DblClick(int index);
    void MouseEnter(int index);
    void MouseLeave(int index);
    void MouseMove(int index, Qt::MouseButtons button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseDown(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void MouseUp(int index, Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void KeyDown(int index, int keyCode, Qt::KeyboardModifiers shift);
    void KeyUp(int index, int keyCode, Qt::KeyboardModifiers shift);

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void mouseDoubleClickEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void focusInEvent(QFocusEvent *e) override;
    void focusOutEvent(QFocusEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool hitButton(const QPoint &pos) const override;

private:
    void applyStyleDefaults();
    void raiseClick();
    void setState(int state);
    void updateShape();
    void updatePointer();
    void installHooks();
    void onHook(SubclassCall &call);
    void onContainerActivation(bool active);
    void pressLeft(const QPoint &pos);
    bool isOver(const QPoint &pos) const;
    QWidget *container() const;

    // Painting (button_painting.cpp)
    struct Look;
    Look currentLook() const;
    ColourRef sys(ColourRef colour) const;
    void paintStyle1Family(QPainter &p, const Look &look) const;
    void paintStyle3(QPainter &p, const Look &look) const;
    void paintStyle4(QPainter &p, const Look &look) const;
    void paintStyle5(QPainter &p, const Look &look) const;
    void paintStyle14(QPainter &p, const Look &look) const;
    void paintOtherStyle(QPainter &p, const Look &look) const;
    void paintFocus(QImage &image, const Look &look) const;
    void paintContent(QPainter &p, const Look &look) const;
    QPixmap currentPicture(const Look &look) const;

    // Persisted properties
    Style m_style = StandardStyle;
    bool m_showFocusRect = false;
    ColourRef m_backColour = kSysButtonFace;
    ColourRef m_foreColour = kSysButtonText;
    bool m_value = false;
    int m_mousePointer = 0;
    bool m_handPointer = false;
    QPixmap m_mouseIcon;
    QPixmap m_picture;
    QPixmap m_pictureHover;
    int m_pictureSize = 0;
    ColourRef m_maskColour = 0xE0E0E0;
    bool m_useMaskColour = false;
    bool m_checkBoxMode = false;
    int m_pictureAlign = PictureLeftOfCaption;
    int m_captionAlign = 1;

    // Run-time state
    int m_state = StateNormal;
    bool m_inside = false;
    bool m_mouseHeld = false;
    bool m_keyHeld = false;
    bool m_hasFocus = false;
    bool m_isDefault = false;
    bool m_containerActive = false;
    int m_index = -1;
    Qt::MouseButton m_downButton = Qt::NoButton;
    Qt::KeyboardModifiers m_downShift;
    QPoint m_downPos;

    Subclasser *m_hooks = nullptr;
    QPointer<QWidget> m_hookedContainer;
    bool m_selfHooked = false;
};

} // namespace skin
