#include "MainWnd.h"

#include "Connection.h"
#include "CurveRegistration.h"
#include "DeviceLink.h"
#include "DisplayDpi.h"
#include "DisplayScale.h"
#include "EqualizerManager.h"
#include "FeatureSwitches.h"
#include "LanguageSwitch.h"
#include "Languages.h"
#include "LayoutRules.h"
#include "Log.h"
#include "MainPageDispatch.h"
#include "MessageIds.h"
#include "ModalWnd.h"
#include "MsgWnd.h"
#include "NotifyAdapter.h"
#include "ProductInfo.h"
#include "QtDeviceCombo.h"
#include "QtManagerHost.h"
#include "QtPage.h"
#include "Retranslate.h"
#include "SenceConfig.h"
#include "SingleInstance.h"
#include "SkinUiLoader.h"
#include "ValueIntake.h"
#include "menus/MenuCommand.h"
#include "menus/MenuItems.h"
#include "menus/PopupMenus.h"
#include "menus/ProfileDialogs.h"
#include "transport/HidTransport.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

namespace dravo {
namespace {

constexpr const char* kChannelContainer = "channel_settings";
constexpr const char* kChannelPageMixer = "xml/channel_settings_6in_mixer.xml";
constexpr const char* kChannelPagePlain = "xml/channel_settings_6in.xml";
constexpr const char* kTitleBar = "title_bar";
constexpr const char* kDeviceCombo = "btn_devices";
constexpr const char* kTitleLabel = "MessageTitle";
constexpr const char* kMessageBoxName = "msgwnd";

} // namespace

CMainWnd::CMainWnd(std::unique_ptr<HidBackend> backend, MainWndOptions options)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowMinimizeButtonHint | Qt::WindowSystemMenuHint),
      mOptions(std::move(options))
{
    setObjectName(QStringLiteral("MainWnd"));
    setAttribute(Qt::WA_QuitOnClose, false);
    mLink = std::make_unique<DeviceLink>(std::move(backend));
    mHost = std::make_unique<QtManagerHost>(
        this, [this](Message& message) { HandleMessage(message); },
        [this](int id) { mManager->OnTimer(id); });
    mManager = std::make_unique<EqualizerManager>(*mLink, *mHost);
    if (!mOptions.workingDirectory.empty())
        mManager->connection().SetWorkingDirectory(mOptions.workingDirectory);
    mMenus = std::make_unique<PopupMenus>(this, *mManager, [this](std::unique_ptr<MenuCommand> command) {
        Message message;
        message.id = WM_MENU_ITEM_CLICK;
        message.record = std::move(command);
        mHost->post(std::move(message));
    });
    mFiles = std::make_unique<QtProfileFileDialog>(this);
    mMenuItems = std::make_unique<MenuItems>(*mManager, *mMenus, *this, *mFiles, [this] {
        if (mPage)
            mPage->Retranslate();
    });
    InitWindow();
}

CMainWnd::~CMainWnd()
{
    mMenus->Close();
    // No more plug events, no more device, then no more workers: after this
    // nothing runs that could reach the tuning logic.
    mHotplug.reset();
    mLink->CloseHIDDevice(true);
    mHost->Shutdown();
    mLink->SetTarget(Target::Main, nullptr);
    mLoading.Hide();
    tearDownPage();
}

// --- Initialisation -----------------------------------------------------------

void CMainWnd::InitWindow()
{
    // The loader scales a layout as it builds it, so the scale and the
    // languages are settled before the page is built rather than after.
    mDpi = mOptions.dpi > 0 ? mOptions.dpi : ComputeDisplayDpi();
    SetCurrentDisplayScale(DisplayScale(mDpi));
    RegisterCurveControls();
    SetTextProvider([](const QString&) { return QString(); });
    StartLanguages(features::russian);
    if (!mOptions.language.isEmpty() && !SetLanguage(mOptions.language))
        LogWrite("language %s is not registered\n", mOptions.language.toUtf8().constData());

    buildPage();
    mManager->Bind(*mPage, *mHost);
    showTitle();
    setFixedSize(CurrentDisplayScale().scale(QSize(kMainWindowWidth, kMainWindowHeight)));

    claimSingleInstance();
    if (mSecondInstance)
        return;
    connectFirstDevice();
    watchDisplays();
}

