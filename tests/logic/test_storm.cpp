// A long random run of clicks, mouse moves and timer ticks on the headless window. After every
// event the promises of the menu, the fade and the effects must still hold, whatever came before.
//
// The seed is printed; GLIMMERDECK_STORM_SEED=<seed> replays a run event for event, and
// GLIMMERDECK_STORM_EVENTS=<n> sets its length (100000 unless told).

#include "fixture.h"
#include "handlers/menu.h"
#include "model/texts.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <vector>

using namespace gd;

namespace {

constexpr std::uint64_t kDefaultEvents = 100'000;
constexpr std::size_t kHistory = 24; // events shown when an invariant breaks

std::uint64_t envNumber(const char* name, std::uint64_t fallback)
{
    const char* text = std::getenv(name);
    if (!text || !*text)
        return fallback;
    return std::stoull(text, nullptr, 0); // 0x... works too
}

std::uint64_t freshSeed()
{
    std::random_device device;
    return (std::uint64_t(device()) << 32) | device();
}

bool wholeMultiple(double v, int step) { return v == std::floor(v) && std::fmod(v, step) == 0; }

// Only shown and enabled controls take clicks. Clipping is not modelled, so the storm also clicks
// menu buttons the collapsed menu covers: more states than a person reaches, none forbidden.
bool clickable(const Control& c)
{
    if (c.kind() == Kind::Timer || !c.isShown())
        return false;
    for (const Control* p = &c; p; p = p->container())
        if (!p->enabled())
            return false;
    return true;
}

// The window model on the test's fake platform, loaded once the storm knows every control.
class Storm : public Fixture {
public:
    std::map<std::string, std::uint64_t> ran; // "Click Command7" -> how often a handler ran

    explicit Storm(std::uint64_t seed)
        : Fixture(false)
        , m_rng(seed)
    {
        platform.defaultAnswer = vbNo; // the exit question is always declined
        for (Control& c : form.controls())
            (c.kind() == Kind::Timer ? m_timers : m_surfaces).push_back(&c);
        form.load();
    }

    // One random event: half of them ticks, as on the real window, where timers fire far more
    // often than anyone clicks. Returns what it was, for the record.
    std::string step()
    {
        m_candidates.clear();
        const std::uint64_t roll = m_rng() % 10;
        const Event kind = roll < 5 ? Event::Timer : roll < 8 ? Event::MouseMove : Event::Click;
        if (kind == Event::MouseMove)
            m_candidates.push_back(nullptr); // the window's own surface
        for (Control* c : kind == Event::Timer ? m_timers : m_surfaces) {
            const bool candidate = kind == Event::Timer ? c->enabled()
                : kind == Event::MouseMove              ? c->isShown()
                                                        : clickable(*c);
            if (candidate)
                m_candidates.push_back(c);
        }
        Control* target = m_candidates[m_rng() % m_candidates.size()];
        const ControlId id = target ? target->id() : ControlId::Form1;
        bool handled = false;
        if (kind == Event::Timer) {
            handled = form.tick(id);
        } else if (kind == Event::MouseMove) {
            MouseArgs args;
            args.button = static_cast<std::int16_t>(m_rng() % 2);
            if (target) {
                args.x = static_cast<float>(m_rng() % (std::uint64_t(target->width()) + 1));
                args.y = static_cast<float>(m_rng() % (std::uint64_t(target->height()) + 1));
            }
            handled = form.mouseMove(id, args);
        } else {
            handled = form.click(id);
        }
        std::string event = eventLabel(kind) + std::string(nameOf(id));
        if (handled)
            ++ran[event];
        return event;
    }

    static std::string eventLabel(Event kind)
    {
        return kind == Event::Timer ? "Tick " : kind == Event::MouseMove ? "Move " : "Click ";
    }

private:
    std::mt19937_64 m_rng;
    std::vector<Control*> m_timers, m_surfaces, m_candidates;
};

// Everything that must hold after any event, checked on the model as it stands. Returns what is
// broken, or nothing.
std::string broken(Storm& s)
{
    Form1& f = s.form;
    if (f.ended() || s.platform.endedWith)
        return "the program ended";
    for (const FakePlatform::Message& m : s.platform.messages) {
        const bool exitQuestion
            = m.title == "EXIT" && m.prompt == "Are you sure you want to quit Glimmerdeck?";
        const bool about = m.title == aboutTitle() && m.prompt == aboutText();
        if (!exitQuestion && !about)
            return "unexpected message box: " + m.prompt;
    }

    int shown = 0;
    for (const Tutorial& t : kTutorials)
        shown += f[t.panel].visible() ? 1 : 0;
    if (shown > 1)
        return std::to_string(shown) + " tutorial panels visible";

    const Control& Command7 = f.Command7;
    const bool opening = f.Timer6.enabled();
    const bool closing = f.Timer7.enabled();
    if (opening && closing)
        return "Timer6 and Timer7 both enabled";
    const bool show = Command7.caption() == "Show Glimmerdeck";
    if (!show && Command7.caption() != "Hide Glimmerdeck")
        return "Command7 caption is '" + Command7.caption() + "'";
    if (Command7.enabled() == (opening || closing))
        return std::string("Command7 ") + (Command7.enabled() ? "enabled" : "disabled")
            + (opening || closing ? " during" : " outside") + " a slide";
    if ((opening && show) || (closing && !show))
        return "Command7 caption '" + Command7.caption() + "' does not match the running slide";

    const float height = f.Picture15.height();
    if (height < 50 || height > 5220)
        return "Picture15.Height " + std::to_string(height);
    if (!opening && !closing && height != (show ? 50.0f : 5220.0f))
        return "Picture15.Height " + std::to_string(height) + " with no slide running and caption '"
            + Command7.caption() + "'";

    if (f.lngAlpha < 0 || f.lngAlpha > 250)
        return "lngAlpha " + std::to_string(f.lngAlpha);
    if (!wholeMultiple(f.dAngle, 10) || f.dAngle < 0 || f.dAngle > 350)
        return "dAngle " + std::to_string(f.dAngle);

    const float left = f.picTrans.left();
    if (left < -1200 || left > 0)
        return "picTrans.Left " + std::to_string(left);
    const float top = f.picUp.top();
    if (top < 0 || top > 2500)
        return "picUp.Top " + std::to_string(top);
    const float ticker = f.lblAni1.left();
    if (!wholeMultiple(ticker, 20) || ticker < -5860 || ticker > 6720)
        return "lblAni1.Left " + std::to_string(ticker);
    return {};
}

} // namespace

