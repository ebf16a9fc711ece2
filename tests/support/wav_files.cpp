#include "support/wav_files.h"

#include <cmath>
#include <cstring>

#include "app/shell.h"
#include "audio/sound.h"
#include "audio/sound_state.h"

Bytes Chunk(const char* id, const Bytes& data) {
  Bytes out(id, id + 4);
  put32(out, static_cast<uint32_t>(data.size()));
  out.insert(out.end(), data.begin(), data.end());
  if (data.size() % 2) out.push_back(0);
  return out;
}

Bytes Format(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits) {
  Bytes out;
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  put16(out, tag);
  put16(out, channels);
  put32(out, rate);
  put32(out, rate * align);
  put16(out, align);
  put16(out, bits);
  return out;
}

Bytes FormatWithExtra(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits,
                      const Bytes& extra) {
  Bytes out = Format(tag, channels, rate, bits);
  put16(out, static_cast<uint32_t>(extra.size()));
  out.insert(out.end(), extra.begin(), extra.end());
  return out;
}

Bytes Extensible(uint16_t subTag, uint16_t channels, uint32_t rate, uint16_t bits) {
  Bytes extra;
  put16(extra, bits);                       // valid bits
  put32(extra, channels == 2 ? 0x3 : 0x4);  // speaker mask
  put16(extra, subTag);
  const uint8_t tail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                            0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
  extra.insert(extra.end(), tail, tail + 14);
  return FormatWithExtra(0xFFFE, channels, rate, bits, extra);
}

Bytes Riff(const std::vector<Bytes>& chunks) {
  Bytes body{'W', 'A', 'V', 'E'};
  for (const Bytes& chunk : chunks) body.insert(body.end(), chunk.begin(), chunk.end());
  Bytes out{'R', 'I', 'F', 'F'};
  put32(out, static_cast<uint32_t>(body.size()));
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes Wav(const Bytes& format, const Bytes& samples) {
  return Riff({Chunk("fmt ", format), Chunk("data", samples)});
}

Bytes Tone(int frames) {
  Bytes out;
  for (int i = 0; i < frames; ++i)
    put16(out, static_cast<uint16_t>(static_cast<int16_t>(8000 * std::sin(i * 0.05))));
  return out;
}

bool MakeToneSoundSet() {
  if (ds::FAILED(ds::DirectSoundCreate(nullptr, Sound.dsObject)) ||
      ds::FAILED(Sound.dsObject->SetCooperativeLevel(Shell.Window, ds::DSSCL_PRIORITY)))
    return false;
  const Bytes wav = Wav(Format(1, 1, 44100, 16), Tone(100));
  for (GlobalBlock* block :
       {&Sound.Bonus, &Sound.ExplodeB[0], &Sound.ExplodeB[1], &Sound.ExplodeB[2],
        &Sound.ExplodeB[3], &Sound.LevelUp, &Sound.MenuClick, &Sound.NauvrelExpl}) {
    *block = GlobalBlock::Alloc(wav.size());
    std::memcpy(block->Lock().data(), wav.data(), wav.size());
  }
  return sndCreateAll();
}

void ReleaseToneSoundSet() {
  sndReleaseAll();
  sndReleaseDevice();
  sndFreeImages();
}

int MenuClicks() { return ds::testing::Plays(Sound.sndMenuClick.get()).requests; }
int LevelUps() { return ds::testing::Plays(Sound.sndLevelUp.get()).requests; }
int Bonuses() { return ds::testing::Plays(Sound.sndBonus.get()).requests; }
