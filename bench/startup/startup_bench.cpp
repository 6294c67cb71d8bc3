// Runs first_frame (the game) and bare_window several times each; prints the median time from
// process start to the first painted frame, the peak memory and their ratios.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

namespace {

long long nowNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<long long>(t.tv_sec) * 1000000000LL + t.tv_nsec;
}

struct Run {
    double ms = 0;
    long peakKiB = 0;
};

Run once(const std::string& program) {
    int out[2];
    if (pipe(out) != 0) return {};
    const long long start = nowNs();
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(out[1], STDOUT_FILENO);
        close(out[0]);
        execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(out[1]);
    char buffer[64] = {};
    const ssize_t n = read(out[0], buffer, sizeof buffer - 1);
    close(out[0]);
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    Run run;
    if (n > 0) run.ms = static_cast<double>(std::stoll(buffer) - start) / 1e6;
    run.peakKiB = usage.ru_maxrss;
    return run;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    const std::string self = argv[0];
    const std::string dir = self.substr(0, self.rfind('/') + 1);
    const std::string game = dir + "first_frame", bareWindow = dir + "bare_window";
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    std::vector<double> gameMs, bareMs, gameKiB, bareKiB;
    once(bareWindow);  // warm the file cache
    once(game);
    for (int i = 0; i < runs; ++i) {
        const Run bare = once(bareWindow);
        const Run played = once(game);
        bareMs.push_back(bare.ms);
        gameMs.push_back(played.ms);
        bareKiB.push_back(static_cast<double>(bare.peakKiB));
        gameKiB.push_back(static_cast<double>(played.peakKiB));
    }
    const double gm = median(gameMs), bm = median(bareMs);
    const double gk = median(gameKiB), bk = median(bareKiB);
    std::printf("first painted frame: game %.1f ms, bare window %.1f ms, ratio %.2f\n", gm, bm,
                gm / bm);
    std::printf("peak memory:         game %.0f KiB, bare window %.0f KiB, ratio %.2f\n", gk, bk,
                gk / bk);
    std::printf("(median of %d runs each; goal: both ratios within 1.3)\n", runs);
    return 0;
}
