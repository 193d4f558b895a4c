#pragma once

// A push button's caption, wrapped as the button shows it: a caption wider than the room it has
// goes on to a further line at a word boundary.

#include <functional>
#include <string>
#include <string_view>

namespace gd {

// `width` measures a line of text in the button's font, in the same unit as `room`.
std::string wrapCaption(
    std::string_view caption, int room, const std::function<int(std::string_view)>& width);

} // namespace gd
