// Exporting the coefficients from the shell.
#include "cli_fixture.h"
