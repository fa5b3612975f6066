#pragma once
// A window stand-in for running the tuning logic without a window (the
// command-line tool): the thread that creates it plays the user-interface
// thread and handles posted messages while it waits for workers; workers
// are real threads; message boxes are only remembered; questions are
// declined. There are no timers.
#include "EqualizerManager.h"
#include "ManagerHost.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace dravo {

class HeadlessHost final : public ManagerHost {
public:
    HeadlessHost();
    // Waits for the workers that are still running.
    ~HeadlessHost() override;

    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    // The manager that posted messages are handed to.
    void attach(EqualizerManager& manager) { mManager = &manager; }

    void post(Message message) override;
    void startTimer(int, int) override {}
    void killTimer(int) override {}
    std::int64_t nowMs() override;
    void startWorker(const std::string& name, std::function<void()> work) override;
    void runOnUiThread(std::function<void()> work) override;
    void sleepMs(int ms) override;
    int showMessage(const std::string& title, const std::string& text,
                    const std::vector<std::string>& captions) override;
    int askChoice(const std::string& title, const std::string& text, const std::string& option0,
                  const std::string& option1) override;

    // Runs `work` on a worker thread; meanwhile, and until every message it
    // caused is handled, this thread handles messages. Call it on the
    // thread that created the host.
    void runOnWorker(std::function<void()> work);

    // Texts of the message boxes shown so far (language ids).
    std::vector<std::string> shownMessages() const;

private:
    struct Item {
        Message message;
        std::function<void()> task;  // set for work handed over by runOnUiThread
    };

    bool onUiThread() const { return std::this_thread::get_id() == mUiThread; }
    // Handles what is queued; with a deadline, waits for more until then.
    void handleUntil(const std::function<bool()>& done);

    const std::thread::id mUiThread;
    EqualizerManager* mManager = nullptr;
    mutable std::mutex mMutex;
    std::condition_variable mChanged;
    std::deque<Item> mQueue;
    int mRunningWorkers = 0;
    std::vector<std::thread> mWorkers;
    std::vector<std::string> mShown;
};

} // namespace dravo
