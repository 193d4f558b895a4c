#pragma once

// The window description: Form1 and its controls as a static table, plus the table that wires
// control events to handlers. Nothing here needs a display; the window layer builds widgets from
// it, the model builds its controls from it, and tests inspect it directly.

#include <cstdint>
#include <span>
#include <string_view>

namespace gd {

enum class Kind : std::uint8_t { PictureBox, Label, TextBox, CommandButton, Timer, Image, Shape, Line };

std::string_view kindName(Kind kind);

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
//     pic("Picture3", "Form1", 0, 8400, 3975, 375).tab(17)
struct ControlDesc {
    std::string_view name;
    Kind kind = Kind::Label;
    std::string_view container;
    int left = 0, top = 0, width = 0, height = 0;
    bool visible = true;
    bool enabled = true;
    int tabIndex = -1;
    std::string_view caption;
    Colour backColor = kUnset;
    Colour foreColor = kUnset;
    FontDesc typeface;
    Align alignment = Align::Left;
    bool transparent = false;      // Label BackStyle
    Border border = Border::Sunken; // PictureBox, TextBox
    bool graphical = false;         // CommandButton Style: face in its own BackColor
    ScrollBars scrollBars = ScrollBars::None;
    std::string_view picture;       // asset file name
    bool stretch = false;           // Image
    std::string_view toolTip;
    int interval = 0;               // Timer, milliseconds

    constexpr ControlDesc tab(int i) const { auto c = *this; c.tabIndex = i; return c; }
    constexpr ControlDesc hidden() const { auto c = *this; c.visible = false; return c; }
    constexpr ControlDesc disabled() const { auto c = *this; c.enabled = false; return c; }
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
};

struct FormDesc {
    std::string_view caption;
    int clientWidth, clientHeight; // twips
    Colour backColor;
    FontDesc font;
    std::string_view icon;
};

const FormDesc& formDescription();

// Every control, grouped by container, each container listed before its children and siblings
// front to back.
std::span<const ControlDesc> controlDescriptions();

// Lookup by name; nullptr when there is no such control.
const ControlDesc* findControl(std::string_view name);

// Events that have handlers.
enum class Event : std::uint8_t { Load, Click, MouseMove, Timer };

struct EventDesc {
    std::string_view control;
    Event event;
    std::string_view handler;
};

std::span<const EventDesc> eventDescriptions();

} // namespace gd
