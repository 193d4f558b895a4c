// The timer-driven effects, the status readouts and the hover buttons, tick by tick against the
// fake platform.

#include "fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <set>

using namespace gd;

namespace {

// A rectangle as "x,y widthxheight".
std::string rect(int x, int y, int width, int height)
{
    return std::to_string(x) + ',' + std::to_string(y) + ' ' + std::to_string(width) + 'x'
        + std::to_string(height);
}

// One blit as a line, "dest <- src: from -> to", so a wrong one is shown whole.
std::string describe(const FakePlatform::Blit& b)
{
    const auto r = [](const PixelRect& p) { return rect(p.x, p.y, p.width, p.height); };
    return b.dest + " <- " + b.src + ": " + r(b.from) + " -> " + r(b.to);
}

constexpr Colour kMarker = 0x123456; // a colour the ramp never sets

} // namespace

// --- fading caption ---

TEST(Effects, FadingCaptionFromStartUp)
{
    // Two cycles: black and white each hold for two ticks, and the counter for 12 is reset
    // within its own tick.
    // clang-format off
    static const std::array<Colour, 12> ramp = {
        0x000000, 0x404040, 0x808080, 0xC0C0C0, 0xE0E0E0, 0xFFFFFF,
        0xFFFFFF, 0xE0E0E0, 0xC0C0C0, 0x808080, 0x404040, 0x000000,
    };
    // clang-format on
    Fixture f;
    EXPECT_EQ(f.form.lblTitle.tag(), "");
    EXPECT_EQ(f.form.lblTitle.foreColor(), Colour(0xFFFFFF));
    EXPECT_FALSE(f.form.lblSample.isShown());
    for (int k = 1; k <= 24; ++k) {
        SCOPED_TRACE("tick " + std::to_string(k));
        ASSERT_TRUE(f.form.tick(ControlId::Timer2));
        const int step = (k - 1) % 12 + 1;
        const std::string counter = std::to_string(step % 12);
        ASSERT_EQ(f.form.lblTitle.foreColor(), ramp[step - 1]);
        ASSERT_EQ(f.form.lblTitle.tag(), counter);
        // The sample keeps step with the title although its panel is hidden.
        ASSERT_EQ(f.form.lblSample.foreColor(), ramp[step - 1]);
        ASSERT_EQ(f.form.lblSample.tag(), counter);
    }
    EXPECT_FALSE(f.form.lblSample.isShown());
}

TEST(Effects, FadingCaptionForeignCounter)
{
    const struct {
        const char* name;
        const char* tag;
        int ticks;
        const char* expectedTag;
        Colour expectedColour;
    } rows[] = {
        { "13 counts on", "13", 1, "14", kMarker },
        { "13 never resets", "13", 30, "43", kMarker },
        { "fraction", "2.5", 1, "3.5", kMarker },
        { "fraction never resumes", "2.5", 20, "22.5", kMarker },
        { "leading blank", " 4", 1, "5", Colour(0xE0E0E0) },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.form.lblSample.setTag(row.tag);
        f.form.lblSample.setForeColor(kMarker);
        f.ticks(ControlId::Timer2, row.ticks);
        EXPECT_EQ(f.form.lblSample.tag(), row.expectedTag);
        EXPECT_EQ(f.form.lblSample.foreColor(), row.expectedColour);
        // The title's own counter is untouched by the sample's.
        EXPECT_EQ(f.form.lblTitle.tag(), std::to_string(row.ticks % 12));
        EXPECT_TRUE(f.quiet());
    }
}

