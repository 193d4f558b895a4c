#pragma once

// Row builders for the description tables: one per kind, taking the columns every row has.

#include "window/description.h"

namespace gd::rows {

constexpr ControlDesc make(Kind k, std::string_view name, std::string_view in, int l, int t, int w, int h)
{
    ControlDesc c;
    c.name = name;
    c.kind = k;
    c.container = in;
    c.left = l;
    c.top = t;
    c.width = w;
    c.height = h;
    return c;
}

constexpr ControlDesc pic(std::string_view n, std::string_view in, int l, int t, int w, int h) { return make(Kind::PictureBox, n, in, l, t, w, h); }
constexpr ControlDesc lbl(std::string_view n, std::string_view in, int l, int t, int w, int h) { return make(Kind::Label, n, in, l, t, w, h); }
constexpr ControlDesc txt(std::string_view n, std::string_view in, int l, int t, int w, int h) { return make(Kind::TextBox, n, in, l, t, w, h); }
constexpr ControlDesc cmd(std::string_view n, std::string_view in, int l, int t, int w, int h) { return make(Kind::CommandButton, n, in, l, t, w, h); }
constexpr ControlDesc img(std::string_view n, std::string_view in, int l, int t, int w, int h) { return make(Kind::Image, n, in, l, t, w, h); }
constexpr ControlDesc shp(std::string_view n, std::string_view in, int l, int t, int w, int h) { return make(Kind::Shape, n, in, l, t, w, h); }
constexpr ControlDesc line(std::string_view n, std::string_view in, int x1, int y1, int x2, int y2) { return make(Kind::Line, n, in, x1, y1, x2, y2); }

constexpr ControlDesc tmr(std::string_view n, std::string_view in, int interval, bool enabled)
{
    ControlDesc c = make(Kind::Timer, n, in, 0, 0, 0, 0);
    c.interval = interval;
    c.enabled = enabled;
    return c;
}

} // namespace gd::rows
