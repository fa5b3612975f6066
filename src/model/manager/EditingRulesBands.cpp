// Equaliser bands of the selected output: boxes, sliders, arrows, the band
// type and enable, and drags on the curve display.
#include "EditingRules.h"

#include "DeviceLink.h"
#include "EditingRulesValues.h"
#include "EqualizerManager.h"
#include "Log.h"
#include "ValueIntake.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace dravo {

using namespace editing;

namespace {

constexpr float kMinBandGainDb = kBandGainMinTenths / 10.0f;
constexpr float kMaxBandGainDb = kBandGainMaxTenths / 10.0f;
// Differences below these are the same value (float boxes and drags). The Q
// margin sits a little inside 0.001: Q values one thousandth apart, stored as
// floats, can come out a hair closer than that and must still differ.
constexpr double kSameQ = 0.00099;
constexpr float kSameGain = 0.01f;

int clampFreq(int hz) { return std::clamp(hz, kMinFrequencyHz, kMaxFrequencyHz); }
float clampQ(float q) { return std::clamp(q, kMinBandQ, kMaxBandQ); }
float clampGain(float db) { return std::clamp(db, kMinBandGainDb, kMaxBandGainDb); }

ChannelConfig& channel(EqualizerManager& m, int c) { return m.live().channels[static_cast<std::size_t>(c)]; }

bool bandEditable(const SenceConfig& s, int c, int b)
{
    return c >= 0 && c < kOutputCount && b >= 0 && b < kBandsPerOutput && b < s.eqSizeOf(c);
}

EqBand& bandOf(EqualizerManager& m, int c, int b)
{
    return (*m.live().bandsOf(c))[static_cast<std::size_t>(b)];
}

// The gain the page shows: flat while the output is bypassed or the band off.
float shownGain(const ChannelConfig& ch, const EqBand& band)
{
    return (ch.bypass == 1 || band.enable == 0) ? 0.0f : band.eqGain;
}

int tenthsOf(float db) { return static_cast<int>(std::lround(db * 10.0f)); }

std::string formatted(const char* format, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

std::string qText(float q)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.*f", 3, static_cast<double>(q));
    return text;
}

} // namespace

// --- View and requests --------------------------------------------------------

void EditingRules::showBand(int c, int b)
{
    const ChannelConfig& ch = channel(m, c);
    const EqBand& band = bandOf(m, c, b);
    const float gain = shownGain(ch, band);
    char freq[16];
    std::snprintf(freq, sizeof freq, "%d", band.freq);
    m.ctl("eq_freq_%d", b).setText(freq);
    m.ctl("eq_q_%d", b).setText(qText(band.eqFactor));
    m.ctl("eq_gain_%d", b).setText(formatted("%.1f", gain));
    m.ctl("eq_slider_%d", b).setValue(tenthsOf(gain));
    m.ctl("pt_enable_%d", b).setChecked(gain != 0.0f);
    // Bands of another type than peaking have no gain to edit.
    m.ctl("eq_gain_%d", b).setVisible(band.type == 0);
    m.ctl("eq_slider_%d", b).setVisible(band.type == 0);
}

void EditingRules::ShowBands()
{
    const int c = m.live().currOutChannel;
    if (c < 0 || c >= kOutputCount)
        return;
    const int size = m.live().eqSizeOf(c);
    for (int b = 0; b < kBandsPerOutput; ++b) {
        m.ctl("eq_container_%d", b).setVisible(b < size);
        if (b < size)
            showBand(c, b);
    }
}

void EditingRules::showBypassButton(int c)
{
    if (c == m.live().currOutChannel)
        m.ctl("btn_bypass").setText(channel(m, c).bypass == 1 ? "${restore_eq}" : "${bypass_eq}");
}

// A band point is on screen while its gain counts: the output not bypassed,
// the band on and with a gain.
bool EditingRules::anyBandPointShown(int c)
{
    const ChannelConfig& ch = channel(m, c);
    const int size = m.live().eqSizeOf(c);
    for (int b = 0; b < size; ++b)
        if (shownGain(ch, bandOf(m, c, b)) != 0.0f)
            return true;
    return false;
}

void EditingRules::SendBand(int c, int b)
{
    const BandRow* row = m.live().bandsOf(c);
    if (!row || b < 0 || b >= kBandsPerOutput)
        return;
    const EqBand& band = (*row)[static_cast<std::size_t>(b)];
    // The device is told only what it can take; a band switched off plays flat.
    const float gain = band.enable == 0 ? 0.0f : clampGain(band.eqGain);
    m.link().EQ_Ctrl(m.live().sceneId, 0, c, b, clampFreq(band.freq), clampQ(band.eqFactor), gain, band.type, false);
}

