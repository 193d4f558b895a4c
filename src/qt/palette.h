#pragma once

// The colours the window was designed in, on every desktop.

#include <QPalette>

namespace gd {

// The window's system colours and everything Qt draws in it (button text, frames, scroll bars,
// the selection): Qt's own palette, the one a desktop without a platform theme shows.
const QPalette& designedPalette();

} // namespace gd
