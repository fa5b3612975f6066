#pragma once
// The tuning logic behind the main page: it owns the live parameter set and
// the ten scene copies, keeps the page and the amplifier in step with them,
// and runs the connection. The rules live in four pieces (editing, layout,
// intake, connection) that share this object's state and helpers.
#include "ChannelCurve.h"
#include "Control.h"
#include "ManagerHost.h"
#include "MessageSink.h"
#include "Page.h"
#include "SenceConfig.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace dravo {

class DeviceLink;
class EditingRules;
class LayoutRules;
class ValueIntake;
class Connection;

inline constexpr int kSceneSlots = 10;

// Delay units of the unit combo.
enum class DelayUnit { Ms = 0, Cm = 1, Inch = 2 };

class EqualizerManager {
public:
    EqualizerManager(DeviceLink& link, ManagerHost& host);
    ~EqualizerManager();

    EqualizerManager(const EqualizerManager&) = delete;
    EqualizerManager& operator=(const EqualizerManager&) = delete;

    // Binds the page and makes `window` the receiver of the device replies.
    void Bind(Page& page, MessageSink& window);

    // The manager's rows of the main window's message table; false for the
    // messages the window handles itself.
    bool HandleMessage(Message& message);
    void OnTimer(int id);

    // --- State ---
    SenceConfig& live() { return mSence; }
    const SenceConfig& live() const { return mSence; }
    std::array<SenceConfig, kSceneSlots>& scenes() { return mScenes; }
    // Scene number 1..10 → its copy; 0 → the live record; else null.
    SenceConfig* sceneRecord(int sceneNumber);

    DeviceLink& link() { return mLink; }
    ManagerHost& host() { return mHost; }
    Page* page() { return mPage; }

    EditingRules& editing() { return *mEditing; }
    LayoutRules& layout() { return *mLayout; }
    ValueIntake& intake() { return *mIntake; }
    Connection& connection() { return *mConnection; }

    // --- Page helpers: a control missing from the layout is skipped ---
    Control& ctl(const std::string& name);
    Control& ctl(const char* format, int index);
    Control& ctl(const char* format, int first, int second);
    bool has(const std::string& name);
    std::string tr(const std::string& languageId);

    // --- Followers of an output ---
    // Link partner while linked, else the other output of a bridged pair, else -1.
    int partnerOf(int c) const;
    std::vector<int> syncMembers(int c, bool sameHalfOnly, bool skipPartner) const;
    std::vector<int> delayLinkMembers(int c) const;

    // --- Curves ---
    const ChannelCurve& curve(int c) const { return mCurves.at(static_cast<std::size_t>(c)); }
    void UpdateChannelCurve(int c, bool eqBypassed);
    void UpdateChannelCurve(int c) { UpdateChannelCurve(c, mSence.channels.at(static_cast<std::size_t>(c)).bypass == 1); }

    // --- Session options ---
    std::uint8_t mUsbUdpOrScp = 0;  // 0 = UDP, 1 = SCP
    bool mLinkMute = false;
    bool mLinkPhase = false;
    DelayUnit mDelayUnit = DelayUnit::Ms;
    int mEqIndex = -1;              // selected band, -1 = none

private:
    DeviceLink& mLink;
    ManagerHost& mHost;
    Page* mPage = nullptr;
    SenceConfig mSence;
    std::array<SenceConfig, kSceneSlots> mScenes;
    std::array<ChannelCurve, 12> mCurves{};
    std::unique_ptr<EditingRules> mEditing;
    std::unique_ptr<LayoutRules> mLayout;
    std::unique_ptr<ValueIntake> mIntake;
    std::unique_ptr<Connection> mConnection;
};

} // namespace dravo
