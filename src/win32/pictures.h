#pragma once

// The pictures the description names, compiled into the program as resources named by their file
// names (src/CMakeLists.txt): read when first needed into 32-bit top-down DIB sections, which
// GDI draws and stretches without converting them again.

#include "win32/handles.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <utility>

namespace gd {

struct PictureSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// A 32-bit DIB section whose first row is the top one. Each pixel is one 32-bit word, 0xAARRGGBB
// (in memory blue, green, red, alpha), and the rows follow each other without padding.
class Bitmap {
public:
    Bitmap() = default;
    // A bitmap of that size, every pixel 0; empty when the system cannot make one.
    explicit Bitmap(PictureSize size);
    Bitmap(Bitmap&& other) noexcept
        : m_handle(std::move(other.m_handle))
        , m_size(std::exchange(other.m_size, {}))
        , m_pixels(std::exchange(other.m_pixels, nullptr))
    {
    }
    Bitmap& operator=(Bitmap&& other) noexcept
    {
        std::swap(m_handle, other.m_handle);
        std::swap(m_size, other.m_size);
        std::swap(m_pixels, other.m_pixels);
        return *this;
    }

    HBITMAP handle() const { return m_handle.get(); }
    PictureSize size() const { return m_size; }
    std::uint32_t* pixels() const { return m_pixels; }
    explicit operator bool() const { return static_cast<bool>(m_handle); }

private:
    GdiObject<HBITMAP> m_handle;
    PictureSize m_size;
    std::uint32_t* m_pixels = nullptr; // owned by m_handle
};

// A compiled-in picture's file, by its name; empty when the program carries none of that name.
std::span<const std::uint8_t> pictureData(std::string_view file);
// A picture's size as its file's header gives it (bitmaps and JPEGs), without decoding it;
// nothing when the header cannot be read.
std::optional<PictureSize> pictureSize(std::span<const std::uint8_t> data);
// Decodes a picture: a bitmap by its header, anything else through Windows Imaging Component,
// which needs COM on the calling thread (ComApartment). Empty when it cannot be decoded.
Bitmap decodePicture(std::span<const std::uint8_t> data);

// A picture the description names, decoded when it is first drawn: most wait in panels that may
// never be opened.
class Picture {
public:
    explicit Picture(std::string_view file)
        : m_file(file)
    {
    }
    const Bitmap& bitmap() const;
    // Read from the file's header while the picture is not decoded yet.
    PictureSize size() const;

    // The picture at a screen's scale (its dots per inch over 96), as the window draws it
    // everywhere it is not stretched: a scaled window keeps its proportions rather than showing
    // small pictures in a large frame. The picture itself at 1; else scaled once and kept.
    const Bitmap& at(double scale) const;
    PictureSize sizeAt(double scale) const;

private:
    std::string_view m_file;
    mutable std::optional<Bitmap> m_bitmap;
    mutable Bitmap m_scaled;
};

// `picture` stretched or squeezed to `size`, smoothly.
Bitmap scaledBitmap(const Bitmap& picture, PictureSize size);

// `bitmap` copied as it is onto `dc`, its top left corner at (x, y); nothing for an empty one.
// It must not be selected into a device context at the time.
void drawBitmap(HDC dc, int x, int y, const Bitmap& bitmap);

} // namespace gd
