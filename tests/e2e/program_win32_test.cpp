// The real Opalist.exe under Wine from start to end: a copy in a program folder of its own
// writes its settings beside itself, counts its shortest interval down, launches the probe
// through the shell with the split parameters in "C:\", logs a failing entry with the shell's
// message, and ends on Esc.

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "support/files.h"
#include "support/registry_win32.h"
#include "support/temp_dir.h"

namespace {

namespace fs = std::filesystem;
using testing_support::builtBeside;
using testing_support::readFile;
using testing_support::writeFile;

// A visible top-level window of the process whose title holds `title` (a box's, say), or
// nullptr.
HWND windowOf(DWORD processId, const std::wstring& title = {}) {
    struct Search {
        DWORD processId;
        const std::wstring& title;
        HWND found;
    } search{processId, title, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            wchar_t text[128] = {};
            GetWindowTextW(hwnd, text, 128);
            if (owner == s.processId && IsWindowVisible(hwnd) &&
                std::wstring(text).find(s.title) != std::wstring::npos) {
                s.found = hwnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool waitFor(const std::function<bool()>& condition, int seconds) {
    for (int i = 0; i < seconds * 50; ++i) {
        if (condition()) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return condition();
}

struct Program {
    testing_support::TempDir dir;
    fs::path exe = dir.path() / "Opalist.exe";
    fs::path settings = dir.path() / "Opalist e2e.ini";
    fs::path log = dir.path() / "Opalist e2e error.log";
    fs::path probe = dir.path() / "probe.exe";
    fs::path probeOut = dir.path() / "probe.out";
    PROCESS_INFORMATION process{};
    PROCESS_INFORMATION later{};  // a second start beside the first

    Program() {
        fs::copy_file(builtBeside(L"Opalist.exe"), exe);
        fs::copy_file(builtBeside(L"opalist_test_probe.exe"), probe);
    }
    ~Program() {
        end(process);
        end(later);
    }
    static void end(PROCESS_INFORMATION& start) {
        if (start.hProcess != nullptr) {
            TerminateProcess(start.hProcess, 1);
            WaitForSingleObject(start.hProcess, 10000);
            CloseHandle(start.hProcess);
            CloseHandle(start.hThread);
            start = {};
        }
    }

    void start() { start(process); }
    void start(PROCESS_INFORMATION& into) {
        end(into);
        SetEnvironmentVariableW(L"UserName", L"e2e");
        SetEnvironmentVariableW(L"OPALIST_PROBE_OUT", probeOut.wstring().c_str());
        SetEnvironmentVariableW(L"OPALIST_PROBE_AWAIT_LAUNCHER", L"1");
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
        ASSERT_TRUE(CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr,
                                   FALSE, 0, nullptr, dir.path().wstring().c_str(), &startup,
                                   &into));
    }
    // The exit code, or -1 when the program did not end in time.
    int wait(int seconds = 30) { return wait(process, seconds); }
    static int wait(const PROCESS_INFORMATION& start, int seconds) {
        if (WaitForSingleObject(start.hProcess, static_cast<DWORD>(seconds) * 1000) !=
            WAIT_OBJECT_0) {
            return -1;
        }
        DWORD code = 0;
        GetExitCodeProcess(start.hProcess, &code);
        return static_cast<int>(code);
    }

    // The probe's record, once it has appeared, without the raw command line.
    std::vector<std::string> probeRecord() const {
        waitFor([&] { return fs::exists(probeOut); }, 30);
        std::vector<std::string> lines;
        std::ifstream in(probeOut);
        for (std::string line; std::getline(in, line);) {
            if (!line.starts_with("commandline=")) {
                lines.push_back(line);
            }
        }
        return lines;
    }
};

TEST(Program, FirstStartWritesItsSettingsBesideItselfWithCrLfAndEndsOnEsc) {
    Program p;
    p.start();
    HWND window = nullptr;
    ASSERT_TRUE(waitFor([&] { return (window = windowOf(p.process.dwProcessId)) != nullptr; }, 30));
    wchar_t title[64] = {};
    GetWindowTextW(window, title, 64);
    EXPECT_EQ(std::wstring(title), L"Opalist 1.4.4 - setup") << "named as the program is";
    PostMessageW(window, WM_CHAR, 27, 1);
    EXPECT_EQ(p.wait(), 0);
    // The names as written, whatever case the file system would also accept.
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(p.dir.path())) {
        files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"Opalist e2e.ini", "Opalist.exe", "probe.exe"}));
    const std::string settings = readFile(p.settings);
    ASSERT_FALSE(settings.empty());
    EXPECT_EQ(settings.substr(settings.size() - 2), "\r\n");
    std::size_t lines = 0;
    for (std::size_t at = settings.find('\n'); at != std::string::npos;
         at = settings.find('\n', at + 1)) {
        EXPECT_EQ(settings[at - 1], '\r') << settings;
        ++lines;
    }
    EXPECT_EQ(lines, 3u) << "three header lines and no entry";
}

TEST(Program, CountsDownAndLaunchesTheProbeInCWithItsParametersThatOutlivesIt) {
    Program p;
    // The file writes the entry's quotation marks as apostrophes.
    const std::string settings =
        "<01100>\r\n3\r\nEN\r\n'" + p.probe.string() + "' /min  /log:x y\r\n";
    writeFile(p.settings, settings);
    p.start();
    EXPECT_EQ(p.wait(), 0);
    EXPECT_EQ(p.probeRecord(), (std::vector<std::string>{"cwd=C:\\", "outlived=yes", "arg=/min",
                                                         "arg=/log:x", "arg=y"}));
    EXPECT_EQ(readFile(p.settings), settings) << "an unchanged setup is kept as it was";
    EXPECT_FALSE(fs::exists(p.log));
}

TEST(Program, AFailingEntryIsLoggedWithTheShellsMessageInEitherLanguage) {
    for (const auto& [language, message] :
         {std::pair{"EN", "File not found"}, std::pair{"CS", "Soubor nenalezen"}}) {
        SCOPED_TRACE(language);
        Program p;
        // Errors logged, not shown, and the program quits even so: nothing waits for a user.
        writeFile(p.settings,
                  std::string("<00101>\r\n3\r\n") + language + "\r\nno-such-program.exe /x\r\n");
        p.start();
        EXPECT_EQ(p.wait(), 0);
        const std::string log = readFile(p.log);
        ASSERT_FALSE(log.empty());
        EXPECT_EQ(log.front(), '#');
        EXPECT_NE(log.find(std::string("# | no-such-program.exe /x | ") + message + "\r\n"),
                  std::string::npos)
            << log;
    }
}

// A NUL character would end the shell request's strings early and start the probe: the entry is
// refused, logged with a message that says why, and nothing runs.
TEST(Program, AnEntryHoldingANulIsRefusedAndLogged) {
    Program p;
    const std::string entry = p.probe.string() + '\0' + ".txt /x";
    writeFile(p.settings, "<00101>\r\n3\r\nEN\r\n" + entry + "\r\n");
    p.start();
    EXPECT_EQ(p.wait(), 0);
    EXPECT_NE(readFile(p.log).find("# | " + entry +
                                   " | The command line holds a NUL character and was not "
                                   "launched\r\n"),
              std::string::npos)
        << readFile(p.log);
    EXPECT_FALSE(waitFor([&] { return fs::exists(p.probeOut); }, 2)) << "the probe ran";
}

// Runs the program with arguments and its standard output and error on one pipe, as a
// console's user who redirects them would; the exit code, or -1 when it did not end in time.
// Every line written there ends in CR LF; the output is given with LF ends.
int runWithOutput(const fs::path& exe, const std::wstring& arguments, std::string& output) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE read = nullptr;
    HANDLE write = nullptr;
    if (!CreatePipe(&read, &write, &inherit, 0)) {
        return -2;
    }
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = write;
    startup.hStdError = write;
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + exe.wstring() + L"\" " + arguments;
    SetEnvironmentVariableW(L"UserName", L"e2e");
    const BOOL started =
        CreateProcessW(exe.wstring().c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                       nullptr, exe.parent_path().wstring().c_str(), &startup, &process);
    CloseHandle(write);
    if (!started) {
        CloseHandle(read);
        return -2;
    }
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(read, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        output.append(buffer, got);
    }
    CloseHandle(read);
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0) {
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    std::size_t crLf = 0;
    for (std::size_t at = output.find("\r\n"); at != std::string::npos;
         at = output.find("\r\n", at)) {
        output.erase(at, 1);
        ++crLf;
    }
    EXPECT_EQ(crLf, static_cast<std::size_t>(std::count(output.begin(), output.end(), '\n')))
        << "a line ends in LF alone or in CR CR LF: " << output;
    return static_cast<int>(code);
}

