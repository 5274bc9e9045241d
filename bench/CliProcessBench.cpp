// The command line as a script meets it: the built kinloom-cli started as a process of its own,
// from exec to exit (loading the program and its libraries, discovery, the load, the output and
// the teardown), on a demo user-data folder whose N001 holds 1000 sims. The in-process load
// benchmark (EditingBench) leaves all but the load out.
//
// Time is wall time; the counters give the child's own CPU time (user and system), which is what
// a busy machine cannot inflate. For a median: --benchmark_repetitions=10.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "DemoHome.h"
#include "core/demo/DemoWriter.h"

extern char** environ;

namespace kinloom {
namespace {
namespace fs = std::filesystem;

const fs::path& DemoFolder(int sims) {
    static const bench::DemoHome demo(sims, "kinloom-bench-cli");
    return demo.folder;
}

double Seconds(const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
}

// Runs kinloom-cli with args, its output going nowhere; false unless it exits with 0.
bool RunCli(const std::vector<std::string>& args, rusage& usage) {
    std::vector<char*> argv;
    std::string program = KINLOOM_CLI;
    argv.push_back(program.data());
    std::vector<std::string> copies = args;
    for (std::string& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) return false;
    int status = 0;
    if (wait4(child, &status, 0, &usage) != child) return false;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void Measure(benchmark::State& state, const std::vector<std::string>& args) {
    double user = 0, system = 0;
    for (auto _ : state) {
        rusage usage{};
        if (!RunCli(args, usage)) {
            state.SkipWithError("kinloom-cli failed");
            break;
        }
        user += Seconds(usage.ru_utime);
        system += Seconds(usage.ru_stime);
    }
    const double runs = static_cast<double>(state.iterations());
    state.counters["child_user_ms"] = runs > 0 ? 1000 * user / runs : 0;
    state.counters["child_sys_ms"] = runs > 0 ? 1000 * system / runs : 0;
}

// `kinloom-cli sims N001`: every sim of the 1000-sim neighborhood listed.
void CliSims(benchmark::State& state) {
    Measure(state,
            {"sims", "N001", "--user-data", DemoFolder(static_cast<int>(state.range(0))).string()});
    state.counters["sims"] = static_cast<double>(state.range(0));
}
BENCHMARK(CliSims)->Arg(1000)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

// The floor under every command: a process that starts, prints its version and ends.
void CliVersion(benchmark::State& state) {
    Measure(state, {"--version"});
}
BENCHMARK(CliVersion)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

}  // namespace
}  // namespace kinloom

BENCHMARK_MAIN();
