#include "qt/form_window.h"

#include "qt/palette.h"
#include "qt/pictures.h"
#include "qt/tick_timer.h"
#include "qt/window_alpha.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace gd {

FormWindow::FormWindow(Form1& form, Scale scale, TickScheduler::Clock clock)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint)
    , m_form(form)
    , m_scale(scale)
    , m_ticks(new TickTimer(this))
    , m_views(form, *this, scale)
    , m_core(form, *this, scale, std::move(clock), m_ticks)
    , m_input(*this, m_core, m_views, [this](ControlId id) { click(id); })
    , m_keyboard(*this, m_core, m_views)
{
    m_ticks->wake(m_core.scheduler());
    const FormDesc& desc = kForm;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(toQString(desc.caption));
    setWindowIcon(loadIcon(desc.icon));
    setFixedSize(toQRect(m_scale.rect(0, 0, desc.clientWidth, desc.clientHeight)).size());
    setAttribute(Qt::WA_OpaquePaintEvent);
    setPalette(designedPalette()); // whatever the desktop's, before any control inherits it
    // Where the window system cannot fade a window, its pixels carry the opacity: that takes a
    // window with an alpha channel, chosen before the native window exists.
    if (!platformHasWindowOpacity())
        setAttribute(Qt::WA_TranslucentBackground);
    QFont font(toQString(desc.font.face));
    font.setPointSizeF(desc.font.size);
    setFont(font);
    QAccessible::installActivationObserver(this);
    m_core.buildShown();
    m_announcer.emplace(*this);
}

FormWindow::~FormWindow() { QAccessible::removeActivationObserver(this); }

// A part was built: its controls take input, join the keyboard order and are described to a
// screen reader. (The core then takes those out of view out of both again.)
void FormWindow::build(const std::vector<Control*>& part)
{
    m_views.build(part, m_core.plan());
    for (Control* c : part)
        m_input.watch(*m_views.builtView(*c));
    m_keyboard.adopt(part);
    describeAccessibility(*this, *this, m_core, m_views, part);
}

void FormWindow::apply(Control& control, Prop prop)
{
    m_views.builtView(control)->apply(prop, m_scale);
}

PixelRect FormWindow::placement(const Control& control)
{
    return fromQRect(m_views.builtView(control)->widget()->geometry());
}

PixelSize FormWindow::clientSize(const Control* container)
{
    const QSize size = m_views.holder(container)->size();
    return { size.width(), size.height() };
}

void FormWindow::buildSoon()
{
    QTimer::singleShot(0, this, [this] { m_core.buildNextPart(); });
}

void FormWindow::viewChanged(Control& control, bool inView)
{
    m_keyboard.viewChanged(control, inView);
    announceInView(m_views.builtView(control)->widget(), inView);
}

void FormWindow::announce(std::string_view text) { m_announcer->announce(displayText(text)); }

void FormWindow::presentAnew(Control& control)
{
    gd::presentAnew(m_views.builtView(control)->widget());
}

ControlView* FormWindow::view(Control& control)
{
    m_core.ensureBuilt(control);
    return m_views.builtView(control);
}

QWidget* FormWindow::widgetFor(ControlId id)
{
    ControlView* v = id == ControlId::Form1 ? nullptr : view(m_form[id]);
    return v ? v->widget() : nullptr;
}

Surface* FormWindow::surface(const Control& control)
{
    ControlView* v = m_views.builtView(control);
    return v ? v->surface() : nullptr;
}

void FormWindow::start()
{
    m_core.startTimers();
    m_form.load();
    if (m_form.ended())
        return;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - rect().center());
    }
    show();
    // Whether anyone can see the window follows its exposure from now on, the first frame after
    // a restore included, before the window paints it.
    windowHandle()->installEventFilter(this);
    m_core.sight().setWindowSeen(windowHandle()->isExposed());
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && watched == windowHandle())
        m_core.sight().setWindowSeen(windowHandle()->isExposed());
    return false;
}

void FormWindow::stopTimers() { m_core.scheduler().stopAll(); }

void FormWindow::click(ControlId control) { m_core.click(control); }

void FormWindow::clickLater(ControlId control)
{
    QTimer::singleShot(0, this, [this, control] { click(control); });
}

void FormWindow::paintEvent(QPaintEvent* event)
{
    QPainter p(this);
    p.fillRect(event->rect(), toQColor(kForm.backColor));
    m_core.firstFramePainted();
}

} // namespace gd
