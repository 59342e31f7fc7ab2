#pragma once
// The argument vector a program gets on POSIX from a request's parameter string. The string is
// split the way Windows programs split their command line; then an argument that begins with
// "/-" loses that first "/", so that the launch list's "/"-introduced parameters can carry the
// "-x" and "--name=value" options of POSIX programs. Every other argument is passed as it is.

#include <string>
#include <vector>

namespace platform {

std::vector<std::string> programArguments(const std::string& parameters);

}  // namespace platform
