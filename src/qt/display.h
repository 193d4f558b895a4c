#pragma once

#include <string_view>

namespace gd {

// Looks for a display before Qt would abort without one. Prefers the X server under a Wayland
// session (through XWayland), where window opacity and placement work; runs on Wayland itself
// when there is no X server. Returns false, having said why in one sentence, when there is no
// display Qt can use. `platform` and `display` are the
// command line's -platform and -display (empty when not given): a platform given there is the
// user's choice, and a display given there is the only X display tried.
bool prepareDisplay(std::string_view platform = {}, std::string_view display = {});

} // namespace gd
