#pragma once

// What the Windows benchmark programs say to the harness (bench/run_bench_windows.py), one line
// on stderr each: "<what> <time>", the time in Unix-epoch nanoseconds from the system's precise
// wall clock. The harness notes the same clock as it starts `wine`, and subtracts: under Wine
// that clock is Linux's CLOCK_REALTIME, read at the moment it is asked for.

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace bench {

inline long long wallClockNs()
{
    FILETIME now {};
    GetSystemTimePreciseAsFileTime(&now);
    const unsigned long long ticks
        = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    constexpr unsigned long long kUnixEpoch = 116444736000000000ULL; // 1970, in 100 ns since 1601
    return static_cast<long long>(ticks - kUnixEpoch) * 100;
}

// Written straight to the standard error handle, which `wine` hands a GUI program as well: the
// line is out before the call returns.
inline void say(const char* line)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), line, static_cast<DWORD>(std::strlen(line)), &written,
        nullptr);
}

inline void report(const char* what)
{
    char line[96];
    std::snprintf(line, sizeof line, "%s %lld\n", what, wallClockNs());
    say(line);
}

// The number after `name` on the command line, or `otherwise` when it is not there.
inline int option(const char* name, int otherwise)
{
    for (int i = 1; i + 1 < __argc; ++i)
        if (std::strcmp(__argv[i], name) == 0)
            return std::atoi(__argv[i + 1]);
    return otherwise;
}

inline bool flag(const char* name)
{
    for (int i = 1; i < __argc; ++i)
        if (std::strcmp(__argv[i], name) == 0)
            return true;
    return false;
}

} // namespace bench
