#pragma once

// Whole-window opacity where the window system has none to offer (Wayland has no request for
// it): the window is made translucent and, while the opacity is below the fade's end, an overlay
// above every control scales the alpha of each pixel painted beneath it.

class QWidget;

namespace gd {

// Whether the running platform can set a window's opacity itself (X11 can, Wayland cannot).
bool platformHasWindowOpacity();

// Shows `window` at `alpha` (0..255) by its pixels. The window must have been made translucent
// (Qt::WA_TranslucentBackground) before its native window was created. From 250 on the window is
// painted opaque again: 250/255 and opaque cannot be told apart, and opaque painting costs
// nothing per frame.
void showWindowAlpha(QWidget* window, int alpha);

} // namespace gd
