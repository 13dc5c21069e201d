#include "cli/Commands.h"

int RunShowCommand(const std::vector<std::string>&)
{
    return UsageError("usage: kr80a show DATA_ROOT ID [--keys LIST] [--json] [-o FILE]");
}
