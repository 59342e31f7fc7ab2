#pragma once
// The registry values of the log-on programs on Windows, named by the text the list and the
// record keep ("HKCU\Software\...\Run\NAME"): read within a bound, written and removed.
// Windows builds only.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace logon::win32 {

struct RegistryPlace {
    HKEY root = HKEY_CURRENT_USER;
    std::wstring key;
    std::wstring value;  // may be empty: the key's default value
};

// The text of a place, "HKCU\<key>\<value>" (HKLM for the machine), and back: the key is one
// of the log-on programs' keys, so a value name holding "\" still parts exactly.
std::string placeText(const RegistryPlace& place);
std::optional<RegistryPlace> placeOf(const std::string& text);

struct ValueRead {
    LONG error = ERROR_SUCCESS;  // ERROR_FILE_NOT_FOUND: no key or no value
    DWORD type = REG_NONE;
    std::uint64_t size = 0;  // as the registry tells it
    std::string bytes;       // left empty when size is over the bound
};
ValueRead readValue(const RegistryPlace& place, std::uint64_t maxBytes);
// The bytes of a REG_BINARY value; nothing when there is none. Another type reads as an error.
struct BinaryRead {
    std::optional<std::string> bytes;
    std::string error;
};
BinaryRead readBinary(const RegistryPlace& place);

// An empty text, or the system's reason.
std::string writeValue(const RegistryPlace& place, DWORD type, const std::string& bytes);
std::string deleteValue(const RegistryPlace& place);
// Whether this user may write values at the place's key (or make it where it is missing).
bool canWrite(const RegistryPlace& place);

// A REG_EXPAND_SZ value's text with its "%NAME%" variables filled in, as the system fills them
// in; a name that is not set stays as written.
std::string expandedValue(const std::string& text);

// A key, closed with the object.
class Key {
  public:
    Key(HKEY root, const std::wstring& path, REGSAM access);
    // Opened, or made with its missing parents.
    static Key made(HKEY root, const std::wstring& path, REGSAM access);
    ~Key();
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    Key(Key&& other) noexcept;
    Key& operator=(Key&&) = delete;

    bool open() const { return error_ == ERROR_SUCCESS; }
    LONG error() const { return error_; }
    HKEY get() const { return key_; }

  private:
    Key() = default;
    HKEY key_{};
    LONG error_ = ERROR_FILE_NOT_FOUND;
};

}  // namespace logon::win32
