#include "qt/borders.h"

#include <QFrame>

namespace gd {

bool onBorder(const QWidget* widget, QPoint pos)
{
    auto* frame = qobject_cast<const QFrame*>(widget);
    return frame && frame->frameWidth() > 0 && !frame->contentsRect().contains(pos);
}

} // namespace gd
