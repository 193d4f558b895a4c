#pragma once

// The window description: Form1 and its controls as a compile-time table built from the one list
// in model/controls.def. Every control has a typed identity, ControlId, so a misspelt control is
// a compile error; the window layer builds widgets from the table, the model builds its controls
// from it, and tests and static_asserts inspect it directly. Nothing here needs a display.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace gd {

// One identity per control, in the order of the description, and Form1 itself last.
enum class ControlId : std::uint8_t {
#define CONTROL(name, container, row) name,
#include "model/controls.def"
#undef CONTROL
    Form1,
};

inline constexpr std::size_t kControlCount = std::size_t(ControlId::Form1);

constexpr std::size_t indexOf(ControlId id) { return static_cast<std::size_t>(id); }

enum class Kind : std::uint8_t {
    PictureBox,
    Label,
    TextBox,
    CommandButton,
    Timer,
    Image,
    Shape,
    Line
};

// Colours are &H00BBGGRR; &H800000nn names entry nn of the system colour scheme.
using Colour = std::uint32_t;
constexpr Colour kSysWindowBackground = 0x80000005;
constexpr Colour kSysWindowText = 0x80000008;
constexpr Colour kSysButtonFace = 0x8000000F;
constexpr Colour kSysButtonText = 0x80000012;
constexpr Colour kUnset = 0xFFFFFFFF; // "the kind's standard value"

enum class Align : std::uint8_t { Left, Center };
enum class Border : std::uint8_t { Sunken, Flat, None };
enum class ScrollBars : std::uint8_t { None, Vertical, Both };

struct FontDesc {
    std::string_view face; // empty: the form's font
    float size = 0;
    bool bold = false;
};

// One row of the table. Positions are twips relative to the container's client area; for a Line
// they are the end points X1, Y1, X2, Y2. The member functions let a row read as one line:
//     pic(0, 8400, 3975, 375).tab(17)
struct ControlDesc {
    ControlId id = ControlId::Form1;
    std::string_view name;
    ControlId container = ControlId::Form1;
    Kind kind = Kind::Label;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    int tabIndex = -1;
    std::string_view caption;
    Colour backColor = kUnset;
    Colour foreColor = kUnset;
    FontDesc typeface;
    Align alignment = Align::Left;
    bool transparent = false;       // Label BackStyle
    Border border = Border::Sunken; // PictureBox, TextBox
    bool graphical = false;         // CommandButton Style: face in its own BackColor
    ScrollBars scrollBars = ScrollBars::None;
    std::string_view picture; // asset file name
    bool stretch = false;     // Image
    std::string_view toolTip;
    int interval = 0; // Timer, milliseconds

    constexpr ControlDesc named(ControlId i, std::string_view n, ControlId in) const
    {
        auto c = *this;
        c.id = i;
        c.name = n;
        c.container = in;
        return c;
    }
    // clang-format off
    constexpr ControlDesc tab(int i) const { auto c = *this; c.tabIndex = i; return c; }
    constexpr ControlDesc hidden() const { auto c = *this; c.visible = false; return c; }
    constexpr ControlDesc text(std::string_view s) const { auto c = *this; c.caption = s; return c; }
    constexpr ControlDesc back(Colour v) const { auto c = *this; c.backColor = v; return c; }
    constexpr ControlDesc fore(Colour v) const { auto c = *this; c.foreColor = v; return c; }
    constexpr ControlDesc font(std::string_view face, float size, bool bold) const
    {
        auto c = *this;
        c.typeface = { face, size, bold };
        return c;
    }
    constexpr ControlDesc centred() const { auto c = *this; c.alignment = Align::Center; return c; }
    constexpr ControlDesc transparentBack() const { auto c = *this; c.transparent = true; return c; }
    constexpr ControlDesc noBorder() const { auto c = *this; c.border = Border::None; return c; }
    constexpr ControlDesc flat() const
    {
        auto c = *this;
        if (c.border == Border::Sunken)
            c.border = Border::Flat;
        return c;
    }
    constexpr ControlDesc graphicalFace(Colour v) const
    {
        auto c = *this;
        c.graphical = true;
        c.backColor = v;
        return c;
    }
    constexpr ControlDesc scroll(ScrollBars s) const { auto c = *this; c.scrollBars = s; return c; }
    constexpr ControlDesc pictureFile(std::string_view f) const { auto c = *this; c.picture = f; return c; }
    constexpr ControlDesc stretched() const { auto c = *this; c.stretch = true; return c; }
    constexpr ControlDesc tip(std::string_view s) const { auto c = *this; c.toolTip = s; return c; }
    // clang-format on
};

