#include "sysinfo/module1.h"

#include "platform/platform.h"
#include "window/form.h"

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
    Platform& platform = me.platform();
    WSAData data;
    if (platform.WSAStartup(kVersionRequired, data) != 0) {
        platform.MsgBox("The 32-bit Windows Socket is not responding.", vbOKOnly, "");
        return false;
    }
    if (data.iMaxSockets < kMinSockets) {
        platform.MsgBox("This application requires a minimum of " + std::to_string(kMinSockets)
                + " supported sockets.",
            vbOKOnly, "");
        return false;
    }
    std::int32_t major = LowByteOf(data.wVersion);
    std::int32_t minor = HighByteOf(static_cast<std::int16_t>(data.wVersion));
    if (major < 1 || (major == 1 && minor < 1)) {
        platform.MsgBox("Sockets version " + std::to_string(major) + "." + std::to_string(minor)
                + " is not supported by 32-bit Windows Sockets.",
            vbOKOnly, "");
        return false;
    }
    return true;
}

void StopSockets(Form1& me)
{
    Platform& platform = me.platform();
    if (platform.WSACleanup() != 0)
        platform.MsgBox("Socket error occurred in Cleanup.", vbOKOnly, "");
}

std::string LocalHostName(Form1& me)
{
    std::array<char, kBufferLength> buffer {};
    if (!StartSockets(me))
        return {};
    Platform& platform = me.platform();
    if (platform.gethostname(buffer.data(), kBufferLength) == -1) {
        platform.MsgBox("Windows Sockets error " + std::to_string(platform.WSAGetLastError())
                + " has occurred. Unable to successfully get Host Name.",
            vbOKOnly, "");
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
