// Start-up, the fade-in, the frame controls and the host-name lookup, against the fake platform.

#include "fixture.h"
#include "handlers/library_calls.h"
#include "handlers/module1.h"
#include "model/texts.h"

#include <gtest/gtest.h>

using namespace gd;

namespace {

using Call = FakePlatform::Call;

} // namespace

TEST(Startup, LoadFillsTheWindow)
{
    Fixture f;
    EXPECT_EQ(f.form.lngAlpha, 0);
    EXPECT_EQ(f.form.Picture15.height(), 50.0f);
    EXPECT_TRUE(f.form.exStyle & WS_EX_LAYERED);
    EXPECT_EQ(f.platform.alphas, std::vector<int> { 0 });
    EXPECT_EQ(f.form.lblButton.backColor(), Colour(255));
    EXPECT_EQ(f.form.Label65.caption(), "Computer Name: box7");
    EXPECT_EQ(f.form.Label66.caption(), "Screen Resolution: 1280 x 1024");
    EXPECT_EQ(f.platform.messages.size(), 0u);
    // The credits: ten lines joined by CR LF, none after the last.
    EXPECT_EQ(split(f.form.Label69.caption(), "\r\n"),
        (Names { "Glimmerdeck", "A free learning program from Quillmoor", "",
            "Take it apart to learn advanced graphical user interface work for your System "
            "Analysis and Design courses, your thesis and your software development. Please "
            "share it with your fellow Visual Basic programmers. Thank you!",
            "", "- Varnold", "varnold@quillmoor.example", "hello@quillmoor.example", "",
            "Baguio City, Philippines" }));
}

