// The archive format end to end: what our build tool writes with the
// traditional cipher, libzip reads back, and nothing else gets through.
#include "QtTestSupport.h"
#include "SkinArchive.h"
#include "SkinUiLoader.h"
#include "ZipWriter.h"

#include <gtest/gtest.h>

#include <random>

namespace dravo {
namespace {

std::vector<std::uint8_t> bytes(const std::string& s)
{
    return {s.begin(), s.end()};
}

std::vector<std::uint8_t> noise(std::size_t n)
{
    std::mt19937 gen(7);
    std::vector<std::uint8_t> v(n);
    for (auto& b : v)
        b = static_cast<std::uint8_t>(gen());
    return v;
}

QByteArray toQt(const std::vector<std::uint8_t>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), static_cast<qsizetype>(v.size()));
}

struct Member {
    std::string name;
    std::vector<std::uint8_t> data;
};

const std::vector<Member>& members()
{
    static const std::vector<Member> m = {
        {"xml/res.xml", bytes(std::string(2000, 'x') + "<Resources/>")}, // deflated
        {"blob.bin", noise(256)},                                       // stored: noise does not shrink
        {"lan/empty.xml", {}},
    };
    return m;
}

QByteArray archive(const std::string& password)
{
    zip::ZipWriter writer(password);
    for (const Member& m : members())
        EXPECT_TRUE(writer.add(m.name, m.data));
    return toQt(writer.finish());
}

TEST(SkinArchive, EncryptedMembersReadBackWithThePassword)
{
    SkinArchive a;
    ASSERT_TRUE(a.open(archive("kelmor-vabt-pinzok"), "kelmor-vabt-pinzok"));
    for (const Member& m : members()) {
        const auto got = a.read(QString::fromStdString(m.name));
        ASSERT_TRUE(got) << m.name;
        EXPECT_EQ(*got, toQt(m.data)) << m.name;
    }
}

TEST(SkinArchive, WindowsStyleAndCaseBlindNamesFindMembers)
{
    SkinArchive a;
    ASSERT_TRUE(a.open(archive("pw"), "pw"));
    EXPECT_TRUE(a.contains(QStringLiteral("xml\\res.xml")));
    EXPECT_TRUE(a.read(QStringLiteral("XML\\RES.XML")).has_value());
    EXPECT_FALSE(a.read(QStringLiteral("xml/nothing.xml")).has_value());
}

TEST(SkinArchive, WrongPasswordReadsNothing)
{
    SkinArchive a;
    ASSERT_TRUE(a.open(archive("kelmor-vabt-pinzok"), "kelmor-vabt-pinzak"));
    for (const Member& m : members())
        EXPECT_FALSE(a.read(QString::fromStdString(m.name)).has_value()) << m.name;
}

TEST(SkinArchive, DamagedMemberIsRefusedNotReturnedCorrupted)
{
    QByteArray zip = archive("pw");
    // The second member ("blob.bin", stored) starts after the first one; find
    // it by its name and damage a byte in the middle of its data.
    const qsizetype name = zip.indexOf("blob.bin");
    ASSERT_GT(name, 0);
    zip[name + 8 + 12 + 100] = static_cast<char>(zip[name + 8 + 12 + 100] ^ 0x5A);
    SkinArchive a;
    ASSERT_TRUE(a.open(zip, "pw"));
    EXPECT_FALSE(a.read(QStringLiteral("blob.bin")).has_value());
    EXPECT_TRUE(a.read(QStringLiteral("xml/res.xml")).has_value());
}

TEST(SkinArchive, EmptyOrGarbageDoesNotOpen)
{
    SkinArchive a;
    EXPECT_FALSE(a.open(QByteArray(), "pw"));
    EXPECT_FALSE(a.open(QByteArray("not a zip archive at all"), "pw"));
    EXPECT_FALSE(a.isOpen());
}

TEST(ZipWriter, RefusesEmptyAndRepeatedNames)
{
    zip::ZipWriter writer;
    EXPECT_FALSE(writer.add("", bytes("x")));
    EXPECT_TRUE(writer.add("a.txt", bytes("x")));
    EXPECT_FALSE(writer.add("a.txt", bytes("y")));
    EXPECT_EQ(writer.memberCount(), 1u);
}

struct MissingSkinCase {
    const char* label;
    QByteArray archive;
    const char* logged;
};

TEST(LoadSkin, WithoutAUsableSkinWindowsGetNoLayoutsAndTheLogSaysWhy)
{
    test::app();
    zip::ZipWriter noIndex("pw");
    noIndex.add("xml/msg.xml", bytes("<ui/>"));
    const MissingSkinCase cases[] = {
        {"empty resource", QByteArray(), "skin archive unreadable"},
        {"not a zip", QByteArray("garbage"), "skin archive unreadable"},
        {"no resource index", toQt(noIndex.finish()), "resource index xml\\res.xml missing"},
        {"wrong password", archive("other"), "resource index xml\\res.xml missing"},
    };
    for (const auto& c : cases) {
        test::LogCapture log;
        EXPECT_FALSE(LoadSkinFrom(c.archive, "pw")) << c.label;
        EXPECT_FALSE(SkinLoaded()) << c.label;
        EXPECT_TRUE(LayoutFileFor(QStringLiteral("XML_MSG")).isEmpty()) << c.label;
        EXPECT_EQ(LoadLayout(QStringLiteral("XML_MSG")), nullptr) << c.label;
        EXPECT_NE(log.finish().find(c.logged), std::string::npos) << c.label;
    }
    ReleaseSkin();
}

} // namespace
} // namespace dravo
