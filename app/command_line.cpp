#include "command_line.h"

#include <string_view>

namespace gd {

namespace {

// An argument as it may appear inside the one line of a usage error: control characters (a
// line break in an argument, an escape sequence) would break the line or the terminal.
std::string printable(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    return out;
}

CommandLine usageError(const std::string& what)
{
    CommandLine result;
    result.action = CommandLine::Action::UsageError;
    result.error = "glimmerdeck: " + what + " (try 'glimmerdeck --help')";
    return result;
}

} // namespace

CommandLine parseCommandLine(int argc, const char* const* argv)
{
    CommandLine result;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i] ? argv[i] : "";
        if (optionsEnded || arg.size() < 2 || arg[0] != '-')
            return usageError("extra operand '" + printable(arg) + "'");
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help") {
            result.action = CommandLine::Action::Help;
            return result;
        }
        if (arg == "--version") {
            result.action = CommandLine::Action::Version;
            return result;
        }
        // The two options with a value: Qt's "-platform NAME", and the GNU spellings
        // "--platform NAME" and "--platform=NAME"; the same for -display.
        const bool gnu = arg[1] == '-';
        std::string_view option = arg;
        std::string_view name = arg.substr(gnu ? 2 : 1);
        std::string_view value;
        bool valueGiven = false;
        if (const std::size_t equals = name.find('='); gnu && equals != std::string_view::npos) {
            value = name.substr(equals + 1);
            valueGiven = true;
            name = name.substr(0, equals);
            option = arg.substr(0, 2 + equals);
        }
        std::string* target = name == "platform" ? &result.platform
            : name == "display"                  ? &result.display
                                                 : nullptr;
        if (!target) {
            if (gnu && valueGiven && (name == "help" || name == "version"))
                return usageError("option '" + printable(option) + "' doesn't allow an argument");
            return usageError("unrecognized option '" + printable(arg) + "'");
        }
        if (!valueGiven && i + 1 < argc && argv[i + 1])
            value = argv[++i];
        if (value.empty())
            return usageError("option '" + printable(option) + "' requires an argument");
        *target = std::string(value);
    }
    return result;
}

std::vector<std::string> qtArguments(const CommandLine& commandLine, const char* programName)
{
    std::vector<std::string> args { programName && *programName ? programName : "glimmerdeck" };
    if (!commandLine.platform.empty())
        args.insert(args.end(), { "-platform", commandLine.platform });
    if (!commandLine.display.empty())
        args.insert(args.end(), { "-display", commandLine.display });
    return args;
}

const char* helpText()
{
    return "Usage: glimmerdeck [OPTION]...\n"
           "Show the Glimmerdeck window, which teaches window effects by example.\n"
           "\n"
           "  -platform NAME   use the Qt platform plugin NAME (xcb, wayland, offscreen, ...)\n"
           "  -display NAME    use the X display NAME instead of the one in DISPLAY\n"
           "      --help       display this help and exit\n"
           "      --version    output version information and exit\n"
           "\n"
           "-platform and -display may also be written --platform=NAME and --display=NAME.\n"
           "Qt's other options (-style, -geometry, -reverse and the like) are not accepted:\n"
           "the window always looks as it was designed.\n"
           "\n"
           "Without -platform, the window goes to the X display in DISPLAY (under Wayland\n"
           "too, through XWayland), or else to the Wayland display in WAYLAND_DISPLAY;\n"
           "QT_QPA_PLATFORM chooses a platform plugin as -platform does.\n"
           "\n"
           "Exit status: 0 when the window is closed, 1 after a run-time error was reported,\n"
           "2 when there is no display or the command line is wrong.\n";
}

const char* versionText()
{
    return "glimmerdeck " GLIMMERDECK_VERSION "\n"
           "Copyright (C) 2026 Quillmoor\n"
           "License MIT: the MIT License <https://opensource.org/licenses/MIT>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

} // namespace gd
