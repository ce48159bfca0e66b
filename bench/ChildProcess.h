#pragma once
// A program run as a whole process: its wall time, and from wait4 its own CPU time and
// peak memory (not those of every child so far). The exporter is the usual one.
#include <QElapsedTimer>
#include <QStringList>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

extern char **environ;

struct ChildCost
{
    double wallMs = 0;
    double cpuMs = 0;
    double peakMiB = 0;
    bool ok = false;
};

inline ChildCost runProcess(const std::string &exe, const QStringList &args)
{
    std::vector<std::string> strings{exe};
    for (const QString &a : args)
        strings.push_back(a.toStdString());
    std::vector<char *> argv;
    for (std::string &s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);
    QElapsedTimer t;
    t.start();
    pid_t pid = 0;
    ChildCost cost;
    if (posix_spawn(&pid, exe.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return cost;
    int status = 0;
    rusage u{};
    wait4(pid, &status, 0, &u);
    cost.wallMs = double(t.nsecsElapsed()) / 1e6;
    cost.cpuMs = (double(u.ru_utime.tv_sec) + double(u.ru_stime.tv_sec)) * 1e3 +
                 (double(u.ru_utime.tv_usec) + double(u.ru_stime.tv_usec)) * 1e-3;
    cost.peakMiB = double(u.ru_maxrss) / 1024.0;
    cost.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return cost;
}

inline ChildCost runExport(const QStringList &args)
{
    return runProcess(VELMORA_EXPORT_EXE, args);
}

// Times the exporter with these arguments once per iteration (manual time is its wall time)
// and reports its mean CPU time and its peak memory as counters.
inline void runExports(benchmark::State &state, const QStringList &args)
{
    double cpu = 0, peak = 0;
    for (auto _ : state) {
        const ChildCost c = runExport(args);
        if (!c.ok) {
            state.SkipWithError("velmora-export failed");
            break;
        }
        state.SetIterationTime(c.wallMs / 1e3);
        cpu += c.cpuMs;
        peak = std::max(peak, c.peakMiB);
    }
    state.counters["cpu_ms"] = cpu / double(std::max<int64_t>(1, state.iterations()));
    state.counters["peak_MiB"] = peak;
}
