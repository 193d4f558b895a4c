#pragma once

// What a screen reader is told about the window, over Qt's accessibility interfaces: names for
// the controls whose own text does not say what they are, the frame labels "_" and "X" as push
// buttons that keyboard and screen reader can press, and which controls exist for them at all.
// A control that lies wholly outside its container's client area can never be seen, so it is
// neither in the accessibility tree nor a Tab stop; that is decided from the geometry of the
// moment, so the menu buttons leave with the collapsed menu and the sliding boxes arrive as
// they slide in.

#include "model/description.h"

#include <QAccessible>
#include <QHash>
#include <QObject>
#include <QSet>

#include <optional>
#include <span>
#include <string_view>

class QWidget;

namespace gd {

class Control;
class FormWindow;

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

std::span<const AccessibleText> accessibleTexts();

class Accessibility : public QObject {
public:
    // Call once the widgets exist and their keyboard order is set.
    explicit Accessibility(FormWindow& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void describe(const AccessibleText& row);
    void makeButton(Control& label);
    void joinTabOrder(Control& control);
    void place(QWidget* widget);
    Control* controlOf(QObject* widget) const;

    FormWindow& m_window;
    QHash<QObject*, Control*> m_controls;      // widget -> control, for the views alone
    QSet<QWidget*> m_outside;                  // wholly outside their container's client area
    QHash<QWidget*, Qt::FocusPolicy> m_policy; // what they took before they went out of sight
    QHash<QObject*, QWidget*> m_rings;         // frame label -> the ring showing its focus
    bool m_spaceDown = false;
};

} // namespace gd
