// --check's escaping of any bytes: what it shows is valid UTF-8 without a control character or
// a direction change, at most four bytes for each byte of the text, and holds nothing more to
// escape.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check.h"
#include "launch/shown_text.h"

namespace {

// The code point at the start of valid UTF-8 text, and its length.
std::size_t next(std::string_view text, std::uint32_t& point) {
    const auto byte = [&](std::size_t at) { return static_cast<std::uint8_t>(text[at]); };
    const std::size_t length = byte(0) < 0x80 ? 1 : byte(0) < 0xe0 ? 2 : byte(0) < 0xf0 ? 3 : 4;
    FUZZ_CHECK(byte(0) < 0x80 || byte(0) >= 0xc2);
    FUZZ_CHECK(length <= text.size());
    point = length == 1 ? byte(0) : byte(0) & (0x7f >> length);
    for (std::size_t at = 1; at < length; ++at) {
        FUZZ_CHECK((byte(at) & 0xc0) == 0x80);
        point = (point << 6) | (byte(at) & 0x3f);
    }
    return length;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string shown = launch::shownText(text);
    FUZZ_CHECK(shown.size() <= 4 * text.size());
    for (std::string_view rest = shown; !rest.empty();) {
        std::uint32_t point = 0;
        rest.remove_prefix(next(rest, point));
        FUZZ_CHECK(point >= 0x20 && point != 0x7f && !(point >= 0x80 && point <= 0x9f));
        FUZZ_CHECK(!(point >= 0x202a && point <= 0x202e) && !(point >= 0x2066 && point <= 0x2069));
        FUZZ_CHECK(point != 0x200e && point != 0x200f && point != 0x061c);
    }
    // What is shown holds nothing more to escape.
    FUZZ_CHECK(launch::shownText(shown) == shown);
    return 0;
}