bool holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST(Program, CheckTellsWhatEachEntryWouldOpenInTheListsLanguageAndLaunchesNothing) {
    Program p;
    writeFile(p.dir.path() / "notes.ini", "[notes]\r\n");
    writeFile(p.dir.path() / "notes.unknownkind", "notes\r\n");
    writeFile(p.dir.path() / "t.bat", "@echo %1\r\n");
    writeFile(p.settings,
              "<01100>\r\n3\r\nEN\r\n'" + p.probe.string() +
                  "' /min  /log:x y\r\nno-such-program.exe\r\n"
                  "C:\\no\\such\\folder\\tool.exe\r\n" +
                  (p.dir.path() / "notes.ini").string() + "\r\nhttp:\\\\example.org\\\r\n" +
                  (p.dir.path() / "notes.unknownkind").string() + "\r\n%WINDIR%\\notepad.exe\r\n" +
                  (p.dir.path() / "t.bat").string() + " /x&echo INJECTED>inj.txt\r\n\r\n");
    const fs::path czech = p.dir.path() / "czech.ini";
    writeFile(czech, "<01100>\r\n3\r\nCS\r\nno-such-program.exe\r\n");

    std::string out;
    EXPECT_EQ(runWithOutput(p.exe, L"--check", out), 1) << out;
    const std::string probe = p.probe.string();
    EXPECT_TRUE(holds(out, "   file: " + probe +
                               "\n   argument 1: /min\n   argument 2: /log:x\n"
                               "   argument 3: y\n   runs as a program: " +
                               probe + "\n   verdict: ok\n"))
        << out;
    EXPECT_TRUE(holds(out,
                      "2. no-such-program.exe\n   file: no-such-program.exe\n"
                      "   verdict: File not found\n"))
        << out;
    EXPECT_TRUE(holds(out, "tool.exe\n   verdict: Path not found\n")) << out;
    EXPECT_TRUE(holds(out, "notes.ini\n   opens with: ")) << out;
    EXPECT_TRUE(holds(out, "org\\\n   opens with: ")) << out;
    EXPECT_TRUE(holds(out, "notes.unknownkind\n   verdict: No association for file extension\n"))
        << out;
    // The shell fills in the variables of the file's name.
    EXPECT_TRUE(holds(out,
                      "7. %WINDIR%\\notepad.exe\n   file: %WINDIR%\\notepad.exe\n"
                      "   runs as a program: "))
        << out;
    EXPECT_TRUE(holds(out, "\\notepad.exe\n   verdict: ok\n")) << out;
    EXPECT_TRUE(holds(out,
                      "t.bat\n   argument 1: /x&echo\n   argument 2: INJECTED>inj.txt\n"
                      "   runs as a program: "))
        << out;
    EXPECT_TRUE(holds(out,
                      "t.bat\n   runs through: cmd.exe\n   warning: cmd.exe acts on these "
                      "characters in the arguments: & >\n   verdict: ok\n"))
        << out;
    EXPECT_TRUE(
        holds(out, "9. \n   verdict: empty: skipped at launch\n3 of 9 entries would fail\n"))
        << out;
    EXPECT_FALSE(fs::exists(p.probeOut)) << "nothing launched";
    EXPECT_FALSE(fs::exists(p.log)) << "nothing logged";

    std::string czechOut;
    EXPECT_EQ(runWithOutput(p.exe, L"--check \"" + czech.wstring() + L"\"", czechOut), 1);
    EXPECT_TRUE(holds(czechOut, "   výsledek: Soubor nenalezen\nSelhalo by 1 z 1 položek\n"))
        << czechOut;

    for (const auto& [arguments, status, part] :
         {std::tuple{L"--check C:\\no-such.ini", 2, "there is no such file"},
          std::tuple{L"--check a b", 2, "unknown argument \"b\""},
          std::tuple{L"--version", 0, "palist 1.4.4\n"}, std::tuple{L"--help", 0, "--check [FILE]"},
          std::tuple{L"/?", 0, "--check [FILE]"},
          std::tuple{L"/? x", 2, "unknown argument \"x\""}}) {
        std::string answer;
        EXPECT_EQ(runWithOutput(p.exe, arguments, answer), status) << answer;
        EXPECT_TRUE(holds(answer, part)) << answer;
    }
}

