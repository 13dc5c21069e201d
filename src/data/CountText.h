#pragma once

#include <string_view>

// A count text as a number, by the rules of C's atoi: leading white space
// skipped, an optional sign, then digits up to the first other byte; no
// digits count as 0. Out-of-range values stop at the int limits instead of
// being undefined.
int CountValue(std::string_view text);
