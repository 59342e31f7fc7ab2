// A DLL that tells when it is loaded: as it is attached to a process, it leaves an empty file
// named after itself with ".ran" added ("shcore.dll.ran"). The planting tests put copies of it,
// named as system DLLs, beside Opalist.exe; none may ever be loaded.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t marker[MAX_PATH + 8] = {};
        const DWORD length = GetModuleFileNameW(self, marker, MAX_PATH);
        lstrcpyW(marker + length, L".ran");
        CloseHandle(CreateFileW(marker, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    return TRUE;
}
