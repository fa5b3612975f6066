#include "Languages.h"

#include "Log.h"
#include "Skin.h"

#include <QList>

#include <mutex>

namespace dravo {
namespace {

struct Language {
    QString name;
    LanguageTable table;
};

struct LanguageState {
    std::mutex mutex; // a worker may format a message text while the UI translates
    QList<Language> languages;
    int current = -1;
    LanguageTable providerAnswers; // while no language is registered
    TextProvider provider;
};

LanguageState& state()
{
    static LanguageState s;
    return s;
}

const QString kLineBreakMark = QStringLiteral("{\\n}");

} // namespace

bool RegisterLanguage(const QString& file, const QString& name)
{
    const auto bytes = ReadSkinFile(file);
    const auto table = bytes ? ParseLanguageFile(*bytes) : std::nullopt;
    if (!table) {
        LogWrite("language file %s missing or damaged\n", file.toUtf8().constData());
        return false;
    }
    return RegisterLanguageTable(*table, name);
}

bool RegisterLanguageTable(const LanguageTable& table, const QString& name)
{
    LanguageState& s = state();
    std::lock_guard lock(s.mutex);
    if (s.languages.size() >= kMaxLanguages)
        return false;
    s.languages.append({name, table});
    if (s.current < 0)
        s.current = 0;
    return true;
}

bool SetLanguage(const QString& name)
{
    LanguageState& s = state();
    std::lock_guard lock(s.mutex);
    for (int i = 0; i < s.languages.size(); ++i) {
        if (s.languages[i].name == name) {
            s.current = i;
            return true;
        }
    }
    return false;
}

QString CurrentLanguage()
{
    LanguageState& s = state();
    std::lock_guard lock(s.mutex);
    return s.current >= 0 ? s.languages[s.current].name : QString();
}

void SetTextProvider(TextProvider provider)
{
    LanguageState& s = state();
    std::lock_guard lock(s.mutex);
    s.provider = std::move(provider);
}

QString GetText(const QString& text)
{
    if (!text.startsWith(QLatin1String("${")))
        return text;

    LanguageState& s = state();
    TextProvider provider;
    {
        std::lock_guard lock(s.mutex);
        LanguageTable& table = s.current >= 0 ? s.languages[s.current].table : s.providerAnswers;
        if (const auto it = table.constFind(text); it != table.constEnd()) {
            if (it->isEmpty())
                return text;
            QString value = *it;
            return value.replace(kLineBreakMark, QStringLiteral("\n"));
        }
        provider = s.provider;
    }

    // Asked outside the lock: the provider is the main window's code and may
    // well translate something itself.
    const QString answer = provider ? provider(text) : QString();
    {
        std::lock_guard lock(s.mutex);
        LanguageTable& table = s.current >= 0 ? s.languages[s.current].table : s.providerAnswers;
        if (provider)
            table.insert(text, answer);
    }
    if (answer.isEmpty())
        return text;
    QString value = answer;
    return value.replace(kLineBreakMark, QStringLiteral("\n"));
}

void ReleaseLanguages()
{
    LanguageState& s = state();
    std::lock_guard lock(s.mutex);
    s.languages.clear();
    s.current = -1;
    s.providerAnswers.clear();
    s.provider = nullptr;
}

} // namespace dravo
