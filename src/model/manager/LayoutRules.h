#pragma once
namespace dravo {

class EqualizerManager;

class LayoutRules {
public:
    explicit LayoutRules(EqualizerManager& manager) : m(manager) {}

private:
    EqualizerManager& m;
};

} // namespace dravo
