#include "model/description.h"

#include <algorithm>

namespace gd {

namespace {

// What the window layer relies on to build the window in one pass, held by the compiler.
// (Unique names need no check: two rows of one name would be two enumerators of one name.)

// Every container is a picture box, or the form, listed before its children.
constexpr bool containersComeFirst()
{
    return std::ranges::all_of(kControls, [](const ControlDesc& c) {
        return c.container == ControlId::Form1
            || (c.container < c.id && describe(c.container).kind == Kind::PictureBox);
    });
}
static_assert(containersComeFirst());

// Each row sits at the place its identity names.
static_assert(
    std::ranges::all_of(kControls, [](const ControlDesc& c) { return &describe(c.id) == &c; }));

// Every control that can be tabbed to has a tab index of its own, 0 to 127 with none left out;
// timers, images, shapes and lines have none.
constexpr bool takesTabIndex(Kind k)
{
    return k != Kind::Timer && k != Kind::Image && k != Kind::Line && k != Kind::Shape;
}
constexpr bool tabIndexesAreAPermutation()
{
    std::array<int, kControlCount> seen {};
    int count = 0;
    for (const ControlDesc& c : kControls) {
        if (!takesTabIndex(c.kind)) {
            if (c.tabIndex != -1)
                return false;
            continue;
        }
        if (c.tabIndex < 0 || c.tabIndex >= int(kControlCount) || seen[std::size_t(c.tabIndex)]++)
            return false;
        ++count;
    }
    return std::all_of(seen.begin(), seen.begin() + count, [](int n) { return n == 1; });
}
static_assert(tabIndexesAreAPermutation());

} // namespace

std::optional<ControlId> findControl(std::string_view name)
{
    for (const ControlDesc& c : kControls)
        if (c.name == name)
            return c.id;
    if (name == kForm.caption)
        return ControlId::Form1;
    return std::nullopt;
}

} // namespace gd
