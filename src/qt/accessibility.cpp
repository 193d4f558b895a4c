#include "qt/accessibility.h"

#include "core/window_core.h"
#include "qt/view_builder.h"

#include <QAbstractScrollArea>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QLabel>
#include <QScrollBar>

namespace gd {

namespace {

// What this file makes of each object it knows: a role of its own, or NoRole where Qt's interface
// serves.
struct Known {
    QAccessible::Role role = QAccessible::NoRole;
    const Control* control = nullptr; // the control an object shows, if any
    const WindowCore* core = nullptr;
    PressTarget* target = nullptr;
};

QHash<const QObject*, Known>& known()
{
    static QHash<const QObject*, Known> objects;
    return objects;
}

void enrol(QObject* object, Known what)
{
    if (!known().contains(object))
        QObject::connect(object, &QObject::destroyed, [object] { known().remove(object); });
    known().insert(object, what);
}

QAccessible::Role qtRole(AccessibleRole role)
{
    switch (role) {
    case AccessibleRole::Unset: return QAccessible::NoRole;
    case AccessibleRole::Window: return QAccessible::Window;
    case AccessibleRole::Button: return QAccessible::Button;
    case AccessibleRole::Graphic: return QAccessible::Graphic;
    case AccessibleRole::Animation: return QAccessible::Animation;
    case AccessibleRole::Pane: return QAccessible::Pane;
    }
    return QAccessible::NoRole;
}

// What announce() says: a widget of one pixel in the window's corner that paints nothing and lets
// the mouse through. (An empty one would lie wholly outside the window, and out of the tree.)
class Notice : public QWidget {
    Q_OBJECT

public:
    explicit Notice(QWidget* window)
        : QWidget(window)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setGeometry(0, 0, 1, 1);
        hide();
    }
};

// Every interface this file makes is one of these, so that one Qt made is told apart.
class RoleAccessible : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;
};

// The window and the client areas of picture boxes: their children that lie out of view can
// never be seen, so they are left out.
class ContainerAccessible : public RoleAccessible {
public:
    using RoleAccessible::RoleAccessible;

    int childCount() const override { return int(inView().size()); }

    QAccessibleInterface* child(int index) const override
    {
        const QList<QWidget*> children = inView();
        return index >= 0 && index < children.size()
            ? QAccessible::queryAccessibleInterface(children[index])
            : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override
    {
        return child ? int(inView().indexOf(qobject_cast<QWidget*>(child->object()))) : -1;
    }

private:
    QList<QWidget*> inView() const
    {
        QList<QWidget*> children;
        for (QObject* object : widget()->children()) {
            auto* w = qobject_cast<QWidget*>(object);
            if (!w || w->isWindow())
                continue;
            const Known what = known().value(w);
            if (!what.control || what.core->inView(*what.control))
                children.append(w);
        }
        return children;
    }
};

// "_" and "X": a push button with the Press action.
class LabelButtonAccessible : public RoleAccessible {
public:
    LabelButtonAccessible(QWidget* label, const Known& what)
        : RoleAccessible(label, QAccessible::Button)
        , m_control(what.control->id())
        , m_target(what.target)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction())
            m_target->clickLater(m_control);
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
    PressTarget* m_target;
};

QAccessibleInterface* interfaceFor(const QString&, QObject* object)
{
    const auto found = known().constFind(object);
    if (found == known().cend() || found->role == QAccessible::NoRole)
        return nullptr;
    auto* widget = static_cast<QWidget*>(object); // everything enrolled is one
    switch (found->role) {
    case QAccessible::Window:
    case QAccessible::Client: return new ContainerAccessible(widget, found->role);
    case QAccessible::Button: return new LabelButtonAccessible(widget, *found);
    default: return new RoleAccessible(widget, found->role);
    }
}

// A built control's widget, or the window itself; nullptr while the control is not built.
QWidget* builtWidget(QWidget& window, const ViewBuilder& views, Form1& form, ControlId id)
{
    if (id == ControlId::Form1)
        return &window;
    ControlView* view = views.builtView(form[id]);
    return view ? view->widget() : nullptr;
}

