#pragma once

namespace gd {

// Makes the faces the window description names resolve to installed metric-compatible fonts.
void installFonts();

} // namespace gd
