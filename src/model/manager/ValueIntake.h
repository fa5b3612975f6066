#pragma once
#include "MessageSink.h"

namespace dravo {

class EqualizerManager;

class ValueIntake {
public:
    explicit ValueIntake(EqualizerManager& manager) : m(manager) {}

    // WM_DSP_VALUE, WM_READ_MCU_VALUE, WM_KTV_VALUE, WM_SCENE_VALUE; false when not ours.
    bool HandleMessage(Message& message);

private:
    EqualizerManager& m;
};

} // namespace dravo
