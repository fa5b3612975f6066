// dravo-cli save, load and curve: profile files to and from an amplifier,
// and the response curve a profile gives one output.
#include "CliCommands.h"

#include "Connection.h"
#include "DeviceLink.h"
#include "EqualizerManager.h"
#include "HeadlessHost.h"
#include "MemoryPage.h"
#include "ProductInfo.h"
#include "ProfileOperations.h"
#include "ProfileToDevice.h"
#include "SceneProfile.h"
#include "SenceCurve.h"
#include "ValueIntake.h"
#include "WholeProfile.h"

#include <cctype>
#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace dravo::cli {
namespace {

struct ProfileArgs {
    std::string file;
    std::string device;
    int output = 0;  // 1..12, for curve
};

enum class FileKind { Scene, Whole, Unknown };

FileKind kindOf(const std::string& file)
{
    const auto dot = file.rfind('.');
    std::string ext = dot == std::string::npos ? "" : file.substr(dot + 1);
    for (char& c : ext)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == "spf" ? FileKind::Scene : ext == "wpf" ? FileKind::Whole : FileKind::Unknown;
}

std::optional<ProfileArgs> parseArgs(const char* command, const std::vector<std::string>& args, bool wantsOutput)
{
    ProfileArgs parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--device" && i + 1 < args.size() && !wantsOutput) {
            parsed.device = args[++i];
        } else if (args[i] == "--output" && i + 1 < args.size() && wantsOutput) {
            try {
                parsed.output = std::stoi(args[++i]);
            } catch (const std::exception&) {
                parsed.output = 0;
            }
        } else if (parsed.file.empty() && !args[i].starts_with("--")) {
            parsed.file = args[i];
        } else {
            std::fprintf(stderr, "dravo-cli %s: unexpected argument '%s'\n", command, args[i].c_str());
            return std::nullopt;
        }
    }
    if (parsed.file.empty()) {
        std::fprintf(stderr, "dravo-cli %s: no profile file given\n", command);
        return std::nullopt;
    }
    if (kindOf(parsed.file) == FileKind::Unknown) {
        std::fprintf(stderr, "dravo-cli %s: %s: a profile file ends in .spf or .wpf\n", command,
                     parsed.file.c_str());
        return std::nullopt;
    }
    if (wantsOutput && (parsed.output < 1 || parsed.output > kOutputCount)) {
        std::fprintf(stderr, "dravo-cli %s: --output takes an output 1..%d\n", command, kOutputCount);
        return std::nullopt;
    }
    return parsed;
}

// The tuning logic on a page in memory, with a link to the amplifier.
struct Session {
    Session() : link(makeDefaultBackend()), manager(link, host)
    {
        page.addMainPageControls();
        host.attach(manager);
        manager.Bind(page, host);
    }
    ~Session()
    {
        link.CloseHIDDevice(link.IsConnected());
        link.SetTarget(Target::Main, nullptr);
    }

    DeviceLink link;
    HeadlessHost host;
    MemoryPage page;
    EqualizerManager manager;
};

int openFailure(const char* command, const OpenFailure& failure, const std::string& path)
{
    const char* what = path.empty() ? "the amplifier" : path.c_str();
    switch (failure.error) {
    case OpenError::NotFound:
        std::fprintf(stderr, "dravo-cli %s: no amplifier found%s%s\n", command, path.empty() ? "" : " at ",
                     path.c_str());
        return kNoDevice;
    default:
        std::fprintf(stderr, "dravo-cli %s: cannot open %s%s%s\n", command, what, failure.message.empty() ? "" : ": ",
                     failure.message.c_str());
        return kCannotOpen;
    }
}

// After a handshake: is this the amplifier a profile is for?
int checkAmplifier(const char* command, bool answered, LinkState& state)
{
    if (!answered) {
        std::fprintf(stderr, "dravo-cli %s: the device did not answer the handshake\n", command);
        return kNoAnswer;
    }
    if (state.mcuIsNormalMode.load() != 1) {
        std::fprintf(stderr, "dravo-cli %s: the amplifier is in its loader (firmware update mode)\n", command);
        return kWrongModel;
    }
    if (state.reportedModel.load() != kModelId) {
        std::fprintf(stderr, "dravo-cli %s: wrong model %d (this program tunes the %s, model %d)\n", command,
                     state.reportedModel.load(), kModelName, kModelId);
        return kWrongModel;
    }
    return kOk;
}

