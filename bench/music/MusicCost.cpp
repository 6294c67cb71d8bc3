// Measures what the background music costs the game: time on the calling thread and CPU.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "MM1.h"

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double cpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Share of one core the whole process uses while idling for the given time.
double cpuPercentOver(double seconds) {
    const double before = cpuSeconds();
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
    return 100.0 * (cpuSeconds() - before) / (millisecondsSince(start) / 1000.0);
}

double newGame(MM1& mm1, const std::string& tune) {
    const auto start = Clock::now();
    mm1.setFileName(tune);
    mm1.command("open");
    mm1.command("play");
    return millisecondsSince(start);
}

int usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s [--driver NAME] [--seconds N] [--tune FILE]\n"
                 "  --driver NAME  FluidSynth audio driver instead of pulseaudio, then alsa;\n"
                 "                 'file' renders in real time to /dev/null\n",
                 program);
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    MusicOutput output;
    double seconds = 10;
    std::string tune =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "r07.mid").string();
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc) return usage(argv[0]);
        if (arg == "--driver")
            output.drivers = {argv[++i]};
        else if (arg == "--seconds")
            seconds = std::atof(argv[++i]);
        else if (arg == "--tune")
            tune = argv[++i];
        else
            return usage(argv[0]);
    }
    if (output.drivers == std::vector<std::string>{"file"}) output.fileName = "/dev/null";
    std::printf("tune: %s%s\n", tune.c_str(),
                std::filesystem::exists(tune) ? "" : " (missing: silent path)");

    auto start = Clock::now();
    auto mm1 = std::make_unique<MM1>(output);
    std::printf("MM1 created:                              %8.3f ms\n", millisecondsSince(start));

    // The first game: neither the music module nor the SoundFont is loaded yet.
    std::printf("first new, open+play on calling thread:   %8.3f ms   (goal: cards within 50 ms)\n",
                newGame(*mm1, tune));
    start = Clock::now();
    const std::string driver = mm1->settle();
    std::printf("  on the worker, module and SoundFont loaded, driver tried: %8.1f ms\n",
                millisecondsSince(start));
    if (driver.empty())
        std::printf(
            "audio driver: none could be opened (or no music module, or no SoundFont); the "
            "numbers below are for the silent path\n");
    else
        std::printf("audio driver: %s\n", driver.c_str());

    std::vector<double> times;
    for (int i = 0; i < 20; ++i) {
        times.push_back(newGame(*mm1, tune));
        mm1->settle();
    }
    std::sort(times.begin(), times.end());
    std::printf(
        "later new, open+play on calling thread:   %8.3f ms median, %.3f ms max (20 runs)\n",
        times[times.size() / 2], times.back());

    std::printf(
        "CPU while playing for %.0f s:              %8.2f %% of one core   (goal: under 3 %%)\n",
        seconds, cpuPercentOver(seconds));
    mm1->command("stop");
    mm1->settle();
    std::printf("CPU while stopped for 3 s:                 %8.2f %% of one core\n",
                cpuPercentOver(3));

    mm1->command("play");
    mm1->settle();
    start = Clock::now();
    const bool closed = mm1->close(MM1::kCloseBound);
    std::printf("MM1 closed while playing:                 %8.3f ms%s\n", millisecondsSince(start),
                closed ? "" : "   (bound reached: the worker was left behind)");
    return 0;
}
