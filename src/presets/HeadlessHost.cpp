#include "HeadlessHost.h"

#include <chrono>
#include <future>

namespace dravo {

HeadlessHost::HeadlessHost() : mUiThread(std::this_thread::get_id()) {}

HeadlessHost::~HeadlessHost()
{
    for (std::thread& worker : mWorkers)
        if (worker.joinable())
            worker.join();
}

void HeadlessHost::post(Message message)
{
    {
        std::lock_guard lock(mMutex);
        mQueue.push_back({std::move(message), nullptr});
    }
    mChanged.notify_all();
}

std::int64_t HeadlessHost::nowMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void HeadlessHost::startWorker(const std::string&, std::function<void()> work)
{
    std::lock_guard lock(mMutex);
    ++mRunningWorkers;
    mWorkers.emplace_back([this, work = std::move(work)] {
        work();
        {
            std::lock_guard lock(mMutex);
            --mRunningWorkers;
        }
        mChanged.notify_all();
    });
}

void HeadlessHost::runOnUiThread(std::function<void()> work)
{
    if (onUiThread()) {
        work();
        return;
    }
    std::promise<void> done;
    auto finished = done.get_future();
    {
        std::lock_guard lock(mMutex);
        mQueue.push_back({Message{}, [&] {
                              work();
                              done.set_value();
                          }});
    }
    mChanged.notify_all();
    finished.wait();
}

void HeadlessHost::sleepMs(int ms)
{
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    if (!onUiThread()) {
        std::this_thread::sleep_until(until);
        return;
    }
    handleUntil([until] { return std::chrono::steady_clock::now() >= until; });
}

int HeadlessHost::showMessage(const std::string&, const std::string& text, const std::vector<std::string>&)
{
    std::lock_guard lock(mMutex);
    mShown.push_back(text);
    return 1;
}

int HeadlessHost::askChoice(const std::string&, const std::string& text, const std::string&, const std::string&)
{
    std::lock_guard lock(mMutex);
    mShown.push_back(text);
    return 0;
}

void HeadlessHost::runOnWorker(std::function<void()> work)
{
    startWorker("worker", std::move(work));
    handleUntil([this] {
        std::lock_guard lock(mMutex);
        return mRunningWorkers == 0 && mQueue.empty();
    });
}

std::vector<std::string> HeadlessHost::shownMessages() const
{
    std::lock_guard lock(mMutex);
    return mShown;
}

void HeadlessHost::handleUntil(const std::function<bool()>& done)
{
    using namespace std::chrono_literals;
    while (!done()) {
        Item item;
        {
            std::unique_lock lock(mMutex);
            // A short wait: `done` may depend on the clock rather than on
            // anything this host is told about.
            if (!mChanged.wait_for(lock, 5ms, [this] { return !mQueue.empty(); }))
                continue;
            item = std::move(mQueue.front());
            mQueue.pop_front();
        }
        if (item.task)
            item.task();
        else if (mManager)
            mManager->HandleMessage(item.message);
    }
}

} // namespace dravo
