// Every ${...} id that the program's code or its layouts show has a text in
// both languages, and the two tables agree on their ids and on the printf
// conversions a formatted text expects.
#include "LanguageFile.h"

#include <QDirIterator>
#include <QFile>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace dravo {
namespace {

const QString kSourceDir = QStringLiteral(DRAVO_SOURCE_DIR);

LanguageTable table(const char* file)
{
    QFile f(kSourceDir + QStringLiteral("/skin/lan/") + QLatin1String(file));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << file;
    const auto parsed = ParseLanguageFile(f.readAll());
    EXPECT_TRUE(parsed) << file;
    return parsed.value_or(LanguageTable{});
}

// Id -> the first file that quotes it.
std::map<QString, QString> quotedIds()
{
    static const QRegularExpression id(QStringLiteral("\\$\\{[A-Za-z0-9_][A-Za-z0-9_ ]*\\}"));
    static const QStringList kinds = {"*.cpp", "*.h", "*.xml", "*.qss", "*.ui"};
    std::map<QString, QString> ids;
    for (const char* root : {"/src", "/skin"}) {
        QDirIterator it(kSourceDir + QLatin1String(root), kinds, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.contains(QLatin1String("/skin/lan/"))) // the tables themselves
                continue;
            QFile f(path);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QString text = QString::fromUtf8(f.readAll());
            for (auto m = id.globalMatch(text); m.hasNext();)
                ids.emplace(m.next().captured(), path.mid(kSourceDir.size() + 1));
        }
    }
    return ids;
}

QStringList conversions(const QString& text)
{
    static const QRegularExpression conversion(QStringLiteral("%[-+ #0]*[0-9]*(?:\\.[0-9]+)?(?:l|ll|z)?[dsufgxc%]"));
    QStringList found;
    for (auto m = conversion.globalMatch(text); m.hasNext();)
        found.append(m.next().captured());
    return found;
}

TEST(LanguageCompleteness, EveryQuotedIdHasTextInBothLanguages)
{
    const LanguageTable en = table("lan_en.xml");
    const LanguageTable cn = table("lan_cn.xml");
    const auto ids = quotedIds();
    ASSERT_GT(ids.size(), 50u) << "the scan found almost nothing; is DRAVO_SOURCE_DIR right?";
    for (const auto& [id, file] : ids) {
        EXPECT_FALSE(en.value(id).isEmpty()) << id.toStdString() << " (quoted in " << file.toStdString()
                                             << ") has no English text";
        EXPECT_FALSE(cn.value(id).isEmpty()) << id.toStdString() << " (quoted in " << file.toStdString()
                                             << ") has no Chinese text";
    }
}

TEST(LanguageCompleteness, TablesAgreeOnIdsAndFormats)
{
    const LanguageTable en = table("lan_en.xml");
    const LanguageTable cn = table("lan_cn.xml");
    std::set<QString> all;
    for (auto it = en.begin(); it != en.end(); ++it)
        all.insert(it.key());
    for (auto it = cn.begin(); it != cn.end(); ++it)
        all.insert(it.key());
    for (const QString& id : all) {
        ASSERT_TRUE(en.contains(id) && cn.contains(id)) << id.toStdString() << " is in one table only";
        EXPECT_EQ(conversions(en.value(id)), conversions(cn.value(id))) << id.toStdString();
    }
}

} // namespace
} // namespace dravo