// Band b of the selected output and of its followers, as an edit leaves them.
void EditingRules::sendBandWithFollowers(int c, int b)
{
    for (int member : m.syncMembers(c, true, true))
        if (b < m.live().eqSizeOf(member))
            SendBand(member, b);
    const int partner = m.partnerOf(c);
    if (partner >= 0 && partner != c && b < m.live().eqSizeOf(partner))
        SendBand(partner, b);
    SendBand(c, b);
}

// --- The edit -----------------------------------------------------------------

// A bypassed output shows a flat curve; editing one of its bands makes that
// flat curve the real one before the edit lands.
void EditingRules::makeBypassedFlatReal(int c)
{
    std::vector<int> outputs{c};
    for (int member : m.syncMembers(c, true, true))
        if (channel(m, member).bypass == 1)
            outputs.push_back(member);
    const int partner = m.partnerOf(c);
    if (partner >= 0 && partner != c && channel(m, partner).bypass == 1)
        outputs.push_back(partner);
    for (int o : outputs) {
        const int size = m.live().eqSizeOf(o);
        for (int i = 0; i < size; ++i) {
            EqBand& band = bandOf(m, o, i);
            if (band.eqGain != 0.0f) {
                band.eqGain = 0.0f;
                band.enable = 1;
                SendBand(o, i);
            }
        }
    }
}

void EditingRules::applyAutomaticBypass(int c, float newGain)
{
    bool flat = newGain == 0.0f;
    const int size = m.live().eqSizeOf(c);
    for (int i = 0; flat && i < size; ++i)
        flat = bandOf(m, c, i).eqGain == 0.0f;
    const std::uint8_t flag = flat ? 1 : 0;
    const bool changed = channel(m, c).bypass != flag;
    channel(m, c).bypass = flag;
    showBypassButton(c);
    if (!changed)
        return;

    const std::uint8_t scene = m.live().sceneId;
    const int flags[] = {flag};
    m.link().PEQ_Bypass_Ctrl(scene, 0, c, c, flags, false);
    for (int member : m.syncMembers(c, false, true)) {
        if (channel(m, member).bypass == flag)
            continue;
        channel(m, member).bypass = flag;
        m.UpdateChannelCurve(member);
        m.link().PEQ_Bypass_Ctrl(scene, 0, member, member, flags, false);
    }
    const int partner = m.partnerOf(c);
    if (partner >= 0 && partner != c) {
        channel(m, partner).bypass = flag;
        m.link().PEQ_Bypass_Ctrl(scene, 0, partner, partner, flags, false);
    }
}

void EditingRules::applyBandEdit(int b, BandValues wanted, BandPath path, bool final)
{
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    EqBand& band = bandOf(m, c, b);
    wanted.freq = clampFreq(wanted.freq);
    wanted.q = clampQ(wanted.q);
    wanted.gain = band.type == 0 ? clampGain(wanted.gain) : 0.0f;

    // Compared with what the page shows: a bypassed output or a band switched
    // off shows flat, and leaving such a box or hovering such a point must not
    // turn that display into the stored values.
    const bool curve = path == BandPath::Curve;
    const float shownBefore = shownGain(channel(m, c), band);
    const bool unchanged = band.freq == wanted.freq &&
                           std::fabs(double(band.eqFactor) - double(wanted.q)) < kSameQ &&
                           std::fabs(shownBefore - wanted.gain) < kSameGain;
    if (unchanged) {
        showBand(c, b);
        // A drag released where its last, unsent move left it.
        if (curve && final && mCurveBandUnsent) {
            mCurveBandUnsent = false;
            mLastCurveSendMs = m.host().nowMs();
            sendBandWithFollowers(c, b);
        }
        return;
    }

    if (channel(m, c).bypass == 1)
        makeBypassedFlatReal(c);

    const int deltaFreq = wanted.freq - band.freq;
    const float deltaQ = wanted.q - band.eqFactor;
    const float deltaGain = wanted.gain - shownBefore;  // what the user saw move
    band.freq = wanted.freq;
    band.eqFactor = wanted.q;
    band.eqGain = wanted.gain;
    band.enable = 1;
    showBand(c, b);
    m.ctl("pt_enable_%d", b).setChecked(true);

    // Group members in the same half move by the same amounts, kept inside
    // the band ranges; the partner becomes an exact copy.
    for (int member : m.syncMembers(c, true, true)) {
        if (b >= m.live().eqSizeOf(member))
            continue;
        EqBand& other = bandOf(m, member, b);
        other.freq = clampFreq(other.freq + deltaFreq);
        other.eqFactor = clampQ(other.eqFactor + deltaQ);
        other.eqGain = other.type == 0 ? clampGain(other.eqGain + deltaGain) : 0.0f;
        other.enable = 1;
    }
    const int partner = m.partnerOf(c);
    if (partner >= 0 && partner != c && b < m.live().eqSizeOf(partner))
        bandOf(m, partner, b) = band;

    applyAutomaticBypass(c, band.eqGain);
    m.intake().UpdateEqualizer(b);

    bool send = true;
    if (curve) {
        const std::int64_t now = m.host().nowMs();
        send = final || now - mLastCurveSendMs >= kCurveDragThrottleMs;
        if (send)
            mLastCurveSendMs = now;
        mCurveBandUnsent = !send;
    }
    if (send)
        sendBandWithFollowers(c, b);
}

