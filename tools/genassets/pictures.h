#pragma once

#include <QImage>

namespace genassets {

enum class IconStyle {
    Smooth,    // anti-aliased, gradients: the 8- and 32-bit images
    Palette16, // flat fills in the 16 standard colours: the 4-bit images
};

// Straight-alpha ARGB32, size x size.
QImage drawIcon(int size, IconStyle style);

QImage drawTitleStrip();  // 71 x 47, stretched across the top of the window
QImage drawOrnament();    // 71 x 69, squeezed into the strip's left end
QImage drawFrameButton(); // 128 x 128, shrunk behind the minimise and close labels
QImage drawAccountButton(bool highlighted); // 138 x 139 resting, 140 x 139 highlighted
QImage drawSmiley();                        // 50 x 50
QImage drawDesktop(bool withIcons);         // 314 x 177
QImage drawGadgets();                       // 74 x 176

} // namespace genassets
