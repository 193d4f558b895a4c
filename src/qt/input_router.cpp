#include "qt/input_router.h"

#include "qt/view_builder.h"
#include "qt/views.h"

#include <QAbstractButton>
#include <QFrame>
#include <QKeyEvent>
#include <QMouseEvent>

namespace gd {

InputRouter::InputRouter(QWidget& window, WindowCore& core, const ViewBuilder& views, ClickFn click)
    : QObject(&window)
    , m_window(window)
    , m_core(core)
    , m_views(views)
    , m_click(std::move(click))
{
    // The form's own moves: over the bare form, and what its controls pass on to it.
    m_window.setMouseTracking(true);
    m_window.installEventFilter(this);
}

void InputRouter::watch(ControlView& view)
{
    for (QWidget* widget : view.inputWidgets()) {
        widget->setMouseTracking(true);
        widget->installEventFilter(this);
        m_watched.insert(widget, &view);
    }
    if (QAbstractButton* button = view.pushButton())
        connect(button, &QAbstractButton::clicked, this,
            [this, id = view.control().id()] { m_click(id); });
}

namespace {

// Whether `pos` lies on the frame that `widget` draws around its contents.
bool onBorder(const QWidget* widget, QPoint pos)
{
    auto* frame = qobject_cast<const QFrame*>(widget);
    return frame && frame->frameWidth() > 0 && !frame->contentsRect().contains(pos);
}

} // namespace

// A move of the mouse to `windowPos`, for `control` (nullptr: the form) in the core's terms.
void InputRouter::move(Control* control, QPoint windowPos, const QMouseEvent* me)
{
    const Qt::KeyboardModifiers keys = me->modifiers();
    const int shift = ((keys & Qt::ShiftModifier) ? 1 : 0) | ((keys & Qt::ControlModifier) ? 2 : 0)
        | ((keys & Qt::AltModifier) ? 4 : 0);
    const QWidget* receiver = control ? m_views.builtView(*control)->widget() : &m_window;
    const QPoint at = receiver->mapFrom(&m_window, windowPos);
    m_core.mouseMove(control ? control->id() : ControlId::Form1,
        mouseArgs(int(me->buttons() & 0x7), shift, { at.x(), at.y() }, m_core.scale()));
}

bool InputRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        if (event->type() == QEvent::MouseMove) {
            auto* me = static_cast<QMouseEvent*>(event);
            move(nullptr, me->position().toPoint(), me);
        }
        return false;
    }
    ControlView* view = m_watched.value(watched);
    if (!view)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (!widget->isEnabled()) {
            // A disabled control takes no mouse input: its moves go to what lies beneath it.
            auto* me = static_cast<QMouseEvent*>(event);
            move(mouseReceiver(&view->control()),
                widget->mapTo(&m_window, me->position().toPoint()), me);
            return true;
        }
        return mouseEvent(*view, widget, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return widget->isEnabled() && mouseEvent(*view, widget, static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        if (view->widget() != widget)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        Control* clicked = nullptr;
        const bool taken = m_core.presses().key(view->control(), key->key() == Qt::Key_Space,
            event->type() == QEvent::KeyPress, key->isAutoRepeat(), clicked);
        if (clicked)
            m_click(clicked->id());
        return taken;
    }
    default: return false;
    }
}

bool InputRouter::mouseEvent(ControlView& view, QWidget* widget, QMouseEvent* me)
{
    Control& control = view.control();
    const QPoint pos = me->position().toPoint();
    if (onBorder(widget, pos)) {
        if (me->type() == QEvent::MouseButtonPress)
            m_core.presses().press(nullptr);
        return true;
    }
    switch (me->type()) {
    case QEvent::MouseMove:
        move(&control, widget->mapTo(&m_window, pos), me);
        // The move belongs to the front-most control only; text boxes still need it to select.
        return control.kind() != Kind::TextBox;
    case QEvent::MouseButtonPress: m_core.presses().press(&control); return false;
    case QEvent::MouseButtonRelease:
        if (Control* clicked = m_core.presses().release(control, widget->rect().contains(pos)))
            m_click(clicked->id());
        return false;
    default: return false;
    }
}

} // namespace gd