// --- Entry points ---------------------------------------------------------------

void EditingRules::SetChEqEdit(int b)
{
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    LogWrite("EqualizerManager::SetChEqEdit index %d\n", b);
    const EqBand& band = bandOf(m, c, b);
    BandValues wanted{band.freq, band.eqFactor, shownGain(channel(m, c), band)};

    const auto freq = ParseFrequencyText(m.ctl("eq_freq_%d", b).text());
    if (freq && *freq >= kMinFrequencyHz && *freq <= kMaxFrequencyHz)
        wanted.freq = *freq;  // anything else is refused and the box shows the band again

    if (const auto q = ParseNumber(m.ctl("eq_q_%d", b).text()))
        wanted.q = clampQ(static_cast<float>(*q));

    if (const auto gain = ParseNumber(m.ctl("eq_gain_%d", b).text())) {
        const double typed = std::clamp(*gain, -1e6, 1e6);
        Control& slider = m.ctl("eq_slider_%d", b);
        int tenths = std::clamp(static_cast<int>(std::lround(typed * 10.0)), kBandGainMinTenths, kBandGainMaxTenths);
        if (m.has(slider.name())) {
            slider.setValue(tenths);
            tenths = slider.value();  // the slider may hold a narrower range
        }
        wanted.gain = static_cast<float>(tenths) / 10.0f;
    }
    applyBandEdit(b, wanted, BandPath::Text, true);
    // Whatever was refused or clamped, the boxes now show the band as stored.
    showBand(c, b);
}

void EditingRules::SetEqSlider(int b)
{
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    const EqBand& band = bandOf(m, c, b);
    const float gain = static_cast<float>(m.ctl("eq_slider_%d", b).value()) / 10.0f;
    applyBandEdit(b, {band.freq, band.eqFactor, gain}, BandPath::Slider, true);
}

void EditingRules::SetEqFreqUp(int b, bool up)
{
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    LogWrite("EqualizerManager::SetEqFreqUp index %d up %d\n", b, up ? 1 : 0);
    const EqBand& band = bandOf(m, c, b);
    const int next = LogFrequencyStep(band.freq, up);
    if (next == band.freq)
        return;
    applyBandEdit(b, {next, band.eqFactor, shownGain(channel(m, c), band)}, BandPath::Slider, true);
}

void EditingRules::SetEqGainUp(int b, bool up)
{
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    LogWrite("EqualizerManager::SetEqGainUp index %d up %d\n", b, up ? 1 : 0);
    const EqBand& band = bandOf(m, c, b);
    const int tenths = std::clamp(tenthsOf(shownGain(channel(m, c), band)) + (up ? 1 : -1), kBandGainMinTenths,
                                  kBandGainMaxTenths);
    m.ctl("eq_slider_%d", b).setValue(tenths);
    applyBandEdit(b, {band.freq, band.eqFactor, static_cast<float>(tenths) / 10.0f}, BandPath::Slider, true);
}

void EditingRules::SetEqQUp(int b, bool up)
{
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    LogWrite("EqualizerManager::SetEqQUp index %d up %d\n", b, up ? 1 : 0);
    const EqBand& band = bandOf(m, c, b);
    // Already at the end it moves towards: nothing to do.
    const double toEnd = up ? double(kMaxBandQ) - double(band.eqFactor) : double(band.eqFactor) - double(kMinBandQ);
    if (toEnd < kSameQ)
        return;
    const float q = clampQ(band.eqFactor + (up ? kBandQStep : -kBandQStep));
    applyBandEdit(b, {band.freq, q, shownGain(channel(m, c), band)}, BandPath::Slider, true);
}

