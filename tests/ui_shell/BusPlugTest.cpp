// The window on the virtual HID bus, as a session with an emulated amplifier
// runs it: amplifiers arriving and leaving are seen by the bus watcher, not
// told to the window by the test, and a device that is not an amplifier is
// left alone.
#include "BusBackend.h"
#include "BusServer.h"
#include "Connection.h"
#include "DeviceLink.h"
#include "EqualizerManager.h"
#include "MainWnd.h"
#include "MsgWnd.h"
#include "QtPage.h"
#include "ShellTestSupport.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <atomic>
#include <cstring>
#include <fstream>
#include <future>
#include <thread>

namespace dravo {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// One simulated amplifier served on the bus from a thread of its own.
class BusAmplifier {
public:
    BusAmplifier(const fs::path& dir, const std::string& id)
    {
        std::promise<void> ready;
        auto readyFuture = ready.get_future();
        sim::BusServerOptions options;
        options.strings = sim::defaultDeviceStrings(id);
        options.onReady = [&ready](const fs::path&) { ready.set_value(); };
        mThread = std::thread([this, dir, id, options] { sim::runBusServer(dir, id, options, mStop); });
        mReady = readyFuture.wait_for(5s) == std::future_status::ready;
    }
    ~BusAmplifier() { unplug(); }

    bool ready() const { return mReady; }
    void unplug()
    {
        mStop = true;
        if (mThread.joinable())
            mThread.join();
    }

private:
    std::atomic<bool> mStop{false};
    std::thread mThread;
    bool mReady = false;
};

// Some other USB HID device on the bus: its identity file and a socket that
// listens but never answers.
class ForeignDevice {
public:
    ForeignDevice(const fs::path& dir, const std::string& id) : mJson(dir / (id + ".json")), mSocket(dir / (id + ".sock"))
    {
        std::ofstream(mJson) << R"({"vendor_id":1133,"product_id":50475,"product":"USB Receiver"})";
        mFd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, mSocket.c_str(), sizeof address.sun_path - 1);
        mListening = mFd >= 0 && ::bind(mFd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
                     ::listen(mFd, 1) == 0;
    }
    ~ForeignDevice() { unplug(); }

    bool listening() const { return mListening; }
    void unplug()
    {
        if (mFd >= 0)
            ::close(mFd);
        mFd = -1;
        std::error_code ec;
        fs::remove(mSocket, ec);
        fs::remove(mJson, ec);
    }

private:
    fs::path mJson;
    fs::path mSocket;
    int mFd = -1;
    bool mListening = false;
};

class BusPlugTest : public ::testing::Test {
protected:
    BusPlugTest() { test::startToolkit(mDir); }
    ~BusPlugTest() override { window.reset(); }

    void openAndSettle()
    {
        MainWndOptions options;
        options.dpi = 96;
        options.lockDirectory = mDir.path();
        options.workingDirectory = mDir.path().toStdString();
        window = std::make_unique<CMainWnd>(std::make_unique<BusBackend>(busDir()), std::move(options));
        window->show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->Settled(); }, 20000));
    }

    fs::path busDir() const { return fs::path(mBus.path().toStdString()); }
    Connection& connection() { return window->Manager().connection(); }
    bool connectedAndSettled() { return connection().Connected() && window->Settled(); }
    std::string connectText() { return window->Page()->find("btnConnect")->text(); }
    int listedDevices() { return window->findChild<QComboBox*>("btn_devices")->count(); }

    QTemporaryDir mDir;
    QTemporaryDir mBus; // short enough for a socket path
    std::unique_ptr<CMainWnd> window;
};

TEST_F(BusPlugTest, AnAmplifierArrivingIsConnectedAndLeavingDisconnectsWithTheOpenBoxClosedFirst)
{
    openAndSettle();
    ASSERT_EQ(connection().State(), ConnectionState::Disconnected);

    BusAmplifier amplifier(busDir(), "amp1");
    ASSERT_TRUE(amplifier.ready());
    ASSERT_TRUE(QTest::qWaitFor([&] { return connectedAndSettled(); }, 20000));
    EXPECT_EQ(connectText(), "${btn_connected}");
    EXPECT_EQ(listedDevices(), 1);

    QStringList shown;
    int firstBoxResult = -1;
    test::BoxWatcher watcher([&](CModalWnd* box) {
        shown << test::boxText(box);
        if (shown.size() == 1)
            amplifier.unplug(); // pulled out while this box is open
        else
            box->Close(1);
    });
    QTimer::singleShot(0, window.get(), [&] {
        firstBoxResult = ShowMsgBox(window.get(), "${tips}", "${device_reboot}", {"${confirm}"}, 1);
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return shown.size() == 2 && !test::openMessageBox(); }, 10000));

    EXPECT_EQ(firstBoxResult, 0); // closed by the window, not answered
    EXPECT_TRUE(shown.back().contains("SIM-amp1")) << shown.back().toStdString();
    EXPECT_EQ(connection().State(), ConnectionState::Disconnected);
    EXPECT_FALSE(window->Link().IsConnected());
    EXPECT_EQ(connectText(), "${btn_disconnected}");
    EXPECT_EQ(listedDevices(), 0);
}

TEST_F(BusPlugTest, AnotherKindOfDeviceIsNeitherListedNorConnectedNorInTheWay)
{
    openAndSettle();
    ForeignDevice receiver(busDir(), "mouse");
    ASSERT_TRUE(receiver.listening());
    QTest::qWait(300);
    EXPECT_EQ(connection().State(), ConnectionState::Disconnected);
    EXPECT_EQ(listedDevices(), 0);
    EXPECT_EQ(test::openMessageBox(), nullptr);

    // An amplifier after it is connected, and the other device leaving
    // changes nothing for it.
    BusAmplifier amplifier(busDir(), "amp1");
    ASSERT_TRUE(amplifier.ready());
    ASSERT_TRUE(QTest::qWaitFor([&] { return connectedAndSettled(); }, 20000));
    EXPECT_EQ(listedDevices(), 1);
    receiver.unplug();
    QTest::qWait(300);
    EXPECT_TRUE(connection().Connected());
    EXPECT_EQ(listedDevices(), 1);
    EXPECT_EQ(test::openMessageBox(), nullptr);
}

} // namespace
} // namespace dravo
