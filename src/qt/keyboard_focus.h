#pragma once

// Everything about the keyboard focus in the window.
//
// - The Tab order: the controls that take the focus, in TabIndex order however late they were
//   built; the frame labels the program handles clicks on ("_", "X") are Tab stops too.
// - Out of sight, out of the order: a control wholly outside its container's client area can
//   never be seen, so it is no Tab stop (and a screen reader is told it left) until it moves in.
// - The focus stays with the user's place. Qt moves the focus off a control that is disabled or
//   hidden, on to the next Tab stop, and a screen reader names that one: a control the user
//   never chose. So a control disabled while it has the focus takes it back when it is enabled
//   again, and a closing tutorial panel hands it to the menu button that opened it.
// - Focus frames follow the desktop's convention: they show once the user moves the focus with
//   the keyboard (Tab, Shift+Tab, or Space on a focused control), and a mouse click hides them
//   again. That is marked on the window as Qt::WA_KeyboardFocusChange, which Qt's styles read
//   for the controls they draw and the views read for the frames they draw themselves.

#include "model/form.h"

#include <QHash>
#include <QObject>
#include <QSet>

#include <vector>

class QWidget;

namespace gd {

class ViewBuilder;

class KeyboardFocus : public QObject {
public:
    KeyboardFocus(QWidget& window, Form1& form, ViewBuilder& views);
    ~KeyboardFocus() override;

    // Newly built controls join the Tab order.
    void adopt(const std::vector<Control*>& built);
    // Newly built controls that lie out of sight leave it again; call once a screen reader has
    // been told about them.
    void placeAll(const std::vector<Control*>& built);

    // Around a change of a built control's property.
    void beforeChange(const Control& control, Prop prop);
    void afterChange(const Control& control, Prop prop);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void orderTabs();
    void place(QWidget* widget);
    void placeChildren(QObject* container);
    void showFrames(bool shown);
    bool hasNoFocus() const;

    QWidget& m_window;
    Form1& m_form;
    ViewBuilder& m_views;
    std::vector<bool> m_tabStop;               // by control index: in the keyboard order
    QSet<QWidget*> m_outside;                  // wholly outside their container's client area
    QHash<QWidget*, Qt::FocusPolicy> m_policy; // what they took before they went out of sight
    QWidget* m_kept = nullptr; // disabled while it had the focus, which it takes back
};

} // namespace gd
