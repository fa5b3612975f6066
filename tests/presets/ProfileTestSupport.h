#pragma once
// Records and files for the profile tests: a record that differs from the
// factory defaults in every item a profile carries, a scratch folder, and
// editing a profile's JSON in place.
#include "SenceConfig.h"

#include <cJSON.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace dravo::test {

// Every item a profile stores moved away from its factory value; what a
// profile does not store (band types, compressors, groups …) stays at the
// factory value, so reading the file into a fresh record must give exactly
// this record.
inline SenceConfig tunedRecord(int seed = 0)
{
    SenceConfig r;
    r.source = 5;
    r.mainVolume = 33 - seed;
    r.acc = 4;
    r.subVolume = 7;
    r.mainVolumeMute = 1;
    for (int c = 0; c < kOutputCount; ++c) {
        ChannelConfig& ch = r.channels[static_cast<std::size_t>(c)];
        ch.gain = -3.5f - static_cast<float>(c) * 0.25f - static_cast<float>(seed);
        ch.mute = c % 2;
        ch.delay = 1.375f + static_cast<float>(c) / 3.0f;
        ch.solo = c == 4 ? 1 : 0;
        ch.phase = c % 3 == 0 ? 1 : 0;
        ch.bypass = c % 4 == 0 ? 0 : 1;
        ch.crossover.bpType = 3;
        ch.crossover.hp = {80 + c, 2, 4, 0};
        ch.crossover.lp = {5000 + c * 10, 3, 2, 0};
        ch.eqSize = c == 3 ? 5 : 31;
        BandRow& row = r.bands[static_cast<std::size_t>(c)];
        for (int b = 0; b < ch.eqSize; ++b) {
            EqBand& band = row[static_cast<std::size_t>(b)];
            band.freq = 25 + b * 600 + c;
            band.eqFactor = 0.404f + static_cast<float>(b) * 0.731f;
            band.eqGain = -6.5f + static_cast<float>(b + seed) * 0.3f;
            band.enable = b % 5 == 0 ? 0 : 1;
        }
    }
    for (int s = 0; s < kSourceCount; ++s) {
        for (int k = 0; k < kOutputCount; ++k)
            r.inputs[s][k] = (s * 7 + k) % 256;
        for (int n = 0; n < kInputsPerSource; ++n) {
            for (int k = 0; k < kOutputCount; ++k)
                r.inputMixVolume[s][n][k] = 1 + (s + n * 3 + k * 11 + seed) % 100;
            r.inMixPhase[s][n] = (s + n) % 2;
            r.csmViceSource[s][n] = (s + n) % 10;
            r.csmViceCh[s][n] = n;
            r.csmViceGain[s][n] = n - 4;
        }
    }
    r.outputs = {6, 12, 2, 8, 3, 9, 13, 16, 14, 17, 24, 0};
    r.outputs_bk = {6, 12, 2, 8, 3, 9, 13, 16, 14, 17, 22, 23};
    r.linkOutputs = {1, 0, 3, 2, 5, 4, 7, 6, 9, 8, -1, -1};
    r.bridgeOutputs = {0, 1, 0, 0, 0, 1};
    r.showOutChEqualizer = {1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1};
    r.currOutChannel = 7;
    r.linkMode = 1;
    r.lockMode = 1;
    return r;
}

inline std::string readText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// The text with one change made to its JSON.
inline std::string editJson(const std::string& text, const std::function<void(cJSON* root)>& change)
{
    cJSON* root = cJSON_Parse(text.c_str());
    EXPECT_NE(root, nullptr);
    change(root);
    char* printed = cJSON_PrintUnformatted(root);
    std::string out(printed);
    cJSON_free(printed);
    cJSON_Delete(root);
    return out;
}

// Follows a path of keys and array indexes ("channels", 3, "eqArray").
struct JsonStep {
    JsonStep(const char* key) : key(key) {}
    JsonStep(int index) : index(index) {}
    const char* key = nullptr;
    int index = -1;
};
inline cJSON* at(cJSON* item, std::initializer_list<JsonStep> path)
{
    for (const JsonStep& step : path)
        item = step.key ? cJSON_GetObjectItem(item, step.key) : cJSON_GetArrayItem(item, step.index);
    return item;
}

class ScratchFolder {
public:
    std::string dir() const { return mDir.path().toStdString(); }
    std::string path(const std::string& name) const { return QDir(mDir.path()).filePath(QString::fromStdString(name)).toStdString(); }

private:
    QTemporaryDir mDir;
};

} // namespace dravo::test
