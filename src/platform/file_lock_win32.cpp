#include <windows.h>

#include <algorithm>
#include <cwctype>
#include <functional>
#include <string>

#include "platform/file_lock.h"
#include "platform/win32_text.h"

namespace platform {
namespace {

// One mutex name per file, whatever the case of its path: file names are case-blind here.
std::wstring mutexName(const std::string& path) {
    std::wstring name = win32::wide(path);
    std::transform(name.begin(), name.end(), name.begin(),
                   [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); });
    return L"Local\\Opalist-" + std::to_wstring(std::hash<std::wstring>{}(name));
}

}  // namespace

FileLock::FileLock(const std::string& path)
    : handle_(reinterpret_cast<std::intptr_t>(
          ::CreateMutexW(nullptr, FALSE, mutexName(path).c_str()))) {
    const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    if (mutex == nullptr) {
        return;
    }
    // An abandoned mutex (its holder died) is held all the same.
    const DWORD waited = ::WaitForSingleObject(mutex, INFINITE);
    locked_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

FileLock::~FileLock() {
    const HANDLE mutex = reinterpret_cast<HANDLE>(handle_);
    if (mutex == nullptr) {
        return;
    }
    if (locked_) {
        ::ReleaseMutex(mutex);
    }
    ::CloseHandle(mutex);
}

}  // namespace platform