// Row builders, one per kind, taking the columns every row of that kind has; and the colours
// the rows name.
namespace rows {

constexpr ControlDesc make(Kind k, int l, int t, int w, int h)
{
    ControlDesc c;
    c.kind = k;
    c.left = l;
    c.top = t;
    c.width = w;
    c.height = h;
    return c;
}

// clang-format off
constexpr ControlDesc pic(int l, int t, int w, int h) { return make(Kind::PictureBox, l, t, w, h); }
constexpr ControlDesc lbl(int l, int t, int w, int h) { return make(Kind::Label, l, t, w, h); }
constexpr ControlDesc txt(int l, int t, int w, int h) { return make(Kind::TextBox, l, t, w, h); }
constexpr ControlDesc cmd(int l, int t, int w, int h) { return make(Kind::CommandButton, l, t, w, h); }
constexpr ControlDesc img(int l, int t, int w, int h) { return make(Kind::Image, l, t, w, h); }
constexpr ControlDesc shp(int l, int t, int w, int h) { return make(Kind::Shape, l, t, w, h); }
constexpr ControlDesc line(int x1, int y1, int x2, int y2) { return make(Kind::Line, x1, y1, x2, y2); }
// clang-format on

constexpr ControlDesc tmr(int interval, bool enabled)
{
    ControlDesc c = make(Kind::Timer, 0, 0, 0, 0);
    c.interval = interval;
    c.enabled = enabled;
    return c;
}

constexpr Colour kBlack = 0x00000000;
constexpr Colour kDarkGrey = 0x00404040;
constexpr Colour kGrey = 0x00808080;
constexpr Colour kSilver = 0x00C0C0C0;
constexpr Colour kRed = 0x000000FF;
constexpr Colour kWhite = 0x00FFFFFF;

} // namespace rows

// clang-format off
inline constexpr std::array<ControlDesc, kControlCount> kControls = [] {
    using namespace rows;
    return std::array<ControlDesc, kControlCount> {
#define CONTROL(name, container, row) row.named(ControlId::name, #name, ControlId::container),
#include "model/controls.def"
#undef CONTROL
    };
}();
// clang-format on

struct FormDesc {
    std::string_view caption;
    int clientWidth, clientHeight; // twips
    Colour backColor;
    FontDesc font;
    std::string_view icon;
};

inline constexpr FormDesc kForm { "Form1", 12255, 8790, rows::kDarkGrey, { "Tahoma", 9.75f, false },
    "glimmerdeck.ico" };

constexpr const ControlDesc& describe(ControlId id) { return kControls[indexOf(id)]; }

constexpr std::string_view nameOf(ControlId id)
{
    return id == ControlId::Form1 ? kForm.caption : describe(id).name;
}

// For tests and tools that take names from outside; the program itself never looks up a name.
std::optional<ControlId> findControl(std::string_view name);

// Events that have handlers.
enum class Event : std::uint8_t { Load, Click, MouseMove, Timer };
inline constexpr std::size_t kEventCount = 4;

constexpr std::string_view eventName(Event event)
{
    constexpr std::string_view names[] = { "Load", "Click", "MouseMove", "Timer" };
    return names[static_cast<std::size_t>(event)];
}

} // namespace gd
