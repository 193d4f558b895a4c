#include "fake_platform.h"

#include "model/control.h"

#include <algorithm>

namespace gd {

class FakePlatform::FakeSurface : public Surface {
public:
    FakeSurface(FakePlatform& platform, std::string name)
        : m_platform(platform)
        , m_name(std::move(name))
    {
    }
    void clear() override { m_platform.record("clear " + m_name); }
    void refresh() override { m_platform.record("refresh " + m_name); }
    bool draw(const Surface& source, PixelRect from, PixelRect to) override
    {
        const auto& src = static_cast<const FakeSurface&>(source);
        m_platform.record("draw " + m_name);
        if (m_platform.m_recording)
            m_platform.blits.push_back({ m_name, src.m_name, from, to });
        return !m_platform.fails(Call::Draw);
    }

private:
    FakePlatform& m_platform;
    std::string m_name;
};

FakePlatform::FakePlatform(bool recording)
    : m_recording(recording)
{
}

FakePlatform::~FakePlatform() = default;

bool FakePlatform::setWindowOpacity(std::uint8_t alpha)
{
    record("setWindowOpacity");
    if (m_recording)
        alphas.push_back(alpha);
    return !fails(Call::WindowOpacity);
}

void FakePlatform::minimiseWindow() { record("minimiseWindow"); }

ScreenMetrics FakePlatform::screen()
{
    record("screen");
    return fails(Call::Screen) ? ScreenMetrics {} : screenMetrics;
}

int FakePlatform::messageBox(std::string_view prompt, int flags, std::string_view title)
{
    record("messageBox");
    messages.push_back({ std::string(prompt), flags, std::string(title) });
    if (whileMessageShows)
        whileMessageShows();
    if (fails(Call::MessageBox))
        return 0;
    if (answers.empty())
        return (flags & vbYesNo) ? defaultAnswer : vbOK;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePlatform::endProgram(int exitStatus)
{
    record("endProgram");
    endedWith = exitStatus;
}

NetworkLibrary FakePlatform::startNetwork()
{
    record("startNetwork");
    if (fails(Call::StartNetwork))
        return { 10091, 0, 0 };
    return network;
}

int FakePlatform::hostName(std::string& name)
{
    record("hostName");
    if (fails(Call::HostName))
        return hostError;
    name = host;
    return 0;
}

int FakePlatform::stopNetwork()
{
    record("stopNetwork");
    return fails(Call::StopNetwork) ? stopError : 0;
}

std::optional<std::uint64_t> FakePlatform::availableMemory()
{
    record("availableMemory");
    if (fails(Call::AvailableMemory))
        return std::nullopt;
    return memory;
}

Surface* FakePlatform::surface(const Control& pictureBox)
{
    if (fails(Call::Surface))
        return nullptr;
    auto& s = m_surfaces[pictureBox.index()];
    if (!s)
        s = std::make_unique<FakeSurface>(*this, std::string(pictureBox.name()));
    return s.get();
}

int FakePlatform::count(const std::string& call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

} // namespace gd
