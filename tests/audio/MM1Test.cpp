// MM1 with no sound device, and with FluidSynth's real-time file driver standing in for one.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "MM1.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

// Whatever machine runs the tests, PulseAudio and ALSA find no device: nothing sounds, and
// the libraries' complaints are exactly what MM1 must keep off the terminal.
class NoSoundDevice : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("PULSE_SERVER", "unix:/nonexistent/tessaro-no-pulse", 1);
        setenv("ALSA_CONFIG_PATH", "/nonexistent/tessaro-no-alsa.conf", 1);
    }
};
const auto* const noSoundDevice = ::testing::AddGlobalTestEnvironment(new NoSoundDevice);

// Collects what is written to the standard output and error, by any thread, while alive.
class TerminalCapture {
public:
    TerminalCapture() : file_(std::tmpfile()) {
        std::fflush(stdout);
        std::fflush(stderr);
        for (int fd : {1, 2}) {
            saved_.push_back(dup(fd));
            dup2(fileno(file_), fd);
        }
    }
    ~TerminalCapture() {
        restore();
        std::fclose(file_);
    }
    std::string text() {
        restore();
        std::string out;
        std::rewind(file_);
        for (int c; (c = std::fgetc(file_)) != EOF;) out += static_cast<char>(c);
        return out;
    }

private:
    void restore() {
        if (saved_.empty()) return;
        std::fflush(stdout);
        std::fflush(stderr);
        for (int fd : {1, 2}) {
            dup2(saved_[fd - 1], fd);
            close(saved_[fd - 1]);
        }
        saved_.clear();
    }
    std::FILE* file_;
    std::vector<int> saved_;
};

// Steps of a command sequence: "tune", "missing" and "text" set the file name, the rest
// are commands.
void send(MM1& mm1, const std::vector<std::string>& steps, const fs::path& notMidi) {
    for (const std::string& step : steps) {
        if (step == "tune")
            mm1.setFileName(TESSARO_TUNE);
        else if (step == "missing")
            mm1.setFileName("/nonexistent/r07.mid");
        else if (step == "text")
            mm1.setFileName(notMidi);
        else
            mm1.command(step);
    }
}

class MM1Test : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tessaro-audio-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
        notMidi_ = dir_ / "notes.mid";
        std::ofstream(notMidi_) << "not a MIDI file\n";
        output_ = {{"file"}, {}, (dir_ / "out.raw").string()};
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path rendered() const { return output_.fileName; }
    std::uintmax_t renderedBytes() const {
        std::error_code error;
        const auto size = fs::file_size(rendered(), error);
        return error ? 0 : size;
    }
    // Waits for the real-time file driver to have written some audio, then gives the loudest
    // sample of it.
    int loudestRendered() const {
        constexpr std::uintmax_t kHalfSecond = 44100 * 2 * 2 / 2;
        const auto deadline = std::chrono::steady_clock::now() + 20s;
        while (renderedBytes() < kHalfSecond && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(20ms);
        std::ifstream in(rendered(), std::ios::binary);
        std::vector<char> bytes(std::istreambuf_iterator<char>(in), {});
        int loudest = 0;
        for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
            const auto sample =
                static_cast<std::int16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8);
            loudest = std::max(loudest, std::abs(int{sample}));
        }
        return loudest;
    }

    fs::path dir_;
    fs::path notMidi_;
    MusicOutput output_;
};

TEST_F(MM1Test, WithoutSoundDeviceEverySequenceIsSilentAndQuiet) {
    const std::vector<std::vector<std::string>> sequences{
        {"tune", "open", "play"},                          // new
        {"tune", "open", "play", "stop"},                  // new, music off
        {"tune", "open", "play", "stop", "play"},          // music on again
        {"stop", "play"},                                  // music before any game
        {"stop", "tune", "open", "play", "play", "stop"},  // off, new, on, off
        {"tune", "open", "play", "tune", "open", "play"},  // two new in a row
        {"tune", "open", "open", "play"},                  // open twice
        {"missing", "open", "play", "stop", "play"},       // no tune beside the game
        {"text", "open", "play"},                          // not a MIDI file
        {"play"},                                          // play before open
        {"open", "play"},                                  // no file name at all
    };
    for (const auto& steps : sequences) {
        SCOPED_TRACE(::testing::PrintToString(steps));
        TerminalCapture terminal;
        std::string driver;
        {
            MM1 mm1;
            send(mm1, steps, notMidi_);
            driver = mm1.settle();
        }
        EXPECT_EQ(terminal.text(), "");
        EXPECT_EQ(driver, "");
    }
}

