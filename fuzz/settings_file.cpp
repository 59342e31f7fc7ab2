// The settings file from any bytes: read in chunks of any size, the lines are those of one
// read; loaded, saved and loaded again, it keeps its entries, options, interval and language;
// and a second save writes the same bytes as the first.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings_file.h"
#include "check.h"
#include "platform/lines.h"

namespace {

std::vector<std::string> readLines(std::string_view bytes, std::size_t chunk) {
    std::vector<std::string> lines;
    platform::LineSplitter splitter([&lines](std::string_view line) { lines.emplace_back(line); });
    for (std::size_t start = 0; start < bytes.size(); start += chunk) {
        splitter.feed(bytes.substr(start, chunk));
    }
    splitter.finish();
    return lines;
}

// What the main window holds after loading the file.
struct Loaded {
    settings::Flags flags;
    std::string interval;
    bool czech;
    std::vector<std::string> entries;
};

Loaded load(std::vector<std::string> lines) {
    settings::FileText file = settings::splitFile(std::move(lines));
    Loaded loaded{settings::parseFlags(file.flags, {0, 1, 1, 0, 0}),
                  settings::intervalText(file.interval),
                  settings::isCzech(file.language),
                  {}};
    for (std::string& entry : file.entries) {
        loaded.entries.push_back(settings::entryFromFile(std::move(entry)));
    }
    return loaded;
}

std::string save(const Loaded& loaded) {
    return platform::joinLines(
        settings::fileLines(loaded.flags, loaded.interval, loaded.czech, loaded.entries));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    // The first byte picks the size of the chunks the file arrives in.
    const std::size_t chunk = data[0] % 16 + 1;
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::vector<std::string> lines = readLines(bytes, bytes.size() + 1);
    FUZZ_CHECK(readLines(bytes, chunk) == lines);

    const Loaded first = load(lines);
    FUZZ_CHECK(first.entries.size() == (lines.size() > 3 ? lines.size() - 3 : 0));
    const std::optional<double> seconds = settings::numericValue(first.interval);
    FUZZ_CHECK(seconds && *seconds >= 3 && *seconds <= 60);
    const std::optional<std::int16_t> whole = settings::toInt16(*seconds);
    FUZZ_CHECK(whole && *whole >= 3 && *whole <= 60);

    const std::string saved = save(first);
    const Loaded second = load(readLines(saved, chunk));
    FUZZ_CHECK(second.entries == first.entries);
    FUZZ_CHECK(second.flags == first.flags);
    FUZZ_CHECK(second.interval == settings::trimBlanks(first.interval));
    FUZZ_CHECK(second.czech == first.czech);
    FUZZ_CHECK(save(second) == saved);
    return 0;
}
