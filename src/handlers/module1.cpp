#include "handlers/module1.h"

#include "handlers/library_calls.h"
#include "model/form.h"

#include <array>
#include <cstring>

namespace gd {

namespace {

constexpr std::uint16_t kVersionRequired = 0x101; // 1.1
constexpr int kMinSockets = 1;
constexpr int kBufferLength = 256;

} // namespace

std::int32_t HighByteOf(std::int16_t value) { return (value / 256) & 0xFF; }

std::int32_t LowByteOf(std::int32_t value) { return value & 0xFF; }

bool StartSockets(Form1& me)
{
    WSAData data;
    if (WSAStartup(me, kVersionRequired, data) != 0) {
        MsgBox(me, "The 32-bit Windows Socket is not responding.", vbOKOnly);
        return false;
    }
    if (data.iMaxSockets < kMinSockets) {
        MsgBox(me,
            "This application requires a minimum of " + std::to_string(kMinSockets)
                + " supported sockets.",
            vbOKOnly);
        return false;
    }
    std::int32_t major = LowByteOf(data.wVersion);
    std::int32_t minor = HighByteOf(static_cast<std::int16_t>(data.wVersion));
    if (major < 1 || (major == 1 && minor < 1)) {
        MsgBox(me,
            "Sockets version " + std::to_string(major) + "." + std::to_string(minor)
                + " is not supported by 32-bit Windows Sockets.",
            vbOKOnly);
        return false;
    }
    return true;
}

void StopSockets(Form1& me)
{
    if (WSACleanup(me) != 0)
        MsgBox(me, "Socket error occurred in Cleanup.", vbOKOnly);
}

std::string LocalHostName(Form1& me)
{
    std::array<char, kBufferLength> buffer {};
    if (!StartSockets(me))
        return {};
    if (gethostname(me, buffer.data(), kBufferLength) == -1) {
        MsgBox(me,
            "Windows Sockets error " + std::to_string(WSAGetLastError(me))
                + " has occurred. Unable to successfully get Host Name.",
            vbOKOnly);
        StopSockets(me);
        return {};
    }
    // The name ends at its NUL; a buffer filled to the brim without one is taken whole, never
    // read past.
    std::string name(buffer.data(), strnlen(buffer.data(), buffer.size()));
    StopSockets(me);
    return name;
}

} // namespace gd
