#pragma once
// The receive side: a byte ring filled by reads and a state machine that finds
// packets in it. Packets survive across reports; a bad checksum or a length
// that cannot close before position 64 is dropped and the parser resyncs on
// the next 0xAA.
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>

namespace dravo {

class PacketReceiver {
public:
    // Called with L, the packet type and the bytes from the sub-command on
    // (sub, op, then L - 3 data bytes), for every packet whose checksum holds.
    using PacketHandler = std::function<void(std::uint8_t L, std::uint8_t type, const std::uint8_t* bytes)>;

    static constexpr std::size_t kRingSize = 1024;
    static constexpr std::size_t kBufferSize = 60;

    explicit PacketReceiver(PacketHandler handler = {}) : mHandler(std::move(handler)) {}
    void setHandler(PacketHandler handler) { mHandler = std::move(handler); }

    // Appends bytes to the ring (no overrun check is needed: every read is
    // drained at once, so the ring never holds more than a report or two).
    void append(const std::uint8_t* data, std::size_t size);
    void append(std::uint8_t byte);

    // Runs the parser over everything in the ring while `keepGoing` says so
    // (the link stops draining when its device handle disappears).
    void drain(const std::function<bool()>& keepGoing = {});

    // Takes one byte from the ring through the parser; false if it was empty.
    bool drainOne();

    // Passes one byte through the parser without the ring.
    void feed(std::uint8_t byte);

    bool ringEmpty() const { return mReadIndex == mWriteIndex; }
    void clearRing() { mReadIndex = mWriteIndex = 0; }
    std::uint8_t lastByte() const { return mLastByte; }
    std::uint8_t position() const { return mPosition; }

private:
    PacketHandler mHandler;
    std::array<std::uint8_t, kRingSize> mRing{};
    std::size_t mWriteIndex = 0;
    std::size_t mReadIndex = 0;
    std::uint8_t mLastByte = 0;
    std::uint8_t mPosition = 0;
    std::uint8_t mLength = 0;
    std::uint8_t mType = 0;
    std::array<std::uint8_t, kBufferSize> mBuffer{};
};

} // namespace dravo
