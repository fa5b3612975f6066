#pragma once
// What the amplifier reports, taken into the model: DSP values, controller
// facts, karaoke values and scene names land in the live record (and the
// page) or in one of the ten scene copies. Also the two refreshes that
// rebuild the page and the curve display from the live record.
#include "MessageSink.h"
#include "SceneNameTable.h"

namespace dravo {

class EqualizerManager;

class ValueIntake {
public:
    explicit ValueIntake(EqualizerManager& manager) : m(manager) {}

    // WM_DSP_VALUE, WM_READ_MCU_VALUE, WM_KTV_VALUE, WM_SCENE_VALUE; false when not ours.
    bool HandleMessage(Message& message);

    void ReadDspValueCallback(int code, Message& message);
    void ReadMcuValueCallback(int code, Message& message);
    void ReadKtvValueCallback(int code, Message& message);
    void ReadSenceValueCallback(int code, Message& message);

    // Rebuilds every control of the page from the live record.
    void SetReadProfileToView();
    // Recomputes the curves around the selected output and hands its bands
    // and all twelve curves to the display; band -1: none selected.
    void UpdateEqualizer(int band);

    // Names of scenes 1..10 (slot k = scene k + 1), as last reported by the
    // device or set by the scene window and the profile reader.
    SceneNameTable& SceneNames() { return mSceneNames; }
    const SceneNameTable& SceneNames() const { return mSceneNames; }
    // Stored scenes on the device: bit N - 1 set = scene N holds data.
    int SceneValidMask() const { return mSceneValidMask; }

private:
    EqualizerManager& m;
    SceneNameTable mSceneNames;
    int mSceneValidMask = 0;
};

} // namespace dravo
