// A program for the launch tests to start: it writes what it was started with into the file
// named by OPALIST_PROBE_OUT, one "key=value" line each: the working directory, its session,
// where stdin, stdout and stderr lead, its open descriptors, its process id, the signals it
// ignores and blocks (masks in hex, as the kernel shows them), every argument after argv[0], and
// "env=NAME=value" for each variable named in OPALIST_PROBE_ENV (blank-separated) that it has.
// With OPALIST_PROBE_AWAIT_PID set it first waits until that process has gone, to show that it
// outlives its launcher; with OPALIST_PROBE_STAY set to a number of seconds it stays that long
// after writing, as an application that opened a document does. The file appears whole
// (written, then renamed).

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

namespace {

std::string target(int fd) {
    std::error_code error;
    return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error).string();
}

std::string openDescriptors() {
    std::string list;
    std::error_code error;
    // The directory listing holds a descriptor of its own while it runs: skip the one that
    // leads to the listed directory itself.
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string name = entry.path().filename().string();
        if (target(std::stoi(name)).rfind("/proc/", 0) == 0) {
            continue;
        }
        list += (list.empty() ? "" : " ") + name;
    }
    return list;
}

// A mask line of /proc/self/status ("SigIgn", "SigBlk"), without the two signals the C
// library keeps for itself below SIGRTMIN (posix_spawn leaves them ignored in every child; no
// program can use them).
std::string signalMask(const std::string& name) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with(name + ":")) {
            std::uint64_t mask = std::stoull(line.substr(name.size() + 1), nullptr, 16);
            for (int signal = 32; signal < SIGRTMIN; ++signal) {
                mask &= ~(std::uint64_t{1} << (signal - 1));
            }
            char text[17];
            std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(mask));
            return text;
        }
    }
    return "?";
}

}  // namespace

int main(int argc, char** argv) {
    const char* out = std::getenv("OPALIST_PROBE_OUT");
    if (out == nullptr) {
        return 2;
    }
    std::string outlived;
    if (const char* awaited = std::getenv("OPALIST_PROBE_AWAIT_PID")) {
        const pid_t pid = std::atoi(awaited);
        for (int i = 0; i < 1000 && ::kill(pid, 0) == 0; ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        outlived = ::kill(pid, 0) != 0 && errno == ESRCH ? "yes" : "no";
    }
    const std::string descriptors = openDescriptors();
    const std::string temporary = std::string(out) + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream file(temporary, std::ios::binary);
        file << "cwd=" << std::filesystem::current_path().string() << "\n";
        file << "session=" << ::getsid(0) << "\n";
        file << "stdio=" << target(0) << " " << target(1) << " " << target(2) << "\n";
        file << "fds=" << descriptors << "\n";
        file << "pid=" << ::getpid() << "\n";
        file << "signals=ignored " << signalMask("SigIgn") << " blocked " << signalMask("SigBlk")
             << "\n";
        if (!outlived.empty()) {
            file << "outlived=" << outlived << "\n";
        }
        for (int i = 1; i < argc; ++i) {
            file << "arg=" << argv[i] << "\n";
        }
        std::istringstream reported(
            std::getenv("OPALIST_PROBE_ENV") != nullptr ? std::getenv("OPALIST_PROBE_ENV") : "");
        for (std::string name; reported >> name;) {
            if (const char* value = std::getenv(name.c_str())) {
                file << "env=" << name << "=" << value << "\n";
            }
        }
    }
    std::filesystem::rename(temporary, out);
    if (const char* stay = std::getenv("OPALIST_PROBE_STAY")) {
        std::this_thread::sleep_for(std::chrono::seconds(std::atoi(stay)));
    }
    return 0;
}
