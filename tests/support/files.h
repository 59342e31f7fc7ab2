#pragma once
// Files read and written byte for byte, as a test sets them up and looks at them afterwards.

#include <filesystem>
#include <string>

namespace testing_support {

std::string readFile(const std::filesystem::path& path);
// Replaces the file with exactly these bytes.
void writeFile(const std::filesystem::path& path, const std::string& bytes);

}  // namespace testing_support
