// The hidden multimedia control MM1: plays the background tune through FluidSynth.
#include "MM1.h"

#include <chrono>
#include <filesystem>
#include <utility>

#include "TunePlayer.h"

namespace {
// While a tune sounds, how often the worker looks whether it has reached its end.
constexpr std::chrono::milliseconds kEndCheck{250};
}  // namespace

MM1::MM1(MusicOutput output) : output_(std::move(output)), worker_([this] { run(); }) {}

MM1::~MM1() {
    {
        std::lock_guard lock(mutex_);
        quit_ = true;
        queue_.clear();
    }
    wake_.notify_one();
    worker_.join();
}

void MM1::setFileName(const std::string& path) {
    namespace fs = std::filesystem;
    fileName_ = path;
    std::error_code error;
    if (fallbackDir_.empty() || fs::exists(path, error)) return;
    const fs::path installed = fs::path(fallbackDir_) / fs::path(path).filename();
    if (fs::exists(installed, error)) fileName_ = installed.string();
}

void MM1::command(const std::string& verb) {
    Request request;
    if (verb == "open")
        request = {Verb::Open, fileName_};
    else if (verb == "play")
        request = {Verb::Play, {}};
    else if (verb == "stop")
        request = {Verb::Stop, {}};
    else
        return;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(request));
    }
    wake_.notify_one();
}

std::string MM1::settle() {
    std::unique_lock lock(mutex_);
    settled_.wait(lock, [this] { return queue_.empty() && !busy_; });
    return driver_;
}

void MM1::run() {
    // Created, used and destroyed on this thread alone.
    TunePlayer player(output_);
    std::unique_lock lock(mutex_);
    while (!quit_) {
        if (queue_.empty()) {
            settled_.notify_all();
            if (player.driver().empty()) {
                wake_.wait(lock, [this] { return quit_ || !queue_.empty(); });
            } else if (!wake_.wait_for(lock, kEndCheck,
                                       [this] { return quit_ || !queue_.empty(); })) {
                lock.unlock();
                player.releaseIfEnded();
                lock.lock();
                driver_ = player.driver();
            }
            continue;
        }
        const Request request = std::move(queue_.front());
        queue_.pop_front();
        busy_ = true;
        lock.unlock();
        switch (request.verb) {
            case Verb::Open:
                player.open(request.path);
                break;
            case Verb::Play:
                player.play();
                break;
            case Verb::Stop:
                player.stop();
                break;
        }
        lock.lock();
        busy_ = false;
        driver_ = player.driver();
    }
}
