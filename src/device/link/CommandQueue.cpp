#include "CommandQueue.h"

namespace dravo {

void CommandQueue::append(CommandRecord record)
{
    {
        std::lock_guard lock(mMutex);
        mRecords.push_back(std::move(record));
        mIdle = 0;
    }
    mWork.notify_one();
}

std::optional<CommandRecord> CommandQueue::takeOrMarkIdle()
{
    std::lock_guard lock(mMutex);
    if (mRecords.empty()) {
        mIdle = 1;
        return std::nullopt;
    }
    CommandRecord record = std::move(mRecords.front());
    mRecords.pop_front();
    return record;
}

void CommandQueue::markIdleIfEmpty()
{
    std::lock_guard lock(mMutex);
    if (mRecords.empty())
        mIdle = 1;
}

void CommandQueue::waitForWork(const std::atomic<std::uint8_t>& keepRunning)
{
    std::unique_lock lock(mMutex);
    mWork.wait(lock, [&] { return !mRecords.empty() || !keepRunning; });
}

void CommandQueue::wakeAll()
{
    // Taking the lock orders this wake-up after a waiter's predicate check,
    // so it cannot be lost between the check and the wait.
    { std::lock_guard lock(mMutex); }
    mWork.notify_all();
}

std::vector<CommandRecord> CommandQueue::takeAll()
{
    std::lock_guard lock(mMutex);
    std::vector<CommandRecord> rest(std::make_move_iterator(mRecords.begin()),
                                    std::make_move_iterator(mRecords.end()));
    mRecords.clear();
    return rest;
}

std::size_t CommandQueue::size() const
{
    std::lock_guard lock(mMutex);
    return mRecords.size();
}

} // namespace dravo
