#pragma once

// A control's border is not part of the control: mouse events over it belong to whatever the
// bordered control covers there.

#include <QPoint>

class QWidget;

namespace gd {

// The widget that takes a mouse event at `pos` (in `widget`'s coordinates) once the borders
// there are taken away: `widget` itself unless `pos` lies in its frame, otherwise the front-most
// visible widget behind it at that place (through further borders), or its parent. `pos` comes
// back in the returned widget's coordinates.
QWidget* throughBorders(QWidget* widget, QPoint& pos);

} // namespace gd
