#pragma once

// One view per control on Windows. The windowed kinds are child windows of their container:
// picture boxes (windows of this layer's own, a border drawn around a client area that clips what
// they hold, and a drawing surface: picture_box.cpp), push buttons and the listings' edit boxes
// (the system's own controls: system_controls.cpp). Labels, images, the shape and the lines have
// no window (windowless.cpp): the container they lie on (container.cpp) draws them in stacking
// order and finds them under the mouse, as windowless controls are.

#include "core/scale.h"
#include "model/control.h"
#include "model/platform.h"
#include "win32/base_window.h"
#include "win32/fonts.h"
#include "win32/handles.h"
#include "win32/pictures.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace gd {

class Container;
class FormWindow;
class View;

// The view of a control of any kind but a timer (nullptr), on `container`.
View* makeView(Control& control, Container& container);

class View {
public:
    View(Control& control, Container& container);
    virtual ~View() = default;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Control& control() const { return m_control; }
    Container& container() const { return m_container; }
    // Where it lies in its container's client area, in pixels.
    PixelRect rect() const { return m_rect; }

    // Shows a change of one property of the control.
    virtual void apply(Prop prop);

    // What each kind has, nullptr (false) where it has none.
    // The window of a windowed control.
    virtual HWND hwnd() const { return nullptr; }
    // A picture box: where the controls inside it lie, and its drawing surface.
    virtual Container* asContainer() { return nullptr; }
    virtual Surface* surface() { return nullptr; }
    // A windowless control: drawn by its container, and whether it takes the mouse over its
    // rectangle (labels and images do, the shape and the lines do not).
    virtual void paint(HDC) { }
    virtual bool takesMouse() const { return false; }
    // A message the system's control sent its container about itself (WM_COMMAND, WM_DRAWITEM,
    // WM_CTLCOLORSTATIC, ...): handled here when `handled` comes back true.
    virtual LRESULT reflected(UINT, WPARAM, LPARAM, bool& handled)
    {
        handled = false;
        return 0;
    }

protected:
    FormWindow& window() const;
    const Scale& scale() const;
    const Typeface& typeface() const;
    // The rectangle the model gives the control, at the window's scale.
    PixelRect modelRect() const;
    // Windowless: the container repaints where the control was and where it is.
    void repaint(const PixelRect& area) const;

    Control& m_control;
    Container& m_container;
    PixelRect m_rect;
};

// A window that holds controls: the form, or a picture box's client area. It keeps its views in
// the description's order, front to back, draws the windowless ones back to front and finds the
// front-most one under the mouse, and gives the system's controls on it their messages back.
class Container {
public:
    // `self` is the picture box, nullptr for the form.
    Container(FormWindow& window, Control* self)
        : m_window(window)
        , m_self(self)
    {
    }
    virtual ~Container() = default;

    FormWindow& window() const { return m_window; }
    Control* self() const { return m_self; }
    virtual HWND clientWindow() const = 0;
    PixelSize clientSize() const;

    void adopt(View& view);
    const std::vector<View*>& views() const { return m_views; }

    void invalidate(const PixelRect& area) const;
    // Answers WM_PAINT, off the screen first so that nothing flickers: `background` draws what lies
    // under the windowless views in the area to paint (client coordinates), then they are drawn
    // on it, back to front.
    void paintClient(const std::function<void(HDC, const RECT&)>& background) const;
    // The client area's mouse and the messages of the system's controls; true when handled.
    bool containerMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

private:
    void paintViews(HDC dc, const RECT& area) const;
    View* windowlessAt(POINT at) const;
    Control* under(POINT at) const;

    FormWindow& m_window;
    Control* m_self;
    std::vector<View*> m_views;
    Control* m_pressed = nullptr; // where the last press in the client area landed
};

// The off-screen bitmap that a window's containers paint into before it is shown, one for them
// all: made once, as the ticker repaints 64 times a second, and grown to the largest client area
// asked for (the form's), where one a container would hold a window's worth of pixels each.
class PaintBuffer {
public:
    // A device context on a bitmap at least `size`; nullptr when the system cannot make one.
    HDC atLeast(PixelSize size);

private:
    Bitmap m_bitmap;
    MemoryDC m_dc;
};

// A picture box: a child window with its border outside its client area (where mouse moves raise
// nothing), and its drawing surface (hDC): a bitmap at the box's outer size holding its
// background and picture, made on first use. What is drawn on it stays until the next Cls, so
// drawn frames survive repaints.
class PictureBoxView : public View,
                       public Container,
                       public Surface,
                       public BaseWindow<PictureBoxView> {
public:
    PictureBoxView(Control& control, Container& container);

    void apply(Prop prop) override;
    HWND hwnd() const override { return BaseWindow::hwnd(); }
    Container* asContainer() override { return this; }
    Surface* surface() override { return this; }
    HWND clientWindow() const override { return BaseWindow::hwnd(); }

    void clear() override;
    void refresh() override;
    bool draw(const Surface& source, PixelRect from, PixelRect to) override;

    static const wchar_t* className() { return L"GlimmerdeckPictureBox"; }
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    int borderWidth() const;
    HDC surfaceDC();
    void paint();
    void drawBackground(HDC dc, const RECT& area) const;
    void paintBorder();

    Picture m_picture;
    Bitmap m_surface;
    MemoryDC m_surfaceDC; // holds m_surface once it is made
};

// A control that is one of the system's own windows, made with its class, style and extended
// style at the control's place, and destroyed with its view.
class SystemControlView : public View {
public:
    SystemControlView(Control& control, Container& container, const wchar_t* windowClass,
        DWORD style, DWORD exStyle = 0);
    ~SystemControlView() override;
    HWND hwnd() const override { return m_hwnd; }

protected:
    HWND m_hwnd = nullptr;
};

// A push button, the system's own. A graphical one draws its face in its own BackColor, flat
// until pressed; a standard one looks as the desktop's buttons do.
class ButtonView : public SystemControlView {
public:
    ButtonView(Control& control, Container& container);

    void apply(Prop prop) override;
    LRESULT reflected(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    void showCaption();
    void drawFace(const DRAWITEMSTRUCT& item);

    std::vector<std::string> m_lines; // the caption as shown: wrapped
    GdiObject<HBRUSH> m_face;
};

// A listing: the system's multi-line edit box, read-only, with the scroll bars the description
// gives it; its text can be selected and copied.
class TextBoxView : public SystemControlView {
public:
    TextBoxView(Control& control, Container& container);

    void apply(Prop prop) override;
    LRESULT reflected(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    static LRESULT CALLBACK named(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR self);

    GdiObject<HBRUSH> m_back;
};

class LabelView : public View {
public:
    using View::View;
    void apply(Prop prop) override;
    void paint(HDC dc) override;
    bool takesMouse() const override { return true; }

private:
    std::vector<std::string> m_lines; // the caption wrapped; worked out again after a change
    bool m_laidOut = false;
};

class ImageView : public View {
public:
    ImageView(Control& control, Container& container);
    void apply(Prop prop) override;
    void paint(HDC dc) override;
    bool takesMouse() const override { return true; }

private:
    Picture m_picture;
    Bitmap m_scaled; // a stretched picture at the control's size
    HWND m_tips = nullptr;
};

class ShapeView : public View {
public:
    using View::View;
    void paint(HDC dc) override;
};

class LineView : public View {
public:
    using View::View;
    void apply(Prop prop) override;
    void paint(HDC dc) override;

private:
    PixelPoint m_from, m_to; // inside m_rect
};

} // namespace gd
