#include <array>
#include <string_view>

#include "logon/win32_registry.h"
#include "platform/win32_text.h"

namespace logon::win32 {

namespace {

// The keys Opalist reads and writes for the log-on programs; longest first, so that a key is
// never taken for the start of a longer one.
constexpr std::array<std::wstring_view, 6> Keys{
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\StartupFolder",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run32",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run",
    L"Software\\WOW6432Node\\Microsoft\\Windows\\CurrentVersion\\Run",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Run",
};

// Machine keys are read in the 64-bit view whatever this program's build: WOW6432Node is
// named in the path.
constexpr REGSAM View = KEY_WOW64_64KEY;

std::string reason(LONG error) {
    return platform::win32::errorText(static_cast<unsigned long>(error));
}

}  // namespace

Key::Key(HKEY root, const std::wstring& path, REGSAM access)
    : error_(RegOpenKeyExW(root, path.c_str(), 0, access | View, &key_)) {}

Key Key::made(HKEY root, const std::wstring& path, REGSAM access) {
    Key key;
    key.error_ = RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, access | View, nullptr,
                                 &key.key_, nullptr);
    return key;
}

Key::Key(Key&& other) noexcept : key_(other.key_), error_(other.error_) {
    other.error_ = ERROR_FILE_NOT_FOUND;
}

Key::~Key() {
    if (error_ == ERROR_SUCCESS) {
        RegCloseKey(key_);
    }
}

std::string placeText(const RegistryPlace& place) {
    return (place.root == HKEY_LOCAL_MACHINE ? "HKLM\\" : "HKCU\\") +
           platform::win32::utf8(place.key) + "\\" + platform::win32::utf8(place.value);
}

std::optional<RegistryPlace> placeOf(const std::string& text) {
    const std::wstring wide = platform::win32::wide(text);
    RegistryPlace place;
    std::wstring_view rest = wide;
    if (rest.starts_with(L"HKLM\\")) {
        place.root = HKEY_LOCAL_MACHINE;
    } else if (!rest.starts_with(L"HKCU\\")) {
        return std::nullopt;
    }
    rest.remove_prefix(5);
    for (const std::wstring_view key : Keys) {
        if (rest.size() > key.size() && rest.starts_with(key) && rest[key.size()] == L'\\') {
            place.key = key;
            place.value = rest.substr(key.size() + 1);
            return place;
        }
    }
    return std::nullopt;
}

ValueRead readValue(const RegistryPlace& place, std::uint64_t maxBytes) {
    ValueRead read;
    const Key key(place.root, place.key, KEY_QUERY_VALUE);
    if (!key.open()) {
        read.error = key.error();
        return read;
    }
    // A value can change between the two calls: the read is retried with the new size.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD size = 0;
        read.error =
            RegQueryValueExW(key.get(), place.value.c_str(), nullptr, &read.type, nullptr, &size);
        read.size = size;
        if (read.error != ERROR_SUCCESS || size > maxBytes) {
            return read;
        }
        read.bytes.resize(size);
        read.error = RegQueryValueExW(key.get(), place.value.c_str(), nullptr, &read.type,
                                      reinterpret_cast<BYTE*>(read.bytes.data()), &size);
        if (read.error != ERROR_MORE_DATA) {
            read.bytes.resize(size);
            read.size = size;
            return read;
        }
    }
    return read;
}

BinaryRead readBinary(const RegistryPlace& place) {
    // Task Manager's values are 12 bytes; a larger one is nothing Opalist writes or restores.
    constexpr std::uint64_t MaxSwitchBytes = 4096;
    ValueRead read = readValue(place, MaxSwitchBytes);
    if (read.error == ERROR_FILE_NOT_FOUND) {
        return {};
    }
    if (read.error != ERROR_SUCCESS) {
        return {std::nullopt, placeText(place) + ": " + reason(read.error)};
    }
    if (read.type != REG_BINARY || read.size > MaxSwitchBytes) {
        return {std::nullopt, placeText(place) + " is not a switch of the system's"};
    }
    return {std::move(read.bytes), {}};
}

std::string writeValue(const RegistryPlace& place, DWORD type, const std::string& bytes) {
    const Key key = Key::made(place.root, place.key, KEY_SET_VALUE);
    LONG error = key.error();
    if (key.open()) {
        error = RegSetValueExW(key.get(), place.value.c_str(), 0, type,
                               reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size()));
    }
    return error == ERROR_SUCCESS ? std::string() : placeText(place) + ": " + reason(error);
}

std::string deleteValue(const RegistryPlace& place) {
    const Key key(place.root, place.key, KEY_SET_VALUE);
    LONG error = key.error();
    if (key.open()) {
        error = RegDeleteValueW(key.get(), place.value.c_str());
    }
    return error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND
               ? std::string()
               : placeText(place) + ": " + reason(error);
}

bool canWrite(const RegistryPlace& place) {
    // The nearest key that is there: values are set in it, or the missing keys made under it.
    std::wstring path = place.key;
    REGSAM access = KEY_SET_VALUE;
    for (;;) {
        const Key key(place.root, path, access);
        if (key.open()) {
            return true;
        }
        const std::size_t parent = path.rfind(L'\\');
        if (key.error() != ERROR_FILE_NOT_FOUND || parent == std::wstring::npos) {
            return false;
        }
        path.resize(parent);
        access = KEY_CREATE_SUB_KEY;
    }
}

std::string expandedValue(const std::string& text) {
    const std::wstring wide = platform::win32::wide(text);
    std::wstring result(ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0), L'\0');
    const DWORD length =
        ExpandEnvironmentStringsW(wide.c_str(), result.data(), static_cast<DWORD>(result.size()));
    if (length == 0 || length > result.size()) {
        return text;
    }
    result.resize(length - 1);
    return platform::win32::utf8(result);
}

}  // namespace logon::win32
