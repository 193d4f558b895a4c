#pragma once

// Fonts by face, size and weight, made once each and kept for the window's life: the description
// names a handful. A face the system lacks is stood in for as core/typefaces.h says. With each
// font come the measures text is laid out by (text.h).

#include "win32/handles.h"

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace gd {

struct Typeface {
    HFONT font = nullptr;
    // The font's own (typographic) ascent and descent, in whole pixels: a line of text is their
    // sum high.
    int ascent = 0;
    int descent = 0;
    // Each Latin-1 character's advance in pixels as the font designs it, not rounded to the
    // pixel grid.
    std::array<double, 256> advance {};

    double width(std::string_view latin1) const;
    int lineHeight() const { return ascent + descent; }
};

class Fonts {
public:
    // `dpi`: the screen's dots per inch, which turn points into pixels.
    explicit Fonts(int dpi);

    const Typeface& get(std::string_view face, float points, bool bold);
    // The pixel height a font of `points` is made at.
    int pixels(float points) const;

private:
    std::wstring faceToUse(std::string_view face);

    struct Made {
        std::string face;
        float points;
        bool bold;
        GdiObject<HFONT> font;
        Typeface typeface;
    };
    int m_dpi;
    std::vector<std::unique_ptr<Made>> m_made; // where they stay: views keep what get() gave
};

} // namespace gd
