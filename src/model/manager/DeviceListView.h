#pragma once
// The device combo of the main page: one item per plugged-in amplifier,
// named by its display name and showing its nickname. The window implements
// it over its toolkit's combo; MemoryDeviceCombo keeps the items in memory.
#include <string>
#include <vector>

namespace dravo {

class DeviceComboView {
public:
    virtual ~DeviceComboView() = default;
    virtual void clearItems() = 0;
    // `name` is the item's control name (the display name), `text` what it shows.
    virtual void addItem(const std::string& name, const std::string& text, int height) = 0;
    virtual void setItemText(int index, const std::string& text) = 0;
    // -1 when no item is selected.
    virtual int currentIndex() const = 0;
    // Selects item `index` (-1: none) without taking the keyboard focus and
    // without reporting it as the user's pick.
    virtual void selectItem(int index) = 0;
};

// Pixel height of one device item.
inline constexpr int kDeviceItemHeight = 26;

class MemoryDeviceCombo final : public DeviceComboView {
public:
    struct Item {
        std::string name;
        std::string text;
        int height = 0;
    };

    void clearItems() override
    {
        items.clear();
        current = -1;
    }
    void addItem(const std::string& name, const std::string& text, int height) override
    {
        items.push_back({name, text, height});
    }
    void setItemText(int index, const std::string& text) override
    {
        if (index >= 0 && index < static_cast<int>(items.size()))
            items[static_cast<std::size_t>(index)].text = text;
    }
    int currentIndex() const override { return current; }
    void selectItem(int index) override { current = (index >= 0 && index < static_cast<int>(items.size())) ? index : -1; }

    std::vector<Item> items;
    int current = -1;
};

} // namespace dravo
