// Start-up time and peak memory of programs, from process start to their
// first window painted, in interleaved runs on the current X display.
// Usage: startup_bench PROBE RUNS NAME=PROGRAM... ; the first program is the
// floor the others are compared with.
#include "quantile.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

struct Program {
    std::string name;
    std::string path;
    std::vector<double> milliseconds;
    std::vector<double> megabytes;
};

struct Sample {
    double milliseconds;
    double megabytes;
};

long long NowNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

// Runs one program with the probe preloaded and a settings folder of its own.
bool RunOnce(const std::string& path, const std::string& probe, Sample& sample)
{
    char folder[] = "/tmp/startup-bench-XXXXXX";
    if (mkdtemp(folder) == nullptr)
        return false;
    std::vector<std::string> env;
    for (char** variable = environ; *variable != nullptr; ++variable) {
        const std::string entry(*variable);
        if (entry.rfind("LD_PRELOAD=", 0) != 0 && entry.rfind("XDG_CONFIG_HOME=", 0) != 0)
            env.push_back(entry);
    }
    env.push_back("LD_PRELOAD=" + probe);
    env.push_back(std::string("XDG_CONFIG_HOME=") + folder);
    std::vector<char*> envp;
    for (std::string& entry : env)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::string program = path;
    char* argv[] = {program.data(), nullptr};

    const long long started = NowNanoseconds();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return false;
    }
    std::string reply;
    char buffer[128];
    ssize_t got = 0;
    while ((got = read(out[0], buffer, sizeof buffer)) > 0 || (got < 0 && errno == EINTR))
        if (got > 0)
            reply.append(buffer, static_cast<std::size_t>(got));
    close(out[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    std::system((std::string("rm -rf ") + folder).c_str());

    long long painted = 0;
    long kilobytes = 0;
    if (std::sscanf(reply.c_str(), "%lld %ld", &painted, &kilobytes) != 2)
        return false;
    sample.milliseconds = static_cast<double>(painted - started) / 1e6;
    sample.megabytes = static_cast<double>(kilobytes) / 1024.0;
    return true;
}

double Median(const std::vector<double>& values)
{
    return Quantile(values, 0.5);
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s PROBE RUNS NAME=PROGRAM...\n", argv[0]);
        return 64;
    }
    const std::string probe = argv[1];
    const int runs = std::atoi(argv[2]);
    std::vector<Program> programs;
    for (int i = 3; i < argc; ++i) {
        const std::string argument = argv[i];
        const auto equals = argument.find('=');
        programs.push_back({argument.substr(0, equals), argument.substr(equals + 1), {}, {}});
    }

    constexpr int kWarmUpRuns = 2; // fill the file cache; not counted
    for (int run = -kWarmUpRuns; run < runs; ++run) {
        // Alternate the order, so neither program always runs right after the other.
        for (std::size_t k = 0; k < programs.size(); ++k) {
            Program& program = programs[run % 2 == 0 ? k : programs.size() - 1 - k];
            Sample sample{};
            if (!RunOnce(program.path, probe, sample)) {
                std::fprintf(stderr, "startup_bench: %s did not report its first paint\n", program.path.c_str());
                return 1;
            }
            if (run >= 0) {
                program.milliseconds.push_back(sample.milliseconds);
                program.megabytes.push_back(sample.megabytes);
            }
        }
    }

    // The time ratio is taken run by run, against the floor's run of the same
    // round, so that a slow spell of the machine cancels out; its spread is
    // the 10th to 90th percentile of those single ratios.
    const Program& floorProgram = programs.front();
    const double floorMemory = Median(floorProgram.megabytes);
    std::printf("%-20s %14s %8s %12s %14s %8s\n", "program", "start-up (ms)", "ratio", "10th-90th", "peak RSS (MB)",
                "ratio");
    for (const Program& program : programs) {
        std::vector<double> ratios;
        for (std::size_t run = 0; run < program.milliseconds.size(); ++run)
            ratios.push_back(program.milliseconds[run] / floorProgram.milliseconds[run]);
        const double memory = Median(program.megabytes);
        char spread[32];
        std::snprintf(spread, sizeof spread, "%.2f-%.2f", Quantile(ratios, 0.1), Quantile(ratios, 0.9));
        std::printf("%-20s %14.1f %8.2f %12s %14.1f %8.2f\n", program.name.c_str(), Median(program.milliseconds),
                    Median(ratios), spread, memory, memory / floorMemory);
    }
    return 0;
}
