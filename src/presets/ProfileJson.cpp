#include "ProfileJson.h"

#include "ProductInfo.h"

namespace dravo::profile_json {

std::string printUnformatted(const cJSON* root)
{
    char* printed = cJSON_PrintUnformatted(root);
    if (!printed)
        return {};
    std::string text(printed);
    cJSON_free(printed);
    return text;
}

// --- Building ---

void addInt(cJSON* object, const char* key, int value)
{
    cJSON_AddItemToObject(object, key, cJSON_CreateNumber(value));
}

// The float widened as it is, so 5.8f is written 5.8000001907348633 and
// reads back as the same float.
void addNumber(cJSON* object, const char* key, float value)
{
    cJSON_AddItemToObject(object, key, cJSON_CreateNumber(static_cast<double>(value)));
}

void addString(cJSON* object, const char* key, const char* value)
{
    cJSON_AddItemToObject(object, key, cJSON_CreateString(value));
}

void addItem(cJSON* object, const char* key, cJSON* item)
{
    cJSON_AddItemToObject(object, key, item);
}

cJSON* intArray(const std::int32_t* values, std::size_t count)
{
    return cJSON_CreateIntArray(values, static_cast<int>(count));
}

namespace {

cJSON* sectionJson(const FilterSection& section)
{
    cJSON* json = cJSON_CreateObject();
    addInt(json, "fs", section.fs);
    addInt(json, "type", section.type);
    addInt(json, "slope", section.slope);
    addInt(json, "bypass", section.bypass);
    return json;
}

cJSON* bandJson(const EqBand& band)
{
    cJSON* json = cJSON_CreateObject();
    addInt(json, "freq", band.freq);
    addNumber(json, "eqFactor", band.eqFactor);
    addNumber(json, "eqGain", band.eqGain);
    addInt(json, "enable", band.enable);
    return json;
}

cJSON* channelJson(const SenceConfig& record, int c)
{
    const ChannelConfig& ch = record.channels[static_cast<std::size_t>(c)];
    cJSON* json = cJSON_CreateObject();
    addInt(json, "eqSize", ch.eqSize);
    addNumber(json, "gain", ch.gain);
    addInt(json, "mute", ch.mute);
    addNumber(json, "delay", ch.delay);
    addInt(json, "solo", ch.solo);
    addInt(json, "phase", ch.phase);
    addInt(json, "bypass", ch.bypass);

    cJSON* crossover = cJSON_CreateObject();
    addInt(crossover, "bpType", ch.crossover.bpType);
    addItem(crossover, "hp", sectionJson(ch.crossover.hp));
    addItem(crossover, "lp", sectionJson(ch.crossover.lp));
    addItem(json, "crossover", crossover);

    cJSON* bands = cJSON_CreateArray();
    const BandRow& row = *record.bandsOf(c);
    for (int b = 0; b < record.eqSizeOf(c); ++b)
        cJSON_AddItemToArray(bands, bandJson(row[static_cast<std::size_t>(b)]));
    addItem(json, "eqArray", bands);
    return json;
}

} // namespace

cJSON* channelsJson(const SenceConfig& record)
{
    cJSON* array = cJSON_CreateArray();
    for (int c = 0; c < kOutputCount; ++c)
        cJSON_AddItemToArray(array, channelJson(record, c));
    return array;
}

void addViceTables(cJSON* object, const SenceConfig& record)
{
    addItem(object, "csmViceSource", intTable(record.csmViceSource));
    addItem(object, "csmViceCh", intTable(record.csmViceCh));
    addItem(object, "csmViceGain", intTable(record.csmViceGain));
}

// --- Reading ---

bool ItemReader::fail(const std::string& key)
{
    if (mFailed.empty())
        mFailed = mPrefix + key;
    return false;
}

bool ItemReader::tableOf(const cJSON* item, std::int32_t& out, IntRange range)
{
    if (!cJSON_IsNumber(item) || item->valueint < range.low || item->valueint > range.high)
        return false;
    out = item->valueint;
    return true;
}

bool ItemReader::integer(const cJSON* object, const char* key, std::int32_t& out, IntRange range)
{
    if (!tableOf(cJSON_GetObjectItem(object, key), out, range))
        return fail(key);
    return true;
}

bool ItemReader::number(const cJSON* object, const char* key, float& out)
{
    const cJSON* item = cJSON_GetObjectItem(object, key);
    if (!cJSON_IsNumber(item))
        return fail(key);
    out = static_cast<float>(item->valuedouble);
    return true;
}

const cJSON* ItemReader::object(const cJSON* object, const char* key)
{
    const cJSON* item = cJSON_GetObjectItem(object, key);
    if (!cJSON_IsObject(item)) {
        fail(key);
        return nullptr;
    }
    return item;
}

bool ItemReader::section(const cJSON* crossover, const char* key, FilterSection& out)
{
    const cJSON* json = object(crossover, key);
    if (!json)
        return false;
    Scope scope(*this, std::string(key) + ".");
    return integer(json, "fs", out.fs) && integer(json, "type", out.type, kFilterTypeRange) &&
           integer(json, "slope", out.slope, kSlopeRange) && integer(json, "bypass", out.bypass);
}

bool ItemReader::channel(const cJSON* json, int c, SenceConfig& record)
{
    ChannelConfig& ch = record.channels[static_cast<std::size_t>(c)];
    // These four are bytes on the device: only the low byte counts.
    auto lowByte = [&](const char* key, auto& out) {
        std::int32_t value = 0;
        if (!integer(json, key, value))
            return false;
        out = static_cast<std::uint8_t>(value);
        return true;
    };
    if (!integer(json, "eqSize", ch.eqSize, kEqSizeRange) || !number(json, "gain", ch.gain) ||
        !lowByte("mute", ch.mute) || !number(json, "delay", ch.delay) || !lowByte("solo", ch.solo) ||
        !lowByte("phase", ch.phase) || !lowByte("bypass", ch.bypass))
        return false;

    const cJSON* crossover = object(json, "crossover");
    if (!crossover)
        return false;
    {
        Scope scope(*this, "crossover.");
        if (!integer(crossover, "bpType", ch.crossover.bpType) || !section(crossover, "hp", ch.crossover.hp) ||
            !section(crossover, "lp", ch.crossover.lp))
            return false;
    }

    const cJSON* bands = cJSON_GetObjectItem(json, "eqArray");
    if (!cJSON_IsArray(bands) || cJSON_GetArraySize(bands) != ch.eqSize)
        return fail("eqArray");
    BandRow& row = *record.bandsOf(c);
    for (int b = 0; b < ch.eqSize; ++b) {
        Scope scope(*this, "eqArray[" + std::to_string(b) + "].");
        const cJSON* band = cJSON_GetArrayItem(bands, b);
        EqBand& out = row[static_cast<std::size_t>(b)];
        std::int32_t enable = 0;
        if (!cJSON_IsObject(band))
            return fail("");
        if (!integer(band, "freq", out.freq) || !number(band, "eqFactor", out.eqFactor) ||
            !number(band, "eqGain", out.eqGain) || !integer(band, "enable", enable))
            return false;
        out.enable = enable != 0 ? 1 : 0;
    }
    return true;
}

bool ItemReader::channels(const cJSON* object, SenceConfig& record)
{
    const cJSON* array = cJSON_GetObjectItem(object, "channels");
    if (!cJSON_IsArray(array) || cJSON_GetArraySize(array) != kOutputCount)
        return fail("channels");
    for (int c = 0; c < kOutputCount; ++c) {
        Scope scope(*this, "channels[" + std::to_string(c) + "].");
        const cJSON* json = cJSON_GetArrayItem(array, c);
        if (!cJSON_IsObject(json))
            return fail("");
        if (!channel(json, c, record))
            return false;
    }
    return true;
}

bool readViceTables(ItemReader& reader, const cJSON* object, SenceConfig& record)
{
    reader.optionalTable(object, "csmViceSource", record.csmViceSource, kViceSourceRange);
    reader.optionalTable(object, "csmViceCh", record.csmViceCh, kInputRange);
    reader.optionalTable(object, "csmViceGain", record.csmViceGain);
    return true;
}

ProfileResult parseProfileRoot(std::string_view text, JsonPtr& root)
{
    const std::string terminated(text);
    root.reset(cJSON_Parse(terminated.c_str()));
    if (!root)
        return {ProfileStatus::NotJson, {}};
    const cJSON* model = cJSON_GetObjectItem(root.get(), "model");
    if (!cJSON_IsNumber(model))
        return {ProfileStatus::InvalidItem, "model"};
    if (model->valueint != kModelId)
        return {ProfileStatus::WrongModel, std::to_string(model->valueint)};
    return {};
}

} // namespace dravo::profile_json
