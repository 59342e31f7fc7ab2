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

// Reads every line of the log, then replaces the file with those lines and the record as the
// last one. A lock keeps two running programs from losing each other's records. Returns false
// when the log could not be written, or could be opened but not read to its end.
bool appendErrorLogRecord(const std::string& path, const std::string& record);

}  // namespace launch