void CMainWnd::buildPage()
{
    ApplySkinTheme(this);
    if (!layout()) {
        auto* box = new QVBoxLayout(this);
        box->setContentsMargins(0, 0, 0, 0);
        box->setSpacing(0);
    }
    mRoot = LoadLayout(QStringLiteral("XML_MAIN"), this);
    if (!mRoot)
        mRoot = new QWidget(this);
    layout()->addWidget(mRoot);
    QWidget* container = mRoot->findChild<QWidget*>(QLatin1String(kChannelContainer));
    LoadLayoutInto(container, QLatin1String(features::mixerLayout ? kChannelPageMixer : kChannelPagePlain));

    if (QWidget* advance = mRoot->findChild<QWidget*>(QStringLiteral("btn_advance")); advance && !features::mixerAvailable)
        advance->hide();
    mPage = std::make_unique<QtPage>(mRoot);
    mDeviceCombo = std::make_unique<QtDeviceCombo>(mRoot->findChild<QComboBox*>(QLatin1String(kDeviceCombo)));
    mManager->connection().SetDeviceCombo(mDeviceCombo.get());
    mDispatch = std::make_unique<MainPageDispatch>(*mManager, *mPage, *this);
    mNotify = new NotifyAdapter(mRoot, [this](const Notification& n) { Notify(n); });
}

// Widgets are dropped before the objects their notifications reach, so a
// focus change while they go cannot call into a half-destroyed window.
void CMainWnd::tearDownPage()
{
    delete mNotify;
    mNotify = nullptr;
    delete mRoot;
    mRoot = nullptr;
    mDispatch.reset();
    mManager->connection().SetDeviceCombo(nullptr);
    mDeviceCombo.reset();
    mPage.reset();
}

void CMainWnd::showTitle()
{
    QString title = QString::fromUtf8(kMainWindowTitle);
    if (mOptions.demo)
        title += QString::fromUtf8(kSimulatedTitleSuffix);
    setWindowTitle(title);
    auto* label = mRoot ? mRoot->findChild<QLabel*>(QLatin1String(kTitleLabel)) : nullptr;
    if (!label)
        return;
    label->ensurePolished(); // the skin's style sheet sets its font
    // The label may grow up to the next control of the title bar; a title
    // too long for that keeps the simulation in a shorter word.
    if (const QWidget* next = label->parentWidget()->findChild<QWidget*>(QLatin1String(kDeviceCombo));
        next && next->x() > label->x())
        label->resize(next->x() - label->x() - CurrentDisplayScale().scale(4), label->height());
    QString shown = title;
    if (mOptions.demo && label->fontMetrics().horizontalAdvance(shown) > label->width())
        shown = QString::fromUtf8(kMainWindowTitle) + QString::fromUtf8(kSimulatedLabelSuffix);
    SetUiText(label, label->fontMetrics().elidedText(shown, Qt::ElideRight, label->width()));
}

void CMainWnd::claimSingleInstance()
{
    mInstance = std::make_unique<SingleInstanceLock>(mOptions.lockDirectory);
    if (mInstance->Acquired())
        return;
    mSecondInstance = true;
    LogWrite("another copy of the program is running\n");
    // Shown once the window's loop runs, then the window closes; the
    // amplifier stays with the first copy.
    QTimer::singleShot(0, this, [this] {
        ShowMsgBox(this, QStringLiteral("${tips}"), QStringLiteral("${mutex_tips}"), {QStringLiteral("${confirm}")}, 1);
        close();
    });
}

void CMainWnd::connectFirstDevice()
{
    Connection& connection = mManager->connection();
    connection.UpdateDeviceList();
    connection.SelectFirstDevice();
    connection.ConnectDevice(false);

    mHotplug = mLink->WatchDevices([this](const HotplugEvent& event) {
        QMetaObject::invokeMethod(this, [this, event] { OnDeviceChange(event); }, Qt::QueuedConnection);
    });
    if (!mHotplug)
        LogWrite("RegisterDeviceNotification\n");
}

void CMainWnd::watchDisplays()
{
    const auto watch = [this](QScreen* screen) {
        connect(screen, &QScreen::geometryChanged, this, &CMainWnd::OnDisplayChange);
    };
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    connect(qApp, &QGuiApplication::screenAdded, this, [this, watch](QScreen* screen) {
        watch(screen);
        OnDisplayChange();
    });
    connect(qApp, &QGuiApplication::screenRemoved, this, &CMainWnd::OnDisplayChange);
}

bool CMainWnd::Settled() const
{
    return !mLoading.IsShown() && mManager->connection().State() != ConnectionState::Reading &&
           mHost->RunningWorkers() == 0;
}

// --- Close, display change, moving the frameless window -----------------------------

void CMainWnd::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (mClosed)
        return;
    mClosed = true;
    mManager->connection().DisconnectDevice();
    closeMessageBoxes();
    mMenus->Close();
    mLoading.Hide();
    if (mOptions.quit)
        mOptions.quit();
}

