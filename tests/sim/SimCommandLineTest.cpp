#include "SimCommandLine.h"

#include <gtest/gtest.h>

#include <vector>

namespace dravo::sim {
namespace {

std::optional<SimCommandLine> parse(std::vector<const char*> args, std::string& error)
{
    args.insert(args.begin(), "dravo-sim");
    return parseSimCommandLine(static_cast<int>(args.size()), args.data(), error);
}

TEST(SimCommandLine, TakesEveryOption)
{
    std::string error;
    const auto line = parse({"--bus", "/tmp/bus", "--id", "amp7", "--model", "97", "--version", "2.5", "--loader",
                             "--latency-ms", "0", "--drop-reply", "3", "--corrupt-reply", "4", "--split-replies",
                             "--ping-ms", "250", "--serial", "X1"},
                            error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->busDir, "/tmp/bus");
    EXPECT_EQ(line->id, "amp7");
    const SimOptions& o = line->server.sim;
    EXPECT_EQ(o.model, 97);
    EXPECT_EQ(o.masterVersion, 2);
    EXPECT_EQ(o.slaveVersion, 5);
    EXPECT_TRUE(o.loaderMode);
    EXPECT_EQ(o.latencyMs, 0);
    EXPECT_EQ(o.dropReply, 3);
    EXPECT_EQ(o.corruptReply, 4);
    EXPECT_TRUE(o.splitReplies);
    EXPECT_EQ(o.pingMs, 250);
    EXPECT_EQ(line->server.strings.serialNumber, "X1");
}

TEST(SimCommandLine, DefaultsToAHealthyAmplifierWithASimSerial)
{
    std::string error;
    const auto line = parse({"--bus", "b", "--id", "amp1"}, error);
    ASSERT_TRUE(line) << error;
    EXPECT_EQ(line->server.sim.model, 96);
    EXPECT_EQ(line->server.sim.latencyMs, 1);
    EXPECT_EQ(line->server.strings.serialNumber, "SIM-amp1");
}

TEST(SimCommandLine, RejectsMistakes)
{
    const std::vector<std::vector<const char*>> cases = {
        {"--id", "amp1"},
        {"--bus", "b"},
        {"--bus", "b", "--id", "../amp1"},
        {"--bus", "b", "--id", "amp1", "--version", "1"},
        {"--bus", "b", "--id", "amp1", "--model", "300"},
        {"--bus", "b", "--id", "amp1", "--latency-ms", "-1"},
        {"--bus", "b", "--id", "amp1", "--ping-ms"},
        {"--bus", "b", "--id", "amp1", "--colour"},
    };
    for (const auto& args : cases) {
        std::string error;
        EXPECT_FALSE(parse(args, error)) << args.back();
        EXPECT_FALSE(error.empty());
    }
}

} // namespace
} // namespace dravo::sim
