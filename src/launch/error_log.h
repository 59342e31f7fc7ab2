#pragma once
// The per-user error log, kept beside the settings file: the one place that knows its file name
// and record format, and that adds records, tells whether the log is there, lists its rows and
// clears it. The main window adds records and follows whether it exists; the error-log window
// lists and clears it.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/process.h"

namespace launch {

// "#" date and time "# | " command line " | " message; nothing inside is escaped.
std::string errorLogRecord(const std::string& dateTime, const std::string& command,
                           const std::string& message);

class ErrorLog {
  public:
    // The log in folder: folder, separator, executable name, " ", user name, " error.log".
    // Without a folder that is the user's alone (inUse false) nothing is added and it counts as
    // missing; its name still says which file to list, clear, or clean up after.
    ErrorLog(const std::string& folder, const platform::ProcessFacts& process, char pathSeparator,
             bool inUse = true);

    const std::string& path() const { return path_; }

    // Adds the record as the log's last line: the cost is the record's, whatever the log's size.
    // A lock of the log keeps two running programs' records whole. Returns false when the record
    // could not be written (the log is not in use, or its lock was not had within about two
    // seconds, among others).
    bool append(const std::string& dateTime, const std::string& command,
                const std::string& message) const;

    // Whether the log is in use and is a file that can be opened for reading.
    bool exists() const;

    // Each line as the error-log window shows it (launch/error_log_row.h), oldest first, as it
    // is read: the log itself is never held. Of a log larger than maxBytes, the newest records.
    // A log that cannot be read gives no rows.
    void listRows(std::uint64_t maxBytes,
                  const std::function<void(std::string_view row)>& onRow) const;

    // Deletes the log: Deleted, or why not: it was gone already, or it is still there.
    enum class Cleared { Deleted, AlreadyGone, StillThere };
    Cleared clear() const;

  private:
    std::string path_;
    bool inUse_;
};

}  // namespace launch
