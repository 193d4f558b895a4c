#include "qt/form_window.h"

#include "qt/accessibility.h"
#include "qt/borders.h"
#include "qt/tick_scheduler.h"
#include "qt/window_alpha.h"

#include <QGuiApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>

namespace gd {

FormWindow::FormWindow(Form1& form, Scale scale)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_form(form)
    , m_scale(scale)
    , m_scheduler(new TickScheduler(
          TickScheduler::steadyClock(), [this](int index) { m_form.tick(ControlId(index)); }, this))
{
    const FormDesc& desc = kForm;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromLatin1(desc.caption.data(), desc.caption.size()));
    setWindowIcon(QIcon(
        QStringLiteral(":/assets/") + QString::fromLatin1(desc.icon.data(), desc.icon.size())));
    setFixedSize(m_scale.rect(0, 0, desc.clientWidth, desc.clientHeight).size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPalette(designedPalette()); // whatever the desktop's, before any control inherits it
    // Where the window system cannot fade a window, its pixels carry the opacity: that takes a
    // window with an alpha channel, chosen before the native window exists.
    if (!platformHasWindowOpacity())
        setAttribute(Qt::WA_TranslucentBackground);
    setMouseTracking(true);
    QFont font(QString::fromLatin1(desc.font.face.data(), desc.font.face.size()));
    font.setPointSizeF(desc.font.size);
    setFont(font);
    build();
    m_form.setObserver(this);
}

FormWindow::~FormWindow() { m_form.setObserver(nullptr); }

void FormWindow::build()
{
    m_views.assign(m_form.controls().size(), nullptr);
    m_surfaces.assign(m_form.controls().size(), nullptr);
    for (Control& c : m_form.controls()) {
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
        case Kind::Timer: continue;
        }
        m_views[c.index()] = view;
        QWidget* w = view->widget();
        w->setObjectName(QString::fromLatin1(c.name().data(), c.name().size()));
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
            connect(button, &QPushButton::clicked, this,
                [this, control] { m_form.click(control->id()); });
        }
    }
    // Siblings are listed front to back: raising them from the back leaves the first in front.
    for (auto it = m_views.rbegin(); it != m_views.rend(); ++it)
        if (*it)
            (*it)->widget()->raise();

    // Keyboard focus follows TabIndex through the controls that take focus.
    std::vector<Control*> order;
    for (Control& c : m_form.controls())
        if (m_views[c.index()] && c.desc().tabIndex >= 0
            && m_views[c.index()]->widget()->focusPolicy() != Qt::NoFocus)
            order.push_back(&c);
    std::sort(order.begin(), order.end(),
        [](Control* a, Control* b) { return a->desc().tabIndex < b->desc().tabIndex; });
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(
            m_views[order[i - 1]->index()]->widget(), m_views[order[i]->index()]->widget());

    new Accessibility(*this);
}

void FormWindow::watch(QWidget* widget, Control* control)
{
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_watched.emplace_back(widget, control);
}

Control* FormWindow::controlAt(QObject* widget) const
{
    for (const auto& [w, c] : m_watched)
        if (w == widget)
            return c;
    return nullptr;
}

QWidget* FormWindow::widgetFor(ControlId id)
{
    ControlView* v = id == ControlId::Form1 ? nullptr : m_views[indexOf(id)];
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
}

void FormWindow::stopTimers() { m_scheduler->stopAll(); }

void FormWindow::controlChanged(Control& control, Prop prop)
{
    if (control.kind() == Kind::Timer) {
        if (prop == Prop::Enabled)
            m_scheduler->setEnabled(control.index(), control.interval(), control.enabled());
        return;
    }
    if (ControlView* v = m_views[control.index()])
        v->apply(prop, m_scale);
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
    Control* control = controlAt(watched);
    if (!control)
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::MouseButtonPress
        && type != QEvent::MouseButtonRelease)
        return false;
    auto* me = static_cast<QMouseEvent*>(event);
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
            m_form.click(control->id());
        return false;
    }
    default: return false;
    }
}

void FormWindow::mouseMoveEvent(QMouseEvent* event)
{
    m_form.mouseMove(ControlId::Form1, mouseArgs(event, event->position().toPoint(), m_scale));
}

void FormWindow::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), toQColor(kForm.backColor));
}

} // namespace gd
