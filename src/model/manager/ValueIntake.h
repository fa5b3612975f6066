#pragma once
namespace dravo {

class EqualizerManager;

class ValueIntake {
public:
    explicit ValueIntake(EqualizerManager& manager) : m(manager) {}

private:
    EqualizerManager& m;
};

} // namespace dravo
