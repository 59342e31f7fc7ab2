#pragma once
// Splitting raw file bytes into lines and joining lines into file bytes, shared by the text
// file implementations of every platform. CR LF, LF and a lone CR each end a line when read;
// CR LF ends every line when written. The bytes of a line are kept exactly as they are.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace platform {

// Splits bytes that arrive in chunks of any size, so a CR LF split across two chunks still ends
// one line, and hands each line over as soon as it is whole: the file need not be kept.
class LineSplitter {
  public:
    explicit LineSplitter(std::function<void(std::string_view line)> onLine)
        : onLine_(std::move(onLine)) {}
    void feed(std::string_view bytes);
    // The end of the file: a last line without a line end is a line too. A read that failed
    // part-way does not call it, and the unfinished line is dropped.
    void finish();
    // The first line is not handed over: reading starts inside it, or just after its end.
    void dropFirstLine() { dropping_ = true; }

  private:
    void hand(std::string_view line);

    std::function<void(std::string_view)> onLine_;
    std::string pending_;
    bool afterCr_ = false;
    bool dropping_ = false;
};

// Where a read that keeps at most maxBytes of the end of a file of fileSize bytes starts: at the
// byte before the kept part, so that the first line handed over is a whole one (the line the
// read starts in, cut or just the end of the line before, is dropped).
struct ReadSpan {
    std::uint64_t start = 0;
    bool dropFirstLine = false;
};
ReadSpan lastBytes(std::uint64_t fileSize, std::uint64_t maxBytes);

// Every line followed by the line end, CR LF by default.
std::string joinLines(const std::vector<std::string>& lines, std::string_view end = "\r\n");

}  // namespace platform
