#include "window/form.h"

#include "content/texts.h"
#include "platform/platform.h"
#include "runtime/vb.h"
#include "window/handlers.h"

#include <cstdio>
#include <cstdlib>

namespace gd {

namespace {

constexpr int vbCritical = 16;

const HandlerEntry* handlerFor(std::string_view control, Event event)
{
    for (const EventDesc& row : eventDescriptions())
        if (row.control == control && row.event == event)
            return findHandler(row.handler);
    return nullptr;
}

} // namespace

Form1::Form1(Platform& platform)
    : m_platform(platform)
{
    int index = 0;
    for (const ControlDesc& desc : controlDescriptions()) {
        Control* container = desc.container == "Form1" ? nullptr : find(desc.container);
        Control& c = m_controls.emplace_back(*this, desc, container, index++);
        m_byName.emplace(c.name(), &c);
    }
    for (const TextEntry& entry : tutorialTexts())
        if (Control* c = find(entry.control))
            c->setCaption(std::string(entry.text));
}

Control* Form1::find(std::string_view name)
{
    auto it = m_byName.find(name);
    return it == m_byName.end() ? nullptr : it->second;
}

Control& Form1::ctl(std::string_view name)
{
    if (Control* c = find(name))
        return *c;
    std::fprintf(stderr, "glimmerdeck: no control named %.*s\n", int(name.size()), name.data());
    std::abort();
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
            m_platform.MsgBox(error.report(), vbCritical, std::string());
            End(1);
        }
    }
    return true;
}

bool Form1::load()
{
    const HandlerEntry* h = handlerFor("Form1", Event::Load);
    return h && h->plain && run([&] { h->plain(*this); });
}

bool Form1::click(std::string_view control)
{
    // A disabled or hidden control takes no clicks, whoever delivers them.
    for (const Control* c = find(control); c; c = c->container())
        if (!c->enabled() || !c->visible())
            return false;
    const HandlerEntry* h = handlerFor(control, Event::Click);
    return h && h->plain && run([&] { h->plain(*this); });
}

bool Form1::mouseMove(std::string_view control, const MouseArgs& args)
{
    const HandlerEntry* h = handlerFor(control, Event::MouseMove);
    return h && h->mouse && run([&] { h->mouse(*this, args); });
}

bool Form1::tick(std::string_view timer)
{
    Control* t = find(timer);
    if (!t || t->kind() != Kind::Timer || !t->enabled())
        return false;
    const HandlerEntry* h = handlerFor(timer, Event::Timer);
    return h && h->plain && run([&] { h->plain(*this); });
}

void Form1::End(int exitStatus)
{
    if (m_ended)
        return;
    m_ended = true;
    m_platform.End(exitStatus);
}

} // namespace gd
