#pragma once

// The faces the description names, and what stands in for each where a system does not have it:
// fonts with the same widths first, so that labels wrap where they were designed to. Every window
// layer asks the system for the face itself, then for these in turn.

#include <array>
#include <span>
#include <string_view>

namespace gd {

struct FaceSubstitutes {
    std::string_view face;
    std::array<std::string_view, 2> substitutes;
};

// clang-format off
inline constexpr FaceSubstitutes kFaceSubstitutes[] = {
    { "Tahoma",            { "Liberation Sans", "Arimo" } },
    { "Arial",             { "Liberation Sans", "Arimo" } },
    { "Palatino Linotype", { "P052", "TeX Gyre Pagella" } },
};
// clang-format on

constexpr std::span<const std::string_view> substitutesFor(std::string_view face)
{
    for (const FaceSubstitutes& row : kFaceSubstitutes)
        if (row.face == face)
            return row.substitutes;
    return {};
}

} // namespace gd
