// report: the lines Print sends to the printer right after an open.
#include "command_support.h"
#include "commands.h"
#include "commands/file_commands.h"
#include "commands/print_command.h"
#include "output.h"

namespace tavex::cli {

namespace {

class StandardOutput final : public command::ReportTarget {
public:
    explicit StandardOutput(LineWriter& out) : out_(out) {}
    bool Begin() override { return true; }
    void Line(std::string_view line) override { out_.Line(line); }
    bool End() override { return true; } // FinishOutput tells whether it all went out

private:
    LineWriter& out_;
};

} // namespace

int RunReport(Arguments arguments)
{
    std::string path;
    ProblemModel model;
    ShownSpecs shown;
    if (const std::optional<int> status = OpenOnlyProblem("report", arguments, path, model, shown))
        return *status;
    LineWriter out(stdout);
    StandardOutput target(out);
    if (const command::PrintResult printed = command::Print(model, command::PanelsOf(shown), target);
        !printed.printed) {
        ReportError(path + ": " + printed.message);
        return kExitError;
    }
    return FinishOutput(out);
}

} // namespace tavex::cli
