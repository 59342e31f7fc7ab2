// shell32 and ole32 are loaded at the first use, from the system folder, so that a start of the
// program without log-on programs does not map them.
#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <string_view>

#include "logon/run_value.h"
#include "logon/startup_folder.h"
#include "platform/system_library.h"
#include "platform/win32_text.h"

namespace logon {

namespace {

using platform::win32::systemFunction;
using platform::win32::utf8;
using platform::win32::wide;

// The system's identifiers, defined here so that no import library is needed.
constexpr GUID StartupId = {
    0xB97D20BB, 0xF46A, 0x4C97, {0xBA, 0x10, 0x5E, 0x36, 0x08, 0x43, 0x08, 0x54}};
constexpr GUID CommonStartupId = {
    0x82A5EA35, 0xD9CD, 0x47C5, {0x96, 0x29, 0xE1, 0x5D, 0x2F, 0x71, 0x4E, 0x6E}};
constexpr GUID ShellLinkClass = {
    0x00021401, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID ShellLinkInterface = {
    0x000214F9, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};
constexpr GUID PersistFileInterface = {
    0x0000010B, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

std::u16string_view units(const wchar_t* text) {
    return {reinterpret_cast<const char16_t*>(text), std::wcslen(text)};
}

bool equalFolded(std::wstring_view a, std::wstring_view b) {
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

// COM for this thread while the object lives; a thread that has it already keeps its own.
class ComUse {
  public:
    ComUse() {
        static const auto initialize =
            systemFunction<decltype(&::CoInitializeEx)>(L"ole32.dll", "CoInitializeEx");
        result_ = initialize != nullptr
                      ? initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)
                      : E_FAIL;
    }
    ~ComUse() {
        static const auto uninitialize =
            systemFunction<decltype(&::CoUninitialize)>(L"ole32.dll", "CoUninitialize");
        if (SUCCEEDED(result_) && uninitialize != nullptr) {
            uninitialize();
        }
    }
    ComUse(const ComUse&) = delete;
    ComUse& operator=(const ComUse&) = delete;
    // RPC_E_CHANGED_MODE: the thread has COM in the other model, which serves as well.
    bool usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

  private:
    HRESULT result_;
};

template <typename Interface>
class Com {
  public:
    ~Com() {
        if (pointer_ != nullptr) {
            pointer_->Release();
        }
    }
    Interface* operator->() const { return pointer_; }
    void** out() { return reinterpret_cast<void**>(&pointer_); }
    bool valid() const { return pointer_ != nullptr; }

  private:
    Interface* pointer_ = nullptr;
};

}  // namespace

std::string startupFolder(bool common) {
    static const auto knownFolder =
        systemFunction<decltype(&::SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
    static const auto free =
        systemFunction<decltype(&::CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
    PWSTR path = nullptr;
    if (knownFolder == nullptr ||
        knownFolder(common ? CommonStartupId : StartupId, 0, nullptr, &path) != S_OK) {
        return {};
    }
    std::string folder = utf8(path);
    if (free != nullptr) {
        free(path);
    }
    return folder;
}

std::vector<StartupFile> startupFiles(const std::string& folder) {
    std::vector<StartupFile> files;
    if (folder.empty()) {
        return files;
    }
    const std::wstring wideFolder = wide(folder);
    WIN32_FIND_DATAW data{};
    const HANDLE search = FindFirstFileExW((wideFolder + L"\\*").c_str(), FindExInfoBasic, &data,
                                           FindExSearchNameMatch, nullptr, 0);
    if (search == INVALID_HANDLE_VALUE) {
        return files;
    }
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
            equalFolded(data.cFileName, L"desktop.ini")) {
            continue;
        }
        const std::optional<std::string> name = utf16ToUtf8(units(data.cFileName));
        StartupFile file;
        file.nameValid = name.has_value();
        file.name = name ? *name : utf16ToUtf8Shown(units(data.cFileName));
        file.path = folder + "\\" + file.name;
        file.size = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
        files.push_back(std::move(file));
    } while (FindNextFileW(search, &data));
    FindClose(search);
    return files;
}

bool isShortcut(const std::string& name) {
    return name.size() > 4 && equalFolded(wide(name.substr(name.size() - 4)), L".lnk");
}

Shortcut readShortcut(const std::string& path) {
    static const auto create =
        systemFunction<decltype(&::CoCreateInstance)>(L"ole32.dll", "CoCreateInstance");
    const ComUse com;
    Com<IShellLinkW> link;
    Com<IPersistFile> file;
    if (!com.usable() || create == nullptr ||
        FAILED(create(ShellLinkClass, nullptr, CLSCTX_INPROC_SERVER, ShellLinkInterface,
                      link.out())) ||
        FAILED(link->QueryInterface(PersistFileInterface, file.out()))) {
        return {"the system cannot read shortcuts", {}, {}, false};
    }
    if (FAILED(file->Load(wide(path).c_str(), STGM_READ))) {
        return {"not a shortcut the system can read", {}, {}, false};
    }
    // The path with its variables filled in, as the shell opens it.
    std::wstring target(MAX_PATH * 4, L'\0');
    std::wstring arguments(32768, L'\0');
    WIN32_FIND_DATAW found{};
    if (FAILED(link->GetPath(target.data(), static_cast<int>(target.size()), &found, 0))) {
        target.clear();
    }
    if (FAILED(link->GetArguments(arguments.data(), static_cast<int>(arguments.size())))) {
        arguments.clear();
    }
    target.resize(std::wcslen(target.c_str()));
    arguments.resize(std::wcslen(arguments.c_str()));
    Shortcut shortcut{{}, utf8(target), utf8(arguments), true};
    shortcut.targetThere =
        target.empty() || GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES;
    return shortcut;
}

}  // namespace logon
