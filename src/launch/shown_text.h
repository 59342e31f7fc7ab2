#pragma once
// Text from a list or a file name as a terminal shows it, never as it acts on it: every control
// character (C0, DEL, C1), every byte that is not part of valid UTF-8 and every character that
// changes the direction text is shown in becomes an escape, so that a line reads as what it
// holds. "\xNN" for a byte, "\uNNNN" for a character; everything else stays as it is.

#include <string>
#include <string_view>

namespace launch {

std::string shownText(std::string_view text);

// One indented line of a report: "   label: value", the value as shownText shows it.
void addReportLine(std::string& out, std::string_view label, std::string_view value);

}  // namespace launch
