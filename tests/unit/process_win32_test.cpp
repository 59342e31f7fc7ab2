// Where a user's files go when the program's folder cannot be written: %APPDATA%\Opalist, or
// the roaming folder under the user's profile when APPDATA is not an absolute path.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/process.h"

namespace {

// Sets an environment variable for the test's lifetime (unset for nullopt).
class ScopedVariable {
  public:
    ScopedVariable(const wchar_t* name, const std::optional<std::wstring>& value) : name_(name) {
        wchar_t old[32767];
        const DWORD length = GetEnvironmentVariableW(name, old, 32767);
        if (length != 0) {
            old_ = std::wstring(old, length);
        }
        SetEnvironmentVariableW(name, value ? value->c_str() : nullptr);
    }
    ~ScopedVariable() { SetEnvironmentVariableW(name_, old_ ? old_->c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

  private:
    const wchar_t* name_;
    std::optional<std::wstring> old_;
};

TEST(UserConfigDirectory, FromAppDataOrTheProfile) {
    struct Case {
        std::optional<std::wstring> appData;
        std::optional<std::wstring> profile;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {L"C:\\Users\\eva\\AppData\\Roaming", L"C:\\Users\\eva",
         "C:\\Users\\eva\\AppData\\Roaming\\Opalist"},
        {L"\\\\server\\profiles\\eva", std::nullopt, "\\\\server\\profiles\\eva\\Opalist"},
        {L"AppData", L"C:\\Users\\eva", "C:\\Users\\eva\\AppData\\Roaming\\Opalist"},
        {std::nullopt, L"D:/Users/eva", "D:/Users/eva\\AppData\\Roaming\\Opalist"},
        {L"C:", L"\\Users\\eva", ""},
        {std::nullopt, std::nullopt, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases.data()));
        const ScopedVariable appData(L"APPDATA", c.appData);
        const ScopedVariable profile(L"USERPROFILE", c.profile);
        EXPECT_EQ(platform::userConfigDirectory(), c.expected);
    }
}

}  // namespace
