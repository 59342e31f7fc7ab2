#include "launch/error_log.h"

#include "platform/text_file.h"

namespace launch {

std::string errorLogPath(const std::string& directory, const platform::ProcessFacts& process,
                         char pathSeparator) {
    return directory + pathSeparator + process.name + " " + process.userName + " error.log";
}

std::string errorLogRecord(const std::string& dateTime, const std::string& command,
                           const std::string& message) {
    return "#" + dateTime + "# | " + command + " | " + message;
}

bool appendErrorLogRecord(const std::string& path, const std::string& record) {
    // A record is a report: a character the file cannot hold must not cost the whole record.
    return platform::appendLine(path, record, platform::Unencodable::Replace).ok;
}

}  // namespace launch
