#pragma once

// On an X11 display, answers the frames' questions that Qt's events cannot: whether the left
// button is down right now, and calling off a move the window manager was asked for too late.
// Elsewhere (Wayland, offscreen) the frames go by Qt's events alone.
void useX11DisplayQueries();
