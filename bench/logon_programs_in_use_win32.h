#pragma once
// The log-on programs in use while the start-up is measured: 20 entries of the user's (17 Run
// values, some REG_EXPAND_SZ, and 3 Startup-folder shortcuts), 5 of them taken over by Opalist
// as a user does it (`Opalist.exe --take-over NAME`), so that every start lists and guards them.
// Opalist itself starts by the Run value the installer writes, as at every log-on. Everything is
// given back and removed at the end; a record or a Run value of Opalist's that was there before
// is put back as it was.

#include <windows.h>

#include <string>
#include <vector>

class LogonProgramsInUse {
  public:
    // opalist: the program that takes the entries over and gives them back.
    explicit LogonProgramsInUse(std::wstring opalist);
    ~LogonProgramsInUse();
    LogonProgramsInUse(const LogonProgramsInUse&) = delete;
    LogonProgramsInUse& operator=(const LogonProgramsInUse&) = delete;

  private:
    std::wstring opalist_;
    std::vector<std::wstring> runValues_;
    std::vector<std::wstring> shortcuts_;
    bool recordWasThere_ = false;
    // The user's own "Opalist" Run value from before, as its type and bytes; no type if none.
    DWORD earlierRunType_ = REG_NONE;
    std::vector<BYTE> earlierRunData_;
};
