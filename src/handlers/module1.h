#pragma once

// Module1: the host-name lookup through the socket library, with its start-up and clean-up.

#include <cstdint>
#include <string>

namespace gd {

class Form1;

std::string LocalHostName(Form1& me);
bool StartSockets(Form1& me);
void StopSockets(Form1& me);
std::int32_t HighByteOf(std::int16_t value);
std::int32_t LowByteOf(std::int32_t value);

} // namespace gd
