#pragma once

// What a screen reader is told about the window, over Qt's accessibility interfaces, from the
// core's names table (core/accessible_texts.h): names, the labels that name controls, roles,
// the frame labels "_" and "X" as push buttons a screen reader can press, and which controls are
// in the tree at all: one that lies out of its container's view is not, as the core decides.
// (The window takes the presses, KeyboardFocus keeps the keyboard order.)

#include "model/description.h"

#include <QString>

#include <vector>

class QWidget;

namespace gd {

class Control;
class ViewBuilder;
class WindowCore;

// The window a screen reader presses "_" and "X" through.
class PressTarget {
public:
    // A screen reader's press, run from the event loop as a mouse click is: the request that
    // pressed must be answered first.
    virtual void clickLater(ControlId control) = 0;

protected:
    ~PressTarget() = default;
};

// Names, roles and interfaces for the controls just built, and for those they name; call once
// their widgets exist and their keyboard order is set. `window` is the PressTarget's widget.
void describeAccessibility(QWidget& window, PressTarget& target, WindowCore& core,
    const ViewBuilder& views, const std::vector<Control*>& built);

// Tells assistive technology that a control came into its container's view or left it (the
// parent's children-changed "add" and "remove" over AT-SPI).
void announceInView(QWidget* widget, bool inView);

// Has a screen reader say what opened while the focus stays where it is, through a notification
// that shows: Orca 43 reads one out as "notification" and its name, and it reads out no change
// of a Qt 6.4 control's name or description (Qt sends the object where Orca expects the new text).
class Announcer {
public:
    explicit Announcer(QWidget& window);
    // An empty text withdraws the notice.
    void announce(const QString& text);

private:
    QWidget* m_notice;
};

// Makes assistive technology meet the widget as a new object, so that a screen reader reads it
// in full when it next takes the focus. A control that gets the focus back after losing it for a
// while is otherwise not read again, whatever changed on it meanwhile.
void presentAnew(QWidget* widget);

} // namespace gd
