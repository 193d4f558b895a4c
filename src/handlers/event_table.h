#pragma once

// The one table of the window's events that have handlers: which control, which event, which
// handler. The model takes it at construction and reaches each handler through it by identity.

#include "model/form.h"

#include <span>

namespace gd {

std::span<const EventBinding> eventTable();

} // namespace gd
