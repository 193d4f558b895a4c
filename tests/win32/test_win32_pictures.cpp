// The pictures as the Windows build carries and decodes them: from its own resources, bitmaps by
// their headers and JPEGs through Windows Imaging Component, which Linux's tests never run.

#include "model/description.h"
#include "win32/com.h"
#include "win32/pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <set>
#include <string>

using namespace gd;

namespace {

class Pictures : public testing::Test {
protected:
    ComApartment com;
};

std::uint8_t channel(std::uint32_t pixel, int c) { return (pixel >> (8 * c)) & 0xFF; }

} // namespace

// Each picture is found under the name the description gives it, its header read without
// decoding agrees with what the decoder makes of it, and nothing decoded is see-through.
TEST_F(Pictures, EveryPictureNamedIsCarriedAndDecodesAtItsHeaderSize)
{
    ASSERT_TRUE(com.entered());
    std::set<std::string_view> files;
    for (const ControlDesc& c : kControls)
        if (!c.picture.empty())
            files.insert(c.picture);
    ASSERT_GE(files.size(), 9u);
    for (std::string_view file : files) {
        SCOPED_TRACE(std::string(file));
        const std::span<const std::uint8_t> data = pictureData(file);
        ASSERT_FALSE(data.empty());
        const std::optional<PictureSize> header = pictureSize(data);
        ASSERT_TRUE(header);
        const Bitmap bitmap = decodePicture(data);
        ASSERT_TRUE(bitmap);
        EXPECT_EQ(bitmap.size(), *header);
        const std::uint32_t* pixels = bitmap.pixels();
        const std::size_t count = std::size_t(bitmap.size().width) * bitmap.size().height;
        EXPECT_TRUE(
            std::all_of(pixels, pixels + count, [](std::uint32_t p) { return p >> 24 == 0xFF; }));
    }
}

// desktop.bmp and desktop_icons.jpg show the same desktop, the JPEG with a column of icons down
// its left side. Right of the icons the two decoders must agree within what JPEG loses (at most 28
// per channel under Wine and with Qt, 1.5 on average): a bitmap read upside down, with red and
// blue swapped, a pixel or a row out of place, or a JPEG decoded wrong would differ by over 150.
TEST_F(Pictures, BitmapAndJpegOfOneSceneAgreeRightOfTheIcons)
{
    ASSERT_TRUE(com.entered());
    const Bitmap bitmap = decodePicture(pictureData("desktop.bmp"));
    const Bitmap jpeg = decodePicture(pictureData("desktop_icons.jpg"));
    ASSERT_TRUE(bitmap && jpeg);
    ASSERT_EQ(bitmap.size(), jpeg.size());
    const int width = bitmap.size().width, height = bitmap.size().height;
    constexpr int kRightOfIcons = 80;
    std::array<int, 3> largest {};
    std::array<double, 3> total {};
    for (int y = 0; y < height; ++y)
        for (int x = kRightOfIcons; x < width; ++x)
            for (int c = 0; c < 3; ++c) {
                const std::size_t at = std::size_t(y) * width + x;
                const int d
                    = std::abs(channel(bitmap.pixels()[at], c) - channel(jpeg.pixels()[at], c));
                largest[c] = std::max(largest[c], d);
                total[c] += d;
            }
    const double count = double(height) * (width - kRightOfIcons);
    for (int c = 0; c < 3; ++c) {
        SCOPED_TRACE("channel " + std::to_string(c) + " (0 blue, 1 green, 2 red)");
        EXPECT_LE(largest[c], 48);
        EXPECT_LE(total[c] / count, 3.0);
    }
}
