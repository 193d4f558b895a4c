#pragma once

// The window: a frameless top-level window with a task-bar button, the form's size and colour,
// centred on the screen's work area. It shows the form alone for now; the controls' views come
// on top of it.

#include "model/form.h"
#include "win32/base_window.h"
#include "win32/conversions.h"
#include "win32/handles.h"

namespace gd {

class FormWindow : public BaseWindow<FormWindow> {
public:
    // `scale` converts the model's twips to this screen's pixels. The window is made hidden;
    // hwnd() is nullptr when it could not be made.
    FormWindow(Form1& form, Scale scale);

    Form1& form() { return m_form; }

    // Runs the load handler, centres the window and shows it.
    void start();
    // Stops every timer at once; used when the program ends.
    void stopTimers();
    // A picture box's drawing surface; nullptr until the picture boxes have views.
    Surface* surface(const Control&) { return nullptr; }

    static const wchar_t* className() { return L"GlimmerdeckForm"; }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void paint();

    Form1& m_form;
    Scale m_scale;
    GdiObject<HBRUSH> m_background;
};

} // namespace gd