// A path in quotation marks, as the settings file writes them: apostrophes.
std::string stored(const fs::path& path) {
    std::string text = "'";
    text += path.string();
    text += '\'';
    return text;
}

// Started at log-on and again from the Start menu a moment later: the second start brings the
// first, minimized meanwhile, back to the front and ends at once, launching nothing, while the
// first goes on. A first start killed on the way does not keep the next one from running.
TEST(Program, ASecondStartLaunchesNothingAndAKilledFirstDoesNotBlockTheNext) {
    Program p;
    const std::string entry = stored(p.probe) + " /second";
    writeFile(p.settings, "<01100>\r\n60\r\nEN\r\n" + entry + "\r\n");
    p.start();
    HWND first = nullptr;
    ASSERT_TRUE(waitFor([&] { return (first = windowOf(p.process.dwProcessId)) != nullptr; }, 30));
    ShowWindow(first, SW_MINIMIZE);
    // Left to count down on its own, the second start would launch the probe after 3 s.
    writeFile(p.settings, "<01100>\r\n3\r\nEN\r\n" + entry + "\r\n");

    p.start(p.later);
    EXPECT_EQ(Program::wait(p.later, 10), 0);
    EXPECT_TRUE(waitFor([&] { return !IsIconic(first); }, 5)) << "the first stays minimized";
    EXPECT_FALSE(waitFor([&] { return fs::exists(p.probeOut); }, 1))
        << "the second start launched its list";
    EXPECT_EQ(WaitForSingleObject(p.process.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the first start ended";

    Program::end(p.process);
    p.start();
    EXPECT_EQ(p.wait(), 0);
    const std::vector<std::string> record = p.probeRecord();
    EXPECT_NE(std::find(record.begin(), record.end(), "arg=/second"), record.end());
}

// Whether `upper` lies above `lower` among the top-level windows.
bool above(HWND upper, HWND lower) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr;
         window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == upper || window == lower) {
            return window == upper;
        }
    }
    return false;
}