TEST(Effects, TitleHoldsStillWhenMotionIsReduced)
{
    Fixture f;
    f.ticks(ControlId::Timer2, 3); // the title is grey now
    f.platform.reduceMotion = true;
    std::set<Colour> sample;
    for (int k = 0; k < 12; ++k) {
        ASSERT_TRUE(f.form.tick(ControlId::Timer2));
        ASSERT_EQ(f.form.lblTitle.foreColor(), Colour(0xFFFFFF));
        // The sample pulses on, for whoever opens its panel; the title counts in step.
        sample.insert(f.form.lblSample.foreColor());
        ASSERT_EQ(f.form.lblTitle.tag(), f.form.lblSample.tag());
    }
    EXPECT_EQ(sample.size(), 6u);
    // Asked for motion again, the title joins the pulse where the sample is.
    f.platform.reduceMotion = false;
    EXPECT_TRUE(f.form.tick(ControlId::Timer2));
    EXPECT_EQ(f.form.lblTitle.foreColor(), Colour(0xC0C0C0));
    EXPECT_EQ(f.form.lblSample.foreColor(), Colour(0xC0C0C0));
}

// --- text animation ---

TEST(Effects, Blink)
{
    Fixture f;
    EXPECT_TRUE(f.form.lblAni.visible());
    for (int k = 1; k <= 4; ++k) {
        f.form.tick(ControlId::Timer8);
        const bool odd = k % 2 == 1;
        ASSERT_EQ(f.form.lblAni.visible(), !odd) << "tick " << k;
        ASSERT_EQ(f.form.lblAni.tag(), odd ? "1" : "0") << "tick " << k;
    }
}

TEST(Effects, BlinkWithForeignCounter)
{
    for (bool visible : { true, false }) {
        SCOPED_TRACE(visible ? "shown" : "hidden");
        Fixture f;
        f.form.lblAni.setVisible(visible);
        f.form.lblAni.setTag("5");
        f.form.tick(ControlId::Timer8);
        EXPECT_EQ(f.form.lblAni.tag(), "6");
        EXPECT_EQ(f.form.lblAni.visible(), visible);
        f.ticks(ControlId::Timer8, 10);
        EXPECT_EQ(f.form.lblAni.tag(), "16");
        EXPECT_EQ(f.form.lblAni.visible(), visible);
        EXPECT_TRUE(f.quiet());
    }
}

TEST(Effects, TickerWrapsEvery630Ticks)
{
    Fixture f;
    EXPECT_EQ(f.form.lblAni1.left(), 6720.0f);
    for (int k = 1; k <= 1260; ++k) {
        ASSERT_TRUE(f.form.tick(ControlId::Timer9)) << "tick " << k;
        const float left = f.form.lblAni1.left();
        ASSERT_EQ(left, float(6720 - 20 * (k % 630))) << "tick " << k;
        ASSERT_NE(left, -5880.0f) << "tick " << k;
    }
    EXPECT_EQ(f.form.lblAni1.left(), 6720.0f);
}

TEST(Effects, TickerOffTheGrid)
{
    // The wrap is an exact equality: a position that never meets -5880 scrolls on for good.
    const struct {
        const char* name;
        double left;
    } rows[] = { { "10 twips off", 6710.0 }, { "just past the wrap", -5900.0 } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.form.lblAni1.setLeft(row.left);
        f.ticks(ControlId::Timer9, 2000);
        EXPECT_EQ(f.form.lblAni1.left(), float(row.left - 2000 * 20));
        EXPECT_TRUE(f.quiet());
    }
}

// --- status readouts ---

