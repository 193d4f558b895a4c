#pragma once

// The window on Windows: a frameless top-level window with a task-bar button, and the system's
// side of the core (core/window_core.h), which decides what the window does. It makes one view
// per control (win32/views.h), takes the mouse and the keys to the core, keeps the keyboard focus
// in the core's order, shows focus frames through the system's own mechanism once the keyboard is
// used (WM_CHANGEUISTATE), and wakes the core's scheduler with one timer. Every click comes
// through one door, click().

#include "core/window_core.h"
#include "model/form.h"
#include "win32/base_window.h"
#include "win32/fonts.h"
#include "win32/views.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace gd {

class FormWindow : public BaseWindow<FormWindow>,
                   public Container,
                   private WindowLayer,
                   private Alarm {
public:
    // `scale` converts the model's twips to this screen's pixels, which have `dpi` dots per inch.
    // The window is made hidden; hwnd() is nullptr when it could not be made.
    FormWindow(Form1& form, Scale scale, int dpi);
    ~FormWindow() override;

    WindowCore& core() { return m_core; }
    // Told when what the platform reads of the system may have changed: the desktop's settings,
    // the screens, the screen the window is on or its density.
    void onSystemChanged(std::function<void()> changed) { m_systemChanged = std::move(changed); }
    const Scale& scale() const { return m_scale; }
    int dpi() const { return m_dpi; }
    // What the pictures are drawn at where they are not stretched: the screen's scale.
    double pictureScale() const { return m_dpi / 96.0; }
    Fonts& fonts() { return m_fonts; }
    PaintBuffer& paintBuffer() { return m_paintBuffer; }

    // Starts the enabled timers, runs the load handler, centres the window and shows it.
    void start();
    // Stops every timer at once; used when the program ends.
    void stopTimers();

    // A control's view if it is built, else nullptr; the view of one of the system's controls by
    // its window.
    View* viewOf(const Control& control) const { return m_views[control.index()].get(); }
    View* viewOf(HWND window) const;
    // A picture box's drawing surface; nullptr for any other control, and until it is built.
    Surface* surface(const Control& control) const;

    // The one door for clicks: the mouse on a button, a label, an image or a picture box, the
    // space bar on the control with the focus.
    void click(ControlId control);
    // A screen reader's press, run from the event loop as a mouse click is: the request that
    // pressed is answered first.
    void clickLater(ControlId control);
    // The keyboard focus put on a control from outside (a screen reader's selection).
    void focusControl(Control& control) { setFocus(control, false); }
    Control* windowlessFocus() const { return m_windowlessFocus; }
    // The mouse moved to `at` in `client`'s client area, over `under` (nullptr: the bare form).
    void mouseMoved(HWND client, POINT at, Control* under, WPARAM keys);
    // A mouse press anywhere in the window: focus frames go.
    void mousePressed();
    // Keys before the message loop hands them on: Tab and Shift+Tab move the focus in the core's
    // order. True when the key was taken here.
    bool keyPressed(const MSG& message);
    // Whether focus frames show; whether a windowless control (a frame label) shows that it has
    // the focus.
    bool focusCuesShown() const { return m_cuesShown; }
    bool showsFocusOn(const Control& control) const;

    HWND clientWindow() const override { return hwnd(); }
    static const wchar_t* className() { return L"GlimmerdeckForm"; }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    // The core's toolkit side.
    void build(const std::vector<Control*>& part) override;
    void apply(Control& control, Prop prop) override;
    PixelRect placement(const Control& control) override;
    PixelSize clientSize(const Control* container) override;
    void buildSoon() override;
    Control* focus() override;
    void setFocus(Control& control, bool byTab) override;
    void clearFocus() override;
    void viewChanged(Control&, bool) override { }
    bool screenReaderListens() override;
    void announce(std::string_view) override { }
    void presentAnew(Control&) override { }
    // The scheduler's alarm.
    void set(int ms) override;
    void cancel() override;

    void paint();
    void rescale(int dpi, const RECT& suggested);
    void showFocusCues(bool shown);
    void cuesChanged(bool shown);
    void focusWindowless(Control* control);
    void seen();

    Form1& m_form;
    Scale m_scale;
    int m_dpi;
    Fonts m_fonts;
    PaintBuffer m_paintBuffer;
    std::vector<std::unique_ptr<View>> m_views; // by control index
    std::unordered_map<HWND, View*> m_byWindow;
    Control* m_windowlessFocus = nullptr; // a frame label with the focus, which the form holds
    HWND m_focusBeforeLeaving = nullptr;
    bool m_cuesShown = false; // the window's UI state: focus frames show
    std::function<void()> m_systemChanged;
    bool m_started = false;
    WindowCore m_core;
};

} // namespace gd