void EditingRules::SetEqType()
{
    LogWrite("on eq comb_eq_type valuechanged\n");
    const int c = m.live().currOutChannel;
    const int b = m.mEqIndex;
    if (!bandEditable(m.live(), c, b))
        return;
    Control& combo = m.ctl("comb_eq_type");
    const int type = combo.currentIndex();
    if (type < 0)
        return;
    LogWrite("eq type %s\n", combo.text().c_str());
    LogWrite("SetEqType band=%d\n", b);

    EqBand& band = bandOf(m, c, b);
    band.type = static_cast<std::uint8_t>(type);
    if (type != 0)
        band.eqGain = 0.0f;  // only peaking bands have a gain
    showBand(c, b);

    for (int member : m.syncMembers(c, true, true)) {
        if (b >= m.live().eqSizeOf(member))
            continue;
        EqBand& other = bandOf(m, member, b);
        other.type = band.type;
        if (type != 0)
            other.eqGain = 0.0f;
        SendBand(member, b);
    }
    const int partner = m.partnerOf(c);
    if (partner >= 0 && partner != c && b < m.live().eqSizeOf(partner)) {
        bandOf(m, partner, b) = band;
        SendBand(partner, b);
    }
    SendBand(c, b);
    m.intake().UpdateEqualizer(b);
}

void EditingRules::OnEqEnable(int b)
{
    LogWrite("OnEqEnable mEqIndex %d\n", b);
    const int c = m.live().currOutChannel;
    if (!bandEditable(m.live(), c, b))
        return;
    EqBand& band = bandOf(m, c, b);
    const bool disable = band.enable == 1 && tenthsOf(shownGain(channel(m, c), band)) != 0;
    band.enable = disable ? 0 : 1;
    // The stored gain stays: switching the band on again brings it back.
    const float shown = shownGain(channel(m, c), band);
    m.ctl("eq_slider_%d", b).setValue(tenthsOf(shown));
    m.ctl("eq_gain_%d", b).setText(formatted("%.1f", shown));
    m.ctl("pt_enable_%d", b).setChecked(shown != 0.0f);
    SendBand(c, b);

    std::vector<int> followers = m.syncMembers(c, true, true);
    const int partner = m.partnerOf(c);
    if (partner >= 0 && partner != c)
        followers.push_back(partner);
    for (int o : followers) {
        if (b >= m.live().eqSizeOf(o))
            continue;
        EqBand& other = bandOf(m, o, b);
        other.enable = band.enable;
        if (disable)
            other.eqGain = 0.0f;
        SendBand(o, b);
    }
    m.ctl("btn_bypass").setText(anyBandPointShown(c) ? "${bypass_eq}" : "${restore_eq}");
    m.intake().UpdateEqualizer(b);
}

void EditingRules::EqualizerCallback(int index, int cmd, bool final, const CurveDrag& drag)
{
    LogWrite("%s cmd %d index %d\n", "EqualizerCallback", cmd, index);
    if (cmd == 0) {
        const int c = m.live().currOutChannel;
        if (!bandEditable(m.live(), c, index))
            return;
        if (m.mEqIndex != index) {
            // Hovering a band selects it.
            m.mEqIndex = index;
            Control& type = m.ctl("comb_eq_type");
            type.setEnabled(true);
            type.setCurrentIndex(bandOf(m, c, index).type);
        }
        applyBandEdit(index, {drag.band.freq, drag.band.q, drag.band.gain}, BandPath::Curve, final);
        return;
    }
    if (cmd != 1 && cmd != 2)
        return;
    const FilterSide side = cmd == 1 ? FilterSide::HighPass : FilterSide::LowPass;
    const int hz = cmd == 1 ? drag.hpFreq : drag.lpFreq;
    const std::int64_t now = m.host().nowMs();
    const bool due = final || now - mLastCurveSendMs >= kCurveDragThrottleMs;
    if (setCrossoverFrequency(side, hz, due)) {
        mCurveFilterUnsent = !due;
        if (due)
            mLastCurveSendMs = now;
    } else if (final && mCurveFilterUnsent) {
        // Released where its last, unsent move left it.
        mCurveFilterUnsent = false;
        mLastCurveSendMs = now;
        const int c = m.live().currOutChannel;
        const Crossover& x = m.live().channels[static_cast<std::size_t>(c)].crossover;
        applyFilterSection(side, -1, -1, side == FilterSide::HighPass ? x.hp.fs : x.lp.fs, true);
    }
}

} // namespace dravo
