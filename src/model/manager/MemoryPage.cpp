#include "MemoryPage.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace dravo {

void MemoryControl::setValue(int value)
{
    mValue = std::clamp(value, mMinimum, mMaximum);
}

void MemoryControl::setRange(int minimum, int maximum)
{
    mMinimum = minimum;
    mMaximum = std::max(minimum, maximum);
    mValue = std::clamp(mValue, mMinimum, mMaximum);
}

void MemoryControl::setCurrentIndex(int index)
{
    mCurrentIndex = (index >= 0 && index < itemCount()) ? index : -1;
}

bool MemoryControl::itemVisible(int index) const
{
    return index >= 0 && index < itemCount() && mItems[static_cast<std::size_t>(index)].visible;
}

void MemoryControl::setItemVisible(int index, bool visible)
{
    if (index >= 0 && index < itemCount())
        mItems[static_cast<std::size_t>(index)].visible = visible;
}

void MemoryControl::setItemImage(int index, const std::string& image)
{
    if (index >= 0 && index < itemCount())
        mItems[static_cast<std::size_t>(index)].image = image;
}

std::string MemoryControl::itemImage(int index) const
{
    return (index >= 0 && index < itemCount()) ? mItems[static_cast<std::size_t>(index)].image : std::string{};
}

void MemoryControl::setItems(std::vector<std::string> names)
{
    mItems.clear();
    for (auto& n : names)
        mItems.push_back({std::move(n), true, {}});
    if (mCurrentIndex >= itemCount())
        mCurrentIndex = -1;
}

MemoryControl& MemoryPage::add(const std::string& name)
{
    auto& slot = mControls[name];
    if (!slot)
        slot = std::make_unique<MemoryControl>(name);
    return *slot;
}

Control* MemoryPage::find(const std::string& name)
{
    auto it = mControls.find(name);
    if (it != mControls.end())
        return it->second.get();
    return mCreateOnDemand ? &add(name) : nullptr;
}

MemoryControl& MemoryPage::at(const std::string& name)
{
    auto it = mControls.find(name);
    if (it == mControls.end())
        throw std::out_of_range("no control " + name);
    return *it->second;
}

namespace {

std::string indexed(const char* format, int i)
{
    char name[64];
    std::snprintf(name, sizeof name, format, i);
    return name;
}

std::string indexed2(const char* format, int a, int b)
{
    char name[64];
    std::snprintf(name, sizeof name, format, a, b);
    return name;
}

constexpr const char* kSingleControls[] = {
    "btn_debug", "btn_input_source", "comb_ch_unit", "comb_eq_type", "hp_type", "lp_type", "hp_slop",
    "lp_slop", "hp_freq", "lp_freq", "btn_hp_freq_up", "btn_hp_freq_down", "btn_lp_freq_up",
    "btn_lp_freq_down", "edit_main_volume", "slider_main_volume", "main_mute", "edit_acc", "slider_acc",
    "btn_noise_gate", "btn_rem_out1_onoff", "btn_rem_out2_onoff", "btn_amp_onoff", "btn_2ohm_spk",
    "btn_reset_eq", "btn_bypass", "btn_arg_eq", "btn_reset_output", "btn_lock_output", "btn_link_output",
    "btn_link_select", "btn_reset_link", "btn_delay_down", "btn_delay_up", "btnConnect", "soft_version",
    "inner_fw_version", "enableAutoSave", "btn_devices", "edit_device_name", "ch_title",
};

constexpr const char* kPerOutput[] = {
    "ch_show_%d", "ch_enable_%d", "ch_output_btn_%d", "slider_ch_volume_%d", "edit_ch_volume_%d",
    "ch_mute_%d", "ch_solo_%d", "ch_phase_%d", "ch_synchronize_%d", "delay_link_%d", "delay_lable_%d",
    "edit_ch_delay_%d", "control_empty_%d", "slider_ch_delay_%d", "container_ch_delay_%d",
    "ch_border_top_%d", "ch_border_buttom_%d", "ch_border_left_%d", "ch_border_right_%d", "ch_vl_%d",
    "input_123_%d", "input_456_%d",
};

constexpr const char* kPerBand[] = {
    "eq_freq_%d", "eq_q_%d", "eq_gain_%d", "eq_slider_%d", "pt_enable_%d", "eq_container_%d",
};

constexpr const char* kPerPair[] = {"ch_bridge_%d", "bridge_checkbox_%d", "bridge_hl_%d"};

constexpr const char* kPerSpeaker[] = {"speaker_%d", "spk_con_%d", "spk_delay_%d"};

constexpr const char* kSourceItems[] = {"source_opt", "source_coax", "source_bt", "source_aux", "source_low",
                                        "source_hi",  "source_dmp",  "source_udp", "source_scp"};

} // namespace

void MemoryPage::addMainPageControls()
{
    for (const char* name : kSingleControls)
        add(name);
    for (int c = 0; c < 12; ++c) {
        for (const char* format : kPerOutput)
            add(indexed(format, c)).setUserData(c);
        for (int in = 1; in <= 8; ++in)
            add(indexed2("option_ch_in%d_%d", in, c)).setUserData(c);
    }
    for (int b = 0; b < 31; ++b)
        for (const char* format : kPerBand)
            add(indexed(format, b)).setUserData(b);
    for (int p = 0; p < 6; ++p)
        for (const char* format : kPerPair)
            add(indexed(format, p)).setUserData(p);
    for (int s = 1; s <= 24; ++s)
        for (const char* format : kPerSpeaker)
            add(indexed(format, s)).setUserData(s);
    for (int i = 0; i < 10; ++i)
        add(indexed("autoSave%d", i)).setUserData(i);

    add("btn_input_source").setItems({std::begin(kSourceItems), std::end(kSourceItems)});
    add("comb_ch_unit").setItems({"ms", "cm", "inch"});
    add("comb_eq_type").setItems({"eq_type_0", "eq_type_1", "eq_type_2", "eq_type_3"});
    for (const char* combo : {"hp_type", "lp_type"})
        add(combo).setItems({"type_0", "type_1", "type_2", "type_3"});
    for (const char* combo : {"hp_slop", "lp_slop"})
        add(combo).setItems({"slope_0", "slope_1", "slope_2", "slope_3", "slope_4", "slope_5", "slope_6",
                             "slope_7", "slope_8"});
}

} // namespace dravo
