#include "fake_platform.h"

#include "window/control.h"

#include <algorithm>
#include <cstring>

namespace gd {

std::int32_t FakePlatform::GetWindowLongA(std::int32_t)
{
    calls.push_back("GetWindowLongA");
    return exStyle;
}

std::int32_t FakePlatform::SetWindowLongA(std::int32_t, std::int32_t style)
{
    calls.push_back("SetWindowLongA");
    std::int32_t old = exStyle;
    exStyle = style;
    return old;
}

std::int32_t FakePlatform::SetLayeredWindowAttributes(std::uint32_t, std::uint8_t bAlpha,
    std::int32_t)
{
    calls.push_back("SetLayeredWindowAttributes");
    alphas.push_back(bAlpha);
    return 1;
}

void FakePlatform::setWindowState(int state)
{
    calls.push_back("setWindowState");
    windowStates.push_back(state);
}

int FakePlatform::MsgBox(const std::string& prompt, int flags, const std::string& title)
{
    calls.push_back("MsgBox");
    messages.push_back({ prompt, flags, title });
    if (whileMessageShows)
        whileMessageShows();
    if (answers.empty())
        return (flags & vbYesNo) ? defaultAnswer : 1;
    int answer = answers.front();
    answers.pop_front();
    return answer;
}

void FakePlatform::End(int exitStatus)
{
    calls.push_back("End");
    endedWith = exitStatus;
}

int FakePlatform::WSAStartup(std::uint16_t, WSAData& data)
{
    calls.push_back("WSAStartup");
    data = startupData;
    return startupResult;
}

int FakePlatform::gethostname(char* name, int namelen)
{
    calls.push_back("gethostname");
    if (hostNameResult != 0)
        return hostNameResult;
    if (hostBuffer) {
        std::memcpy(name, hostBuffer->data(), std::min<std::size_t>(hostBuffer->size(), namelen));
        return 0;
    }
    std::snprintf(name, namelen, "%s", hostName.c_str());
    return 0;
}

int FakePlatform::WSAGetLastError()
{
    calls.push_back("WSAGetLastError");
    return lastError;
}

int FakePlatform::WSACleanup()
{
    calls.push_back("WSACleanup");
    return cleanupResult;
}

std::optional<std::uint64_t> FakePlatform::availablePhysicalMemory()
{
    calls.push_back("availablePhysicalMemory");
    return memory;
}

HDC FakePlatform::hDC(Control& pictureBox)
{
    HDC handle = 1000 + pictureBox.index();
    surfaces[handle] = std::string(pictureBox.name());
    return handle;
}

void FakePlatform::Cls(Control& pictureBox) { calls.push_back("Cls " + std::string(pictureBox.name())); }

void FakePlatform::Refresh(Control& pictureBox)
{
    calls.push_back("Refresh " + std::string(pictureBox.name()));
}

std::int32_t FakePlatform::StretchBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src,
    int xSrc, int ySrc, int nSrcWidth, int nSrcHeight, std::int32_t dwRop)
{
    calls.push_back("StretchBlt");
    blits.push_back({ "StretchBlt", dest, x, y, nWidth, nHeight, src, xSrc, ySrc, nSrcWidth,
        nSrcHeight, dwRop });
    return 1;
}

std::int32_t FakePlatform::BitBlt(HDC dest, int x, int y, int nWidth, int nHeight, HDC src,
    int xSrc, int ySrc, std::int32_t dwRop)
{
    calls.push_back("BitBlt");
    blits.push_back({ "BitBlt", dest, x, y, nWidth, nHeight, src, xSrc, ySrc, nWidth, nHeight, dwRop });
    return 1;
}

int FakePlatform::count(const std::string& call) const
{
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

} // namespace gd
