#pragma once

// The running window as a model: Form1's own values, its controls built from the description,
// and the delivery of events to handlers. It needs no widget, so every handler can be driven
// tick by tick in a test; the window layer observes it and mirrors it onto Qt widgets.

#include "window/control.h"

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>

namespace gd {

class Platform;

struct MouseArgs {
    std::int16_t button = 0;
    std::int16_t shift = 0;
    float x = 0; // twips, relative to the control
    float y = 0;
};

class FormObserver {
public:
    virtual ~FormObserver() = default;
    virtual void controlChanged(Control& control, Prop prop) = 0;
};

class Form1 {
public:
    explicit Form1(Platform& platform);
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    Platform& platform() const { return m_platform; }

    // The control of that name. Handlers only use names from the description, so an unknown
    // name is a programming error and aborts.
    Control& ctl(std::string_view name);
    Control* find(std::string_view name);
    std::deque<Control>& controls() { return m_controls; }

    // Form-level values kept outside control properties.
    std::int32_t lngAlpha = 0; // window opacity, 0..255
    double dAngle = 0;         // turning angle of the spinning picture, degrees

    std::string_view caption() const { return formDescription().caption; }

    // Event delivery. Each returns whether a handler ran. Nothing runs once the program ended.
    bool load();
    bool click(std::string_view control);
    bool mouseMove(std::string_view control, const MouseArgs& args = {});
    bool tick(std::string_view timer); // only while the timer is enabled

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
    template <class Call> bool run(Call&& call);

    Platform& m_platform;
    std::deque<Control> m_controls;
    std::unordered_map<std::string_view, Control*> m_byName;
    FormObserver* m_observer = nullptr;
    bool m_ended = false;
    bool m_reporting = false; // a run-time error's report is on the screen
};

} // namespace gd
