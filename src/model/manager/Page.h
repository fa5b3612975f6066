#pragma once
// The page the tuning logic works on: controls found by their layout names.
#include "Control.h"

#include <string>

namespace dravo {

class EqualizerView;

class Page {
public:
    virtual ~Page() = default;

    // The control of that name, or null when the layout has none.
    virtual Control* find(const std::string& name) = 0;

    // The curve display ("equalizer"), or null when the layout has none.
    virtual EqualizerView* equalizer() = 0;

    // Looks a language id up in the current table ("${off}" → "OFF").
    virtual std::string text(const std::string& languageId) = 0;

    // Display scale in percent (100, 125, 150 …).
    virtual int scale() const = 0;
};

} // namespace dravo