TEST_F(MM1Test, MissingSoundFontIsSilentAndQuiet) {
    output_.soundFont = (dir_ / "none.sf2").string();
    TerminalCapture terminal;
    std::string driver;
    {
        MM1 mm1(output_);
        send(mm1, {"tune", "open", "play", "stop", "play"}, notMidi_);
        driver = mm1.settle();
    }
    EXPECT_EQ(terminal.text(), "");
    EXPECT_EQ(driver, "");
    EXPECT_FALSE(fs::exists(rendered()));
}

TEST_F(MM1Test, NewGameSoundsTheTune) {
    MM1 mm1(output_);
    send(mm1, {"tune", "open", "play"}, notMidi_);
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_GT(loudestRendered(), 300);
}

TEST_F(MM1Test, StopSilencesAndPlaySoundsAgain) {
    MM1 mm1(output_);
    send(mm1, {"tune", "open", "play"}, notMidi_);
    ASSERT_EQ(mm1.settle(), "file");
    ASSERT_GT(loudestRendered(), 300);

    mm1.command("stop");
    EXPECT_EQ(mm1.settle(), "");
    const auto stoppedAt = renderedBytes();
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(renderedBytes(), stoppedAt) << "audio still rendered after stop";

    // The file is not reopened: play goes on with the tune opened before.
    fs::remove(rendered());
    mm1.command("play");
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_GT(loudestRendered(), 300);
}

TEST_F(MM1Test, PlayWithNothingOpenedDoesNothingUntilNewGame) {
    MM1 mm1(output_);
    send(mm1, {"stop", "play"}, notMidi_);
    EXPECT_EQ(mm1.settle(), "");
    // A file name alone opens nothing.
    send(mm1, {"tune", "play"}, notMidi_);
    EXPECT_EQ(mm1.settle(), "");
    EXPECT_FALSE(fs::exists(rendered()));

    send(mm1, {"stop", "tune", "open", "play"}, notMidi_);
    EXPECT_EQ(mm1.settle(), "file");
    // Music switched back on while it already plays: it simply goes on.
    mm1.command("play");
    EXPECT_EQ(mm1.settle(), "file");
    mm1.command("stop");
    EXPECT_EQ(mm1.settle(), "");
}

TEST_F(MM1Test, OpenClosesWhatWasOpen) {
    MM1 mm1(output_);
    send(mm1, {"tune", "open", "play", "tune", "open", "play"}, notMidi_);
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_GT(loudestRendered(), 300);
    // "open" alone stops what was playing; the tune plays again from its start.
    send(mm1, {"open", "open"}, notMidi_);
    EXPECT_EQ(mm1.settle(), "");
    mm1.command("play");
    EXPECT_EQ(mm1.settle(), "file");
    // A missing or broken file leaves nothing open, not the tune before.
    for (const char* bad : {"missing", "text"}) {
        SCOPED_TRACE(bad);
        send(mm1, {"tune", "open", "play", bad, "open", "play"}, notMidi_);
        EXPECT_EQ(mm1.settle(), "");
    }
}

TEST_F(MM1Test, FallsSilentAtTheEndOfTheTune) {
    // Half a second of one piano note.
    const unsigned char shortTune[] = {
        'M', 'T', 'h', 'd', 0,    0, 0, 6,    0,  0,   0,  1,    0,  96, 'M', 'T',  'r',  'k', 0,
        0,   0,   15,  0,   0xC0, 0, 0, 0x90, 60, 100, 96, 0x80, 60, 0,  0,   0xFF, 0x2F, 0,
    };
    const fs::path path = dir_ / "short.mid";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(shortTune), sizeof shortTune);

    MM1 mm1(output_);
    mm1.setFileName(path);
    mm1.command("open");
    mm1.command("play");
    ASSERT_EQ(mm1.settle(), "file");
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (mm1.settle() != "" && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(50ms);
    EXPECT_EQ(mm1.settle(), "");

    // Played to its end, the tune starts over on the next play.
    mm1.command("play");
    EXPECT_EQ(mm1.settle(), "file");
    EXPECT_GT(loudestRendered(), 300);
}

}  // namespace
