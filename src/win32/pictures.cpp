#include "win32/pictures.h"

#include "win32/com.h"

#include <wincodec.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace gd {

namespace {

// Little-endian fields of a bitmap's header, big-endian ones of a JPEG's.
std::uint32_t u16(std::span<const std::uint8_t> d, std::size_t at)
{
    return d[at] | d[at + 1] << 8;
}
std::uint32_t u32(std::span<const std::uint8_t> d, std::size_t at)
{
    return u16(d, at) | u16(d, at + 2) << 16;
}
std::uint32_t u16be(std::span<const std::uint8_t> d, std::size_t at)
{
    return d[at] << 8 | d[at + 1];
}

bool isBitmap(std::span<const std::uint8_t> d)
{
    return d.size() >= 2 && d[0] == 'B' && d[1] == 'M';
}

// The header of a Windows bitmap: the 14-byte file header, then BITMAPINFOHEADER or a later one
// that begins with the same fields.
struct BitmapHeader {
    std::uint32_t bitsOffset = 0;
    std::int32_t width = 0;
    std::int32_t height = 0; // negative: the first row in the file is the top one
    std::uint32_t bitCount = 0;
    std::uint32_t compression = 0;
};

std::optional<BitmapHeader> readBitmapHeader(std::span<const std::uint8_t> d)
{
    if (!isBitmap(d) || d.size() < 54 || u32(d, 14) < 40)
        return std::nullopt;
    BitmapHeader h { u32(d, 10), static_cast<std::int32_t>(u32(d, 18)),
        static_cast<std::int32_t>(u32(d, 22)), u16(d, 28), u32(d, 30) };
    if (h.width <= 0 || h.height == 0 || h.height == INT32_MIN)
        return std::nullopt;
    return h;
}

// A JPEG's size stands in its start-of-frame segment, one of the segments after the start of
// image; every segment before it says how long it is.
std::optional<PictureSize> jpegSize(std::span<const std::uint8_t> d)
{
    if (d.size() < 4 || d[0] != 0xFF || d[1] != 0xD8)
        return std::nullopt;
    std::size_t at = 2;
    while (at + 4 <= d.size()) {
        if (d[at] != 0xFF)
            return std::nullopt;
        const std::uint8_t marker = d[at + 1];
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        const std::size_t length = u16be(d, at + 2);
        // Start of frame: C0 to CF, except C4 (Huffman tables), C8 (reserved) and CC (arithmetic
        // coding conditions).
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8
            && marker != 0xCC;
        if (frame) {
            if (length < 7 || at + 9 > d.size())
                return std::nullopt;
            const PictureSize size { int(u16be(d, at + 7)), int(u16be(d, at + 5)) };
            if (size.width == 0 || size.height == 0)
                return std::nullopt;
            return size;
        }
        if (marker == 0xD9 || marker == 0xDA || length < 2) // end of image, start of scan
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

// Uncompressed 24-bit bitmaps, the form every bitmap the program carries has: each row three
// bytes a pixel (blue, green, red) padded to four bytes, bottom row first unless the height is
// negative.
Bitmap decodeBitmap(std::span<const std::uint8_t> d)
{
    const std::optional<BitmapHeader> h = readBitmapHeader(d);
    if (!h || h->bitCount != 24 || h->compression != BI_RGB)
        return {};
    const bool bottomUp = h->height > 0;
    const PictureSize size { h->width, std::abs(h->height) };
    const std::size_t stride = (std::size_t(size.width) * 3 + 3) & ~std::size_t(3);
    if (h->bitsOffset > d.size() || (d.size() - h->bitsOffset) / stride < std::size_t(size.height))
        return {};
    Bitmap bitmap(size);
    if (!bitmap)
        return {};
    for (int y = 0; y < size.height; ++y) {
        const std::uint8_t* from
            = d.data() + h->bitsOffset + stride * std::size_t(bottomUp ? size.height - 1 - y : y);
        std::uint32_t* to = bitmap.pixels() + std::size_t(y) * std::size_t(size.width);
        for (int x = 0; x < size.width; ++x, from += 3)
            to[x] = 0xFF000000u | std::uint32_t(from[2]) << 16 | std::uint32_t(from[1]) << 8
                | from[0];
    }
    return bitmap;
}

// Any other format Windows Imaging Component reads (the JPEGs), converted to the bitmap's layout.
Bitmap decodeWithWic(std::span<const std::uint8_t> d)
{
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
            IID_IWICImagingFactory, reinterpret_cast<void**>(factory.put()))))
        return {};
    ComPtr<IWICStream> stream;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    // The stream only reads from the buffer it is given, the resource's read-only memory.
    if (FAILED(factory->CreateStream(stream.put()))
        || FAILED(
            stream->InitializeFromMemory(const_cast<BYTE*>(d.data()), static_cast<DWORD>(d.size())))
        || FAILED(factory->CreateDecoderFromStream(
            stream.get(), nullptr, WICDecodeMetadataCacheOnDemand, decoder.put()))
        || FAILED(decoder->GetFrame(0, frame.put())) || FAILED(frame->GetSize(&width, &height))
        || FAILED(factory->CreateFormatConverter(converter.put()))
        || FAILED(converter->Initialize(frame.get(), GUID_WICPixelFormat32bppBGRA,
            WICBitmapDitherTypeNone, nullptr, 0.0, WICBitmapPaletteTypeCustom)))
        return {};
    if (width == 0 || height == 0 || width > 0x7FFF || height > 0x7FFF)
        return {};
    Bitmap bitmap({ int(width), int(height) });
    if (!bitmap)
        return {};
    const UINT stride = width * 4;
    if (FAILED(converter->CopyPixels(
            nullptr, stride, stride * height, reinterpret_cast<BYTE*>(bitmap.pixels()))))
        return {};
    return bitmap;
}

} // namespace

