#pragma once
// The main window's side of the tuning logic's host seam: posted messages
// become queued calls onto the user-interface thread, timers are QTimers by
// id, workers are threads of their own, and questions are the skin's modal
// boxes.
//
// Shutting down: once Shutdown() has begun, nothing a worker asks of the
// window runs any more (posts are dropped, calls onto the user-interface
// thread and the boxes they would show return at once, pauses end early), so
// every worker can be waited for before the tuning logic goes away.
#include "ManagerHost.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <mutex>
#include <thread>

class QTimer;
class QWidget;

namespace dravo {

class QtManagerHost final : public QObject, public ManagerHost {
    Q_OBJECT
public:
    using MessageHandler = std::function<void(Message&)>;
    using TimerHandler = std::function<void(int id)>;

    // `window` owns the boxes; the handlers run on the thread that creates
    // the host, which is the user-interface thread.
    QtManagerHost(QWidget* window, MessageHandler onMessage, TimerHandler onTimer);
    ~QtManagerHost() override;

    QtManagerHost(const QtManagerHost&) = delete;
    QtManagerHost& operator=(const QtManagerHost&) = delete;

    // --- ManagerHost ---
    void post(Message message) override;
    void startTimer(int id, int intervalMs) override;
    void killTimer(int id) override;
    std::int64_t nowMs() override;
    void startWorker(const std::string& name, std::function<void()> work) override;
    void runOnUiThread(std::function<void()> work) override;
    void sleepMs(int ms) override;
    int showMessage(const std::string& title, const std::string& text,
                    const std::vector<std::string>& captions) override;
    int askChoice(const std::string& title, const std::string& text, const std::string& option0,
                  const std::string& option1) override;

    // Stops serving workers and waits for every one of them. Idempotent;
    // call it on the user-interface thread before the tuning logic is
    // destroyed, with the device already closed so reads end promptly.
    void Shutdown();
    bool ShuttingDown() const { return mClosing.load(); }

    bool TimerActive(int id) const;
    int RunningWorkers() const;

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };
    struct UiCall;

    bool onUiThread() const;
    void reapFinishedWorkers();

    QPointer<QWidget> mWindow;
    MessageHandler mOnMessage;
    TimerHandler mOnTimer;
    QElapsedTimer mClock;
    std::map<int, QTimer*> mTimers;
    const std::thread::id mUiThread;

    std::atomic<bool> mClosing{false};
    mutable std::mutex mMutex;           // guards mWorkers, mPendingCalls; with mWake for pauses
    std::condition_variable mWake;
    std::list<Worker> mWorkers;
    std::list<std::weak_ptr<UiCall>> mPendingCalls;
};

} // namespace dravo
