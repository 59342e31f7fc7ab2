#pragma once
// The per-user error log, kept beside the settings file: its file name, the format of one record
// and adding a record. Listing and clearing the log belong to the viewer window.

#include <string>

#include "platform/process.h"

namespace launch {

// directory, separator, executable name, " ", user name, " error.log".
std::string errorLogPath(const std::string& directory, const platform::ProcessFacts& process,
                         char pathSeparator);

// "#" date and time "# | " command line " | " message; nothing inside is escaped.
std::string errorLogRecord(const std::string& dateTime, const std::string& command,
                           const std::string& message);

// Adds the record as the log's last line: the cost is the record's, whatever the log's size. A
// lock of the log keeps two running programs' records whole. Returns false when the record
// could not be written (the lock was not had within about two seconds, among others).
bool appendErrorLogRecord(const std::string& path, const std::string& record);

}  // namespace launch
