#pragma once

#include <cstdint>
#include <vector>

namespace forge {

inline constexpr int kSampleRate = 44100;

// The eight sound effects, 16-bit mono, peak-normalised with short fades at both ends.
std::vector<std::int16_t> makeMenuClick();
std::vector<std::int16_t> makeBonusChime();
std::vector<std::int16_t> makeLevelUp();
std::vector<std::int16_t> makeBarrelExplosion(int variant);  // 0 to 3
std::vector<std::int16_t> makeSubmarineExplosion();

}  // namespace forge
