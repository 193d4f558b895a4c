#include "model/control.h"

#include "language/vb.h"
#include "model/form.h"
#include "model/platform.h"

namespace gd {

namespace {

Colour standardBack(Kind kind)
{
    switch (kind) {
    case Kind::TextBox: return kSysWindowBackground;
    case Kind::Shape: return kUnset; // transparent fill
    case Kind::Line: return kUnset;
    default: return kSysButtonFace;
    }
}

Colour standardFore(Kind kind)
{
    switch (kind) {
    case Kind::TextBox:
    case Kind::Shape:
    case Kind::Line: return kSysWindowText;
    default: return kSysButtonText;
    }
}

// Stores a position or size as the Single it is, and says whether it changed. A size below zero
// is refused the way the language refuses it.
enum class Measure { Position, Size };

bool storeGeometry(float& field, double twips, Measure measure)
{
    const float v = vb::toSingle(twips);
    if (measure == Measure::Size && v < 0)
        vb::raise(vb::ErrInvalidPropertyValue);
    if (v == field)
        return false;
    field = v;
    return true;
}

} // namespace

Control::Control(Form1& form, const ControlDesc& desc, Control* container)
    : m_form(form)
    , m_desc(&desc)
    , m_container(container)
    , m_left(static_cast<float>(desc.left))
    , m_top(static_cast<float>(desc.top))
    , m_width(static_cast<float>(desc.width))
    , m_height(static_cast<float>(desc.height))
    , m_visible(desc.visible)
    , m_enabled(desc.enabled)
    , m_caption(desc.caption)
    , m_backColor(desc.backColor != kUnset ? desc.backColor : standardBack(desc.kind))
    , m_foreColor(desc.foreColor != kUnset ? desc.foreColor : standardFore(desc.kind))
    , m_fontName(desc.typeface.face.empty() ? kForm.font.face : desc.typeface.face)
    , m_fontSize(desc.typeface.face.empty() ? kForm.font.size : desc.typeface.size)
    , m_fontBold(desc.typeface.face.empty() ? kForm.font.bold : desc.typeface.bold)
{
}

void Control::changed(Prop prop) { m_form.notify(*this, prop); }

bool Control::within(const Control& container) const
{
    for (const Control* c = this; c; c = c->container())
        if (c == &container)
            return true;
    return false;
}

bool Control::actsAsButton() const
{
    return kind() == Kind::Label && m_form.handles(id(), Event::Click);
}

void Control::setLeft(double twips)
{
    if (storeGeometry(m_left, twips, Measure::Position))
        changed(Prop::Geometry);
}

void Control::setTop(double twips)
{
    if (storeGeometry(m_top, twips, Measure::Position))
        changed(Prop::Geometry);
}

void Control::setWidth(double twips)
{
    if (storeGeometry(m_width, twips, Measure::Size))
        changed(Prop::Geometry);
}

void Control::setHeight(double twips)
{
    if (storeGeometry(m_height, twips, Measure::Size))
        changed(Prop::Geometry);
}

bool Control::isShown() const
{
    for (const Control* c = this; c; c = c->m_container)
        if (!c->m_visible)
            return false;
    return true;
}

void Control::setVisible(bool visible)
{
    if (visible != m_visible) {
        m_visible = visible;
        changed(Prop::Visible);
    }
}

void Control::setEnabled(bool enabled)
{
    if (enabled != m_enabled) {
        m_enabled = enabled;
        changed(Prop::Enabled);
    }
}

void Control::setCaption(std::string caption)
{
    if (caption != m_caption) {
        m_caption = std::move(caption);
        changed(Prop::Caption);
    }
}

void Control::setBackColor(Colour colour)
{
    if (colour != m_backColor) {
        m_backColor = colour;
        changed(Prop::Colours);
    }
}

void Control::setForeColor(Colour colour)
{
    if (colour != m_foreColor) {
        m_foreColor = colour;
        changed(Prop::Colours);
    }
}

void Control::setFontSize(double points)
{
    float v = vb::toSingle(points);
    if (v <= 0)
        vb::raise(vb::ErrInvalidPropertyValue);
    if (v != m_fontSize) {
        m_fontSize = v;
        changed(Prop::Font);
    }
}

void Control::setFontBold(bool bold)
{
    if (bold != m_fontBold) {
        m_fontBold = bold;
        changed(Prop::Font);
    }
}

Surface* Control::hDC() const
{
    return kind() == Kind::PictureBox ? m_form.platform().surface(*this) : nullptr;
}

void Control::cls()
{
    if (Surface* s = hDC())
        s->clear();
}

void Control::refresh()
{
    if (Surface* s = hDC())
        s->refresh();
}

} // namespace gd