TEST(Storm, RandomEventsKeepEveryPromise)
{
    const std::uint64_t seed = envNumber("GLIMMERDECK_STORM_SEED", freshSeed());
    const std::uint64_t events = envNumber("GLIMMERDECK_STORM_EVENTS", kDefaultEvents);
    std::printf("storm: seed %llu, %llu events (replay: GLIMMERDECK_STORM_SEED=%llu)\n",
        static_cast<unsigned long long>(seed), static_cast<unsigned long long>(events),
        static_cast<unsigned long long>(seed));

    Storm storm(seed);
    ASSERT_EQ(broken(storm), "");
    std::vector<std::string> history(kHistory);
    for (std::uint64_t n = 0; n < events; ++n) {
        history[n % kHistory] = storm.step();
        const std::string fault = broken(storm);
        if (!fault.empty()) {
            std::string report = "seed " + std::to_string(seed) + ", event " + std::to_string(n + 1)
                + ": " + fault + "\nlast events:";
            for (std::uint64_t k = n + 1 > kHistory ? n + 1 - kHistory : 0; k <= n; ++k)
                report += "\n  " + std::to_string(k + 1) + " " + history[k % kHistory];
            FAIL() << report;
        }
        // The recordings would otherwise grow by a few million entries per million events.
        storm.platform.messages.clear();
        storm.platform.calls.clear();
        storm.platform.alphas.clear();
        storm.platform.blits.clear();
    }

    std::string summary;
    for (const auto& [event, count] : storm.ran)
        summary += " " + event + "=" + std::to_string(count);
    std::printf("storm: handlers run:%s\n", summary.c_str());
    // A storm long enough reaches every handler but the load handler; a shorter replay
    // need not.
    if (events >= kDefaultEvents) {
        for (const EventBinding& row : eventTable()) {
            if (row.event == Event::Load)
                continue;
            const std::string key = Storm::eventLabel(row.event) + std::string(nameOf(row.control));
            EXPECT_TRUE(storm.ran.count(key)) << "never ran: " << key;
        }
    }
}

TEST(Storm, SameSeedSameRun)
{
    // The printed seed is only worth printing if it replays the run exactly.
    const std::uint64_t seed = freshSeed();
    auto fingerprint = [seed] {
        Storm storm(seed);
        std::string events;
        for (int n = 0; n < 5000; ++n)
            events += storm.step() + ";";
        std::string state;
        for (const Control& c : storm.form.controls())
            state += std::string(c.name()) + (c.visible() ? "+" : "-") + (c.enabled() ? "e" : "d")
                + std::to_string(c.left()) + "," + std::to_string(c.top()) + ","
                + std::to_string(c.height()) + c.caption() + c.tag() + ";";
        return events + state + std::to_string(storm.form.dAngle)
            + std::to_string(storm.form.lngAlpha) + std::to_string(storm.platform.calls.size());
    };
    EXPECT_EQ(fingerprint(), fingerprint());
}

TEST(Storm, CheckerSeesEachBrokenPromise)
{
    // A checker that never fires would let any storm pass.
    struct Breakage {
        const char* expected;
        void (*apply)(Storm&);
    };
    // clang-format off
    const Breakage breakages[] = {
        { "2 tutorial panels visible", [](Storm& s) {
            s.form.Picture1.setVisible(true);
            s.form.Picture8.setVisible(true); } },
        { "Timer6 and Timer7 both enabled", [](Storm& s) {
            s.form.Timer6.setEnabled(true);
            s.form.Timer7.setEnabled(true); } },
        { "Command7 caption is 'Menu'", [](Storm& s) { s.form.Command7.setCaption("Menu"); } },
        { "Command7 disabled outside a slide", [](Storm& s) { s.form.Command7.setEnabled(false); } },
        { "Picture15.Height 2000", [](Storm& s) { s.form.Picture15.setHeight(2000); } },
        { "lngAlpha 255", [](Storm& s) { s.form.lngAlpha = 255; } },
        { "dAngle 15", [](Storm& s) { s.form.dAngle = 15; } },
        { "picTrans.Left 20", [](Storm& s) { s.form.picTrans.setLeft(20); } },
        { "picUp.Top -20", [](Storm& s) { s.form.picUp.setTop(-20); } },
        { "lblAni1.Left 6710", [](Storm& s) { s.form.lblAni1.setLeft(6710); } },
        { "unexpected message box: Run-time error", [](Storm& s) {
            s.platform.messageBox("Run-time error '6':\r\n\r\nOverflow", 16, ""); } },
        { "the program ended", [](Storm& s) { s.form.End(1); } },
    };
    // clang-format on
    for (const Breakage& b : breakages) {
        Storm s(1);
        ASSERT_EQ(broken(s), "");
        b.apply(s);
        ASSERT_TRUE(broken(s).starts_with(b.expected)) << b.expected << " <> " << broken(s);
    }
}