TEST(Effects, Uptime)
{
    const struct {
        const char* name;
        int ticks;
        const char* label;
    } rows[] = {
        { "first", 1, "UP: 0:0:1" },
        { "59", 59, "UP: 0:0:59" },
        { "60", 60, "UP: 0:1:0" },
        { "3599", 3599, "UP: 0:59:59" },
        // The hour is carried one tick late, so a full hour shows as 60 minutes once.
        { "3600", 3600, "UP: 0:60:0" },
        { "3601", 3601, "UP: 1:0:1" },
        { "7201", 7201, "UP: 2:0:1" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        EXPECT_EQ(f.form.Label68.caption(), "0:00:00");
        f.ticks(ControlId::Timer11, row.ticks);
        EXPECT_EQ(f.form.Label68.caption(), row.label);
    }
}

TEST(Effects, UptimeNeverShowsAWholeHourAsZero)
{
    Fixture f;
    for (int k = 1; k <= 7300; ++k) {
        f.form.tick(ControlId::Timer11);
        ASSERT_FALSE(f.form.Label68.caption().ends_with(":0:0")) << f.form.Label68.caption();
    }
}

TEST(Effects, Memory)
{
    const struct {
        const char* name;
        std::uint64_t bytes;
        const char* label;
    } rows[] = {
        { "2^31", std::uint64_t(1) << 31, "Available Physical Memory: 2147483648" },
        { "2^32", std::uint64_t(1) << 32, "Available Physical Memory: 4294967296" },
        { "2^33", std::uint64_t(1) << 33, "Available Physical Memory: 8589934592" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.platform.memory = row.bytes;
        EXPECT_TRUE(f.form.tick(ControlId::Timer10));
        EXPECT_EQ(f.form.Label67.caption(), row.label);
    }
}

// --- spinning picture ---

TEST(Effects, SpinFrame)
{
    const struct {
        const char* name;
        double tpp;
        int angle;
        const char* source;
        int x, width;
        int size; // the boxes' side in pixels
    } rows[] = {
        // clang-format off
        { "0",   15.0, 0,   "Picture9",  0,  57, 57 },
        { "10",  15.0, 10,  "Picture9",  0,  56, 57 },
        { "60",  15.0, 60,  "Picture9",  14, 29, 57 },
        { "80",  15.0, 80,  "Picture9",  24, 10, 57 },
        { "90",  15.0, 90,  "Picture9",  28, 0,  57 },
        { "100", 15.0, 100, "Picture10", 24, 10, 57 },
        { "120", 15.0, 120, "Picture10", 14, 28, 57 },
        { "180", 15.0, 180, "Picture10", 0,  57, 57 },
        { "240", 15.0, 240, "Picture10", 14, 29, 57 },
        { "270", 15.0, 270, "Picture10", 28, 0,  57 },
        { "280", 15.0, 280, "Picture9",  24, 10, 57 },
        { "300", 15.0, 300, "Picture9",  14, 28, 57 },
        { "350", 15.0, 350, "Picture9",  0,  56, 57 },
        { "0 at 12 tpp",  12.0, 0,  "Picture9", 0,  71, 71 },
        { "90 at 12 tpp", 12.0, 90, "Picture9", 36, 0,  71 },
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.platform.screenMetrics.twipsPerPixelX = f.platform.screenMetrics.twipsPerPixelY = row.tpp;
        f.form.dAngle = row.angle;
        f.platform.calls.clear();
        EXPECT_TRUE(f.form.tick(ControlId::Timer3));

        const Names drawn = row.width == 0
            ? Names { "clear Picture11", "screen", "draw Picture12", "refresh Picture12" }
            : Names { "clear Picture11", "screen", "draw Picture11", "draw Picture12",
                  "refresh Picture12" };
        EXPECT_EQ(f.platform.calls, drawn);
        if (row.width == 0)
            continue; // a picture seen edge-on draws nothing
        ASSERT_EQ(f.platform.blits.size(), 2u);
        const std::string square = rect(0, 0, row.size, row.size);
        EXPECT_EQ(describe(f.platform.blits[0]),
            "Picture11 <- " + std::string(row.source) + ": " + square + " -> "
                + rect(row.x, 0, row.width, row.size));
        EXPECT_EQ(
            describe(f.platform.blits[1]), "Picture12 <- Picture11: " + square + " -> " + square);

        EXPECT_EQ(f.form.dAngle, double((row.angle + 10) % 360));
    }
}

TEST(Effects, SpinTurnsAndWraps)
{
    // Two whole turns from start-up: 0, 10, ... 350, then 0 again, never 360, and the squeezed
    // picture stays centred in the 57-pixel band.
    Fixture f;
    EXPECT_EQ(f.form.dAngle, 0.0);
    for (int k = 0; k < 72; ++k) {
        SCOPED_TRACE("tick " + std::to_string(k + 1));
        ASSERT_EQ(f.form.dAngle, double(k % 36 * 10));
        f.platform.blits.clear();
        ASSERT_TRUE(f.form.tick(ControlId::Timer3));
        ASSERT_FALSE(f.platform.blits.empty());
        if (f.platform.blits.size() == 1)
            continue; // edge-on: only the copy to Picture12
        const FakePlatform::Blit& stretch = f.platform.blits.at(0);
        ASSERT_LE(std::abs(2 * stretch.to.x + stretch.to.width - 57), 2);
        ASSERT_GE(stretch.to.width, 0);
    }
    EXPECT_EQ(f.form.dAngle, 0.0);
    EXPECT_TRUE(f.quiet());
}

TEST(Effects, SpinWithoutDensity)
{
    const struct {
        int angle;
        const char* report;
    } rows[] = {
        // Arguments are worked out left to right: at 0 degrees the first one is 0 / 0.
        { 0, "Run-time error '6':\r\n\r\nOverflow" },
        { 10, "Run-time error '11':\r\n\r\nDivision by zero" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE("angle " + std::to_string(row.angle));
        Fixture f;
        f.platform.screenMetrics.twipsPerPixelX = f.platform.screenMetrics.twipsPerPixelY = 0;
        f.form.dAngle = row.angle;
        f.form.tick(ControlId::Timer3);
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.platform.messages[0].prompt, row.report);
        EXPECT_EQ(f.platform.endedWith, std::optional<int>(1));
        EXPECT_EQ(f.platform.blits.size(), 0u);
        EXPECT_EQ(f.form.dAngle, double(row.angle));
        EXPECT_FALSE(f.form.tick(ControlId::Timer3));
    }
}

// --- transition boxes ---

TEST(Effects, Transition)
{
    const struct {
        const char* name;
        ControlId button, timer;
        const char* box;
        bool horizontal;
        double start;
        int ticks;
    } rows[] = {
        { "horizontal", ControlId::CmdTrans1, ControlId::Timer4, "picTrans", true, -1200.0, 60 },
        { "vertical", ControlId::cmdTrans2, ControlId::Timer5, "picUp", false, 2500.0, 125 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const double step = row.horizontal ? 20 : -20;
        Fixture f;
        f.form.Picture13.setVisible(true); // the buttons are clicked on their open panel
        Control& slider = f.ctl(row.box);
        Control& timer = f.form[row.timer];
        auto position = [&] { return row.horizontal ? slider.left() : slider.top(); };
        ASSERT_EQ(position(), float(row.start));
        ASSERT_FALSE(timer.enabled());

        ASSERT_TRUE(f.form.click(row.button));
        for (int k = 1; k < row.ticks; ++k) {
            ASSERT_TRUE(f.form.tick(row.timer)) << "tick " << k;
            ASSERT_EQ(position(), float(row.start + step * k)) << "tick " << k;
            ASSERT_TRUE(timer.enabled()) << "tick " << k;
        }
        // The last step lands on 0 and stops the timer in the same tick.
        EXPECT_TRUE(f.form.tick(row.timer));
        EXPECT_EQ(position(), 0.0f);
        EXPECT_FALSE(timer.enabled());
        EXPECT_FALSE(f.form.tick(row.timer));

        // Pressed again once in place, or twice in a row: back to the start, still running.
        f.form.click(row.button);
        EXPECT_EQ(position(), float(row.start));
        f.ticks(row.timer, 10);
        f.form.click(row.button);
        EXPECT_EQ(position(), float(row.start));
        EXPECT_TRUE(timer.enabled());
        EXPECT_EQ(f.runOut(row.timer), row.ticks);
        EXPECT_TRUE(f.quiet());
    }
}

TEST(Effects, TransitionReset)
{
    Fixture f;
    f.form.Picture13.setVisible(true);
    // While idle: harmless.
    EXPECT_TRUE(f.form.click(ControlId::Command6));
    EXPECT_TRUE(!f.form.Timer4.enabled() && !f.form.Timer5.enabled());
    EXPECT_EQ(f.form.picTrans.left(), -1200.0f);
    EXPECT_EQ(f.form.picUp.top(), 2500.0f);

    // Both at once run independently: the horizontal one finishes first.
    f.form.click(ControlId::CmdTrans1);
    f.form.click(ControlId::cmdTrans2);
    for (int k = 0; k < 60; ++k) {
        ASSERT_TRUE(f.form.tick(ControlId::Timer4)) << "tick " << k + 1;
        ASSERT_TRUE(f.form.tick(ControlId::Timer5)) << "tick " << k + 1;
    }
    EXPECT_EQ(f.form.picTrans.left(), 0.0f);
    EXPECT_FALSE(f.form.Timer4.enabled());
    EXPECT_EQ(f.form.picUp.top(), 1300.0f);
    EXPECT_TRUE(f.form.Timer5.enabled());

    // Mid-slide: stops at once, both boxes back out of sight, moving or not.
    f.ticks(ControlId::Timer5, 20);
    EXPECT_TRUE(f.form.click(ControlId::Command6));
    EXPECT_TRUE(!f.form.Timer4.enabled() && !f.form.Timer5.enabled());
    EXPECT_EQ(f.form.picTrans.left(), -1200.0f);
    EXPECT_EQ(f.form.picUp.top(), 2500.0f);
    EXPECT_TRUE(!f.form.tick(ControlId::Timer4) && !f.form.tick(ControlId::Timer5));
}

// --- hover buttons ---

TEST(Effects, Hover)
{
    // Moves over the shown ImgClick, the two captions in the demo box and the panel around it
    // change nothing: none of them has a handler.
    const struct {
        const char* name;
        Names moves;
        Names handled; // the moves that reach a handler
        bool imageLit, labelLit;
    } rows[] = {
        { "image", { "ImgHover" }, { "ImgHover" }, true, false },
        { "label", { "lblButton" }, { "lblButton" }, false, true },
        { "over the shown ImgClick", { "ImgHover", "lblButton", "ImgClick" },
            { "ImgHover", "lblButton" }, true, true },
        { "over the captions", { "ImgHover", "lblButton", "Label14", "Label15" },
            { "ImgHover", "lblButton" }, true, true },
        { "out across the top", { "ImgHover", "lblButton", "Picture6" },
            { "ImgHover", "lblButton" }, true, true },
        { "bare form", { "ImgHover", "lblButton", "Form1" }, { "ImgHover", "lblButton", "Form1" },
            false, true },
        { "demo box", { "ImgHover", "lblButton", "Picture7" },
            { "ImgHover", "lblButton", "Picture7" }, false, false },
        { "label again and again", { "lblButton", "lblButton", "lblButton" },
            { "lblButton", "lblButton", "lblButton" }, false, true },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        Names ran;
        for (const std::string& control : row.moves)
            if (f.form.mouseMove(Fixture::id(control), { 1, 0, 100, 100 }))
                ran.push_back(control);
        EXPECT_EQ(ran, row.handled);
        EXPECT_EQ(f.form.ImgClick.visible(), row.imageLit);
        EXPECT_TRUE(f.form.ImgHover.visible());
        Control& label = f.form.lblButton;
        EXPECT_EQ(label.backColor(), row.labelLit ? Colour(0x00FFFF) : Colour(0x0000FF));
        EXPECT_EQ(label.fontSize(), row.labelLit ? 14.0f : 12.0f);
        EXPECT_EQ(label.fontBold(), row.labelLit);
        EXPECT_TRUE(f.quiet());
    }
}
