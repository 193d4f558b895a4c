#pragma once

// The window in Qt: a frameless shell that shows the form, and the toolkit's side of the core
// (core/window_core.h), which decides what the window does. ViewBuilder makes one widget per
// control, InputRouter takes the mouse and the keyboard to the core, KeyboardFocus keeps Qt's
// focus in the core's order, Announcer and describeAccessibility tell a screen reader what it
// needs, and a TickTimer wakes the core's scheduler. Every click comes through one door, click().

#include "core/window_core.h"
#include "qt/accessibility.h"
#include "qt/input_router.h"
#include "qt/keyboard_focus.h"
#include "qt/view_builder.h"

#include <QAccessible>
#include <QWidget>

#include <optional>

namespace gd {

class TickTimer;

class FormWindow : public QWidget,
                   public PressTarget,
                   private WindowLayer,
                   private QAccessible::ActivationObserver {
    Q_OBJECT

public:
    // `scale` converts the model's twips to this screen's pixels; the timers run on `clock`.
    FormWindow(Form1& form, Scale scale, TickScheduler::Clock clock = TickScheduler::steadyClock());
    ~FormWindow() override;

    WindowCore& core() { return m_core; }

    // Starts the enabled timers, runs the load handler, centres the window and shows it.
    void start();
    // Stops every timer at once; used when the program ends.
    void stopTimers();

    // A control's view, built now if it was not yet; nullptr for a timer.
    ControlView* view(Control& control);
    // A control's view if it is built already, else nullptr.
    ControlView* builtView(const Control& control) const { return m_views.builtView(control); }
    QWidget* widgetFor(ControlId id);
    // A picture box's drawing surface; nullptr for any other control, and until it is built
    // (what is drawn on a surface that is not there yet is drawn again at the next tick).
    Surface* surface(const Control& control);

    // The one door for clicks. Every way a control is clicked ends here: the mouse on a button,
    // a label, an image or a picture box; the space bar on the control with the focus; a screen
    // reader's press.
    void click(ControlId control);
    void clickLater(ControlId control) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build(const std::vector<Control*>& part) override;
    void apply(Control& control, Prop prop) override;
    PixelRect placement(const Control& control) override;
    PixelSize clientSize(const Control* container) override;
    void buildSoon() override;
    Control* focus() override { return m_keyboard.focus(); }
    void setFocus(Control& control, bool byTab) override { m_keyboard.setFocus(control, byTab); }
    void clearFocus() override { m_keyboard.clearFocus(); }
    void viewChanged(Control& control, bool inView) override;
    bool screenReaderListens() override { return QAccessible::isActive(); }
    void announce(std::string_view text) override;
    void presentAnew(Control& control) override;
    void accessibilityActiveChanged(bool) override { m_core.screenReaderChanged(); }

    Form1& m_form;
    Scale m_scale;
    TickTimer* m_ticks;
    ViewBuilder m_views;
    WindowCore m_core;
    InputRouter m_input;
    KeyboardFocus m_keyboard;
    std::optional<Announcer> m_announcer; // made once the first frame's controls are built
};

} // namespace gd
