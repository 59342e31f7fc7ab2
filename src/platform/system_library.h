#pragma once
// DLLs from the system folder only. A DLL put beside Opalist.exe (a shared tools folder, a
// network share) or in the working folder would otherwise be found first by the system's
// search order and run with the user's rights. Windows builds only.

namespace platform::win32 {

// From now on every DLL loaded by name, by the program or by the system on its behalf (the
// libraries a system DLL brings along), comes from the system folder. The program's first call:
// nothing may load a DLL by name before it.
void loadLibrariesFromSystemOnly();

// A function of a system DLL, the DLL and what it brings along loaded from the system folder
// whatever the process's search order; nullptr when either cannot be found.
void* systemProcedure(const wchar_t* library, const char* name);

template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    return reinterpret_cast<Function>(systemProcedure(library, name));
}

}  // namespace platform::win32
