#pragma once

// Mouse and keyboard input in Qt, handed to the core as the tutorials' handlers take it (see
// core/clicks.h): which control a move, a press, a release or the space bar concerns, where the
// pointer is on it, and whether Qt is to pass the event on.
//
// A border belongs to its control, whose events come from its inner area alone: over it there
// is no mouse event at all, neither the control's nor that of what lies behind it.

#include "core/window_core.h"

#include <QHash>
#include <QObject>

#include <functional>

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace gd {

class ControlView;
class ViewBuilder;

class InputRouter : public QObject {
    Q_OBJECT

public:
    using ClickFn = std::function<void(ControlId)>;

    // Every click goes to `click`, the window's one door.
    InputRouter(QWidget& window, WindowCore& core, const ViewBuilder& views, ClickFn click);

    // The widgets that take input for a control (ControlView::inputWidgets) are watched.
    void watch(ControlView& view);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void move(Control* control, QPoint windowPos, const QMouseEvent* me);
    bool mouseEvent(ControlView& view, QWidget* widget, QMouseEvent* event);

    QWidget& m_window;
    WindowCore& m_core;
    const ViewBuilder& m_views;
    ClickFn m_click;
    QHash<QObject*, ControlView*> m_watched;
};

} // namespace gd
