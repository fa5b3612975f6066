#pragma once
// The JSON pieces both profile formats share: building the objects and
// arrays of a parameter set, and reading them back with every shape and
// range checked. Internal to the profile codec.
#include "ProfileResult.h"
#include "SenceConfig.h"

#include <cJSON.h>

#include <array>
#include <climits>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace dravo::profile_json {

struct JsonDeleter {
    void operator()(cJSON* item) const { cJSON_Delete(item); }
};
using JsonPtr = std::unique_ptr<cJSON, JsonDeleter>;

// The unformatted text of `root`; empty when cJSON runs out of memory.
std::string printUnformatted(const cJSON* root);

// --- Building ---

void addInt(cJSON* object, const char* key, int value);
void addNumber(cJSON* object, const char* key, float value);
void addString(cJSON* object, const char* key, const char* value);
void addItem(cJSON* object, const char* key, cJSON* item);

cJSON* intArray(const std::int32_t* values, std::size_t count);
template <std::size_t N>
cJSON* intTable(const std::array<std::int32_t, N>& row)
{
    return intArray(row.data(), N);
}
template <typename Row, std::size_t N>
cJSON* intTable(const std::array<Row, N>& rows)
{
    cJSON* array = cJSON_CreateArray();
    for (const Row& row : rows)
        cJSON_AddItemToArray(array, intTable(row));
    return array;
}

// "channels": one object per output with its first eqSize bands.
cJSON* channelsJson(const SenceConfig& record);

// The three cross-source tables, each under its own key.
void addViceTables(cJSON* object, const SenceConfig& record);

// --- Reading ---

// The range a stored integer must lie in.
struct IntRange {
    int low = INT_MIN;
    int high = INT_MAX;
};
inline constexpr IntRange kAnyInt{};
inline constexpr IntRange kSourceRange{0, kSourceCount - 1};
inline constexpr IntRange kViceSourceRange{0, kSourceCount};  // kSourceCount = none
inline constexpr IntRange kInputRange{0, kInputsPerSource - 1};
inline constexpr IntRange kRoleRange{0, kRoleCount - 1};
inline constexpr IntRange kOutputRange{0, kOutputCount - 1};
inline constexpr IntRange kLinkPartnerRange{-1, kOutputCount - 1};
inline constexpr IntRange kEqSizeRange{0, kBandsPerOutput};
inline constexpr IntRange kFilterTypeRange{kFilterButterworth, kFilterBessel};
inline constexpr IntRange kSlopeRange{0, kMaxCrossoverOrder};

// Reads items into a record and remembers the first one that was missing,
// of the wrong type or shape, or out of range. Once an item failed, the
// record holds a partial result and must be thrown away.
class ItemReader {
public:
    bool ok() const { return mFailed.empty(); }
    // The first failed item, such as "channels[3].eqArray".
    const std::string& failedItem() const { return mFailed; }

    // Names the items read while it lives as parts of `prefix`
    // ("currentProfile.", "sceneArray[2]."); scopes nest.
    class Scope {
    public:
        Scope(ItemReader& reader, const std::string& prefix) : mReader(reader), mSaved(reader.mPrefix)
        {
            reader.mPrefix += prefix;
        }
        ~Scope() { mReader.mPrefix = mSaved; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        ItemReader& mReader;
        std::string mSaved;
    };

    // Records a failed item (the first one is kept); returns false.
    bool fail(const std::string& key);

    bool integer(const cJSON* object, const char* key, std::int32_t& out, IntRange range = kAnyInt);
    bool number(const cJSON* object, const char* key, float& out);
    const cJSON* object(const cJSON* object, const char* key);

    // An array of exactly N integers, or N arrays of such arrays, every
    // integer in `range`.
    template <typename Table>
    bool table(const cJSON* object, const char* key, Table& out, IntRange range = kAnyInt)
    {
        const cJSON* item = cJSON_GetObjectItem(object, key);
        if (!tableOf(item, out, range))
            return fail(key);
        return true;
    }

    // The same for an item whose absence or wrong shape is not an error:
    // `out` is changed only when the whole item is good.
    template <typename Table>
    void optionalTable(const cJSON* object, const char* key, Table& out, IntRange range = kAnyInt)
    {
        Table read = out;
        if (tableOf(cJSON_GetObjectItem(object, key), read, range))
            out = read;
    }

    // "channels": exactly 12 channel objects, each with its crossover and
    // its eqSize bands.
    bool channels(const cJSON* object, SenceConfig& record);

private:
    bool channel(const cJSON* json, int c, SenceConfig& record);
    bool section(const cJSON* crossover, const char* key, FilterSection& out);

    static bool tableOf(const cJSON* item, std::int32_t& out, IntRange range);
    template <typename T, std::size_t N>
    static bool tableOf(const cJSON* item, std::array<T, N>& out, IntRange range)
    {
        if (!cJSON_IsArray(item) || cJSON_GetArraySize(item) != static_cast<int>(N))
            return false;
        for (std::size_t i = 0; i < N; ++i)
            if (!tableOf(cJSON_GetArrayItem(item, static_cast<int>(i)), out[i], range))
                return false;
        return true;
    }

    std::string mPrefix;
    std::string mFailed;
};

// The vice tables when present and good; otherwise the record keeps its own.
// Always true: the tables are optional.
bool readViceTables(ItemReader& reader, const cJSON* object, SenceConfig& record);

// Parses a profile's text and checks its "model" item, which both kinds of
// profile carry first. Returns the failure, or Ok with `root` holding the
// parsed document.
ProfileResult parseProfileRoot(std::string_view text, JsonPtr& root);

} // namespace dravo::profile_json
