// How long the real program's window stops answering while it opens documents: opalist on an
// X server of its own (Xvfb), its launch list 20 documents whose application stays open (as an
// editor does), measured from outside. The window is pinged (_NET_WM_PING) one ping after the
// other from its appearance to the program's end; Qt answers a ping only from its event loop, so
// the longest wait for an answer, from 1.5 s after the window appeared (the interval is 3 s),
// is the longest stall of the launch run; the run ends the program, so the ping sent during it
// is never answered: it waited until the last entry's application ran. The floor is the same
// run with 20 programs (`tail -f` on the same documents) in place of the documents.
//
// The documents' application is `tail -f` on the document, known to the desktop (GIO's XDG
// folders, a mimeapps.list) and, for builds that hand documents to xdg-open, to an xdg-open on
// PATH that runs it in the foreground, as xdg-open does where no desktop handles the request.
//
// Usage: bench_open_stall [runs] [program]   (default 3 runs of the opalist built here)
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int Entries = 20;
constexpr int SettleMs = 1500;

// Unwinds to main, so that the X server and the folders go with it.
[[noreturn]] void fail(const std::string& what) {
    throw std::runtime_error(what);
}

pid_t spawn(const std::vector<std::string>& command, const std::vector<std::string>& environment,
            const posix_spawn_file_actions_t* actions) {
    std::vector<char*> argv;
    for (const std::string& argument : command) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& variable : environment) {
        envp.push_back(const_cast<char*>(variable.c_str()));
    }
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) != 0) {
        fail(std::string("cannot start ") + argv[0]);
    }
    return pid;
}

// Ends every process left to this one (the bench is their subreaper) but `keep`.
void endLeftovers(pid_t keep) {
    const std::string self = std::to_string(::getpid());
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string pid, name, state, parent;
        if (stat >> pid >> name >> state >> parent && parent == self && std::stoi(pid) != keep) {
            ::kill(std::stoi(pid), SIGKILL);
            ::waitpid(std::stoi(pid), nullptr, 0);
        }
    }
}

// An X server on a display of its own: the first from :40 on that has neither a socket nor a
// lock file (a server that finds its socket taken runs on without one).
struct Server {
    Server() {
        for (int number = 40; number < 100 && display.empty(); ++number) {
            const std::string socket = "/tmp/.X11-unix/X" + std::to_string(number);
            const std::string lock = "/tmp/.X" + std::to_string(number) + "-lock";
            if (!fs::exists(socket) && !fs::exists(lock)) {
                start(":" + std::to_string(number), socket);
            }
        }
        if (display.empty()) {
            fail("Xvfb did not start");
        }
    }
    ~Server() { stop(); }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    pid_t pid = 0;
    std::string display;

  private:
    void start(const std::string& candidate, const std::string& socket) {
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        pid = spawn({"/usr/bin/Xvfb", candidate, "-nolisten", "tcp", "-noreset", "-screen", "0",
                     "1024x768x24"},
                    {"PATH=/usr/bin:/bin"}, &actions);
        posix_spawn_file_actions_destroy(&actions);
        for (int i = 0; i < 100 && !fs::exists(socket); ++i) {
            if (::waitpid(pid, nullptr, WNOHANG) == pid) {
                return;  // it ended: the display was taken after all
            }
            ::usleep(50000);
        }
        xcb_connection_t* probe = xcb_connect(candidate.c_str(), nullptr);
        if (xcb_connection_has_error(probe) == 0) {
            display = candidate;
        } else {
            stop();
        }
        xcb_disconnect(probe);
    }
    void stop() {
        ::kill(pid, SIGTERM);
        ::waitpid(pid, nullptr, 0);
    }
};

