#include "qt/input_router.h"

#include "qt/borders.h"
#include "qt/views.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include <utility>

namespace gd {

InputRouter::InputRouter(
    QWidget& window, Form1& form, Scale scale, ClickFn click, std::function<void()> beforeMove)
    : QObject(&window)
    , m_window(window)
    , m_form(form)
    , m_scale(scale)
    , m_click(std::move(click))
    , m_beforeMove(std::move(beforeMove))
{
    // The form's own moves: over the bare form, and what its controls pass on to it.
    m_window.setMouseTracking(true);
    m_window.installEventFilter(this);
}

void InputRouter::watch(Control& control, ControlView& view)
{
    const Target target { &control, view.widget() };
    watch(view.widget(), target);
    if (QWidget* client = view.clientArea())
        watch(client, target);
    if (auto* edit = dynamic_cast<TextBoxView*>(&view))
        watch(edit->viewport(), target);
    if (auto* button = dynamic_cast<ButtonView*>(&view))
        connect(button, &QPushButton::clicked, this, [this, id = control.id()] { m_click(id); });
}

void InputRouter::watch(QWidget* widget, const Target& target)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_targets.insert(widget, target);
}

namespace {

// The arguments of a MouseMove at `pos`, pixels from the receiving control's top-left corner.
MouseArgs mouseArgs(const QMouseEvent* me, QPoint pos, const Scale& scale)
{
    MouseArgs args;
    args.button = static_cast<std::int16_t>(me->buttons() & 0x7);
    args.shift = static_cast<std::int16_t>(((me->modifiers() & Qt::ShiftModifier) ? 1 : 0)
        | ((me->modifiers() & Qt::ControlModifier) ? 2 : 0)
        | ((me->modifiers() & Qt::AltModifier) ? 4 : 0));
    // In twips.
    args.x = static_cast<float>(pos.x() * scale.tppX);
    args.y = static_cast<float>(pos.y() * scale.tppY);
    return args;
}

} // namespace

bool InputRouter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window) {
        if (event->type() == QEvent::MouseMove) {
            auto* me = static_cast<QMouseEvent*>(event);
            m_beforeMove();
            m_form.mouseMove(ControlId::Form1, mouseArgs(me, me->position().toPoint(), m_scale));
        }
        return false;
    }
    const auto found = m_targets.constFind(watched);
    if (found == m_targets.cend())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    switch (event->type()) {
    case QEvent::MouseMove:
        if (!widget->isEnabled())
            return moveBeneath(widget, static_cast<QMouseEvent*>(event));
        return mouseEvent(*found, widget, static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return widget->isEnabled() && mouseEvent(*found, widget, static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return found->view == widget && keyEvent(*found->control, static_cast<QKeyEvent*>(event));
    default: return false;
    }
}

// A disabled control's move goes to what lies beneath it. (Qt would hand it on for most widgets,
// but a disabled button keeps its mouse events to itself.)
bool InputRouter::moveBeneath(QWidget* widget, QMouseEvent* me)
{
    QWidget* beneath = widget->parentWidget();
    if (!beneath)
        return true;
    QMouseEvent moved(QEvent::MouseMove, widget->mapTo(beneath, me->position()),
        me->globalPosition(), me->button(), me->buttons(), me->modifiers());
    QCoreApplication::sendEvent(beneath, &moved);
    return true;
}

bool InputRouter::mouseEvent(const Target& target, QWidget* widget, QMouseEvent* me)
{
    Control* control = target.control;
    const QEvent::Type type = me->type();
    QPoint pos = me->position().toPoint();
    // Over a border there is no mouse event, neither the control's nor that of what lies behind.
    if (onBorder(widget, pos)) {
        if (type == QEvent::MouseButtonPress)
            m_pressed = nullptr;
        return true;
    }
    switch (type) {
    case QEvent::MouseMove:
        m_beforeMove();
        m_form.mouseMove(control->id(), mouseArgs(me, widget->mapTo(target.view, pos), m_scale));
        // The move belongs to the front-most control only; text boxes still need it to select.
        return control->kind() != Kind::TextBox;
    case QEvent::MouseButtonPress:
        if (control->kind() == Kind::Label || control->kind() == Kind::Image
            || control->kind() == Kind::PictureBox)
            m_pressed = control;
        return false;
    case QEvent::MouseButtonRelease: {
        Control* pressed = std::exchange(m_pressed, nullptr);
        if (pressed == control && widget->rect().contains(pos))
            m_click(control->id());
        return false;
    }
    default: return false;
    }
}

// The space bar clicks a frame label as it clicks a button: on release. Buttons take their own.
bool InputRouter::keyEvent(const Control& control, QKeyEvent* key)
{
    if (!actsAsButton(control) || key->key() != Qt::Key_Space || key->isAutoRepeat())
        return false;
    if (key->type() == QEvent::KeyPress)
        m_spaceDown = true;
    else if (std::exchange(m_spaceDown, false))
        m_click(control.id());
    return true;
}

} // namespace gd
