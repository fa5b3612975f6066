#include "EqualizerManager.h"

#include "Connection.h"
#include "DeviceLink.h"
#include "EditingRules.h"
#include "LayoutRules.h"
#include "SenceCurve.h"
#include "ValueIntake.h"

#include <cstdio>

namespace dravo {
namespace {

// Stands in for a control the layout does not have: every call is ignored.
class NullControl final : public Control {
public:
    const std::string& name() const override { return mName; }
    std::string text() const override { return {}; }
    void setText(const std::string&) override {}
    int value() const override { return 0; }
    void setValue(int) override {}
    int minimum() const override { return 0; }
    int maximum() const override { return 0; }
    void setRange(int, int) override {}
    void setStep(int) override {}
    bool checked() const override { return false; }
    void setChecked(bool) override {}
    bool selected() const override { return false; }
    void setSelected(bool) override {}
    bool visible() const override { return false; }
    void setVisible(bool) override {}
    bool enabled() const override { return false; }
    void setEnabled(bool) override {}
    int userData() const override { return 0; }
    void setUserData(int) override {}
    int currentIndex() const override { return -1; }
    void setCurrentIndex(int) override {}
    int itemCount() const override { return 0; }
    bool itemVisible(int) const override { return false; }
    void setItemVisible(int, bool) override {}
    void setItemHeight(int) override {}
    void setItemImage(int, const std::string&) override {}
    std::uint32_t textColor() const override { return 0; }
    void setTextColor(std::uint32_t) override {}
    std::string image() const override { return {}; }
    void setImage(const std::string&) override {}
    void setFocus() override {}

private:
    std::string mName;
};

NullControl gNullControl;

} // namespace

EqualizerManager::EqualizerManager(DeviceLink& link, ManagerHost& host)
    : mLink(link),
      mHost(host),
      mEditing(std::make_unique<EditingRules>(*this)),
      mLayout(std::make_unique<LayoutRules>(*this)),
      mIntake(std::make_unique<ValueIntake>(*this)),
      mConnection(std::make_unique<Connection>(*this))
{
    for (int c = 0; c < 12; ++c)
        UpdateChannelCurve(c);
}

EqualizerManager::~EqualizerManager() = default;

void EqualizerManager::Bind(Page& page, MessageSink& window)
{
    mPage = &page;
    mLink.SetTarget(Target::Main, &window);
    mConnection->BindView();
}

bool EqualizerManager::HandleMessage(Message& message)
{
    return mIntake->HandleMessage(message) || mConnection->HandleMessage(message);
}

void EqualizerManager::OnTimer(int id)
{
    if (!mEditing->OnTimer(id))
        mLayout->OnTimer(id);
}

SenceConfig* EqualizerManager::sceneRecord(int sceneNumber)
{
    if (sceneNumber == 0)
        return &mSence;
    if (sceneNumber >= 1 && sceneNumber <= kSceneSlots)
        return &mScenes[static_cast<std::size_t>(sceneNumber - 1)];
    return nullptr;
}

Control& EqualizerManager::ctl(const std::string& name)
{
    Control* control = mPage ? mPage->find(name) : nullptr;
    return control ? *control : gNullControl;
}

Control& EqualizerManager::ctl(const char* format, int index)
{
    char name[96];
    std::snprintf(name, sizeof name, format, index);
    return ctl(std::string(name));
}

Control& EqualizerManager::ctl(const char* format, int first, int second)
{
    char name[96];
    std::snprintf(name, sizeof name, format, first, second);
    return ctl(std::string(name));
}

bool EqualizerManager::has(const std::string& name)
{
    return mPage && mPage->find(name) != nullptr;
}

std::string EqualizerManager::tr(const std::string& languageId)
{
    return mPage ? mPage->text(languageId) : languageId;
}

int EqualizerManager::partnerOf(int c) const
{
    if (c < 0 || c >= 12)
        return -1;
    const auto i = static_cast<std::size_t>(c);
    if (mSence.linkMode == 1 && mSence.linkOutputs[i] != -1)
        return mSence.linkOutputs[i];
    if (mSence.bridgeOutputs[i / 2] == 1)
        return c ^ 1;
    return -1;
}

std::vector<int> EqualizerManager::syncMembers(int c, bool sameHalfOnly, bool skipPartner) const
{
    std::vector<int> members;
    if (c < 0 || c >= 12)
        return members;
    const int group = mSence.syncGroup[static_cast<std::size_t>(c)];
    if (group <= 0)
        return members;
    const int partner = skipPartner ? partnerOf(c) : -1;
    for (int i = 0; i < 12; ++i) {
        if (i == c || i == partner || mSence.syncGroup[static_cast<std::size_t>(i)] != group)
            continue;
        if (sameHalfOnly && !sameHalf(c, i))
            continue;
        members.push_back(i);
    }
    return members;
}

std::vector<int> EqualizerManager::delayLinkMembers(int c) const
{
    std::vector<int> members;
    if (c < 0 || c >= 12)
        return members;
    const int group = mSence.delayLinkGroup[static_cast<std::size_t>(c)];
    if (group <= 0)
        return members;
    for (int i = 0; i < 12; ++i)
        if (i != c && mSence.delayLinkGroup[static_cast<std::size_t>(i)] == group)
            members.push_back(i);
    return members;
}

void EqualizerManager::UpdateChannelCurve(int c, bool eqBypassed)
{
    if (c < 0 || c >= 12)
        return;
    computeChannelCurve(mSence, c, eqBypassed, mCurves[static_cast<std::size_t>(c)]);
}

} // namespace dravo
