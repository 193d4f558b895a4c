#include "qt/accessibility.h"

#include "qt/form_window.h"

#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include <utility>

namespace gd {

namespace {

using R = QAccessible::Role;

// clang-format off
constexpr AccessibleText kTexts[] = {
    //  control              name                                    labelled by          role
    // The window: its caption "Form1" stays on the task bar.
    { ControlId::Form1,      "Glimmerdeck",                          {},                  R::Window },
    // The frame labels, which act as push buttons. "Close" alone would be a tutorial's button.
    { ControlId::Label5,     "Minimise",                             {} },
    { ControlId::Label6,     "Close Glimmerdeck",                    {} },

    // Each listing is named by the caption or column heading above it.
    { ControlId::txtTrans,   "",                                     ControlId::Label2 },
    { ControlId::txtTrabs,   "",                                     ControlId::Label3 },
    { ControlId::txtFade,    "",                                     ControlId::Label9 },
    { ControlId::Text1,      "",                                     ControlId::Label16 },
    { ControlId::Text2,      "",                                     ControlId::Label17 },
    { ControlId::Text3,      "",                                     ControlId::Label30 },
    { ControlId::Text4,      "",                                     ControlId::Label31 },
    { ControlId::Text5,      "",                                     ControlId::Label41 },
    { ControlId::Text6,      "",                                     ControlId::Label40 },
    { ControlId::Text7,      "",                                     ControlId::Label53 },
    { ControlId::Text8,      "",                                     ControlId::Label54 },

    // Each tutorial panel by its heading.
    { ControlId::Picture1,   "",                                     ControlId::Label4 },
    { ControlId::Picture2,   "",                                     ControlId::Label7 },
    { ControlId::Picture6,   "",                                     ControlId::Label12 },
    { ControlId::Picture8,   "",                                     ControlId::Label29 },
    { ControlId::Picture13,  "",                                     ControlId::Label39 },
    { ControlId::Picture16,  "",                                     ControlId::Label52 },

    // The demonstrations, by the captions under or beside them, and their moving parts by what
    // they are.
    { ControlId::lblSample,  "Fading caption",                       {} },
    { ControlId::Picture7,   "Image Button and Label Button sample", ControlId::Label13 },
    { ControlId::ImgHover,   "",                                     ControlId::Label14,  R::Graphic },
    { ControlId::ImgClick,   "Image Button, pointer over it",        {},                  R::Graphic },
    { ControlId::lblButton,  "",                                     ControlId::Label15 },
    { ControlId::Picture9,   "",                                     ControlId::Label35,  R::Graphic },
    { ControlId::Picture10,  "",                                     ControlId::Label36,  R::Graphic },
    { ControlId::Picture11,  "Spinning picture, work surface",       ControlId::Label37,  R::Animation },
    { ControlId::Picture12,  "Spinning picture",                     ControlId::Label38,  R::Animation },
    { ControlId::Picture14,  "Transition box",                       {} },
    { ControlId::picTrans,   "Horizontally sliding box",             {},                  R::Animation },
    { ControlId::picUp,      "Vertically sliding box",               {},                  R::Animation },
    { ControlId::Picture18,  "",                                     ControlId::Label63 },
    { ControlId::lblAni,     "Blinking text",                        {} },
    { ControlId::Picture17,  "",                                     ControlId::Label64 },
    { ControlId::lblAni1,    "News ticker",                          {} },
};
// clang-format on

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

const AccessibleText* rowFor(ControlId control)
{
    for (const AccessibleText& row : kTexts)
        if (row.control == control)
            return &row;
    return nullptr;
}

// A label the program handles clicks on ("_", "X") is a push button to the keyboard and to
// assistive technology.
bool actsAsButton(const Control& control)
{
    return control.kind() == Kind::Label && control.form().handles(control.id(), Event::Click);
}

// The click of a button pressed by assistive technology runs from the event loop, as a mouse
// click does: the exit question waits in its own loop, and the request that pressed must be
// answered first.
void clickLater(QWidget* widget, ControlId control)
{
    QTimer::singleShot(0, widget, [widget, control] {
        if (auto* window = dynamic_cast<FormWindow*>(widget->window()))
            window->form().click(control);
    });
}

bool whollyOutside(const QWidget* widget)
{
    const QWidget* container = widget->parentWidget();
    return container && !widget->geometry().intersects(container->rect());
}

bool isClientArea(QObject* object)
{
    auto* box = dynamic_cast<PictureBoxView*>(object->parent());
    return box && box->clientArea() == object;
}

// Every interface this file makes is one of these, so that one Qt made is told apart.
class RoleAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
};

// The window and the client areas of picture boxes: their children that lie wholly outside can
// never be seen, so they are left out.
class ContainerAccessible : public RoleAccessible {
public:
    using RoleAccessible::RoleAccessible;

