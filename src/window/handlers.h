#pragma once

// The table from handler names (as the event table spells them) to the functions that implement
// them, gathered from every unit.

#include <span>
#include <string_view>

namespace gd {

class Form1;
struct MouseArgs;

struct HandlerEntry {
    std::string_view name;
    void (*plain)(Form1&) = nullptr;                    // Load, Click, Timer
    void (*mouse)(Form1&, const MouseArgs&) = nullptr; // MouseMove
};

std::span<const HandlerEntry> handlerTable();
const HandlerEntry* findHandler(std::string_view name);

} // namespace gd
