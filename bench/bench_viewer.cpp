// The error-log window on the real Qt front end, opened on a big log: the time from the click
// on "View error log" to the window shown with its rows painted, for the first opening and for
// an opening after Close (the window's widgets then exist and are refilled), and the peak RSS,
// whose growth over a one-record log is set against the log's own size.
//
// Each measurement runs in a process of its own, as peak RSS is a per-process mark: the main
// window starts in a temporary program directory with an empty launch list (its setup view,
// where the button is) and a log of the given number of records. A one-record log gives the
// base that the memory growth is measured from.
//
// Usage: bench_viewer [runs]   (default 5; medians)
//        bench_viewer --records N   (one measurement: wall and CPU ms of the first opening,
//                                    the same of the reopening, peak KiB, the log's KiB)
// Runs offscreen unless QT_QPA_PLATFORM says otherwise.

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QtCore/QEvent>
#include <QtCore/QTimer>
#include <QtWidgets/QAbstractButton>
#include <QtWidgets/QAbstractScrollArea>
#include <QtWidgets/QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/dialog.h"
#include "app/view_err.h"
#include "gui/qt/front_end.h"

namespace {

using Clock = std::chrono::steady_clock;

// Ends the event loop once the watched widget has been painted.
class PaintWatch : public QObject {
  public:
    explicit PaintWatch(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        }
        return false;
    }
};

double cpuMs() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Wall and CPU time of an opening, in milliseconds.
struct Timing {
    double wall;
    double cpu;
};

struct Measurement {
    Timing first;
    Timing reopen;
    long peakKiB;
    long logKiB;
};

// One process: start the main window, open the viewer, close it, open it again.
Measurement measure(int records) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("opalist-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "opalist bench.ini", std::ios::binary) << "<01100>\r\n10\r\nEN\r\n";
    {
        std::ofstream log(dir / "opalist bench error.log", std::ios::binary);
        for (int i = 0; i < records; ++i) {
            log << "#8.12.2026 11:" << (i / 60) % 60 << ':' << i % 60
                << "# | C:\\Program Files\\Tool " << i << "\\tool.exe /min /log:'x' | "
                << "File not found.\r\n";
        }
    }
    const auto logKiB =
        static_cast<long>(std::filesystem::file_size(dir / "opalist bench error.log") / 1024);
    Services services = platformServices();
    services.process = {dir.string(), "opalist", "bench"};

    gui::qt::FrontEnd frontEnd;
    Dialog dialog(frontEnd.app(), services);
    frontEnd.app().dispatch([&] {
        dialog.Form_Load();
        dialog.show();
    });
    PaintWatch mainPainted(*frontEnd.widget(dialog));
    QApplication::exec();

    auto& button =
        dynamic_cast<QAbstractButton&>(*frontEnd.widget(dialog.Butt[Command::ViewErrorLog]));
    const auto open = [&] {
        const Clock::time_point start = Clock::now();
        const double cpuStart = cpuMs();
        button.click();
        auto& list = dynamic_cast<QAbstractScrollArea&>(*frontEnd.widget(dialog.viewErr().ErrList));
        PaintWatch listPainted(*list.viewport());
        QApplication::exec();
        if (dialog.viewErr().ErrList.listCount() != records) {
            std::fprintf(stderr, "the viewer shows %d rows of %d\n",
                         dialog.viewErr().ErrList.listCount(), records);
            std::exit(1);
        }
        return Timing{std::chrono::duration<double, std::milli>(Clock::now() - start).count(),
                      cpuMs() - cpuStart};
    };
    const Timing first = open();
    frontEnd.app().dispatch([&] { dialog.viewErr().ButtClose.clickByUser(); });
    QApplication::processEvents();
    const Timing reopen = open();

    std::filesystem::remove_all(dir);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return {first, reopen, usage.ru_maxrss, logKiB};
}

// Runs this program with --records in a process of its own.
Measurement runChild(const char* self, int records) {
    int out[2];
    if (pipe(out) != 0) {
        std::perror("pipe");
        std::exit(1);
    }
    const pid_t child = fork();
    if (child == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        close(out[1]);
        const std::string count = std::to_string(records);
        execl(self, self, "--records", count.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[128] = {};
    const ssize_t got = child > 0 ? read(out[0], buffer, sizeof buffer - 1) : -1;
    close(out[0]);
    int status = 0;
    Measurement m{};
    if (got <= 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0 ||
        std::sscanf(buffer, "%lf %lf %lf %lf %ld %ld", &m.first.wall, &m.first.cpu, &m.reopen.wall,
                    &m.reopen.cpu, &m.peakKiB, &m.logKiB) != 6) {
        std::fprintf(stderr, "the measurement of %d records failed\n", records);
        std::exit(1);
    }
    return m;
}

template <class T>
T median(std::vector<T> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("USER", "bench", 1);
    if (argc > 2 && std::strcmp(argv[1], "--records") == 0) {
        QApplication qt(argc, argv);
        QApplication::setQuitOnLastWindowClosed(false);
        const Measurement m = measure(std::max(1, std::atoi(argv[2])));
        std::printf("%.2f %.2f %.2f %.2f %ld %ld\n", m.first.wall, m.first.cpu, m.reopen.wall,
                    m.reopen.cpu, m.peakKiB, m.logKiB);
        return 0;
    }

    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::vector<int> sizes = {1, 10'000, 100'000, 1'000'000};
    std::vector<std::vector<Measurement>> results(sizes.size());
    for (int run = 0; run < runs; ++run) {
        for (std::size_t s = 0; s < sizes.size(); ++s) {
            results[s].push_back(runChild("/proc/self/exe", sizes[s]));
        }
    }
    std::printf(
        "%d runs each, medians   first open ms (CPU)   reopen ms (CPU)   peak RSS KiB   log KiB"
        "   growth / log\n",
        runs);
    long basePeak = 0;
    for (std::size_t s = 0; s < sizes.size(); ++s) {
        const auto med = [&](auto field) {
            std::vector<double> values;
            for (const Measurement& m : results[s]) {
                values.push_back(field(m));
            }
            return median(values);
        };
        std::vector<long> peak;
        for (const Measurement& m : results[s]) {
            peak.push_back(m.peakKiB);
        }
        const long peakKiB = median(peak);
        basePeak = s == 0 ? peakKiB : basePeak;
        const long logKiB = results[s].front().logKiB;
        std::printf("%9d records %10.1f (%6.1f) %9.1f (%6.1f) %14ld %9ld %10.2f\n", sizes[s],
                    med([](const Measurement& m) { return m.first.wall; }),
                    med([](const Measurement& m) { return m.first.cpu; }),
                    med([](const Measurement& m) { return m.reopen.wall; }),
                    med([](const Measurement& m) { return m.reopen.cpu; }), peakKiB, logKiB,
                    s == 0 ? 0.0 : static_cast<double>(peakKiB - basePeak) / std::max(logKiB, 1L));
    }
    std::printf(
        "goals: 100,000 records open in under 500 ms; 1,000,000 in under 2 s with a peak growth"
        " of at most 2 times the log's size\n");
    return 0;
}
