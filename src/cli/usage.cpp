#include "commands.h"

namespace tavex::cli {

const char kToolUsage[] =
    "Usage: tavex-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on a problem stored as a pair of files: PROBLEM and PROBLEM.dat.\n"
    "\n"
    "Commands:\n"
    "  compute PROBLEM            compute the coefficients, save the pair, list them\n"
    "  list PROBLEM               list the stored coefficients\n"
    "  eval PROBLEM [--function EXPR] [X0 [X1 ...]]\n"
    "                             evaluate the stored expansion at points\n"
    "  report PROBLEM             print the report's lines\n"
    "  demo                       a small worked example, no files\n"
    "\n"
    "'tavex-cli COMMAND --help' describes a command.\n"
    "Exit status: 0 done, 1 no result (no coefficients, or the computation\n"
    "failed), 2 an error in the command or its files (nothing is changed).\n";

namespace {

constexpr char kComputeUsage[] =
    "Usage: tavex-cli compute PROBLEM\n"
    "\n"
    "Opens PROBLEM and PROBLEM.dat, regenerates the values of the equally spaced\n"
    "variables, computes the coefficients, saves both files and prints the\n"
    "coefficient listing. When the computation fails its line (for example\n"
    "\"YIELDS SINGULAR MATRIX.\") is printed, no file is changed and the exit\n"
    "status is 1.\n";

constexpr char kListUsage[] =
    "Usage: tavex-cli list PROBLEM\n"
    "\n"
    "Prints the listing of the coefficients stored in PROBLEM: each value, and\n"
    "from column 25 the term it multiplies. Exit status 1 when none are stored.\n";

constexpr char kEvalUsage[] =
    "Usage: tavex-cli eval PROBLEM [--function EXPR] [X0 [X1 ...]]\n"
    "\n"
    "Evaluates the stored expansion of PROBLEM at the point given, one\n"
    "coordinate per variable. Without coordinates, reads points from standard\n"
    "input, one per line, coordinates separated by blanks, tabs or commas, and\n"
    "prints one value per line. A coordinate is read as the number it begins\n"
    "with (0 when none). Exit status 1 when no coefficients are stored.\n"
    "\n"
    "With --function, EXPR is the function itself as a formula of the\n"
    "variables in the script language (for example \"Sin(x)*Exp(-y)\"); each\n"
    "line then holds the approximation, the function's value and their\n"
    "difference, separated by blanks. A point whose formula fails is named on\n"
    "standard error with the script's description (exit status 2), after the\n"
    "lines of the points before it.\n";

constexpr char kReportUsage[] =
    "Usage: tavex-cli report PROBLEM\n"
    "\n"
    "Prints the report of PROBLEM as Print would: one block per variable, then\n"
    "the coefficients when they are stored, otherwise the data.\n";

constexpr char kDemoUsage[] =
    "Usage: tavex-cli demo\n"
    "\n"
    "Computes the expansion of f(x, y) = 1 + 2x + 3y + 4xy tabulated on x, y in\n"
    "{0, 1} and prints its coefficients and its value at (2, 3).\n";

} // namespace

const char* CommandUsage(std::string_view command)
{
    if (command == "compute")
        return kComputeUsage;
    if (command == "list")
        return kListUsage;
    if (command == "eval")
        return kEvalUsage;
    if (command == "report")
        return kReportUsage;
    if (command == "demo")
        return kDemoUsage;
    return nullptr;
}

} // namespace tavex::cli
