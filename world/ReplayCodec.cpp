#include "world/ReplayCodec.h"

#include <cmath>
#include <cstring>

#include "world/ReplayByteReader.h"
#include "world/ReplayByteWriter.h"

namespace {

// Flags of an update record.
constexpr uint8_t kStepped = 1;
constexpr uint8_t kCommands = 2;
constexpr uint8_t kWholeDt = 4;  // a new dt follows, a whole number as a varint
constexpr uint8_t kFloatDt = 8;  // a new dt follows as a float
constexpr uint8_t kRepeat = 16;  // a repeat count (2 or more) follows
constexpr uint8_t kAllFlags = 31;

// Command codes in the file, independent of the order of CommandKind.
enum : uint8_t { kSteer = 0, kFire = 1, kWeapon = 2, kWeaponStep = 3, kRing = 4 };

constexpr size_t kMaxDataFiles = 16;
constexpr uint64_t kMaxReadingsPerUpdate = 1u << 20;
// The loop's time step is the distance between two readings of a 32-bit millisecond clock,
// which counts from the machine's start: the first update's step is the machine's uptime, so
// any 32-bit distance is a step a real game records.
constexpr float kMaxDt = 4294967296.0f;
constexpr float kMaxStep = 1.0e6f;

void WriteCommand(ReplayByteWriter& out, const GameCommand& command) {
    switch (command.kind) {
        case CommandKind::Steer:
            out.Byte(kSteer);
            out.Float(command.step.x);
            out.Float(command.step.y);
            break;
        case CommandKind::Fire:
            out.Byte(kFire);
            out.Byte(command.on ? 1 : 0);
            break;
        case CommandKind::Weapon:
        case CommandKind::WeaponStep:
            out.Byte(command.kind == CommandKind::Weapon ? kWeapon : kWeaponStep);
            out.Var(ReplayByteWriter::ZigZag(command.level));
            break;
        default:
            out.Byte(kRing);
            break;
    }
}

bool ReadLevel(ReplayByteReader& in, GameCommand& command, int lowest, int highest) {
    uint32_t raw = 0;
    if (!in.Var32(raw, "a weapon number")) {
        return false;
    }
    command.level = ReplayByteReader::UnZigZag(raw);
    return (command.level >= lowest && command.level <= highest) ||
           in.Fail("weapon number " + std::to_string(command.level) + " is out of range");
}

bool ReadCommand(ReplayByteReader& in, GameCommand& command) {
    uint8_t code = 0;
    if (!in.Byte(code)) {
        return false;
    }
    switch (code) {
        case kSteer:
            command.kind = CommandKind::Steer;
            return in.Float(command.step.x, kMaxStep, "a steering step") &&
                   in.Float(command.step.y, kMaxStep, "a steering step");
        case kFire: {
            command.kind = CommandKind::Fire;
            uint8_t on = 0;
            command.on = in.Byte(on) && on == 1;
            return in.Ok() && (on <= 1 || in.Fail("a fire command is neither on nor off"));
        }
        case kWeapon:
            command.kind = CommandKind::Weapon;
            return ReadLevel(in, command, 0, 3);
        case kWeaponStep:
            command.kind = CommandKind::WeaponStep;
            return ReadLevel(in, command, -1, 1);
        case kRing:
            command.kind = CommandKind::Ring;
            return true;
        default:
            return in.Fail("unknown command code " + std::to_string(code));
    }
}

void WriteUpdate(ReplayByteWriter& out, const ReplayUpdate& update, float& dt, uint32_t& reading) {
    uint8_t flags = 0;
    flags |= update.stepped ? kStepped : 0;
    flags |= update.commands.empty() ? 0 : kCommands;
    flags |= update.repeat > 1 ? kRepeat : 0;
    const bool whole =
        update.dt >= 0.0f && update.dt < kMaxDt && update.dt == std::floor(update.dt);
    if (std::memcmp(&update.dt, &dt, sizeof dt) != 0) {
        flags |= whole ? kWholeDt : kFloatDt;
    }
    out.Byte(flags);
    if (flags & kWholeDt) {
        out.Var(static_cast<uint32_t>(update.dt));
    } else if (flags & kFloatDt) {
        out.Float(update.dt);
    }
    dt = update.dt;
    if (flags & kRepeat) {
        out.Var(update.repeat);
    }
    if (flags & kCommands) {
        out.Var(update.commands.size());
        for (const GameCommand& command : update.commands) {
            WriteCommand(out, command);
        }
    }
    if (flags & kStepped) {
        out.Var(update.readings.size());
        for (const ClockRun& run : update.readings) {
            out.Var(ReplayByteWriter::ZigZag(static_cast<int32_t>(run.value - reading)));
            out.Var(run.count);
            reading = run.value;
        }
    }
}

bool ReadDt(ReplayByteReader& in, uint8_t flags, float& dt) {
    if ((flags & kWholeDt) && (flags & kFloatDt)) {
        return in.Fail("an update has two time steps");
    }
    if (flags & kWholeDt) {
        uint64_t whole = 0;
        if (!in.Var(whole, UINT32_MAX, "a time step")) {
            return false;
        }
        dt = static_cast<float>(whole);
    } else if (flags & kFloatDt) {
        return in.Float(dt, kMaxDt, "a time step") &&
               (dt >= 0.0f || in.Fail("a negative time step"));
    }
    return true;
}

bool ReadReadings(ReplayByteReader& in, ReplayUpdate& update, uint32_t& reading) {
    uint64_t runs = 0;
    if (!in.Var(runs, in.Left() / 2, "a count of clock readings")) {
        return false;
    }
    uint64_t total = 0;
    for (uint64_t i = 0; i < runs; ++i) {
        uint32_t delta = 0;
        ClockRun run;
        if (!in.Var32(delta, "a clock reading") || !in.Var32(run.count, "a count of readings")) {
            return false;
        }
        total += run.count;
        if (run.count == 0 || total > kMaxReadingsPerUpdate) {
            return in.Fail("a count of clock readings is out of range");
        }
        run.value = reading + static_cast<uint32_t>(ReplayByteReader::UnZigZag(delta));
        reading = run.value;
        update.readings.push_back(run);
    }
    return true;
}

bool ReadUpdate(ReplayByteReader& in, ReplayUpdate& update, float& dt, uint32_t& reading) {
    uint8_t flags = 0;
    if (!in.Byte(flags)) {
        return false;
    }
    if ((flags & ~kAllFlags) != 0) {
        return in.Fail("an update has unknown flags");
    }
    update.stepped = (flags & kStepped) != 0;
    if (!ReadDt(in, flags, dt)) {
        return false;
    }
    update.dt = dt;
    if (flags & kRepeat) {
        if ((flags & (kStepped | kCommands)) != 0) {
            return in.Fail("a repeated update has commands or a step");
        }
        if (!in.Var32(update.repeat, "a repeat count") || update.repeat < 2) {
            return in.Fail("a repeat count is out of range");
        }
    }
    if (flags & kCommands) {
        uint64_t count = 0;
        if (!in.Var(count, in.Left(), "a count of commands") || count == 0) {
            return in.Fail("a count of commands is out of range");
        }
        update.commands.resize(count);
        for (GameCommand& command : update.commands) {
            if (!ReadCommand(in, command)) {
                return false;
            }
        }
    }
    return !update.stepped || ReadReadings(in, update, reading);
}

void WriteCheckpoint(ReplayByteWriter& out, const ReplayCheckpoint& checkpoint) {
    const WorldDigest& d = checkpoint.digest;
    out.Var(checkpoint.update);
    out.Float(d.shipX);
    out.Float(d.shipY);
    out.Var(ReplayByteWriter::ZigZag(d.health));
    out.Var(ReplayByteWriter::ZigZag(d.lives));
    out.Var(ReplayByteWriter::ZigZag(d.points));
    out.Var(d.enemies);
    out.Var(d.shots);
    out.Var(d.explosions);
    out.Fixed(d.hash, 8);
}

bool ReadCheckpoint(ReplayByteReader& in, ReplayCheckpoint& checkpoint) {
    WorldDigest& d = checkpoint.digest;
    uint32_t health = 0;
    uint32_t lives = 0;
    uint32_t points = 0;
    const bool ok = in.Var32(checkpoint.update, "a checkpoint's update") &&
                    in.Float(d.shipX, 3.0e38f, "a ship position") &&
                    in.Float(d.shipY, 3.0e38f, "a ship position") && in.Var32(health, "a health") &&
                    in.Var32(lives, "a number of lives") && in.Var32(points, "a score") &&
                    in.Var32(d.enemies, "an enemy count") && in.Var32(d.shots, "a shot count") &&
                    in.Var32(d.explosions, "an explosion count") && in.Fixed(d.hash, 8);
    d.health = ReplayByteReader::UnZigZag(health);
    d.lives = ReplayByteReader::UnZigZag(lives);
    d.points = ReplayByteReader::UnZigZag(points);
    return ok;
}

bool ReadHeader(ReplayByteReader& in, Replay& replay) {
    uint64_t count = 0;
    if (!in.Text(replay.gameVersion, "the game version") ||
        !in.Var(count, kMaxDataFiles, "the count of data files")) {
        return false;
    }
    replay.data.resize(count);
    for (ReplayDataFile& file : replay.data) {
        if (!in.Text(file.name, "a data file name") || !in.Fixed(file.hash, 8) ||
            !in.Var32(file.size, "a data file size")) {
            return false;
        }
    }
    return in.Var32(replay.seed, "the seed") && in.Var32(replay.lastFireTime, "the fire time");
}

bool ReadBody(ReplayByteReader& in, Replay& replay) {
    uint64_t count = 0;
    if (!in.Var(count, in.Left(), "the count of update records")) {
        return false;
    }
    replay.updates.resize(count);
    float dt = 0.0f;
    uint32_t reading = 0;
    uint64_t total = 0;
    for (ReplayUpdate& update : replay.updates) {
        if (!ReadUpdate(in, update, dt, reading)) {
            return false;
        }
        total += update.repeat;
        if (total > ReplayCodec::kMaxUpdates) {
            return in.Fail("the replay has too many updates");
        }
    }
    if (!in.Var(count, in.Left(), "the count of checkpoints")) {
        return false;
    }
    replay.checkpoints.resize(count);
    uint64_t next = 0;
    for (ReplayCheckpoint& checkpoint : replay.checkpoints) {
        if (!ReadCheckpoint(in, checkpoint)) {
            return false;
        }
        if (checkpoint.update < next || checkpoint.update >= total) {
            return in.Fail("a checkpoint is out of order or after the last update");
        }
        next = static_cast<uint64_t>(checkpoint.update) + 1;
    }
    return true;
}

}  // namespace

