#include "commands.h"

namespace tavex::cli {

const char kToolUsage[] =
    "Usage: tavex-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Works on a problem stored as a pair of files: PROBLEM and PROBLEM.dat;\n"
    "either may be given as PROBLEM.\n"
    "\n"
    "Commands:\n"
    "  compute PROBLEM            compute the coefficients, save the pair, list them\n"
    "  list PROBLEM               list the stored coefficients\n"
    "  eval PROBLEM [--function EXPR] [--derivative NAME=K[,NAME=K...]] [X0 ...]\n"
    "                             evaluate the stored expansion, or a partial\n"
    "                             derivative of it, at points\n"
    "  integrate PROBLEM [--over NAME=A:B ...] [--mean]\n"
    "                             the integral of the expansion over a box, or\n"
    "                             its mean value\n"
    "  report PROBLEM             print the report's lines\n"
    "  demo                       a small worked example, no files\n"
    "  diagnose PROBLEM [--json]  compute without saving, print how far the fit\n"
    "                             can be trusted\n"
    "  import TABLEFILE PROBLEM [--trig NAME ...] [--center NAME=VALUE ...]\n"
    "         [--period NAME=VALUE ...]\n"
    "                             make a problem pair of a table of values\n"
    "  export PROBLEM --format FORMAT [--name IDENT] [--derivative NAME=K,...]\n"
    "         [-o FILE]           write the coefficients as CSV or JSON, or the\n"
    "                             expansion as C, C++, Python, Fortran,\n"
    "                             JavaScript or MATLAB code\n"
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
    "Usage: tavex-cli eval PROBLEM [--function EXPR]\n"
    "                     [--derivative NAME=K[,NAME=K...]] [X0 [X1 ...]]\n"
    "\n"
    "Evaluates the stored expansion of PROBLEM at the point given, one\n"
    "coordinate per variable. Without coordinates, reads points from standard\n"
    "input, one per line, coordinates separated by blanks, tabs or commas, and\n"
    "prints one value per line. A coordinate is read as the number it begins\n"
    "with (0 when none); one beyond the range of a number (1e999) is named on\n"
    "standard error (exit status 2), after the lines of the points before it.\n"
    "Exit status 1 when no coefficients are stored.\n"
    "\n"
    "With --function, EXPR is the function itself as a formula of the\n"
    "variables in the script language (for example \"Sin(x)*Exp(-y)\"); each\n"
    "line then holds the approximation, the function's value and their\n"
    "difference, separated by blanks. The formula reads the variables whose\n"
    "names are names of the script language (not \"2x\" or \"x y\"); a formula\n"
    "of blanks only is none. A point whose formula fails is named on standard\n"
    "error with the script's description and its place in the formula\n"
    "(\"Expected ')' at column 9: Sin(x*(y\"; exit status 2), after the lines of\n"
    "the points before it.\n"
    "\n"
    "With --derivative, the values are those of the partial derivative of the\n"
    "expansion, K times along each variable NAME (K from 0 to 9; the variables\n"
    "not named 0 times): \"--derivative x=1,y=2\" is d3f/dx dy2. A name that is\n"
    "no variable or an order that is not a whole number from 0 to 9 is named\n"
    "on standard error, exit status 2.\n";

constexpr char kIntegrateUsage[] =
    "Usage: tavex-cli integrate PROBLEM [--over NAME=A:B ...] [--mean]\n"
    "\n"
    "Prints the definite integral of the stored expansion of PROBLEM, term by\n"
    "term in closed form, each variable over its interval [lower limit, upper\n"
    "limit] unless --over gives NAME's bounds A and B (A > B integrates\n"
    "backwards; A = B gives 0). With --mean, the mean value instead: the\n"
    "integral divided by the box's volume, a variable whose bounds meet taken\n"
    "at that coordinate. Numbers are printed as eval prints them.\n"
    "A name that is no variable or a bound that is not a number is named on\n"
    "standard error, exit status 2; exit status 1 when no coefficients are stored.\n";

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
    "and D = log10(C), at least 0. Then \"NAME scaled_condition C scaled_digits D\":\n"
    "the same for the matrix with every basis function scaled to a largest\n"
    "magnitude of 1, which the units of the variable do not change; D is how many\n"
    "of the about 16 decimal digits its coefficients may lose. When the basis is\n"
    "singular in exact arithmetic (two values a whole number of periods apart, or\n"
    "an even number of angles that add up to an odd multiple of half a period) a\n"
    "line \"NAME singularity TEXT\" says why and what to do. Then a line\n"
    "\"reproduction R\": R = max |table rebuilt from the coefficients - table| /\n"
    "max |table|, 0 for a table of zeros; a line \"swing S\": S = max |expansion|\n"
    "at the midpoints of the grid's cells / max |table|, near 1 for an expansion\n"
    "that follows the table and far above it for one that oscillates between the\n"
    "values, \"none\" for a table of zeros; and \"warning yes\" when the window\n"
    "would warn (8 digits lost or more, a swing of 10 or more, or a singular\n"
    "basis), \"warning no\" otherwise.\n"
    "Numbers are printed as eval prints them: up to 15 significant digits, in\n"
    "exponent form (8.5E+18) from 1E+15 up and below 1E-04, \"inf\" when\n"
    "infinite (a singular or overflowing matrix, a rebuilt table that overflows).\n"
    "\n"
    "With --json one object instead:\n"
    "  {\"variables\": [{\"name\": ..., \"condition\": ..., \"digits_lost\": ...,\n"
    "     \"scaled_condition\": ..., \"scaled_digits_lost\": ..., \"singularity\": \"...\"}],\n"
    "   \"reproduction\": ..., \"swing\": ..., \"warning\": true|false}\n"
    "an infinite number as null, the swing null also for a table of zeros, the\n"
    "singularity \"\" when there is none. When the computation fails its line (for\n"
    "example \"YIELDS SINGULAR MATRIX.\") is printed and the exit status is 1.\n";

constexpr char kImportUsage[] =
    "Usage: tavex-cli import TABLEFILE PROBLEM [--trig NAME ...]\n"
    "                        [--center NAME=VALUE ...] [--period NAME=VALUE ...]\n"
    "\n"
    "Reads a table of function values and saves it as the problem pair PROBLEM\n"
    "and PROBLEM.dat, as File > Import table... and Save would. Fields are\n"
    "separated by semicolons, commas, tabs or blanks (the first row's tells),\n"
    "may be quoted, and use \".\" as the decimal point. Two layouts:\n"
    "  long   one row per grid point: 1 to 4 coordinates, then the value; an\n"
    "         optional header row names the variables (else x, y, z, w);\n"
    "  block  a first row of the values of y after an empty or label corner\n"
    "         cell, then rows of a value of x and the function values at it.\n"
    "Each variable's values are the distinct values of its column in ascending\n"
    "order; every point of their grid must be given exactly once.\n"
    "\n"
    "Variables are polynomial with center and period \"*\" unless told:\n"
    "  --trig NAME           expand NAME in 1, sin and cos\n"
    "  --center NAME=VALUE   NAME's center, a number or \"*\"\n"
    "  --period NAME=VALUE   NAME's period, a number or \"*\"\n"
    "A table that cannot be taken is named with its line on standard error, no\n"
    "file is written, and the exit status is 2.\n";

constexpr char kExportUsage[] =
    "Usage: tavex-cli export PROBLEM --format FORMAT [--name IDENT]\n"
    "                        [--derivative NAME=K[,NAME=K...]] [-o FILE]\n"
    "\n"
    "Writes the coefficients stored in PROBLEM to standard output, or to FILE\n"
    "(replaced whole once written). FORMAT is one of\n"
    "  csv   a header, then one row per coefficient: its indices j0 to j3 (one\n"
    "        per variable), the term as the listing writes it, and the value\n"
    "        with 17 significant digits, which reads back to the same double;\n"
    "  json  the variables (name, kind, center, period, values) and the\n"
    "        coefficients in the table's order; the help file gives the schema\n"
    "        and a Python function that evaluates it;\n"
    "or the expansion as one self-contained file of code: the coefficients as a\n"
    "table and the evaluation in the order Tavex evaluates, needing nothing but\n"
    "the language's math library:\n"
    "  c           double IDENT(const double x[]), x one coordinate per variable\n"
    "  cpp         a header: inline double tavex_fit::IDENT(std::span<const double> x)\n"
    "  python      def IDENT(x0, x1, ...)\n"
    "  fortran     module IDENT_m: pure function IDENT(x), real(real64) :: x(:)\n"
    "  javascript  function IDENT(x0, x1, ...), in module.exports\n"
    "  matlab      function f = IDENT(x0, x1, ...), element-wise over arrays of\n"
    "              one size (MATLAB and Octave want the file named IDENT.m)\n"
    "C, C++ (compiled without floating-point contraction: gcc -ffp-contract=off)\n"
    "and Python give eval's values to the last bit; the others to rounding. A\n"
    "comment at the top names the problem, the variables and how to call it.\n"
    "--name gives IDENT (tavex_fit unless given): letters, digits and '_', not\n"
    "starting with a digit, at most 63 characters, no keyword of the languages.\n"
    "--derivative exports the partial derivative of the expansion instead, as\n"
    "eval --derivative evaluates it.\n"
    "Exit status 1 when no coefficients are stored; 2 for a bad option; FILE may\n"
    "not be PROBLEM or PROBLEM.dat.\n";

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
    if (command == "import")
        return kImportUsage;
    if (command == "export")
        return kExportUsage;
    if (command == "integrate")
        return kIntegrateUsage;
    return nullptr;
}

} // namespace tavex::cli
