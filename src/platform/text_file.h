#pragma once
// Whole text files, read and written line by line. Lines end in CR LF when written (LF where
// asked); CR LF, LF
// and a lone CR all end a line when read. The text is UTF-8 on POSIX and the ANSI code page on
// Windows, converted to and from UTF-8 at this boundary. Writing replaces the file atomically:
// the old content stays intact until the new one is complete on disk. A file that already
// holds exactly the new content is left as it is (no rewrite, no wait for the disk).
//
// Only the user's own files are read or written (see file_ownership.h): a file or a link that
// another user controls reads as unfinished and is never written through, and new files are
// made for the user alone.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// How much of a file a reader takes, so that memory stays bounded whatever the file holds. A
// larger file is refused unread, or read from the first whole line of its last maxBytes (its
// newest lines, for a log that grows at its end).
enum class Oversize { Refuse, KeepEnd };
struct ReadLimit {
    std::uint64_t maxBytes;
    Oversize oversize = Oversize::Refuse;
};
// More than any file Opalist writes holds in use: 100,000 launch-list entries of 300
// characters, each character two bytes (Czech letters in UTF-8), are about 60 MB.
constexpr ReadLimit DefaultReadLimit{std::uint64_t{64} << 20};

struct ReadResult {
    bool opened = false;
    // Refused unread: larger than the limit (complete is false too).
    bool tooLarge = false;
    // False when the file is there but could not be read to its end: a read failed part-way
    // (lines holds the whole lines before the failure), it could not be opened, or it is not a
    // regular file (a FIFO, a device, a folder), which is never opened. Writing it back would
    // lose what it holds. True for a missing file.
    bool complete = true;
    std::vector<std::string> lines;  // whole lines without their ends, as far as they could be read
};
ReadResult readLines(const std::string& path, ReadLimit limit = DefaultReadLimit);
// The same, handing each line to onLine as it is read rather than keeping them: the file costs
// only the lines the caller keeps. The result holds no lines.
ReadResult readLines(const std::string& path,
                     const std::function<void(std::string_view line)>& onLine, ReadLimit limit);

// A line that the file's character set cannot hold, and that set (a code page number).
struct UnstorableLine {
    std::string line;
    unsigned codePage = 0;
};
struct WriteResult {
    WriteResult() = default;
    WriteResult(bool ok, std::string error) : ok(ok), error(std::move(error)) {}
    explicit WriteResult(UnstorableLine line) : ok(false), refused(std::move(line)) {}

    bool ok = true;
    std::string error;  // the system's reason, when not ok and no line was refused
    std::optional<UnstorableLine> refused;
};
// Where the file's character set cannot hold a character of a line (the ANSI code page on
// Windows): Refuse writes nothing and names the line in refused; Replace stores the code
// page's default character instead, for text that is a report rather than the user's data.
enum class Unencodable { Refuse, Replace };
// OnDisk returns only once the new file has reached the disk. Cached leaves that to the system,
// for a file whose loss in a crash costs nothing (defaults the next start writes again).
enum class Durability { OnDisk, Cached };
// CrLf, the files' own; Lf for a file that other programs read the POSIX way.
enum class LineEnd { CrLf, Lf };
// Replaces only a regular file (or creates one): anything else in its place is left as it is.
// Every save also removes what earlier saves of the file left behind (removeLeftoverTemporaries).
WriteResult replaceFile(const std::string& path, const std::vector<std::string>& lines,
                        Unencodable unencodable = Unencodable::Refuse,
                        Durability durability = Durability::OnDisk,
                        LineEnd lineEnd = LineEnd::CrLf);

// Adds one line at the end of the file, creating it, under an exclusive lock of the file itself,
// so that two running programs add whole lines. The lock is waited for about two seconds at
// most; then the line is given up as for any other write failure. A cut last line (left by a
// writer that died) gets its line end first, so the new line stays one of its own.
WriteResult appendLine(const std::string& path, const std::string& line,
                       Unencodable unencodable = Unencodable::Refuse);

// A save that ended with the program (a crash, a power cut) leaves its temporary file beside
// the file. Removes those of the file that are the user's and older than a minute.
void removeLeftoverTemporaries(const std::string& path);

bool deleteFile(const std::string& path);
// Whether a regular file exists and can be opened for reading.
bool canOpen(const std::string& path);

}  // namespace platform
