// MM1 with no sound device, and with FluidSynth's real-time file driver standing in for one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "MM1.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

using Steps = std::vector<std::string>;

// The menu's side: "tune" and "missing" set the file name, every other step is a command.
void send(MM1& mm1, const Steps& steps) {
    for (const std::string& step : steps) {
        if (step == "tune")
            mm1.setFileName(TESSARO_TUNE);
        else if (step == "missing")
            mm1.setFileName("/nonexistent/r07.mid");
        else
            mm1.command(step);
    }
}

std::uintmax_t bytesIn(const fs::path& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    return error ? 0 : size;
}

// Whether the file driver writes an audible sample (raw 16-bit, native order) within seconds.
bool soundsInto(const fs::path& file) {
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    do {
        std::ifstream in(file, std::ios::binary);
        for (std::int16_t sample; in.read(reinterpret_cast<char*>(&sample), sizeof sample);)
            if (std::abs(sample) > 300) return true;
        std::this_thread::sleep_for(20ms);
    } while (std::chrono::steady_clock::now() < deadline);
    return false;
}

TEST(MM1, WithoutSoundDeviceOrSoundFontEverySequenceIsSilentAndQuiet) {
    // Whatever machine runs the tests, PulseAudio and ALSA find no device here, and their
    // complaints are exactly what MM1 must keep off the terminal.
    setenv("PULSE_SERVER", "unix:/nonexistent/tessaro-no-pulse", 1);
    setenv("ALSA_CONFIG_PATH", "/nonexistent/tessaro-no-alsa.conf", 1);
    const fs::path out = fs::temp_directory_path() / ("tessaro-quiet-" + std::to_string(getpid()));
    const std::vector<Steps> sequences{
        {"stop", "play", "tune", "open", "play", "stop", "play"},          // off, on, new, off, on
        {"stop", "tune", "open", "play", "tune", "open", "play", "play"},  // off, new, new, on
        {"missing", "open", "play", "stop", "play"},                       // no tune beside us
    };
    for (const MusicOutput& output :
         {MusicOutput{}, MusicOutput{{"file"}, "/nonexistent/none.sf2", out.string()}}) {
        for (const Steps& steps : sequences) {
            SCOPED_TRACE(::testing::PrintToString(steps) + " through " + output.drivers[0]);
            ::testing::internal::CaptureStdout();
            ::testing::internal::CaptureStderr();
            std::string driver;
            {
                MM1 mm1(output);
                send(mm1, steps);
                driver = mm1.settle();
            }
            const std::string printed =
                ::testing::internal::GetCapturedStdout() + ::testing::internal::GetCapturedStderr();
            EXPECT_EQ(printed, "");
            EXPECT_EQ(driver, "");
        }
    }
    EXPECT_FALSE(fs::exists(out));
}

TEST(MM1, CommandsReachThePlayerInOrder) {
    const fs::path out = fs::temp_directory_path() / ("tessaro-mm1-" + std::to_string(getpid()));
    MM1 mm1({{"file"}, {}, out.string()});

    // Music off and on before the first game, then a file name that nothing opens.
    send(mm1, {"stop", "play", "tune", "play"});
    EXPECT_EQ(mm1.settle(), "");
    EXPECT_FALSE(fs::exists(out));

    send(mm1, {"tune", "open", "play"});
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_TRUE(soundsInto(out));

    mm1.command("stop");
    EXPECT_EQ(mm1.settle(), "");
    const auto stoppedAt = bytesIn(out);
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(bytesIn(out), stoppedAt) << "audio still rendered after stop";

    // Music on again: the tune opened before sounds without being reopened.
    fs::remove(out);
    mm1.command("play");
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_TRUE(soundsInto(out));

    // Music off, two new in a row, music on while the tune already plays: it goes on.
    fs::remove(out);
    send(mm1, {"stop", "tune", "open", "play", "tune", "open", "play", "play"});
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_TRUE(soundsInto(out));

    // A missing file leaves nothing open, not the tune before.
    send(mm1, {"missing", "open", "play"});
    EXPECT_EQ(mm1.settle(), "");
    fs::remove(out);
}

TEST(MM1, FallsSilentAtTheEndOfTheTuneAndSoundsAgainOnPlay) {
    // A closed hi-hat a tenth of a second long; FluidSynth's player lingers two seconds more.
    const char hiHat[] =
        "MThd\x00\x00\x00\x06\x00\x00\x00\x01\x00\x60"
        "MTrk\x00\x00\x00\x0c\x00\x99\x2a\x64\x14\x89\x2a\x00\x00\xff\x2f\x00";
    const std::string id = std::to_string(getpid());
    const fs::path tune = fs::temp_directory_path() / ("tessaro-hihat-" + id + ".mid"),
                   out = fs::temp_directory_path() / ("tessaro-end-" + id);
    std::ofstream(tune, std::ios::binary).write(hiHat, sizeof hiHat - 1);
    MM1 mm1({{"file"}, {}, out.string()});
    mm1.setFileName(tune);
    send(mm1, {"open", "play"});
    EXPECT_EQ(mm1.settle(), "file");
    const auto deadline = std::chrono::steady_clock::now() + 10s;
    while (mm1.settle() != "" && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(20ms);
    EXPECT_EQ(mm1.settle(), "");

    fs::remove(out);
    mm1.command("play");
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_TRUE(soundsInto(out));
    fs::remove(out);
    fs::remove(tune);
}

}  // namespace
