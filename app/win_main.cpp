// The Windows program: builds the window and runs it, nothing else.

#include "win32/application.h"

#include <windows.h>

// A Windows program of this kind takes no command line: whatever it is given is ignored. How the
// window first shows (a shortcut's "Run: Minimised") the window takes from how the program was
// started (SW_SHOWDEFAULT).
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    gd::Application glimmerdeck;
    if (!glimmerdeck.hasWindow())
        return 2; // as the Linux program without a display
    glimmerdeck.start();
    if (glimmerdeck.form().ended()) // ended before the message loop ran, e.g. an error at load
        return glimmerdeck.platform().exitStatus();
    return glimmerdeck.run();
}
