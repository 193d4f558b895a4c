#pragma once

// What a screen reader is told about the window, over Qt's accessibility interfaces: names for
// the controls whose own text does not say what they are, the frame labels "_" and "X" as push
// buttons a screen reader can press, and which controls exist for it at all. A control that lies
// wholly outside its container's client area can never be seen, so it is not in the
// accessibility tree; that is decided from the geometry of the moment, so the menu buttons
// leave with the collapsed menu and the sliding boxes arrive as they slide in. (The window
// takes the presses, KeyboardFocus keeps the keyboard order.)

#include "model/control.h"
#include "model/description.h"

#include <QAccessible>
#include <QString>

#include <optional>
#include <string_view>
#include <vector>

class QWidget;

namespace gd {

class Control;
class ControlView;

// The window a screen reader presses "_" and "X" through.
class PressTarget {
public:
    // A screen reader's press, run from the event loop as a mouse click is: the request that
    // pressed must be answered first.
    virtual void clickLater(ControlId control) = 0;

protected:
    ~PressTarget() = default;
};

// One row of the names table (ControlId::Form1 is the window itself).
struct AccessibleText {
    ControlId control;
    // Said instead of what Qt would say (a label's text, nothing for a picture); empty: none.
    std::string_view name;
    // The label that names the control: the caption above a listing, the caption under or
    // beside a picture. A sibling becomes the control's buddy, which gives assistive technology
    // a labelled-by relation and, when the row has no name of its own, the name; the heading of
    // a panel, which sits inside it, lends its text.
    std::optional<ControlId> labelledBy;
    // What the control is; NoRole leaves what Qt gives its kind.
    QAccessible::Role role = QAccessible::NoRole;
};

// Names, roles and interfaces for the controls just built, and for those they name; call once
// their widgets exist and their keyboard order is set. `views` holds every built view by control
// index; `window` is a widget that is a PressTarget too.
void describeAccessibility(
    QWidget& window, const std::vector<ControlView*>& views, const std::vector<Control*>& built);

// Tells assistive technology that a control came into sight or left it (the parent's
// children-changed "add" and "remove" over AT-SPI).
void announceSight(QWidget* widget, bool inSight);

// Has a screen reader say what opened while the focus stays where it is: the heading of a
// tutorial panel that is shown. It is a notification that shows: Orca 43 reads one out as
// "notification" and its name, and it reads out no change of a Qt 6.4 control's name or
// description (Qt sends the object where Orca expects the new text).
class Announcer {
public:
    explicit Announcer(QWidget& window);

    // Around a change of a built control's property.
    void beforeChange(const Control& control, QWidget* widget, Prop prop);
    void afterChange(const Control& control, QWidget* widget, Prop prop);

private:
    void announce(const QString& text); // empty text withdraws it

    QWidget* m_notice;
    QWidget* m_told = nullptr; // the tutorial panel whose opening a screen reader was told
};

// Makes assistive technology meet the widget as a new object, so that a screen reader reads it
// in full when it next takes the focus. A control that gets the focus back after losing it for a
// while is otherwise not read again, whatever changed on it meanwhile.
void presentAnew(QWidget* widget);

} // namespace gd
