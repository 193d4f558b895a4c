#include "win32/form_window.h"

namespace gd {

namespace {

// The program's icon, resource 1 (src/CMakeLists.txt), at the size the system asks for.
HICON programIcon(int sizeMetric)
{
    const int size = GetSystemMetrics(sizeMetric);
    return static_cast<HICON>(LoadImageW(
        GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, LR_SHARED));
}

} // namespace

FormWindow::FormWindow(Form1& form, Scale scale)
    : m_form(form)
    , m_scale(scale)
    , m_background(CreateSolidBrush(toColorRef(kForm.backColor)))
{
    WNDCLASSEXW windowClass {};
    windowClass.hIcon = programIcon(SM_CXICON);
    windowClass.hIconSm = programIcon(SM_CXSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)); // IDC_ARROW
    // Frameless: the form draws its own title strip and buttons. A window without a caption still
    // has the system menu and the minimise box, for its task-bar button: a click there minimises
    // and restores it, its menu closes it.
    const DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_APPWINDOW;
    RECT frame = m_scale.rect(0, 0, kForm.clientWidth, kForm.clientHeight);
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    create(windowClass, exStyle, style, toWide(kForm.caption).c_str(), frame);
}

void FormWindow::start()
{
    if (!hwnd())
        return;
    m_form.load();
    if (m_form.ended())
        return;
    RECT area {};
    RECT frame {};
    if (SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0) && GetWindowRect(hwnd(), &frame)) {
        const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
        SetWindowPos(hwnd(), nullptr, area.left + (area.right - area.left - width) / 2,
            area.top + (area.bottom - area.top - height) / 2, 0, 0,
            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(hwnd(), SW_SHOWDEFAULT); // as the program was started: a shortcut may say minimised
    UpdateWindow(hwnd());
}

// The timers are the controls' business and start with them; until then none runs.
void FormWindow::stopTimers() { }

LRESULT FormWindow::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ERASEBKGND: return 1; // WM_PAINT fills every pixel
    case WM_PAINT: paint(); return 0;
    case WM_DESTROY:
        // Closed by the system (Alt+F4, the task bar) rather than by the program's own End: the
        // program ends as the Linux one does then, with status 0 and no question.
        if (!m_form.ended())
            PostQuitMessage(0);
        return 0;
    default: return defaultHandling(message, wParam, lParam);
    }
}

void FormWindow::paint()
{
    PAINTSTRUCT ps;
    if (HDC dc = BeginPaint(hwnd(), &ps)) {
        FillRect(dc, &ps.rcPaint, m_background.get());
        EndPaint(hwnd(), &ps);
    }
}

} // namespace gd
