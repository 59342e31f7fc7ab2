#pragma once
// How the error-log window shows one line of the log: apostrophes become double quotation marks,
// and every "|" between the fields becomes " ... ".

#include <string>
#include <string_view>

namespace launch {

// The row replaces what row held; its storage is reused from one line to the next.
void errorLogRow(std::string_view line, std::string& row);

}  // namespace launch
