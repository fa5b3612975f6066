#include "DecoderFixture.h"

using namespace dravo;
using namespace dravo::test;

namespace {

using PacketDispatch = DecoderTest;

TEST_F(PacketDispatch, LogsTheTypeAndTheDspHeader)
{
    LogCapture log;
    dsp(DSP_VOLUME, {0xFA});
    dsp(0x29, {1});
    dsp(DSP_MIX_TYPE2, {0, 0x51, 1});
    EXPECT_EQ(log.text(), "packet_process: packet_type(CMD_DSP)\n"
                          "dsp_ack_process 1, cmd(0x00000002), OP(dd), DSP_VOLUME\n"
                          "DSP_VOLUME OP_UPDATE, MVol = -6\n"
                          "packet_process: packet_type(CMD_DSP)\n"
                          "dsp_ack_process 2, cmd(0x00000029), OP(dd), 41\n"
                          "!!! NOT SUPPORT MSG\n"
                          "packet_process: packet_type(CMD_DSP)\n"
                          "dsp_ack_process 3, cmd(0x00000083), OP(dd), DSP_MIX_TYPE2\n");
}

TEST_F(PacketDispatch, DirectWritesAreOnlyLoggedAndUnknownTypesIgnored)
{
    LogCapture log;
    feed(CMD_DSP_DWRITE, DSP_VOLUME, OP_UPDATE, {0xFA});
    feed(5, DSP_VOLUME, OP_UPDATE, {0xFA});
    feed(0, DSP_VOLUME, OP_UPDATE, {0xFA});
    EXPECT_EQ(log.text(), "packet_process: packet_type(CMD_DSP_DWRITE)\n");
    EXPECT_TRUE(posted.empty());
}

TEST_F(PacketDispatch, PacketsWithoutSubCommandAndOpTypeAreDropped)
{
    // The buffer still holds an earlier volume report behind the new length.
    const std::uint8_t stale[] = {DSP_VOLUME, OP_UPDATE, 0xFA};
    for (std::uint8_t L : {0, 1, 2}) {
        for (std::uint8_t type : {CMD_DSP, CMD_MCU, CMD_FLASH, CMD_KTV})
            decoder.packetProcess(L, type, stale);
    }
    decoder.packetProcess(3, CMD_DSP, nullptr);
    EXPECT_TRUE(posted.empty());
}

} // namespace
