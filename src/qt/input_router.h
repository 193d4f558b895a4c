#pragma once

// Mouse and keyboard input, routed to the model as the tutorials' handlers expect it: a move
// raises the MouseMove of the front-most control under the pointer, a press and release on the
// same control is its Click, the space bar clicks a frame label ("_", "X") as it clicks a button.
// Every click goes through one door, the window's.
//
// A border belongs to its control, whose events come from its inner area: over it there is no
// mouse event at all. A disabled control takes no mouse input: its moves, presses and releases
// go to what lies beneath it, its container or the form.

#include "model/form.h"
#include "qt/conversions.h"

#include <QHash>
#include <QObject>

#include <functional>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace gd {

class ControlView;

class InputRouter : public QObject {
public:
    using ClickFn = std::function<void(ControlId)>;

    // `beforeMove` runs before a mouse move reaches the model.
    InputRouter(
        QWidget& window, Form1& form, Scale scale, ClickFn click, std::function<void()> beforeMove);

    // Every widget that takes input for a control: its view, a picture box's client area, a
    // text box's viewport.
    void watch(Control& control, ControlView& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Target {
        Control* control;
        QWidget* view;
    };
    bool mouseEvent(const Target& target, QWidget* widget, QMouseEvent* event);
    bool moveBeneath(QWidget* widget, QMouseEvent* event);
    bool keyEvent(const Control& control, QKeyEvent* event);
    void watch(QWidget* widget, const Target& target);

    QWidget& m_window;
    Form1& m_form;
    Scale m_scale;
    ClickFn m_click;
    std::function<void()> m_beforeMove;
    QHash<QObject*, Target> m_targets;
    Control* m_pressed = nullptr;
    bool m_spaceDown = false;
};

} // namespace gd
