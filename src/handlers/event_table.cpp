#include "handlers/event_table.h"

#include "handlers/effects/fading_caption.h"
#include "handlers/effects/hover_buttons.h"
#include "handlers/effects/spinning_picture.h"
#include "handlers/effects/text_animation.h"
#include "handlers/effects/transition_boxes.h"
#include "handlers/menu.h"
#include "handlers/readouts.h"
#include "handlers/startup.h"

#include <algorithm>

namespace gd {

namespace {

// A row, with the handler's signature checked against the event: MouseMove handlers take the
// move's arguments, every other handler the form alone.
template <Event E>
constexpr EventBinding on(ControlId control, std::string_view name, EventBinding::Plain fn)
{
    static_assert(E != Event::MouseMove, "a MouseMove handler takes the move's arguments");
    return { control, E, name, fn, nullptr };
}

template <Event E>
constexpr EventBinding on(ControlId control, std::string_view name, EventBinding::Mouse fn)
{
    static_assert(E == Event::MouseMove, "only a MouseMove handler takes a move's arguments");
    return { control, E, name, nullptr, fn };
}

#define ON(control, event, handler) on<Event::event>(ControlId::control, #handler, &handler)

// clang-format off
constexpr EventBinding kEvents[] = {
    //  control     event      handler
    ON(Form1,      Load,      Form_Load),
    ON(Form1,      MouseMove, Form_MouseMove),
    ON(Label5,     Click,     Label5_Click),
    ON(Label6,     Click,     Label6_Click),
    ON(Command14,  Click,     Command14_Click),
    ON(Command15,  Click,     Command15_Click),
    ON(Timer1,     Timer,     Timer1_Timer),
    ON(Command7,   Click,     Command7_Click),
    ON(Command8,   Click,     Command8_Click),
    ON(Command9,   Click,     Command9_Click),
    ON(Command10,  Click,     Command10_Click),
    ON(Command11,  Click,     Command11_Click),
    ON(Command12,  Click,     Command12_Click),
    ON(Command13,  Click,     Command13_Click),
    ON(Command1,   Click,     Command1_Click),
    ON(Command2,   Click,     Command2_Click),
    ON(Command3,   Click,     Command3_Click),
    ON(Command4,   Click,     Command4_Click),
    ON(Command5,   Click,     Command5_Click),
    ON(Command16,  Click,     Command16_Click),
    ON(Timer6,     Timer,     Timer6_Timer),
    ON(Timer7,     Timer,     Timer7_Timer),
    ON(Timer10,    Timer,     Timer10_Timer),
    ON(Timer11,    Timer,     Timer11_Timer),
    ON(Timer2,     Timer,     Timer2_Timer),
    ON(ImgHover,   MouseMove, ImgHover_MouseMove),
    ON(lblButton,  MouseMove, lblButton_MouseMove),
    ON(Picture7,   MouseMove, Picture7_MouseMove),
    ON(Timer3,     Timer,     Timer3_Timer),
    ON(CmdTrans1,  Click,     CmdTrans1_Click),
    ON(cmdTrans2,  Click,     cmdTrans2_Click),
    ON(Command6,   Click,     Command6_Click),
    ON(Timer4,     Timer,     Timer4_Timer),
    ON(Timer5,     Timer,     Timer5_Timer),
    ON(Timer8,     Timer,     Timer8_Timer),
    ON(Timer9,     Timer,     Timer9_Timer),
};
// clang-format on

#undef ON

// Every handler is named after its control and event (Form_ for the form's own) and belongs to
// a control of a kind that raises it; no event is wired twice.
constexpr bool wellFormed(const EventBinding& row)
{
    const std::string_view owner = row.control == ControlId::Form1 ? "Form" : nameOf(row.control);
    const std::string_view event = eventName(row.event);
    const bool named = row.handler.size() == owner.size() + 1 + event.size()
        && row.handler.starts_with(owner) && row.handler[owner.size()] == '_'
        && row.handler.ends_with(event);
    const bool raised = row.control == ControlId::Form1
        ? row.event == Event::Load || row.event == Event::MouseMove
        : row.event != Event::Load
            && (describe(row.control).kind == Kind::Timer) == (row.event == Event::Timer);
    return named && raised;
}
static_assert(std::ranges::all_of(kEvents, wellFormed));

constexpr bool noneTwice()
{
    for (std::size_t i = 0; i < std::size(kEvents); ++i)
        for (std::size_t j = i + 1; j < std::size(kEvents); ++j)
            if (kEvents[i].control == kEvents[j].control && kEvents[i].event == kEvents[j].event)
                return false;
    return true;
}
static_assert(noneTwice());

} // namespace

std::span<const EventBinding> eventTable() { return kEvents; }

} // namespace gd
