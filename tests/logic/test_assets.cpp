// The picture files the window description carries, read back from the source tree: each one
// must keep the exact form (format, size, depth, header fields, byte count) it is listed with.
// (That Qt still loads each of them is tests/window/test_pictures.)

#include "picture_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

using namespace gd;

namespace {

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t byte(const std::string& b, std::size_t at) { return std::uint8_t(b[at]); }

std::uint32_t u16(const std::string& b, std::size_t at)
{
    return byte(b, at) | byte(b, at + 1) << 8;
}

std::uint32_t u32(const std::string& b, std::size_t at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

std::uint32_t u16be(const std::string& b, std::size_t at)
{
    return byte(b, at) << 8 | byte(b, at + 1);
}

std::int32_t s32(const std::string& b, std::size_t at) { return std::int32_t(u32(b, at)); }

int stride(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

} // namespace

TEST(Assets, FolderHoldsOnlyThePictures)
{
    // Every file in the folder is compiled into the program, so a stray one costs memory.
    std::set<std::string> found;
    for (const auto& entry : std::filesystem::directory_iterator(sourceDir("src/pictures")))
        if (entry.is_regular_file() && !entry.path().filename().string().starts_with('.'))
            found.insert(entry.path().filename().string());
    const std::set<std::string> expected = { "account_hover.bmp", "account_normal.bmp",
        "desktop.bmp", "desktop_icons.jpg", "framebutton.bmp", "gadgets.bmp", "glimmerdeck.ico",
        "ornament.bmp", "smiley.jpg", "titlestrip.bmp" };
    EXPECT_EQ(found, expected);
}

TEST(Assets, Bitmaps)
{
    for (const BitmapFile& row : kBitmapFiles) {
        SCOPED_TRACE(row.name);
        const std::string b = readAll(picturePath(row.file));
        ASSERT_EQ(b.size(), std::size_t(row.bytes));
        EXPECT_EQ(row.bytes, 14 + 40 + stride(row.width, 24) * row.height);

        EXPECT_EQ(b.substr(0, 2), "BM");
        EXPECT_EQ(u32(b, 2), std::uint32_t(row.bytes));
        EXPECT_EQ(u32(b, 6), 0u);
        EXPECT_EQ(u32(b, 10), 54u); // no colour table between header and pixels
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(s32(b, 18), row.width);
        EXPECT_EQ(s32(b, 22), row.height); // positive: bottom-up rows
        EXPECT_EQ(u16(b, 26), 1u);
        EXPECT_EQ(u16(b, 28), 24u);
        EXPECT_EQ(u32(b, 30), 0u);
        EXPECT_EQ(u32(b, 38), 0u);
        EXPECT_EQ(u32(b, 42), 0u);
        EXPECT_EQ(u32(b, 46), 0u);
    }
}

TEST(Assets, Jpegs)
{
    for (const JpegFile& row : kJpegFiles) {
        SCOPED_TRACE(row.name);
        const std::string b = readAll(picturePath(row.file));
        ASSERT_EQ(b.size(), std::size_t(row.bytes));
        EXPECT_TRUE(b.starts_with("\xff\xd8"));
        EXPECT_TRUE(b.ends_with("\xff\xd9"));

        // JFIF APP0 comes first.
        EXPECT_EQ(u16be(b, 2), 0xffe0u);
        EXPECT_EQ(u16be(b, 4), 16u);
        EXPECT_EQ(b.substr(6, 5), std::string("JFIF\0", 5));
        EXPECT_EQ(byte(b, 11), 1u);
        EXPECT_EQ(byte(b, 12), 1u);
        EXPECT_EQ(int(byte(b, 13)), row.densityUnit);
        EXPECT_EQ(int(u16be(b, 14)), row.density);
        EXPECT_EQ(int(u16be(b, 16)), row.density);

        // Walk the segments up to the scan: exactly one frame header, and it must be baseline.
        std::size_t at = 2;
        int frames = 0;
        while (at + 4 <= b.size()) {
            ASSERT_EQ(byte(b, at), 0xffu);
            const std::uint32_t marker = byte(b, at + 1);
            const std::size_t length = u16be(b, at + 2);
            ASSERT_TRUE(length >= 2 && at + 2 + length <= b.size());
            const bool frame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8
                && marker != 0xcc;
            if (frame) {
                ++frames;
                EXPECT_EQ(marker, 0xc0u);
                EXPECT_EQ(byte(b, at + 4), 8u);
                EXPECT_EQ(int(u16be(b, at + 5)), row.height);
                EXPECT_EQ(int(u16be(b, at + 7)), row.width);
                EXPECT_EQ(byte(b, at + 9), 3u);
            }
            if (marker == 0xda)
                break;
            at += 2 + length;
        }
        EXPECT_EQ(frames, 1);
    }
}

TEST(Assets, IconDirectory)
{
    const std::string b = readAll(picturePath("glimmerdeck.ico"));
    ASSERT_EQ(b.size(), 97566u);
    EXPECT_EQ(u16(b, 0), 0u);
    EXPECT_EQ(u16(b, 2), 1u);
    EXPECT_EQ(u16(b, 4), 13u);

    // Images follow the directory back to back, in directory order, and fill the file.
    std::uint32_t offset = 6 + 16 * 13;
    for (int i = 0; i < 13; ++i) {
        SCOPED_TRACE("entry " + std::to_string(i));
        const IconEntry& e = kIconEntries[i];
        const std::size_t d = 6 + 16 * i;
        ASSERT_TRUE(int(byte(b, d)) == e.size && int(byte(b, d + 1)) == e.size);
        ASSERT_EQ(byte(b, d + 2), e.bitsPerPixel == 4 ? 16u : 0u);
        ASSERT_EQ(byte(b, d + 3), 0u);
        ASSERT_TRUE(u16(b, d + 4) == 1 && u16(b, d + 6) == std::uint32_t(e.bitsPerPixel));
        ASSERT_EQ(u32(b, d + 8), std::uint32_t(e.bytes));
        ASSERT_EQ(u32(b, d + 12), offset);
        offset += std::uint32_t(e.bytes);
    }
    EXPECT_EQ(offset, std::uint32_t(b.size()));
}

TEST(Assets, IconImages)
{
    const std::string b = readAll(picturePath("glimmerdeck.ico"));
    ASSERT_EQ(b.size(), 97566u);

    for (int i = 0; i < 13; ++i) {
        const IconEntry& e = kIconEntries[i];
        SCOPED_TRACE("image " + std::to_string(i) + " (" + std::to_string(e.size) + " px, "
            + std::to_string(e.bitsPerPixel) + " bit)");
        const std::size_t dib = u32(b, 6 + 16 * i + 12);
        // An uncompressed DIB: the height counts the colour bitmap and the AND mask.
        ASSERT_EQ(u32(b, dib), 40u);
        ASSERT_TRUE(s32(b, dib + 4) == e.size && s32(b, dib + 8) == 2 * e.size);
        ASSERT_EQ(u16(b, dib + 12), 1u);
        ASSERT_EQ(u16(b, dib + 14), std::uint32_t(e.bitsPerPixel));
        ASSERT_EQ(u32(b, dib + 16), 0u);
        const int paletteBytes = e.bitsPerPixel == 32 ? 0 : 4 << e.bitsPerPixel;
        const int expected = 40 + paletteBytes + stride(e.size, e.bitsPerPixel) * e.size
            + stride(e.size, 1) * e.size;
        ASSERT_EQ(expected, e.bytes);
    }
}
