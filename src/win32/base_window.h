#pragma once

// One C++ object per window. The window procedure finds the object a window belongs to in the
// window's user data, stored there when the window is first told it exists (WM_NCCREATE, from
// the creation's last argument), and hands every message to that object's handleMessage.
//
// Derived provides
//     static const wchar_t* className();
//     LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
// (either public, or with BaseWindow a friend) and calls create() from its constructor.

#include <windows.h>

namespace gd {

template <class Derived> class BaseWindow {
public:
    BaseWindow(const BaseWindow&) = delete;
    BaseWindow& operator=(const BaseWindow&) = delete;

    HWND hwnd() const { return m_hwnd; }

protected:
    BaseWindow() = default;
    // Derived is gone by now: the window's last messages go to the default procedure.
    ~BaseWindow()
    {
        if (m_hwnd) {
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
            DestroyWindow(m_hwnd);
        }
    }

    // Registers the window class on first use, from `windowClass` (its procedure, instance and
    // name are filled in here), and creates the window. False when either fails.
    bool create(WNDCLASSEXW windowClass, DWORD exStyle, DWORD style, const wchar_t* caption,
        RECT frame, HWND parent = nullptr)
    {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = windowProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = Derived::className();
        WNDCLASSEXW registered {};
        if (!GetClassInfoExW(instance, windowClass.lpszClassName, &registered)
            && !RegisterClassExW(&windowClass))
            return false;
        return CreateWindowExW(exStyle, windowClass.lpszClassName, caption, style, frame.left,
                   frame.top, frame.right - frame.left, frame.bottom - frame.top, parent, nullptr,
                   instance, static_cast<Derived*>(this))
            != nullptr;
    }

    // What Derived does not handle itself.
    LRESULT defaultHandling(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefWindowProcW(m_hwnd, message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        Derived* self = nullptr;
        if (message == WM_NCCREATE) {
            self = static_cast<Derived*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            self->m_hwnd = hwnd;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        } else {
            self = reinterpret_cast<Derived*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
        }
        if (!self) // messages before WM_NCCREATE
            return DefWindowProcW(hwnd, message, wParam, lParam);
        if (message == WM_NCDESTROY) { // the last message: the object no longer has a window
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            self->m_hwnd = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
        return self->handleMessage(message, wParam, lParam);
    }

    HWND m_hwnd = nullptr;
};

} // namespace gd