TEST(Startup, Resolution)
{
    const struct {
        const char* name;
        double tpp, width, height;
        const char* expected;
    } rows[] = {
        { "96 dpi", 15.0, 1024 * 15.0, 768 * 15.0, "Screen Resolution: 1024 x 768" },
        { "120 dpi", 12.0, 1920 * 12.0, 1080 * 12.0, "Screen Resolution: 1920 x 1080" },
        // 14.5 rounds to 14 (half to even) before the division.
        { "divisor rounded", 14.5, 1400.0, 700.0, "Screen Resolution: 100 x 50" },
        // A density of 0 fails the divisions; resume-next leaves both numbers at 0.
        { "no density", 0.0, 19200.0, 15360.0, "Screen Resolution: 0 x 0" },
        // Overflow in the conversion: the step is skipped, that number stays 0.
        { "overflow", 15.0, 1e12, 15360.0, "Screen Resolution: 0 x 1024" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f(false);
        f.platform.screenMetrics = { row.width, row.height, row.tpp, row.tpp };
        f.form.load();
        EXPECT_EQ(f.form.Label66.caption(), row.expected);
        EXPECT_FALSE(f.form.ended());
        EXPECT_EQ(f.form.Label69.caption(), creditsText());
    }
}

TEST(Startup, FadeIn)
{
    Fixture f;
    f.form.tick(ControlId::Timer1);
    EXPECT_EQ(f.form.lngAlpha, 2);
    EXPECT_EQ(f.platform.alphas.back(), 2);
    f.form.tick(ControlId::Timer1);
    EXPECT_EQ(f.platform.alphas.back(), 4);
    f.ticks(ControlId::Timer1, 123); // steps 3 to 125
    EXPECT_EQ(f.form.txtTrans.tag(), "250");
    EXPECT_EQ(f.form.lngAlpha, 250);
    EXPECT_FALSE(f.form.Timer1.enabled());
    EXPECT_FALSE(f.form.tick(ControlId::Timer1)); // no tick after the last
    EXPECT_EQ(f.platform.alphas.size(), 126u);    // load + 125 steps
    for (std::size_t k = 1; k < f.platform.alphas.size(); ++k)
        ASSERT_EQ(f.platform.alphas[k], int(2 * k)) << "step " << k;
    // The visible listing is untouched by the counter.
    EXPECT_TRUE(f.form.txtTrans.text().starts_with("Private Declare Function GetWindowLong"));
}

TEST(Startup, FadeEndsAtOnceWhenMotionIsReduced)
{
    const struct {
        const char* name;
        int ticksBefore;
    } rows[] = { { "from the start", 0 }, { "under way", 40 } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.ticks(ControlId::Timer1, row.ticksBefore);
        const std::size_t before = f.platform.alphas.size();
        f.platform.reduceMotion = true;
        EXPECT_TRUE(f.form.tick(ControlId::Timer1));
        // The end of the fade in one step: the same counter, opacity and stopped timer.
        EXPECT_EQ(f.form.txtTrans.tag(), "250");
        EXPECT_EQ(f.form.lngAlpha, 250);
        EXPECT_EQ(f.platform.alphas.size(), before + 1);
        EXPECT_EQ(f.platform.alphas.back(), 250);
        EXPECT_FALSE(f.form.Timer1.enabled());
        EXPECT_TRUE(f.quiet());
    }
}

TEST(Startup, FadeWithAForeignCounter)
{
    // A counter that never reads "250" would fade past 255: the conversion to a byte fails,
    // resume-next skips the opacity step, and the window stays at its last opacity.
    Fixture f;
    f.form.txtTrans.setTag("255");
    f.form.tick(ControlId::Timer1);
    EXPECT_EQ(f.form.txtTrans.tag(), "257");
    EXPECT_EQ(f.platform.alphas.back(), 0);
    EXPECT_TRUE(f.form.Timer1.enabled());
    EXPECT_FALSE(f.form.ended());
    // A counter that is not a number at all: "abc" + 2 = "2", and the fade goes on.
    f.form.txtTrans.setTag("abc");
    f.form.tick(ControlId::Timer1);
    EXPECT_EQ(f.platform.alphas.back(), 2);
}

TEST(Startup, ExitQuestion)
{
    const struct {
        const char* name;
        ControlId control;
        int answer;
    } rows[] = {
        { "X, No", ControlId::Label6, vbNo },
        { "X, Yes", ControlId::Label6, vbYes },
        { "Exit, No", ControlId::Command15, vbNo },
        { "Exit, Yes", ControlId::Command15, vbYes },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f;
        f.platform.answers.push_back(row.answer);
        EXPECT_TRUE(f.form.click(row.control));
        ASSERT_EQ(f.platform.messages.size(), 1u);
        EXPECT_EQ(f.platform.messages[0].prompt, "Are you sure you want to quit Glimmerdeck?");
        EXPECT_EQ(f.platform.messages[0].flags, 36);
        EXPECT_EQ(f.platform.messages[0].title, "EXIT");
        if (row.answer == vbYes) {
            EXPECT_EQ(f.platform.endedWith, std::optional<int>(0));
            EXPECT_TRUE(f.form.ended());
            // Nothing runs after End, not even a timer.
            EXPECT_FALSE(f.form.tick(ControlId::Timer2));
            EXPECT_FALSE(f.form.click(ControlId::Command14));
        } else {
            EXPECT_FALSE(f.platform.endedWith);
            EXPECT_TRUE(f.form.tick(ControlId::Timer1));
            EXPECT_EQ(f.platform.alphas.back(), 2);
        }
    }
}

TEST(Startup, MinimiseAndAbout)
{
    Fixture f;
    f.form.click(ControlId::Label5);
    EXPECT_EQ(f.platform.count("minimiseWindow"), 1);
    f.form.click(ControlId::Command14);
    ASSERT_EQ(f.platform.messages.size(), 1u);
    const auto& about = f.platform.messages[0];
    EXPECT_EQ(about.flags, 64);
    EXPECT_EQ(about.title, "About QUILLMOOR");
    const Names lines = split(about.prompt, "\r\n");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(lines[0], "Glimmerdeck");
    EXPECT_EQ(lines[1], "by Varnold");
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[5], "on how to create GUI on their projects.");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "For more VB6 Tutorials and Freeware Downloads,");
    EXPECT_TRUE(lines[8].starts_with(" visit "));
    EXPECT_FALSE(f.form.ended());
}

TEST(Startup, ClicksWithoutHandlersDoNothing)
{
    Fixture f;
    for (ControlId id : { ControlId::lblTitle, ControlId::Image3, ControlId::Picture3,
             ControlId::Label69, ControlId::a, ControlId::Picture20 })
        EXPECT_FALSE(f.form.click(id)) << nameOf(id);
    EXPECT_EQ(f.platform.messages.size(), 0u);
}

TEST(Startup, UnhandledErrorEndsTheProgram)
{
    Fixture f;
    f.platform.screenMetrics.twipsPerPixelX = 0; // the spin divides by the density, in a
    f.form.tick(ControlId::Timer3);              // handler without error handling
    ASSERT_EQ(f.platform.messages.size(), 1u);
    EXPECT_TRUE(f.platform.messages[0].prompt.starts_with("Run-time error '6':\r\n\r\n"));
    EXPECT_EQ(f.platform.endedWith, std::optional<int>(1));
    EXPECT_FALSE(f.form.tick(ControlId::Timer2));
}

