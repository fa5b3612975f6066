#pragma once
namespace dravo {

class EqualizerManager;

class EditingRules {
public:
    explicit EditingRules(EqualizerManager& manager) : m(manager) {}

private:
    EqualizerManager& m;
};

} // namespace dravo
