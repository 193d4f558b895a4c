#pragma once

// The available physical memory as Linux reports it: the kernel's MemAvailable line in
// /proc/meminfo, or sysinfo(2) where that file is hidden or has no such line.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace gd {

// MemAvailable from the text of /proc/meminfo, in bytes; nothing when the line is not there or
// its figure does not fit.
std::optional<std::uint64_t> parseMemAvailable(std::string_view meminfo);

// The fallback figure from sysinfo(2): free plus buffer memory, in bytes; nothing when the call
// fails or the product does not fit.
std::optional<std::uint64_t> sysinfoAvailable();
std::optional<std::uint64_t> sysinfoAvailable(
    std::uint64_t freeram, std::uint64_t bufferram, std::uint32_t memUnit);

// Reads the figure on demand. The file is opened on the first read and kept open.
class AvailableMemory {
public:
    explicit AvailableMemory(std::string meminfo = "/proc/meminfo");
    ~AvailableMemory();
    AvailableMemory(const AvailableMemory&) = delete;
    AvailableMemory& operator=(const AvailableMemory&) = delete;

    std::optional<std::uint64_t> read();

private:
    std::string m_path;
    int m_file = -1;
};

} // namespace gd
