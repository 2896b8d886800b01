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
    "  diagnose PROBLEM [--json]  compute without saving, print how far the fit\n"
    "                             can be trusted\n"
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

constexpr char kDiagnoseUsage[] =
    "Usage: tavex-cli diagnose PROBLEM [--json]\n"
    "\n"
    "Opens PROBLEM and PROBLEM.dat and computes the coefficients as compute does,\n"
    "but changes no file, then prints how far they can be trusted. For each\n"
    "variable a line \"NAME condition C digits D\": C estimates the 1-norm\n"
    "condition number of the variable's basis matrix (its values' basis functions)\n"
    "and D = log10(C), at least 0, is how many of the about 16 decimal digits its\n"
    "coefficients may lose. Then a line \"reproduction R\": R = max |table rebuilt\n"
    "from the coefficients - table| / max |table|, 0 for a table of zeros.\n"
    "Numbers are printed as eval prints them: up to 15 significant digits, in\n"
    "exponent form (8.5E+18) from 1E+15 up and below 1E-04, \"inf\" when\n"
    "infinite (a singular or overflowing matrix, a rebuilt table that overflows).\n"
    "\n"
    "With --json one object instead:\n"
    "  {\"variables\": [{\"name\": ..., \"condition\": ..., \"digits_lost\": ...}],\n"
    "   \"reproduction\": ...}\n"
    "an infinite number as null. When the computation fails its line (for example\n"
    "\"YIELDS SINGULAR MATRIX.\") is printed and the exit status is 1.\n";

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
    if (command == "diagnose")
        return kDiagnoseUsage;
    return nullptr;
}

} // namespace tavex::cli
