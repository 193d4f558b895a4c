#pragma once

// One control of the running window: its description row plus the properties handlers change.
// Every setter tells the form, which tells the window layer, so a change shows at the next
// repaint of that control alone.

#include "model/description.h"

#include <string>

namespace gd {

class Form1;
class Surface;

enum class Prop : std::uint8_t { Geometry, Visible, Enabled, Caption, Colours, Font };

class Control {
public:
    Control(Form1& form, const ControlDesc& desc, Control* container);
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form1& form() const { return m_form; }
    const ControlDesc& desc() const { return *m_desc; }
    ControlId id() const { return m_desc->id; }
    std::size_t index() const { return indexOf(m_desc->id); } // place in the description
    std::string_view name() const { return m_desc->name; }
    Kind kind() const { return m_desc->kind; }
    Control* container() const { return m_container; } // nullptr: directly in Form1

    // Position and size in twips, kept exactly as set (single precision). For a Line these
    // are its end points X1, Y1, X2, Y2.
    float left() const { return m_left; }
    float top() const { return m_top; }
    float width() const { return m_width; }
    float height() const { return m_height; }
    void setLeft(double twips);
    void setTop(double twips);
    void setWidth(double twips);
    void setHeight(double twips);

    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    // Shown on screen: visible, and every container up to the form visible too.
    bool isShown() const;
    // This control is `container`, or lies inside it at any depth.
    bool within(const Control& container) const;

    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Caption of labels and buttons; Text of text boxes.
    const std::string& caption() const { return m_caption; }
    void setCaption(std::string caption);
    const std::string& text() const { return m_caption; }

    const std::string& tag() const { return m_tag; }
    void setTag(std::string tag) { m_tag = std::move(tag); }

    Colour backColor() const { return m_backColor; }
    Colour foreColor() const { return m_foreColor; }
    void setBackColor(Colour colour);
    void setForeColor(Colour colour);

    std::string_view fontName() const { return m_fontName; }
    float fontSize() const { return m_fontSize; }
    bool fontBold() const { return m_fontBold; }
    void setFontSize(double points);
    void setFontBold(bool bold);

    int interval() const { return m_desc->interval; }

    // A label the program handles clicks on ("_", "X") is a push button to the keyboard and to
    // assistive technology.
    bool actsAsButton() const;

    // A picture box's drawing surface (nullptr when it has none), Cls and Refresh.
    Surface* hDC() const;
    void cls();
    void refresh();

private:
    void changed(Prop prop);

    Form1& m_form;
    const ControlDesc* m_desc;
    Control* m_container;
    float m_left, m_top, m_width, m_height;
    bool m_visible, m_enabled;
    std::string m_caption;
    std::string m_tag;
    Colour m_backColor, m_foreColor;
    std::string_view m_fontName;
    float m_fontSize;
    bool m_fontBold;
};

} // namespace gd
