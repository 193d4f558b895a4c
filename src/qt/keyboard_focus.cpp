#include "qt/keyboard_focus.h"

#include "handlers/menu.h"
#include "qt/accessibility.h"
#include "qt/view_builder.h"

#include <QApplication>
#include <QKeyEvent>

#include <algorithm>

namespace gd {

KeyboardFocus::KeyboardFocus(QWidget& window, Form1& form, ViewBuilder& views)
    : QObject(&window)
    , m_window(window)
    , m_form(form)
    , m_views(views)
    , m_tabStop(form.controls().size(), false)
{
    // Keys, clicks, moves and the window's activation, wherever in the window they land.
    qApp->installEventFilter(this);
    // No control has the focus when the window first becomes active, so nothing looks focused
    // until the keyboard is used; the first Tab goes to the first control.
    m_window.setFocus(Qt::OtherFocusReason);
}

KeyboardFocus::~KeyboardFocus() { qApp->removeEventFilter(this); }

void KeyboardFocus::adopt(const std::vector<Control*>& built)
{
    for (Control* c : built) {
        QWidget* w = m_views.builtView(*c)->widget();
        // A frame label takes the focus from the keyboard only: a mouse click on it still
        // leaves the focus where it was.
        if (actsAsButton(*c))
            w->setFocusPolicy(Qt::TabFocus);
        m_tabStop[c->index()] = c->desc().tabIndex >= 0 && w->focusPolicy() != Qt::NoFocus;
    }
    orderTabs();
}

void KeyboardFocus::placeAll(const std::vector<Control*>& built)
{
    for (Control* c : built)
        place(m_views.builtView(*c)->widget());
}

// Links the built Tab stops in TabIndex order, whatever order they were built in. Qt links only
// controls that take the focus, so one out of sight takes it for the moment.
void KeyboardFocus::orderTabs()
{
    std::vector<const Control*> stops;
    for (const Control& c : m_form.controls())
        if (m_tabStop[c.index()])
            stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(),
        [](const Control* a, const Control* b) { return a->desc().tabIndex < b->desc().tabIndex; });
    // The first comes straight after the window, so that Tab from the window reaches it first
    // however the chain was linked before; the rest follow it.
    std::vector<QWidget*> order { &m_window };
    for (const Control* c : stops)
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

// Leaves a control out of the keyboard order (and the accessibility tree) while it lies wholly
// outside its container's client area, and brings it back when it moves in.
void KeyboardFocus::place(QWidget* widget)
{
    const bool outside = whollyOutside(widget);
    if (outside == m_outside.contains(widget))
        return;
    if (outside) {
        m_outside.insert(widget);
        m_policy.insert(widget, widget->focusPolicy());
        widget->setFocusPolicy(Qt::NoFocus);
        if (widget->hasFocus()) {
            // Where Tab would have gone next, as when a focused control is hidden.
            QWidget* next = widget->nextInFocusChain();
            while (next != widget
                && (!(next->focusPolicy() & Qt::TabFocus) || !next->isVisible()
                    || !next->isEnabled()))
                next = next->nextInFocusChain();
            if (next != widget)
                next->setFocus(Qt::TabFocusReason);
            else
                widget->clearFocus();
        }
    } else {
        m_outside.remove(widget);
        widget->setFocusPolicy(m_policy.take(widget));
    }
    announceSight(widget, !outside);
}

// The views among a widget's children: a picture box's client area holds its controls' views.
void KeyboardFocus::placeChildren(QObject* container)
{
    for (QObject* child : container->children())
        if (auto* view = dynamic_cast<ControlView*>(child); view && view->widget() == child)
            place(view->widget());
}

namespace {

bool takesTab(const QWidget* widget)
{
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

} // namespace

// Nothing in the window has the focus, or the window itself keeps it for none.
bool KeyboardFocus::hasNoFocus() const
{
    const QWidget* focus = m_window.focusWidget();
    return !focus || focus == &m_window;
}

// The focus is placed before Qt moves it off a control that is disabled or hidden.
void KeyboardFocus::beforeChange(const Control& control, Prop prop)
{
    QWidget* widget = m_views.builtView(control)->widget();
    if (prop == Prop::Enabled && !control.enabled() && m_window.focusWidget() == widget) {
        // "Show Glimmerdeck" is disabled by its own click while the menu slides: it keeps the
        // focus, and with no focus left in the window Qt moves none.
        widget->clearFocus();
        m_kept = widget;
        return;
    }
    const Tutorial* tutorial
        = prop == Prop::Visible && !control.visible() ? tutorialShownIn(control.id()) : nullptr;
    QWidget* focus = m_window.focusWidget();
    if (!tutorial || !focus || !widget->isAncestorOf(focus))
        return;
    // A closing panel hands the focus back to its menu button, or while the menu slides or is
    // shut, to the toggle, which takes it when the slide ends.
    QWidget* toggle = m_views.view(m_form.Command7)->widget();
    QWidget* button = m_views.view(m_form[tutorial->button])->widget();
    QWidget* next = toggle->isEnabled() && takesTab(button) ? button : toggle;
    if (next->isEnabled()) {
        next->setFocus(Qt::OtherFocusReason);
    } else {
        focus->clearFocus();
        m_kept = next;
    }
}

void KeyboardFocus::afterChange(const Control& control, Prop prop)
{
    QWidget* widget = m_views.builtView(control)->widget();
    if (prop == Prop::Enabled && control.enabled() && m_kept == widget) {
        m_kept = nullptr;
        // Unless the user has put the focus somewhere meanwhile; read in full, under the caption
        // it may have changed to.
        if (hasNoFocus()) {
            presentAnew(widget);
            widget->setFocus(Qt::OtherFocusReason);
        }
    }
}

void KeyboardFocus::showFrames(bool shown)
{
    if (m_window.testAttribute(Qt::WA_KeyboardFocusChange) == shown)
        return;
    m_window.setAttribute(Qt::WA_KeyboardFocusChange, shown);
    if (QWidget* focus = m_window.focusWidget())
        focus->update();
}

bool KeyboardFocus::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &m_window)
        return false;
    switch (event->type()) {
    case QEvent::KeyPress:
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Space: showFrames(true); break;
        default: break;
        }
        return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: showFrames(false); return false;
    case QEvent::WindowActivate:
        // Activated with nothing focused (a control that had the focus was disabled a moment
        // ago), Qt would hand the focus to the first Tab stop, which the user never chose: the
        // window keeps it, as when it first opened.
        if (widget == &m_window && !m_window.focusWidget())
            m_window.setFocus(Qt::ActiveWindowFocusReason);
        return false;
    case QEvent::Move:
        if (dynamic_cast<ControlView*>(widget))
            place(widget);
        return false;
    case QEvent::Resize:
        if (dynamic_cast<ControlView*>(widget))
            place(widget);
        placeChildren(widget); // the window, or a picture box's client area
        return false;
    default: return false;
    }
}

} // namespace gd
