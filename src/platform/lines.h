#pragma once
// Splitting raw file bytes into lines and joining lines into file bytes, shared by the text
// file implementations of every platform. CR LF, LF and a lone CR each end a line when read;
// CR LF ends every line when written. The bytes of a line are kept exactly as they are.

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Collects lines from bytes that arrive in chunks of any size, so a CR LF split across two
// chunks still ends one line.
class LineSplitter {
  public:
    void feed(std::string_view bytes);
    // The end of the file: a last line without a line end is a line too.
    std::vector<std::string> finish();
    // A read failed: the lines complete so far, without the unfinished one.
    std::vector<std::string> abandon();

  private:
    std::vector<std::string> lines_;
    std::string pending_;
    bool afterCr_ = false;
};

// Every line followed by CR LF.
std::string joinLines(const std::vector<std::string>& lines);

}  // namespace platform
