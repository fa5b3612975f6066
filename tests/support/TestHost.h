#pragma once
// A window stand-in for driving EqualizerManager in tests: a clock that
// moves only when told, timers that fire only when told, posted messages
// kept in order until pumped into the manager, workers run at once on the
// calling thread (as if the user-interface thread ran them), and scripted
// answers to the questions the rules ask.
#include "EqualizerManager.h"
#include "ManagerHost.h"

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

namespace dravo::test {

class TestHost final : public ManagerHost {
public:
    struct Question {
        std::string title;
        std::string text;
        std::vector<std::string> captions; // for askChoice: the two options
    };

    // The manager that pumped messages and fired timers go to.
    void attach(EqualizerManager& manager) { mManager = &manager; }

    // --- MessageSink ---
    void post(Message message) override
    {
        std::lock_guard lock(mMutex);
        mPosted.push_back(std::move(message));
    }

    // Hands every queued message to the manager (messages posted meanwhile
    // are handled too). Those the manager does not take are kept in
    // `unhandled` (loading box, message boxes of the window …).
    void pump()
    {
        for (;;) {
            Message message;
            {
                std::lock_guard lock(mMutex);
                if (mPosted.empty())
                    return;
                message = std::move(mPosted.front());
                mPosted.pop_front();
            }
            if (!mManager || !mManager->HandleMessage(message))
                unhandled.push_back(message.id);
        }
    }

    // --- Timers and clock ---
    void startTimer(int id, int intervalMs) override { timers[id] = mNow + intervalMs; }
    void killTimer(int id) override { timers.erase(id); }
    bool timerRunning(int id) const { return timers.count(id) != 0; }

    std::int64_t nowMs() override { return mNow; }

    // Moves the clock; due timers fire in order (a one-shot fire: the rules
    // restart a timer when they want another tick).
    void advance(std::int64_t ms)
    {
        const std::int64_t end = mNow + ms;
        for (;;) {
            int due = -1;
            std::int64_t when = end + 1;
            for (const auto& [id, at] : timers)
                if (at <= end && at < when) {
                    due = id;
                    when = at;
                }
            if (due < 0)
                break;
            mNow = when;
            timers.erase(due);
            if (mManager)
                mManager->OnTimer(due);
        }
        mNow = end;
    }

    // --- Workers ---
    void startWorker(const std::string& name, std::function<void()> work) override
    {
        workers.push_back(name);
        work();
    }
    // With `pumpBeforeUiWork`, messages posted before the call are handled
    // first, as on the real user-interface thread; without it they wait for
    // the test's own pump(), so a test can look at the state in between.
    void runOnUiThread(std::function<void()> work) override
    {
        if (pumpBeforeUiWork)
            pump();
        work();
    }
    bool pumpBeforeUiWork = false;
    // A worker's wait: the clock moves and, as the user-interface thread
    // would meanwhile, queued messages are handled.
    void sleepMs(int ms) override
    {
        advance(ms);
        pump();
    }

    // --- Questions ---
    int showMessage(const std::string& title, const std::string& text,
                    const std::vector<std::string>& captions) override
    {
        asked.push_back({title, text, captions});
        return nextAnswer(1);
    }
    int askChoice(const std::string& title, const std::string& text, const std::string& option0,
                  const std::string& option1) override
    {
        asked.push_back({title, text, {option0, option1}});
        return nextAnswer(0);
    }
    // Answers for the next questions, in order; when none is left a message
    // box is confirmed (1) and a choice is cancelled (0).
    void answer(std::initializer_list<int> values) { answers.insert(answers.end(), values); }

    std::vector<Question> asked;
    std::deque<int> answers;
    std::vector<std::uint32_t> unhandled;
    std::vector<std::string> workers;
    std::map<int, std::int64_t> timers;

private:
    int nextAnswer(int fallback)
    {
        if (answers.empty())
            return fallback;
        const int a = answers.front();
        answers.pop_front();
        return a;
    }

    std::mutex mMutex;
    std::deque<Message> mPosted;
    EqualizerManager* mManager = nullptr;
    std::int64_t mNow = 100000;
};

} // namespace dravo::test
