#include "ProfileTestSupport.h"
#include "SceneProfile.h"
#include "WholeProfile.h"

#include <string>
#include <vector>

namespace dravo::test {
namespace {

// "[v,v,…]" with n entries, and nested: grid({9, 8}, "0") is 9 arrays of 8 zeros.
std::string row(int n, const std::string& v)
{
    std::string s = "[";
    for (int i = 0; i < n; ++i)
        s += (i ? "," : "") + v;
    return s + "]";
}
std::string grid(std::initializer_list<int> shape, const std::string& v)
{
    std::vector<int> dims(shape);
    std::string s = row(dims.back(), v);
    for (auto d = dims.rbegin() + 1; d != dims.rend(); ++d)
        s = row(*d, s);
    return s;
}

// Small enough to write out by hand: output 1 has two bands, the other
// outputs none and a flat crossover; the mixing tables are empty.
SenceConfig smallRecord()
{
    SenceConfig r;
    r.source = 5;
    r.mainVolume = 33;
    r.acc = 4;
    r.subVolume = 7;
    r.mainVolumeMute = 1;
    for (ChannelConfig& ch : r.channels) {
        ch.eqSize = 0;
        ch.crossover = Crossover{};
    }
    ChannelConfig& ch = r.channels[0];
    ch.eqSize = 2;
    ch.gain = -3.5f;
    ch.mute = 1;
    ch.delay = 1.5f;
    ch.phase = 1;
    ch.bypass = 0;
    ch.crossover = defaultCrossoverForRole(1);
    r.bands[0][1].eqFactor = 1.414f;
    r.bands[0][1].eqGain = -3.5f;
    r.bands[0][1].enable = 0;
    r.bands[0][1].type = 2;  // not stored
    for (auto& source : r.inputs)
        source.fill(0);
    for (auto& source : r.inputMixVolume)
        for (auto& input : source)
            input.fill(0);
    return r;
}

TEST(SceneProfileFormat, TheFileIsExactlyTheUnformattedJsonInKeyOrder)
{
    const std::string channel1 =
        R"({"eqSize":2,"gain":-3.5,"mute":1,"delay":1.5,"solo":0,"phase":1,"bypass":0,)"
        R"("crossover":{"bpType":1,"hp":{"fs":3500,"type":2,"slope":2,"bypass":0},)"
        R"("lp":{"fs":20000,"type":2,"slope":0,"bypass":1}},)"
        R"("eqArray":[{"freq":20,"eqFactor":5.8000001907348633,"eqGain":0,"enable":1},)"
        R"({"freq":25,"eqFactor":1.4140000343322754,"eqGain":-3.5,"enable":0}]})";
    const std::string flatChannel =
        R"({"eqSize":0,"gain":0,"mute":0,"delay":0,"solo":0,"phase":0,"bypass":1,)"
        R"("crossover":{"bpType":0,"hp":{"fs":20,"type":1,"slope":0,"bypass":1},)"
        R"("lp":{"fs":20000,"type":1,"slope":0,"bypass":1}},"eqArray":[]})";
    std::string channels = "[" + channel1;
    for (int c = 1; c < 12; ++c)
        channels += "," + flatChannel;
    channels += "]";

    const std::string expected =
        R"({"model":96,"model_name":"DRAVO-8.12","source":5,"mainVolume":33,"acc":4,"subVolume":7,)"
        R"("mainVolumeMute":1,"channels":)" + channels +
        R"(,"inputs":)" + grid({9, 12}, "0") + R"(,"inputMixVolume":)" + grid({9, 8, 12}, "0") +
        R"(,"csmViceSource":)" + grid({9, 8}, "9") + R"(,"csmViceCh":)" + grid({9, 8}, "0") +
        R"(,"csmViceGain":)" + grid({9, 8}, "0") +
        R"(,"outputs":[1,7,2,8,3,9,13,16,14,17,22,23],"outputs_bk":[1,7,2,8,3,9,13,16,14,17,22,23],)"
        R"("linkOutputs":[-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1,-1],"bridgeOutputs":[0,0,0,0,0,0],)"
        R"("showOutChEqualizer":[0,0,0,0,0,0,0,0,0,0,0,0],"currOutChannel":0,"linkMode":0,"lockMode":0,)"
        R"("inMixPhase":)" + grid({9, 8}, "0") + "}";

    ScratchFolder folder;
    const std::string path = folder.path("small.spf");
    ASSERT_TRUE(saveSceneProfile(smallRecord(), path).ok());
    EXPECT_EQ(readText(path), expected);
}

std::vector<std::string> keysOf(const cJSON* object)
{
    std::vector<std::string> keys;
    for (const cJSON* item = object ? object->child : nullptr; item; item = item->next)
        keys.push_back(item->string);
    return keys;
}

TEST(WholeProfileFormat, KeysInOrderAndNamesAsBase64OfTheWholeField)
{
    SceneRecords scenes;
    SceneNameTable names;
    names.setText(1, "Club");
    const std::string text = WholeProfileText(SenceConfig{}, scenes, names);
    cJSON* root = cJSON_Parse(text.c_str());
    ASSERT_NE(root, nullptr);

    using Keys = std::vector<std::string>;
    EXPECT_EQ(keysOf(root), (Keys{"model", "model_name", "source", "mainVolume", "acc", "subVolume", "mainVolumeMute",
                                  "sceneName", "csmViceSource", "csmViceCh", "csmViceGain", "currentProfile",
                                  "sceneArray"}));
    EXPECT_EQ(keysOf(at(root, {"currentProfile"})),
              (Keys{"channels", "inputs", "inputMixVolume", "inMixPhase", "outputs", "outputs_bk", "linkOutputs",
                    "bridgeOutputs", "showOutChEqualizer", "currOutChannel", "linkMode", "lockMode"}));
    EXPECT_EQ(keysOf(at(root, {"sceneArray", 9})),
              (Keys{"channels", "inputs", "inputMixVolume", "csmViceSource", "csmViceCh", "csmViceGain", "outputs",
                    "outputs_bk", "linkOutputs", "bridgeOutputs", "showOutChEqualizer", "currOutChannel", "linkMode",
                    "lockMode"}));
    // "Club" as UTF-16LE, zero-filled to 16 bytes.
    EXPECT_STREQ(at(root, {"sceneName", 1})->valuestring, "QwBsAHUAYgAAAAAAAAAAAA==");
    EXPECT_STREQ(at(root, {"sceneName", 0})->valuestring, "AAAAAAAAAAAAAAAAAAAAAA==");
    EXPECT_EQ(text.find_first_of(" \n\t"), std::string::npos);
    cJSON_Delete(root);
}

TEST(SceneProfileFormat, ReadingBackGivesTheSameRecord)
{
    ScratchFolder folder;
    const std::string path = folder.path("tuned.spf");
    const SenceConfig tuned = tunedRecord();
    ASSERT_TRUE(saveSceneProfile(tuned, path).ok());

    SenceConfig read;
    ASSERT_TRUE(loadSceneProfile(path, read).ok());
    EXPECT_EQ(read, tuned);
}

TEST(WholeProfileFormat, ReadingBackGivesTheLiveRecordScenesAndNames)
{
    ScratchFolder folder;
    const std::string path = folder.path("tuned.wpf");
    const SenceConfig live = tunedRecord();
    SceneRecords scenes;
    for (int k = 0; k < 10; ++k)
        scenes[k] = tunedRecord(k + 1);
    SceneNameTable names;
    names.setText(0, "Bass");
    names.setText(4, "Ünïcødé");
    SceneNameField odd{};  // bytes after the terminator travel as held
    odd = {0x41, 0, 0, 0, 0xFF, 0xFE, 0, 0, 0, 0, 0, 0, 0, 0, 0x7F, 0x80};
    names.setField(9, odd);
    ASSERT_TRUE(saveWholeProfile(live, scenes, names, path).ok());

    SenceConfig readLive;
    auto readScenes = std::make_unique<SceneRecords>();
    SceneNameTable readNames;
    ASSERT_TRUE(loadWholeProfile(path, readLive, *readScenes, readNames).ok());

    // What a whole profile does not carry keeps the reader's value.
    const SenceConfig fresh;
    SenceConfig expectedLive = live;
    expectedLive.bridgeOutputs = fresh.bridgeOutputs;
    EXPECT_EQ(readLive, expectedLive);
    for (int k = 0; k < 10; ++k) {
        SenceConfig expected = scenes[k];
        expected.source = fresh.source;
        expected.mainVolume = fresh.mainVolume;
        expected.acc = fresh.acc;
        expected.subVolume = fresh.subVolume;
        expected.mainVolumeMute = fresh.mainVolumeMute;
        expected.inMixPhase = fresh.inMixPhase;
        expected.bridgeOutputs = fresh.bridgeOutputs;
        EXPECT_EQ((*readScenes)[k], expected) << "scene " << k + 1;
    }
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ(readNames.field(k), names.field(k)) << "slot " << k;
    EXPECT_EQ(readNames.text(4), "Ünïcødé");
}

TEST(SceneProfileFormat, AFileWithoutTheCrossSourceTablesKeepsTheRecordsOwn)
{
    const SenceConfig tuned = tunedRecord();
    const std::string text = editJson(SceneProfileText(SenceConfig{}), [](cJSON* root) {
        cJSON_DeleteItemFromObject(root, "csmViceSource");
        cJSON_DeleteItemFromObject(root, "csmViceCh");
        cJSON_ReplaceItemInObject(root, "csmViceGain", cJSON_CreateString("wrong shape"));
    });
    SenceConfig read = tuned;
    ASSERT_TRUE(parseSceneProfile(text, read).ok());
    EXPECT_EQ(read.csmViceSource, tuned.csmViceSource);
    EXPECT_EQ(read.csmViceCh, tuned.csmViceCh);
    EXPECT_EQ(read.csmViceGain, tuned.csmViceGain);
    EXPECT_EQ(read.outputs, SenceConfig{}.outputs);
}

TEST(SceneProfileFormat, ByteFieldsKeepTheirLowByteAndEnableIsAFlag)
{
    const std::string text = editJson(SceneProfileText(SenceConfig{}), [](cJSON* root) {
        cJSON* ch = at(root, {"channels", 2});
        cJSON_ReplaceItemInObject(ch, "mute", cJSON_CreateNumber(257));
        cJSON_ReplaceItemInObject(ch, "bypass", cJSON_CreateNumber(256));
        cJSON_ReplaceItemInObject(at(ch, {"eqArray", 0}), "enable", cJSON_CreateNumber(7));
    });
    SenceConfig read;
    ASSERT_TRUE(parseSceneProfile(text, read).ok());
    EXPECT_EQ(read.channels[2].mute, 1);
    EXPECT_EQ(read.channels[2].bypass, 0);
    EXPECT_EQ(read.bands[2][0].enable, 1);
}

} // namespace
} // namespace dravo::test
