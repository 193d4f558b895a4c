// The reference for the Windows program's figures: a frameless 817 x 586 window with a task-bar
// button, as the program's, showing one line of text in the system's message font. It is the
// floor for any Win32 window with words in it, as bare_window --label is on Linux.
//
//   bare_window.exe [--quit-after-ms N] [--no-window]
//
// It says "main-ns <time>" as WinMain begins and "first-paint-ns <time>" once its first WM_PAINT
// is done (bench/win32/report.h), and quits with status 0 after N ms when asked to.
//
// With --no-window it makes no window and only holds the desktop open until it quits. Under Wine
// the desktop is a process of its own (explorer.exe), started by the first program that asks for
// the desktop and ended a second after the last one has gone; the harness keeps it running, as a
// Windows desktop's shell always is, so that no program's start pays for starting it.

#include "report.h"

#include <windows.h>

namespace {

constexpr int kWidth = 817;
constexpr int kHeight = 586;
constexpr wchar_t kText[] = L"Glimmerdeck";

HFONT font = nullptr;
bool painted = false;

LRESULT CALLBACK procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        FillRect(dc, &ps.rcPaint, GetSysColorBrush(COLOR_BTNFACE));
        const HGDIOBJ before = SelectObject(dc, font);
        SetBkMode(dc, TRANSPARENT);
        TextOutW(dc, 16, 16, kText, static_cast<int>(wcslen(kText)));
        SelectObject(dc, before);
        EndPaint(hwnd, &ps);
        if (!painted) {
            painted = true;
            bench::report("first-paint-ns");
        }
        return 0;
    }
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void CALLBACK quit(HWND, UINT, UINT_PTR, DWORD) { PostQuitMessage(0); }

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    bench::report("main-ns");
    const int quitAfterMs = bench::option("--quit-after-ms", -1);
    if (quitAfterMs >= 0)
        SetTimer(nullptr, 0, static_cast<UINT>(quitAfterMs), quit);
    if (bench::flag("--no-window")) {
        if (!GetDesktopWindow())
            return 2;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0)
            DispatchMessageW(&message);
        return 0;
    }

    NONCLIENTMETRICSW metrics {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    font = CreateFontIndirectW(&metrics.lfMessageFont);

    WNDCLASSEXW windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    windowClass.lpszClassName = L"BareWindow";
    if (!RegisterClassExW(&windowClass))
        return 2;

    // As the program's window: a popup without a frame, centred on the work area, with the system
    // menu and the minimise box its task-bar button needs.
    RECT area { 0, 0, kWidth, kHeight };
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    const HWND hwnd = CreateWindowExW(WS_EX_APPWINDOW, windowClass.lpszClassName, L"Bare window",
        WS_POPUP | WS_SYSMENU | WS_MINIMIZEBOX, area.left + (area.right - area.left - kWidth) / 2,
        area.top + (area.bottom - area.top - kHeight) / 2, kWidth, kHeight, nullptr, nullptr,
        instance, nullptr);
    if (!hwnd)
        return 2; // no desktop to show it on (under Wine, no X display)
    ShowWindow(hwnd, SW_SHOWDEFAULT);
    UpdateWindow(hwnd);

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DeleteObject(font);
    return message.message == WM_QUIT ? static_cast<int>(message.wParam) : 1;
}
