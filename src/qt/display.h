#pragma once

namespace gd {

// Looks for a display before Qt would abort without one. Prefers the X server under a Wayland
// session (through XWayland), where window opacity and placement work. Returns false, having
// said why in one sentence, when there is no display at all.
bool prepareDisplay();

} // namespace gd
