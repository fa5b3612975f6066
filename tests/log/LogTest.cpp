#include "Log.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using namespace dravo;

namespace {

class LogFile : public testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() / ("dravo-log-" + std::to_string(::getpid()) + "-" +
                                           testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    void TearDown() override
    {
        LogShutdown();
        fs::remove_all(dir);
    }
    std::string contents()
    {
        LogShutdown(); // closes and so flushes
        std::ifstream in(dir / "save.log");
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    fs::path dir;
};

TEST_F(LogFile, WithoutSwitchFileNothingIsCreated)
{
    EXPECT_FALSE(LogStartup(dir));
    EXPECT_EQ(LogWrite("hello %d\n", 1), 0);
    EXPECT_FALSE(fs::exists(dir / "save.log"));
}

TEST_F(LogFile, StartupRecreatesLogWithHeader)
{
    std::ofstream(dir / "savelog.ini") << "anything";
    std::ofstream(dir / "save.log") << "old content that must go\n";
    ASSERT_TRUE(LogStartup(dir));
    const std::string text = contents();
    const std::regex header(R"(^\[\d\d:\d\d:\d\d\.\d\d\d\] MODEL_NAME: DRAVO-8\.12
\[\d\d:\d\d:\d\d\.\d\d\d\] MODEL_ID: 96
\[\d\d:\d\d:\d\d\.\d\d\d\] VERSION: v6\.8\.16
\[\d\d:\d\d:\d\d\.\d\d\d\] INNER_FW: 1, 33
$)");
    EXPECT_TRUE(std::regex_match(text, header)) << text;
}

TEST_F(LogFile, PercentInFormattedTextIsWrittenUnchanged)
{
    LogOpen(dir / "save.log");
    LogSetTimestamps(false);
    const std::string progress = "50%d%s%%";
    EXPECT_EQ(LogWrite("progress %s\n", progress.c_str()), 18);
    EXPECT_EQ(contents(), "progress 50%d%s%%\n");
}

TEST_F(LogFile, ReportDumpIsOneLineWithoutPrefix)
{
    LogOpen(dir / "save.log");
    std::vector<unsigned char> report(65, 0);
    report[1] = 0xAA;
    LogDump(report.data(), report.size());
    const std::string text = contents();
    ASSERT_EQ(text.size(), 65u * 3 + 1);
    EXPECT_EQ(text.substr(0, 6), "00 aa ");
    EXPECT_EQ(text.back(), '\n');
    EXPECT_EQ(text.find('['), std::string::npos);
}

TEST_F(LogFile, FlushesWithoutClosing)
{
    LogOpen(dir / "save.log");
    LogSetTimestamps(false);
    for (int i = 0; i < 12; ++i)
        LogWrite("line %02d\n", i);
    std::ifstream in(dir / "save.log"); // read while still open
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_NE(ss.str().find("line 11\n"), std::string::npos);
}

TEST_F(LogFile, ThreadsNeverInterleave)
{
    LogOpen(dir / "save.log");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([t] {
            for (int i = 0; i < 500; ++i)
                LogWrite("thread %d message %d %s\n", t, i, "abcdefghijklmnopqrstuvwxyz");
        });
    for (auto& th : threads)
        th.join();
    std::istringstream lines(contents());
    const std::regex line(R"(\[\d\d:\d\d:\d\d\.\d\d\d\] thread \d message \d+ abcdefghijklmnopqrstuvwxyz)");
    int count = 0;
    for (std::string l; std::getline(lines, l); ++count)
        ASSERT_TRUE(std::regex_match(l, line)) << l;
    EXPECT_EQ(count, 2000);
}

} // namespace
