#pragma once

// The window layer: builds one widget per control from the model, mirrors every property change
// onto its widget, paces the timers and feeds clicks, mouse moves and ticks back to the model.
// It owns every way a control takes input, and the keyboard order: what can be seen is a Tab
// stop, what lies wholly outside its container is not.

#include "model/form.h"
#include "qt/views.h"

#include <QHash>
#include <QSet>
#include <QWidget>

#include <vector>

namespace gd {

class TickScheduler;

class FormWindow : public QWidget, public FormObserver {
public:
    // `scale` converts the model's twips to this screen's pixels.
    FormWindow(Form1& form, Scale scale);
    ~FormWindow() override;

    Form1& form() { return m_form; }
    const Scale& scale() const { return m_scale; }

    // Starts the enabled timers, runs the load handler, centres the window and shows it.
    void start();
    // Stops every timer at once; used when the program ends.
    void stopTimers();

    ControlView* view(const Control& control) { return m_views[control.index()]; }
    QWidget* widgetFor(ControlId id);
    // A picture box's drawing surface; nullptr for any other control.
    Surface* surface(const Control& control) { return m_surfaces[control.index()]; }

    void controlChanged(Control& control, Prop prop) override;

    // The one door for input. Every way a control is clicked ends here: the mouse on a button,
    // a label, an image or a picture box; the space bar on the control with the focus; a screen
    // reader's press.
    void click(ControlId control);
    // A screen reader's press, run from the event loop as a mouse click is: the exit question
    // waits in a loop of its own, and the request that pressed must be answered first.
    void clickLater(ControlId control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void build();
    void watch(QWidget* widget, Control* control);
    bool mouseEvent(Control* control, QWidget* widget, QMouseEvent* event);
    bool keyEvent(const Control& control, QKeyEvent* event);
    void makeKeyboardButton(Control& label);
    void joinTabOrder(Control& control);
    void place(QWidget* widget);
    void placeChildren(QObject* container);

    Form1& m_form;
    Scale m_scale;
    std::vector<ControlView*> m_views;       // by control index; owned by Qt's parent chain
    std::vector<PictureBoxView*> m_surfaces; // the same, for picture boxes only
    // Every widget that takes input for a control: its view, a picture box's client area, a
    // text box's viewport.
    QHash<QObject*, Control*> m_controls;
    Control* m_pressed = nullptr;
    bool m_spaceDown = false;
    QSet<QWidget*> m_outside;                  // wholly outside their container's client area
    QHash<QWidget*, Qt::FocusPolicy> m_policy; // what they took before they went out of sight
    QHash<QObject*, QWidget*> m_rings;         // frame label -> the ring showing its focus
    TickScheduler* m_scheduler;
};

// A label the program handles clicks on ("_", "X") is a push button to the keyboard and to
// assistive technology.
bool actsAsButton(const Control& control);

// A control that lies wholly outside its container's client area can never be seen.
bool whollyOutside(const QWidget* widget);

} // namespace gd
