// The log lines the setters leave for the installer's trace.
#include "Log.h"
#include "RecordingRequests.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

using namespace dravo;
using namespace dravo::test;
namespace fs = std::filesystem;

namespace {

class RequestLog : public testing::Test {
protected:
    void SetUp() override
    {
        path = fs::temp_directory_path() / ("dravo-requests-" + std::to_string(::getpid()) + ".log");
        ASSERT_TRUE(LogOpen(path));
        LogSetTimestamps(false);
    }
    void TearDown() override
    {
        LogShutdown();
        fs::remove(path);
    }
    std::string contents()
    {
        LogShutdown();
        std::ifstream in(path);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    fs::path path;
};

TEST_F(RequestLog, SettersLogTheirValues)
{
    RecordingRequests r;
    r.Trim_Ctrl(0, 0, 2, 4, std::array{3.5f, 0.0f, 12.25f}, false);
    r.Delay_Ctrl(1, 0, 0, 1, std::array{1.5f, 0.021f}, false);
    r.Mute_Ch_Ctrl(0, 0, 0, 2, std::array{1, 0, 1}, false);
    r.EQ_Ctrl(0, 0, 3, 5, 1000, 1.414f, -3.0f, 1, false);
    EXPECT_EQ(contents(),
              "Trim_Ctrl: scene(0), ch 2~4: 3.50, 0.00, 12.25, \n"
              "Delay_Ctrl: scene(1), channel(0), delay(1.500)\n"
              "Delay_Ctrl: scene(1), channel(1), delay(0.021)\n"
              "Mute_Ch_Ctrl: scene(0), ch 0~2: 1, 0, 1, \n"
              "begain to write data to devices:\n"
              "00 00 03 05 03 e8 01 01 9e 2f 00 \n");
}

TEST_F(RequestLog, ACutRangeSaysSo)
{
    RecordingRequests r;
    r.Trim_Ctrl(0, 0, 0, 11, std::array{1.0f}, false);
    EXPECT_EQ(contents(),
              "Trim_Ctrl: ch 0~11 cut to ch 0~0\n"
              "Trim_Ctrl: scene(0), ch 0~0: 1.00, \n");
}

} // namespace
