#pragma once

// The window: a frameless shell that shows the form, and the wiring between the model and the
// parts that do the work. ViewBuilder makes one widget per control, InputRouter takes the mouse
// and the keyboard to the model, KeyboardFocus keeps the Tab order and the focus, Announcer and
// describeAccessibility tell a screen reader what it needs, TickScheduler paces the timers and
// Sight tells it which of them anyone can see.
// Every property change of the model reaches its view here, and every click comes through one
// door, click().

#include "model/form.h"
#include "qt/accessibility.h"
#include "qt/input_router.h"
#include "qt/keyboard_focus.h"
#include "qt/view_builder.h"

#include <QWidget>

#include <optional>

namespace gd {

class Sight;
class Sight;
class TickScheduler;

class FormWindow : public QWidget, public FormObserver, public PressTarget {
public:
    // `scale` converts the model's twips to this screen's pixels.
    FormWindow(Form1& form, Scale scale);
    ~FormWindow() override;

    Form1& form() { return m_form; }

    // Starts the enabled timers, runs the load handler, centres the window and shows it.
    void start();
    // Stops every timer at once; used when the program ends.
    void stopTimers();

    // A control's view, built now if it was not yet; nullptr for a timer.
    ControlView* view(const Control& control) { return m_views.view(control); }
    // A control's view if it is built already, else nullptr.
    ControlView* builtView(const Control& control) const { return m_views.builtView(control); }
    QWidget* widgetFor(ControlId id);
    // A picture box's drawing surface; nullptr for any other control, and until it is built
    // (what is drawn on a surface that is not there yet is drawn again at the next tick).
    Surface* surface(const Control& control) { return m_views.surface(control); }

    void controlChanged(Control& control, Prop prop) override;

    // The one door for input. Every way a control is clicked ends here: the mouse on a button,
    // a label, an image or a picture box; the space bar on the control with the focus; a screen
    // reader's press.
    void click(ControlId control);
    void clickLater(ControlId control) override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void built(const std::vector<Control*>& built);

    Form1& m_form;
    Scale m_scale;
    InputRouter m_input;
    ViewBuilder m_views;
    KeyboardFocus m_keyboard;
    std::optional<Announcer> m_announcer; // made once the first frame's controls are built
    TickScheduler* m_scheduler;
    Sight* m_sight; // which timers can be seen; the model's changes reach this window through it
};

} // namespace gd
