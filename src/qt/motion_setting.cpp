#include "qt/motion_setting.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusVariant>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <optional>
#include <utility>

namespace gd {

namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");

using Wish = std::optional<bool>; // reduce or not; nothing when the value says neither

// The settings that carry the wish, strongest first: the first that the portal knows decides.
// Portals that know the desktop-neutral key derive it from the desktop's own, so that a "no
// preference" there is the desktop's word too.
struct Key {
    const char* group;
    const char* name;
    Wish (*wish)(const QVariant& value);
};

// clang-format off
const std::array<Key, 3> kKeys = { {
    { "org.freedesktop.appearance", "reduced-motion", [](const QVariant& v) -> Wish {
        // 0: no preference, 1: reduce.
        bool ok = false;
        const uint n = v.toUInt(&ok);
        return ok ? Wish(n == 1) : std::nullopt; } },
    { "org.gnome.desktop.interface", "enable-animations", [](const QVariant& v) -> Wish {
        return v.metaType() == QMetaType::fromType<bool>() ? Wish(!v.toBool()) : std::nullopt; } },
    // KDE's portal gives the kdeglobals entry as it is written there, as text.
    { "org.kde.kdeglobals.KDE", "AnimationDurationFactor", [](const QVariant& v) -> Wish {
        bool ok = false;
        const double factor = v.toDouble(&ok);
        return ok ? Wish(factor == 0) : std::nullopt; } },
} };
// clang-format on

// A value as the portal sends it: a variant, which Read wraps in one more.
QVariant unwrap(QVariant value)
{
    while (value.metaType() == QMetaType::fromType<QDBusVariant>())
        value = qvariant_cast<QDBusVariant>(value).variant();
    return value;
}

} // namespace

MotionSetting::MotionSetting(std::function<void(bool reduce)> changed, QObject* parent)
    : QObject(parent)
    , m_changed(std::move(changed))
{
}

void MotionSetting::readAfterFirstFrame(QWidget* window)
{
    QWindow* handle = window->windowHandle();
    if (!handle)
        return; // never shown: nothing moves
    if (handle->isExposed())
        QTimer::singleShot(0, this, &MotionSetting::read);
    else
        handle->installEventFilter(this);
}

// The first exposure paints the first frame before the event loop turns again; the portal is
// asked at that turn.
bool MotionSetting::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed()) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &MotionSetting::read);
    }
    return false;
}

void MotionSetting::read()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return;
    // Listening first, so that no change falls between an answer and the listening. (Qt 6.4
    // refuses a slot that takes a QDBusVariant, so the slot takes the whole message.)
    bus.connect(kService, kPath, kInterface, QStringLiteral("SettingChanged"), this,
        SLOT(settingChanged(QDBusMessage)));
    for (std::size_t key = 0; key < kKeys.size(); ++key)
        ask(key, true);
}

// All three are asked at once; each answer comes back on its own.
void MotionSetting::ask(std::size_t key, bool readOne)
{
    QDBusMessage call = QDBusMessage::createMethodCall(
        kService, kPath, kInterface, readOne ? QStringLiteral("ReadOne") : QStringLiteral("Read"));
    call << QString::fromLatin1(kKeys[key].group) << QString::fromLatin1(kKeys[key].name);
    auto* watcher
        = new QDBusPendingCallWatcher(QDBusConnection::sessionBus().asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [this, key, readOne](QDBusPendingCallWatcher* done) { answered(key, readOne, done); });
}

void MotionSetting::answered(std::size_t key, bool readOne, QDBusPendingCallWatcher* call)
{
    call->deleteLater();
    if (m_answers[key] != Answer::Awaited)
        return; // a change came first, and is newer
    const QDBusMessage reply = call->reply();
    if (reply.type() == QDBusMessage::ErrorMessage) {
        // Portals before version 2 have Read alone.
        if (readOne
            && reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) {
            ask(key, false);
            return;
        }
        m_answers[key] = Answer::None; // not known here, no portal, or no answer in time
    } else {
        m_answers[key]
            = reply.arguments().isEmpty() ? Answer::None : answer(key, reply.arguments()[0]);
    }
    decide();
}

void MotionSetting::settingChanged(const QDBusMessage& signal)
{
    const QList<QVariant> args = signal.arguments();
    if (args.size() != 3)
        return;
    const QString group = args[0].toString(), key = args[1].toString();
    for (std::size_t k = 0; k < kKeys.size(); ++k) {
        if (group == QLatin1String(kKeys[k].group) && key == QLatin1String(kKeys[k].name)) {
            m_answers[k] = answer(k, args[2]);
            decide();
            return;
        }
    }
}

MotionSetting::Answer MotionSetting::answer(std::size_t key, const QVariant& value)
{
    const Wish wish = kKeys[key].wish(unwrap(value));
    return !wish ? Answer::None : *wish ? Answer::Reduce : Answer::Full;
}

// The strongest key that has a wish decides, once every stronger one has answered.
void MotionSetting::decide()
{
    bool reduce = false;
    for (Answer answer : m_answers) {
        if (answer == Answer::Awaited)
            return;
        if (answer != Answer::None) {
            reduce = answer == Answer::Reduce;
            break;
        }
    }
    if (std::exchange(m_reduce, reduce) != reduce)
        m_changed(reduce);
}

} // namespace gd
