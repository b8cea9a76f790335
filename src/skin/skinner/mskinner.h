// The control skinner: repaints the standard controls of a window in the skin. Start it once
// on the main window; it then skins every descendant, every window that window owns when it
// is shown or becomes active, and a combo box's drop-down list when it opens:
//
//     skin::MSkinner::start(mainWindow);
//
// Each widget is skinned once and stays so until it is destroyed (or unskinned). The five
// cached images are painted by the first start and freed when the last skinned widget goes;
// the next start paints them again.
#pragma once

#include "skin/skinner/skin_kind.h"

class QWidget;

namespace skin {

class ButtonSkin;
struct SkinImages;

class MSkinner
{
public:
    // The skin start: the one-time preparation when the images are not there, then
    // SkinWindow(window). Returns whether the window was skinned now.
    static bool start(QWidget *window);
    // Skins the widget and, for a window, all its descendants. False for null or for a widget
    // that is already skinned (nothing changes then).
    static bool SkinWindow(QWidget *widget);
    // Puts a skinned widget (a window: its descendants first) back as it was.
    static void unskinWindow(QWidget *widget);

    static bool isSkinned(const QWidget *widget);
    static int skinnedCount();
    static bool isPrepared();
    // The cached images, or null when they are not prepared.
    static const SkinImages *images();
    // The fade and state images of a skinned push button, or null.
    static ButtonSkin *buttonSkin(const QWidget *button);
};

} // namespace skin
