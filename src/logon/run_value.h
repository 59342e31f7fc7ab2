#pragma once
// A Windows log-on entry's value read from its raw registry bytes: the value's name as UTF-16
// code units, its type and its data as stored. The rule is the same on every system, so that
// damaged and hostile values can be tried anywhere. A value that is not a string, too large,
// not valid UTF-16 or holding control characters is read with its reason, and nothing more of
// it is used.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "logon/entry.h"

namespace logon {

// Run values are a command line, far below this; the data is not read past it.
constexpr std::uint64_t MaxRunValueBytes = std::uint64_t{64} << 10;

// The registry's value types Opalist tells apart (winnt.h).
namespace value_type {
constexpr std::uint32_t None = 0;
constexpr std::uint32_t String = 1;        // REG_SZ
constexpr std::uint32_t ExpandString = 2;  // REG_EXPAND_SZ
constexpr std::uint32_t Binary = 3;        // REG_BINARY
constexpr std::uint32_t Dword = 4;         // REG_DWORD
constexpr std::uint32_t MultiString = 7;   // REG_MULTI_SZ
constexpr std::uint32_t Qword = 11;        // REG_QWORD
}  // namespace value_type

struct RunValue {
    std::string name;              // UTF-8; a unit that is not valid UTF-16 shown as U+FFFD
    std::string commandLine;       // UTF-8, as stored (REG_EXPAND_SZ not yet expanded)
    bool expand = false;           // REG_EXPAND_SZ
    Reason damage = Reason::None;  // NotUtf8, UnexpectedType, TooLarge, Binary or BadCommand
    std::string detail;
};

// size is the data's size as the registry tells it; data holds its bytes when size is within
// MaxRunValueBytes.
RunValue readRunValue(std::u16string_view name, std::uint32_t type, std::string_view data,
                      std::uint64_t size);

// UTF-16 to UTF-8; nothing when a surrogate stands alone.
std::optional<std::string> utf16ToUtf8(std::u16string_view text);
// The same, each unit that stands alone written as U+FFFD, for showing.
std::string utf16ToUtf8Shown(std::u16string_view text);

// The programs a command line may start, as CreateProcess tries them when it is given no
// program of its own: the quoted first word, or each text before a blank, the shortest first,
// then the whole line; each with the rest of the line, its arguments.
struct ProgramCandidate {
    std::string program;
    std::string arguments;

    bool operator==(const ProgramCandidate&) const = default;
};
std::vector<ProgramCandidate> programCandidates(std::string_view commandLine);

}  // namespace logon
