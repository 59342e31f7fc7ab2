#pragma once
// How the error-log window shows one line of the log, as a rule of its own: apostrophes become
// double quotation marks, and every "|" between the fields becomes " ... ".

#include <string>
#include <string_view>

std::string errorLogRow(std::string_view line);
