#include "launch/error_log.h"

#include "launch/error_log_row.h"
#include "platform/text_file.h"

namespace launch {

std::string errorLogRecord(const std::string& dateTime, const std::string& command,
                           const std::string& message) {
    return "#" + dateTime + "# | " + command + " | " + message;
}

ErrorLog::ErrorLog(const std::string& folder, const platform::ProcessFacts& process,
                   char pathSeparator, bool inUse)
    : path_(folder + pathSeparator + process.name + " " + process.userName + " error.log"),
      inUse_(inUse) {}

bool ErrorLog::append(const std::string& dateTime, const std::string& command,
                      const std::string& message) const {
    // A record is a report: a character the file cannot hold must not cost the whole record.
    return inUse_ && platform::appendLine(path_, errorLogRecord(dateTime, command, message),
                                          platform::Unencodable::Replace)
                         .ok;
}

bool ErrorLog::exists() const {
    return inUse_ && platform::canOpen(path_);
}

void ErrorLog::listRows(std::uint64_t maxBytes,
                        const std::function<void(std::string_view row)>& onRow) const {
    std::string row;
    platform::readLines(path_,
                        [&](std::string_view line) {
                            errorLogRow(line, row);
                            onRow(row);
                        },
                        {maxBytes, platform::Oversize::KeepEnd});
}

ErrorLog::Cleared ErrorLog::clear() const {
    if (platform::deleteFile(path_)) {
        return Cleared::Deleted;
    }
    return platform::canOpen(path_) ? Cleared::StillThere : Cleared::AlreadyGone;
}

}  // namespace launch
