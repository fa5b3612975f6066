// A profile that fails its checks is shown to the user and changes nothing;
// a profile that cannot be written leaves the old file as it was.
#include "ProfileTestSupport.h"
#include "SceneProfile.h"
#include "TestHost.h"
#include "WholeProfile.h"

#include <csignal>
#include <sys/resource.h>

namespace dravo::test {
namespace {

using Edit = std::function<void(cJSON* root)>;

void setNumber(cJSON* object, const char* key, double value)
{
    cJSON_ReplaceItemInObject(object, key, cJSON_CreateNumber(value));
}

void dropLast(cJSON* array)
{
    cJSON_DeleteItemFromArray(array, cJSON_GetArraySize(array) - 1);
}

struct FailureCase {
    const char* what;
    Edit edit;              // applied to a good profile, unless
    const char* text;       // this replaces it
    const char* message;    // what the user is shown
};

// A case with an edit of the good profile, or one with a text of its own.
FailureCase edited(const char* what, Edit edit, const char* message)
{
    return {what, std::move(edit), nullptr, message};
}
FailureCase replaced(const char* what, const char* text, const char* message)
{
    return {what, nullptr, text, message};
}

std::string fileFor(const FailureCase& c, const std::string& good)
{
    return c.text ? std::string(c.text) : editJson(good, c.edit);
}

std::string caseName(const testing::TestParamInfo<FailureCase>& info)
{
    std::string name;
    for (const char* p = info.param.what; *p; ++p)
        name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
}

const char* const kOpen = "${profile_open_error}";
const char* const kLoad = "${profile_load_error}";
const char* const kModel = "${software_not_match}";

const FailureCase kSceneCases[] = {
    replaced("not JSON", "{\"model\":96,", kOpen),
    replaced("empty file", "", kOpen),
    edited("model 95", [](cJSON* r) { setNumber(r, "model", 95); }, kModel),
    edited("model missing", [](cJSON* r) { cJSON_DeleteItemFromObject(r, "model"); }, kLoad),
    edited("11 channel objects", [](cJSON* r) { dropLast(at(r, {"channels"})); }, kLoad),
    edited("eqArray one short of eqSize", [](cJSON* r) { dropLast(at(r, {"channels", 5, "eqArray"})); }, kLoad),
    edited("eqSize 32 with 32 bands",
     [](cJSON* r) {
         cJSON* ch = at(r, {"channels", 0});
         setNumber(ch, "eqSize", 32);
         cJSON_AddItemToArray(at(ch, {"eqArray"}), cJSON_Duplicate(at(ch, {"eqArray", 0}), true));
     },
     kLoad),
    edited("eqSize -1", [](cJSON* r) { setNumber(at(r, {"channels", 0}), "eqSize", -1); }, kLoad),
    edited("source 9", [](cJSON* r) { setNumber(r, "source", 9); }, kLoad),
    edited("role 25", [](cJSON* r) { cJSON_ReplaceItemInArray(at(r, {"outputs"}), 3, cJSON_CreateNumber(25)); }, kLoad),
    edited("backup role -1", [](cJSON* r) { cJSON_ReplaceItemInArray(at(r, {"outputs_bk"}), 0, cJSON_CreateNumber(-1)); },
     kLoad),
    edited("link partner 12", [](cJSON* r) { cJSON_ReplaceItemInArray(at(r, {"linkOutputs"}), 2, cJSON_CreateNumber(12)); },
     kLoad),
    edited("selected output 12", [](cJSON* r) { setNumber(r, "currOutChannel", 12); }, kLoad),
    edited("level as text", [](cJSON* r) { cJSON_ReplaceItemInObject(at(r, {"channels", 1}), "gain", cJSON_CreateString("-3")); },
     kLoad),
    edited("inputs of 11 outputs", [](cJSON* r) { dropLast(at(r, {"inputs", 8})); }, kLoad),
    edited("mix levels of 7 inputs", [](cJSON* r) { dropLast(at(r, {"inputMixVolume", 2})); }, kLoad),
    edited("no input phases", [](cJSON* r) { cJSON_DeleteItemFromObject(r, "inMixPhase"); }, kLoad),
    edited("bridge flags not an array", [](cJSON* r) { setNumber(r, "bridgeOutputs", 0); }, kLoad),
    edited("slope 9", [](cJSON* r) { setNumber(at(r, {"channels", 4, "crossover", "hp"}), "slope", 9); }, kLoad),
    edited("filter type 0", [](cJSON* r) { setNumber(at(r, {"channels", 4, "crossover", "lp"}), "type", 0); }, kLoad),
    edited("band without gain", [](cJSON* r) { cJSON_DeleteItemFromObject(at(r, {"channels", 11, "eqArray", 30}), "eqGain"); },
     kLoad),
    edited("crossover not an object", [](cJSON* r) { setNumber(at(r, {"channels", 7}), "crossover", 1); }, kLoad),
};

class SceneProfileFailure : public testing::TestWithParam<FailureCase> {};

TEST_P(SceneProfileFailure, LeavesTheRecordAsItWasAndSaysWhy)
{
    const FailureCase& c = GetParam();
    ScratchFolder folder;
    const std::string path = folder.path("bad.spf");
    writeText(path, fileFor(c, SceneProfileText(tunedRecord(3))));

    TestHost host;
    const SenceConfig tuned = tunedRecord();
    SenceConfig live = tuned;
    EXPECT_FALSE(ReadSceneProfile(path, live, host, true));
    EXPECT_EQ(live, tuned);
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].title, "${tips}");
    EXPECT_EQ(host.asked[0].text, c.message);
    EXPECT_EQ(host.asked[0].captions, std::vector<std::string>{"${confirm}"});
}

