#pragma once
// The manager fixture with one change to its window: a view refresh or a
// write that a worker runs on the user-interface thread comes after the
// messages posted before it, as on the real thread. Posted message ids are
// also kept with the time they were posted.
#include "ManagerFixture.h"
#include "ProfileOperations.h"

#include <deque>
#include <utility>

namespace dravo::test {

class OrderedUiHost final : public ManagerHost {
public:
    explicit OrderedUiHost(TestHost& inner) : mInner(inner) {}

    void post(Message message) override
    {
        posted.emplace_back(message.id, mInner.nowMs());
        mInner.post(std::move(message));
    }
    void startTimer(int id, int intervalMs) override { mInner.startTimer(id, intervalMs); }
    void killTimer(int id) override { mInner.killTimer(id); }
    std::int64_t nowMs() override { return mInner.nowMs(); }
    void startWorker(const std::string& name, std::function<void()> work) override
    {
        mInner.startWorker(name, std::move(work));
    }
    void runOnUiThread(std::function<void()> work) override
    {
        mInner.pump();
        work();
    }
    void sleepMs(int ms) override { mInner.sleepMs(ms); }
    int showMessage(const std::string& title, const std::string& text,
                    const std::vector<std::string>& captions) override
    {
        return mInner.showMessage(title, text, captions);
    }
    int askChoice(const std::string& title, const std::string& text, const std::string& option0,
                  const std::string& option1) override
    {
        return mInner.askChoice(title, text, option0, option1);
    }

    // Ids of the messages posted by the manager, with the clock at the time.
    std::vector<std::pair<std::uint32_t, std::int64_t>> posted;

private:
    TestHost& mInner;
};

// Hands out the paths a test chose; an empty path is a cancelled dialog.
class ScriptedDialog final : public ProfileFileDialog {
public:
    std::string openPath(ProfileKind kind) override { return next(kind); }
    std::string savePath(ProfileKind kind) override { return next(kind); }

    std::deque<std::string> paths;
    std::vector<ProfileKind> asked;

private:
    std::string next(ProfileKind kind)
    {
        asked.push_back(kind);
        if (paths.empty())
            return {};
        std::string p = paths.front();
        paths.pop_front();
        return p;
    }
};

class PresetsFixture : public ManagerFixture {
protected:
    PresetsFixture()
    {
        manager = std::make_unique<EqualizerManager>(*link, uiHost);
        host.attach(*manager);
        manager->Bind(page, uiHost);
    }

    // Posted ids of one kind, in order.
    std::vector<std::int64_t> postedAt(std::uint32_t id) const
    {
        std::vector<std::int64_t> at;
        for (const auto& [posted, when] : uiHost.posted)
            if (posted == id)
                at.push_back(when);
        return at;
    }

    OrderedUiHost uiHost{host};
    ScriptedDialog dialog;
};

} // namespace dravo::test
