#include "cli/Commands.h"

int RunTreeCommand(const std::vector<std::string>&)
{
    return UsageError("usage: kr80a tree DATA_ROOT [--json]");
}
