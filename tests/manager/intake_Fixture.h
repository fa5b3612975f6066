#pragma once
// Posts decoded device reports straight into the manager, the way the main
// window hands them over.
#include "ManagerFixture.h"

#include "MessageIds.h"
#include "Records.h"
#include "ValueIntake.h"

#include <memory>

namespace dravo::test {

class IntakeFixture : public ManagerFixture {
protected:
    void deliver(std::uint32_t id, int code, std::int64_t value, std::unique_ptr<Record> record = nullptr)
    {
        Message message;
        message.id = id;
        message.wParam = code;
        message.lParam = value;
        message.record = std::move(record);
        EXPECT_TRUE(manager->HandleMessage(message));
    }

    void dspValue(int code, std::int64_t value) { deliver(WM_DSP_VALUE, code, value); }
    void dspRecord(int code, std::unique_ptr<Record> record) { deliver(WM_DSP_VALUE, code, 0, std::move(record)); }
    void mcuValue(int code, std::int64_t value) { deliver(WM_READ_MCU_VALUE, code, value); }
    void mcuRecord(int code, std::unique_ptr<Record> record) { deliver(WM_READ_MCU_VALUE, code, 0, std::move(record)); }

    SenceConfig& live() { return manager->live(); }
    SenceConfig& scene(int n) { return *manager->sceneRecord(n); }
    ValueIntake& intake() { return manager->intake(); }
};

template <typename T>
std::unique_ptr<ChannelValueRecord<T>> channelValue(int scene, int channel, T value)
{
    auto r = std::make_unique<ChannelValueRecord<T>>();
    r->scene = scene;
    r->channel = channel;
    r->value = value;
    return r;
}

inline std::unique_ptr<BandRecord> bandRecord(int scene, int channel, int band, int freq, float q, float gain, int type)
{
    auto r = std::make_unique<BandRecord>();
    r->scene = scene;
    r->channel = channel;
    r->band = band;
    r->frequency = freq;
    r->q = q;
    r->gain = gain;
    r->type = type;
    return r;
}

inline std::unique_ptr<InputMixTrimRecord> mixTrimRecord(int scene, int source, int input, int first,
                                                         std::initializer_list<int> levels)
{
    auto r = std::make_unique<InputMixTrimRecord>();
    r->scene = scene;
    r->source = source;
    r->input = input;
    r->first = first;
    r->last = first + static_cast<int>(levels.size()) - 1;
    int k = 0;
    for (int level : levels)
        r->levels[static_cast<std::size_t>(k++)] = static_cast<std::int8_t>(level);
    return r;
}

inline std::unique_ptr<CrossSourceMixRecord> crossSourceRecord(int scene, int source, int channel, int viceSource,
                                                               int viceChannel, int gain)
{
    auto r = std::make_unique<CrossSourceMixRecord>();
    r->scene = static_cast<std::uint8_t>(scene);
    r->source = static_cast<std::uint8_t>(source);
    r->channel = static_cast<std::uint8_t>(channel);
    r->secondSource = static_cast<std::uint8_t>(viceSource);
    r->secondChannel = static_cast<std::uint8_t>(viceChannel);
    r->secondGain = static_cast<std::uint8_t>(gain);
    return r;
}

} // namespace dravo::test
