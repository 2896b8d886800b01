// import: to be written.
#include "commands.h"

namespace tavex::cli {

int RunImport(Arguments)
{
    return kExitError;
}

} // namespace tavex::cli
