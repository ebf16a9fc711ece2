#pragma once
// The options a player sets beyond the seven switches: each "--name=value", anywhere in
// the command line. They win over what the registry remembers, and are remembered in turn.
#include <cstdint>
#include <optional>
#include <string>

struct PlayerOptions {
  std::optional<uint32_t> SoundVolume;  // --sound-volume=N, 0 to 100
  std::optional<uint32_t> MusicVolume;  // --music-volume=N, 0 to 100
};

// False for a value out of range or not a number, with the reason on standard error.
bool ReadPlayerOptions(const std::string& commandLine, PlayerOptions& options);
void ApplyPlayerOptions(const PlayerOptions& options);
