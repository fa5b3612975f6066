#pragma once
#include "MessageSink.h"

namespace dravo {

class EqualizerManager;

class Connection {
public:
    explicit Connection(EqualizerManager& manager) : m(manager) {}

    // "Binding the view": sets up the controls of a freshly bound page.
    void BindView();
    // WM_CONNECTED, WM_DISCONNECTED; false when not ours.
    bool HandleMessage(Message& message);

private:
    EqualizerManager& m;
};

} // namespace dravo