Bitmap::Bitmap(PictureSize size)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.width;
    info.bmiHeader.biHeight = -size.height; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP handle = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!handle || !bits)
        return;
    m_handle = GdiObject<HBITMAP>(handle);
    m_size = size;
    m_pixels = static_cast<std::uint32_t*>(bits);
}

std::span<const std::uint8_t> pictureData(std::string_view file)
{
    const std::string name(file); // resource names are looked up without regard to case
    HRSRC found = FindResourceA(nullptr, name.c_str(), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return { static_cast<const std::uint8_t*>(bytes), SizeofResource(nullptr, found) };
}

std::optional<PictureSize> pictureSize(std::span<const std::uint8_t> data)
{
    if (isBitmap(data)) {
        const std::optional<BitmapHeader> h = readBitmapHeader(data);
        if (!h)
            return std::nullopt;
        return PictureSize { h->width, std::abs(h->height) };
    }
    return jpegSize(data);
}

Bitmap decodePicture(std::span<const std::uint8_t> data)
{
    if (data.empty())
        return {};
    return isBitmap(data) ? decodeBitmap(data) : decodeWithWic(data);
}

const Bitmap& Picture::bitmap() const
{
    if (!m_bitmap)
        m_bitmap = decodePicture(pictureData(m_file));
    return *m_bitmap;
}

PictureSize Picture::size() const
{
    if (!m_bitmap)
        if (const std::optional<PictureSize> size = pictureSize(pictureData(m_file)))
            return *size;
    return bitmap().size();
}

Bitmap scaledBitmap(const Bitmap& picture, PictureSize size)
{
    Bitmap scaled({ std::max(1, size.width), std::max(1, size.height) });
    if (!scaled || !picture)
        return scaled;
    MemoryDC to(scaled.handle());
    MemoryDC from(picture.handle());
    SetStretchBltMode(to.get(), HALFTONE);
    SetBrushOrgEx(to.get(), 0, 0, nullptr);
    StretchBlt(to.get(), 0, 0, size.width, size.height, from.get(), 0, 0, picture.size().width,
        picture.size().height, SRCCOPY);
    return scaled;
}

void drawBitmap(HDC dc, int x, int y, const Bitmap& bitmap)
{
    if (!bitmap)
        return;
    MemoryDC from(bitmap.handle());
    BitBlt(dc, x, y, bitmap.size().width, bitmap.size().height, from.get(), 0, 0, SRCCOPY);
}

PictureSize Picture::sizeAt(double scale) const
{
    const PictureSize own = size();
    return { int(std::lround(own.width * scale)), int(std::lround(own.height * scale)) };
}

const Bitmap& Picture::at(double scale) const
{
    if (scale == 1.0 || !bitmap())
        return bitmap();
    if (m_scaled.size() != sizeAt(scale))
        m_scaled = scaledBitmap(bitmap(), sizeAt(scale));
    return m_scaled;
}

} // namespace gd
