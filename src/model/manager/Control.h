#pragma once
// What the tuning logic needs of one control on the page, whatever toolkit
// draws it. The in-memory page of the tests and the Qt page both implement it.
#include <cstdint>
#include <string>

namespace dravo {

class Control {
public:
    virtual ~Control() = default;

    virtual const std::string& name() const = 0;

    // Texts may hold language ids ("${off}"); the page translates them for
    // display, text() returns what was set (or what the user typed).
    virtual std::string text() const = 0;
    virtual void setText(const std::string& text) = 0;

    // Sliders, progress bars and spin-like controls: an integer value kept
    // inside [minimum, maximum]. setValue clamps; the rules rely on that.
    virtual int value() const = 0;
    virtual void setValue(int value) = 0;
    virtual int minimum() const = 0;
    virtual int maximum() const = 0;
    virtual void setRange(int minimum, int maximum) = 0;
    virtual void setStep(int step) = 0;

    // Buttons, options and check boxes.
    virtual bool checked() const = 0;
    virtual void setChecked(bool checked) = 0;
    // Drawn as selected (the connect button, the channel buttons).
    virtual bool selected() const = 0;
    virtual void setSelected(bool selected) = 0;

    virtual bool visible() const = 0;
    virtual void setVisible(bool visible) = 0;
    virtual bool enabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

    // Repeated controls carry their index here.
    virtual int userData() const = 0;
    virtual void setUserData(int data) = 0;

    // Combo boxes and lists.
    virtual int currentIndex() const = 0;
    virtual void setCurrentIndex(int index) = 0;
    virtual int itemCount() const = 0;
    virtual bool itemVisible(int index) const = 0;
    virtual void setItemVisible(int index, bool visible) = 0;
    virtual void setItemHeight(int height) = 0;
    virtual void setItemImage(int index, const std::string& image) = 0;

    // Looks that carry meaning (connected: white, selected; disconnected: red).
    virtual std::uint32_t textColor() const = 0;
    virtual void setTextColor(std::uint32_t argb) = 0;
    virtual std::string image() const = 0;
    virtual void setImage(const std::string& image) = 0;
    virtual void setFocus() = 0;
};

} // namespace dravo
