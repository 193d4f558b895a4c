#pragma once

// The texts the window shows: tutorial captions and code listings, the credits and the About box.

#include "model/description.h"

#include <span>
#include <string_view>

namespace gd {

struct TextEntry {
    ControlId control; // a Label or CommandButton caption, or a TextBox's text
    std::string_view text;
};

// Every caption and listing inside the six tutorial panels. Listings use CR LF line breaks and
// end with one.
std::span<const TextEntry> tutorialTexts();

// The credits card's text, set by the load handler.
std::string_view creditsText();

// The About box.
std::string_view aboutText();
std::string_view aboutTitle();

} // namespace gd
