// Times `delay 150` on the window's real clock: wall time and processor time, a few times.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "Game.h"
#include "MemoryRecords.h"
#include "ProgramServices.h"
#include "ReplayHost.h"
#include "ReplayMedia.h"

namespace {

double cpuSeconds() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_utime.tv_sec + u.ru_stime.tv_sec) +
           static_cast<double>(u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

// The replay's host with the window's own clock and nap.
struct RealClock : ReplayHost {
    RealClock() : ReplayHost("") {}
    float timer() override { return services.timer(); }
    void nap() override { services.nap(); }
    ProgramServices services;
};

}  // namespace

int main() {
    RealClock host;
    MemoryRecords store;
    ReplayMedia media;
    Game game(host, store, media);
    for (int run = 0; run < 3; ++run) {
        const auto start = std::chrono::steady_clock::now();
        const double cpuStart = cpuSeconds();
        game.delay(150);
        const double wall =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double cpu = cpuSeconds() - cpuStart;
        std::printf(
            "delay 150: %.3f s (goal 1.35 to 1.65 s), processor %.1f %% of one core (goal < 10 "
            "%%)\n",
            wall, 100.0 * cpu / wall);
    }
    return 0;
}