TEST(Startup, Sockets)
{
    const struct {
        const char* name;
        int startup, maxSockets, version;
        bool hostFails, cleanupFails;
        std::string_view message;
        const char* label;
        int cleanups;
    } rows[] = {
        { "ok", 0, 100, 0x0101, false, false, "", "Computer Name: box7", 1 },
        { "version 2.2", 0, 100, 0x0202, false, false, "", "Computer Name: box7", 1 },
        { "start-up fails", 10091, 100, 0x0101, false, false,
            "The 32-bit Windows Socket is not responding.", "Computer Name: ", 0 },
        { "no sockets", 0, 0, 0x0101, false, false,
            "This application requires a minimum of 1 supported sockets.", "Computer Name: ", 0 },
        { "negative sockets", 0, -1, 0x0101, false, false,
            "This application requires a minimum of 1 supported sockets.", "Computer Name: ", 0 },
        { "version 1.0", 0, 100, 0x0001, false, false,
            "Sockets version 1.0 is not supported by 32-bit Windows Sockets.",
            "Computer Name: ", 0 },
        { "version 0.9", 0, 100, 0x0900, false, false,
            "Sockets version 0.9 is not supported by 32-bit Windows Sockets.",
            "Computer Name: ", 0 },
        { "host name fails", 0, 100, 0x0101, true, false,
            "Windows Sockets error 10093 has occurred. Unable to successfully get Host Name.",
            "Computer Name: ", 1 },
        { "clean-up fails", 0, 100, 0x0101, false, true, "Socket error occurred in Cleanup.",
            "Computer Name: box7", 1 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Fixture f(false);
        f.platform.network
            = { row.startup, std::uint16_t(row.version), std::int16_t(row.maxSockets) };
        if (row.hostFails)
            f.platform.failing.insert(Call::HostName);
        if (row.cleanupFails)
            f.platform.failing.insert(Call::StopNetwork);
        f.form.load();
        if (row.message.empty()) {
            EXPECT_EQ(f.platform.messages.size(), 0u);
        } else {
            ASSERT_EQ(f.platform.messages.size(), 1u);
            EXPECT_EQ(f.platform.messages[0].prompt, row.message);
            EXPECT_EQ(f.platform.messages[0].flags, 0);
            EXPECT_EQ(f.platform.messages[0].title, "");
        }
        EXPECT_EQ(f.form.Label65.caption(), row.label);
        EXPECT_EQ(f.platform.count("stopNetwork"), row.cleanups);
        // The host name is asked for only once the library passed its three checks.
        const bool checksPassed = !row.message.starts_with("The 32-bit")
            && !row.message.starts_with("This application")
            && !row.message.starts_with("Sockets version");
        EXPECT_EQ(f.platform.count("hostName"), checksPassed ? 1 : 0);
        // The rest of the load still happens.
        EXPECT_EQ(f.form.Label66.caption(), "Screen Resolution: 1280 x 1024");
        EXPECT_EQ(f.form.Label69.caption(), creditsText());
    }
}

TEST(Startup, HostNameBuffer)
{
    // A name filling the buffer, or longer, leaves no NUL: it is taken to the buffer's end and
    // never read past.
    Fixture f(false);
    f.platform.host = std::string(256, 'h');
    EXPECT_EQ(LocalHostName(f.form), std::string(256, 'h'));
    f.platform.host = std::string(300, 'h');
    EXPECT_EQ(LocalHostName(f.form), std::string(256, 'h'));
    f.platform.host = std::string(255, 'h');
    EXPECT_EQ(LocalHostName(f.form), std::string(255, 'h'));
}

TEST(Startup, ByteProcedures)
{
    EXPECT_EQ(HighByteOf(0x101), 1);
    EXPECT_EQ(LowByteOf(0x101), 1);
    EXPECT_EQ(HighByteOf(0x0A02), 10);
    EXPECT_EQ(LowByteOf(0x0A02), 2);
    EXPECT_EQ(HighByteOf(-1), 0);
    EXPECT_EQ(HighByteOf(-256), 255); // -1 truncated toward zero, low 8 bits
    EXPECT_EQ(LowByteOf(-1), 255);
}
