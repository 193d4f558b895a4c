#include "command_line.h"
#include "qt/application.h"
#include "qt/display.h"

#include <QApplication>

#include <cstdio>
#include <string>
#include <vector>

namespace {

// --help and --version, as GNU programs do it: text that could not be written (a full disk, a
// closed pipe) is a failure, not a success.
int print(const char* text)
{
    if (std::fputs(text, stdout) < 0 || std::fflush(stdout) != 0) {
        std::perror("glimmerdeck: write error");
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    // The command line is read before anything needs a display.
    const gd::CommandLine options = gd::parseCommandLine(argc, argv);
    switch (options.action) {
    case gd::CommandLine::Action::Help: return print(gd::helpText());
    case gd::CommandLine::Action::Version: return print(gd::versionText());
    case gd::CommandLine::Action::UsageError:
        std::fprintf(stderr, "%s\n", options.error.c_str());
        return 2;
    case gd::CommandLine::Action::Run: break;
    }
    if (!gd::prepareDisplay(options.platform, options.display))
        return 2;
    // Qt sees only the options taken above; QApplication keeps these for its lifetime.
    std::vector<std::string> qtArgs = gd::qtArguments(options, argc > 0 ? argv[0] : nullptr);
    std::vector<char*> qtArgv;
    for (std::string& arg : qtArgs)
        qtArgv.push_back(arg.data());
    qtArgv.push_back(nullptr);
    int qtArgc = static_cast<int>(qtArgs.size());
    QApplication app(qtArgc, qtArgv.data());
    gd::Application glimmerdeck;
    glimmerdeck.start();
    if (glimmerdeck.form().ended()) // ended before the event loop ran, e.g. an error at load
        return glimmerdeck.platform().exitStatus();
    return app.exec();
}
