#pragma once
// The game's pictures drawn for the benchmarks: sprites shaped as the real ones are (round
// barrels and bonuses, thin digits and glyphs, small bubbles) on the key colour, so that
// keyed blits meet spans as the game's sheets give them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using PictureFiles = std::map<std::string, std::vector<uint8_t>>;

// Every picture file start-up reads at the depth ("Grafika/..." or "Grafika8/...", and
// "Grafika/Font.bmp").
PictureFiles BenchPictureFiles(int depth);
