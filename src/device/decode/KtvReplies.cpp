// Karaoke replies: one value per item, for the main window.
#include "CommandCodes.h"
#include "Log.h"
#include "MessageIds.h"
#include "ReplyContext.h"

#include <algorithm>

namespace dravo {

namespace {

enum class KtvValue : std::uint8_t {
    Byte,       // d[0]
    Word,       // d[0] * 256 + d[1]
    SignedByte, // d[0] sign-extended
};

// What the item's log line shows after the op type: scene, source and the
// byte at `logValueAt`; or, without an op type, just the posted value.
enum class KtvLog : std::uint8_t { SceneSourceByte, Value };

struct KtvItemRow {
    std::uint8_t code;
    KtvValue value;
    KtvLog log;
    std::uint8_t logValueAt;
    const char* format;
};

constexpr KtvItemRow kKtvItems[] = {
    {KTV_MIC_VOL, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV MIC VOL OP=0x%x, scene=%d, src = %d, mic vol=%d\n"},
    {KTV_MUSIC_VOL, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV MUSIC_VOL OP=0x%x, scene=%d, src = %d, music vol=%d\n"},
    {KTV_HOWLING, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV HOWLING OP=0x%x, scene=%d, src = %d, howling=%d\n"},
    {KTV_ECHO_LEVEL, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV ECHO LEVEL OP=0x%x, scene=%d, src = %d, level=%d\n"},
    {KTV_ECHO_DELAY, KtvValue::Word, KtvLog::SceneSourceByte, 3,
     "KTV ECHO_DELAY OP=0x%x, scene=%d, src = %d, delay=%d\n"},
    {KTV_REVERB_LEVEL, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV REVERB_LEVEL OP=0x%x, scene=%d, src = %d, REVERB_LEVEL=%d\n"},
    {KTV_REVERB_TIME, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV REVERB_TIME OP=0x%x, scene=%d, src = %d, time=%d\n"},
    {KTV_VOICE_CHANGER, KtvValue::Byte, KtvLog::SceneSourceByte, 2,
     "KTV VOICE_CHANGER OP=0x%x, scene=%d, src = %d, voice=%d\n"},
    {KTV_BASS_GAIN, KtvValue::SignedByte, KtvLog::Value, 0, "KTV_BASS_GAIN  low freq gain=%d\n"},
    {KTV_TREBLE_GAIN, KtvValue::SignedByte, KtvLog::Value, 0, "KTV_TREBLE_GAIN treble gain=%d\n"},
};

} // namespace

void ktvAckProcess(const ReplyContext& c)
{
    const auto row = std::find_if(std::begin(kKtvItems), std::end(kKtvItems),
                                  [&](const KtvItemRow& r) { return r.code == c.sub; });
    if (row == std::end(kKtvItems)) {
        LogWrite("!!! NOT SUPPORT MSG\n");
        return;
    }
    if (c.op != OP_UPDATE)
        return;
    const std::size_t needed = row->value == KtvValue::Word ? 2 : 1;
    if (!c.d.has(0, needed)) {
        logShortReply("ktv_ack_process", c);
        return;
    }

    std::int64_t value = 0;
    switch (row->value) {
    case KtvValue::Byte:
        value = c.d.u8(0);
        break;
    case KtvValue::Word:
        value = c.d.u16(0);
        break;
    case KtvValue::SignedByte:
        value = c.d.s8(0);
        break;
    }
    // The log shows bytes the reply may not carry; those print as 0.
    if (row->log == KtvLog::SceneSourceByte)
        LogWrite(row->format, c.op, c.d.u8(0), c.d.u8(1), c.d.u8(row->logValueAt));
    else
        LogWrite(row->format, static_cast<int>(value));
    c.postValue(Target::Main, WM_KTV_VALUE, c.sub, value);
}

} // namespace dravo
