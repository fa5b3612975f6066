#pragma once
#include "MessageSink.h"

namespace dravo {

class EqualizerManager;

class EditingRules {
public:
    explicit EditingRules(EqualizerManager& manager) : m(manager) {}

    // Timers of the main window that belong to these rules; false when not ours.
    bool OnTimer(int id);

private:
    EqualizerManager& m;
};

} // namespace dravo
