#pragma once

// The desktop's wish for less movement (GNOME's "Reduce Animation", KDE's animation speed at
// "Instant", or the desktop-neutral setting), as the desktop portal's settings on the session
// bus tell it. Nothing waits for it: the portal is asked once the window has shown its first
// frame, its answers come back through the event loop, and a change is taken while the program
// runs. Without a session bus or a portal the wish is for full motion, as it was before anyone
// asked.

#include <QObject>

#include <array>
#include <cstdint>
#include <functional>

class QDBusMessage;
class QDBusPendingCallWatcher;
class QVariant;
class QWidget;

namespace gd {

class MotionSetting : public QObject {
    Q_OBJECT

public:
    // `changed` hears each change of the wish, with the new one.
    explicit MotionSetting(std::function<void(bool reduce)> changed, QObject* parent = nullptr);

    // Asks the portal right after `window`, shown already, is first on the screen.
    void readAfterFirstFrame(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void settingChanged(const QDBusMessage& signal); // group, key, value

private:
    // What one of the keys says: not answered yet, nothing (the portal does not know it, or
    // there is no portal), or a wish.
    enum class Answer : std::uint8_t { Awaited, None, Reduce, Full };

    void read();
    void ask(std::size_t key, bool readOne);
    void answered(std::size_t key, bool readOne, QDBusPendingCallWatcher* call);
    static Answer answer(std::size_t key, const QVariant& value);
    void decide();

    std::function<void(bool)> m_changed;
    std::array<Answer, 3> m_answers {};
    bool m_reduce = false;
};

} // namespace gd
