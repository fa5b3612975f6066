#pragma once
// The rules for editing the live parameter set from the main page: levels,
// delays, crossovers, equaliser bands, main volume and the amplifier-wide
// switches, each carried to the outputs that follow the edited one, shown,
// and sent to the amplifier (throttled where the user drags).
#include "MessageSink.h"

namespace dravo {

class EqualizerManager;

class EditingRules {
public:
    explicit EditingRules(EqualizerManager& manager) : m(manager) {}

    // --- Used by the other pieces ---
    void ApplyMute(int c, int value, bool send);
    void ApplyPhase(int c, int value, bool send);
    void ApplySolo(int c, int value, bool send);
    void ShowLevel(int c);
    void SendLevel(int c);
    void ShowDelay(int c);
    void SendDelay(int c);
    void ShowCrossover();
    void ShowBands();
    void SendBand(int c, int b);
    void SendCrossover(int c);
    void ApplyUsbOption(int option, bool send);
    void ShowMainVolume();
    // Starts the 1000 ms main-volume poll (after an input source change).
    void StartMainVolumePoll();

    // Timers of the main window that belong to these rules; false when not ours.
    bool OnTimer(int id);

private:
    EqualizerManager& m;
};

} // namespace dravo
