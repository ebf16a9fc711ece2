#pragma once
// The options a player sets beyond the seven switches: each "--name=value", anywhere in
// the command line. They win over what the registry remembers, and are remembered in turn.
#include <cstdint>
#include <optional>
#include <string>

#include "app/language.h"

struct PlayerOptions {
  std::optional<uint32_t> SoundVolume;  // --sound-volume=N, 0 to 100
  std::optional<uint32_t> MusicVolume;  // --music-volume=N, 0 to 100
  std::optional<Language> Edition;      // --lang=cs or --lang=en
};

// False for a value out of range or not a number, with the reason on standard error.
bool ReadPlayerOptions(const std::string& commandLine, PlayerOptions& options);
// After LoadPlayerSettings. The edition: --lang, else the one remembered from an earlier
// --lang, else English where the user's language is English, else Czech.
void ApplyPlayerOptions(const PlayerOptions& options);
