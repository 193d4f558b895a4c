// The Windows program as app/win_main.cpp builds it, with its own message loop, and the few
// probes the harness (bench/run_bench_windows.py) needs and the program has no business carrying:
//
//   glimmerdeck_probe.exe [--text-animation] [--panel-at-ms N] [--quit-after-ms N]
//
// It always says, on stderr (bench/win32/report.h):
//   main-ns          as WinMain begins
//   window-built-ns  once the window and the views of its first frame are made
//   shown-ns         once start() has returned: load handler run, window shown
//   first-paint-ns   once the window's first WM_PAINT has been handled
// With --text-animation it clicks "Show Glimmerdeck" N ms after the window is made (default 2500,
// after the fade-in, as a person would), waits until the menu's slide has ended, clicks "Text
// Animation", and says "menu-open-ns" and "panel-open-ns"; if the panel did not open, it says so
// and ends with status 3. --quit-after-ms ends it with status 0 after N ms.

#include "report.h"

#include "model/form.h"
#include "win32/application.h"
#include "win32/form_window.h"

#include <windows.h>

#include <commctrl.h>

namespace {

gd::Application* program = nullptr;
bool textAnimation = false;
bool panelOpen = false;
UINT_PTR slideWatch = 0;

LRESULT CALLBACK firstPaint(
    HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR)
{
    const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
    if (message == WM_PAINT) {
        bench::report("first-paint-ns");
        RemoveWindowSubclass(hwnd, firstPaint, id);
    }
    return result;
}

void fail(const char* why)
{
    bench::say("probe: ");
    bench::say(why);
    bench::say("\n");
    PostQuitMessage(3);
}

// A click as the user's would reach the window: only on a button that can be seen and pressed.
bool click(gd::ControlId id)
{
    const gd::Control& button = program->form()[id];
    if (!button.isShown() || !button.enabled())
        return false;
    program->window().click(id);
    return true;
}

// The slide has ended when its timer stops and "Hide Glimmerdeck" can be pressed again.
void CALLBACK watchSlide(HWND, UINT, UINT_PTR, DWORD)
{
    gd::Form1& form = program->form();
    if (form.Timer6.enabled() || !form.Command7.enabled())
        return;
    KillTimer(nullptr, slideWatch);
    bench::report("menu-open-ns");
    if (!click(gd::ControlId::Command13))
        return fail("Command13 cannot be clicked");
    if (!form.Picture16.visible())
        return fail("Picture16 did not open");
    panelOpen = true;
    bench::report("panel-open-ns");
}

void CALLBACK openMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    KillTimer(nullptr, id);
    if (!click(gd::ControlId::Command7))
        return fail("Command7 cannot be clicked");
    slideWatch = SetTimer(nullptr, 0, 10, watchSlide);
}

void CALLBACK quit(HWND, UINT, UINT_PTR, DWORD)
{
    if (textAnimation && !panelOpen)
        return fail("Picture16 was not open when the run ended");
    PostQuitMessage(0);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    bench::report("main-ns");
    textAnimation = bench::flag("--text-animation");
    const int panelAtMs = bench::option("--panel-at-ms", 2500);
    const int quitAfterMs = bench::option("--quit-after-ms", -1);

    gd::Application glimmerdeck;
    program = &glimmerdeck;
    if (!glimmerdeck.hasWindow())
        return 2;
    bench::report("window-built-ns");
    SetWindowSubclass(glimmerdeck.window().hwnd(), firstPaint, 1, 0);
    if (textAnimation)
        SetTimer(nullptr, 0, static_cast<UINT>(panelAtMs), openMenu);
    if (quitAfterMs >= 0)
        SetTimer(nullptr, 0, static_cast<UINT>(quitAfterMs), quit);

    glimmerdeck.start();
    bench::report("shown-ns");
    if (glimmerdeck.form().ended())
        return glimmerdeck.platform().exitStatus();
    return glimmerdeck.run();
}
