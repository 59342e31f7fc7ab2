// Adding one record to an error log of 1,000,000 records, as a failed launch does, beside the
// way a record was added before: the whole log read, then written anew with the record at its
// end (and replaced atomically), which costs the log's size at every failure.
//
// Usage: bench_error_log [runs]   (default 20 appends, 3 rewrites; medians)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "launch/error_log.h"
#include "platform/text_file.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Records = 1'000'000;

std::string record(int i) {
    return launch::errorLogRecord(
        "8.12.2026 11:" + std::to_string(i / 60 % 60) + ":" + std::to_string(i % 60),
        "C:\\Program Files\\Tool " + std::to_string(i) + "\\tool.exe /min /log:'x'",
        "File not found.");
}

template <class Step>
double milliseconds(const Step& step) {
    const Clock::time_point start = Clock::now();
    step();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 20;
    std::string folder = (std::filesystem::temp_directory_path() / "opalist-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const launch::ErrorLog errorLog(folder, {"", "opalist", "bench"}, '/');
    const std::string& log = errorLog.path();
    {
        std::ofstream out(log, std::ios::binary);
        for (int i = 0; i < Records; ++i) {
            out << record(i) << "\r\n";
        }
    }
    const auto size = static_cast<double>(std::filesystem::file_size(log));

    std::vector<double> appends;
    for (int run = 0; run < runs; ++run) {
        appends.push_back(milliseconds([&] {
            if (!errorLog.append("8.12.2026 12:00:00", "C:\\Tools\\tool.exe /min",
                                 "File not found.")) {
                std::fprintf(stderr, "the record was not saved\n");
                std::exit(1);
            }
        }));
    }
    std::vector<double> rewrites;
    for (int run = 0; run < 3; ++run) {
        rewrites.push_back(milliseconds([&] {
            platform::ReadResult read = platform::readLines(log);
            read.lines.push_back(record(Records + runs + run));
            if (!platform::replaceFile(log, read.lines, platform::Unencodable::Replace).ok) {
                std::fprintf(stderr, "the log was not rewritten\n");
                std::exit(1);
            }
        }));
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);

    std::printf("log of %d records, %.1f MB\n", Records, size / 1e6);
    std::printf("append one record:         median %8.3f ms, slowest %8.3f ms (%d runs)\n",
                median(appends), *std::max_element(appends.begin(), appends.end()), runs);
    std::printf("rewrite the whole log:     median %8.1f ms (3 runs; the way before)\n",
                median(rewrites));
    std::printf("goal: one record appended in under 5 ms\n");
    return 0;
}
