#pragma once
// What a command handler sees: the request, the device's state and options,
// and the list it appends its reply packets to.
#include "CommandCodes.h"
#include "DeviceState.h"
#include "SimOptions.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace dravo::sim {

struct Request {
    std::uint8_t cmd = 0;
    std::uint8_t sub = 0;
    std::uint8_t op = 0;
    std::span<const std::uint8_t> data;
};

struct Reply {
    std::uint8_t cmd = 0;
    std::uint8_t sub = 0;
    std::uint8_t op = 0;
    std::vector<std::uint8_t> data;
};

// A reply packet carries at most this many data bytes (the framing helper
// cuts anything longer), so longer answers are split.
inline constexpr std::size_t kMaxReplyData = 57;

struct CommandContext {
    DeviceState& state;
    const SimOptions& options;
    std::vector<Reply>& replies;

    // The parameter set a scene number addresses: 0 the live one, 1..10 the
    // copy that scene-tagged requests work on; null for anything else.
    SceneState* scene(std::uint8_t number)
    {
        if (number == 0)
            return &state.live;
        if (number <= kSceneCount)
            return &state.sceneEdits[number - 1];
        return nullptr;
    }

    void update(const Request& r, std::vector<std::uint8_t> data)
    {
        replies.push_back({r.cmd, r.sub, OP_UPDATE, std::move(data)});
    }
    void ack(const Request& r, std::uint8_t code, std::initializer_list<std::uint8_t> extra = {})
    {
        std::vector<std::uint8_t> data{code};
        data.insert(data.end(), extra);
        replies.push_back({r.cmd, r.sub, OP_ACK, std::move(data)});
    }
};

// A handler returns false for a request it cannot make sense of (too short,
// an index out of range); such a request changes nothing and is not answered.
using CommandHandler = bool (*)(CommandContext&, const Request&);

// One sub-command of a packet type: its setter and its query (null when the
// device has none), and whether the loader answers it too.
struct CommandEntry {
    std::uint8_t sub;
    CommandHandler set;
    CommandHandler get;
    bool inLoader = false;
};

// Runs the entry for the request's sub-command and op type; false when there
// is none or the loader runs and the entry is not one of its own.
inline bool dispatchCommand(std::span<const CommandEntry> table, CommandContext& ctx, const Request& request)
{
    for (const CommandEntry& command : table) {
        if (command.sub != request.sub)
            continue;
        if (ctx.state.loaderMode && !command.inLoader)
            return false;
        const CommandHandler handler =
            request.op == OP_SET ? command.set : request.op == OP_GET ? command.get : nullptr;
        return handler && handler(ctx, request);
    }
    return false;
}

} // namespace dravo::sim