// Reads a profile file into the session's records.
ProfileResult readProfile(Session& s, const std::string& file)
{
    if (kindOf(file) == FileKind::Scene)
        return loadSceneProfile(file, s.manager.live());
    return loadWholeProfile(file, s.manager.live(), s.manager.scenes(), s.manager.intake().SceneNames());
}

} // namespace

int save(const std::vector<std::string>& args)
{
    const auto a = parseArgs("save", args, false);
    if (!a)
        return kUsage;
    Session s;
    s.link.OpenHIDDevice(a->device);
    if (!s.link.IsConnected())
        return openFailure("save", s.link.LastOpenError(), a->device);

    int read = -1;
    s.host.runOnWorker([&] { read = s.manager.connection().PC_UI_Status_Init(); });
    if (const int rc = checkAmplifier("save", read != -1, s.link.State()); rc != kOk)
        return rc;

    bool written = false;
    if (kindOf(a->file) == FileKind::Scene)
        written = saveSceneProfile(s.manager.live(), a->file).ok();
    else
        s.host.runOnWorker([&] { written = SaveWholeSceneFromDevice(s.manager, a->file); });
    if (!s.link.IsConnected()) {
        std::fprintf(stderr, "dravo-cli save: the amplifier went away while it was read\n");
        return kNoAnswer;
    }
    if (!written) {
        std::fprintf(stderr, "dravo-cli save: %s: cannot create the file\n", a->file.c_str());
        return kCannotWrite;
    }
    std::printf("saved %s\n", a->file.c_str());
    return kOk;
}

int load(const std::vector<std::string>& args)
{
    const auto a = parseArgs("load", args, false);
    if (!a)
        return kUsage;
    Session s;
    if (const ProfileResult result = readProfile(s, a->file); !result.ok()) {
        std::fprintf(stderr, "dravo-cli load: %s: %s\n", a->file.c_str(), describe(result).c_str());
        return kBadProfile;
    }
    s.link.OpenHIDDevice(a->device);
    if (!s.link.IsConnected())
        return openFailure("load", s.link.LastOpenError(), a->device);
    s.link.PC_Connect(1);
    if (const int rc = checkAmplifier("load", s.link.Hand_Connect(), s.link.State()); rc != kOk)
        return rc;

    s.host.runOnWorker([&] {
        if (kindOf(a->file) == FileKind::Scene)
            SetReadCurProfileToMCU(s.link, s.manager.live());
        else
            SetReadWholeProfileToMCU(s.manager);
    });
    if (!s.link.IsConnected()) {
        std::fprintf(stderr, "dravo-cli load: the amplifier went away while the profile was sent\n");
        return kNoAnswer;
    }
    std::printf("loaded %s\n", a->file.c_str());
    return kOk;
}

int curve(const std::vector<std::string>& args)
{
    const auto a = parseArgs("curve", args, true);
    if (!a)
        return kUsage;
    SenceConfig live;
    ProfileResult result;
    if (kindOf(a->file) == FileKind::Scene) {
        result = loadSceneProfile(a->file, live);
    } else {
        auto scenes = std::make_unique<SceneRecords>();
        SceneNameTable names;
        result = loadWholeProfile(a->file, live, *scenes, names);
    }
    if (!result.ok()) {
        std::fprintf(stderr, "dravo-cli curve: %s: %s\n", a->file.c_str(), describe(result).c_str());
        return kBadProfile;
    }

    const int c = a->output - 1;
    auto curve = std::make_unique<ChannelCurve>();
    computeChannelCurve(live, c, live.channels[static_cast<std::size_t>(c)].bypass == 1, *curve);
    // The curve's phase shares the dB scale: 12 units are 180 degrees.
    constexpr double kDegreesPerPhaseUnit = 180.0 / 12.0;
    std::printf("# CH%d of %s: frequency_hz gain_db phase_deg\n", a->output, a->file.c_str());
    for (int i = 0; i < kCurvePointCount; ++i)
        std::printf("%.3f\t%.4f\t%.2f\n", curve->frequency[static_cast<std::size_t>(i)],
                    curve->magnitude[static_cast<std::size_t>(i)],
                    curve->phase[static_cast<std::size_t>(i)] * kDegreesPerPhaseUnit);
    return kOk;
}

} // namespace dravo::cli
