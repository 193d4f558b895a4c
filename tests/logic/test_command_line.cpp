// The command line as a user or a script meets it: the built program (GLIMMERDECK_PROGRAM) run
// with no display at all, so that anything reaching for one before it should shows up as status
// 2, or as Qt's abort. Linux only: the program is started with POSIX calls, and the Windows
// program takes no command line.

#include "fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <map>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

using namespace gd;

namespace {

using Environment = std::map<std::string, std::string>;

struct Outcome {
    bool ended = false; // false: still running when the wait was over (then killed)
    int status = -1;    // exit status; -1 for a crash or a kill
    std::string out;
    std::string err;
};

// The test's own environment without a display.
Environment noDisplay()
{
    Environment env;
    for (char** entry = environ; *entry; ++entry) {
        const std::string_view e(*entry);
        if (const std::size_t eq = e.find('='); eq != e.npos)
            env[std::string(e.substr(0, eq))] = e.substr(eq + 1);
    }
    for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
        env.erase(name);
    env["DBUS_SESSION_BUS_ADDRESS"] = "disabled:";
    return env;
}

// Appends what the pipe holds to `into`; at its end, stops polling it.
void readFrom(pollfd& pipe, std::string& into)
{
    char buffer[4096];
    const ssize_t n = read(pipe.fd, buffer, sizeof buffer);
    if (n > 0)
        into.append(buffer, std::size_t(n));
    else
        pipe.fd = -1;
}

std::size_t lineCount(const std::string& text)
{
    return std::size_t(std::count(text.begin(), text.end(), '\n'));
}

bool contains(const std::string& text, std::string_view part)
{
    return text.find(part) != std::string::npos;
}

} // namespace

class CommandLine : public testing::Test {
protected:
    std::string m_program;
    std::string m_noServer; // an X display with no server behind it

    void SetUp() override
    {
        const char* program = std::getenv("GLIMMERDECK_PROGRAM");
        m_program = program ? program : "";
        ASSERT_TRUE(!m_program.empty() && access(m_program.c_str(), X_OK) == 0)
            << "GLIMMERDECK_PROGRAM must name the built program";
        for (int n = 900; n < 1000 && m_noServer.empty(); ++n)
            if (!std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(n)))
                m_noServer = ":" + std::to_string(n);
        ASSERT_FALSE(m_noServer.empty());
    }

    Outcome run(const Names& args, int waitMs = 20000, const Environment& extra = {},
        const char* stdoutFile = nullptr) const
    {
        Environment env = noDisplay();
        for (const auto& [name, value] : extra)
            env[name] = value;
        Names entries;
        for (const auto& [name, value] : env)
            entries.push_back(name + '=' + value);
        Names words = { m_program };
        words.insert(words.end(), args.begin(), args.end());
        std::vector<char*> envp, argv;
        for (std::string& e : entries)
            envp.push_back(e.data());
        for (std::string& w : words)
            argv.push_back(w.data());
        envp.push_back(nullptr);
        argv.push_back(nullptr);

        Outcome o;
        int out[2], err[2];
        if (pipe2(out, O_CLOEXEC) != 0)
            return o;
        if (pipe2(err, O_CLOEXEC) != 0) {
            close(out[0]);
            close(out[1]);
            return o;
        }
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
        if (stdoutFile)
            posix_spawn_file_actions_addopen(
                &actions, 1, stdoutFile, O_WRONLY | O_CREAT | O_TRUNC, 0666);
        else
            posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_adddup2(&actions, err[1], 2);
        pid_t pid = 0;
        const int spawned
            = posix_spawn(&pid, m_program.c_str(), &actions, nullptr, argv.data(), envp.data());
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        close(err[1]);
        pollfd pipes[] = { { out[0], POLLIN, 0 }, { err[0], POLLIN, 0 } };
        // Reads what the pipes hold, waiting up to the given time for something to come.
        const auto readPipes = [&](int timeoutMs) {
            const bool ready = poll(pipes, 2, timeoutMs) > 0;
            for (int k = 0; ready && k < 2; ++k)
                if (pipes[k].revents)
                    readFrom(pipes[k], k == 0 ? o.out : o.err);
            return ready;
        };
        if (spawned == 0) {
            // The pipes are read while waiting, so that a full one never holds the program up.
            using Clock = std::chrono::steady_clock;
            const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(waitMs);
            int status = 0;
            for (;;) {
                o.ended = waitpid(pid, &status, WNOHANG) == pid;
                if (o.ended || Clock::now() >= deadline)
                    break;
                readPipes(20);
            }
            if (!o.ended) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
            }
            if (o.ended && WIFEXITED(status))
                o.status = WEXITSTATUS(status);
            // What was written before the end, up to where the pipes close or fall silent.
            while (readPipes(0)) { }
        }
        close(out[0]);
        close(err[0]);
        return o;
    }
};

