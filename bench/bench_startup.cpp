// Start-up time of the real quillet binary: from starting the process to its
// main window being mapped, and to its first drawing on the screen, on an
// Xvfb display of our own. Warm: one run first fills the caches and is not
// counted.
//
//   bench_startup [RUNS [QUILLET]]   default: 15 runs of the quillet built beside it

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

#include "startup/child_process.h"
#include "startup/virtual_display.h"
#include "startup/window_watch.h"

namespace {

using namespace quillet::bench;
using std::chrono::milliseconds;

constexpr int kDefaultRuns = 15;
constexpr double kGoalMs = 300;
const milliseconds kShowTimeout{20000};
const milliseconds kExitTimeout{5000};

struct Sample {
    double mappedMs = 0;
    double paintedMs = 0;
};

double msBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// Quillet reads nothing of its own from the environment; only Qt's choice of
// display must point at ours.
ChildProcess::Options quilletOptions(const std::string& display, const std::string& logPath) {
    ChildProcess::Options options;
    options.environment = environmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"});
    options.environment.push_back("DISPLAY=" + display);
    options.outputPath = logPath;
    return options;
}

// One start of quillet, closed again through its window as a user would.
Sample runOnce(WindowWatch& watch, const std::string& quillet,
               const ChildProcess::Options& options) {
    watch.discardPending();
    const Clock::time_point start = Clock::now();
    ChildProcess program({quillet}, options);
    const auto shown = watch.waitShown("Quillet", program, kShowTimeout);
    if (!shown) {
        throw std::runtime_error("the main window was not shown; see " + options.outputPath);
    }
    watch.askToClose(shown->window);
    const auto status = program.waitFor(kExitTimeout);
    if (status != 0) {
        throw std::runtime_error("quillet did not end with status 0 after its window closed");
    }
    return {msBetween(start, shown->mapped), msBetween(start, shown->painted)};
}

struct Figures {
    double median = 0;
    double min = 0;
    double max = 0;
};

Figures figures(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    const double median = n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
    return {median, values.front(), values.back()};
}

void report(const char* what, const Figures& f) {
    std::printf("%-22s median %7.1f ms   min %7.1f ms   max %7.1f ms   %s\n", what, f.median, f.min,
                f.max, f.median <= kGoalMs ? "(goal <= 300 ms met)" : "(ABOVE goal 300 ms)");
}

int run(int runs, const std::string& quillet) {
    VirtualDisplay display;
    WindowWatch watch(display.name());
    const auto options = quilletOptions(display.name(), "/tmp/bench_startup_quillet.log");
    std::printf("bench_startup: %s on Xvfb %s, 1 warm-up run + %d runs\n", quillet.c_str(),
                display.name().c_str(), runs);
    const Sample first = runOnce(watch, quillet, options);
    std::printf("warm-up run: mapped %.1f ms, first paint %.1f ms (not counted)\n", first.mappedMs,
                first.paintedMs);
    std::vector<double> mapped;
    std::vector<double> painted;
    for (int i = 0; i < runs; ++i) {
        const Sample s = runOnce(watch, quillet, options);
        mapped.push_back(s.mappedMs);
        painted.push_back(s.paintedMs);
    }
    report("start -> window mapped", figures(mapped));
    report("start -> first paint", figures(painted));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : kDefaultRuns;
    const std::string quillet = argc > 2 ? argv[2] : QUILLET_BINARY;
    if (runs < 1) {
        std::fprintf(stderr, "usage: bench_startup [RUNS [QUILLET]]\n");
        return 2;
    }
    try {
        return run(runs, quillet);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_startup: %s\n", e.what());
        return 1;
    }
}
