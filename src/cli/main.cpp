// tavex-cli: the problem core from a shell, for batch work and scripts.
#include "commands.h"
#include "output.h"

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace tavex::cli;
    const std::vector<std::string_view> words(argv + 1, argv + argc);
    if (words.empty()) {
        std::fputs(kToolUsage, stderr);
        return kExitError;
    }
    const std::string_view command = words.front();
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kToolUsage, stdout);
        return kExitDone;
    }
    const Arguments arguments(words.begin() + 1, words.end());
    if (command == "compute")
        return RunCompute(arguments);
    if (command == "list")
        return RunList(arguments);
    if (command == "eval")
        return RunEval(arguments);
    if (command == "report")
        return RunReport(arguments);
    if (command == "demo")
        return RunDemo(arguments);
    ReportError("unknown command '" + std::string(command) + "' (see 'tavex-cli --help')");
    return kExitError;
}
