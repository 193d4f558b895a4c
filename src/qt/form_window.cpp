#include "qt/form_window.h"

#include "handlers/menu.h"
#include "qt/accessibility.h"
#include "qt/borders.h"
#include "qt/sight.h"
#include "qt/tick_scheduler.h"
#include "qt/window_alpha.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <algorithm>
#include <utility>

namespace gd {

FormWindow::FormWindow(Form1& form, Scale scale)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_form(form)
    , m_scale(scale)
    , m_scheduler(new TickScheduler(
          TickScheduler::steadyClock(), [this](int index) { m_form.tick(ControlId(index)); }, this))
    , m_sight(new Sight(form, *m_scheduler, *this, this))
{
    const FormDesc& desc = kForm;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(desc.caption));
    setWindowIcon(loadIcon(desc.icon));
    setFixedSize(m_scale.rect(0, 0, desc.clientWidth, desc.clientHeight).size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPalette(designedPalette()); // whatever the desktop's, before any control inherits it
    // Where the window system cannot fade a window, its pixels carry the opacity: that takes a
    // window with an alpha channel, chosen before the native window exists.
    if (!platformHasWindowOpacity())
        setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    QFont font(toQString(desc.font.face));
    font.setPointSizeF(desc.font.size);
    setFont(font);
    build();
    m_form.setObserver(m_sight);
    QAccessible::installActivationObserver(this);
}

FormWindow::~FormWindow()
{
    QAccessible::removeActivationObserver(this);
    m_form.setObserver(nullptr);
}

void FormWindow::build()
{
    m_views.assign(m_form.controls().size(), nullptr);
    m_surfaces.assign(m_form.controls().size(), nullptr);
    m_tabStop.assign(m_form.controls().size(), false);
    buildFrom(nullptr);
    // No control has the focus when the window first becomes active, so nothing looks focused
    // until the keyboard is used; the first Tab goes to the first control.
    setFocus(Qt::OtherFocusReason);
}

namespace {

bool inside(const Control& c, const Control& root)
{
    for (const Control* at = &c; at; at = at->container())
        if (at == &root)
            return true;
    return false;
}

} // namespace

// Builds `root` and every control inside it that is not built yet; without a root, every
// control that can be seen now (shown, in a container that is shown).
void FormWindow::buildFrom(Control* root)
{
    std::vector<Control*> built;
    for (Control& c : m_form.controls()) {
        if (!awaitsBuilding(c) || (root ? !inside(c, *root) : !c.visible()))
            continue;
        makeView(c);
        built.push_back(&c);
    }
    if (built.empty())
        return;
    for (Control* c : built)
        stack(*c);
    orderTabs();
    describeAccessibility(*this, built);
    for (Control* c : built)
        place(m_views[c->index()]->widget());
}

// Not built yet, though its container is (or it has none): the next that can be built.
bool FormWindow::awaitsBuilding(const Control& c) const
{
    return c.kind() != Kind::Timer && !m_views[c.index()]
        && (!c.container() || m_views[c.container()->index()]);
}

void FormWindow::buildTheRest()
{
    if (!std::exchange(m_restQueued, true))
        QTimer::singleShot(0, this, [this] { buildNextPart(); });
}

void FormWindow::accessibilityActiveChanged(bool active)
{
    if (active && m_painted)
        buildTheRest();
}

// The next hidden part (a control whose container is built, and all inside it), then the one
// after at the next turn of the event loop, so that no frame waits long for them.
void FormWindow::buildNextPart()
{
    for (Control& c : m_form.controls()) {
        if (!awaitsBuilding(c))
            continue;
        buildFrom(&c);
        QTimer::singleShot(0, this, [this] { buildNextPart(); });
        return;
    }
}

ControlView* FormWindow::view(const Control& control)
{
    const std::size_t i = control.index();
    if (!m_views[i] && control.kind() != Kind::Timer) {
        // A container is built with everything in it.
        if (const Control* container = control.container();
            container && !m_views[container->index()])
            view(*container);
        if (!m_views[i])
            buildFrom(&m_form.controls()[i]);
    }
    return m_views[i];
}

ControlView* FormWindow::makeView(Control& c)
{
    QWidget* parent = c.container() ? m_views[c.container()->index()]->clientArea() : this;
    ControlView* view = nullptr;
    switch (c.kind()) {
    case Kind::PictureBox: view = m_surfaces[c.index()] = new PictureBoxView(c, parent); break;
    case Kind::Label: view = new LabelView(c, parent); break;
    case Kind::TextBox: view = new TextBoxView(c, parent); break;
    case Kind::CommandButton: view = new ButtonView(c, parent); break;
    case Kind::Image:
    case Kind::Shape:
    case Kind::Line: view = new PaintedView(c, parent); break;
    case Kind::Timer: return nullptr;
    }
    m_views[c.index()] = view;
    QWidget* w = view->widget();
    w->setObjectName(toQString(c.name()));
    for (Prop p : { Prop::Geometry, Prop::Caption, Prop::Colours, Prop::Font, Prop::Enabled })
        view->apply(p, m_scale);
    w->setVisible(c.visible());
    watch(w, &c);
    if (QWidget* client = view->clientArea())
        watch(client, &c);
    if (auto* edit = dynamic_cast<TextBoxView*>(view))
        watch(edit->viewport(), &c);
    if (auto* button = dynamic_cast<ButtonView*>(view)) {
        Control* control = &c;
        connect(button, &QPushButton::clicked, this, [this, control] { click(control->id()); });
    }
    if (actsAsButton(c))
        makeKeyboardButton(c);
    // Keyboard focus follows TabIndex through the controls that take focus.
    m_tabStop[c.index()] = c.desc().tabIndex >= 0 && w->focusPolicy() != Qt::NoFocus;
    return view;
}

// Siblings are listed front to back: a control goes just behind the nearest built one listed
// before it, or in front of all when there is none.
void FormWindow::stack(const Control& c)
{
    QWidget* w = m_views[c.index()]->widget();
    for (std::size_t i = c.index(); i-- > 0;) {
        const Control& sibling = m_form.controls()[i];
        if (sibling.container() == c.container() && m_views[i]) {
            w->stackUnder(m_views[i]->widget());
            return;
        }
    }
    w->raise();
}

// Links the built Tab stops in TabIndex order, whatever order they were built in. Qt links only
// controls that take the focus, so one out of sight takes it for the moment.
void FormWindow::orderTabs()
{
    std::vector<const Control*> stops;
    for (const Control& c : m_form.controls())
        if (m_tabStop[c.index()])
            stops.push_back(&c);
    std::stable_sort(stops.begin(), stops.end(),
        [](const Control* a, const Control* b) { return a->desc().tabIndex < b->desc().tabIndex; });
    // The first comes straight after the window, so that Tab from the window reaches it first
    // however the chain was linked before; the rest follow it.
    std::vector<QWidget*> order { this };
    for (const Control* c : stops)
        order.push_back(m_views[c->index()]->widget());
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

void FormWindow::watch(QWidget* widget, Control* control)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_controls.insert(widget, control);
}

bool actsAsButton(const Control& control)
{
    return control.kind() == Kind::Label && control.form().handles(control.id(), Event::Click);
}

bool whollyOutside(const QWidget* widget)
{
    const QWidget* container = widget->parentWidget();
    return container && !widget->geometry().intersects(container->rect());
}

namespace {

// Drawn over a frame label while it has the keyboard focus, so that where the focus is shows;
// hidden otherwise, when the label looks as it always did.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget* label)
        : QWidget(label)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(label->rect());
        hide();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.setPen(QPen(parentWidget()->palette().color(QPalette::WindowText), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
};

} // namespace

// A frame label becomes a Tab stop with a ring that shows its focus.
void FormWindow::makeKeyboardButton(Control& label)
{
    QWidget* widget = m_views[label.index()]->widget();
    // From the keyboard only: a mouse click still leaves the focus where it was.
    widget->setFocusPolicy(Qt::TabFocus);
    m_rings.insert(widget, new FocusRing(widget));
}

// Leaves a control out of the keyboard order (and the accessibility tree) while it lies wholly
// outside its container's client area, and brings it back when it moves in.
void FormWindow::place(QWidget* widget)
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
void FormWindow::placeChildren(QObject* container)
{
    for (QObject* child : container->children())
        if (Control* c = m_controls.value(child); c && m_views[c->index()]->widget() == child)
            place(static_cast<QWidget*>(child));
}

QWidget* FormWindow::widgetFor(ControlId id)
{
    ControlView* v = id == ControlId::Form1 ? nullptr : view(m_form[id]);
    return v ? v->widget() : nullptr;
}

void FormWindow::start()
{
    for (Control& c : m_form.controls())
        if (c.kind() == Kind::Timer && c.enabled())
            m_scheduler->setEnabled(c.index(), c.interval(), true);
    m_form.load();
    if (m_form.ended())
        return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    m_sight->watch(windowHandle());
}

void FormWindow::stopTimers() { m_scheduler->stopAll(); }

void FormWindow::click(ControlId control)
{
    // The first click (most often "Show Glimmerdeck", whose slide takes most of a second before
    // a tutorial can be chosen) sets the hidden parts building, so each is ready before it can
    // be opened.
    buildTheRest();
    m_scheduler->catchUp(); // input finds what continuous ticking would have left
    m_form.click(control);
}

void FormWindow::clickLater(ControlId control)
{
    QTimer::singleShot(0, this, [this, control] { click(control); });
}

void FormWindow::controlChanged(Control& control, Prop prop)
{
    if (control.kind() == Kind::Timer) {
        if (prop == Prop::Enabled)
            m_scheduler->setEnabled(control.index(), control.interval(), control.enabled());
        return;
    }
    if (ControlView* v = m_views[control.index()]) {
        beforeChange(control, prop);
        v->apply(prop, m_scale);
        afterChange(control, prop);
    } else if (prop == Prop::Visible && control.visible() && awaitsBuilding(control)) {
        buildFrom(&control); // shown before its turn came: built now, as the model has it
        afterChange(control, prop);
    }
}

namespace {

const Tutorial* tutorialShownIn(ControlId panel)
{
    for (const Tutorial& t : kTutorials)
        if (t.panel == panel)
            return &t;
    return nullptr;
}

bool takesTab(const QWidget* widget)
{
    return widget->isVisible() && widget->isEnabled() && (widget->focusPolicy() & Qt::TabFocus);
}

} // namespace

// Qt moves the focus off a widget that is disabled or hidden, on to the next Tab stop, and a
// screen reader names that one: a control the user never chose. So the focus is placed first.
void FormWindow::beforeChange(const Control& control, Prop prop)
{
    QWidget* widget = m_views[control.index()]->widget();
    if (prop == Prop::Enabled && !control.enabled() && focusWidget() == widget) {
        // "Show Glimmerdeck" is disabled by its own click while the menu slides: it keeps the
        // focus, and with no focus left in the window Qt moves none.
        widget->clearFocus();
        m_kept = widget;
        return;
    }
    const Tutorial* tutorial
        = prop == Prop::Visible && !control.visible() ? tutorialShownIn(control.id()) : nullptr;
    if (!tutorial)
        return;
    if (m_told == widget) {
        announce(*this, {});
        m_told = nullptr;
    }
    QWidget* focus = focusWidget();
    if (!focus || !widget->isAncestorOf(focus))
        return;
    // A closing panel hands the focus back to its menu button, or while the menu slides or is
    // shut, to the toggle, which takes it when the slide ends.
    QWidget* toggle = widgetFor(ControlId::Command7);
    QWidget* button = widgetFor(tutorial->button);
    QWidget* next = toggle->isEnabled() && takesTab(button) ? button : toggle;
    if (next->isEnabled()) {
        next->setFocus(Qt::OtherFocusReason);
    } else {
        focus->clearFocus();
        m_kept = next;
    }
}

void FormWindow::afterChange(const Control& control, Prop prop)
{
    QWidget* widget = m_views[control.index()]->widget();
    if (prop == Prop::Enabled && control.enabled() && m_kept == widget) {
        m_kept = nullptr;
        // Unless the user has put the focus somewhere meanwhile; read in full, under the caption
        // it may have changed to.
        if (!focusWidget()) {
            presentAnew(widget);
            widget->setFocus(Qt::OtherFocusReason);
        }
    } else if (prop == Prop::Visible && control.visible() && tutorialShownIn(control.id())) {
        // The focus stays on the menu button; the panel's heading tells what opened.
        announce(*this, widget->accessibleName());
        m_told = widget;
    }
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

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    Control* control = m_controls.value(watched);
    if (!control)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const bool isView = m_views[control->index()]->widget() == widget;
    switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
        return mouseEvent(control, widget, static_cast<QMouseEvent*>(event));
    case QEvent::KeyPress:
    case QEvent::KeyRelease: return isView && keyEvent(*control, static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (QWidget* ring = m_rings.value(watched))
            ring->setVisible(event->type() == QEvent::FocusIn);
        return false;
    case QEvent::Move:
        if (isView)
            place(widget);
        return false;
    case QEvent::Resize:
        if (isView)
            place(widget);
        placeChildren(watched);
        if (QWidget* ring = m_rings.value(watched))
            ring->setGeometry(widget->rect());
        return false;
    default: return false;
    }
}

bool FormWindow::mouseEvent(Control* control, QWidget* widget, QMouseEvent* me)
{
    const QEvent::Type type = me->type();
    QPoint pos = me->position().toPoint();
    // A border belongs to its control, whose events come from its inner area: over it there is
    // no mouse event at all, neither the control's nor that of what lies behind it.
    if (onBorder(widget, pos)) {
        if (type == QEvent::MouseButtonPress)
            m_pressed = nullptr;
        return true;
    }
    switch (type) {
    case QEvent::MouseMove:
        m_scheduler->catchUp();
        m_form.mouseMove(
            control->id(), mouseArgs(me, widget->mapTo(view(*control)->widget(), pos), m_scale));
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
            click(control->id());
        return false;
    }
    default: return false;
    }
}

// The space bar clicks a frame label as it clicks a button: on release. Buttons take their own.
bool FormWindow::keyEvent(const Control& control, QKeyEvent* key)
{
    if (!actsAsButton(control) || key->key() != Qt::Key_Space || key->isAutoRepeat())
        return false;
    if (key->type() == QEvent::KeyPress)
        m_spaceDown = true;
    else if (std::exchange(m_spaceDown, false))
        click(control.id());
    return true;
}

void FormWindow::mouseMoveEvent(QMouseEvent* event)
{
    m_scheduler->catchUp();
    m_form.mouseMove(ControlId::Form1, mouseArgs(event, event->position().toPoint(), m_scale));
}

void FormWindow::resizeEvent(QResizeEvent*) { placeChildren(this); }

void FormWindow::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), toQColor(kForm.backColor));
    // The first frame is on its way: what it does not show is built from now on if a screen
    // reader may ask for it.
    if (!std::exchange(m_painted, true) && QAccessible::isActive())
        buildTheRest();
}

} // namespace gd
