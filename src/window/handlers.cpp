#include "window/handlers.h"

#include "effects/fading_caption.h"
#include "effects/hover_buttons.h"
#include "effects/spinning_picture.h"
#include "effects/text_animation.h"
#include "effects/transition_boxes.h"
#include "main/menu.h"
#include "main/startup.h"
#include "sysinfo/readouts.h"

namespace gd {

namespace {

#define PLAIN(fn) HandlerEntry { #fn, &fn, nullptr }
#define MOUSE(fn) HandlerEntry { #fn, nullptr, &fn }

// clang-format off
constexpr HandlerEntry kHandlers[] = {
    PLAIN(Form_Load), PLAIN(Timer1_Timer), PLAIN(Label5_Click), PLAIN(Label6_Click),
    PLAIN(Command14_Click), PLAIN(Command15_Click),
    PLAIN(Command7_Click), PLAIN(Timer6_Timer), PLAIN(Timer7_Timer),
    PLAIN(Command8_Click), PLAIN(Command9_Click), PLAIN(Command10_Click),
    PLAIN(Command11_Click), PLAIN(Command12_Click), PLAIN(Command13_Click),
    PLAIN(Command1_Click), PLAIN(Command2_Click), PLAIN(Command3_Click),
    PLAIN(Command4_Click), PLAIN(Command5_Click), PLAIN(Command16_Click),
    PLAIN(Timer10_Timer), PLAIN(Timer11_Timer),
    PLAIN(Timer2_Timer),
    MOUSE(Form_MouseMove), MOUSE(ImgHover_MouseMove), MOUSE(lblButton_MouseMove),
    MOUSE(Picture7_MouseMove),
    PLAIN(Timer3_Timer),
    PLAIN(CmdTrans1_Click), PLAIN(cmdTrans2_Click), PLAIN(Command6_Click),
    PLAIN(Timer4_Timer), PLAIN(Timer5_Timer),
    PLAIN(Timer8_Timer), PLAIN(Timer9_Timer),
};
// clang-format on

#undef PLAIN
#undef MOUSE

} // namespace

std::span<const HandlerEntry> handlerTable() { return kHandlers; }

const HandlerEntry* findHandler(std::string_view name)
{
    for (const HandlerEntry& h : kHandlers)
        if (h.name == name)
            return &h;
    return nullptr;
}

} // namespace gd
