#include "qt/accessibility.h"

#include "handlers/menu.h"
#include "qt/views.h"

#include <QAbstractScrollArea>
#include <QAccessibleWidget>
#include <QLabel>
#include <QScrollBar>

#include <algorithm>

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

const AccessibleText* rowFor(ControlId control)
{
    for (const AccessibleText& row : kTexts)
        if (row.control == control)
            return &row;
    return nullptr;
}

bool isClientArea(QObject* object)
{
    auto* box = dynamic_cast<PictureBoxView*>(object->parent());
    return box && box->clientArea() == object;
}

// What announce() says: a widget of one pixel in the window's corner that paints nothing and lets
// the mouse through. (An empty one would lie wholly outside the window, and out of the tree.)
class Notice : public QWidget {
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

// "_" and "X": a push button with the Press action.
class LabelButtonAccessible : public RoleAccessible {
public:
    LabelButtonAccessible(QWidget* label, ControlId control)
        : RoleAccessible(label, QAccessible::Button)
        , m_control(control)
    {
    }

    QStringList actionNames() const override
    {
        return QStringList(pressAction()) + QAccessibleWidget::actionNames();
    }

    void doAction(const QString& action) override
    {
        if (action == pressAction()) {
            if (auto* window = dynamic_cast<PressTarget*>(widget()->window()))
                window->clickLater(m_control);
        } else
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
    if (dynamic_cast<PressTarget*>(object))
        return QAccessible::Window;
    if (isClientArea(object))
        return QAccessible::Client;
    if (dynamic_cast<Notice*>(object))
        return QAccessible::Notification;
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

// A built control's widget, or the window itself; nullptr while the control is not built.
QWidget* builtWidget(QWidget& window, const std::vector<ControlView*>& views, ControlId id)
{
    if (id == ControlId::Form1)
        return &window;
    ControlView* view = views[std::size_t(id)];
    return view ? view->widget() : nullptr;
}

void describe(QWidget& window, const std::vector<ControlView*>& views, const AccessibleText& row)
{
    QWidget* widget = builtWidget(window, views, row.control);
    if (!widget)
        return;
    if (!row.name.empty()) {
        if (widget->accessibleName() != toQString(row.name))
            widget->setAccessibleName(toQString(row.name));
        // A label named for what it is still tells what it shows.
        auto* label = dynamic_cast<LabelView*>(widget);
        if (label && !actsAsButton(label->control()))
            label->setAccessibleDescription(label->text());
    }
    if (!row.labelledBy)
        return;
    auto* label = dynamic_cast<QLabel*>(builtWidget(window, views, *row.labelledBy));
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

void describeAccessibility(
    QWidget& window, const std::vector<ControlView*>& views, const std::vector<Control*>& built)
{
    static const bool installed = (QAccessible::installFactory(interfaceFor), true);
    (void)installed;

    QList<QWidget*> widgets { &window };
    for (Control* c : built) {
        ControlView* view = views[c->index()];
        widgets.append(view->widget());
        if (QWidget* client = view->clientArea())
            widgets.append(client);
    }
    // Qt made interfaces for some widgets while they were built, before this factory was there
    // (also before any assistive technology connects); they go, so that the next look makes this
    // file's.
    for (QWidget* widget : widgets) {
        if (ownRole(widget) == QAccessible::NoRole)
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
    for (const AccessibleText& row : kTexts)
        if (row.control == ControlId::Form1 || isNew(row.control)
            || (row.labelledBy && isNew(*row.labelledBy)))
            describe(window, views, row);
    // A listing's scroll bars can be moved by assistive technology too: say which is which.
    for (Control* c : built) {
        if (auto* listing = dynamic_cast<QAbstractScrollArea*>(views[c->index()]->widget())) {
            listing->verticalScrollBar()->setAccessibleName(QStringLiteral("Vertical"));
            listing->horizontalScrollBar()->setAccessibleName(QStringLiteral("Horizontal"));
        }
    }
}

void announceSight(QWidget* widget, bool inSight)
{
    if (!QAccessible::isActive())
        return;
    QAccessibleEvent event(
        widget, inSight ? QAccessible::ObjectCreated : QAccessible::ObjectDestroyed);
    QAccessible::updateAccessibility(&event);
}

Announcer::Announcer(QWidget& window)
    : m_notice(new Notice(&window))
{
}

void Announcer::announce(const QString& text)
{
    // Shown again under its new name, since it is the showing that is read out.
    m_notice->hide();
    m_notice->setAccessibleName(text);
    m_notice->setVisible(!text.isEmpty());
}

void Announcer::beforeChange(const Control& control, QWidget* widget, Prop prop)
{
    // Only a tutorial panel is ever told of.
    if (prop == Prop::Visible && !control.visible() && m_told == widget) {
        announce({});
        m_told = nullptr;
    }
}

void Announcer::afterChange(const Control& control, QWidget* widget, Prop prop)
{
    // The focus stays on the menu button; the panel's heading tells what opened.
    if (prop == Prop::Visible && control.visible() && tutorialShownIn(control.id())) {
        announce(widget->accessibleName());
        m_told = widget;
    }
}

void presentAnew(QWidget* widget)
{
    if (!QAccessible::isActive())
        return;
    announceSight(widget, false);
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(widget))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    announceSight(widget, true);
}

} // namespace gd
