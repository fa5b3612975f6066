// Language tables: the file format, the translation step, the stored choice
// and the switch that re-translates what is on screen.
#include "LanguageSwitch.h"
#include "QtTestSupport.h"
#include "Retranslate.h"

#include <QComboBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <fstream>

namespace dravo {
namespace {

std::string readFile(const std::filesystem::path& p)
{
    std::ifstream in(p);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeFile(const std::filesystem::path& p, const std::string& text)
{
    std::ofstream(p) << text;
}

TEST(LanguageFile, TakesTextElementsWithIdAndValueOnly)
{
    const auto table = ParseLanguageFile(R"(<?xml version="1.0" encoding="UTF-8"?>
        <Language>
          <Text id="${a}" value="first"/>
          <TEXT id="${b}" value="any case"/>
          <Text id="${a}" value="replaced"/>
          <Text id="${no_value}"/>
          <Text value="no id"/>
          <Other id="${c}" value="not a text"/>
          <Group><text id="${d}" value="nested"/></Group>
        </Language>)");
    ASSERT_TRUE(table);
    const LanguageTable expected{{"${a}", "replaced"}, {"${b}", "any case"}, {"${d}", "nested"}};
    EXPECT_EQ(*table, expected);
}

TEST(LanguageFile, BrokenOrTruncatedFileIsRefused)
{
    EXPECT_FALSE(ParseLanguageFile(R"(<Language><Text id="${a}" value="x"/>)"));
    EXPECT_FALSE(ParseLanguageFile(""));
}

class Texts : public test::WithApp, public ::testing::Test {
protected:
    void SetUp() override
    {
        test::app();
        ReleaseLanguages();
        RegisterLanguageTable({{"${tips}", "Notice"}, {"${two}", "first{\\n}second{\\n}third"}, {"${blank}", ""}},
                              QStringLiteral("en"));
        RegisterLanguageTable({{"${tips}", "提示"}}, QStringLiteral("cn_zh"));
    }
    void TearDown() override { ReleaseLanguages(); }
};

TEST_F(Texts, GetTextCases)
{
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"", ""},
        {"plain text", "plain text"},
        {"a ${tips} inside", "a ${tips} inside"}, // only a text that begins with the id is one
        {"${tips}", "Notice"},
        {"${two}", "first\nsecond\nthird"},
        {"${missing}", "${missing}"},
        {"${blank}", "${blank}"},
        {"${tips} and more", "${tips} and more"}, // looked up whole
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetText(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST_F(Texts, CurrentLanguageIsTheFirstUntilAnotherIsChosen)
{
    EXPECT_EQ(CurrentLanguage(), QStringLiteral("en"));
    EXPECT_TRUE(SetLanguage(QStringLiteral("cn_zh")));
    EXPECT_EQ(GetText(QStringLiteral("${tips}")), QStringLiteral("提示"));
    EXPECT_FALSE(SetLanguage(QStringLiteral("ru")));
    EXPECT_EQ(CurrentLanguage(), QStringLiteral("cn_zh"));
}

TEST_F(Texts, ProviderIsAskedOnceForAnUnknownId)
{
    int asked = 0;
    SetTextProvider([&](const QString& id) {
        ++asked;
        return id == QLatin1String("${known}") ? QStringLiteral("from{\\n}provider") : QString();
    });
    EXPECT_EQ(GetText(QStringLiteral("${known}")), QStringLiteral("from\nprovider"));
    EXPECT_EQ(GetText(QStringLiteral("${known}")), QStringLiteral("from\nprovider"));
    EXPECT_EQ(GetText(QStringLiteral("${unknown}")), QStringLiteral("${unknown}"));
    EXPECT_EQ(GetText(QStringLiteral("${unknown}")), QStringLiteral("${unknown}"));
    EXPECT_EQ(GetText(QStringLiteral("${tips}")), QStringLiteral("Notice"));
    EXPECT_EQ(asked, 2);
}

TEST_F(Texts, AtMostThreeLanguages)
{
    EXPECT_TRUE(RegisterLanguageTable({}, QStringLiteral("ru")));
    EXPECT_FALSE(RegisterLanguageTable({}, QStringLiteral("de")));
    EXPECT_FALSE(SetLanguage(QStringLiteral("de")));
}

class LanguageSetting : public Texts {
protected:
    void SetUp() override
    {
        Texts::SetUp();
        mFile = std::filesystem::path(mDir.path().toStdString()) / "conf" / "tavrel.ini";
        SetLanguageSettingsFile(mFile);
    }
    void TearDown() override
    {
        SetLanguageSettingsFile({});
        Texts::TearDown();
    }

    QTemporaryDir mDir;
    std::filesystem::path mFile;
};

TEST_F(LanguageSetting, ToggleWritesOneThenZeroAndKeepsTheRestOfTheFile)
{
    std::filesystem::create_directories(mFile.parent_path());
    writeFile(mFile, "[DeviceNickNames]\ndev_0000abcd=Door amp\n");

    EXPECT_TRUE(ChangeLanguageFromMenu(QStringLiteral("option_item_language")));
    EXPECT_EQ(CurrentLanguage(), QStringLiteral("cn_zh"));
    EXPECT_EQ(readFile(mFile), "[DeviceNickNames]\ndev_0000abcd=Door amp\n\n[config]\nlan=1\n");

    EXPECT_TRUE(ChangeLanguageFromMenu(QStringLiteral("option_item_language")));
    EXPECT_EQ(CurrentLanguage(), QStringLiteral("en"));
    EXPECT_EQ(readFile(mFile), "[DeviceNickNames]\ndev_0000abcd=Door amp\n\n[config]\nlan=0\n");
}

TEST_F(LanguageSetting, ChoosingTheCurrentOrAnUnregisteredLanguageDoesNothing)
{
    EXPECT_FALSE(ChangeLanguageFromMenu(QStringLiteral("option_item_language_en")));
    EXPECT_FALSE(ChangeLanguageFromMenu(QStringLiteral("option_item_language_ru")));
    EXPECT_FALSE(ChangeLanguageFromMenu(QStringLiteral("option_item_about")));
    EXPECT_EQ(CurrentLanguage(), QStringLiteral("en"));
    EXPECT_FALSE(std::filesystem::exists(mFile));
    EXPECT_TRUE(ChangeLanguageFromMenu(QStringLiteral("option_item_language_cn")));
    EXPECT_EQ(ReadLanguageIndex(), 1);
}

TEST_F(LanguageSetting, StoredIndexIsReadLikeAProfileNumber)
{
    const struct {
        const char* file;
        int index;
    } cases[] = {
        {nullptr, 0},
        {"[config]\nlan=1\n", 1},
        {"[CONFIG]\r\n LAN = 2 \r\n", 2},
        {"[config]\nlan=chinese\n", 0},
        {"[other]\nlan=1\n", 0},
    };
    for (const auto& c : cases) {
        std::filesystem::remove(mFile);
        if (c.file) {
            std::filesystem::create_directories(mFile.parent_path());
            writeFile(mFile, c.file);
        }
        EXPECT_EQ(ReadLanguageIndex(), c.index) << (c.file ? c.file : "no file");
    }
}

TEST_F(LanguageSetting, StartSelectsTheStoredLanguageOfTheSkin)
{
    test::useCarriedSkin();
    std::filesystem::create_directories(mFile.parent_path());
    const struct {
        const char* stored;
        const char* language;
    } cases[] = {{"1", "cn_zh"}, {"0", "en"}, {"7", "en"}};
    for (const auto& c : cases) {
        ReleaseLanguages();
        writeFile(mFile, std::string("[config]\nlan=") + c.stored + "\n");
        StartLanguages();
        EXPECT_EQ(CurrentLanguage(), QString::fromLatin1(c.language)) << c.stored;
    }
    EXPECT_EQ(GetText(QStringLiteral("${tips}")), QStringLiteral("Notice"));
}

TEST_F(LanguageSetting, SwitchRetranslatesOpenWindowsInPlace)
{
    QWidget window;
    auto* label = new QLabel(&window);
    auto* fixed = new QLabel(QStringLiteral("DRAVO-8.12"), &window);
    auto* combo = new QComboBox(&window);
    combo->addItems({QStringLiteral("${tips}"), QStringLiteral("USB")});
    SetUiText(label, QStringLiteral("${tips}"));
    TranslateTree(&window);
    EXPECT_EQ(label->text(), QStringLiteral("Notice"));
    EXPECT_EQ(combo->itemText(0), QStringLiteral("Notice"));

    ASSERT_TRUE(ChangeLanguage(QStringLiteral("cn_zh"), 1));
    EXPECT_EQ(label->text(), QStringLiteral("提示"));
    EXPECT_EQ(combo->itemText(0), QStringLiteral("提示"));
    EXPECT_EQ(combo->itemText(1), QStringLiteral("USB"));
    EXPECT_EQ(fixed->text(), QStringLiteral("DRAVO-8.12"));

    // A text that is no longer an id is not overwritten by the next switch.
    SetUiText(label, QStringLiteral("12.5dB"));
    ASSERT_TRUE(ChangeLanguage(QStringLiteral("en"), 0));
    EXPECT_EQ(label->text(), QStringLiteral("12.5dB"));
}

} // namespace
} // namespace dravo
