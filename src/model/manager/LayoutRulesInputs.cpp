// The input source and the routing of its inputs to the outputs.
#include "LayoutRules.h"

#include "DeviceLink.h"
#include "EditingRules.h"
#include "EqualizerManager.h"
#include "InputSources.h"
#include "LayoutLooks.h"
#include "Log.h"

namespace dravo {

namespace looks = layout_looks;

namespace {

// A level an input gets when it is routed to an output that had it at 0,
// so the routing is heard at once.
constexpr int kRoutedInputLevel = 100;

} // namespace

void LayoutRules::SetInputSource(int s)
{
    LogWrite("on %s index %d\n", "EqualizerManager::SetInputSource", s);
    if (s < 0 || s >= kSourceCount)
        return;
    Control& combo = m.ctl("btn_input_source");
    for (int i = 0; i < combo.itemCount(); ++i)
        combo.setItemImage(i, i == s ? looks::kSourceItemChosen : looks::kSourceItem);
    combo.setCurrentIndex(s);

    SenceConfig& record = m.live();
    record.currSource = s;
    record.source = s;
    ShowInputSelectors();

    if (m.link().IsConnected()) {
        m.link().Source_Switch_Ctrl(sourceDeviceCode(s), false);
        m.editing().StartMainVolumePoll();
    }
}

void LayoutRules::ShowInputSelectors()
{
    const SenceConfig& s = m.live();
    const int source = (s.source >= 0 && s.source < kSourceCount) ? s.source : 0;
    const int inputs = inputCountOf(source);
    for (int c = 0; c < kOutputCount; ++c) {
        for (int n = 1; n <= kInputsPerSource; ++n) {
            Control& selector = m.ctl("option_ch_in%d_%d", n, c);
            const bool offered = n <= inputs;
            selector.setVisible(offered);
            selector.setEnabled(offered);
            selector.setChecked(offered && (s.inputs[source][c] & (1 << (n - 1))) != 0);
        }
    }
}

void LayoutRules::SetInputIn(int n, int c)
{
    LogWrite("SetInputIn in %d out %d\n", n - 1, c);
    SenceConfig& s = m.live();
    const int source = s.source;
    if (n < 1 || n > kInputsPerSource || c < 0 || c >= kOutputCount || source < 0 || source >= kSourceCount)
        return;
    const int input = n - 1;
    const bool on = m.ctl("option_ch_in%d_%d", n, c).checked();

    int& mask = s.inputs[source][c];
    mask = on ? (mask | (1 << input)) : (mask & ~(1 << input));
    LogWrite("outCh %d input = 0x%x\n", c, static_cast<unsigned>(mask));
    const int masks[] = {mask};
    m.link().Mix_Ch_Ctrl(scene(), source, c, c, masks, false);

    int& level = s.inputMixVolume[source][input][c];
    if (on && level == 0) {
        level = kRoutedInputLevel;
        const int levels[] = {level};
        m.link().Input_Mix_Trim_Ctrl(scene(), source, input, c, c, levels, false);
    }
}

} // namespace dravo