std::vector<uint8_t> ReplayCodec::Encode(const Replay& replay) {
    ReplayByteWriter out;
    out.bytes.assign(kMagic, kMagic + 4);
    out.Fixed(replay.formatVersion, 2);
    out.Text(replay.gameVersion);
    out.Var(replay.data.size());
    for (const ReplayDataFile& file : replay.data) {
        out.Text(file.name);
        out.Fixed(file.hash, 8);
        out.Var(file.size);
    }
    out.Var(replay.seed);
    out.Var(replay.lastFireTime);
    out.Var(replay.updates.size());
    float dt = 0.0f;
    uint32_t reading = 0;
    for (const ReplayUpdate& update : replay.updates) {
        WriteUpdate(out, update, dt, reading);
    }
    out.Var(replay.checkpoints.size());
    for (const ReplayCheckpoint& checkpoint : replay.checkpoints) {
        WriteCheckpoint(out, checkpoint);
    }
    out.Fixed(Hash32(out.bytes.data(), out.bytes.size()), 4);
    return out.bytes;
}

bool ReplayCodec::Decode(const uint8_t* bytes, size_t size, Replay& replay, std::string& error) {
    replay = Replay();
    if (size < 6 || std::memcmp(bytes, kMagic, 4) != 0) {
        error = "not a replay file (it does not begin with GXRP)";
        return false;
    }
    replay.formatVersion = static_cast<uint16_t>(bytes[4] | (bytes[5] << 8));
    if (replay.formatVersion != Replay::kFormatVersion) {
        error = "format version " + std::to_string(replay.formatVersion) + ", this build reads " +
                std::to_string(Replay::kFormatVersion);
        return false;
    }
    if (size < 10) {
        error = "the file ends early (byte " + std::to_string(size) + ")";
        return false;
    }
    uint32_t check = 0;
    for (int i = 0; i < 4; ++i) {
        check |= static_cast<uint32_t>(bytes[size - 4 + i]) << (8 * i);
    }
    if (check != Hash32(bytes, size - 4)) {
        error = "the file is damaged or cut short (its check value does not match)";
        return false;
    }
    ReplayByteReader in(bytes, size - 4, 6);
    if (ReadHeader(in, replay) && ReadBody(in, replay) && in.Left() != 0) {
        in.Fail(std::to_string(in.Left()) + " unexpected bytes after the checkpoints");
    }
    error = in.Error();
    return in.Ok();
}

uint64_t ReplayCodec::Hash64(const uint8_t* bytes, size_t size) {
    uint64_t hash = 14695981039346656037ull;
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 1099511628211ull;
    }
    return hash;
}

uint32_t ReplayCodec::Hash32(const uint8_t* bytes, size_t size) {
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 16777619u;
    }
    return hash;
}
