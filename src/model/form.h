#pragma once

// The running window as a model: Form1's own values, its controls built from the description,
// and the delivery of events to handlers. It needs no widget, so every handler can be driven
// tick by tick in a test; the window layer observes it and mirrors it onto Qt widgets.

#include "model/control.h"

#include <array>
#include <cstdint>
#include <deque>
#include <span>
#include <string_view>

namespace gd {

class Form1;
class Platform;

struct MouseArgs {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0; // twips, relative to the control
    float y = 0;
};

// One row of the event table: which handler a control's event runs. Load, Click and Timer
// handlers take the form alone; MouseMove handlers also take the move's arguments.
struct EventBinding {
    using Plain = void (*)(Form1&);
    using Mouse = void (*)(Form1&, const MouseArgs&);

    ControlId control;
    Event event;
    std::string_view handler; // its name, as the listings spell it
    Plain plain = nullptr;
    Mouse mouse = nullptr;
};

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& control, Prop prop) = 0;
};

class Form1 {
    // Declared first: the controls below refer into it.
    Platform& m_platform;
    std::deque<Control> m_controls;

public:
    // `events` is the event table; it must outlive the form.
    Form1(Platform& platform, std::span<const EventBinding> events);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    Platform& platform() const { return m_platform; }

    // Every control by its name, as the listings write them: me.Picture15, me.Timer4.
#define CONTROL(name, container, row) Control& name;
#include "model/controls.def"
#undef CONTROL

    Control& operator[](ControlId id) { return m_controls[indexOf(id)]; }
    std::deque<Control>& controls() { return m_controls; }

    // Form-level values kept outside control properties.
    std::int32_t lngAlpha = 0; // window opacity, 0..255
    double dAngle = 0;         // turning angle of the spinning picture, degrees
    std::int32_t exStyle = 0;  // extended window style; only the layered bit is read

    std::string_view caption() const { return kForm.caption; }

    // Event delivery. Each returns whether a handler ran. Nothing runs once the program ended.
    bool load();
    bool click(ControlId control);
    bool mouseMove(ControlId control, const MouseArgs& args = {});
    bool tick(ControlId timer); // only while the timer is enabled
    // Whether the event table gives that event of that control a handler.
    bool handles(ControlId control, Event event) const
    {
        return binding(control, event) != nullptr;
    }

    // End: stops everything at once; no handler runs after it.
    void End(int exitStatus = 0);
    bool ended() const { return m_ended; }

    void setObserver(FormObserver* observer) { m_observer = observer; }
    void notify(Control& control, Prop prop)
    {
        if (m_observer)
            m_observer->controlChanged(control, prop);
    }

private:
    const EventBinding* binding(ControlId control, Event event) const
    {
        return m_bindings[indexOf(control)][static_cast<std::size_t>(event)];
    }
    template <class Call> bool run(Call&& call);

    std::array<std::array<const EventBinding*, kEventCount>, kControlCount + 1> m_bindings {};
    FormObserver* m_observer = nullptr;
    bool m_ended = false;
    bool m_reporting = false; // a run-time error's report is on the screen
};

} // namespace gd
