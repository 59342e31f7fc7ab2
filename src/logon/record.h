#pragma once
// The record of the log-on entries Opalist took over: for each, what Opalist wrote to switch it
// off and what was there before, so that it can be given back byte for byte; the order the user
// starts them in; and the names of every entry found at the last start, to tell new ones.
//
// Its text is plain ASCII lines, the same on every system:
//
//   opalist-logon-record 1
//   entry
//   name <text>
//   source <key>                 (logon::sourceKey)
//   location <text>              the entry's file, or its registry key and value
//   switch <text>                where Opalist wrote: the user override, the StartupApproved value
//   original none | original <length> <bytes>   what was at the switch before: nothing, or bytes
//   written <length> <bytes>     what Opalist wrote there
//   check <16 hex digits>        FNV-1a 64 of the block's lines above, each ended by LF
//   seen <text>                  one line per entry found at the last start
//   damaged <line>               a line kept as it was read (see below)
//
// <text> and <bytes> are percent-encoded: every byte outside "!" to "~", and "%" itself, is
// "%XX", so a line holds any bytes and no blank. A block whose check, lengths or escapes do not
// hold is damaged: its lines are kept exactly as they are and written back at the end, each behind
// "damaged ", so an original it holds is never lost, and it is never given back from, not even
// when its lines would read as a whole block at their new place. Lines that belong to no block
// are kept the same way.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logon/entry.h"

namespace logon {

struct TakenOver {
    std::string name;
    Source source = Source::UserAutostart;
    std::string location;
    std::string switchLocation;
    std::optional<std::string> original;  // nothing: there was no file or value; give back removes
    std::string written;

    bool operator==(const TakenOver&) const = default;
};

struct Record {
    std::vector<TakenOver> takenOver;  // in the order the user starts them
    std::vector<std::string> seen;
    // Whether a record was there: without one, no entry is new.
    bool found = false;
    // Lines that could not be read as a whole block, kept as they were (see above).
    std::vector<std::string> damaged;
};

struct ParsedRecord {
    Record record;
    // One line each about what could not be read (English), for the window, --check and the
    // log.
    std::vector<std::string> problems;
};

ParsedRecord parseRecord(const std::vector<std::string>& lines);
// The lines of the record, damaged lines last and marked.
std::vector<std::string> recordLines(const Record& record);

// The percent-encoding of <text> and <bytes>; decoding fails on a bad escape or a blank.
std::string encodeRecordText(std::string_view bytes);
std::optional<std::string> decodeRecordText(std::string_view text);

}  // namespace logon
