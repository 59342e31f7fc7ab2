#include "launch/error_log.h"

#include <vector>

#include "platform/file_lock.h"
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
    // Without the lock (a read-only folder, say) the write is still tried: it is the write
    // that decides whether the record is kept.
    const platform::FileLock lock(path);
    platform::ReadResult log = platform::readLines(path);
    if (!log.complete) {
        return false;  // rewriting the part that could be read would lose the rest
    }
    log.lines.push_back(record);
    // A record is a report: a character the file cannot hold must not cost the whole record.
    return platform::replaceFile(path, log.lines, platform::Unencodable::Replace).ok;
}

}  // namespace launch
