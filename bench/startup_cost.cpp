// Start-up beside a bare Qt window: the program on a small directory, until
// its main window is on screen and painted, against a Qt window of the same
// size doing the same. Each runs as a child process on a private Xvfb
// display; the counter "child_cpu_ms" is the child's CPU time (user and
// system) up to that moment, read when it is stopped there. The machine may
// be shared: compare CPU times, never wall-clock times.
//
//   StartProgram     build/velirsk (or the program VELIRSK_BENCH_PROGRAM
//                    names, to compare two builds) in a folder holding a
//                    directory of 1,000 rows
//   StartBareWindow  bench/bare_window, a QWidget of the main window's size
//
// "Painted" is when the window's middle pixel no longer shows the black
// root behind it.

#include "support/BenchDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>
#include <xcb/xcb.h>

extern char **environ;

namespace {

constexpr int kMainWindowWidth = 699;
constexpr int kMainWindowHeight = 411;
constexpr long kSmallDirectory = 1'000;
constexpr auto kStartLimit = std::chrono::seconds(20);
constexpr auto kPaintPoll = std::chrono::milliseconds(2);

pid_t Spawn(const std::vector<std::string> &arguments, const std::vector<std::string> &environment,
            posix_spawn_file_actions_t *actions = nullptr)
{
    std::vector<char *> argv;
    for (const std::string &argument : arguments)
        argv.push_back(const_cast<char *>(argument.c_str()));
    argv.push_back(nullptr);
    std::vector<char *> envp;
    for (const std::string &variable : environment)
        envp.push_back(const_cast<char *>(variable.c_str()));
    envp.push_back(nullptr);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) != 0)
        return -1;
    return pid;
}

// A private display for the whole run, gone with the benchmark.
class TPrivateDisplay
{
public:
    TPrivateDisplay()
    {
        int pipeEnds[2];
        if (pipe(pipeEnds) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        m_server = Spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(pipeEnds[1]), "-screen", "0", "1024x768x24",
                          "-br", "-nolisten", "tcp", "-noreset"},
                         {}, &actions);
        posix_spawn_file_actions_destroy(&actions);
        close(pipeEnds[1]);
        std::string number;
        char c = 0;
        pollfd ready{pipeEnds[0], POLLIN, 0};
        while (poll(&ready, 1, 10'000) > 0 && read(pipeEnds[0], &c, 1) == 1 && c != '\n')
            number += c;
        close(pipeEnds[0]);
        if (!number.empty())
            m_name = ":" + number;
    }
    ~TPrivateDisplay()
    {
        if (m_server > 0) {
            kill(m_server, SIGTERM);
            waitpid(m_server, nullptr, 0);
        }
    }
    const std::string &Name() const { return m_name; }

private:
    pid_t m_server = -1;
    std::string m_name;
};

const TPrivateDisplay &Display()
{
    static const TPrivateDisplay display;
    return display;
}

// Watches the display for a top-level window of the main window's size
// being mapped, then for its middle pixel to be painted.
class TWindowWatch
{
public:
    explicit TWindowWatch(const std::string &display)
        : m_connection(xcb_connect(display.c_str(), nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &events);
        xcb_aux_sync();
    }
    ~TWindowWatch() { xcb_disconnect(m_connection); }

    bool Usable() const { return xcb_connection_has_error(m_connection) == 0; }

    // Waits until the window is mapped and painted; false after the limit.
    bool WaitForPaintedWindow()
    {
        const auto deadline = std::chrono::steady_clock::now() + kStartLimit;
        std::optional<xcb_window_t> window;
        while (std::chrono::steady_clock::now() < deadline) {
            if (!window) {
                window = MappedMainSizedWindow();
            } else if (MiddleIsPainted(*window)) {
                return true;
            }
            std::this_thread::sleep_for(kPaintPoll);
        }
        return false;
    }

private:
    void xcb_aux_sync() { free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr)); }

    std::optional<xcb_window_t> MappedMainSizedWindow()
    {
        std::optional<xcb_window_t> found;
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & ~0x80) == XCB_MAP_NOTIFY && !found) {
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event)->window;
                xcb_get_geometry_reply_t *geometry =
                    xcb_get_geometry_reply(m_connection, xcb_get_geometry(m_connection, window), nullptr);
                if (geometry && geometry->width == kMainWindowWidth && geometry->height == kMainWindowHeight)
                    found = window;
                free(geometry);
            }
            free(event);
        }
        return found;
    }

    bool MiddleIsPainted(xcb_window_t window)
    {
        xcb_get_image_reply_t *image =
            xcb_get_image_reply(m_connection,
                                xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, kMainWindowWidth / 2,
                                              kMainWindowHeight / 2, 1, 1, ~0u),
                                nullptr);
        bool painted = false;
        if (image) {
            const uint8_t *pixel = xcb_get_image_data(image);
            for (int i = 0; i < xcb_get_image_data_length(image); ++i)
                painted = painted || pixel[i] != 0;
        }
        free(image);
        return painted;
    }

    xcb_connection_t *m_connection;
    xcb_window_t m_root = 0;
};

std::string BuildDir()
{
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return QDir::cleanPath(QFileInfo(exe).absolutePath() + QStringLiteral("/..")).toStdString();
}

// Starts `command` in `folder` until its window is painted, stops it there
// and returns the CPU time it used, in milliseconds; nothing on failure.
std::optional<double> StartUntilPainted(const std::string &command, const std::string &folder)
{
    TWindowWatch watch(Display().Name());
    if (!watch.Usable())
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    std::vector<std::string> environment{"DISPLAY=" + Display().Name(), "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8"};
    for (const char *kept : {"HOME", "PATH", "XDG_RUNTIME_DIR"}) {
        if (const char *value = std::getenv(kept))
            environment.push_back(std::string(kept) + "=" + value);
    }
    const pid_t child = Spawn({command}, environment, &actions);
    posix_spawn_file_actions_destroy(&actions);
    if (child <= 0)
        return std::nullopt;
    const bool painted = watch.WaitForPaintedWindow();
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    if (!painted)
        return std::nullopt;
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void RunStarts(benchmark::State &state, const std::string &command, const std::string &folder)
{
    if (Display().Name().empty()) {
        state.SkipWithError("no Xvfb display could be started");
        return;
    }
    double total = 0;
    for (auto _ : state) {
        const std::optional<double> cpu = StartUntilPainted(command, folder);
        if (!cpu) {
            state.SkipWithError("the window was not painted in time");
            return;
        }
        total += *cpu;
    }
    state.counters["child_cpu_ms"] = total / double(std::max<benchmark::IterationCount>(1, state.iterations()));
}

void StartProgram(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile::copy(DirectoryFile(kSmallDirectory), folder.filePath(QStringLiteral("velirsk.dat")));
    const char *program = std::getenv("VELIRSK_BENCH_PROGRAM");
    RunStarts(state, program ? std::string(program) : BuildDir() + "/velirsk", folder.path().toStdString());
}

void StartBareWindow(benchmark::State &state)
{
    QTemporaryDir folder;
    RunStarts(state, BuildDir() + "/bench/bare_window", folder.path().toStdString());
}

} // namespace

BENCHMARK(StartProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
BENCHMARK(StartBareWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3);
