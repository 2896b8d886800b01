// Importing tables from the shell.
#include "cli_fixture.h"