void CMainWnd::OnDisplayChange()
{
    if (mClosed)
        return;
    LogWrite("display changed, starting again\n");
    close();
    if (mOptions.restart)
        mOptions.restart();
}

void CMainWnd::mousePressEvent(QMouseEvent* event)
{
    // The layout draws the title bar; pressing on its bare parts moves the
    // window as a system title bar would.
    const QWidget* bar = mRoot ? mRoot->findChild<QWidget*>(QLatin1String(kTitleBar)) : nullptr;
    const bool onBar = bar && QRect(bar->mapTo(this, QPoint(0, 0)), bar->size()).contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton && onBar && windowHandle() && windowHandle()->startSystemMove()) {
        event->accept();
        return;
    }
    QWidget::mousePressEvent(event);
}

// A plain message box of this program, wherever it was opened from.
void CMainWnd::closeMessageBoxes()
{
    CloseModalWindowsNamed(QLatin1String(kMessageBoxName), 0);
}

// --- Notifications, menus ------------------------------------------------------

void CMainWnd::Notify(const Notification& n)
{
    if (mDispatch && mDispatch->Notify(n))
        return;
    // What the toolkit's own window handling does for the standard buttons.
    if (n.is(notify::kClick) && n.name == QLatin1String("closebtn"))
        close();
}

void CMainWnd::OnMenuItem(const MenuCommand& command)
{
    mMenuItems->OnMenuItem(command);
}

void CMainWnd::ShowAdvanceMenu(QWidget* button)
{
    mMenus->ShowAdvanceMenu(button);
}

void CMainWnd::ShowOptionMenu(QWidget* button)
{
    mMenus->ShowOptionMenu(button);
}

void CMainWnd::ShowSceneMenu(QWidget* button)
{
    mMenus->ShowSceneMenu(button);
}

void CMainWnd::ShowOutputMenu(int channel, QWidget* button)
{
    mMenus->ShowOutputMenu(channel, button);
}

void CMainWnd::ShowLinkGroupMenu(int channel, QWidget* button)
{
    mMenus->ShowLinkGroupMenu(channel, button);
}

void CMainWnd::ShowDelayLinkGroupMenu(int channel, QWidget* button)
{
    mMenus->ShowDelayLinkGroupMenu(channel, button);
}

void CMainWnd::Minimize()
{
    showMinimized();
}

// The debugging scale selector: the page is built again at the new scale and
// shows the live record as it stands.
void CMainWnd::ApplyDpi(int dpi)
{
    if (dpi <= 0 || dpi == mDpi)
        return;
    LogWrite("DPI %d\n", dpi);
    mDpi = dpi;
    mMenus->Close();
    tearDownPage();
    SetCurrentDisplayScale(DisplayScale(mDpi));
    // Binding a page starts its group indicators from nothing; the record's
    // groups are the user's and stay.
    const SenceConfig kept = mManager->live();
    const bool connected = mManager->connection().State() == ConnectionState::Connected;
    buildPage();
    mManager->Bind(*mPage, *mHost);
    mManager->live() = kept;
    mManager->intake().SetReadProfileToView();
    Connection& connection = mManager->connection();
    connection.UpdateDeviceList();
    connection.UpdateSelectDeviceIndex();
    if (connected)
        connection.OnConnected();
    showTitle();
    setFixedSize(CurrentDisplayScale().scale(QSize(kMainWindowWidth, kMainWindowHeight)));
    mRoot->show();
}

void CMainWnd::OpenWindow(const QString& which)
{
    // The feature windows join here as they are built.
    LogWrite("window %s is not part of this build\n", which.toUtf8().constData());
}

void CMainWnd::ToggleAutoSave()
{
    LogWrite("auto-save is not part of this build\n");
}

void CMainWnd::LoadAutoSave(const QString& text)
{
    LogWrite("auto-save %s is not part of this build\n", text.toUtf8().constData());
}

// --- Plug events -------------------------------------------------------------

void CMainWnd::OnDeviceChange(const HotplugEvent& event)
{
    LogWrite(event.arrived ? "Message DBT_DEVICEARRIVAL\n" : "Message DBT_DEVICEREMOVECOMPLETE\n");
    if (event.vendorId != kAmplifierUsbId.vendorId || event.productId != kAmplifierUsbId.productId)
        return;
    closeMessageBoxes();
    if (event.arrived)
        mManager->connection().DevicePlugin(event.path);
    else
        mManager->connection().DevicePlugOut();
}

} // namespace dravo
