#pragma once

// A control's border belongs to the control, whose mouse events come from its inner area alone:
// over a border no control, and not the container behind it either, has a mouse event.

#include <QPoint>

class QWidget;

namespace gd {

// Whether `pos` (in `widget`'s coordinates) lies on the frame that `widget` draws around its
// contents.
bool onBorder(const QWidget* widget, QPoint pos);

} // namespace gd
