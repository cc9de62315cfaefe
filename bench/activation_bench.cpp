// From `gapplication action org.tintwell.Tintwell pick` to the pick ready
// (its magnifier painted on the screen), on the current X display: with
// the program running, and with the bus starting it, as a launcher's
// action does. A private bus knows only a service file that starts the
// program with the probe preloaded; the probe reports through a FIFO.
// Usage: activation_bench PROBE TINTWELL RUNS
#include "quantile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kAppId = "org.tintwell.Tintwell";

long long NowNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

pid_t Spawn(std::vector<std::string> arguments, int outputTo = -1)
{
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outputTo >= 0)
        posix_spawn_file_actions_adddup2(&actions, outputTo, STDOUT_FILENO);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return spawned == 0 ? pid : -1;
}

bool Run(std::vector<std::string> arguments)
{
    const pid_t pid = Spawn(std::move(arguments));
    int status = 0;
    return pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// One line from the probe, "WORD NS [PID]"; false once it has gone quiet
// for ten seconds.
bool ReadProbe(int fifo, std::string& word, long long& at, int* pid = nullptr)
{
    static std::string pending;
    const long long giveUp = NowNanoseconds() + 10'000'000'000LL;
    while (pending.find('\n') == std::string::npos) {
        char buffer[256];
        const ssize_t got = read(fifo, buffer, sizeof buffer);
        if (got > 0)
            pending.append(buffer, static_cast<std::size_t>(got));
        else if (NowNanoseconds() > giveUp)
            return false;
        else
            usleep(200);
    }
    const std::string line = pending.substr(0, pending.find('\n'));
    pending.erase(0, line.size() + 1);
    char name[32] = {};
    int process = 0;
    if (std::sscanf(line.c_str(), "%31s %lld %d", name, &at, &process) < 2)
        return false;
    word = name;
    if (pid != nullptr)
        *pid = process;
    return true;
}

bool Expect(int fifo, const std::string& wanted, long long& at, int* pid = nullptr)
{
    std::string word;
    while (ReadProbe(fifo, word, at, pid)) {
        if (word == wanted)
            return true;
    }
    std::fprintf(stderr, "activation_bench: the probe did not report %s\n", wanted.c_str());
    return false;
}

void Print(const char* name, const std::vector<double>& milliseconds)
{
    std::printf("%-44s %8.1f %12.1f-%.1f\n", name, Quantile(milliseconds, 0.5), Quantile(milliseconds, 0.1),
                Quantile(milliseconds, 0.9));
}

// Ends the pick with Esc, as the user would, and waits for it to go.
bool EndPick(int fifo)
{
    long long at = 0;
    return Run({"xdotool", "key", "Escape"}) && Expect(fifo, "ended", at);
}

void Stop(int pid)
{
    kill(pid, SIGTERM);
    while (kill(pid, 0) == 0)
        usleep(1000);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s PROBE TINTWELL RUNS\n", argv[0]);
        return 64;
    }
    const std::string probe = argv[1];
    const std::string tintwell = argv[2];
    const int runs = std::atoi(argv[3]);

    char folder[] = "/tmp/activation-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return 1;
    const std::string work = folder;
    const std::string fifoPath = work + "/probe";
    mkfifo(fifoPath.c_str(), 0600);
    // Read and write, so it neither blocks here nor reads an end between programs.
    const int fifo = open(fifoPath.c_str(), O_RDWR | O_NONBLOCK);
    mkdir((work + "/dbus-1").c_str(), 0700);
    mkdir((work + "/dbus-1/services").c_str(), 0700);
    std::ofstream(work + "/dbus-1/services/" + kAppId + ".service")
        << "[D-BUS Service]\nName=" << kAppId << "\nExec=/usr/bin/env LD_PRELOAD=" << probe
        << " PICK_READY_PROBE=" << fifoPath << " XDG_CONFIG_HOME=" << work << "/config " << tintwell << "\n";
    std::ofstream(work + "/bus.conf")
        << "<busconfig><type>session</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>"
           "<servicedir>"
        << work << "/dbus-1/services</servicedir>"
        << "<policy context=\"default\"><allow send_destination=\"*\"/><allow receive_sender=\"*\"/>"
           "<allow own=\"*\"/></policy></busconfig>";

    int address[2];
    if (pipe(address) != 0)
        return 1;
    const pid_t bus = Spawn({"dbus-daemon", "--config-file=" + work + "/bus.conf", "--nofork", "--print-address"},
                            address[1]);
    close(address[1]);
    std::string line;
    char c = 0;
    while (read(address[0], &c, 1) == 1 && c != '\n')
        line += c;
    setenv("DBUS_SESSION_BUS_ADDRESS", line.c_str(), 1);

    std::vector<double> toPainted, toReady, paintedToReady, running;
    bool ok = bus > 0 && !line.empty();
    for (int run = -1; ok && run < runs; ++run) { // the first run only warms the file cache
        const long long started = NowNanoseconds();
        long long painted = 0;
        long long ready = 0;
        int pid = 0;
        ok = Run({"gapplication", "action", kAppId, "pick"}) && Expect(fifo, "painted", painted, &pid) &&
             Expect(fifo, "ready", ready) && EndPick(fifo);
        if (pid > 0)
            Stop(pid);
        if (ok && run >= 0) {
            toPainted.push_back(static_cast<double>(painted - started) / 1e6);
            toReady.push_back(static_cast<double>(ready - started) / 1e6);
            paintedToReady.push_back(static_cast<double>(ready - painted) / 1e6);
        }
    }
    // Now started once, and asked again and again.
    int pid = 0;
    long long at = 0;
    ok = ok && Run({"gapplication", "launch", kAppId}) && Expect(fifo, "painted", at, &pid);
    for (int run = -1; ok && run < runs; ++run) {
        const long long started = NowNanoseconds();
        long long ready = 0;
        ok = Run({"gapplication", "action", kAppId, "pick"}) && Expect(fifo, "ready", ready) && EndPick(fifo);
        if (ok && run >= 0)
            running.push_back(static_cast<double>(ready - started) / 1e6);
    }
    if (pid > 0)
        Stop(pid);
    kill(bus, SIGTERM);
    waitpid(bus, nullptr, 0);
    std::system(("rm -rf " + work).c_str());
    if (!ok)
        return 1;

    std::printf("%-44s %8s %14s\n", "from the action (ms)", "median", "10th-90th");
    Print("running: to the pick ready", running);
    Print("not running: to its window painted", toPainted);
    Print("not running: to the pick ready", toReady);
    Print("not running: from the window to the pick", paintedToReady);
    return 0;
}
