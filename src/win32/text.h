#pragma once

// Captions laid out as the Linux build lays them out, so that every label and graphical button
// breaks its lines where it does there and every line stands where it does: lines broken at the
// blanks (core/caption.h) by the face's designed advances, not the ones rounded to the pixel grid,
// each line as high as the font's typographic ascent and descent, the glyphs placed at their
// designed positions rounded to the nearest pixel. (The system's own layout rounds every advance
// up and takes a taller line: Tahoma's would wrap and clip captions the description fits in.)

#include "win32/fonts.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace gd {

// The lines of `caption` in `face` within `width` pixels: its own lines (CR LF), each wrapped.
std::vector<std::string> captionLines(const Typeface& face, std::string_view caption, int width);

// Draws the lines from the top of `box`, each centred or from its left edge, clipped to `box`,
// in the device context's text colour.
void drawLines(
    HDC dc, const Typeface& face, const std::vector<std::string>& lines, RECT box, bool centred);

} // namespace gd
