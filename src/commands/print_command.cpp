#include "commands/print_command.h"

#include "io/listing/report_lines.h"
#include "setup/read_specs.h"

#include <filesystem>

namespace tavex::command {

PageHeading HeadingOf(const std::string& problemFile, std::time_t when)
{
    PageHeading heading;
    heading.name = problemFile.empty() ? "untitled" : std::filesystem::path(problemFile).filename().string();
    std::tm local{};
    char text[32] = "";
    if (localtime_r(&when, &local) != nullptr)
        std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
    heading.printedAt = text;
    return heading;
}

PrintResult Print(ProblemModel& model, const Panels& panels, ReportTarget& target)
{
    if (const SpecsRead read = ReadSpecs(model, panels); !read)
        return {false, read.refusal + " Nothing was printed."};
    if (!target.Begin())
        return {false, "The printer could not be started; nothing was printed."};
    PrintReport(model, [&target](std::string_view line) { target.Line(line); });
    if (!target.End())
        return {false, "The report could not be printed in full."};
    return {true, {}};
}

} // namespace tavex::command
