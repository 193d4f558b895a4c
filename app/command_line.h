#pragma once

// The program's command line, read by GNU conventions before anything needs a display.
//
// --help and --version answer at once. Of Qt's own options only the two that choose where the
// window appears are taken: -platform NAME and -display NAME (also --platform NAME and
// --platform=NAME, likewise for -display). Every other Qt option (-style, -geometry, -reverse,
// ...) would change a window whose looks are fixed, so it is refused like any unknown option,
// and so is any argument that is not an option: the program opens no files.

#include <string>
#include <vector>

namespace gd {

struct CommandLine {
    enum class Action { Run, Help, Version, UsageError };
    Action action = Action::Run;
    std::string platform; // -platform: the Qt platform plugin the user chose, or empty
    std::string display;  // -display: the X display to use, or empty
    std::string error;    // for UsageError: the one line for standard error, without a newline
};

CommandLine parseCommandLine(int argc, const char* const* argv);

// The arguments for QApplication: the program name, then the options taken above in the one
// spelling Qt reads ("-platform NAME"; it does not know "--platform=NAME"). Nothing else
// reaches Qt.
std::vector<std::string> qtArguments(const CommandLine& commandLine, const char* programName);

// The texts of --help and --version, each ending in a newline.
const char* helpText();
const char* versionText();

} // namespace gd
