#pragma once

// A platform for tests: records every call, answers from a script, and fails any call on
// request, the way that call says it can fail. Nothing in it touches a display, a socket or the
// clock.

#include "model/platform.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace gd {

class FakePlatform : public Platform {
public:
    // Every call of the platform and of its surfaces, by name.
    enum class Call {
        WindowOpacity,
        Minimise,
        Screen,
        MessageBox,
        EndProgram,
        StartNetwork,
        HostName,
        StopNetwork,
        AvailableMemory,
        Surface,
        Draw,
    };

    struct Message {
        std::string prompt;
        int flags;
        std::string title;
    };
    // One draw onto a surface: which boxes, and the rectangles in pixels.
    struct Blit {
        std::string dest;
        std::string src;
        PixelRect from;
        PixelRect to;
    };

    // A fake that does not record serves benchmarks, where a growing log would be measured too.
    explicit FakePlatform(bool recording = true);
    ~FakePlatform() override;

    // --- what the fake answers ---
    std::set<Call> failing; // these calls fail, each the way its contract says
    ScreenMetrics screenMetrics { 1280 * 15.0, 1024 * 15.0, 15, 15 };
    std::deque<int> answers; // message box answers, in order; vbNo (or OK) once empty
    int defaultAnswer = vbNo;
    // Runs while a message is up, as the events a real message box's own event loop delivers.
    std::function<void()> whileMessageShows;
    NetworkLibrary network { 0, 0x0101, 100 };
    std::string host = "box7";
    int hostError = 10093; // when HostName fails
    int stopError = 10093; // when StopNetwork fails
    std::uint64_t memory = 1'073'741'824;
    bool reduceMotion = false; // what the desktop wishes; a test may change it between events

    // --- what it saw ---
    std::vector<Message> messages;
    std::vector<int> alphas; // every opacity asked for, also when it failed
    std::vector<Blit> blits;
    std::vector<std::string> calls; // every call by name, in order ("draw Picture12", ...)
    std::optional<int> endedWith;

    bool setWindowOpacity(std::uint8_t alpha) override;
    void minimiseWindow() override;
    ScreenMetrics screen() override;
    bool motionReduced() override { return reduceMotion; }
    int messageBox(std::string_view prompt, int flags, std::string_view title) override;
    void endProgram(int exitStatus) override;
    NetworkLibrary startNetwork() override;
    int hostName(std::string& name) override;
    int stopNetwork() override;
    std::optional<std::uint64_t> availableMemory() override;
    Surface* surface(const Control& pictureBox) override;

    int count(const std::string& call) const;
    bool fails(Call call) const { return failing.count(call) != 0; }
    void record(std::string call)
    {
        if (m_recording)
            calls.push_back(std::move(call));
    }

private:
    class FakeSurface;
    bool m_recording;
    std::map<std::size_t, std::unique_ptr<FakeSurface>> m_surfaces; // by control index
};

} // namespace gd
