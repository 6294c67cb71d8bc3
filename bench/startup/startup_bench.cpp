// Runs first_frame (the game) and bare_window by turns; prints the medians of the time from
// process start to the first painted frame, the processor time and the peak memory up to that
// frame, and the game's ratios to the bare window.
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Runs {
    std::vector<double> ms, cpuMs, peakMiB;
};

// One run of program; false when it reported nothing.
bool once(const std::string& program, const std::string& dir, Runs& runs) {
    int out[2];
    if (pipe(out) != 0) return false;
    const long long start = nowNs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(program.c_str(), program.c_str(), dir.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    std::string text;
    char buffer[128];
    for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) text.append(buffer, n);
    close(out[0]);
    waitpid(pid, nullptr, 0);
    long long paintedNs = 0, cpuUs = 0, peakKiB = 0;
    if (!(std::istringstream(text) >> paintedNs >> cpuUs >> peakKiB)) return false;
    runs.ms.push_back(static_cast<double>(paintedNs - start) / 1e6);
    runs.cpuMs.push_back(static_cast<double>(cpuUs) / 1e3);
    runs.peakMiB.push_back(static_cast<double>(peakKiB) / 1024.0);
    return true;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void line(const char* what, const char* unit, double goal, const std::vector<double>& game,
          const std::vector<double>& bare) {
    const double g = median(game), b = median(bare);
    std::printf("%-28s game %6.1f %s   bare window %6.1f %s   ratio %.2f (goal %.2f)\n", what, g,
                unit, b, unit, g / b, goal);
}

}  // namespace

int main(int argc, char** argv) {
    const std::string self = argv[0];
    const std::string bin = self.substr(0, self.rfind('/') + 1);
    const std::string game = bin + "first_frame", bareWindow = bin + "bare_window";
    const int count = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    // The game's folder lives on between runs, so that every run but the first reads the
    // Data.dat the first one created, as a player's game does.
    char dirTemplate[] = "/tmp/tessaro-startup-XXXXXX";
    if (!mkdtemp(dirTemplate)) return 1;
    const std::string dir = dirTemplate;
    Runs games, bares;
    once(bareWindow, dir, bares);  // warm the file cache
    once(game, dir, games);
    games = bares = {};
    for (int i = 0; i < count; ++i) {
        if (!once(bareWindow, dir, bares) || !once(game, dir, games)) {
            std::fprintf(stderr, "startup_bench: a run reported nothing (no display?)\n");
            return 1;
        }
    }
    std::filesystem::remove_all(dir);
    line("first painted frame:", "ms ", 1.25, games.ms, bares.ms);
    line("processor time to it:", "ms ", 1.5, games.cpuMs, bares.cpuMs);
    line("peak memory at it:", "MiB", 1.15, games.peakMiB, bares.peakMiB);
    std::printf("(median of %d runs each, taken by turns)\n", count);
    return 0;
}
