#include "qt/borders.h"

#include <QFrame>

#include <algorithm>
#include <iterator>

namespace gd {

namespace {

bool onBorder(QWidget* widget, QPoint pos)
{
    auto* frame = qobject_cast<QFrame*>(widget);
    return frame && frame->frameWidth() > 0 && !frame->contentsRect().contains(pos);
}

// What lies under `widget` at `at` (in its parent's coordinates), as if it were hidden.
QWidget* behind(QWidget* widget, QPoint at)
{
    QWidget* parent = widget->parentWidget();
    const QObjectList& siblings = parent->children(); // back to front
    const auto self = std::find(siblings.begin(), siblings.end(), widget);
    for (auto it = std::make_reverse_iterator(self); it != siblings.rend(); ++it) {
        auto* sibling = qobject_cast<QWidget*>(*it);
        if (!sibling || sibling->isWindow() || !sibling->isVisible()
            || sibling->testAttribute(Qt::WA_TransparentForMouseEvents)
            || !sibling->geometry().contains(at))
            continue;
        QWidget* child = sibling->childAt(sibling->mapFromParent(at));
        return child ? child : sibling;
    }
    return parent;
}

} // namespace

QWidget* throughBorders(QWidget* widget, QPoint& pos)
{
    while (widget->parentWidget() && !widget->isWindow() && onBorder(widget, pos)) {
        const QPoint at = widget->mapToParent(pos);
        QWidget* next = behind(widget, at);
        pos = next->mapFrom(widget->parentWidget(), at);
        widget = next;
    }
    return widget;
}

} // namespace gd
