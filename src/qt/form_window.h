#pragma once

// The window layer: builds one widget per control from the model, mirrors every property change
// onto its widget, paces the timers and feeds clicks, mouse moves and ticks back to the model.
// It owns every way a control takes input, and the keyboard order: what can be seen is a Tab
// stop, what lies wholly outside its container is not. Where the program disables or hides the
// control with the focus, the focus stays with the user's place: a disabled control takes it
// back when enabled again, a closing tutorial panel hands it to the menu button that opened it.
//
// Only what the first frame shows is built before it. A control that is hidden, and everything
// inside it, is built in the background once the user first clicks, one part per turn of the
// event loop, or at once when it is shown or asked for first. A screen reader lists hidden
// panels too, so while assistive technology listens that starts right after the first frame.
// Until then the model alone holds a control's state, and its widget is brought up to date from
// the model when it is built.

#include "model/form.h"
#include "qt/views.h"

#include <QAccessible>
#include <QHash>
#include <QSet>
#include <QWidget>

#include <vector>

namespace gd {

class Sight;
class TickScheduler;

class FormWindow : public QWidget, public FormObserver, public QAccessible::ActivationObserver {
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

    // A control's view, built now if it was not yet; nullptr for a timer.
    ControlView* view(const Control& control);
    // A control's view if it is built already, else nullptr.
    ControlView* builtView(const Control& control) const { return m_views[control.index()]; }
    QWidget* widgetFor(ControlId id);
    // A picture box's drawing surface; nullptr for any other control, and until it is built
    // (what is drawn on a surface that is not there yet is drawn again at the next tick).
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
    void accessibilityActiveChanged(bool active) override;

private:
    void build();
    bool awaitsBuilding(const Control& c) const;
    void buildFrom(Control* root);
    void buildTheRest();
    void buildNextPart();
    ControlView* makeView(Control& c);
    void stack(const Control& c);
    void orderTabs();
    void watch(QWidget* widget, Control* control);
    bool mouseEvent(Control* control, QWidget* widget, QMouseEvent* event);
    bool keyEvent(const Control& control, QKeyEvent* event);
    void makeKeyboardButton(Control& label);
    void place(QWidget* widget);
    void placeChildren(QObject* container);
    void beforeChange(const Control& control, Prop prop);
    void afterChange(const Control& control, Prop prop);

    Form1& m_form;
    Scale m_scale;
    std::vector<ControlView*> m_views;       // by control index; owned by Qt's parent chain
    std::vector<PictureBoxView*> m_surfaces; // the same, for picture boxes only
    std::vector<bool> m_tabStop;             // by control index: in the keyboard order
    bool m_painted = false;                  // the first frame is on its way
    bool m_restQueued = false;               // the hidden parts are on their way
    // Every widget that takes input for a control: its view, a picture box's client area, a
    // text box's viewport.
    QHash<QObject*, Control*> m_controls;
    Control* m_pressed = nullptr;
    bool m_spaceDown = false;
    QSet<QWidget*> m_outside;                  // wholly outside their container's client area
    QHash<QWidget*, Qt::FocusPolicy> m_policy; // what they took before they went out of sight
    QHash<QObject*, QWidget*> m_rings;         // frame label -> the ring showing its focus
    QWidget* m_kept = nullptr; // disabled while it had the focus, which it takes back
    QWidget* m_told = nullptr; // the tutorial panel whose opening a screen reader was told
    TickScheduler* m_scheduler;
    Sight* m_sight; // which timers can be seen; the model's changes reach this window through it
};

// A label the program handles clicks on ("_", "X") is a push button to the keyboard and to
// assistive technology.
bool actsAsButton(const Control& control);

// A control that lies wholly outside its container's client area can never be seen.
bool whollyOutside(const QWidget* widget);

} // namespace gd
