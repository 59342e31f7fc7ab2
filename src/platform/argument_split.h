#pragma once
// Splitting a parameter string into separate arguments by the rules Windows programs apply to
// their command line (CommandLineToArgvW): blanks and tabs separate arguments outside double
// quotes; double quotes group and are dropped; 2n backslashes before a quote give n backslashes
// and the quote groups, 2n+1 give n backslashes and a literal quote; other backslashes are
// literal; inside quotes a doubled quote gives one literal quote and ends the quoted part.
// Used where programs take an argument vector instead of one command line.

#include <string>
#include <vector>

namespace platform {

std::vector<std::string> splitArguments(const std::string& parameters);

}  // namespace platform
