// The hidden multimedia control MM1: plays the background tune on a thread of its own.
#include "MM1.h"

#include <condition_variable>
#include <deque>
#include <filesystem>
#include <mutex>
#include <utility>

namespace {
// While a tune sounds, how often the worker looks whether it has reached its end.
constexpr std::chrono::milliseconds kEndCheck{250};

enum class Verb { Open, Play, Stop };
struct Request {
    Verb verb;
    std::string path;
};
}  // namespace

struct MM1::Shared {
    Shared(MusicOutput o, MakePlayer m) : output(std::move(o)), make(std::move(m)) {}
    void run();

    const MusicOutput output;
    const MakePlayer make;

    std::mutex mutex;
    std::condition_variable wake;     // the worker: a request, or quit
    std::condition_variable changed;  // the callers: settled, or finished
    std::deque<Request> queue;
    bool busy = false;
    bool quit = false;
    bool finished = false;
    std::string driver;
};

MM1::MM1(MusicOutput output, MakePlayer make)
    : shared_(std::make_shared<Shared>(std::move(output), std::move(make))),
      worker_([shared = shared_] { shared->run(); }) {}

MM1::~MM1() {
    close(kCloseBound);
}

bool MM1::close(std::chrono::milliseconds bound) {
    if (closed_) return *closed_;
    std::unique_lock lock(shared_->mutex);
    shared_->quit = true;
    shared_->queue.clear();
    shared_->wake.notify_one();
    const bool finished = shared_->changed.wait_for(lock, bound, [&] { return shared_->finished; });
    lock.unlock();
    if (finished)
        worker_.join();
    else
        worker_.detach();
    closed_ = finished;
    return finished;
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
        std::lock_guard lock(shared_->mutex);
        if (shared_->quit) return;
        shared_->queue.push_back(std::move(request));
    }
    shared_->wake.notify_one();
}

std::string MM1::settle() {
    std::unique_lock lock(shared_->mutex);
    shared_->changed.wait(
        lock, [this] { return shared_->finished || (shared_->queue.empty() && !shared_->busy); });
    return shared_->driver;
}

void MM1::Shared::run() {
    // Made, used and destroyed on this thread alone, and never while the mutex is held: any
    // call into it may block on the sound server.
    std::unique_ptr<MusicPlayer> player;
    bool made = false;
    std::string opened;  // the file "open" asked for last: a new player opens it first
    std::unique_lock lock(mutex);
    while (!quit) {
        if (queue.empty()) {
            changed.notify_all();
            const auto woken = [this] { return quit || !queue.empty(); };
            if (driver.empty()) {
                wake.wait(lock, woken);
            } else if (!wake.wait_for(lock, kEndCheck, woken)) {
                lock.unlock();
                player->releaseIfEnded();
                std::string sounding = player->driver();
                lock.lock();
                driver = std::move(sounding);
            }
            continue;
        }
        const Request request = std::move(queue.front());
        queue.pop_front();
        busy = true;
        lock.unlock();
        switch (request.verb) {
            case Verb::Open:
                opened = request.path;
                if (player) player->open(opened);
                break;
            case Verb::Play:
                // The module and the SoundFont are loaded only once there is a tune to play.
                if (!made && !opened.empty()) {
                    made = true;
                    player = make(output);
                    if (player) player->open(opened);
                }
                if (player) player->play();
                break;
            case Verb::Stop:
                if (player) player->stop();
                break;
        }
        std::string sounding = player ? player->driver() : std::string();
        lock.lock();
        busy = false;
        driver = std::move(sounding);
    }
    lock.unlock();
    player.reset();
    lock.lock();
    finished = true;
    changed.notify_all();
}
