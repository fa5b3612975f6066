#pragma once
// Drives ReplyDecoder the way the parser does and keeps every posted message.
#include "CommandCodes.h"
#include "Log.h"
#include "MessageIds.h"
#include "Records.h"
#include "ReplyDecoder.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dravo::test {

struct Posted {
    Target target;
    Message message;
};

class DecoderTest : public testing::Test {
protected:
    // The parser's buffer keeps the bytes of earlier packets beyond the
    // current one; a decoder that reads past its data would pick them up.
    static constexpr std::uint8_t kStale = 0x5A;

    void feed(std::uint8_t type, std::uint8_t sub, std::uint8_t op, const std::vector<std::uint8_t>& data)
    {
        std::array<std::uint8_t, 60> buffer;
        buffer.fill(kStale);
        buffer[0] = sub;
        buffer[1] = op;
        ASSERT_LE(data.size(), buffer.size() - 2);
        std::copy(data.begin(), data.end(), buffer.begin() + 2);
        decoder.packetProcess(static_cast<std::uint8_t>(data.size() + 3), type, buffer.data());
    }
    void dsp(std::uint8_t sub, const std::vector<std::uint8_t>& data, std::uint8_t op = OP_UPDATE)
    {
        feed(CMD_DSP, sub, op, data);
    }

    template <typename R>
    const R& record(std::size_t i)
    {
        static const R none{};
        if (i >= posted.size()) {
            ADD_FAILURE() << "no message " << i << ", only " << posted.size();
            return none;
        }
        const auto* r = dynamic_cast<const R*>(posted[i].message.record.get());
        if (!r) {
            ADD_FAILURE() << "message " << i << " carries another record type";
            return none;
        }
        return *r;
    }

    LinkState state;
    std::vector<Posted> posted;
    ReplyDecoder decoder{state, [this](Target t, Message m) { posted.push_back({t, std::move(m)}); }};
};

// Captures the diagnostic log of one test in a temporary file.
class LogCapture {
public:
    LogCapture()
        : mPath(std::filesystem::temp_directory_path() /
                ("dravo-decode-" + std::to_string(::getpid()) + "-" +
                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".log"))
    {
        LogOpen(mPath);
        LogSetTimestamps(false);
    }
    ~LogCapture()
    {
        LogShutdown();
        std::filesystem::remove(mPath);
    }
    std::string text()
    {
        LogShutdown(); // closes and so flushes
        std::ifstream in(mPath);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

private:
    std::filesystem::path mPath;
};

} // namespace dravo::test
