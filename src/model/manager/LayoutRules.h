#pragma once
#include "MessageSink.h"

namespace dravo {

class EqualizerManager;

class LayoutRules {
public:
    explicit LayoutRules(EqualizerManager& manager) : m(manager) {}

    bool OnTimer(int id);

private:
    EqualizerManager& m;
};

} // namespace dravo
