// export: to be written.
#include "commands.h"

namespace tavex::cli {

int RunExport(Arguments)
{
    return kExitError;
}

} // namespace tavex::cli
