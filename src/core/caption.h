#pragma once

// A caption wrapped as push buttons and labels show it: a line wider than the room it has goes on
// to a further line at a word boundary (a blank). A word wider than the room stands on a line of
// its own, and is clipped there.

#include <functional>
#include <string>
#include <string_view>

namespace gd {

// `width` measures a line of text in the control's font, in the same unit as `room`.
std::string wrapCaption(
    std::string_view caption, double room, const std::function<double(std::string_view)>& width);

} // namespace gd
