#pragma once
// The rules that shape the amplifier's output layout: which speaker role each
// output plays, left/right link and lock, bridged pairs, synchronise and
// delay-link groups, equaliser bypass and reset, the output reset, the
// selected output, the speaker markers, the curve switches, the input source
// and the routing of inputs to outputs.
#include "MessageSink.h"

#include <functional>

namespace dravo {

class EqualizerManager;

class LayoutRules {
public:
    explicit LayoutRules(EqualizerManager& manager) : m(manager) {}

    // --- Roles -----------------------------------------------------------
    // Gives output c the role: label, default crossover, markers, curves and
    // the role, filter and level requests. The output's own role
    // (`outputs_bk`) follows. With `fromMenu`, the other output of a bridged
    // pair takes the same role too.
    void SetOutputValue(int c, int role, bool fromMenu);
    // What the output menu shows: the tick of a role some output carries, and
    // whether the role may be given to output c.
    bool RoleInUse(int role) const;
    bool CanAssignRole(int c, int role) const;

    // --- Link and lock (`btn_link_output`, `btn_lock_output`) -------------
    void SetOutputLink();
    void SetOutpuLock();
    // Recomputes `linkOutputs` from the roles (link on) or clears it.
    void ComputeLinkOutputs();
    // Link and lock buttons, role buttons and delay-link buttons from the record.
    void ApplyLinkState();

    // --- Bridge (`ch_bridge_%d`, `bridge_checkbox_%d`) ----------------------
    // Pair p (outputs 2p and 2p + 1) bridged or not. From the user the copy
    // runs on a worker behind the loading box; otherwise only the flag, the
    // pair's controls and the bridge request change.
    void SetBridge(int p, bool on, bool fromUser);
    // Flag of pair p from the record onto its controls; the bridge request
    // with all six flags when `sendRequest`.
    void ApplyBridgeFlag(int p, bool sendRequest);

    // --- Synchronise and delay-link groups --------------------------------
    void SetSyncGroup(int c, int n);
    void SetDelayLinkGroup(int c, int n);
    // `btn_reset_link`: group 0 for every output.
    void ResetSyncGroups();
    // Group indicators of output c and the enabling of `btn_link_output`.
    void ApplySyncGroup(int c);

    // --- Equaliser of the selected output ---------------------------------
    void SetOutputBypass();
    void SetOutputEqReset();
    // `btn_arg_eq`: asks, then switches between parametric and graphic view.
    void SetPeqMode();
    // Shows the view mode on the button, the display and the band boxes.
    void ShowPeqMode(bool parametric);

    // --- Output reset (`btn_reset_output`) --------------------------------
    void SetOutputReset();

    // --- Selection, markers, curves -----------------------------------------
    void SetCurChannelChange(int c);
    // Role labels of all outputs and the speaker marker of every role.
    void ShowRolesAndMarkers();
    // Marker r focused: highlighted, and every output with role r selected.
    void SetSpeakerFocus(int r);
    // Marker r clicked: its output selected and the focus in its delay edit.
    void OnSpeakerClicked(int r);
    // `ch_show_%d`.
    void SetCurveShown(int c, bool on);

    // --- Input source and routing -------------------------------------------
    void SetInputSource(int s);
    // Input n (1..8) into output c, from the state of `option_ch_in%d_%d`.
    void SetInputIn(int n, int c);
    // The input selectors of every output for the current source.
    void ShowInputSelectors();

    // Timers of the main window that belong to these rules; false when not ours.
    bool OnTimer(int id);

private:
    // Who assigns a role: the output menu (a bridged partner follows), another
    // rule (the output's own role follows), or the bridge (the own role stays).
    enum class RoleOrigin { Menu, Rule, Bridge };
    void assignRole(int c, int role, RoleOrigin origin);
    void copyBridgedPair(int p);
    void unbridgePair(int p);
    void resetOutputs(int answer);
    void runBehindLoading(const char* name, const char* startLine, int polls, std::function<void()> work);
    void switchLinkOff();
    void reapplySolo();
    void applyDelayLinkGroup(int c);
    void updateLinkButtonEnabling();
    void showMarkersOf(int c);
    void setMarkerVisible(int position, bool visible);
    void showBypassButton(int c);
    void showCurves();
    void sendFilters(int c);
    void sendBypass(int c);
    int scene() const;

    EqualizerManager& m;
};

} // namespace dravo