QLabel* builtLabel(const ViewBuilder& views, Form1& form, ControlId id)
{
    ControlView* view = id == ControlId::Form1 ? nullptr : views.builtView(form[id]);
    return view ? view->label() : nullptr;
}

void describe(QWidget& window, const ViewBuilder& views, Form1& form, const AccessibleText& row)
{
    QWidget* widget = builtWidget(window, views, form, row.control);
    if (!widget)
        return;
    if (!row.name.empty()) {
        if (widget->accessibleName() != toQString(row.name))
            widget->setAccessibleName(toQString(row.name));
        // A label named for what it is still tells what it shows.
        QLabel* label = builtLabel(views, form, row.control);
        if (label && !form[row.control].actsAsButton())
            label->setAccessibleDescription(label->text());
    }
    if (!row.labelledBy)
        return;
    QLabel* label = builtLabel(views, form, *row.labelledBy);
    if (!label)
        return;
    // A buddy label with an ampersand in its text would turn it into a keyboard shortcut and
    // draw it underlined.
    if (label->parentWidget() == widget->parentWidget()
        && !label->text().contains(QLatin1Char('&')))
        label->setBuddy(widget);
    else if (row.name.empty() && widget->accessibleName() != label->text())
        widget->setAccessibleName(label->text());
}

} // namespace

void describeAccessibility(QWidget& window, PressTarget& target, WindowCore& core,
    const ViewBuilder& views, const std::vector<Control*>& built)
{
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;

    Form1& form = core.form();
    QList<QWidget*> widgets { &window };
    enrol(&window, { QAccessible::Window, nullptr, &core, &target });
    for (Control* c : built) {
        ControlView* view = views.builtView(*c);
        widgets.append(view->widget());
        enrol(view->widget(), { qtRole(accessibleRole(*c)), c, &core, &target });
        if (QWidget* client = view->clientArea()) {
            widgets.append(client);
            enrol(client, { QAccessible::Client, nullptr, &core, &target });
        }
    }
    // Qt made interfaces for some widgets while they were built, before this file knew them
    // (also before any assistive technology connects); they go, so that the next look makes this
    // file's.
    for (QWidget* widget : widgets) {
        if (known().value(widget).role == QAccessible::NoRole)
            continue;
        QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget);
        if (made && !dynamic_cast<RoleAccessible*>(made))
            QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
    // A row is done once both its control and the label naming it are there, whichever came
    // last; doing it again changes nothing.
    const auto isNew = [&](ControlId id) {
        return std::ranges::any_of(built, [id](const Control* c) { return c->id() == id; });
    };
    for (const AccessibleText& row : accessibleTexts())
        if (row.control == ControlId::Form1 || isNew(row.control)
            || (row.labelledBy && isNew(*row.labelledBy)))
            describe(window, views, form, row);
    // A listing's scroll bars can be moved by assistive technology too: say which is which.
    for (Control* c : built) {
        if (QAbstractScrollArea* listing = views.builtView(*c)->scrollArea()) {
            listing->verticalScrollBar()->setAccessibleName(QStringLiteral("Vertical"));
            listing->horizontalScrollBar()->setAccessibleName(QStringLiteral("Horizontal"));
        }
    }
}

void announceInView(QWidget* widget, bool inView)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(
        widget, inView ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&event);
}

Announcer::Announcer(QWidget& window)
    : m_notice(new Notice(&window))
{
    enrol(m_notice, { QAccessible::Notification });
}

void Announcer::announce(const QString& text)
{
    // Shown again under its new name, since it is the showing that is read out.
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->setVisible(!text.isEmpty());
}

void presentAnew(QWidget* widget)
{
    if (!QAccessible::isActive())
        return;
    announceInView(widget, false);
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    announceInView(widget, true);
}

} // namespace gd

#include "accessibility.moc"
