#include "qt/keyboard_focus.h"

#include "qt/view_builder.h"

#include <QKeyEvent>

namespace gd {

KeyboardFocus::KeyboardFocus(QWidget& window, WindowCore& core, const ViewBuilder& views)
    : QObject(&window)
    , m_window(window)
    , m_core(core)
    , m_views(views)
{
    watch(&m_window);
    // No control has the focus when the window first becomes active, so nothing looks focused
    // until the keyboard is used; the first Tab goes to the first control.
    m_window.setFocus(Qt::OtherFocusReason);
}

// Keys and mouse presses land on the widget under the pointer or with the focus: the views and
// every widget inside them (a listing's scroll bars among them). Installed after the input
// router's, this filter sees each event first, also one the router then takes.
void KeyboardFocus::watch(QWidget* widget)
{
    widget->installEventFilter(this);
    for (QWidget* inside : widget->findChildren<QWidget*>())
        inside->installEventFilter(this);
}

void KeyboardFocus::adopt(const std::vector<Control*>& built)
{
    for (Control* c : built) {
        QWidget* w = m_views.builtView(*c)->widget();
        // Buttons and listings take the focus as Qt's own do; a frame label from Tab alone.
        if (focusTaking(*c) == FocusTaking::Keyboard)
            w->setFocusPolicy(Qt::TabFocus);
        watch(w);
    }
    linkTabs();
}

// Links the built Tab stops in the core's order, whatever order they were built in. Qt links
// only controls that take the focus, so one out of view takes it for the moment.
void KeyboardFocus::linkTabs()
{
    // The first comes straight after the window, so that Tab from the window reaches it first
    // however the chain was linked before; the rest follow it.
    std::vector<QWidget*> order { &m_window };
    for (const Control* c : m_core.keyboard().tabOrder())
        order.push_back(m_views.builtView(*c)->widget());
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget* a = order[i - 1];
        QWidget* b = order[i];
        const Qt::FocusPolicy pa = a->focusPolicy(), pb = b->focusPolicy();
        if (pa == Qt::NoFocus)
            a->setFocusPolicy(Qt::StrongFocus);
        if (pb == Qt::NoFocus)
            b->setFocusPolicy(Qt::StrongFocus);
        QWidget::setTabOrder(a, b);
        a->setFocusPolicy(pa);
        b->setFocusPolicy(pb);
    }
}

void KeyboardFocus::viewChanged(Control& control, bool inView)
{
    QWidget* widget = m_views.builtView(control)->widget();
    if (!inView) {
        m_policy.insert(widget, widget->focusPolicy());
        widget->setFocusPolicy(Qt::NoFocus);
    } else if (m_policy.contains(widget)) {
        widget->setFocusPolicy(m_policy.take(widget));
    }
}

Control* KeyboardFocus::focus() const
{
    ControlView* view = m_views.viewOf(m_window.focusWidget());
    return view && view->widget() == m_window.focusWidget() ? &view->control() : nullptr;
}

void KeyboardFocus::setFocus(Control& control, bool byTab)
{
    m_views.builtView(control)->widget()->setFocus(
        byTab ? Qt::TabFocusReason : Qt::OtherFocusReason);
}

void KeyboardFocus::clearFocus()
{
    if (QWidget* focus = m_window.focusWidget(); focus && focus != &m_window)
        focus->clearFocus();
}

void KeyboardFocus::showFrames(bool shown)
{
    if (m_window.testAttribute(Qt::WA_KeyboardFocusChange) == shown)
        return;
    m_window.setAttribute(Qt::WA_KeyboardFocusChange, shown);
    if (QWidget* focus = m_window.focusWidget())
        focus->update();
}

namespace {

FrameKey frameKey(int key)
{
    switch (key) {
    case Qt::Key_Tab: return FrameKey::Tab;
    case Qt::Key_Backtab: return FrameKey::Backtab;
    case Qt::Key_Space: return FrameKey::Space;
    default: return FrameKey::Other;
    }
}

} // namespace

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        if (const auto shown = focusFramesAfter(frameKey(static_cast<QKeyEvent*>(event)->key())))
            showFrames(*shown);
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: showFrames(kFocusFramesAfterMousePress); return false;
    case QEvent::WindowActivate:
        // Activated with nothing focused (a control that had the focus was disabled a moment
        // ago), Qt would hand the focus to the first Tab stop, which the user never chose: the
        // window keeps it, as when it first opened.
        if (watched == &m_window && !m_window.focusWidget())
            m_window.setFocus(Qt::ActiveWindowFocusReason);
        return false;
    default: return false;
    }
}

} // namespace gd