// Whether a process runs whose command line names `text`.
bool running(const std::string& text) {
    for (const auto& entry : fs::directory_iterator("/proc")) {
        std::ifstream file(entry.path() / "cmdline");
        const std::string line{std::istreambuf_iterator<char>(file), {}};
        if (line.find(text) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// A program folder with a copy of opalist and a launch list; a desktop whose application for
// HTML documents stays open.
struct Setup {
    Setup(const fs::path& program, bool documents) {
        std::string pattern = (fs::temp_directory_path() / "opalist-stall-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            fail("mkdtemp");
        }
        root = pattern;
        fs::copy_file(program, root / "opalist");
        fs::create_directories(root / "data" / "applications");
        fs::create_directories(root / "config");
        fs::create_directories(root / "share");
        fs::create_directories(root / "bin");
        fs::create_symlink("/usr/share/mime", root / "share" / "mime");
        std::ofstream(root / "data" / "applications" / "stays.desktop")
            << "[Desktop Entry]\nType=Application\nName=Stays\nExec=/usr/bin/tail -f %f\n"
               "MimeType=text/html;\n";
        std::ofstream(root / "config" / "mimeapps.list")
            << "[Default Applications]\ntext/html=stays.desktop\n";
        std::ofstream(root / "bin" / "xdg-open") << "#!/bin/sh\nexec /usr/bin/tail -f \"$1\"\n";
        fs::permissions(root / "bin" / "xdg-open", fs::perms::owner_all);
        // Failures are logged, never shown, and the program ends after its run even so.
        std::ofstream settings(root / "opalist bench.ini", std::ios::binary);
        settings << "<00101>\r\n3\r\nEN\r\n";
        for (int i = 0; i < Entries; ++i) {
            const fs::path document = root / ("page" + std::to_string(i) + ".html");
            std::ofstream(document) << "<html></html>\n";
            std::string entry = document.string();
            std::replace(entry.begin(), entry.end(), '/', '\\');
            settings << (documents ? entry : "\\usr\\bin\\tail /-f /" + entry) << "\r\n";
        }
    }
    ~Setup() { fs::remove_all(root); }

    std::vector<std::string> environment(const std::string& display) const {
        const std::string r = root.string();
        return {"DISPLAY=" + display,
                "USER=bench",
                "HOME=" + r,
                "LC_ALL=C.UTF-8",
                "PATH=" + r + "/bin:/usr/bin:/bin",
                "XDG_DATA_HOME=" + r + "/data",
                "XDG_CONFIG_HOME=" + r + "/config",
                "XDG_DATA_DIRS=" + r + "/share",
                "XDG_CONFIG_DIRS=" + r + "/config"};
    }
    fs::path root;
};

class Pinger {
  public:
    explicit Pinger(const std::string& display) : x_(xcb_connect(display.c_str(), nullptr)) {
        if (xcb_connection_has_error(x_) != 0) {
            fail("cannot connect to Xvfb");
        }
        root_ = xcb_setup_roots_iterator(xcb_get_setup(x_)).data->root;
        // Answers to pings are sent to the root window, to those who listen for its structure.
        const uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(x_, root_, XCB_CW_EVENT_MASK, &mask);
        protocols_ = atom("WM_PROTOCOLS");
        ping_ = atom("_NET_WM_PING");
        pidAtom_ = atom("_NET_WM_PID");
    }
    ~Pinger() { xcb_disconnect(x_); }
    Pinger(const Pinger&) = delete;
    Pinger& operator=(const Pinger&) = delete;

    // The mapped top-level window of the process, once there is one.
    std::optional<xcb_window_t> windowOf(pid_t pid) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(x_, xcb_query_tree(x_, root_), nullptr);
        std::optional<xcb_window_t> found;
        const xcb_window_t* children = xcb_query_tree_children(tree);
        for (int i = 0; tree != nullptr && i < xcb_query_tree_children_length(tree); ++i) {
            xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
                x_, xcb_get_window_attributes(x_, children[i]), nullptr);
            const bool mapped =
                attributes != nullptr && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            std::free(attributes);
            xcb_get_property_reply_t* property = xcb_get_property_reply(
                x_, xcb_get_property(x_, 0, children[i], pidAtom_, XCB_ATOM_CARDINAL, 0, 1),
                nullptr);
            if (mapped && property != nullptr && xcb_get_property_value_length(property) == 4 &&
                *static_cast<uint32_t*>(xcb_get_property_value(property)) ==
                    static_cast<uint32_t>(pid)) {
                found = children[i];
            }
            std::free(property);
        }
        std::free(tree);
        return found;
    }

    // One ping; when it was answered, or nullopt once `alive` says the program has gone.
    template <typename Alive>
    std::optional<Clock::time_point> ping(xcb_window_t window, Alive alive) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = protocols_;
        message.data.data32[0] = ping_;
        message.data.data32[1] = ++serial_;
        message.data.data32[2] = window;
        xcb_send_event(x_, 0, window, XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(x_);
        while (alive()) {
            pollfd fd{xcb_get_file_descriptor(x_), POLLIN, 0};
            ::poll(&fd, 1, 1);
            while (xcb_generic_event_t* event = xcb_poll_for_event(x_)) {
                const auto* answer = reinterpret_cast<xcb_client_message_event_t*>(event);
                const bool ours = (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE &&
                                  answer->data.data32[0] == ping_ &&
                                  answer->data.data32[1] == serial_;
                std::free(event);
                if (ours) {
                    return Clock::now();
                }
            }
        }
        return std::nullopt;
    }

  private:
    xcb_atom_t atom(const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            x_, xcb_intern_atom(x_, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t atom = reply != nullptr ? reply->atom : 0;
        std::free(reply);
        return atom;
    }

    xcb_connection_t* x_;
    xcb_window_t root_ = 0;
    xcb_atom_t protocols_ = 0;
    xcb_atom_t ping_ = 0;
    xcb_atom_t pidAtom_ = 0;
    uint32_t serial_ = 0;
};

// One run of the program to its end: the longest wait for an answer to a ping, in ms.
double longestStall(const Server& server, const fs::path& program, bool documents) {
    const Setup setup(program, documents);
    Pinger pinger(server.display);
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    const pid_t pid =
        spawn({(setup.root / "opalist").string()}, setup.environment(server.display), &quiet);
    posix_spawn_file_actions_destroy(&quiet);
    // The run is over once the last entry's application runs; the program then ends, and its
    // ending is not the launches' stall.
    const std::string last =
        (setup.root / ("page" + std::to_string(Entries - 1) + ".html")).string();
    std::optional<Clock::time_point> runOver;
    auto nextLook = Clock::now();
    bool ended = false;
    const auto alive = [&] {
        if (!runOver && Clock::now() >= nextLook) {
            nextLook = Clock::now() + std::chrono::milliseconds(5);
            if (running(last)) {
                runOver = Clock::now();
            }
        }
        ended = ended || ::waitpid(pid, nullptr, WNOHANG) == pid;
        return !ended;
    };
    std::optional<xcb_window_t> window;
    while (alive() && !(window = pinger.windowOf(pid))) {
        ::usleep(10000);
    }
    // Stalls while the window is built and first painted are not the launches': the run starts
    // when the 3 s interval has ended.
    const auto settled = Clock::now() + std::chrono::milliseconds(SettleMs);
    double longest = 0;
    while (window) {
        const Clock::time_point sent = Clock::now();
        const std::optional<Clock::time_point> answered = pinger.ping(*window, alive);
        // The run ends the program: a ping sent during the run is answered by no one, and the
        // stall lasted until the run was over.
        const Clock::time_point end =
            std::min(answered.value_or(Clock::now()), runOver.value_or(Clock::time_point::max()));
        const std::chrono::duration<double, std::milli> waited = end - std::max(sent, settled);
        longest = std::max(longest, waited.count());
        if (!answered) {
            break;
        }
        ::usleep(2000);
    }
    if (!ended) {
        ::waitpid(pid, nullptr, 0);
    }
    if (fs::exists(setup.root / "opalist bench error.log")) {
        fail("a launch failed: see " + setup.root.string());
    }
    endLeftovers(server.pid);
    return longest;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) try {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const fs::path program = argc > 2 ? fs::path(argv[2]) : fs::path(OPALIST_PROGRAM);
    if (::access("/usr/bin/Xvfb", X_OK) != 0) {
        fail("needs Xvfb (scripts/install-deps installs it)");
    }
    if (prctl(PR_SET_CHILD_SUBREAPER, 1) != 0) {
        fail("prctl");
    }
    const Server server;
    std::vector<double> documents;
    std::vector<double> programs;
    for (int i = 0; i < runs; ++i) {
        documents.push_back(longestStall(server, program, true));
        programs.push_back(longestStall(server, program, false));
    }
    std::printf("longest event-loop stall of %s on Xvfb, %d runs: median (worst)\n",
                program.c_str(), runs);
    std::printf(
        "  %d documents whose application stays open  %8.1f ms (%.1f ms)  goal under 100 ms\n",
        Entries, median(documents), *std::max_element(documents.begin(), documents.end()));
    std::printf("  %d programs (tail -f), the floor             %8.1f ms (%.1f ms)\n", Entries,
                median(programs), *std::max_element(programs.begin(), programs.end()));
    return 0;
} catch (const std::exception& error) {
    std::fprintf(stderr, "bench_open_stall: %s\n", error.what());
    return 1;
}
