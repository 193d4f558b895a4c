// Linux's memory figure, which the memory readout shows: MemAvailable read from odd
// /proc/meminfo texts, and sysinfo(2)'s figure where the file is hidden or has none. (Linux only:
// the Windows program asks GlobalMemoryStatus.)

#include "system/memory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

using namespace gd;

namespace {

// A file of the test's own, in the system's folder for such files; removed again at the end.
struct TemporaryFile {
    const std::filesystem::path path = std::filesystem::temp_directory_path()
        / ("glimmerdeck-test-" + std::to_string(std::random_device()()));
    ~TemporaryFile()
    {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
    }
};

} // namespace

// The figure from the text, and from a file holding it; where the file has none, sysinfo(2)
// answers instead.
TEST(Memory, MemoryFigureFromMeminfo)
{
    const std::string head = "MemTotal:       32768000 kB\nMemFree:         1000000 kB\n";
    const struct {
        const char* name;
        std::string text;
        bool ok;
        std::uint64_t bytes;
    } rows[] = {
        { "as the kernel writes it", head + "MemAvailable:   24000000 kB\nBuffers:  12 kB\n", true,
            24'576'000'000ull },
        { "first line", "MemAvailable: 7 kB\n", true, 7168ull },
        { "after an empty line", "\nMemAvailable: 7 kB\n", true, 7168ull },
        { "last line, no newline", head + "MemAvailable: 3", true, 3072ull },
        { "old kernel without it", head, false, 0ull },
        { "inside another name", "XMemAvailable: 5 kB\n", false, 0ull },
        { "after a name that ends in it", "XMemAvailable: 5 kB\nMemAvailable: 7 kB\n", true,
            7168ull },
        { "after a name that starts with it", "MemAvailableSoon: 5 kB\nMemAvailable: 7 kB\n", true,
            7168ull },
        { "no number", head + "MemAvailable:  kB\n", false, 0ull },
        { "past 32 bits of kibibytes", "MemAvailable: 5000000000 kB\n", true,
            5'120'000'000'000ull },
        { "largest that fits", "MemAvailable: 18014398509481983 kB", true,
            18'014'398'509'481'983ull * 1024 },
        { "too large for 64 bits", "MemAvailable: 18014398509481984 kB", false, 0ull },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::optional<std::uint64_t> parsed = parseMemAvailable(row.text);
        EXPECT_EQ(parsed.has_value(), row.ok);
        EXPECT_EQ(parsed.value_or(0), row.bytes);

        const TemporaryFile file;
        ASSERT_TRUE(std::ofstream(file.path, std::ios::binary) << row.text) << file.path;
        AvailableMemory memory(file.path.string());
        for (int read = 0; read < 2; ++read) // from the one open file
            if (row.ok)
                EXPECT_EQ(memory.read().value_or(0), row.bytes);
            else
                EXPECT_GT(memory.read().value_or(0), 0u);
    }
}

TEST(Memory, MemoryFigureWithoutMeminfo)
{
    using Figure = std::optional<std::uint64_t>;
    // Where /proc/meminfo is hidden: free plus buffers, in the call's memory units.
    EXPECT_EQ(sysinfoAvailable(1000, 24, 1), Figure(1024));
    EXPECT_EQ(sysinfoAvailable(1u << 20, 0, 4096), Figure(std::uint64_t(1) << 32));
    EXPECT_EQ(sysinfoAvailable(5, 0, 0), Figure(5)); // old kernels
    EXPECT_EQ(sysinfoAvailable(~0ull / 2, 0, 4096), Figure());
    EXPECT_EQ(sysinfoAvailable(~0ull, 1, 1), Figure());
    EXPECT_GT(AvailableMemory("/nonexistent/meminfo").read().value_or(0), 0u);
    EXPECT_GT(AvailableMemory().read().value_or(0), 0u);
}
