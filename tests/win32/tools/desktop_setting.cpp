// Changes a setting of the desktop the way the Settings app does, telling every window:
//
//   desktop_setting.exe animation on|off      "Show animations in Windows"
//
// Exits with 0 once the setting reads back as set.

#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 || std::wcscmp(argv[1], L"animation") != 0
        || (std::wcscmp(argv[2], L"on") != 0 && std::wcscmp(argv[2], L"off") != 0)) {
        std::fputs("usage: desktop_setting.exe animation on|off\n", stderr);
        return 2;
    }
    const BOOL on = std::wcscmp(argv[2], L"on") == 0;
    if (!SystemParametersInfoW(SPI_SETCLIENTAREAANIMATION, 0, reinterpret_cast<PVOID>(INT_PTR(on)),
            SPIF_UPDATEINIFILE | SPIF_SENDCHANGE)) {
        std::fputs("desktop_setting: the system refused the setting\n", stderr);
        return 1;
    }
    BOOL now = !on;
    SystemParametersInfoW(SPI_GETCLIENTAREAANIMATION, 0, &now, 0);
    return now == on ? 0 : 1;
}