// The program of the first entry opens its window a second after it starts, and takes the
// foreground: the question for the next entry stays above it, topmost.
TEST(Program, TheNextQuestionStaysAboveAWindowThatALaunchedProgramOpensLater) {
    Program p;
    SetEnvironmentVariableW(L"OPALIST_PROBE_WINDOW_AFTER_MS", L"1000");
    const std::string probe = stored(p.probe);
    writeFile(p.settings, "<01110>\r\n3\r\nEN\r\n" + probe + "\r\n" + probe + " /second\r\n");
    p.start();
    SetEnvironmentVariableW(L"OPALIST_PROBE_WINDOW_AFTER_MS", nullptr);
    HWND question = nullptr;
    ASSERT_TRUE(waitFor(
        [&] { return (question = windowOf(p.process.dwProcessId, L"(1/2)")) != nullptr; }, 30));
    PostMessageW(question, WM_COMMAND, IDYES, 0);

    HWND late = nullptr;
    ASSERT_TRUE(
        waitFor([&] { return (late = FindWindowW(L"OpalistProbe", nullptr)) != nullptr; }, 10));
    ASSERT_TRUE(waitFor(
        [&] { return (question = windowOf(p.process.dwProcessId, L"(2/2)")) != nullptr; }, 10));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));  // the late window settles
    EXPECT_TRUE(above(question, late)) << "the question lies under the program's window";
    EXPECT_NE(GetWindowLongPtrW(question, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    const HWND main = GetWindow(question, GW_OWNER);
    EXPECT_NE(GetWindow(main, GW_OWNER), nullptr) << "the main window got a taskbar button";
    EXPECT_EQ(GetWindowLongPtrW(main, GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "only the box is topmost";
    EXPECT_TRUE(waitFor([&] { return GetForegroundWindow() == question; }, 2))
        << "the keyboard stays with the program's window";

    PostMessageW(question, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(p.wait(), 0);
    PostMessageW(late, WM_CLOSE, 0, 0);
}

// A DLL put beside the program under the name of one that the program, or the system on its
// behalf, loads by name is never loaded: not for a launch (shell32 and what it brings along),
// not for the window (the common controls and the theme), not for a check of a document
// (shlwapi).
TEST(Program, DllsPlantedBesideTheProgramAreNeverLoaded) {
    Program p;
    const char* const planted[] = {"shell32.dll", "shlwapi.dll", "shcore.dll", "comctl32.dll",
                                   "uxtheme.dll", "msimg32.dll", "ole32.dll"};
    for (const char* name : planted) {
        fs::copy_file(builtBeside(L"planted.dll"), p.dir.path() / name);
    }
    const auto loaded = [&] {
        std::string names;
        for (const char* name : planted) {
            if (fs::exists(p.dir.path() / (std::string(name) + ".ran"))) {
                names += std::string(name) + " ";
            }
        }
        return names;
    };
    // Failures logged, not shown, and the program quits even so.
    writeFile(p.settings, "<00101>\r\n3\r\nEN\r\n" + p.probe.string() + " /x\r\n");
    p.start();
    EXPECT_EQ(p.wait(), 0);
    EXPECT_EQ(p.probeRecord(), (std::vector<std::string>{"cwd=C:\\", "outlived=yes", "arg=/x"}));
    EXPECT_EQ(loaded(), "") << "loaded for a launch";

    writeFile(p.dir.path() / "notes.ini", "[notes]\r\n");
    const fs::path document = p.dir.path() / "document.ini";
    writeFile(document, "<00101>\r\n3\r\nEN\r\n" + (p.dir.path() / "notes.ini").string() + "\r\n");
    std::string out;
    EXPECT_EQ(runWithOutput(p.exe, L"--check \"" + document.wstring() + L"\"", out), 0) << out;
    EXPECT_TRUE(holds(out, "notes.ini\n   opens with: ")) << out;
    EXPECT_EQ(loaded(), "") << "loaded for a check";
}

}  // namespace
