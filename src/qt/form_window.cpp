#include "qt/form_window.h"

#include "qt/palette.h"
#include "qt/pictures.h"
#include "qt/sight.h"
#include "qt/tick_scheduler.h"
#include "qt/window_alpha.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace gd {

FormWindow::FormWindow(Form1& form, Scale scale)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_form(form)
    , m_scale(scale)
    , m_input(
          *this, form, scale, [this](ControlId id) { click(id); },
          [this] { m_scheduler->catchUp(); }) // a move finds what continuous ticking left
    , m_views(form, *this, scale, [this](const std::vector<Control*>& c) { built(c); })
    , m_keyboard(*this, form, m_views)
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
    QFont font(toQString(desc.font.face));
    font.setPointSizeF(desc.font.size);
    setFont(font);
    m_views.buildShown();
    m_announcer.emplace(*this);
    m_form.setObserver(m_sight);
}

FormWindow::~FormWindow() { m_form.setObserver(nullptr); }

// A part was built: its controls take input, join the keyboard order and are described to a
// screen reader, and those out of sight leave both again.
void FormWindow::built(const std::vector<Control*>& built)
{
    for (Control* c : built)
        m_input.watch(*c, *m_views.builtView(*c));
    m_keyboard.adopt(built);
    describeAccessibility(*this, m_views.views(), built);
    m_keyboard.placeAll(built);
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
    m_views.windowUsed();
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
    if (ControlView* v = m_views.builtView(control)) {
        m_announcer->beforeChange(control, v->widget(), prop);
        m_keyboard.beforeChange(control, prop);
        v->apply(prop, m_scale);
        m_keyboard.afterChange(control, prop);
        m_announcer->afterChange(control, v->widget(), prop);
    } else if (prop == Prop::Visible && control.visible() && m_views.awaitsBuilding(control)) {
        m_views.buildFrom(control); // shown before its turn came: built now, as the model has it
        m_keyboard.afterChange(control, prop);
        m_announcer->afterChange(control, m_views.builtView(control)->widget(), prop);
    }
}

void FormWindow::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), toQColor(kForm.backColor));
    m_views.firstFramePainted(); // what it does not show may be built from now on
}

} // namespace gd
