#pragma once
// The requests waiting for the command worker. Producers append from any
// thread; one worker takes them out in order. The queue also keeps the
// link's "idle" flag honest: it is cleared by every append and set only when
// the worker finds nothing left, both under the queue's lock, so a caller
// that sees idle can trust that everything appended before was taken.
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

namespace dravo {

// One queued request. The record owns its copy of the data bytes; whoever
// takes it out of the queue owns the record.
struct CommandRecord {
    std::uint8_t cmd = 0;
    std::uint8_t subcmd = 0;
    std::uint8_t optype = 0;
    std::vector<std::uint8_t> data;

    std::uint8_t len() const { return static_cast<std::uint8_t>(data.size()); }
};

class CommandQueue {
public:
    // `idle` is the owner's flag; the queue writes it as described above.
    explicit CommandQueue(std::atomic<std::uint8_t>& idle) : mIdle(idle) {}

    CommandQueue(const CommandQueue&) = delete;
    CommandQueue& operator=(const CommandQueue&) = delete;

    // Never waits for more than the short lock.
    void append(CommandRecord record);

    // The oldest record, or nothing (and the idle flag set) when empty.
    std::optional<CommandRecord> takeOrMarkIdle();

    // Sets the idle flag unless something is waiting.
    void markIdleIfEmpty();

    // Blocks until a record is waiting or `keepRunning` reads false after a
    // wake-up (see wakeAll).
    void waitForWork(const std::atomic<std::uint8_t>& keepRunning);

    // Wakes a waiting worker so it looks at its run flag again.
    void wakeAll();

    // Everything still queued, oldest first; the queue is empty afterwards.
    std::vector<CommandRecord> takeAll();

    std::size_t size() const;

private:
    std::atomic<std::uint8_t>& mIdle;
    mutable std::mutex mMutex;
    std::condition_variable mWork;
    std::deque<CommandRecord> mRecords;
};

} // namespace dravo
