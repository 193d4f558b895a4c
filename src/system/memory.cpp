#include "system/memory.h"

#include <fcntl.h>
#include <sys/sysinfo.h>
#include <unistd.h>

#include <utility>

namespace gd {

std::optional<std::uint64_t> parseMemAvailable(std::string_view meminfo)
{
    constexpr std::string_view key = "MemAvailable:";
    // The key counts only at the start of a line, not as the tail of a longer name.
    std::size_t at = meminfo.find(key);
    while (at != std::string_view::npos && at > 0 && meminfo[at - 1] != '\n')
        at = meminfo.find(key, at + 1);
    if (at == std::string_view::npos)
        return std::nullopt;
    at = meminfo.find_first_not_of(' ', at + key.size());
    std::uint64_t kib = 0;
    bool digits = false;
    constexpr std::uint64_t most = ~0ull >> 10; // kibibytes whose bytes fit in 64 bits
    for (; at < meminfo.size() && meminfo[at] >= '0' && meminfo[at] <= '9'; ++at, digits = true) {
        const std::uint64_t digit = std::uint64_t(meminfo[at] - '0');
        if (kib > (most - digit) / 10)
            return std::nullopt;
        kib = kib * 10 + digit;
    }
    if (!digits)
        return std::nullopt;
    return kib * 1024;
}

std::optional<std::uint64_t> sysinfoAvailable()
{
    struct sysinfo info { };
    if (::sysinfo(&info) != 0)
        return std::nullopt;
    return sysinfoAvailable(info.freeram, info.bufferram, info.mem_unit);
}

// sysinfo(2) has no page cache figure, so this undercounts MemAvailable by the reclaimable cache;
// it never promises memory that is not there. Buffers (block-device cache) are dropped at once
// under pressure, so they count. sharedram (tmpfs and shared memory) does not: it lives in the
// page cache and cannot be dropped, only swapped. Sizes are in units of mem_unit bytes.
std::optional<std::uint64_t> sysinfoAvailable(
    std::uint64_t freeram, std::uint64_t bufferram, std::uint32_t memUnit)
{
    std::uint64_t units = 0, bytes = 0;
    if (__builtin_add_overflow(freeram, bufferram, &units)
        || __builtin_mul_overflow(units, std::uint64_t(memUnit ? memUnit : 1), &bytes))
        return std::nullopt;
    return bytes;
}

AvailableMemory::AvailableMemory(std::string meminfo)
    : m_path(std::move(meminfo))
{
}

AvailableMemory::~AvailableMemory()
{
    if (m_file >= 0)
        ::close(m_file);
}

// The readout asks twenty times a second, so the file stays open and is read again from the
// start each time (which makes the kernel write it afresh); no opening, no allocation.
// MemAvailable is the kernel's own estimate of what can be had without swapping (free memory
// plus the page cache and slab it can reclaim). Some containers and sandboxes hide
// /proc/meminfo, and kernels before 3.14 lack the line: then sysinfo(2) answers.
std::optional<std::uint64_t> AvailableMemory::read()
{
    if (m_file < 0)
        m_file = ::open(m_path.c_str(), O_RDONLY | O_CLOEXEC);
    char text[1024]; // MemAvailable is the third line
    const ssize_t n = m_file < 0 ? -1 : ::pread(m_file, text, sizeof text, 0);
    if (n > 0)
        if (const std::optional<std::uint64_t> bytes
            = parseMemAvailable(std::string_view(text, std::size_t(n))))
            return bytes;
    return sysinfoAvailable();
}

} // namespace gd
