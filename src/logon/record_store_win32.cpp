#include <windows.h>

#include <cstring>

#include "logon/record_store.h"
#include "logon/run_value.h"
#include "logon/win32_registry.h"
#include "platform/lines.h"
#include "platform/win32_text.h"

namespace logon {

namespace {

// Far above any record of log-on programs; a larger value is not read.
constexpr std::uint64_t MaxRecordBytes = std::uint64_t{16} << 20;

const win32::RegistryPlace Place{HKEY_CURRENT_USER, L"Software\\Opalist", L"LogonPrograms"};

}  // namespace

StoredRecord loadRecord() {
    const win32::ValueRead read = win32::readValue(Place, MaxRecordBytes);
    if (read.error == ERROR_FILE_NOT_FOUND) {
        return {false, true, {}, {}};
    }
    const auto unreadable = [](std::string why) {
        return StoredRecord{true, false, {}, recordPlace() + " " + std::move(why)};
    };
    if (read.error != ERROR_SUCCESS) {
        return unreadable("cannot be read");
    }
    if (read.size > MaxRecordBytes) {
        return unreadable("is too large");
    }
    if (read.type != REG_SZ || read.bytes.size() % 2 != 0) {
        return unreadable("is not a text value");
    }
    std::u16string units(read.bytes.size() / 2, u'\0');
    std::memcpy(units.data(), read.bytes.data(), read.bytes.size());
    while (!units.empty() && units.back() == u'\0') {
        units.pop_back();
    }
    std::vector<std::string> lines;
    platform::LineSplitter splitter([&lines](std::string_view line) { lines.emplace_back(line); });
    splitter.feed(utf16ToUtf8Shown(units));
    splitter.finish();
    return {true, true, std::move(lines), {}};
}

std::string saveRecord(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        text += (index == 0 ? "" : "\n") + lines[index];
    }
    const std::wstring wide = platform::win32::wide(text);
    const std::string bytes(reinterpret_cast<const char*>(wide.c_str()),
                            (wide.size() + 1) * sizeof(wchar_t));
    // One value written whole: the registry never leaves it half written.
    return win32::writeValue(Place, REG_SZ, bytes);
}

std::string recordPlace() {
    return win32::placeText(Place);
}

}  // namespace logon