INSTANTIATE_TEST_SUITE_P(Cases, SceneProfileFailure, testing::ValuesIn(kSceneCases),
                         caseName);

TEST(SceneProfileRead, AMissingFileIsAnOpenErrorAndAnInvalidItemIsSilentWithoutMessages)
{
    ScratchFolder folder;
    TestHost host;
    SenceConfig live = tunedRecord();
    EXPECT_FALSE(ReadSceneProfile(folder.path("none.spf"), live, host, false));
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, kOpen);

    const std::string path = folder.path("short.spf");
    writeText(path, editJson(SceneProfileText(SenceConfig{}), [](cJSON* r) { dropLast(at(r, {"channels"})); }));
    EXPECT_FALSE(ReadSceneProfile(path, live, host, false));
    EXPECT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(live, tunedRecord());
}

const FailureCase kWholeCases[] = {
    replaced("not JSON", "not a profile", kLoad),
    edited("model 95", [](cJSON* r) { setNumber(r, "model", 95); }, kModel),
    edited("nine names", [](cJSON* r) { dropLast(at(r, {"sceneName"})); }, kLoad),
    edited("a name that is a number", [](cJSON* r) { cJSON_ReplaceItemInArray(at(r, {"sceneName"}), 4, cJSON_CreateNumber(4)); },
     kLoad),
    edited("live band count above 31", [](cJSON* r) { setNumber(at(r, {"currentProfile", "channels", 1}), "eqSize", 40); },
     kLoad),
    edited("nine scenes", [](cJSON* r) { dropLast(at(r, {"sceneArray"})); }, kLoad),
    edited("scene 7 cut short", [](cJSON* r) { dropLast(at(r, {"sceneArray", 6, "channels", 2, "eqArray"})); }, kLoad),
    edited("scene 10 role 30",
     [](cJSON* r) { cJSON_ReplaceItemInArray(at(r, {"sceneArray", 9, "outputs"}), 0, cJSON_CreateNumber(30)); }, kLoad),
};

class WholeProfileFailure : public testing::TestWithParam<FailureCase> {};

// Scenes read before the bad item are not kept either: a half-loaded
// amplifier setup is worse than the one the user had.
TEST_P(WholeProfileFailure, LeavesLiveRecordScenesAndNamesAsTheyWere)
{
    const FailureCase& c = GetParam();
    ScratchFolder folder;
    const std::string path = folder.path("bad.wpf");
    SceneRecords fileScenes;
    for (int k = 0; k < 10; ++k)
        fileScenes[k] = tunedRecord(20 + k);
    SceneNameTable fileNames;
    fileNames.setText(0, "File");
    writeText(path, fileFor(c, WholeProfileText(tunedRecord(9), fileScenes, fileNames)));

    TestHost host;
    SenceConfig live = tunedRecord();
    auto scenes = std::make_unique<SceneRecords>();
    for (int k = 0; k < 10; ++k)
        (*scenes)[k] = tunedRecord(k);
    const auto before = std::make_unique<SceneRecords>(*scenes);
    SceneNameTable names;
    names.setText(0, "Mine");
    EXPECT_FALSE(ReadWholeProfile(path, live, *scenes, names, host));

    EXPECT_EQ(live, tunedRecord());
    for (int k = 0; k < 10; ++k)
        EXPECT_EQ((*scenes)[k], (*before)[k]) << "scene " << k + 1;
    EXPECT_EQ(names.text(0), "Mine");
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, c.message);
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeProfileFailure, testing::ValuesIn(kWholeCases),
                         caseName);

TEST(WholeProfileRead, AMissingFileIsAnOpenError)
{
    ScratchFolder folder;
    TestHost host;
    SenceConfig live;
    auto scenes = std::make_unique<SceneRecords>();
    SceneNameTable names;
    EXPECT_FALSE(ReadWholeProfile(folder.path("none.wpf"), live, *scenes, names, host));
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, kOpen);
}

TEST(ProfileWrite, AFolderThatDoesNotExistIsACreateErrorAndNothingIsWritten)
{
    ScratchFolder folder;
    TestHost host;
    const std::string path = folder.path("missing/x.spf");
    EXPECT_FALSE(WriteSceneProfile(SenceConfig{}, path, host, true));
    ASSERT_EQ(host.asked.size(), 1u);
    EXPECT_EQ(host.asked[0].text, "${profile_create_error}");
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));

    EXPECT_TRUE(WriteSceneProfile(SenceConfig{}, folder.path("x.spf"), host, true));
    EXPECT_EQ(host.asked.back().text, "${profile_save_ok}");
    EXPECT_TRUE(WriteSceneProfile(SenceConfig{}, folder.path("y.spf"), host, false));
    EXPECT_EQ(host.asked.size(), 2u);
}

// The file system refuses to let the new profile grow past a few bytes, as
// a full disk would: the old profile must still be there, whole.
TEST(ProfileWrite, AWriteThatFailsHalfwayLeavesTheOldFileWhole)
{
    ScratchFolder folder;
    const std::string path = folder.path("keep.wpf");
    auto scenes = std::make_unique<SceneRecords>();
    ASSERT_TRUE(saveWholeProfile(SenceConfig{}, *scenes, SceneNameTable{}, path).ok());
    const std::string old = readText(path);

    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = saveWholeProfile(tunedRecord(), *scenes, SceneNameTable{}, path).ok();
    const bool sceneWritten = saveSceneProfile(tunedRecord(), path).ok();
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_FALSE(sceneWritten);
    EXPECT_EQ(readText(path), old);
    EXPECT_EQ(QDir(QString::fromStdString(folder.dir())).entryList(QDir::Files).size(), 1);
}

} // namespace
} // namespace dravo::test
