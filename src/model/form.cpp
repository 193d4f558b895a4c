#include "model/form.h"

#include "language/vb.h"
#include "model/platform.h"
#include "model/texts.h"

namespace gd {

namespace {

// Every control, in the order of the description; containers come first, so each child finds
// its container already built.
std::deque<Control> buildControls(Form1& form)
{
    std::deque<Control> controls;
    for (const ControlDesc& desc : kControls) {
        Control* container
            = desc.container == ControlId::Form1 ? nullptr : &controls[indexOf(desc.container)];
        controls.emplace_back(form, desc, container);
    }
    return controls;
}

} // namespace

// clang-format off
Form1::Form1(Platform& platform, std::span<const EventBinding> events)
    : m_platform(platform)
    , m_controls(buildControls(*this))
#define CONTROL(name, container, row) , name(m_controls[indexOf(ControlId::name)])
#include "model/controls.def"
#undef CONTROL
// clang-format on
{
    for (const TextEntry& entry : tutorialTexts())
        (*this)[entry.control].setCaption(std::string(entry.text));
    for (const EventBinding& row : events)
        m_bindings[indexOf(row.control)][static_cast<std::size_t>(row.event)] = &row;
}

// Runs one handler with the program's general handling of errors: an error no handler takes is
// reported in a message box naming it, and then the program ends. While that report is up no
// other event runs: the timers would otherwise go on ticking inside the box's own event loop,
// and a failing tick would stack a new report on the old one every few milliseconds.
template <class Call> bool Form1::run(Call&& call)
{
    if (m_ended || m_reporting)
        return false;
    try {
        call();
    } catch (const vb::RuntimeError& error) {
        if (!m_ended && !m_reporting) {
            m_reporting = true;
            m_platform.messageBox(error.report(), vbCritical, {});
            End(1);
        }
    }
    return true;
}

bool Form1::load()
{
    const EventBinding* h = binding(ControlId::Form1, Event::Load);
    return h && h->plain && run([&] { h->plain(*this); });
}

bool Form1::click(ControlId control)
{
    // A disabled or hidden control takes no clicks, whoever delivers them.
    if (control != ControlId::Form1)
        for (const Control* c = &(*this)[control]; c; c = c->container())
            if (!c->enabled() || !c->visible())
                return false;
    const EventBinding* h = binding(control, Event::Click);
    return h && h->plain && run([&] { h->plain(*this); });
}

bool Form1::mouseMove(ControlId control, const MouseArgs& args)
{
    const EventBinding* h = binding(control, Event::MouseMove);
    return h && h->mouse && run([&] { h->mouse(*this, args); });
}

bool Form1::tick(ControlId timer)
{
    if (timer == ControlId::Form1)
        return false;
    const Control& t = (*this)[timer];
    if (t.kind() != Kind::Timer || !t.enabled())
        return false;
    const EventBinding* h = binding(timer, Event::Timer);
    return h && h->plain && run([&] { h->plain(*this); });
}

void Form1::End(int exitStatus)
{
    if (m_ended)
        return;
    m_ended = true;
    m_platform.endProgram(exitStatus);
}

} // namespace gd
