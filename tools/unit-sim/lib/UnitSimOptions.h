#pragma once

#include "tools/unit-sim/lib/EngineDescription.h"

#include <cstdint>
#include <optional>
#include <string>

namespace kordana {

/// What the simulated unit reports about itself in its header block.
struct UnitIdentity {
    std::string programId = "KRD";  ///< header bytes 0..2 (first three characters used)
    std::uint8_t programNumber = 7; ///< header byte 3, 0..99
    std::uint8_t day = 7;           ///< header byte 4
    std::uint8_t month = 5;         ///< 1..12, stored as its month code in byte 5
    std::uint8_t yearInCentury = 6; ///< header byte 6 (20yy)
    std::uint8_t hour = 14;         ///< header byte 7
    std::uint8_t minute = 30;       ///< header byte 8
    std::string text;               ///< header bytes 16..45 when not empty (at most 30 used)
    std::uint16_t programmings = 0; ///< programming count reported before the first run
};

/// When the unit saves what it was programmed with (and reports its saving count).
enum class UnitSaveRule : std::uint8_t {
    Block19, ///< after block 19 of any run that began with block 0
    Full,    ///< only after a run that stored every block 1..19
    Any,     ///< after every stored block
};

/// How the simulated unit behaves and misbehaves; the defaults give a sound unit.
struct UnitSimOptions {
    bool silent = false;          ///< never answers anything
    unsigned dropPercent = 0;     ///< share of replies never sent (0..100)
    unsigned corruptPercent = 0;  ///< share of replies with one byte altered
    unsigned truncatePercent = 0; ///< share of replies cut to 1..101 bytes
    std::uint32_t delayMs = 0;    ///< every reply leaves this long after its request
    /// Program block whose echo differs from the stored block in one byte (1..19).
    std::optional<std::uint8_t> badEchoBlock;
    bool readProtect = false;         ///< header byte 9 is 0 whatever NO_READING holds
    std::uint8_t layoutVersion = 51;  ///< header byte 10
    std::uint8_t programVersion = 51; ///< monitor frame byte 62
    /// Value the unit answers at image byte 102 in read replies, instead of the stored one.
    std::optional<std::uint8_t> byte102;
    std::uint32_t seed = 1; ///< seed of the fault dice, for repeatable runs
    /// Clock step taken by every monitor request; 0 when the host advances the clock itself.
    std::uint32_t monitorStepMs = 330;
    std::uint32_t savingMs = 3000; ///< time the saving count takes to fall from 1903 to 0
    /// A partly received request older than this is dropped, so the framing recovers.
    std::uint32_t interByteGapMs = 30;
    UnitIdentity identity;
    /// With an engine, the unit holds the default set of preset 0 at start and its monitor
    /// frames report that engine, driven by `profile`; without, they report a fixed sweep.
    std::optional<EngineDescription> engine;
    ProfileChoice profile;
    /// The unit's own working time: every reply leaves this long after its request (on top
    /// of delayMs).
    std::uint32_t replyMs = 0;
    /// A request that comes sooner than this after the unit's previous reply is not heard.
    std::uint32_t minGapMs = 0;
    UnitSaveRule saveOn = UnitSaveRule::Block19;
};

} // namespace kordana
