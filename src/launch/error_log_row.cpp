#include "launch/error_log_row.h"

namespace launch {

void errorLogRow(std::string_view line, std::string& row) {
    row.clear();
    row.reserve(line.size());
    for (const char c : line) {
        switch (c) {
            case '\'':
                row += '"';
                break;
            case '|':
                row += " ... ";
                break;
            default:
                row += c;
                break;
        }
    }
}

}  // namespace launch
