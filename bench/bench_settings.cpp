// Loading and saving a settings file of 100,000 entries through a headless main window.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/dialog.h"
#include "platform/text_file.h"
#include "toolkit/test/headless.h"

namespace {

// A folder of its own, removed when the benchmark ends.
struct Folder {
    Folder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "opalist-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) {
            path = pattern;
        }
    }
    ~Folder() {
        if (path.empty()) {
            return;
        }
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
    std::string path;
};

// Argument 0: the file already holds what Save writes (every start with an unchanged setup);
// 1: one option changed, so the whole file is written anew.
void LoadAndSave100000Entries(benchmark::State& state) {
    const bool changed = state.range(0) != 0;
    const Folder folder;
    if (folder.path.empty()) {
        state.SkipWithError("cannot create a temporary folder");
        return;
    }
    Services services;
    services.process = {folder.path, "opalist", "bench"};
    services.pathSeparator = '/';
    std::vector<std::string> lines = {"<01100>", "10", "EN"};
    for (int i = 0; i < 100000; ++i) {
        lines.push_back("'C:\\Program Files\\Tool " + std::to_string(i) + "\\tool.exe' /min");
    }
    for (auto _ : state) {
        state.PauseTiming();
        tk::test::HeadlessLoop loop;
        auto dialog = std::make_unique<Dialog>(loop.app(), services);
        platform::replaceFile(dialog->SettingsPath(), lines);
        state.ResumeTiming();
        loop.user([&] {
            dialog->LoadSettings();
            if (changed) {
                dialog->PromptEach.setValue(1 - dialog->PromptEach.value());
            }
            dialog->SaveSettings();
        });
        state.PauseTiming();
        dialog.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(LoadAndSave100000Entries)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
