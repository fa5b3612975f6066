#pragma once
// Decoders of single DSP sub-commands, shared between the DSP dispatch table
// and the files that implement them. Internal to the decoders.
#include "ReplyContext.h"

namespace dravo {

// The name the logs give the packet's sub-command (its number when it has none).
const char* dspReplyName(const ReplyContext& c);

// Room calibration: status reports and measured data for the calibration window.
void decodeIrcControl(const ReplyContext& c);
void decodeIrcDistance(const ReplyContext& c);
void decodeIrcTrim(const ReplyContext& c);
void decodeIrcEq(const ReplyContext& c);
void decodeIrcSpeakerByte(const ReplyContext& c);       // size, level, noise level
void decodeIrcSpeakerSignedByte(const ReplyContext& c); // phase
void decodeIrcSpectrum(const ReplyContext& c);

} // namespace dravo
