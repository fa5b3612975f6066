#include "ReplyDecoder.h"

namespace dravo {

ReplyDecoder::ReplyDecoder(LinkState& state, PostFunction post) : mState(state), mPost(std::move(post)) {}

void ReplyDecoder::packetProcess(std::uint8_t, std::uint8_t, const std::uint8_t*) {}

} // namespace dravo
