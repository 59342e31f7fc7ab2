#include "support/registry_win32.h"

#include <windows.h>

#include <objidl.h>
#include <shlobj.h>

#include <cstdio>

#include "support/temp_dir.h"

namespace testing_support {

namespace {

std::string fileBytes(const std::filesystem::path& path) {
    FILE* in = _wfopen(path.wstring().c_str(), L"rb");
    std::string bytes;
    char buffer[4096];
    for (std::size_t read;
         in != nullptr && (read = std::fread(buffer, 1, sizeof buffer, in)) > 0;) {
        bytes.append(buffer, read);
    }
    if (in != nullptr) {
        std::fclose(in);
    }
    return bytes;
}

}  // namespace

std::filesystem::path builtBeside(const wchar_t* name) {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    return std::filesystem::path(path).parent_path() / name;
}

CommandOutput runCommand(const std::wstring& command) {
    const TempDir dir;
    const std::filesystem::path file = dir.path() / "output";
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    const HANDLE output =
        CreateFileW(file.wstring().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    &inherited, CREATE_ALWAYS, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process{};
    std::wstring line = command;
    CommandOutput result;
    if (CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                       nullptr, &startup, &process)) {
        DWORD code = 0;
        if (WaitForSingleObject(process.hProcess, 60000) == WAIT_OBJECT_0 &&
            GetExitCodeProcess(process.hProcess, &code)) {
            result.status = static_cast<int>(code);
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    CloseHandle(output);
    result.text = fileBytes(file);
    return result;
}

bool addUserValue(const std::wstring& key, const std::wstring& name, const wchar_t* type,
                  const std::wstring& data) {
    return runCommand(L"reg add \"" + key + L"\" /v \"" + name + L"\" /t " + type + L" /d \"" +
                      data + L"\" /f")
               .status == 0;
}

void makeApprovedKeys() {
    runCommand(L"reg add \"" + ApprovedRunKey + L"\" /f");
    runCommand(L"reg add \"" + ApprovedFolderKey + L"\" /f");
}

void removeUserValue(const std::wstring& key, const std::wstring& name) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, key.substr(key.find(L'\\') + 1).c_str(), name.c_str());
}

std::string regExport(const std::wstring& key) {
    const TempDir dir;
    const std::filesystem::path file = dir.path() / "export.reg";
    if (runCommand(L"reg export \"" + key + L"\" \"" + file.wstring() + L"\" /y").status != 0) {
        return {};
    }
    return fileBytes(file);
}

bool makeShortcut(const std::filesystem::path& path, const std::filesystem::path& target,
                  const std::wstring& arguments, const std::filesystem::path& folder) {
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IShellLinkW* link = nullptr;
    IPersistFile* file = nullptr;
    const bool made =
        SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                   reinterpret_cast<void**>(&link))) &&
        SUCCEEDED(link->SetPath(target.wstring().c_str())) &&
        SUCCEEDED(link->SetArguments(arguments.c_str())) &&
        SUCCEEDED(link->SetWorkingDirectory(folder.wstring().c_str())) &&
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Save(path.wstring().c_str(), TRUE));
    if (file != nullptr) {
        file->Release();
    }
    if (link != nullptr) {
        link->Release();
    }
    if (SUCCEEDED(com)) {
        CoUninitialize();
    }
    return made;
}

}  // namespace testing_support