    int childCount() const override { return int(inSight().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = inSight();
        return index >= 0 && index < children.size()
            ? QAccessible::queryAccessibleInterface(children[index])
            : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(inSight().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> inSight() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children())
            if (auto* w = qobject_cast<QWidget*>(object); w && !w->isWindow() && !whollyOutside(w))
                children.append(w);
        return children;
    }
};

// "_" and "X": a push button with the Press action, and nothing inside (the focus ring is a
// drawing, not content).
class LabelButtonAccessible : public RoleAccessible {
public:
    LabelButtonAccessible(QWidget* label, ControlId control)
        : RoleAccessible(label, QAccessible::Button)
        , m_control(control)
    {
    }

    int childCount() const override { return 0; }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            clickLater(widget(), m_control);
        else
            QAccessibleWidget::doAction(action);
    }

    QStringList keyBindingsForAction(const QString& action) const override
    {
        if (action == pressAction())
            return { QStringLiteral("space") };
        return QAccessibleWidget::keyBindingsForAction(action);
    }

private:
    ControlId m_control;
};

// What this file makes of an object: a role of its own, or NoRole where Qt's interface serves.
QAccessible::Role ownRole(QObject* object)
{
    if (dynamic_cast<FormWindow*>(object))
        return QAccessible::Window;
    if (isClientArea(object))
        return QAccessible::Client;
    auto* view = dynamic_cast<ControlView*>(object);
    if (!view)
        return QAccessible::NoRole;
    const Control& control = view->control();
    if (actsAsButton(control))
        return QAccessible::Button;
    if (const AccessibleText* row = rowFor(control.id()); row && row->role != QAccessible::NoRole)
        return row->role;
    // A picture box holds other controls or shows a picture: a panel, not a window frame.
    return control.kind() == Kind::PictureBox ? QAccessible::Pane : QAccessible::NoRole;
}

QAccessibleInterface* interfaceFor(const QString&, QObject* object)
{
    const QAccessible::Role role = ownRole(object);
    if (role == QAccessible::NoRole)
        return nullptr;
    auto* widget = static_cast<QWidget*>(object); // everything with a role of its own is one
    switch (role) {
    case QAccessible::Window:
    case QAccessible::Client: return new ContainerAccessible(widget, role);
    case QAccessible::Button:
        return new LabelButtonAccessible(
            widget, dynamic_cast<ControlView*>(object)->control().id());
    default: return new RoleAccessible(widget, role);
    }
}

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

std::span<const AccessibleText> accessibleTexts() { return kTexts; }

Accessibility::Accessibility(FormWindow& window)
    : QObject(&window)
    , m_window(window)
{
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;

    QList<QWidget*> widgets { &window };
    for (Control& c : window.form().controls()) {
        if (ControlView* view = window.view(c)) {
            m_controls.insert(view->widget(), &c);
            widgets.append(view->widget());
            if (QWidget* client = view->clientArea())
                widgets.append(client);
        }
    }
    for (QWidget* widget : widgets) {
        widget->installEventFilter(this);
        // Qt made interfaces for some widgets while they were built, before this factory was
        // there (also before any assistive technology connects); they go, so that the next look
        // makes this file's.
        if (ownRole(widget) == QAccessible::NoRole)
            continue;
        QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
        if (made && !dynamic_cast<RoleAccessible*>(made))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
    for (const AccessibleText& row : kTexts)
        describe(row);
    for (Control& c : window.form().controls()) {
        if (!window.view(c))
            continue;
        if (actsAsButton(c))
            makeButton(c);
        // A listing's scroll bars can be moved by assistive technology too: say which is which.
        if (auto* listing = dynamic_cast<QAbstractScrollArea*>(window.view(c)->widget())) {
            listing->verticalScrollBar()->setAccessibleName(QStringLiteral("Vertical"));
            listing->horizontalScrollBar()->setAccessibleName(QStringLiteral("Horizontal"));
        }
    }
    for (auto it = m_controls.cbegin(); it != m_controls.cend(); ++it)
        place(static_cast<QWidget*>(it.key()));

    // No control has the focus when the window first becomes active, so nothing looks focused
    // until the keyboard is used; the first Tab goes to the first control.
    window.setFocus(Qt::OtherFocusReason);
}

Control* Accessibility::controlOf(QObject* widget) const
{
    return m_controls.value(widget, nullptr);
}

void Accessibility::describe(const AccessibleText& row)
{
    QWidget* widget = row.control == ControlId::Form1 ? &m_window : m_window.widgetFor(row.control);
    if (!row.name.empty()) {
        widget->setAccessibleName(latin1(row.name));
        // A label named for what it is still tells what it shows.
        auto* label = dynamic_cast<QLabel*>(widget);
        if (label && !actsAsButton(*controlOf(label)))
            label->setAccessibleDescription(label->text());
    }
    if (!row.labelledBy)
        return;
    auto* label = dynamic_cast<QLabel*>(m_window.widgetFor(*row.labelledBy));
    if (!label)
        return;
    // A buddy label with an ampersand in its text would turn it into a keyboard shortcut and
    // draw it underlined.
    if (label->parentWidget() == widget->parentWidget()
        && !label->text().contains(QLatin1Char('&')))
        label->setBuddy(widget);
    else if (row.name.empty())
        widget->setAccessibleName(label->text());
}

void Accessibility::makeButton(Control& label)
{
    QWidget* widget = m_window.view(label)->widget();
    // From the keyboard only: a mouse click still leaves the focus where it was.
    widget->setFocusPolicy(Qt::TabFocus);
    joinTabOrder(label);
    m_rings.insert(widget, new FocusRing(widget));
}

// The keyboard order was set by TabIndex among the controls that took the focus then; this puts
// one more control in its place: after the focusable control with the next lower TabIndex, or
// after the last one when it comes first.
void Accessibility::joinTabOrder(Control& control)
{
    const int index = control.desc().tabIndex;
    QWidget* before = nullptr;
    QWidget* last = nullptr;
    int beforeIndex = -1, lastIndex = -1;
    for (Control& c : m_window.form().controls()) {
        ControlView* view = m_window.view(c);
        const int i = c.desc().tabIndex;
        if (&c == &control || !view || i < 0 || view->widget()->focusPolicy() == Qt::NoFocus)
            continue;
        if (i < index && i > beforeIndex) {
            before = view->widget();
            beforeIndex = i;
        }
        if (i > lastIndex) {
            last = view->widget();
            lastIndex = i;
        }
    }
    if (QWidget* after = before ? before : last)
        QWidget::setTabOrder(after, m_window.view(control)->widget());
}

// Leaves a control out of the tree and the keyboard order while it lies wholly outside its
// container's client area, and brings it back when it moves in.
void Accessibility::place(QWidget* widget)
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
    if (QAccessible::isActive()) {
        // Over AT-SPI these are the parent's children-changed "remove" and "add".
        QAccessibleEvent event(
            widget, outside ? QAccessible::ObjectDestroyed : QAccessible::ObjectCreated);
        QAccessible::updateAccessibility(&event);
    }
}

bool Accessibility::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
        if (controlOf(watched))
            place(static_cast<QWidget*>(watched));
        if (event->type() == QEvent::Resize) {
            for (QObject* child : watched->children())
                if (controlOf(child))
                    place(static_cast<QWidget*>(child));
            if (QWidget* ring = m_rings.value(watched))
                ring->setGeometry(static_cast<QWidget*>(watched)->rect());
        }
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        if (QWidget* ring = m_rings.value(watched))
            ring->setVisible(event->type() == QEvent::FocusIn);
        return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
        // The space bar clicks a frame label as it clicks a button: on release.
        auto* key = static_cast<QKeyEvent*>(event);
        Control* control = controlOf(watched);
        if (!control || !actsAsButton(*control) || key->key() != Qt::Key_Space
            || key->isAutoRepeat())
            return false;
        if (event->type() == QEvent::KeyPress)
            m_spaceDown = true;
        else if (std::exchange(m_spaceDown, false))
            m_window.form().click(control->id());
        return true;
    }
    default: return false;
    }
}

} // namespace gd
