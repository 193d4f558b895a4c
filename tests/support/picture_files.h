#pragma once

// The picture files the window description carries, each with the form it is listed with: the
// logic test reads them back byte by byte, the window test has Qt decode them.

#include <filesystem>

namespace gd {

// A folder of the source tree, found from this file's place in it.
inline std::filesystem::path sourceDir(const char* relative)
{
    return (std::filesystem::path(__FILE__).parent_path() / "../.." / relative).lexically_normal();
}

inline std::filesystem::path picturePath(const char* name)
{
    return sourceDir("src/pictures") / name;
}

struct BitmapFile {
    const char* name;
    const char* file;
    int width, height, bytes;
};

inline constexpr BitmapFile kBitmapFiles[] = {
    { "title strip", "titlestrip.bmp", 71, 47, 10206 },
    { "ornament", "ornament.bmp", 71, 69, 14958 },
    { "frame button", "framebutton.bmp", 128, 128, 49206 },
    { "account, resting", "account_normal.bmp", 138, 139, 57878 },
    { "account, highlighted", "account_hover.bmp", 140, 139, 58434 },
    { "desktop", "desktop.bmp", 314, 177, 167142 },
    { "gadgets", "gadgets.bmp", 74, 176, 39478 },
};

struct JpegFile {
    const char* name;
    const char* file;
    int width, height, bytes, densityUnit, density;
};

inline constexpr JpegFile kJpegFiles[] = {
    { "spinning picture, aspect 1:1", "smiley.jpg", 50, 50, 3195, 0, 1 },
    { "sliding box, 96 dpi", "desktop_icons.jpg", 314, 177, 9756, 1, 96 },
};

// glimmerdeck.ico: its images in directory order.
struct IconEntry {
    int size, bitsPerPixel, bytes;
};

// clang-format off
inline constexpr IconEntry kIconEntries[] = {
    { 48, 4, 1640 }, { 32, 4, 744 }, { 24, 4, 488 }, { 16, 4, 296 },
    { 48, 8, 3752 }, { 32, 8, 2216 }, { 24, 8, 1736 }, { 16, 8, 1384 },
    { 128, 32, 67624 }, { 48, 32, 9640 }, { 32, 32, 4264 }, { 24, 32, 2440 }, { 16, 32, 1128 },
};
// clang-format on

} // namespace gd
