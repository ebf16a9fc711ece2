#pragma once
// WAV files made in the test, chunk by chunk, good and broken.
#include <cstdint>
#include <string>
#include <vector>

#include "tools/forge/encoders.hpp"

using forge::Bytes;
using forge::put16;
using forge::put32;

// A chunk with its header, and the pad byte after an odd size.
Bytes Chunk(const char* id, const Bytes& data);
// The 16-byte format record, with `extra` bytes behind a count when given.
Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
Bytes FormatWithExtra(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                      const Bytes& extra);
// The extensible record over a plain format tag (1 PCM, 3 float).
Bytes Extensible(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits);
// "RIFF" size "WAVE" and the chunks, in the order given.
Bytes Riff(const std::vector<Bytes>& chunks);
// The usual file: "fmt " then "data".
Bytes Wav(const Bytes& format, const Bytes& samples);
// The samples of a 16-bit mono file at 44 100 Hz, for the sounds of a whole game.
Bytes Tone(int frames);

// The game's sound set made of short tones, straight into the sound records, without an
// archive or a window; false when no sound device can be made.
bool MakeToneSoundSet();
void ReleaseToneSoundSet();
// Play requests that the named effect received so far.
int MenuClicks();
int LevelUps();
int Bonuses();
