#pragma once
// The argument vector a program gets on POSIX from a request's parameter string. The string is
// split the way Windows programs split their command line; then every argument that begins
// with the "/" that introduces a launch-list parameter loses that "/", and an argument that
// then begins with "\" is a path written in the list's notation, its "\" read as "/":
//   /-geometry 300x300       ->  -geometry  300x300
//   /--name=value /notes     ->  --name=value  notes
//   /\home\eva\notes.txt     ->  /home/eva/notes.txt
//   /-o \tmp\out.txt         ->  -o  /tmp/out.txt

#include <string>
#include <vector>

namespace platform {

std::vector<std::string> programArguments(const std::string& parameters);

}  // namespace platform
