#pragma once

// The keyboard focus in Qt, as the core's KeyboardOrder decides it (see core/keyboard.h): focus
// policies from how each control takes the focus, Qt's focus chain linked in the core's Tab
// order, a control out of view taking no focus, and focus frames shown by the keyboard and
// hidden by the mouse. Frames are marked on the window as Qt::WA_KeyboardFocusChange, which Qt's
// styles read for the controls they draw and the views read for the frames they draw themselves.

#include "core/window_core.h"

#include <QHash>
#include <QObject>

#include <vector>

class QWidget;

namespace gd {

class ViewBuilder;

class KeyboardFocus : public QObject {
    Q_OBJECT

public:
    KeyboardFocus(QWidget& window, WindowCore& core, const ViewBuilder& views);

    // Newly built controls take the focus as their kind does, and the Tab chain is linked again.
    void adopt(const std::vector<Control*>& built);
    // A control came into its container's view, or left it.
    void viewChanged(Control& control, bool inView);

    // The control with the focus in the window; nullptr when none, or the window itself, has it.
    Control* focus() const;
    void setFocus(Control& control, bool byTab);
    void clearFocus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void linkTabs();
    void watch(QWidget* widget);
    void showFrames(bool shown);

    QWidget& m_window;
    WindowCore& m_core;
    const ViewBuilder& m_views;
    QHash<QWidget*, Qt::FocusPolicy> m_policy; // what they took before they went out of view
};

} // namespace gd
