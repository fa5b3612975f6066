#include "QtManagerHost.h"

#include "Log.h"
#include "MsgCheckBoxWnd.h"
#include "MsgWnd.h"

#include <QMetaObject>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <chrono>

namespace dravo {

// One piece of work a worker hands to the user-interface thread. Exactly one
// side decides its fate: the user-interface thread claims it to run it, or
// Shutdown() cancels it while it still waits.
struct QtManagerHost::UiCall {
    enum class State { Waiting, Running, Done, Cancelled };

    explicit UiCall(std::function<void()> w) : work(std::move(w)) {}

    std::function<void()> work;
    std::mutex mutex;
    std::condition_variable changed;
    State state = State::Waiting;

    bool claim()
    {
        std::lock_guard lock(mutex);
        if (state != State::Waiting)
            return false;
        state = State::Running;
        return true;
    }
    void finish(State to)
    {
        {
            std::lock_guard lock(mutex);
            state = to;
        }
        changed.notify_all();
    }
    void cancelIfWaiting()
    {
        {
            std::lock_guard lock(mutex);
            if (state != State::Waiting)
                return;
            state = State::Cancelled;
        }
        changed.notify_all();
    }
    void waitForEnd()
    {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return state == State::Done || state == State::Cancelled; });
    }
};

namespace {

QString fromUtf8(const std::string& text)
{
    return QString::fromStdString(text);
}

} // namespace

QtManagerHost::QtManagerHost(QWidget* window, MessageHandler onMessage, TimerHandler onTimer)
    : mWindow(window),
      mOnMessage(std::move(onMessage)),
      mOnTimer(std::move(onTimer)),
      mUiThread(std::this_thread::get_id())
{
    mClock.start();
}

QtManagerHost::~QtManagerHost()
{
    Shutdown();
}

bool QtManagerHost::onUiThread() const
{
    return std::this_thread::get_id() == mUiThread;
}

void QtManagerHost::post(Message message)
{
    if (mClosing.load())
        return;
    // A queued call copies its functor, and a Message owns its record, so the
    // message rides in a shared holder; the receiver still gets the one and
    // only owner of the record.
    auto holder = std::make_shared<Message>(std::move(message));
    QMetaObject::invokeMethod(
        this,
        [this, holder] {
            if (!mClosing.load() && mOnMessage)
                mOnMessage(*holder);
        },
        Qt::QueuedConnection);
}

void QtManagerHost::startTimer(int id, int intervalMs)
{
    if (!onUiThread()) {
        QMetaObject::invokeMethod(this, [this, id, intervalMs] { startTimer(id, intervalMs); }, Qt::QueuedConnection);
        return;
    }
    QTimer*& timer = mTimers[id];
    if (!timer) {
        timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, id] {
            if (!mClosing.load() && mOnTimer)
                mOnTimer(id);
        });
    }
    timer->start(intervalMs);
}

void QtManagerHost::killTimer(int id)
{
    if (!onUiThread()) {
        QMetaObject::invokeMethod(this, [this, id] { killTimer(id); }, Qt::QueuedConnection);
        return;
    }
    const auto found = mTimers.find(id);
    if (found != mTimers.end())
        found->second->stop();
}

bool QtManagerHost::TimerActive(int id) const
{
    const auto found = mTimers.find(id);
    return found != mTimers.end() && found->second->isActive();
}

std::int64_t QtManagerHost::nowMs()
{
    return mClock.elapsed();
}

void QtManagerHost::startWorker(const std::string& name, std::function<void()> work)
{
    std::lock_guard lock(mMutex);
    if (mClosing.load()) {
        LogWrite("%s not started: the window is closing\n", name.c_str());
        return;
    }
    reapFinishedWorkers();
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([work = std::move(work), done, name] {
        try {
            work();
        } catch (const std::exception& e) {
            LogWrite("%s ended by an exception: %s\n", name.c_str(), e.what());
        } catch (...) {
            LogWrite("%s ended by an exception\n", name.c_str());
        }
        done->store(true);
    });
    mWorkers.push_back({std::move(thread), std::move(done)});
}

// Called with mMutex held.
void QtManagerHost::reapFinishedWorkers()
{
    for (auto it = mWorkers.begin(); it != mWorkers.end();) {
        if (it->done->load()) {
            it->thread.join();
            it = mWorkers.erase(it);
        } else {
            ++it;
        }
    }
}

int QtManagerHost::RunningWorkers() const
{
    std::lock_guard lock(mMutex);
    int running = 0;
    for (const Worker& w : mWorkers)
        running += w.done->load() ? 0 : 1;
    return running;
}

void QtManagerHost::runOnUiThread(std::function<void()> work)
{
    if (onUiThread()) {
        work();
        return;
    }
    auto call = std::make_shared<UiCall>(std::move(work));
    {
        std::lock_guard lock(mMutex);
        if (mClosing.load())
            return;
        mPendingCalls.remove_if([](const std::weak_ptr<UiCall>& c) { return c.expired(); });
        mPendingCalls.push_back(call);
    }
    QMetaObject::invokeMethod(
        this,
        [call] {
            if (!call->claim())
                return;
            call->work();
            call->finish(UiCall::State::Done);
        },
        Qt::QueuedConnection);
    call->waitForEnd();
}

void QtManagerHost::sleepMs(int ms)
{
    std::unique_lock lock(mMutex);
    mWake.wait_for(lock, std::chrono::milliseconds(ms), [this] { return mClosing.load(); });
}

int QtManagerHost::showMessage(const std::string& title, const std::string& text,
                               const std::vector<std::string>& captions)
{
    auto result = std::make_shared<int>(0);
    runOnUiThread([this, result, title, text, captions] {
        QStringList texts;
        for (const std::string& caption : captions)
            texts << fromUtf8(caption);
        *result = ShowMsgBox(mWindow, fromUtf8(title), fromUtf8(text), texts, static_cast<int>(texts.size()));
    });
    return *result;
}

int QtManagerHost::askChoice(const std::string& title, const std::string& text, const std::string& option0,
                             const std::string& option1)
{
    auto result = std::make_shared<int>(0);
    runOnUiThread([this, result, title, text, option0, option1] {
        CMsgCheckBoxWnd box(mWindow, fromUtf8(title), fromUtf8(text), fromUtf8(option0), fromUtf8(option1));
        *result = box.DoModal();
    });
    return *result;
}

void QtManagerHost::Shutdown()
{
    std::list<Worker> workers;
    {
        std::lock_guard lock(mMutex);
        if (mClosing.exchange(true))
            return;
        for (const std::weak_ptr<UiCall>& weak : mPendingCalls)
            if (const auto call = weak.lock())
                call->cancelIfWaiting();
        mPendingCalls.clear();
        workers.swap(mWorkers);
    }
    mWake.notify_all();
    for (auto& [id, timer] : mTimers)
        timer->stop();
    for (Worker& w : workers)
        w.thread.join();
}

} // namespace dravo
