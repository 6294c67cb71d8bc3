// MM1 through the music module, with no sound device and with FluidSynth's real-time file driver
// standing in for one; and through a player of the test's own, answering or frozen.
#include <gtest/gtest.h>

#include <future>

#include "MM1.h"

using namespace std::chrono_literals;

namespace {

using Steps = std::vector<std::string>;

// "tune" and "missing" set the file name, as the menu does; every other step is a command.
void send(MM1& mm1, const Steps& steps) {
    for (const std::string& s : steps)
        s == "tune"      ? mm1.setFileName(TESSARO_TUNE)
        : s == "missing" ? mm1.setFileName("/nonexistent/r07.mid")
                         : mm1.command(s);
}

TEST(MM1, WithoutSoundDeviceOrSoundFontItIsSilentAndQuiet) {
    // PulseAudio and ALSA find no device here, and their complaints are what must not show.
    setenv("PULSE_SERVER", "unix:/nonexistent/tessaro-no-pulse", 1);
    setenv("ALSA_CONFIG_PATH", "/nonexistent/tessaro-no-alsa.conf", 1);
    for (const MusicOutput& output :
         {MusicOutput{}, MusicOutput{{"file"}, "/nonexistent.sf2", "/dev/null"}}) {
        ::testing::internal::CaptureStderr();
        MM1 mm1(output);
        // Music off and on, no tune beside the game, new games, music off and on, one more new.
        send(mm1, {"stop", "play", "missing", "open", "play", "tune", "open", "play", "stop",
                   "play", "tune", "open", "play", "play"});
        EXPECT_EQ(mm1.settle(), "");
        EXPECT_TRUE(mm1.close(60s));
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << output.drivers[0];
    }
}

// A player that writes down what it is asked. Once frozen, its stop and its destructor wait for
// the thaw, as FluidSynth's do while the sound server does not answer. (The worker reads
// `frozen` only after taking a command sent later, so no lock is needed.)
struct Script {
    Steps calls;
    std::promise<void> thaw;
    std::shared_future<void> frozen;
    void wait() const { frozen.valid() ? frozen.wait() : void(); }
};
struct FakePlayer : MusicPlayer {
    explicit FakePlayer(std::shared_ptr<Script> s) : script(std::move(s)) {}
    ~FakePlayer() override { script->wait(); }
    void open(const std::string& path) override { script->calls.push_back("open " + path); }
    void play() override { script->calls.push_back("play"); }
    void stop() override { script->wait(); }
    void releaseIfEnded() override {}
    std::string driver() const override { return ""; }
    std::shared_ptr<Script> script;
};

TEST(MM1, CommandsReachThePlayerInOrderAndAFrozenPlayerHoldsNothingUp) {
    auto script = std::make_shared<Script>();
    {
        MM1 mm1({}, [script](const MusicOutput&) {
            script->calls.push_back("made");
            return std::make_unique<FakePlayer>(script);
        });
        // No player is made before a "play" has a tune to sound, and then only one.
        send(mm1, {"stop", "play", "tune", "open", "stop", "play", "missing", "open", "play"});
        mm1.settle();
        EXPECT_EQ(script->calls, (Steps{"made", "open " TESSARO_TUNE, "play",
                                        "open /nonexistent/r07.mid", "play"}));
        script->frozen = script->thaw.get_future().share();
        send(mm1, {"stop", "play", "stop"});  // the worker stays in "stop"; commands still return
        EXPECT_FALSE(mm1.close(50ms));
    }  // and destroying MM1 does not wait for it either
    script->thaw.set_value();
}

}  // namespace