TEST_F(CommandLine, HelpAndVersionNeedNoDisplay)
{
    const Outcome help = run({ "--help" });
    EXPECT_EQ(help.status, 0);
    EXPECT_EQ(help.err, "");
    EXPECT_TRUE(help.out.starts_with("Usage: glimmerdeck [OPTION]...\n")) << help.out;
    for (const char* option : { "-platform NAME", "-display NAME", "--help", "--version" })
        EXPECT_TRUE(contains(help.out, option)) << option;

    const Outcome version = run({ "--version" });
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.err, "");
    const Names lines = split(version.out, "\n");
    ASSERT_GT(lines.size(), 2u);
    EXPECT_EQ(lines[0], "glimmerdeck " GLIMMERDECK_VERSION);
    EXPECT_TRUE(lines[1].starts_with("Copyright (C) 2026 Quillmoor")) << lines[1];
}

// A full disk is a failure, not a help text shown.
TEST_F(CommandLine, HelpThatCannotBeWritten)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    const Outcome o = run({ "--help" }, 20000, {}, "/dev/full");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(lineCount(o.err), 1u) << o.err;
}

// Unknown options, every Qt option but the two that choose the display, any operand: one
// line on standard error that points to --help, status 2, before any display is looked for.
TEST_F(CommandLine, UsageErrors)
{
    std::vector<std::pair<std::string, Names>> rows = {
        { "unknown long option", { "--frobnicate" } },
        { "unknown short option", { "-x" } },
        { "value for --help", { "--help=yes" } },
        { "-platform without a name", { "-platform" } },
        { "--display with an empty name", { "--display=" } },
        { "Qt reads no -platform=NAME", { "-platform=offscreen" } },
        { "operand", { "tutorial.txt" } },
        { "operand after --", { "--", "-platform" } },
        { "lone dash", { "-" } },
        { "line break in an option", { "--a\nb" } },
    };
    // Qt's options that would change the window, or how it is found, in both spellings.
    for (const char* qt :
        { "-style fusion", "--style=fusion", "-stylesheet a.qss", "-reverse", "-geometry 10x10+0+0",
            "-qwindowgeometry 10x10", "-qwindowtitle T", "-qwindowicon i.png", "-title T",
            "-icon i.png", "-name N", "-session S", "-widgetcount", "-graphicssystem raster",
            "-fn Arial", "-font Arial", "-bg red", "-fg red", "-btn red", "-platformtheme gtk3",
            "-platformpluginpath /tmp", "-plugin evdevmouse", "-nograb", "-dograb", "-visual 33",
            "-sync", "-testability", "-qmljsdebugger=port:1234" })
        rows.emplace_back(qt, split(qt, " "));
    for (const auto& [name, args] : rows) {
        SCOPED_TRACE(name);
        const Outcome o = run(args);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(o.out, "");
        EXPECT_EQ(lineCount(o.err), 1u) << o.err;
        EXPECT_TRUE(o.err.starts_with("glimmerdeck: ") && contains(o.err, "'glimmerdeck --help'"))
            << o.err;
    }
}

// -display names the X server to use, and only that one is tried, even where a Wayland
// display is there to fall back on.
TEST_F(CommandLine, NamedDisplayThatIsNotThere)
{
    const Environment wayland = { { "WAYLAND_DISPLAY", "wayland-glimmerdeck-none" } };
    for (const Names& args :
        { Names { "-display", m_noServer }, Names { "--display=" + m_noServer } }) {
        SCOPED_TRACE(args.back());
        const Outcome o = run(args, 20000, wayland);
        EXPECT_EQ(o.status, 2);
        EXPECT_EQ(lineCount(o.err), 1u) << o.err;
        EXPECT_TRUE(contains(o.err, m_noServer)) << o.err;
    }
}

// -platform is the user's choice: no display is looked for, and Qt gets the platform in the
// one spelling it reads. Without that the program would stop at once, with status 2 or with
// Qt's abort; here it is still running when the wait is over.
TEST_F(CommandLine, PlatformChosenOnTheCommandLine)
{
    const std::pair<const char*, Names> rows[] = {
        { "-platform NAME", { "-platform", "offscreen" } },
        { "--platform NAME", { "--platform", "offscreen" } },
        { "--platform=NAME", { "--platform=offscreen" } },
        { "with an unreachable -display", { "-platform", "offscreen", "-display", m_noServer } },
    };
    for (const auto& [name, args] : rows) {
        SCOPED_TRACE(name);
        const Outcome o = run(args, 1500);
        EXPECT_FALSE(o.ended) << "ended with status " << o.status << ": " << o.err;
    }
}
