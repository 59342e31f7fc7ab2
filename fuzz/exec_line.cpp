// A desktop entry's Exec line from any bytes, with any document: the command is made or refused,
// never more; a document of any bytes given to "%f" or added to a line without a code comes
// back as one word, whole.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check.h"
#include "platform/exec_line.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The Exec line, then the document after the first NUL.
    const auto cut = input.find('\0');
    const std::string exec(input.substr(0, cut));
    std::string document(cut == std::string_view::npos ? "" : input.substr(cut + 1));
    std::erase(document, '\0');
    const platform::ExecFields fields{document, "file:///doc", "icon", "App", "/a.desktop"};
    (void)platform::execCommand(exec, fields);

    const std::string shown = document.empty() ? fields.uri : document;
    for (const char* line : {"program %f", "program --flag"}) {
        const std::optional<std::vector<std::string>> command = platform::execCommand(line, fields);
        FUZZ_CHECK(command.has_value());
        FUZZ_CHECK(command->front() == "program" && command->back() == shown);
    }
    return 0;
}
