#include "DeviceList.h"
#include "DeviceListNaming.h"
#include "FakeHid.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

using namespace dravo;
using namespace dravo::test;
namespace fs = std::filesystem;

namespace {

struct NameCase {
    std::optional<std::string> serial;
    std::string path;
    std::string expected;
    friend std::ostream& operator<<(std::ostream& os, const NameCase& c)
    {
        return os << (c.serial ? "'" + *c.serial + "'" : "no serial") << " " << c.path;
    }
};

class DisplayName : public testing::TestWithParam<NameCase> {};

TEST_P(DisplayName, FollowsSerialThenInstanceNumberThenPath)
{
    EXPECT_EQ(deviceDisplayName(GetParam().serial, GetParam().path), GetParam().expected);
}

const std::string kWindowsPath = R"(\\?\hid#vid_0483&pid_5750#7&1a2b3c4d&0&0000#{4d1e55b2-f16f-11cf-88cb-001111000030})";

INSTANTIATE_TEST_SUITE_P(
    Rule, DisplayName,
    testing::Values(NameCase{"  AMP-0042 \t", kWindowsPath, "AMP-0042"},
                    NameCase{"", kWindowsPath, "7"},
                    NameCase{"   ", "#7&1a2b3c4d&0&0000#", "7"},
                    NameCase{std::nullopt, "/dev/hidraw3", "/dev/hidraw3"},
                    NameCase{std::string(70, 'x'), "/dev/hidraw3", std::string(63, 'x')},
                    // 62 units and a character of two units: the pair is not split.
                    NameCase{std::string(62, 'a') + "\xF0\x9F\x98\x80", "", std::string(62, 'a')}));

TEST(NicknameKey, HashesUtf16CodeUnits)
{
    const std::pair<std::string, std::string> cases[] = {
        {"A", "dev_00000041"},
        {"AB", "dev_00000821"},
        {"7", "dev_00000037"},
        {"\xC3\xA9", "dev_000000e9"},          // é is one unit
        {"\xF0\x9F\x98\x80", "dev_001b0d63"},  // an emoji is a surrogate pair
        {"", "dev_00000000"},
        {"ABCDEFGHIJKLMNOP", "dev_" + [] {      // wraps modulo 2^32
             std::uint32_t h = 0;
             for (char c : std::string("ABCDEFGHIJKLMNOP"))
                 h = h * 31 + static_cast<std::uint8_t>(c);
             char buf[9];
             std::snprintf(buf, sizeof buf, "%08x", h);
             return std::string(buf);
         }()},
    };
    for (const auto& [name, key] : cases)
        EXPECT_EQ(deviceNicknameKey(name), key) << name;
}

class SettingsDir : public testing::Test {
protected:
    SettingsDir()
    {
        dir = fs::temp_directory_path() /
              ("dravo-link-" + std::to_string(::getpid()) + "-" +
               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~SettingsDir() override { fs::remove_all(dir); }

    std::string fileText()
    {
        std::ifstream in(dir / "tavrel.ini");
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    fs::path dir;
};

TEST_F(SettingsDir, NicknamesRoundTripThroughTheSettingsFile)
{
    std::ofstream(dir / "tavrel.ini") << "[config]\nlanguage=2\n";
    NicknameStore store(dir / "tavrel.ini");

    EXPECT_EQ(store.nickname("7"), "7"); // nothing stored yet
    ASSERT_TRUE(store.save("7", "Front amp"));
    ASSERT_TRUE(store.save("A", "Trunk"));
    ASSERT_TRUE(store.save("7", "Rear amp"));

    EXPECT_EQ(store.nickname("7"), "Rear amp");
    EXPECT_EQ(store.nickname("A"), "Trunk");
    EXPECT_EQ(fileText(), "[config]\nlanguage=2\n"
                          "\n[DeviceNickNames]\ndev_00000037=Rear amp\ndev_00000041=Trunk\n"
                          "\n[DeviceMappings]\ndev_00000037=7|Rear amp\ndev_00000041=A|Trunk\n");
}

TEST_F(SettingsDir, LineBreakInANicknameCannotAddLinesToTheFile)
{
    NicknameStore store(dir / "tavrel.ini");
    ASSERT_TRUE(store.save("7", "Front\n[config]\nlanguage=9"));
    EXPECT_EQ(store.nickname("7"), "Front [config] language=9");
    EXPECT_EQ(fileText().find("\nlanguage=9"), std::string::npos);
}

TEST_F(SettingsDir, SettingsFileFollowsTheConfigDirectory)
{
    const char* savedXdg = std::getenv("XDG_CONFIG_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "", home = savedHome ? savedHome : "";

    setenv("XDG_CONFIG_HOME", (dir / "xdg").c_str(), 1);
    EXPECT_EQ(defaultSettingsFile(), dir / "xdg" / "tavrel.ini");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", dir.c_str(), 1);
    EXPECT_EQ(defaultSettingsFile(), dir / ".config" / "tavrel.ini");

    savedXdg ? setenv("XDG_CONFIG_HOME", xdg.c_str(), 1) : unsetenv("XDG_CONFIG_HOME");
    savedHome ? setenv("HOME", home.c_str(), 1) : unsetenv("HOME");
}

class DeviceListTest : public SettingsDir {
protected:
    DeviceListTest() : list(dir / "tavrel.ini")
    {
        backend.devices = {
            {"/dev/hidraw1", 0x0483, 0x5750, "  SN-1 "},
            {"/dev/hidraw2", 0x0483, 0x5751, "OTHER"}, // not ours
            {"/dev/HIDRAW3", 0x0483, 0x5750, std::nullopt},
        };
        NicknameStore(dir / "tavrel.ini").save("SN-1", "Trunk");
    }

    FakeBackend backend;
    DeviceList list;
};

TEST_F(DeviceListTest, KeepsExactMatchesWithNamesAndNicknames)
{
    list.DeviceProfiles()["SN-1"] = 1;
    list.DeviceProfiles()["gone"] = 2;
    list.UpdateDeviceList(backend);

    ASSERT_EQ(list.Rows().size(), 2u);
    EXPECT_EQ(list.Rows()[0].path, "/dev/hidraw1");
    EXPECT_EQ(list.Rows()[0].displayName, "SN-1");
    EXPECT_EQ(list.Rows()[0].nickname, "Trunk");
    EXPECT_EQ(list.Rows()[1].displayName, "/dev/HIDRAW3");
    EXPECT_EQ(list.Rows()[1].nickname, "/dev/HIDRAW3");
    // Remembered states of devices no longer plugged in are forgotten.
    EXPECT_EQ(list.DeviceProfiles().count("gone"), 0u);
    EXPECT_EQ(list.DeviceProfiles().count("SN-1"), 1u);
}

TEST_F(DeviceListTest, SelectDeviceIgnoresLetterCase)
{
    list.UpdateDeviceList(backend);
    EXPECT_EQ(list.SelectDevice("/dev/hidraw3"), 1);
    EXPECT_EQ(list.Selected().path, "/dev/HIDRAW3");
    EXPECT_EQ(list.Selected().name, "/dev/HIDRAW3");
    EXPECT_TRUE(list.IsSelectedDeviceInList());
    EXPECT_EQ(list.SelectedDeviceIndex(), 1);

    EXPECT_EQ(list.SelectDevice("/dev/hidraw9"), -1);
    EXPECT_TRUE(list.Selected().path.empty());
    EXPECT_FALSE(list.IsSelectedDeviceInList());
}

TEST_F(DeviceListTest, SelectionFollowsTheListAndPickingTheSameRowChangesNothing)
{
    list.UpdateDeviceList(backend);
    EXPECT_EQ(list.SelectFirstDevice(), 0);
    EXPECT_EQ(list.Selected().nickname, "Trunk");
    EXPECT_FALSE(list.SelectRow(0));
    EXPECT_TRUE(list.SelectRow(1));
    EXPECT_FALSE(list.SelectRow(5));
    EXPECT_TRUE(list.Selected().path.empty());

    EXPECT_TRUE(list.SelectRow(1));
    backend.devices.pop_back(); // the selected device is unplugged
    list.UpdateDeviceList(backend);
    EXPECT_FALSE(list.IsSelectedDeviceInList());
    EXPECT_EQ(list.SelectedDeviceIndex(), -1);

    backend.devices.clear();
    list.UpdateDeviceList(backend);
    EXPECT_EQ(list.SelectFirstDevice(), -1);
    EXPECT_TRUE(list.Selected().name.empty());
}

struct EditCase {
    const char* typed;
    bool switchDeviceMeanwhile;
    std::optional<std::string> applied;
    friend std::ostream& operator<<(std::ostream& os, const EditCase& c)
    {
        return os << "'" << c.typed << "'" << (c.switchDeviceMeanwhile ? " after switching" : "");
    }
};

class NicknameEdit : public DeviceListTest, public testing::WithParamInterface<EditCase> {};

TEST_P(NicknameEdit, FinishAppliesTrimmedTextToTheDeviceWhoseEditBegan)
{
    const EditCase c = GetParam();
    list.UpdateDeviceList(backend);
    list.SelectFirstDevice();
    EXPECT_EQ(list.BeginEditDeviceName(), "Trunk");
    if (c.switchDeviceMeanwhile)
        list.SelectRow(1);

    EXPECT_EQ(list.FinishEditDeviceName(c.typed), c.applied);
    const std::string stored = list.GetDeviceNickName("SN-1");
    if (c.applied) {
        EXPECT_EQ(list.Selected().nickname, *c.applied);
        EXPECT_EQ(list.Rows()[0].nickname, *c.applied);
        EXPECT_EQ(stored, *c.applied);
    } else {
        EXPECT_EQ(stored, "Trunk");
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, NicknameEdit,
                         testing::Values(EditCase{"  Rear amp  ", false, "Rear amp"},
                                         EditCase{" \t ", false, "SN-1"},
                                         EditCase{"Rear amp", true, std::nullopt}));

} // namespace
