#pragma once

#include <span>
#include <string_view>

namespace tavex::cli {

// Exit statuses: done; the problem gives no result (no coefficients, or the
// computation failed); an error in the command or its files.
inline constexpr int kExitDone = 0;
inline constexpr int kExitNoResult = 1;
inline constexpr int kExitError = 2;

// The arguments after the command's name.
using Arguments = std::span<const std::string_view>;

int RunCompute(Arguments arguments);
int RunList(Arguments arguments);
int RunEval(Arguments arguments);
int RunReport(Arguments arguments);
int RunDemo(Arguments arguments);
int RunDiagnose(Arguments arguments);
int RunImport(Arguments arguments);
int RunExport(Arguments arguments);
int RunIntegrate(Arguments arguments);

// The usage text of a command, or nullptr for an unknown one.
const char* CommandUsage(std::string_view command);
extern const char kToolUsage[];

} // namespace tavex::cli
