#pragma once
// Everything the tuning logic needs of the window that hosts it, as one
// seam: the message sink onto the user-interface thread, the window's
// timers, a clock, worker threads, and questions to the user. The Qt main
// window implements it; tests implement it with a controllable clock and
// scripted answers.
#include "MessageSink.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace dravo {

// Timer ids of the main window.
inline constexpr int GET_MAIN_VOLUME_TIMER = 0x1012;
inline constexpr int CACHE_CH_VOLUME_TIMER = 0x1E13;
inline constexpr int CACHE_MAIN_VOLUME_TIMER = 0x1E14;
inline constexpr int STATUS_ATUO_SAVE_TIMER = 0x3001;

class ManagerHost : public MessageSink {
public:
    // post(): from any thread; the message is handled on the user-interface
    // thread, in order (MessageSink).

    // Starts (or restarts) the window's timer `id`; its expiry reaches the
    // manager as EqualizerManager::OnTimer(id) on the user-interface thread.
    virtual void startTimer(int id, int intervalMs) = 0;
    virtual void killTimer(int id) = 0;

    // Monotonic milliseconds, for the request throttles.
    virtual std::int64_t nowMs() = 0;

    // Runs `work` on a worker thread of its own (detached; it reports back by
    // posting). Tests may run it at once on the calling thread.
    virtual void startWorker(const std::string& name, std::function<void()> work) = 0;

    // Runs `work` on the user-interface thread and waits for it; runs it at
    // once when already there. Workers use it for view refreshes.
    virtual void runOnUiThread(std::function<void()> work) = 0;

    // A worker's pause (waiting for the queue to drain, the 1000 ms settle).
    virtual void sleepMs(int ms) = 0;

    // The plain message box: returns 1 for the first caption, 0 for the second
    // or the close box, 2 for the third. Texts are language ids or text.
    virtual int showMessage(const std::string& title, const std::string& text,
                            const std::vector<std::string>& captions) = 0;

    // The two-choice box: 1 or 2 for the chosen option, 0 when cancelled.
    virtual int askChoice(const std::string& title, const std::string& text, const std::string& option0,
                          const std::string& option1) = 0;
};

} // namespace dravo
