// tavex-cli: the problem core from a shell, for batch work and scripts.
#include "commands.h"
#include "output.h"

#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    using namespace tavex::cli;
    // Beyond a file size limit a write should fail and be reported, and the
    // old files kept, rather than the process be killed mid-save.
    std::signal(SIGXFSZ, SIG_IGN);
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
    if (command == "diagnose")
        return RunDiagnose(arguments);
    if (command == "import")
        return RunImport(arguments);
    if (command == "export")
        return RunExport(arguments);
    if (command == "integrate")
        return RunIntegrate(arguments);
    ReportError("unknown command '" + std::string(command) + "' (see 'tavex-cli --help')");
    return kExitError;
}
