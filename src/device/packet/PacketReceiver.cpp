#include "PacketReceiver.h"

#include "Log.h"
#include "Packet.h"

namespace dravo {

void PacketReceiver::append(std::uint8_t byte)
{
    mRing[mWriteIndex] = byte;
    mWriteIndex = (mWriteIndex + 1) % kRingSize;
}

void PacketReceiver::append(const std::uint8_t* data, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        append(data[i]);
}

bool PacketReceiver::drainOne()
{
    if (ringEmpty())
        return false;
    mLastByte = mRing[mReadIndex];
    mReadIndex = (mReadIndex + 1) % kRingSize;
    feed(mLastByte);
    return true;
}

void PacketReceiver::drain(const std::function<bool()>& keepGoing)
{
    while (!ringEmpty() && (!keepGoing || keepGoing()))
        drainOne();
}

void PacketReceiver::feed(std::uint8_t b)
{
    const unsigned s = mPosition;
    if (s == 0) {
        mPosition = (b == kHeader1) ? 1 : 0;
        return;
    }
    if (s == 1) {
        // Anything between AA and 55 is skipped: the device may pad there.
        if (b == kHeader2)
            mPosition = 2;
        return;
    }
    if (s == 2) {
        mLength = b;
        mPosition = 3;
        return;
    }
    if (s == 3) {
        mType = b;
        mPosition = 4;
        return;
    }

    LogWrite("packet_process: temp_index(0x%02x), packet_length(0x%02x), packet_byte(0x%02x)\n", s,
             (mLength + 3) & 0xFF, b);
    if (s == static_cast<unsigned>(mLength) + 3) {
        mPosition = 0;
        // A packet shorter than sub-command and op type would hand the
        // handler stale bytes of an earlier packet: drop it.
        if (mLength < 3)
            return;
        const std::int32_t sum = packet_checksum(mLength, mType, mBuffer.data());
        LogWrite("packet_checksum: temp_sum(0x%08x)\n", static_cast<unsigned>(sum));
        if (static_cast<std::uint8_t>(sum) == b && mHandler)
            mHandler(mLength, mType, mBuffer.data());
        return;
    }
    if (s >= 64) {
        mPosition = 0;
        return;
    }
    mBuffer[s - 4] = b;
    mPosition = static_cast<std::uint8_t>(s + 1);
}

} // namespace dravo
