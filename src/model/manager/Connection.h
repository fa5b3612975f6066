#pragma once
namespace dravo {

class EqualizerManager;

class Connection {
public:
    explicit Connection(EqualizerManager& manager) : m(manager) {}

private:
    EqualizerManager& m;
};

} // namespace dravo
